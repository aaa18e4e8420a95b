#include "data/initials_table.h"
#include "work/short_codes.h"
#include "work_tables_fixture.h"

#include "platform/files.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<wxString>;

class ShortCodesTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        MakeTables({"jmb", "qvpy", "jgk", "hy", "ljml"}, *frame_);
    }
    // Every short-code row as 零件名称/简码/部位/编号, in record order.
    static Texts CodeRows() {
        Texts rows;
        const Texts names = Column("select * from jmb", "零件名称"),
                    codes = Column("select * from jmb", "简码"),
                    areas = Column("select * from jmb", "部位"),
                    numbers = Column("select * from jmb", "编号");
        for (size_t i = 0; i < names.size(); ++i)
            rows.push_back(names[i] + "/" + codes[i] + "/" + areas[i] + "/" + numbers[i]);
        return rows;
    }
    // Appends a row as an import brings it: a typed value could hold no quote.
    static void InsertImported(const char* table,
                               std::vector<std::pair<const char*, const char*>> fields) {
        CDataSet data;
        data.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(data.IsOpen());
        data.m_pRecordset->AddNew();
        for (const auto& field : fields)
            data.m_pRecordset->Fields().Item(field.first).PutValue(ado::Variant(field.second));
        data.NumberRows(data.m_pRecordset, table);
        ASSERT_EQ(data.Save(data.m_pRecordset), 1);
    }
    long GenerateAll(CShortCodes& codes) { return codes.GenerateAll(frame_->m_dsMain); }
};

TEST_F(ShortCodesTest, CodesAreTheInitialsOfTheLeadingChineseCharacters) {
    CShortCodes codes;
    ASSERT_TRUE(codes.LoadInitials(frame_->m_dsMain));
    const struct {
        const char* name;
        const char* code;
    } cases[] = {
        {"前刹车片", "QSCP"}, {"亍丌兀匕", "CJWB"}, // characters of GB2312's second level
        {"刹车ABS", "SC"},                          // the rest after a Latin letter is ignored
        {"刹车 片", "SC"},                          // ... after a blank
        {"刹车1号", "SC"},                          // ... after a digit
        {"刹车'片", "SC"},                          // ... after a quote
        {"刹车﨎片", "SC"},                         // ... after a character without an initial
        {"刹车，片", "SC"},                         // ... after a Chinese punctuation mark
        {"ABS泵", ""},                              // a Latin start gives no code
        {"12V灯泡", ""},      {"", ""},
        {"㐀车", ""}, // not in code page 936
    };
    for (const auto& c : cases)
        EXPECT_EQ(codes.CodeOf(U(c.name)), U(c.code)) << c.name;
}

TEST_F(ShortCodesTest, OneRowPerTrimmedNameFromItsFirstTableAndRow) {
    Insert("ljkc", {{{"零件名称", "刹车片"}, {"部位", "制动"}, {"编号", "A1"}},
                    {{"零件名称", " 刹车片 "}, {"部位", "底盘"}, {"编号", "A2"}},
                    {{"零件名称", "机油滤清器"}, {"编号", "B1"}},
                    {{"零件名称", "ABS泵"}, {"编号", "C1"}},
                    {{"编号", "D1"}}}); // no name
    InsertImported("ljkc", {{"零件名称", "O'型密封圈"}});
    InsertImported("ljkc", {{"零件名称", "车门'把手"}, {"部位", "车身"}});
    Insert("jgk", {{{"零件名称", "刹车片"}, {"部位", "别处"}, {"编号", "J1"}},
                   {{"零件名称", "水泵"}, {"部位", "冷却"}, {"编号", "J2"}}});
    InsertImported("hy", {{"零件名称", "车门'把手"}, {"编号", "H1"}});
    Insert("ljml", {{{"零件名称", "水泵"}}, {{"零件名称", "雨刮片"}, {"编号", "M1"}}});

    CShortCodes codes;
    EXPECT_EQ(GenerateAll(codes), 5);
    EXPECT_EQ(CodeRows(),
              (Texts{U("刹车片/SCP/制动/A1"), U("机油滤清器/JYLQQ/NULL/B1"),
                     U("车门'把手/CM/车身/NULL"), U("水泵/SB/冷却/J2"), U("雨刮片/YGP/NULL/M1")}));
    EXPECT_EQ(Column("select * from jmb", "no"), (Texts{"1", "2", "3", "4", "5"}));

    // Nothing new the second time, and a later name is numbered after the others.
    CShortCodes again;
    EXPECT_EQ(GenerateAll(again), 0);
    Insert("hy", {{{"零件名称", "火花塞"}}});
    EXPECT_EQ(again.Generate(frame_->m_dsMain, "hy"), 1);
    EXPECT_EQ(Column(U("select * from jmb where 简码='HHS'"), "no"), Texts{"6"});
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ShortCodesTest, InitialsTableWithRowsMissingIsRefilledFirst) {
    Insert("qvpy", {{{"Hz", "水"}, {"Py", "S"}}});
    Insert("ljkc", {{{"零件名称", "水泵"}}});
    CShortCodes codes;
    EXPECT_EQ(codes.Generate(frame_->m_dsMain, "ljkc"), 1);
    EXPECT_EQ(CodeRows(), Texts{U("水泵/SB/NULL/NULL")});
    EXPECT_EQ(Column("select count(*) as n from qvpy", "n"),
              Texts{wxString::Format("%ld", CInitialsTable::CompleteRowCount())});
}

TEST_F(ShortCodesTest, WithoutAnInitialsTableNothingIsAddedAndTheOperatorIsTold) {
    ASSERT_TRUE(platform::DeleteFile(Path("Data/qvpy.dwf")));
    Insert("ljkc", {{{"零件名称", "水泵"}}});
    CShortCodes codes;
    EXPECT_EQ(codes.Generate(frame_->m_dsMain, "ljkc"), -1);
    EXPECT_TRUE(CodeRows().empty());
    ASSERT_FALSE(boxes_.Texts().empty());
    EXPECT_EQ(boxes_.Texts().back(), "拼音首字母表(qvpy)没有数据，无法生成简码。");
}

TEST_F(ShortCodesTest, ATableThatCannotBeReadLeavesTheCodesOfTheOthersUnsaved) {
    Insert("ljkc", {{{"零件名称", "水泵"}}});
    Insert("ljml", {{{"零件名称", "雨刮片"}}});
    ASSERT_TRUE(platform::DeleteFile(Path("Data/hy.dwf")));
    CShortCodes codes;
    std::vector<wxString> seen;
    EXPECT_EQ(codes.GenerateAll(frame_->m_dsMain,
                                [&seen](const wxString& name) { seen.push_back(name); }),
              -1);
    EXPECT_EQ(seen, Texts{U("水泵")});
    EXPECT_TRUE(CodeRows().empty());
    EXPECT_FALSE(boxes_.Texts().empty());
}

} // namespace
