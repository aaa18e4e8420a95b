#include "work/record_edit_session.h"
#include "work_tables_fixture.h"

#include <gtest/gtest.h>

namespace {

class RecordSessionTest : public WorkTablesTest {
protected:
    ado::RecordsetPtr OpenGk() {
        data_.Open("select * from gk");
        EXPECT_TRUE(data_.IsOpen());
        return data_.m_pRecordset;
    }
    CDataSet data_;
};

TEST_F(RecordSessionTest, TemporaryNumbersFollowTheLastRecord) {
    EXPECT_EQ(CRecordEditSession::NextTemporaryNumber(OpenGk()), -1); // empty table
    Insert("gk", {{{"车牌号码", "京A1"}, {"no", "57"}}});
    EXPECT_EQ(CRecordEditSession::NextTemporaryNumber(OpenGk()), -58);
    // A last record without a number counts by the record count.
    Insert("gk", {{{"车牌号码", "京A2"}}});
    auto rs = OpenGk();
    rs->MoveLast();
    rs->Fields().Item("no").PutValue(ado::Variant::Null());
    EXPECT_EQ(CRecordEditSession::NextTemporaryNumber(rs), -3);
}

TEST_F(RecordSessionTest, DuplicateKeysByMode) {
    Insert("gk", {{{"车牌号码", "京A12345"}, {"no", "1"}},
                  {{"车牌号码", "沪B2"}, {"no", "2"}},
                  {{"车牌号码", "沪B2"}, {"no", "3"}}});
    auto rs = OpenGk();
    const struct {
        const char* plate;
        bool adding;
        int curNo;
        bool duplicate;
    } cases[] = {
        {"京A12345", true, -1, true},   // a new entry may not take a plate in use
        {"京A99999", true, -1, false},  // nor is a free one refused
        {"京A12345", false, 1, false},  // a record keeps its own plate
        {"京A12345", false, 2, true},   // another record's plate is refused
        {"沪B2", false, 2, true},       // a plate held twice is refused even for its owner
        {"京a12345  ", true, -1, true}, // case and trailing blanks do not make it new
    };
    rs->MoveFirst();
    rs->MoveNext();
    for (const auto& c : cases) {
        EXPECT_EQ(CRecordEditSession::IsDuplicate(rs, U("车牌号码"), U(c.plate), c.adding, c.curNo),
                  c.duplicate)
            << c.plate << " curNo " << c.curNo;
        EXPECT_EQ(CRecordEditSession::CurrentNumber(rs), 2) << "the position is kept";
    }
}

TEST_F(RecordSessionTest, TwoNewEntriesInARowAreBothWrittenAndNumberedAtTheSave) {
    auto rs = OpenGk(); // empty: the first entry must not be dropped
    CRecordEditSession session("gk");
    for (const char* plate : {"京A1", "京A2"}) {
        session.m_strMode = CRecordEditSession::kAddNew;
        ASSERT_TRUE(session.BeginWrite(rs));
        data_.PutFieldValue(U(plate), U("车牌号码"), rs);
    }
    EXPECT_EQ(session.m_strMode, "-2");
    EXPECT_EQ(session.m_nCurNo, -2);
    // A written new row is modified under its temporary number.
    ASSERT_TRUE(session.BeginWrite(rs));
    EXPECT_EQ(U(rs->Fields().Item(U("车牌号码").utf8_string()).Value().ToString().c_str()).Trim(),
              U("京A2"));
    data_.NumberRows(rs, "gk");
    ASSERT_EQ(data_.Save(rs), 1);
    EXPECT_EQ(Column("select * from gk order by no", "no"), (std::vector<wxString>{"1", "2"}));
    EXPECT_EQ(Column("select * from gk order by no", "车牌号码"),
              (std::vector<wxString>{U("京A1"), U("京A2")}));
}

TEST_F(RecordSessionTest, NothingIsWrittenWhileBrowsingOrAfterADeletion) {
    auto rs = OpenGk();
    CRecordEditSession session("gk");
    EXPECT_FALSE(session.BeginWrite(rs));
    session.m_strMode = CRecordEditSession::kDelete;
    EXPECT_FALSE(session.BeginWrite(rs));
    EXPECT_EQ(rs->RecordCount(), 0);
    // Modifying a record that is not there writes nothing either.
    session.m_strMode = CRecordEditSession::kReplace;
    session.m_nCurNo = 7;
    EXPECT_FALSE(session.BeginWrite(rs));
}

TEST_F(RecordSessionTest, StepsStopAtTheEndsAndTellThem) {
    using Step = CRecordEditSession::Step;
    EXPECT_FALSE(CRecordEditSession::Move(OpenGk(), Step::Next).onRecord);
    Insert("gk", {{{"车牌号码", "A"}}, {{"车牌号码", "B"}}, {{"车牌号码", "C"}}});
    auto rs = OpenGk();
    auto at = CRecordEditSession::Move(rs, Step::Last);
    EXPECT_TRUE(at.onRecord && at.atLast && !at.atFirst);
    at = CRecordEditSession::Move(rs, Step::Next); // off the end: back on the last
    EXPECT_TRUE(at.atLast);
    EXPECT_EQ(CRecordEditSession::CurrentNumber(rs), 3);
    at = CRecordEditSession::Move(rs, Step::Previous);
    EXPECT_FALSE(at.atLast || at.atFirst);
    at = CRecordEditSession::Move(rs, Step::Previous);
    EXPECT_TRUE(at.atFirst);
    at = CRecordEditSession::Move(rs, Step::Previous);
    EXPECT_TRUE(at.atFirst);
    EXPECT_EQ(CRecordEditSession::CurrentNumber(rs), 1);
}

} // namespace
