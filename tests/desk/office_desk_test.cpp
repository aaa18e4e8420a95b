// The office at the screen: a supplier paid part of what the shop owes him through the
// partner ledger, the cash paid entered in the cash journal, and last month's sales
// statistic run.
#include "desk/desk_fixture.h"

#include "common/grid_typing.h"

#include "app/data_import_dlg.h"
#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "data/date_range.h"
#include "grid/grid_ctrl.h"
#include "office/cash_journal_dlg.h"
#include "office/ledger_dlg.h"
#include "office/statistics_dlg.h"
#include "res/data_import_template.h"
#include "res/partner_template.h"
#include "res/statistics_template.h"

#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using Texts = std::vector<wxString>;

using OfficeDeskTest = DeskTest;

namespace {

// The ink the screen shows across a row of a grid (its number and its cells).
int RowInk(CGridCtrl* grid, int row) {
    wxRect cell;
    if (!grid->GetCellRect(row, 0, &cell)) return 0;
    return desk::InkPixels(grid, wxRect(0, cell.y, grid->GetClientSize().x, cell.height));
}

} // namespace

TEST_F(OfficeDeskTest, SupplierPaidThroughTheLedgerExpenseJournalledAndSalesCounted) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    wxString first, last;
    CDateRange::PreviousMonth(wxDateTime::Today(), first, last);
    Insert("wlkf", {{{"单位", "华通公司"}, {"编号", "S-1"}, {"no", "1"}}});
    Insert("wlzm", {{{"单位", "华通公司"},
                     {"类别", "应付款"},
                     {"金额", "100.35"},
                     {"方式", "入帐"},
                     {"来源", "配件"},
                     {"日期", first.utf8_string().c_str()},
                     {"no", "1"}}});
    Insert("ljsh", {{{"客户", "顺达车行"},
                     {"项目名称", "刹车片"},
                     {"单价", "100.25"},
                     {"数量", "2"},
                     {"日期", first.utf8_string().c_str()},
                     {"flag", "P"},
                     {"no", "1"}},
                    {{"客户", "零散客户"},
                     {"项目名称", "机油"},
                     {"单价", "30.1"},
                     {"数量", "1"},
                     {"日期", last.utf8_string().c_str()},
                     {"flag", "P"},
                     {"no", "2"}}});

    // 管理 > 往来帐目: the supplier found by a typed part of his name, 60.20 paid
    // against what is owed to him.
    {
        using namespace res::ledger;
        desk::OnModal<CLedgerDlg> ledger([](CLedgerDlg& dialog) {
            desk::Shot("ledger");
            auto* name = res::Control<wxComboBox>(&dialog, kNameCombo);
            desk::Click(name);
            desk::Key('a', wxMOD_CONTROL);
            desk::Type(U("华"));
            // The names holding it come up in a list; a click takes one.
            CItemPickDlg* names = nullptr;
            ASSERT_TRUE(desk::WaitFor([&] {
                for (wxWindow* window : wxTopLevelWindows)
                    if (auto* shown = dynamic_cast<CItemPickDlg*>(window); shown && shown->IsShown())
                        names = shown;
                return names && names->m_list->GetItemCount() == 1;
            }));
            desk::ClickListItem(names->m_list, 0);
            EXPECT_TRUE(desk::WaitFor([&] { return name->GetValue() == U("华通公司"); }))
                << name->GetValue();
            desk::Shot("ledger-partner");
            desk::Click(res::FindControl(&dialog, kNewButton));
            desk::Click(res::FindControl(&dialog, kAmountEdit));
            desk::Type("60.20");
            desk::Click(res::FindControl(&dialog, kPayableRadio));
            desk::Click(res::FindControl(&dialog, kOffsetButton));
            EXPECT_TRUE(desk::WaitFor([&] { return dialog.m_gridHistory->GetRowCount() == 3; }));
            EXPECT_EQ(res::Control<wxStaticText>(&dialog, kPayableSum)->GetLabel(),
                      U("金额: 40.15"));
            desk::Shot("ledger-paid");
            desk::Click(res::FindControl(&dialog, kExitButton));
        });
        desk::Menu('G', "W");
        ASSERT_TRUE(desk::WaitFor([&] { return ledger.Done(); }));
    }
    const wxString entries = U("select * from wlzm order by no");
    EXPECT_EQ(Column(entries, "单位"), (Texts{U("华通公司"), U("华通公司")}));
    EXPECT_EQ(Column(entries, "类别"), (Texts{U("应付款"), U("应付款")}));
    EXPECT_EQ(Column(entries, "金额"), (Texts{"100.35", "-60.2"}));
    // Paying a supplier writes nothing into the cash journal by itself: the office
    // enters the cash there.
    EXPECT_TRUE(Column(U("select * from kzk"), "金额").empty());

    // 管理 > 收支记录: the cash paid typed into a new row, kept on 退出.
    {
        desk::OnModal<CCashJournalDlg> journal([](CCashJournalDlg& dialog) {
            using namespace res::cash_journal;
            CGridCtrl* grid = dialog.m_grid;
            const int rows = grid->GetRowCount();
            desk::Click(res::FindControl(&dialog, kAddButton));
            ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == rows + 1; }));
            desk::ClickCell(grid, rows, ColumnOf(grid, "项目名称"));
            desk::Type(U("付华通货款"));
            desk::Key(WXK_RETURN);
            desk::ClickCell(grid, rows, ColumnOf(grid, "金额"));
            desk::Type("-60.20");
            desk::Key(WXK_RETURN);
            desk::Shot("journal");
            desk::Click(res::FindControl(&dialog, kExitButton));
        });
        desk::Menu('G', "K");
        ASSERT_TRUE(desk::WaitFor([&] { return journal.Done(); }));
    }
    EXPECT_TRUE(boxes_->Showed("数据还未存档，是否保存?"));
    const wxString cash = U("select * from kzk order by no");
    EXPECT_EQ(Column(cash, "金额"), Texts{"-60.2"});
    EXPECT_EQ(Column(cash, "项目名称"), Texts{U("付华通货款")});
    EXPECT_EQ(Column(cash, "日期"), Texts{wxDateTime::Today().Format("%Y-%m-%d")});

    // 查询 > 统计 > 售货统计 over last month: both tickets, 230.60.
    {
        using namespace res::statistics;
        wxString shown;
        desk::OnModal<total> statistic([&shown](total& dialog) {
            desk::Click(res::FindControl(&dialog, kStartButton));
            auto* sum = res::Control<wxStaticText>(&dialog, kTotalText);
            desk::WaitFor([&] { return sum->GetLabel() != U("总计:"); });
            shown = sum->GetLabel();
            desk::Shot("statistic");
            desk::Click(res::FindControl(&dialog, kExitButton));
        });
        desk::MenuPath(frame, {"查询(&S)", "统计(&T)", "售货统计"});
        ASSERT_TRUE(desk::WaitFor([&] { return statistic.Done(); }));
        EXPECT_EQ(shown, U("总计:230.60"));
    }
}

// 工具 > 数据引入: parts from a supplier's file added to the stock. The check dialog
// shows the stock's rows with the imported ones last; each is drawn on the screen, also
// once scrolled down to, before the operator confirms.
TEST_F(OfficeDeskTest, ImportedPartsAreShownForCheckingThenSaved) {
    ASSERT_NE(LogIn(), nullptr);
    std::vector<std::string> texts; // the rows hold pointers into it
    // More than a screen of stock, and long enough to load under the progress bar.
    constexpr int kStock = 50;
    for (int i = 1; i <= kStock; ++i)
        for (const char* prefix : {"库存件", "K-", ""})
            texts.push_back(prefix + std::to_string(i));
    std::vector<Row> stock;
    for (size_t i = 0; i < texts.size(); i += 3)
        stock.push_back({{"零件名称", texts[i].c_str()},
                         {"编号", texts[i + 1].c_str()},
                         {"no", texts[i + 2].c_str()}});
    Insert("ljkc", stock);
    const std::string folder = Path("in");
    platform::CreateFolders(folder);
    Execute(folder, {"CREATE TABLE parts (零件名称 C(30), 编号 C(30), 数量 I)",
                     "INSERT INTO parts VALUES ('刹车片', 'P-1', 4)",
                     "INSERT INTO parts VALUES ('机油滤清器', 'P-2', 6)"});

    using namespace res::data_import;
    desk::OnModal<CImportCheckDlg> check([](CImportCheckDlg& dialog) {
        CGridCtrl* grid = dialog.Grid();
        ASSERT_TRUE(desk::Reachable(grid));
        ASSERT_EQ(grid->GetRowCount(), kStock + 3);
        desk::Shot("import-check");
        for (int row : {0, 1, 2})
            EXPECT_GT(RowInk(grid, row), 20) << "row " << row << " is not drawn";
        // Down to the imported rows at the end.
        desk::ClickCell(grid, 1, 1);
        desk::Key(WXK_END);
        ASSERT_TRUE(desk::WaitFor([&] { return grid->IsCellVisible(kStock + 2, 1); }));
        desk::Shot("import-check-end");
        for (int row : {kStock + 1, kStock + 2})
            EXPECT_GT(RowInk(grid, row), 20) << "row " << row << " is not drawn after scrolling";
        desk::Click(res::FindControl(&dialog, res::IDOK));
    });
    desk::OnModal<CDataImportDlg> import([this, &folder](CDataImportDlg& dialog) {
        desk::Click(res::FindControl(&dialog, kSourceEdit));
        desk::Type(wxString::FromUTF8(folder + "/parts.dbf"));
        desk::Click(res::FindControl(&dialog, kTargetCombo));
        desk::Type(U("零件库存"));
        desk::Click(res::FindControl(&dialog, res::IDOK));
        desk::WaitFor([&] { return boxes_->Showed("操作完成"); });
        desk::Click(res::FindControl(&dialog, res::IDCANCEL));
    });
    desk::Menu('T', "S");
    ASSERT_TRUE(desk::WaitFor([&] { return import.Done(); }));
    EXPECT_TRUE(check.Done());
    EXPECT_EQ(Column(U("select * from ljkc where 编号 like 'P-%' order by 编号"), "零件名称"),
              (Texts{U("刹车片"), U("机油滤清器")}));
}
