// Moving through a client recordset: BOF/EOF rules, Move, AbsolutePosition,
// Bookmark, RecordCount, GetRows, Clone, and the errors of a closed recordset.
#include "ado_fixture.h"

using namespace ado;
using namespace ado_test;

namespace {

// Where the cursor stands: 1-based position, or "BOF" / "EOF" / "empty".
std::string Where(Recordset& rs) {
    if (rs.BOF() && rs.EndOfFile()) return "empty";
    if (rs.BOF()) return "BOF";
    if (rs.EndOfFile()) return "EOF";
    return std::to_string(rs.AbsolutePosition());
}

} // namespace

TEST(Navigation, OpenStandsOnTheFirstRecord) {
    auto rs = OpenParts();
    EXPECT_EQ(rs->State(), adStateOpen);
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_EQ(Where(*rs), "1");
    EXPECT_EQ(rs->CursorType(), adOpenStatic);
    EXPECT_EQ(rs->LockType(), adLockBatchOptimistic);
    EXPECT_EQ(rs->Source(), "select * from parts");
}

TEST(Navigation, MovesAndTheirLimits) {
    struct Step {
        const char* what;
        std::function<void(Recordset&)> move;
        const char* where; // after the move, or the error
        HRESULT error;
    };
    const HRESULT noRecord = AdoHr(adErrNoCurrentRecord);
    const std::vector<Step> steps = {
        {"MoveLast", [](Recordset& r) { r.MoveLast(); }, "5", 0},
        {"MoveNext off the end", [](Recordset& r) { r.MoveNext(); }, "EOF", 0},
        {"MoveNext at EOF", [](Recordset& r) { r.MoveNext(); }, "EOF", noRecord},
        {"Move(0) at EOF", [](Recordset& r) { r.Move(0); }, "EOF", noRecord},
        {"MovePrevious from EOF", [](Recordset& r) { r.MovePrevious(); }, "5", 0},
        {"Move(-3)", [](Recordset& r) { r.Move(-3); }, "2", 0},
        {"Move(-5) past the start", [](Recordset& r) { r.Move(-5); }, "BOF", 0},
        {"MovePrevious at BOF", [](Recordset& r) { r.MovePrevious(); }, "BOF", noRecord},
        {"Move(2) from BOF", [](Recordset& r) { r.Move(2); }, "2", 0},
        {"Move(10) past the end", [](Recordset& r) { r.Move(10); }, "EOF", 0},
        {"Move(1, first)", [](Recordset& r) { r.Move(1, Variant(adBookmarkFirst)); }, "2", 0},
        {"MoveFirst", [](Recordset& r) { r.MoveFirst(); }, "1", 0},
        {"AbsolutePosition = 4", [](Recordset& r) { r.PutAbsolutePosition(4); }, "4", 0},
        {"AbsolutePosition = 6", [](Recordset& r) { r.PutAbsolutePosition(6); }, "4",
         AdoHr(adErrInvalidArgument)},
    };
    auto rs = OpenParts();
    for (const Step& s : steps) {
        EXPECT_EQ(ErrorOf([&] { s.move(*rs); }), s.error) << s.what;
        EXPECT_EQ(Where(*rs), s.where) << s.what;
    }
    rs->MoveLast();
    rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), adPosEOF);
    EXPECT_EQ(ErrorOf([&] { rs->Fields().Item("no").Value(); }), noRecord);
    EXPECT_EQ(ErrorOf([&] { rs->Bookmark(); }), noRecord);
}

TEST(Navigation, EmptyRecordset) {
    foxdb::ResultSet empty = PartsResult();
    empty.rows.clear();
    Recordset rs;
    rs.OpenResult(empty);
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.BOF() && rs.EndOfFile());
    EXPECT_EQ(rs.AbsolutePosition(), adPosUnknown);
    const HRESULT noRecord = AdoHr(adErrNoCurrentRecord);
    EXPECT_EQ(ErrorOf([&] { rs.MoveFirst(); }), noRecord);
    EXPECT_EQ(ErrorOf([&] { rs.MoveLast(); }), noRecord);
    EXPECT_EQ(ErrorOf([&] { rs.Move(1); }), noRecord);
    EXPECT_EQ(ErrorOf([&] { rs.Find("no=1"); }), noRecord);
    // Metadata of an empty result is still there.
    EXPECT_EQ(rs.Fields().Count(), 5);
    EXPECT_EQ(rs.Fields().Item("编号").DefinedSize(), 10);
    rs.AddNew();
    EXPECT_EQ(rs.RecordCount(), 1);
}

TEST(Navigation, BookmarksSurviveSortAndFilterAndWorkInClones) {
    auto rs = OpenParts();
    rs->PutAbsolutePosition(3);
    Variant mark = rs->Bookmark();
    rs->PutSort("编号 DESC");
    EXPECT_EQ(No(*rs), 3); // the current record stays current under a new sort
    rs->MoveFirst();
    rs->PutBookmark(mark);
    EXPECT_EQ(No(*rs), 3);
    RecordsetPtr clone = rs->Clone();
    EXPECT_EQ(clone->RecordCount(), 5);
    EXPECT_EQ(No(*clone), 1); // a clone starts on its first record, unsorted
    clone->PutBookmark(mark);
    EXPECT_EQ(No(*clone), 3);
    // An edit through the clone is seen by the original.
    clone->Fields().Item("名称").PutValue("改名");
    clone->Update();
    EXPECT_EQ(Text(*rs, "名称").substr(0, 6), "改名");
    rs->PutFilter("no > 3");
    EXPECT_EQ(ErrorOf([&] { rs->PutBookmark(mark); }), AdoHr(adErrInvalidArgument));
    EXPECT_EQ(ErrorOf([&] { rs->PutBookmark(Variant("x")); }), AdoHr(adErrInvalidArgument));
    EXPECT_EQ(clone->RecordCount(), 5); // clones do not share the filter
}

TEST(Navigation, GetRowsReadsFromTheCurrentRecordOn) {
    auto rs = OpenParts();
    rs->Move(1);
    auto rows = rs->GetRows(2);
    ASSERT_EQ(rows.size(), 5u); // fields first
    ASSERT_EQ(rows[0].size(), 2u);
    EXPECT_EQ(rows[0][0].ToLong(), 2);
    EXPECT_EQ(rows[0][1].ToLong(), 3);
    EXPECT_TRUE(rows[3][1].IsNull());
    EXPECT_EQ(No(*rs), 4);
    rows = rs->GetRows();
    EXPECT_EQ(rows[0].size(), 2u);
    EXPECT_TRUE(rs->EndOfFile());
    EXPECT_EQ(ErrorOf([&] { rs->GetRows(); }), AdoHr(adErrNoCurrentRecord));
}

TEST(Navigation, ClosedRecordsetRefusesEverything) {
    Recordset rs;
    const HRESULT closed = AdoHr(adErrObjectClosed);
    EXPECT_EQ(rs.State(), adStateClosed);
    EXPECT_EQ(ErrorOf([&] { rs.RecordCount(); }), closed);
    EXPECT_EQ(ErrorOf([&] { rs.MoveNext(); }), closed);
    EXPECT_EQ(ErrorOf([&] { rs.EndOfFile(); }), closed);
    EXPECT_EQ(ErrorOf([&] { rs.Fields().Item(0); }), closed);
    EXPECT_EQ(ErrorOf([&] { rs.Close(); }), closed);
    EXPECT_EQ(ErrorOf([&] {
                  rs.Open("select * from ljkc", nullptr, adOpenStatic, adLockBatchOptimistic,
                          adCmdText);
              }),
              AdoHr(adErrInvalidConnection));
    rs.OpenResult(PartsResult());
    EXPECT_EQ(ErrorOf([&] { rs.OpenResult(PartsResult()); }), AdoHr(adErrObjectOpen));
    EXPECT_EQ(ErrorOf([&] { rs.PutCursorLocation(adUseClient); }), AdoHr(adErrObjectOpen));
    rs.Close();
    EXPECT_EQ(rs.CursorType(), adOpenStatic); // as last set (by the failed Open)
    EXPECT_EQ(rs.Fields().Count(), 0);
}

TEST(Navigation, FieldsByNameAndOrdinal) {
    auto rs = OpenParts();
    Fields& f = rs->Fields();
    EXPECT_EQ(f.Count(), 5);
    EXPECT_EQ(&f.Item("NO"), &f.Item(0)); // names ignore ASCII case
    EXPECT_EQ(f.Item(1).Name(), "编号");
    EXPECT_EQ(ErrorOf([&] { f.Item("nosuch"); }), AdoHr(adErrItemNotFound));
    EXPECT_EQ(ErrorOf([&] { f.Item(5); }), AdoHr(adErrItemNotFound));
    EXPECT_EQ(ErrorOf([&] { f.Item(-1); }), AdoHr(adErrItemNotFound));
}
