// Dialog 269: the size of a user-defined paper.
#include "gui_test_app.h"

#include "grid/paper_size_dlg.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/paper_size_template.h"

#include <wx/textctrl.h>

namespace {

namespace ids = res::paper_size;

TEST(PaperSizeDialog, HandsBackLengthCommaWidthAndRefusesEmptyBoxes) {
    platform::ScriptedMessageBoxes boxes;
    CPaperSizeDlg dialog(nullptr);
    auto* length = res::Control<wxTextCtrl>(&dialog, ids::kLengthEdit);
    auto* width = res::Control<wxTextCtrl>(&dialog, ids::kWidthEdit);
    for (const auto& [l, w] : {std::pair{"2972", ""}, std::pair{"", "2108"}}) {
        length->ChangeValue(l);
        width->ChangeValue(w);
        EXPECT_FALSE(dialog.OnOK());
    }
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>(2, "选择或输入内容不对或不完整！无法完成操作。"));
    EXPECT_EQ(dialog.Answer(), "");

    length->ChangeValue("2972");
    width->ChangeValue("2108");
    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(dialog.Answer(), "2972,2108");
    EXPECT_EQ(dialog.GetReturnCode(), wxID_OK);
}

} // namespace
