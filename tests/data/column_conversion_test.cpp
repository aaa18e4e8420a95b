#include "data/column_conversion.h"
#include "data/column_grid.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>
#include <wx/datetime.h>

namespace {

// A grid showing the given column headings (row 0), without a recordset.
class HeadingGrid : public CColumnGrid {
public:
    explicit HeadingGrid(std::vector<wxString> headings) : headings_(std::move(headings)) {}
    wxString GetTableName() const override { return "ljkc"; }
    wxString GetReportName() const override { return wxString(); }
    int GetColumnCount() const override { return static_cast<int>(headings_.size()) + 1; }
    int GetColumnWidth(int) const override { return 80; }
    bool SetColumnWidth(int, int) override { return true; }
    wxString GetItemText(int row, int column) const override {
        return row == 0 && column >= 1 ? headings_[column - 1] : wxString();
    }
    ado::RecordsetPtr GetGridRecordset() const override { return nullptr; }

private:
    std::vector<wxString> headings_;
};

CColumnConversion Parts() {
    return CColumnConversion({{U("编号"), 200},
                              {U("单价"), 131},
                              {U("数量"), 3},
                              {U("备注"), 200},
                              {U("日期"), 133},
                              {"no", 3},
                              {"flag", 200},
                              {"no1", 3},
                              {U("价"), 131}});
}

using Names = std::vector<wxString>;

TEST(ColumnConversion, ListsConvertibleFieldsShownInTheGrid) {
    CColumnConversion conversion = Parts();
    EXPECT_EQ(conversion.ListColumns(nullptr),
              (Names{U("编号"), U("单价"), U("数量"), U("备注"), U("日期"), U("价")}));
    HeadingGrid grid({U("编号"), U("单价"), "no", "flag"});
    EXPECT_EQ(conversion.ListColumns(&grid), (Names{U("编号"), U("单价")}));
}

TEST(ColumnConversion, StartingTextsFollowTheFieldType) {
    CColumnConversion conversion = Parts();
    EXPECT_EQ(conversion.StartingText(U("单价")), U("单价*"));
    EXPECT_EQ(conversion.StartingText(U("数量")), U("数量*"));
    EXPECT_EQ(conversion.StartingText(U("备注")), U("备注+"));
    EXPECT_EQ(conversion.StartingText(U("日期")), wxDateTime::Today().Format("%Y-%m-%d"));
}

TEST(ColumnConversion, ChecksTheTypedExpression) {
    using V = CColumnConversion::Verdict;
    struct Case {
        const char* field;
        const char* typed;
        V verdict;
        const char* result;
    } cases[] = {
        {"单价", " 单价*1.1 ", V::Accepted, "单价@&单价*1.1"},
        {"单价", "单价*数量", V::Accepted, "单价@&单价*数量"},
        {"单价", "0", V::Accepted, "单价@&0"},
        {"单价", "*1.1", V::Refused, "单价@&"},
        {"单价", "单价*", V::Refused, "单价@&"},
        {"单价", "单价*abc", V::Refused, "单价@&单价*abc"},
        {"单价", "单价*1;DELETE FROM ljkc", V::Refused, "单价@&单价*1;DELETE FROM ljkc"},
        {"单价", "", V::Refused, "单价@&"},
        {"备注", "备注+\"旧件\"", V::Accepted, "备注@&备注+旧件"},
        {"备注", "“新”+备注", V::Accepted, "备注@&新+备注"},
        {"日期", "2005-2-3", V::Accepted, "日期@&2005-02-03"},
        {"日期", "2005-02-30", V::StayOpen, "日期@&2005-02-30"},
        {"日期", "", V::StayOpen, "日期@&"},
        {"缺少", "1", V::StayOpen, ""},
    };
    CColumnConversion conversion = Parts();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        platform::ScriptedMessageBoxes boxes;
        wxString result;
        EXPECT_EQ(conversion.Check(U(c.field), U(c.typed), &result), c.verdict);
        EXPECT_EQ(result, U(c.result));
        const bool refusalShown =
            !boxes.Texts().empty() &&
            boxes.Texts().back() == "选择或输入内容不对或不完整！无法完成操作。";
        EXPECT_EQ(refusalShown, c.verdict == V::Refused);
    }
}

TEST(ColumnConversion, ValuesBecomeLiteralsInTheStatementText) {
    CColumnConversion conversion = Parts();
    EXPECT_EQ(conversion.SetExpression(U("单价"), U("单价*1.1+数量")), U("单价*1.1+数量"));
    EXPECT_EQ(conversion.SetExpression(U("备注"), U("备注+旧件")), U("备注+'旧件'"));
    // A typed text holds nothing the engine could take as a second statement.
    EXPECT_EQ(conversion.SetExpression(U("备注"), U("x;DELETE FROM ljkc")),
              U("'x;DELETE FROM ljkc'"));
    EXPECT_EQ(conversion.SetExpression(U("日期"), U("2005-02-03")), U("{^2005-02-03}"));
}

} // namespace
