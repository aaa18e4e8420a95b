#include "data/record_fields.h"
#include "work/brand_report.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

class BrandReportTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        MakeTables({"byxmb", "wxxm"}, *frame_);
        Insert("byxmb", {{{"保养类", "通用"}, {"项目名称", "机油滤清器"}},
                         // A maintenance row without a name must not hide every defect.
                         {{"保养类", "通用"}}});
        Insert("wxxm", {{{"项目名称", "更换机油"}}, {{"编号", "X1"}}});
        const char* lines[][3] = {
            {"捷达", "刹车片", "2005-03-01"},   {"捷达", "刹车片", "2005-03-02"},
            {"捷达", "刹车片", "2005-03-03"},   {"桑塔纳", "水泵", "2005-03-04"},
            {"桑塔纳", "刹车片", "2005-03-05"}, {"捷达", "机油滤清器", "2005-03-05"},
            {"捷达", "更换机油", "2005-03-05"}, {"捷达", "水泵", "2005-04-01"},
        };
        std::vector<std::vector<std::pair<const char*, const char*>>> rows;
        for (const auto& line : lines)
            rows.push_back(
                {{"车型", line[0]}, {"项目名称", line[1]}, {"日期", line[2]}, {"flag", "W"}});
        Insert("ljsh", rows);
    }
};

TEST_F(BrandReportTest, DefectsCountPartsByModelMostFrequentFirstLeavingOutMaintenanceAndLabour) {
    CDataSet data;
    data.Open(CBrandReport::DefectsStatement("2005-03-01", "2005-03-31"));
    ASSERT_TRUE(data.IsOpen());
    ado::Recordset& rs = *data.m_pRecordset;
    std::vector<wxString> got;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        got.push_back(FieldText(rs, "车型") + "/" + FieldText(rs, "项目名称") + "/" +
                      FieldText(rs, "发生件数"));
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], U("捷达/刹车片/3"));
    std::sort(got.begin() + 1, got.end());
    EXPECT_EQ(got[1], U("桑塔纳/刹车片/1"));
    EXPECT_EQ(got[2], U("桑塔纳/水泵/1"));
}

TEST(BrandReportTexts, FormTextsInTheirPlaces) {
    std::vector<wxString> typed;
    for (int i = 1; i <= CBrandReport::kTypedTexts; ++i)
        typed.push_back(wxString::Format("t%d", i));
    const std::vector<wxString> texts = CBrandReport::PrintTexts(
        typed, {U("顺达修理厂"), U("张经理"), "0755-1"}, wxDateTime(31, wxDateTime::Mar, 2005));
    ASSERT_EQ(texts.size(), 74u);
    EXPECT_EQ(texts[0], "I");
    EXPECT_EQ(texts[1], "t1");
    EXPECT_EQ(texts[69], "t69");
    EXPECT_EQ(texts[70], U("顺达修理厂"));
    EXPECT_EQ(texts[72], "0755-1");
    EXPECT_EQ(texts[73], "2005    03    31");
}

} // namespace
