// Dialog 196: a report's stored print settings shown, edited and saved.
#include "gui_test_app.h"

#include "data/setting_files.h"
#include "grid/print_paper.h"
#include "grid/report_settings.h"
#include "grid/report_queries.h"
#include "grid/report_setup_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/report_setup_template.h"

#include <filesystem>
#include <fstream>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/translation.h>

namespace {

namespace ids = res::report_setup;
using Rs = ReportSettingsRecord;
class ReportSetupTest : public testing::Test {
protected:
    void SetUp() override { dialog = new CReportSetupDlg(nullptr); }
    void TearDown() override {
        dialog->Destroy();
        ProcessPending();
        std::filesystem::remove_all(TestHome() + "/Report");
    }
    void Choose(const char* report) {
        res::Control<wxComboBox>(dialog, ids::kReportCombo)->SetStringSelection(U(report));
        dialog->OnSelchangeReport();
    }
    wxString Text(int id) { return res::Control<wxTextCtrl>(dialog, id)->GetValue(); }
    std::vector<wxString> List(int id) {
        auto* list = res::Control<wxListBox>(dialog, id);
        std::vector<wxString> items;
        for (unsigned i = 0; i < list->GetCount(); ++i)
            items.push_back(list->GetString(i));
        return items;
    }
    CReportSetupDlg* dialog = nullptr;
    platform::ScriptedMessageBoxes boxes;
};

TEST_F(ReportSetupTest, ANeverSavedReportShowsTheDefaults) {
    EXPECT_EQ(res::Control<wxComboBox>(dialog, ids::kPaperCombo)->GetValue(), U("纸张大小选择框"));
    Choose("进货报表");
    const std::pair<int, const char*> shown[] = {
        {ids::kHeaderGapEdit, "3"},   {ids::kFooterHeightEdit, "2"}, {ids::kLeftMarginEdit, "4"},
        {ids::kRightMarginEdit, "4"}, {ids::kTopMarginEdit, "1"},    {ids::kBottomMarginEdit, "2"},
        {ids::kTitleHeightEdit, "2"}, {ids::kTitleFontEdit, "20"},   {ids::kSubtitleFontEdit, "11"},
        {ids::kHeaderFontEdit, "11"}, {ids::kFooterFontEdit, "11"},
    };
    for (const auto& [id, value] : shown)
        EXPECT_EQ(Text(id), value) << id;
    EXPECT_TRUE(res::Control<wxRadioButton>(dialog, ids::kFooterFixedRadio)->GetValue());
    EXPECT_EQ(res::Control<wxComboBox>(dialog, ids::kPaperCombo)->GetValue(), PaperName(9));
    const std::vector<wxString> printed = List(ids::kPrintedList);
    ASSERT_EQ(printed.size(), 11u);
    EXPECT_EQ(printed[0], U("序号"));
    EXPECT_EQ(printed[8], U("金额"));
    EXPECT_TRUE(List(ids::kHiddenList).empty());
}

TEST_F(ReportSetupTest, SavesTheRecordAndShowsItBack) {
    Choose("进货报表");
    res::Control<wxTextCtrl>(dialog, ids::kTitleEdit)->ChangeValue(U("进货明细"));
    res::Control<wxTextCtrl>(dialog, ids::kTitleFontEdit)->ChangeValue("28");
    res::Control<wxTextCtrl>(dialog, ids::kFooterEdit)->ChangeValue(U("谢谢"));
    res::Control<wxTextCtrl>(dialog, ids::kLeftMarginEdit)->ChangeValue("7");
    res::Control<wxRadioButton>(dialog, ids::kFooterUpRadio)->SetValue(true);
    // Every column moved out: all stored, each followed by ",".
    while (!List(ids::kPrintedList).empty()) {
        res::Control<wxListBox>(dialog, ids::kPrintedList)->SetSelection(0);
        dialog->OnMoveToHidden();
    }
    ASSERT_EQ(dialog->OnOK(), 1);
    Rs stored = LoadReportSettings(U("进货报表"));
    EXPECT_EQ(stored.Get(Rs::Text::Title), U("进货明细@#28"));
    EXPECT_EQ(stored.Get(Rs::Text::Footer), U("谢谢@#11&%1"));
    EXPECT_EQ(stored.Get(Rs::Int::LeftMargin), 7);
    EXPECT_EQ(stored.Get(Rs::Int::PaperCode), 9);
    EXPECT_EQ(stored.Get(Rs::Text::SubtitleFont), "@#11");
    EXPECT_EQ(stored.Get(Rs::Text::HiddenColumns),
              U("序号,供应商,车型,零件名称,编号,厂牌,数量,进价,金额,日期,备注,"));

    // Back again: an empty hidden list stores ",".
    while (!List(ids::kHiddenList).empty()) {
        res::Control<wxListBox>(dialog, ids::kHiddenList)->SetSelection(0);
        dialog->OnMoveToPrinted();
    }
    ASSERT_EQ(dialog->OnOK(), 1);
    EXPECT_EQ(LoadReportSettings(U("进货报表")).Get(Rs::Text::HiddenColumns), ",");
    Choose("进货报表");
    EXPECT_EQ(Text(ids::kTitleEdit), U("进货明细"));
    EXPECT_EQ(Text(ids::kLeftMarginEdit), "7");
    EXPECT_TRUE(res::Control<wxRadioButton>(dialog, ids::kFooterUpRadio)->GetValue());
}

TEST_F(ReportSetupTest, RefusesWhatTheRecordCannotHold) {
    Choose("年审车辆");
    res::Control<wxTextCtrl>(dialog, ids::kLeftMarginEdit)->ChangeValue("201");
    EXPECT_EQ(dialog->OnOK(), 0);
    res::Control<wxTextCtrl>(dialog, ids::kLeftMarginEdit)->ChangeValue("4");
    res::Control<wxTextCtrl>(dialog, ids::kTitleEdit)->ChangeValue(wxString(wxUniChar(0x8F66), 14));
    EXPECT_EQ(dialog->OnOK(), 0);
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>(2, "选择或输入内容不对或不完整！无法完成操作。"));
    EXPECT_FALSE(std::filesystem::exists(TestHome() + "/Report/" + std::string("年审车辆")));
}

TEST_F(ReportSetupTest, DefaultsShowTheFactoryRecordWithoutSavingIt) {
    Rs factory;
    factory.Set(Rs::Text::Name, U("年审车辆"));
    factory.Set(Rs::Int::RightMargin, 9);
    factory.Set(Rs::Text::HiddenColumns, U("性别,"));
    std::filesystem::create_directories(TestHome() + "/Report");
    {
        const auto& bytes = factory.Bytes();
        std::ofstream(TestHome() + "/Report/年审车辆O", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    Choose("年审车辆");
    EXPECT_EQ(Text(ids::kRightMarginEdit), "4");
    dialog->OnDefaults();
    EXPECT_EQ(Text(ids::kRightMarginEdit), "9");
    EXPECT_EQ(List(ids::kHiddenList), std::vector<wxString>{U("性别")});
    EXPECT_FALSE(std::filesystem::exists(TestHome() + "/Report/年审车辆"));
    // The next choice reads the report's own record again.
    dialog->OnSelchangeReport();
    EXPECT_EQ(Text(ids::kRightMarginEdit), "4");
}

TEST_F(ReportSetupTest, StockInListsTheWarehousesOfTheCompanyData) {
    std::vector<wxString> company(10);
    company[9] = U("一号库，二号库,一号库");
    ASSERT_EQ(CSettingFiles::WriteCsvLine("Picture/Memfile", company), 1);
    Choose("入库单");
    EXPECT_EQ(List(ids::kPrintedList),
              (std::vector<wxString>{U("序号"), U("一号库"), U("二号库")}));
    std::filesystem::remove(TestHome() + "/Picture/Memfile");
}

TEST_F(ReportSetupTest, StockInPageQueryNamesTheWarehouseColumnsOnce) {
    std::vector<wxString> company(10);
    company[9] = U("1号库,二号库");
    ASSERT_EQ(CSettingFiles::WriteCsvLine("Picture/Memfile", company), 1);
    // The page's query renames a warehouse that cannot stand as a column name.
    SetStockInReportSql([] { return U("select 零件名称,数量 as 库房1,数量 as 二号库 from ljkc"); });
    Choose("入库单");
    SetStockInReportSql(nullptr);
    EXPECT_EQ(List(ids::kPrintedList),
              (std::vector<wxString>{U("序号"), U("零件名称"), U("库房1"), U("二号库")}));
    std::filesystem::remove(TestHome() + "/Picture/Memfile");
}

TEST_F(ReportSetupTest, PaperEntriesShowNamesAndKeepTheirCodes) {
    // The program runs with the toolkit's Chinese texts.
    auto* chinese = new wxTranslations;
    chinese->SetLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED);
    chinese->AddStdCatalog();
    wxTranslations::Set(chinese);
    dialog->Destroy();
    ProcessPending();
    dialog = new CReportSetupDlg(nullptr);
    EXPECT_EQ(dialog->SelectPaperByCode(9), U("A4 210 x 297 毫米"));
    EXPECT_EQ(dialog->SelectPaperByCode(8), U("A3 297 x 420 毫米"));
    EXPECT_EQ(dialog->SelectPaperByCode(48), "");
    wxTranslations::Set(nullptr);

    // The code, not the name, is stored; the custom entry stores 0 with its size.
    Choose("进货报表");
    dialog->SelectPaperByCode(8);
    ASSERT_EQ(dialog->OnOK(), 1);
    EXPECT_EQ(LoadReportSettings(U("进货报表")).Get(Rs::Int::PaperCode), 8);
    res::Control<wxComboBox>(dialog, ids::kPaperCombo)->SetStringSelection(U("自定义尺寸"));
    dialog->m_strCustomPaper = "1480,1050";
    ASSERT_EQ(dialog->OnOK(), 1);
    Rs stored = LoadReportSettings(U("进货报表"));
    EXPECT_EQ(stored.Get(Rs::Int::PaperCode), 0);
    EXPECT_EQ(stored.Get(Rs::Text::CustomPaperSize), "1480,1050");
    Choose("进货报表");
    EXPECT_EQ(res::Control<wxComboBox>(dialog, ids::kPaperCombo)->GetValue(), U("自定义尺寸"));
}

} // namespace
