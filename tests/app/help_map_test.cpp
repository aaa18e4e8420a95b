#include "app/help_map.h"
#include "app/qv_app.h"
#include "common/program_folder.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "res/dialogs.h"

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/stockitem.h>

namespace {

TEST(HelpMap, FirstPairOfAnIdWins) {
    const struct {
        unsigned long id;
        int context;
    } cases[] = {
        {57600, 1},    {57609, 9},
        {233, 500},                   // never the later 233 -> 3100
        {1002, 3100},  {32804, 3500}, // never the later 32804 -> 3800
        {32821, 3600}, {32814, 3800},
        {310, 5800},   {0x10000 + 251, 4100}, // only the low 16 bits count
        {999, 0},      {0, 0},                // no context: the contents
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpContextFor(c.id), c.context) << c.id;
}

using HelpTest = ProgramFolderTest;

TEST_F(HelpTest, MissingHelpBookIsReported) {
    auto* app = static_cast<CQvApp*>(wxTheApp);
    platform::ScriptedMessageBoxes boxes;
    app->WinHelp(241, 2); // not a context request: nothing
    EXPECT_TRUE(boxes.Texts().empty());
    app->WinHelp(241, CQvApp::HELP_CONTEXT);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{
                  "没有找到帮助文件 help.htb。\n本系统没有附带帮助内容；帮助文件应放在程序目录 " +
                  platform::ProgramFolder() + " 中。"});
}

// The application answers F1 in every dialog built from a template, the grid's
// dialogs included.
TEST_F(HelpTest, F1InATemplateDialogAsksTheApplicationsHelp) {
    platform::ScriptedMessageBoxes boxes;
    wxDialog dialog(nullptr, wxID_ANY, "");
    res::BuildDialog(&dialog, res::GridSetupTemplate());
    wxKeyEvent press(wxEVT_CHAR_HOOK);
    press.m_keyCode = WXK_F1;
    dialog.GetEventHandler()->ProcessEvent(press);
    EXPECT_EQ(boxes.Texts().size(), 1u);
}

// The toolkit's own texts (buttons, file and print dialogs, paper names) are Chinese.
TEST(ChineseTexts, TheToolkitsOwnTextsAreChinese) {
    static_cast<CQvApp*>(wxTheApp)->UseChineseTexts();
    for (int id : {wxID_OK, wxID_CANCEL, wxID_YES, wxID_NO, wxID_APPLY, wxID_CLOSE})
        EXPECT_FALSE(wxGetStockLabel(id, wxSTOCK_NOFLAGS).IsAscii()) << id;
    EXPECT_FALSE(wxGetTranslation("A4 sheet, 210 x 297 mm").IsAscii());
}

} // namespace
