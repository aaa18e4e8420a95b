#include "work/customer_card_data.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

class CustomerCardDataTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        Insert("gk", {{{"车牌号码", "京A12345"},
                       {"车型", "捷达"},
                       {"颜色", "白"},
                       {"车主姓名", "张三"},
                       {"客户特征", "老客户"}}});
        Insert("zyxm", {{{"客户", "A123"}, {"故障", "M_WX_GQ"}, {"单位", "NO"}},
                        {{"客户", "A123"}, {"项目名称", "换机油"}},
                        {{"客户", "B9"}, {"项目名称", "洗车"}}});
        lines_.Open("select * from zyxm");
        ASSERT_TRUE(lines_.IsOpen());
        CDataSet::MakeFilter(lines_.m_pRecordset, U("客户"), "A123"); // the page's view
    }
    bool Apply(const char* title, const char* plate) {
        return work::ApplyCustomerData(lines_, lines_.m_pRecordset, U(title), U(plate));
    }
    std::vector<wxString> Saved(const char* field) {
        lines_.NumberRows(lines_.m_pRecordset, "zyxm");
        EXPECT_EQ(lines_.Save(lines_.m_pRecordset), 1);
        return Column("select * from zyxm order by no", field);
    }
    CDataSet lines_;
};

TEST_F(CustomerCardDataTest, TheCardMovesToTheSavedPlateWithTheVehicleInItsHeader) {
    ASSERT_TRUE(Apply("A123", "京A12345"));
    EXPECT_EQ(Saved("客户"), (std::vector<wxString>{U("京A12345"), U("京A12345"), "B9"}));
    EXPECT_EQ(Column("select * from zyxm where no=1", "项目名称"),
              std::vector<wxString>{U("捷达")});
    EXPECT_EQ(Column("select * from zyxm where no=1", "作业人员"),
              std::vector<wxString>{U("张三")});
    EXPECT_EQ(Column("select * from zyxm where no=1", "故障"), std::vector<wxString>{""});
    EXPECT_EQ(Column("select * from zyxm where no=2", "项目名称"),
              std::vector<wxString>{U("换机油")});
}

TEST_F(CustomerCardDataTest, NothingChangesForAnotherVehicleOrAnUnknownPlate) {
    EXPECT_FALSE(Apply("A123", "沪C1"));      // the record saved was not this card's
    EXPECT_FALSE(Apply("A123", "京A123456")); // not in gk
    EXPECT_FALSE(Apply("C7", "京A12345"));    // the plate does not contain the title
    EXPECT_EQ(Saved("客户"), (std::vector<wxString>{"A123", "A123", "B9"}));
}

TEST_F(CustomerCardDataTest, ACardAlreadyUnderItsPlateOnlyTakesTheVehicle) {
    Insert("zyxm", {{{"客户", "京A12345"}}});
    lines_.Open("select * from zyxm");
    ASSERT_TRUE(Apply("京A12345", "京A12345"));
    EXPECT_EQ(Saved("项目名称").back(), U("捷达"));
    EXPECT_EQ(Column("select * from zyxm where no=4", "客户"),
              std::vector<wxString>{U("京A12345")});
}

} // namespace
