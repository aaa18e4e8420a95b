#include "office/customer_alert.h"

#include "office_fixture.h"

namespace {

using namespace office_test;

class CustomerAlertTest : public OfficeSetTest {
protected:
    void SetUp() override {
        OfficeSetTest::SetUp();
        MakeSet([this](ado::Connection& c) {
            int no = 0;
            for (const char* plate : {"京A1", "京A12", "京A2", "京A3", "京A4"})
                Run(c, std::string("insert into gk (车牌号码,车主姓名,no) values ('") + plate +
                           "','车主'," + std::to_string(++no) + ")");
            no = 0;
            auto line = [&](const char* plate, int daysAgo, const char* flag) {
                Run(c, std::string("insert into ljsh (客户,项目名称,数量,日期,flag,no) values ('") +
                           plate + "','机油',1," + Date(Ago(daysAgo)) + ",'" + flag + "'," +
                           std::to_string(++no) + ")");
            };
            line("京A1", 200, "W");
            line("京A1", 90, "W");   // last visit on the near end
            line("京A12", 180, "W"); // on the far end
            line("京A2", 30, "W");
            line("京A4", 100, "P"); // a parts sale is no repair visit
        });
    }
    std::string Ago(int days) const {
        return (today_ - wxDateSpan::Days(days)).Format("%Y-%m-%d").utf8_string();
    }
    std::vector<std::string> Plates(long from, long to) {
        CDataSet list, aux;
        EXPECT_TRUE(CCustomerAlert::Open(true, from, to, today_, list, aux));
        std::vector<std::string> plates;
        auto rs = list.m_pRecordset;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            std::string plate = rs->Fields().Item("车牌号码").Value().ToString();
            plates.push_back(plate.substr(0, plate.find(' ')));
        }
        return plates;
    }
    const wxDateTime today_ = wxDateTime(30, wxDateTime::Jun, 2025);
};

TEST_F(CustomerAlertTest, RangeIncludesBothEndsThenTheNeverSeen) {
    EXPECT_EQ(Plates(90, 180), (std::vector<std::string>{"京A1", "京A12", "京A3", "京A4"}));
    // A first number above the second lists only those who never came.
    EXPECT_EQ(Plates(180, 90), (std::vector<std::string>{"京A3", "京A4"}));
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(CustomerAlertTest, LinesAreThoseOfExactlyTheCustomer) {
    EXPECT_EQ(Column(CCustomerAlert::LinesStatement(true, U("京A1")), U("客户")),
              (std::vector<wxString>{U("京A1"), U("京A1")}));
    EXPECT_TRUE(
        Column(CCustomerAlert::LinesStatement(true, U("京A1' or '1'='1")), U("客户")).empty());
    for (const char* bad : {"abc", "-5", "1.5"})
        EXPECT_FALSE(CCustomerAlert::CheckDays(bad).empty()) << bad;
    EXPECT_TRUE(CCustomerAlert::CheckDays("").empty());
}

} // namespace
