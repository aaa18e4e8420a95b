// The code tables opened from their menu commands and kept as the staff keep them:
// catalogue lines added, saved and listed again, new lines that outlive the page in
// the saved copy, the stock found by name, short code and store with the prices a
// user may not see hidden, the discounts of a membership card type, and the short
// codes of new parts made by the short-code table's button.
#include "gui_repair_sheet_fixture.h"

#include "app/company_data.h"
#include "app/main_frame.h"
#include "app/query_toolbar.h"
#include "common/file_size_limit.h"
#include "data/status_text.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/code_table_template.h"
#include "res/command_ids.h"
#include "work/code_table_page.h"
#include "work/line_fields.h"
#include "work/part_pick_dlg.h"
#include "work/work_sheet.h"

#include <algorithm>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::code_table;

namespace {

class CodeTableFormTest : public WorkshopTest {
protected:
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::CodeTableSheet, nullptr);
        WorkshopTest::TearDown();
    }
    hyxm* Open(CMainFrame* frame, int command) {
        frame->ExecuteCommand(command);
        Pump();
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::CodeTable));
        if (!sheet || frame->m_pActiveSheet != sheet) return nullptr;
        return dynamic_cast<hyxm*>(sheet->GetActiveWorkPage());
    }
    static std::vector<wxString> Cells(hyxm* page, const char* title) {
        CGridCtrl* grid = page->GetLineGrid();
        std::vector<wxString> cells;
        const int column = ColumnOf(grid, title);
        for (int row = 1; row < grid->GetRowCount() && column > 0; ++row)
            cells.push_back(grid->GetItemText(row, column));
        return cells;
    }
    static void Choose(hyxm* page, int combo, const char* text) {
        wxComboBox* box = res::Control<wxComboBox>(page, combo);
        const int at = box->FindString(U(text), true);
        ASSERT_NE(at, wxNOT_FOUND) << text;
        box->SetSelection(at);
        wxCommandEvent chosen(wxEVT_COMBOBOX, box->GetId());
        chosen.SetEventObject(box);
        chosen.SetInt(at);
        box->GetEventHandler()->ProcessEvent(chosen);
        Pump();
    }
    // One field of every line on the page, as the grid's recordset holds it.
    static std::vector<wxString> Field(hyxm* page, const char* field) {
        const ado::RecordsetPtr& rs = page->GetSheet()->m_rsLines;
        std::vector<wxString> values;
        if (rs->RecordCount() > 0)
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
                values.push_back(work::FieldText(rs, field));
        return values;
    }
    static bool Enabled(hyxm* page, int id) { return res::FindControl(page, id)->IsEnabled(); }
};

TEST_F(CodeTableFormTest, CatalogueLinesAreAddedSavedAndListedAgain) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    Insert("ljml", {{{"车型", "捷达"}, {"部位", "发动机"}, {"零件名称", "机油滤清器"},
                     {"编号", "J-01"}, {"no", "1"}},
                    {{"零件名称", "通用螺栓"}, {"no", "2"}}});
    hyxm* page = Open(frame, ID_CODE_PARTS_CATALOGUE);
    ASSERT_NE(page, nullptr);
    auto* filter = res::Control<wxComboBox>(page, kFilterCombo);
    // Never the whole catalogue: no "全部", and no model chosen lists the rows without one.
    EXPECT_EQ(filter->FindString(U("全部")), wxNOT_FOUND);
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("通用螺栓")});
    EXPECT_FALSE(Enabled(page, kSaveButton));

    Choose(page, kFilterCombo, "捷达");
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("机油滤清器")});
    EXPECT_NE(res::Control<wxComboBox>(page, kPositionCombo)->FindString(U("发动机")),
              wxNOT_FOUND);

    // Two new lines: the model chosen, the 部位 of the row above, one piece each.
    CGridCtrl* grid = page->GetLineGrid();
    qv_test::Click(page, kNewButton);
    TypeIntoCell(grid, 2, ColumnOf(grid, "零件名称"), U("空气滤清器"));
    qv_test::Click(page, kNewButton);
    TypeIntoCell(grid, 3, ColumnOf(grid, "零件名称"), U("汽油滤清器"));
    EXPECT_EQ(Cells(page, "车型"), (std::vector<wxString>(3, U("捷达"))));
    EXPECT_EQ(Cells(page, "部位"), (std::vector<wxString>(3, U("发动机"))));
    EXPECT_EQ(Cells(page, "数量"), (std::vector<wxString>{"", "1", "1"}));
    EXPECT_TRUE(Enabled(page, kSaveButton));
    EXPECT_FALSE(Enabled(page, kExitButton));
    EXPECT_TRUE(page->GetCopy().Exists());

    qv_test::Click(page, kSaveButton);
    EXPECT_FALSE(page->GetCopy().Exists());
    EXPECT_FALSE(Enabled(page, kSaveButton));
    EXPECT_EQ(Column(U("select * from ljml where 车型='捷达' order by no"), "零件名称"),
              (std::vector<wxString>{U("机油滤清器"), U("空气滤清器"), U("汽油滤清器")}));
    EXPECT_EQ(Column(U("select * from ljml where no>2 order by no"), "no"),
              (std::vector<wxString>{"3", "4"}));

    qv_test::Click(page, kExitButton);
    Pump();
    EXPECT_EQ(frame->GetSheet(CMainFrame::SheetKind::CodeTable), nullptr);
    page = Open(frame, ID_CODE_PARTS_CATALOGUE);
    ASSERT_NE(page, nullptr);
    Choose(page, kFilterCombo, "捷达");
    EXPECT_EQ(Cells(page, "零件名称").size(), 3u);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(CodeTableFormTest, UnsavedLinesComeBackFromTheSavedCopyUntilSavedOrCancelled) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    Insert("wxxm", {{{"类别", "保养"}, {"项目名称", "换机油"}, {"no", "1"}},
                    {{"类别", "保养"}, {"项目名称", "换滤芯"}, {"no", "2"}}});
    hyxm* page = Open(frame, ID_CODE_LABOUR);
    ASSERT_NE(page, nullptr);
    CGridCtrl* grid = page->GetLineGrid();
    qv_test::Click(page, kNewButton);
    TypeIntoCell(grid, 3, ColumnOf(grid, "项目名称"), U("四轮定位"));

    // Another table replaces the page, as a new run would: the line is not stored, but
    // it comes back when the table opens again, waiting to be saved.
    ASSERT_NE(Open(frame, ID_CODE_STAFF), nullptr);
    EXPECT_EQ(Column(U("select * from wxxm"), "项目名称").size(), 2u);
    page = Open(frame, ID_CODE_LABOUR);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Cells(page, "项目名称"),
              (std::vector<wxString>{U("换机油"), U("换滤芯"), U("四轮定位")}));
    EXPECT_EQ(Cells(page, "进价").back(), "0.00");
    EXPECT_TRUE(Enabled(page, kSaveButton));
    EXPECT_FALSE(Enabled(page, kExitButton));

    // A save that fails (the disk is full) keeps the copy and shows the line again.
    {
        qv_test::FileSizeLimit limit(FullDiskFor("wxxm"));
        qv_test::Click(page, kSaveButton);
    }
    EXPECT_FALSE(boxes.Texts().empty());
    EXPECT_TRUE(page->GetCopy().Exists());
    EXPECT_EQ(Cells(page, "项目名称").back(), U("四轮定位"));
    EXPECT_TRUE(Enabled(page, kSaveButton));
    EXPECT_EQ(Column(U("select * from wxxm"), "项目名称").size(), 2u);

    // Cancelled: the copy goes with the line.
    qv_test::Click(page, kCancelButton);
    EXPECT_FALSE(page->GetCopy().Exists());
    EXPECT_EQ(Cells(page, "项目名称").size(), 2u);
    EXPECT_TRUE(Enabled(page, kExitButton));
}

TEST_F(CodeTableFormTest, StockIsFoundByNameShortCodeAndStoreWithPricesByRight) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    CCompanyData company;
    company.Load();
    company.Set(CCompanyData::kStores, U("一库，二库"));
    ASSERT_TRUE(company.Save());
    Insert("ljkc", {{{"车型", "捷达"}, {"零件名称", "刹车片"}, {"编号", "C3"}, {"货位", "一库A3"},
                     {"数量", "2"}, {"进价", "60"}, {"批发价", "80"}, {"零售价", "100"},
                     {"no", "1"}},
                    {{"车型", "捷达"}, {"零件名称", "机油"}, {"编号", "Y1"}, {"货位", "二库B1"},
                     {"数量", "3"}, {"进价", "10"}, {"零售价", "20"}, {"no", "2"}}});
    Insert("jmb", {{{"零件名称", "刹车片"}, {"简码", "SCP"}, {"no", "1"}}});
    // No purchase prices for this user (right 51).
    frame->m_strRights = "admin,61,";
    hyxm* page = Open(frame, ID_CODE_STORE);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(Cells(page, "零件名称").size(), 2u);
    EXPECT_EQ(ColumnOf(page->GetLineGrid(), "进价"), -1);
    EXPECT_NE(ColumnOf(page->GetLineGrid(), "批发价"), -1);
    EXPECT_FALSE(res::FindControl(page, kCostTotal)->IsShown());
    EXPECT_EQ(res::Control<wxStaticText>(page, kRetailTotal)->GetLabel(), U("零售价:260"));
    EXPECT_EQ(res::Control<wxStaticText>(page, kWholesaleTotal)->GetLabel(), U("批发价:160"));

    Choose(page, kStoreCombo, "二库");
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("机油")});
    Choose(page, kStoreCombo, "全部");
    EXPECT_EQ(Cells(page, "零件名称").size(), 2u);

    auto search = [page](int edit, const char* text) {
        qv_test::Type(page, edit, text);
        PressKey(res::FindControl(page, edit), WXK_RETURN);
        Pump();
    };
    search(kShortCodeEdit, "SC");
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("刹车片")});
    search(kCodeEdit, "Y");
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("机油")});
    EXPECT_TRUE(boxes.Texts().empty());

    search(kNameEdit, "a'b");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"查询值中不能包含单引号！查询失败。"});
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("机油")});
    boxes.Clear();
    search(kNameEdit, std::string(500, 'x').c_str());
    EXPECT_TRUE(Cells(page, "零件名称").empty());
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(CodeTableFormTest, StockNeedsItsRight) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    frame->m_strRights = "admin,23,";
    EXPECT_EQ(Open(frame, ID_CODE_STORE), nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"权限不够,不能操作!"});
}

TEST_F(CodeTableFormTest, CardTypeDiscountsGoIntoEveryListedItem) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    Insert("hyxm", {{{"卡类别", "金卡"}, {"项目名称", "洗车"}, {"次数", "3"}, {"折扣", "90"},
                     {"no", "1"}},
                    {{"卡类别", "金卡"}, {"项目名称", "打蜡"}, {"次数", "1"}, {"折扣", "90"},
                     {"no", "2"}}});
    hyxm* page = Open(frame, ID_CODE_SERVICE_ITEMS);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(qv_test::Text(page, kPartDiscountEdit), "90");
    Choose(page, kFilterCombo, "金卡");

    // Not a number: reported, and no item becomes free.
    page->ApplyCardDiscount(false, "abc");
    EXPECT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(Field(page, "折扣"), (std::vector<wxString>{"90", "90"}));
    // 100 is no discount at all.
    page->ApplyCardDiscount(false, "100");
    EXPECT_EQ(Field(page, "折扣"), (std::vector<wxString>{"", ""}));
    EXPECT_TRUE(Enabled(page, kSaveButton));

    // A new item of the type: a parts discount of 0 is none, used once.
    res::Control<wxTextCtrl>(page, kPartDiscountEdit)->ChangeValue("0");
    qv_test::Click(page, kNewButton);
    EXPECT_EQ(Cells(page, "卡类别").back(), U("金卡"));
    EXPECT_EQ(Cells(page, "次数").back(), "1");
    qv_test::Click(page, kSaveButton);
    EXPECT_EQ(Column(U("select * from hyxm order by no"), "折扣"),
              (std::vector<wxString>{"NULL", "NULL", "100"}));
}

TEST_F(CodeTableFormTest, ShortCodesOfNewPartsFindThemInTheQuickSearchAndTheChooser) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    std::vector<wxString> status;
    SetStatusTextHandler([&status](const wxString& text) { status.push_back(text); });
    struct StatusReset {
        ~StatusReset() { SetStatusTextHandler(nullptr); }
    } statusReset;

    // New parts typed into the stock and the catalogue; 刹车片 is in both.
    const auto addParts = [this, frame](int command,
                                        std::vector<std::pair<const char*, const char*>> parts) {
        hyxm* page = Open(frame, command);
        ASSERT_NE(page, nullptr);
        CGridCtrl* grid = page->GetLineGrid();
        for (const auto& part : parts) {
            qv_test::Click(page, kNewButton);
            const int row = grid->GetRowCount() - 1;
            TypeIntoCell(grid, row, ColumnOf(grid, "零件名称"), U(part.first));
            TypeIntoCell(grid, row, ColumnOf(grid, "编号"), U(part.second));
        }
        qv_test::Click(page, kSaveButton);
    };
    addParts(ID_CODE_STORE, {{"刹车片", "K-1"}, {"前刹车盘", "K-2"}, {"水泵", "K-3"}});
    addParts(ID_CODE_PARTS_CATALOGUE, {{"空气滤清器", "M-1"}, {"刹车片", "M-2"}});
    ASSERT_EQ(Column(U("select * from ljml"), "编号"), (std::vector<wxString>{"M-1", "M-2"}));

    hyxm* page = Open(frame, ID_CODE_SHORT_CODES);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(res::FindControl(page, kShortCodesButton)->IsShown());
    ASSERT_TRUE(res::FindControl(page, kShortCodesButton)->IsEnabled());
    // Not now: nothing is made.
    boxes.Clear();
    status.clear();
    boxes.Reply(platform::IDNO);
    qv_test::Click(page, kShortCodesButton);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"零件目录、零件库存、价格库和零件货源中的"
                                                      "名称将被自动生成简码,是否继续?"});
    EXPECT_TRUE(Cells(page, "简码").empty());
    EXPECT_TRUE(status.empty());

    // A code typed by hand and not yet saved is saved first, and the button makes
    // none for its name.
    CGridCtrl* grid = page->GetLineGrid();
    qv_test::Click(page, kNewButton);
    TypeIntoCell(grid, 1, ColumnOf(grid, "零件名称"), U("水泵"));
    TypeIntoCell(grid, 1, ColumnOf(grid, "简码"), "SBB");
    boxes.Clear();
    boxes.Reply(platform::IDYES);
    boxes.Reply(platform::IDYES);
    qv_test::Click(page, kShortCodesButton);
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{
                  "零件目录、零件库存、价格库和零件货源中的名称将被自动生成简码,是否继续?",
                  "数据还未存档，是否保存?"}));
    // Listed in full, in the order made: the stock first, so 刹车片 keeps its stock number.
    EXPECT_EQ(Cells(page, "零件名称"),
              (std::vector<wxString>{U("水泵"), U("刹车片"), U("前刹车盘"), U("空气滤清器")}));
    EXPECT_EQ(Cells(page, "简码"), (std::vector<wxString>{"SBB", "SCP", "QSCP", "KQLQQ"}));
    EXPECT_EQ(Cells(page, "编号"), (std::vector<wxString>{"", "K-1", "K-2", "M-1"}));
    EXPECT_EQ(res::Control<wxComboBox>(page, kFilterCombo)->GetValue(), U("全部"));
    EXPECT_FALSE(Enabled(page, kSaveButton));
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.front(), U("正在处理数据..."));
    EXPECT_NE(std::find(status.begin(), status.end(), U("正在生成'前刹车盘'的简码.")),
              status.end());
    EXPECT_EQ(status.back(), U("操作完成 如需帮助，请按F1键"));
    EXPECT_EQ(Column(U("select * from jmb order by no"), "no"),
              (std::vector<wxString>{"1", "2", "3", "4"}));

    // Found by its code in the catalogue's quick search ...
    page = Open(frame, ID_CODE_PARTS_CATALOGUE);
    ASSERT_NE(page, nullptr);
    qv_test::Type(page, kShortCodeEdit, "KQ");
    PressKey(res::FindControl(page, kShortCodeEdit), WXK_RETURN);
    Pump();
    EXPECT_EQ(Cells(page, "零件名称"), std::vector<wxString>{U("空气滤清器")});

    // ... and in the chooser of a repair card, which lists the stock.
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    ASSERT_NE(frame->GetSheet(CMainFrame::SheetKind::Repair), nullptr);
    const wxString stock =
        U("select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 "
          "from ljkc where ");
    std::vector<wxString> listed;
    wxString chosen;
    EXPECT_TRUE(qv_test::AnswerModal<CPartPickDlg>(
        [&] {
            CPartPickDlg chooser(CMainToolBar::BuildShortCodeSql(stock, U("零件名称"), "SC"));
            if (chooser.ShowModal() == wxID_OK) chosen = chooser.Picked().code;
        },
        [&listed](CPartPickDlg& dialog) {
            long disc = 0;
            for (long row = 0; row < dialog.m_list->GetItemCount(); ++row) {
                listed.push_back(dialog.m_list->GetItemText(row, 1));
                if (listed.back() == U("前刹车盘")) disc = row;
            }
            dialog.m_list->SetItemState(disc, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                        wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
            PressKey(dialog.m_list, WXK_RETURN);
        }));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<wxString>{U("刹车片"), U("前刹车盘")}));
    EXPECT_EQ(chosen, "K-2");
}

} // namespace
