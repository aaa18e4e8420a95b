#include "common/table_folder.h"
#include "data/column_operation.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/record_fields.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

namespace {

class ColumnOperationTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"ljkc"}, *frame_);
        Insert("ljkc", {{{"零件名称", "机油滤清器"},
                         {"编号", "JL-01"},
                         {"数量", "4"},
                         {"进价", "3.1"},
                         {"零售价", "5"},
                         {"no", "1"}},
                        {{"零件名称", "刹车片"},
                         {"编号", "SC-02"},
                         {"数量", "0"},
                         {"进价", "10"},
                         {"零售价", "12.5"},
                         {"no", "2"}}});
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }
    // The field of every record after the answer was applied (nothing saved).
    std::vector<wxString> After(const char* answer, const char* field, bool skipFirst = false,
                                int* changed = nullptr) {
        CDataSet data;
        data.Open("select * from ljkc order by no");
        EXPECT_TRUE(data.IsOpen());
        const int n = CColumnOperation::Apply(data, data.m_pRecordset, U(answer), skipFirst);
        if (changed) *changed = n;
        std::vector<wxString> values;
        ado::Recordset& rs = *data.m_pRecordset;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
            values.push_back(FieldText(rs, field));
        return values;
    }
    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
};

using Values = std::vector<wxString>;

TEST_F(ColumnOperationTest, ValuesAndExpressionsOverFields) {
    const struct {
        const char* answer;
        const char* field;
        Values expected;
    } cases[] = {
        {"数量@&0", "数量", {"0", "0"}},
        // Cents are kept; products before sums.
        {"零售价@&进价*1.1", "零售价", {"3.41", "11"}},
        {"零售价@&进价+数量*2", "零售价", {"11.1", "10"}},
        {"零售价@&零售价-进价/2", "零售价", {"3.45", "7.5"}},
        // Into a text column "+" appends and "-" removes.
        {"零件名称@&零件名称+编号", "零件名称", {U("机油滤清器JL-01"), U("刹车片SC-02")}},
        {"零件名称@&零件名称-滤清器", "零件名称", {U("机油"), U("刹车片")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        EXPECT_EQ(After(c.answer, c.field), c.expected);
    }
}

TEST_F(ColumnOperationTest, DivisionByZeroKeepsTheRecordAndTheHiddenFirstRecordStays) {
    int changed = 0;
    EXPECT_EQ(After("零售价@&进价/数量", "零售价", false, &changed), (Values{"0.78", "12.5"}));
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(After("数量@&7", "数量", true), (Values{"4", "7"}));
    EXPECT_EQ(After("没有@&7", "数量", false, &changed), (Values{"4", "0"}));
    EXPECT_EQ(changed, -1);
}

} // namespace
