// The look of a new grid from "GridSet", and dialog 233 that writes it.
#include "gui_test_app.h"

#include "data/setting_files.h"
#include "grid/grid_setup_dlg.h"
#include "res/dialogs.h"

#include <wx/checkbox.h>
#include <wx/settings.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace ids = res::grid_setup;

using GridAppearance = GridWindowTest;

TEST_F(GridAppearance, MissingFileGivesTheSystemLook) {
    CGridCtrl* grid = MakeGrid(3, 3);
    EXPECT_EQ(grid->GetTextColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    EXPECT_EQ(grid->GetFixedTextColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    EXPECT_EQ(grid->GetTextBkColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    EXPECT_EQ(grid->GetFixedBkColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    EXPECT_EQ(grid->GetOutsideBkColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    EXPECT_EQ(grid->GetGridColor(), wxColour(192, 192, 192));
    EXPECT_EQ(grid->GetGridLineWidth(), 0);
    EXPECT_EQ(grid->GetExtraRowHeight(), 0);
    EXPECT_FALSE(grid->m_bLinkUpper);
    const wxFont system = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    EXPECT_EQ(grid->GetCellLogFont().lfFaceName, system.GetFaceName());
    EXPECT_EQ(grid->m_nToPage, 99999);
    EXPECT_EQ(grid->m_nHelpContext, 1002);
    EXPECT_EQ(grid->m_nPrintMode, 1);
    EXPECT_EQ(grid->m_nSortCol, -1);
}

TEST_F(GridAppearance, FileSetsColoursLinesRowHeightFontAndLinkage) {
    WriteGridSetLine("MxZt=-12,MxYs=255,BtYs=65280,BgBj=16777215,MxBj=8421504,WgBj=32768,"
                     "BtBj=12632256,rowhight=20,Linehight=3,AutoRe=0,");
    CGridCtrl* plain = MakeGrid(3, 3);
    EXPECT_EQ(plain->GetTextColor(), wxColour(255, 0, 0));
    EXPECT_EQ(plain->GetFixedTextColor(), wxColour(255, 0, 0)); // MxYs wins over BtYs
    EXPECT_EQ(plain->GetTextBkColor(), *wxWHITE);
    EXPECT_EQ(plain->GetOutsideBkColor(), wxColour(128, 128, 128));
    EXPECT_EQ(plain->GetFixedBkColor(), wxColour(192, 192, 192));
    EXPECT_EQ(plain->GetGridColor(), wxColour(0, 128, 0));
    EXPECT_EQ(plain->GetGridLineWidth(), 2);
    EXPECT_EQ(plain->GetExtraRowHeight(), 4);
    EXPECT_EQ(plain->GetCellLogFont().lfHeight, -12);
    EXPECT_TRUE(plain->m_bLinkUpper);

    // Four pixels more than a grid without the adjustment.
    WriteGridSetLine("MxZt=-12,rowhight=16,");
    CGridCtrl* other = MakeGrid(3, 3);
    EXPECT_EQ(plain->GetDefaultRowHeight(), other->GetDefaultRowHeight() + 4);
    WriteGridSetLine("AutoRe=1,");
    EXPECT_FALSE(MakeGrid(2, 2)->m_bLinkUpper);
}

TEST_F(GridAppearance, GarbageFileGivesTheDefaults) {
    WriteGridSetLine("MxZt=huge,MxYs=red,BtYs=,BgBj=-,MxBj=99999999999,WgBj=x1,BtBj=1e5,"
                     "rowhight=many,Linehight=thick,AutoRe=?,");
    CGridCtrl* grid = MakeGrid(3, 3);
    EXPECT_EQ(grid->GetTextColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    EXPECT_EQ(grid->GetTextBkColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    EXPECT_EQ(grid->GetOutsideBkColor(), wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    EXPECT_EQ(grid->GetGridColor(), wxColour(192, 192, 192));
    EXPECT_EQ(grid->GetGridLineWidth(), 0);
    EXPECT_EQ(grid->GetExtraRowHeight(), 0);
    EXPECT_EQ(grid->GetCellLogFont().lfFaceName,
              wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFaceName());
}

class GridSetupDialog : public GridWindowTest {
protected:
    void TearDown() override {
        delete dialog;
        GridWindowTest::TearDown();
    }
    CGridSetupDlg* Open(CGridCtrl* grid) {
        dialog = new CGridSetupDlg(frame, grid);
        return dialog;
    }
    void Click(int id) {
        wxCommandEvent click(wxEVT_BUTTON, res::ToWxId(id));
        click.SetEventObject(res::FindControl(dialog, id));
        dialog->GetEventHandler()->ProcessEvent(click);
    }
    CGridSetupDlg* dialog = nullptr;
};

TEST_F(GridSetupDialog, LaidOutFromTheTemplate) {
    Open(nullptr);
    EXPECT_EQ(dialog->GetTitle(), wxString::FromUTF8("表格设置"));
    for (int id :
         {1009,  1035,  1072,  1073,  1074,  1075,  1110,  1148,  10001,     10002,
          10003, 10004, 10005, 10006, 10011, 10012, 10064, 10065, res::IDOK, res::IDCANCEL})
        EXPECT_NE(res::FindControl(dialog, id), nullptr) << id;
    EXPECT_EQ(res::Control<wxSpinButton>(dialog, ids::kRowHeightSpin)->GetMax(), 80);
    EXPECT_EQ(res::Control<wxSpinButton>(dialog, ids::kLineWidthSpin)->GetMin(), 1);
    // No file: the dialog's defaults, the box ticked.
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kRowHeightEdit)->GetValue(), "16");
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kLineWidthEdit)->GetValue(), "0");
    EXPECT_TRUE(res::Control<wxCheckBox>(dialog, ids::kLinkUpperCheck)->GetValue());
    EXPECT_EQ(dialog->Choice().cellBack, 0x808080u);
}

TEST_F(GridSetupDialog, SaveWritesTheLineTheGridsRead) {
    Open(nullptr);
    dialog->ApplyColour(ids::kLinesButton, wxColour(0, 0, 255));
    res::Control<wxTextCtrl>(dialog, ids::kLineWidthEdit)->SetValue("2");
    EXPECT_EQ(dialog->OnSave(), 1);
    EXPECT_EQ(CSettingFiles::ReadSettingFile("GridSet"),
              "MxZt=-12,MxYs=0,BtYs=0,BgBj=16777215,MxBj=8421504,WgBj=16711680,BtBj=12632256,"
              "rowhight=16,Linehight=2,AutoRe=0,");
    res::Control<wxCheckBox>(dialog, ids::kLinkUpperCheck)->SetValue(false);
    Click(res::IDOK);
    EXPECT_TRUE(CSettingFiles::ReadSettingFile("GridSet").EndsWith("AutoRe=1,"));
    CGridCtrl* grid = MakeGrid(2, 2);
    EXPECT_EQ(grid->GetGridColor(), wxColour(0, 0, 255));
    EXPECT_EQ(grid->GetGridLineWidth(), 1);
    EXPECT_FALSE(grid->m_bLinkUpper);
}

TEST_F(GridSetupDialog, ShowsTheFileAndTheFontHeight) {
    WriteGridSetLine("MxZt=-15,MxYs=0,BtYs=0,BgBj=16777215,MxBj=8421504,WgBj=12632256,"
                     "BtBj=12632256,rowhight=22,Linehight=3,AutoRe=1,");
    Open(nullptr);
    EXPECT_EQ(res::Control<wxStaticText>(dialog, ids::kFontSample)->GetLabel(), "15");
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kRowHeightEdit)->GetValue(), "22");
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kLineWidthEdit)->GetValue(), "3");
    EXPECT_FALSE(res::Control<wxCheckBox>(dialog, ids::kLinkUpperCheck)->GetValue());
    EXPECT_EQ(dialog->Choice().fontHeight, -15);
    Click(ids::kDefaultsButton);
    EXPECT_EQ(res::Control<wxStaticText>(dialog, ids::kFontSample)->GetLabel(), "12");
    EXPECT_EQ(res::Control<wxTextCtrl>(dialog, ids::kRowHeightEdit)->GetValue(), "16");
    EXPECT_TRUE(res::Control<wxCheckBox>(dialog, ids::kLinkUpperCheck)->GetValue());
}

TEST_F(GridSetupDialog, ChangesShowOnTheGridAndCancelRestoresIt) {
    CGridCtrl* grid = MakeGrid(4, 3);
    const wxColour head = grid->GetFixedBkColor(), back = grid->GetTextBkColor();
    const wxColour lines = grid->GetGridColor(), text = grid->GetTextColor();
    Open(grid);
    dialog->ApplyColour(ids::kHeadBackButton, wxColour(10, 20, 30));
    dialog->ApplyColour(ids::kGridBackButton, wxColour(40, 50, 60));
    dialog->ApplyColour(ids::kLinesButton, wxColour(70, 80, 90));
    LogFont font = grid->GetCellLogFont();
    font.lfHeight = -18;
    dialog->ApplyFont(font, wxColour(0, 0, 200));
    EXPECT_EQ(grid->GetFixedBkColor(), wxColour(10, 20, 30));
    EXPECT_EQ(grid->GetTextBkColor(), wxColour(40, 50, 60));
    EXPECT_EQ(grid->GetGridColor(), wxColour(70, 80, 90));
    EXPECT_EQ(grid->GetTextColor(), wxColour(0, 0, 200));
    EXPECT_EQ(grid->GetFixedTextColor(), wxColour(0, 0, 200));
    res::Control<wxTextCtrl>(dialog, ids::kRowHeightEdit)->SetValue("20");
    EXPECT_EQ(grid->GetRowHeight(3), 33); // every row: value + 13

    Click(res::IDCANCEL);
    EXPECT_EQ(grid->GetFixedBkColor(), head);
    EXPECT_EQ(grid->GetTextBkColor(), back);
    EXPECT_EQ(grid->GetGridColor(), lines);
    EXPECT_EQ(grid->GetTextColor(), text);
    EXPECT_EQ(CSettingFiles::ReadSettingFile("GridSet"), ""); // nothing written
}

TEST_F(GridAppearance, SystemColourChangeKeepsChosenColours) {
    CGridCtrl* grid = MakeGrid(3, 3);
    grid->SetTextBkColor(wxColour(1, 2, 3));
    const wxColour text = grid->GetTextColor();
    grid->OnSysColorChange();
    EXPECT_EQ(grid->GetTextBkColor(), wxColour(1, 2, 3));
    EXPECT_EQ(grid->GetTextColor(), text);
}
