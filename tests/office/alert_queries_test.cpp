#include "app/alert_queries.h"

#include "office_fixture.h"

namespace {

using namespace office_test;

class AlertQueriesTest : public OfficeSetTest {
protected:
    void SetUp() override {
        OfficeSetTest::SetUp();
        MakeSet([](ado::Connection& c) {
            int no = 0;
            for (const char* values :
                 {"'桑塔纳','刹车片','P1','A1',1", "'桑塔纳','刹车片','P1','B2',1",
                  "'捷达','皮带','','A1',1", "'富康','火花塞','P3','A1',50"})
                Run(c, std::string("insert into ljkc (车型,零件名称,编号,货位,数量,no) values (") +
                           values + "," + std::to_string(++no) + ")");
            no = 0;
            for (const char* values : {"'桑塔纳','刹车片','P1',5,10", "'捷达','皮带','',3,6",
                                       "'富康','火花塞','P3',5,20", "'桑塔纳','雨刮片','P9',2,4"})
                Run(c,
                    std::string("insert into jjl (车型,零件名称,编号,警戒量,最大量,no) values (") +
                        values + "," + std::to_string(++no) + ")");
            no = 0;
            for (const char* values :
                 {"'京A1002','张三',{^1980-12-30}", "'京A2001','李四',{^1984-02-29}",
                  "\"京B3'7\",'王五',{^1990-06-01}", "'京A1003','赵六',{^//}"})
                Run(c, std::string("insert into gk (车牌号码,车主姓名,生日,no) values (") + values +
                           "," + std::to_string(++no) + ")");
        });
    }
    std::vector<std::string> List(CAlertQueries::Kind kind, const wxDateTime& today,
                                  const char* field) {
        CDataSet list, aux;
        EXPECT_TRUE(CAlertQueries::Open(kind, today, list, aux));
        std::vector<std::string> values;
        auto rs = list.m_pRecordset;
        if (rs->RecordCount() <= 0) return values;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            std::string text = rs->Fields().Item(field).Value().ToString();
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            values.push_back(text);
        }
        return values;
    }
    const wxDateTime today_ = wxDateTime(28, wxDateTime::Dec, 2025);
};

TEST_F(AlertQueriesTest, ShortageListsEachPartOnceWithStocklessAlertParts) {
    const auto names = List(CAlertQueries::Kind::Shortage, today_, "零件名称");
    EXPECT_EQ(names, (std::vector<std::string>{"皮带", "刹车片", "雨刮片"}));
    // Two bins of P1 count together; the part without stock shows 0 and its maximum.
    EXPECT_EQ(List(CAlertQueries::Kind::Shortage, today_, "现有数量"),
              (std::vector<std::string>{"1", "2", "0"}));
    EXPECT_EQ(List(CAlertQueries::Kind::Shortage, today_, "缺货量"),
              (std::vector<std::string>{"5", "8", "4"}));
    EXPECT_EQ(List(CAlertQueries::Kind::Surplus, today_, "编号"), std::vector<std::string>{"P3"});
}

TEST_F(AlertQueriesTest, MonthFilterAndBirthdayWindow) {
    EXPECT_EQ(CAlertQueries::BuildMonthFilter(today_),
              "ReplaceStr like '%2' or ReplaceStr1 like '%1'");
    EXPECT_EQ(CAlertQueries::BuildMonthFilter(wxDateTime(3, wxDateTime::Sep, 2025)),
              "ReplaceStr like '%9' or ReplaceStr1 like '%0'");
    const auto window = CAlertQueries::BirthdayWindow(today_);
    EXPECT_EQ(window, (std::set<wxString>{"1228", "1229", "1230", "1231", "0101", "0102", "0103",
                                          "0104", "0105", "0106"}));
    // December plates end in 2 or 1.
    EXPECT_EQ(List(CAlertQueries::Kind::Inspection, today_, "车牌号码"),
              (std::vector<std::string>{"京A1002", "京A2001"}));
    EXPECT_EQ(List(CAlertQueries::Kind::Birthday, today_, "车主姓名"),
              std::vector<std::string>{"张三"});
    // 29 February is listed only when the window holds one.
    EXPECT_EQ(
        List(CAlertQueries::Kind::Birthday, wxDateTime(25, wxDateTime::Feb, 2024), "车主姓名"),
        std::vector<std::string>{"李四"});
    EXPECT_TRUE(
        List(CAlertQueries::Kind::Birthday, wxDateTime(1, wxDateTime::Mar, 2025), "车主姓名")
            .empty());
}

TEST_F(AlertQueriesTest, MarksReachOnlyTheListedVehicles) {
    CDataSet data;
    data.UpdateWhere("gk", U("标致"), "T", wxString()); // the last round's marks
    CAlertQueries::MarkAll(CAlertQueries::Kind::Inspection, {U("京A1002")}, data);
    CAlertQueries::Mark(CAlertQueries::Kind::Inspection, U("京B3'7"), data);
    EXPECT_EQ(Column(U("select 标致 from gk order by no"), U("标致")),
              (std::vector<wxString>{"T", "", "T", ""}));
    // A quote in a plate is part of the value, not of the statement.
    EXPECT_TRUE(boxes_.Shown().empty());
}

} // namespace
