#include "app/options_page.h"
#include "common/program_folder.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/options_page_template.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::options_page;

namespace {

const char kFullLine[] =
    "零件售货单=1,入库单=1,jgk=1,提示1=1,提示2=1,提示3=1,提示4=1,提示5=1,零件库存=1,三级模式=1,"
    "检查=1,项目名称=10,零售价=5,批发价=5,一级价=130,二级价=120,三级价=110,折扣=90,";

class OptionsPageTest : public ProgramFolderTest {
protected:
    page1* Open() {
        sheet_ = new wxDialog(nullptr, wxID_ANY, "sheet");
        auto* page = new page1(sheet_);
        sheet_->Show();
        Pump();
        return page;
    }
    bool On(page1* page, int id) {
        wxWindow* control = res::FindControl(page, id);
        if (auto* radio = dynamic_cast<wxRadioButton*>(control)) return radio->GetValue();
        return dynamic_cast<wxCheckBox*>(control)->GetValue();
    }
    wxString Text(page1* page, int id) { return res::Control<wxTextCtrl>(page, id)->GetValue(); }
    wxString File() { return CSettingFiles::ReadSettingFile("SystemSet"); }

    wxDialog* sheet_ = nullptr;
};

TEST_F(OptionsPageTest, MissingFileShowsTheDefaultsAndSavesThem) {
    page1* page = Open();
    EXPECT_EQ(sheet_->GetTitle(), "sheet"); // the page leaves the sheet's own title
    for (int id : {kSalesBillRadio, kByArrivalRadio, kOwnPriceRadio})
        EXPECT_TRUE(On(page, id)) << id;
    for (int id : {kCostBillRadio, kByBinRadio, kWeightedRadio, kShortageCheck, kServiceCheck,
                   kDropEmptyCheck, kThreeLevelsCheck, kCheckItemsCheck})
        EXPECT_FALSE(On(page, id)) << id;
    for (int id : {kLevel1Edit, kLevel2Edit, kLevel3Edit})
        EXPECT_EQ(Text(page, id), "100");
    for (int id : {kDiscountEdit, kLabourEdit, kRepairPartsEdit, kSalesPartsEdit})
        EXPECT_EQ(Text(page, id), "0");
    EXPECT_EQ(res::Control<wxSpinButton>(page, kLevel1Spin)->GetMax(), 200);
    EXPECT_EQ(res::Control<wxSpinButton>(page, kDiscountSpin)->GetMax(), 100);
    EXPECT_FALSE(page->IsModified());

    // A reader of the unsaved file still gets 0.
    CSystemOptions reader;
    reader.LoadSettings();
    EXPECT_EQ(reader.GetIntOption(U("一级价")), 0);

    ASSERT_TRUE(page->OnApply());
    EXPECT_EQ(File(),
              U("jgk=4,项目名称=0,零售价=0,批发价=0,一级价=100,二级价=100,三级价=100,折扣=0,"));
}

TEST_F(OptionsPageTest, EveryOptionRoundTrips) {
    ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U(kFullLine)), 1);
    page1* page = Open();
    for (int id : {kCostBillRadio, kByBinRadio, kWeightedRadio, kShortageCheck, kSurplusCheck,
                   kInspectionCheck, kBirthdayCheck, kServiceCheck, kDropEmptyCheck,
                   kThreeLevelsCheck, kCheckItemsCheck})
        EXPECT_TRUE(On(page, id)) << id;
    EXPECT_EQ(Text(page, kLevel1Edit), "130");
    EXPECT_EQ(Text(page, kLabourEdit), "10");
    EXPECT_EQ(Text(page, kDiscountEdit), "90");
    ASSERT_TRUE(page->OnOK());
    EXPECT_EQ(File(), U(kFullLine));
}

TEST_F(OptionsPageTest, ChangesMarkThePageAndReachTheNextReader) {
    page1* page = Open();
    auto* check = res::Control<wxCheckBox>(page, kThreeLevelsCheck);
    check->SetValue(true);
    wxCommandEvent click(wxEVT_CHECKBOX, check->GetId());
    click.SetEventObject(check);
    click.SetInt(1);
    check->GetEventHandler()->ProcessEvent(click);
    EXPECT_TRUE(page->IsModified());
    res::Control<wxRadioButton>(page, kStockPriceRadio)->SetValue(true);
    res::Control<wxTextCtrl>(page, kDiscountEdit)->SetValue("85");
    ASSERT_TRUE(page->OnApply());
    EXPECT_FALSE(page->IsModified());

    page1 reader; // no window
    reader.LoadSettings();
    EXPECT_EQ(reader.GetIntOption(U("三级模式")), 1);
    EXPECT_EQ(reader.GetIntOption("jgk"), 2);
    EXPECT_EQ(reader.GetIntOption(U("折扣")), 85);
}

TEST_F(OptionsPageTest, RefusedSavesKeepTheSheetOpenAndTheFile) {
    ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U(kFullLine)), 1);
    page1* page = Open();
    platform::ScriptedMessageBoxes boxes;
    // A pasted text is no number; a comma would break the items.
    res::Control<wxTextCtrl>(page, kLabourEdit)->SetValue("1,5");
    EXPECT_FALSE(page->OnApply());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"工时费只能输入数字!"});
    EXPECT_EQ(File(), U(kFullLine));

    res::Control<wxTextCtrl>(page, kLabourEdit)->SetValue("");
    std::filesystem::remove_all(Path("Picture"));
    boxes.Clear();
    EXPECT_FALSE(page->OnApply());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Unable to open file"});
}

} // namespace
