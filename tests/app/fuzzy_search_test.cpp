#include "app/fuzzy_search.h"
#include "app/fuzzy_search_dlg.h"
#include "app/search_condition.h"
#include "common/table_folder.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/fuzzy_search_template.h"

#include <functional>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

namespace {

using namespace res::fuzzy_search;
using Boxes = std::vector<std::string>;

const char* const kRepairBase = "select 客户,车型,项目名称,编号,单价,数量,业务,码表,厂牌,其它,日期,"
                                "备注,flag,no from ljsh order by 日期,客户 where flag='W' ";

TEST(FuzzySearchStatement, ConditionsByFieldType) {
    struct Case {
        const char* field;
        long type;
        long size;
        const char* op;
        const char* value;
        const char* condition;
    };
    const Case cases[] = {
        {"数量", 3, 4, ">=", "5", "数量>=5"},
        {"数量", 3, 4, "=", "1234567", "数量=1234567"},
        {"单价", 131, 8, "<", "12.5", "单价<12.50"},
        {"单价", 131, 8, "=", "1234567.89", "单价=1234567.89"}, // no float on the way
        {"客户", 129, 40, "like", "王", "'王' $ 客户"},
        {"编号", 129, 30, "like", "A_1%", "'A_1%' $ 编号"}, // no wildcards
        {"车型", 129, 20, "=", "桑塔纳", "车型='桑塔纳'"},
        {"客户", 129, 4, "=", "王小二家", "客户='王小'"}, // cut to the field's size
        {"日期", 133, 8, "<", "2005-3-1", "日期<{^2005-03-01}"},
        {"日期", 133, 8, "", "2005-3-1", ""},
        {"客户", 129, 40, "like", "", ""},
        {"照片", 205, 10, "=", "1", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSearchCondition::Statement(U(c.field), c.type, c.size, U(c.op), U(c.value)),
                  U(c.condition))
            << c.value;
}

TEST(FuzzySearchStatement, StatementsByModeAndJoint) {
    struct Case {
        int mode;
        const char* table;
        const char* c1;
        const char* c2;
        bool orJoin;
        const char* start;
        const char* end;
        std::string statement;
    };
    const std::string dates = "日期>={^2004-01-01} and 日期<={^2005-12-31}";
    const Case cases[] = {
        {0, "ljkc", "'刹车' $ 零件名称", "数量>0", false, "", "",
         "select * from ljkc where ('刹车' $ 零件名称 and 数量>0)"},
        {0, "ljkc", "", "数量>0", true, "", "", "select * from ljkc where (数量>0)"},
        {0, "ljkc", "数量>0", "数量<9", true, "", "",
         "select * from ljkc where (数量>0 or 数量<9)"},
        {1, "ljsh", "", "", false, "2004-01-01", "2005-12-31", kRepairBase + (" and " + dates)},
        {1, "ljsh", "数量>0", "", false, "", "", kRepairBase + std::string(" and (数量>0)")},
        {0, "wlzm", "", "", false, "2004-01-01", "2005-12-31", "select * from wlzm where " + dates},
        {0, "wlzm", "金额>5", "", false, "2004-01-01", "0:00:00",
         "select * from wlzm where (金额>5) and 日期>={^2004-01-01}"},
        {3, "wlzm", "", "", false, "", "2005-12-31",
         "select * from wlzm where 日期<={^2005-12-31} order by 日期"},
        {4, "ljsh", "数量>0", "", false, "", "",
         "select 客户,车型,项目名称,编号,单价,进价,单位,数量,货位,厂牌,折扣,日期,备注,no from "
         "ljsh where (数量>0)"},
        {2, "ljsh", "", "", false, "", "", ""}, // nothing formed
    };
    for (const Case& c : cases) {
        CFuzzySearch::Request request;
        request.table = c.table;
        request.condition1 = U(c.c1);
        request.condition2 = U(c.c2);
        request.orJoin = c.orJoin;
        request.dateField = U("日期");
        request.start = c.start;
        request.end = c.end;
        EXPECT_EQ(CFuzzySearch::Build(c.mode, request).utf8_string(), c.statement);
    }
}

TEST(FuzzySearchStatement, AllRecordsByDocumentKind) {
    EXPECT_EQ(CFuzzySearch::AllRecords(0, "ljsh", U("维修清单")), U(kRepairBase));
    EXPECT_TRUE(CFuzzySearch::AllRecords(1, "ljsh", U("零件售货单")).EndsWith("flag='P' "));
    EXPECT_EQ(CFuzzySearch::AllRecords(0, "gk", ""), "select * from gk");
    EXPECT_EQ(CFuzzySearch::AllRecords(4, "ljsh", U("维修清单")), CFuzzySearch::CostBase());
}

class FuzzySearchDlgTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"ljkc", "ljsh", "gk"}, *frame_);
        AddRows("ljkc", {{{"零件名称", "刹车片"}, {"数量", "3"}, {"零售价", "12.50"}},
                         {{"零件名称", "机油"}, {"数量", "0"}, {"零售价", "30"}}});
        AddRows("ljsh", {{{"客户", "王五"}, {"日期", "2005-06-01"}, {"flag", "W"}},
                         {{"客户", "赵六"}, {"日期", "2003-06-01"}, {"flag", "W"}}});
        window_ = new wxFrame(nullptr, wxID_ANY, "list");
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }

    void AddRows(const char* table,
                 const std::vector<std::vector<std::pair<const char*, const char*>>>& rows) {
        CDataSet data;
        data.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        for (const auto& row : rows) {
            rs->AddNew();
            for (const auto& [field, value] : row)
                data.PutFieldValue(U(value), U(field), rs);
        }
        data.NumberRows(rs, table);
        ASSERT_EQ(data.Save(rs), 1);
    }

    // The caller's grid, made current, with the given column titles.
    void MakeGrid(std::vector<const char*> titles, const char* title = "") {
        auto* grid = new CGridCtrl(2, int(titles.size()) + 1, 1, 1);
        ASSERT_TRUE(grid->Create(window_, wxID_ANY, wxRect(0, 0, 300, 100)));
        for (size_t i = 0; i < titles.size(); ++i)
            grid->SetItemText(0, int(i) + 1, U(titles[i]));
        grid->m_strTitle = U(title);
        grid->SetFocusCell(1, 1);
        ASSERT_EQ(CGridCtrl::GetCurrentGrid(), grid);
    }

    // Runs the dialog on the table; `user` acts while it is up and may leave it open,
    // in which case it is cancelled afterwards.
    int Run(const char* table, int mode, const std::function<void(CFuzzySearchDlg&)>& user) {
        frame_->m_strShared = table;
        CFuzzySearchDlg dialog(nullptr, frame_.get());
        dialog.m_nMode = mode;
        dialog.CallAfter([&dialog, &user] {
            user(dialog);
            if (dialog.IsModal()) dialog.EndModal(wxID_CANCEL);
        });
        return dialog.ShowModal();
    }

    static wxComboBox* Combo(CFuzzySearchDlg& d, int id) {
        return res::Control<wxComboBox>(&d, id);
    }
    static wxTextCtrl* Edit(CFuzzySearchDlg& d, int id) { return res::Control<wxTextCtrl>(&d, id); }
    static void Choose(CFuzzySearchDlg& d, int id, const char* text) {
        wxComboBox* combo = Combo(d, id);
        ASSERT_TRUE(combo->SetStringSelection(U(text))) << text;
        wxCommandEvent change(wxEVT_COMBOBOX, combo->GetId());
        change.SetEventObject(combo);
        combo->GetEventHandler()->ProcessEvent(change);
    }
    static void Press(CFuzzySearchDlg& d, int id) {
        wxCommandEvent click(wxEVT_BUTTON, res::ToWxId(id));
        click.SetEventObject(res::FindControl(&d, id));
        d.GetEventHandler()->ProcessEvent(click);
    }
    static void Key(CFuzzySearchDlg& d, int code) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        d.GetEventHandler()->ProcessEvent(key);
    }
    static std::vector<wxString> Items(wxComboBox* combo) {
        std::vector<wxString> items;
        for (unsigned i = 0; i < combo->GetCount(); ++i)
            items.push_back(combo->GetString(i));
        return items;
    }

    std::unique_ptr<CMainFrameData> frame_;
    wxFrame* window_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

// Only the fields the caller's grid shows, never no or flag; comparisons follow the
// chosen field's type.
TEST_F(FuzzySearchDlgTest, FieldsAndComparisons) {
    MakeGrid({"零件名称", "数量", "no"});
    Run("ljkc", 0, [](CFuzzySearchDlg& d) {
        EXPECT_EQ(Items(Combo(d, kField1)), (std::vector<wxString>{U("零件名称"), U("数量")}));
        EXPECT_EQ(Combo(d, kField2)->GetStringSelection(), U("数量"));
        EXPECT_EQ(Items(Combo(d, kCompare1)), (std::vector<wxString>{U("包含"), U("等于")}));
        EXPECT_EQ(Combo(d, kCompare2)->GetCount(), 5u);
        EXPECT_EQ(Combo(d, kCompare2)->GetStringSelection(), U("等于"));
        Choose(d, kField1, "数量");
        EXPECT_EQ(Combo(d, kCompare1)->GetCount(), 5u);
        EXPECT_FALSE(res::Control<wxCheckBox>(&d, kDateCheck)->IsEnabled());
        EXPECT_FALSE(Edit(d, kStartDate)->IsEnabled());
    });

    MakeGrid({"零件名称"}); // a single field: the second list has no choice
    Run("ljkc", 0,
        [](CFuzzySearchDlg& d) { EXPECT_EQ(Combo(d, kField2)->GetSelection(), wxNOT_FOUND); });
}

TEST_F(FuzzySearchDlgTest, SearchHandsOverAStatementThatFindsRecords) {
    MakeGrid({"零件名称", "数量"});
    int result = Run("ljkc", 0, [](CFuzzySearchDlg& d) {
        Edit(d, kValue1)->SetValue(U("刹车"));
        Choose(d, kCompare2, "大于");
        Edit(d, kValue2)->SetValue("0");
        Press(d, kSearchButton);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(frame_->m_strShared, U("select * from ljkc where ('刹车' $ 零件名称 and 数量>0)"));
    EXPECT_EQ(Column(frame_->m_strShared, "零件名称"), std::vector<wxString>{U("刹车片")});
    EXPECT_TRUE(boxes_.Shown().empty());
}

// Refusals keep the dialog open and the hand-over text unchanged; Escape searches
// like Enter and never cancels.
TEST_F(FuzzySearchDlgTest, RefusalsKeepTheDialogOpen) {
    MakeGrid({"零件名称", "数量"});
    int result = Run("ljkc", 0, [](CFuzzySearchDlg& d) {
        Edit(d, kValue1)->SetValue("O'Neil");
        Key(d, WXK_RETURN);
        EXPECT_TRUE(d.IsModal());
        Edit(d, kValue1)->SetValue(U("轮胎"));
        Key(d, WXK_ESCAPE);
        EXPECT_TRUE(d.IsModal());
        Edit(d, kValue1)->SetValue("");
        Press(d, kSearchButton);
        EXPECT_TRUE(d.IsModal());
    });
    EXPECT_EQ(result, wxID_CANCEL);
    EXPECT_EQ(frame_->m_strShared, "ljkc");
    EXPECT_EQ(boxes_.Texts(),
              (Boxes{"查询值中不能包含单引号！查询失败。", "对不起，没有符合条件的记录！",
                     "选择或输入内容不对或不完整！无法完成操作。"}));
}

// The repair lines of the archive: the date range starts ticked, from 2004-01-01 to
// today; an emptied bound is no bound.
TEST_F(FuzzySearchDlgTest, DateRangeInTheRepairArchive) {
    MakeGrid({});
    int result = Run("ljsh", 1, [](CFuzzySearchDlg& d) {
        EXPECT_TRUE(res::Control<wxCheckBox>(&d, kDateCheck)->GetValue());
        EXPECT_EQ(Edit(d, kStartDate)->GetValue(), "2004-01-01");
        EXPECT_EQ(Edit(d, kEndDate)->GetValue(), wxDateTime::Today().Format("%Y-%m-%d"));
        EXPECT_EQ(Combo(d, kField1)->FindString(U("flag")), wxNOT_FOUND);
        Edit(d, kEndDate)->SetValue("");
        Key(d, WXK_ESCAPE);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(frame_->m_strShared.utf8_string(),
              std::string(kRepairBase) + " and 日期>={^2004-01-01}");
    EXPECT_EQ(Column(frame_->m_strShared, "客户"), std::vector<wxString>{U("王五")});
}

TEST_F(FuzzySearchDlgTest, CustomerTableHasNoDateRangeAndAllTakesTheDocumentKind) {
    MakeGrid({}, "维修清单");
    int result = Run("gk", 0, [](CFuzzySearchDlg& d) {
        EXPECT_GT(Combo(d, kField1)->GetCount(), 20u);
        EXPECT_FALSE(res::Control<wxCheckBox>(&d, kDateCheck)->IsEnabled());
        EXPECT_EQ(Edit(d, kEndDate)->GetValue(), "");
        Press(d, kAllButton);
    });
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(frame_->m_strShared, U(kRepairBase));
}

} // namespace
