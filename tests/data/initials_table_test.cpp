#include "common/table_folder.h"
#include "data/initials_table.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>

namespace {

char InitialOf(const char* utf8) {
    const std::string gbk = platform::Utf8ToGbk(utf8);
    EXPECT_EQ(gbk.size(), 2u) << utf8;
    return gbk.size() == 2 ? CInitialsTable::InitialOf(gbk[0], gbk[1]) : 0;
}

TEST(InitialsTable, KnownCharactersOfEveryLevel) {
    const struct {
        const char* character;
        char initial;
    } cases[] = {// GB2312 level one, in pinyin order; 厦 sits among the x readings.
                 {"啊", 'A'},
                 {"张", 'Z'},
                 {"王", 'W'},
                 {"李", 'L'},
                 {"赵", 'Z'},
                 {"厦", 'X'},
                 {"座", 'Z'}, // the last of level one
                              // level two, by radical: its readings come from the data
                 {"亍", 'C'},
                 {"丌", 'J'},
                 {"兀", 'W'},
                 {"匕", 'B'},
                 {"鼾", 'H'},
                 // GBK's extension rows, trail bytes below 0x80 included
                 {"丂", 'K'},
                 // not Chinese characters
                 {"，", 0},
                 {"Ａ", 0},
                 {"①", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(InitialOf(c.character), c.initial) << c.character;
    EXPECT_EQ(CInitialsTable::InitialOf('A', 'B'), 0);
    EXPECT_EQ(CInitialsTable::InitialOf(0xFF, 0xA1), 0);
    // GB2312 alone has 6763 characters; GBK about 21000.
    EXPECT_GT(CInitialsTable::CompleteRowCount(), 20800);
    EXPECT_LT(CInitialsTable::CompleteRowCount(), 21100);
}

class InitialsTableTest : public AccountSetTest {};

TEST_F(InitialsTableTest, MissingRowsAreAddedOnceAndRowsPresentAreKept) {
    MakeTables({"qvpy"}, *frame_);
    Insert("qvpy", {{{"Hz", "机"}, {"Py", "J"}, {"no", "1"}},
                    // an operator's own reading stays
                    {{"Hz", "行"}, {"Py", "H"}, {"no", "2"}}});
    platform::ScriptedMessageBoxes boxes;
    CDataSet data;
    EXPECT_EQ(CInitialsTable::AddMissingRows(data), CInitialsTable::CompleteRowCount() - 2);
    EXPECT_EQ(CInitialsTable::AddMissingRows(data), 0);
    EXPECT_EQ(Column("select count(*) as n from qvpy", "n"),
              std::vector<wxString>{wxString::Format("%ld", CInitialsTable::CompleteRowCount())});
    EXPECT_EQ(Column(U("select * from qvpy where hz='行'"), "Py"), std::vector<wxString>{"H"});
    EXPECT_EQ(Column(U("select * from qvpy where hz='鼾'"), "Py"), std::vector<wxString>{"H"});
    EXPECT_EQ(Column("select count(distinct no) as n from qvpy", "n"),
              Column("select count(*) as n from qvpy", "n"));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(InitialsTableTest, CompletingASetWithoutTheTableShowsNothing) {
    platform::ScriptedMessageBoxes boxes;
    CInitialsTable::Complete(frame_->m_dsMain);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(CDataSet::TableExists("qvpy"));
}

} // namespace
