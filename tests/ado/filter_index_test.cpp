// A filter "field = 'text'" put again on the same column is served by an index of
// the column's values: its view must be the one a scan of every row gives, before
// and after every kind of change of the rows.
#include "ado/criteria.h"
#include "ado/row_store.h"
#include "ado_fixture.h"

#include <functional>

using namespace ado;
using namespace ado_test;

namespace {

// The view of `criteria` put twice: the second time its column is indexed.
std::vector<long> Indexed(Recordset& rs, const std::string& criteria) {
    rs.PutFilter(criteria);
    rs.PutFilter(criteria);
    return Numbers(rs);
}

// The view of the same test doubled with OR, which no index serves.
std::vector<long> Scanned(Recordset& rs, const std::string& criteria) {
    rs.PutFilter("(" + criteria + ") or (" + criteria + ")");
    return Numbers(rs);
}

void ExpectView(Recordset& rs, const std::string& criteria, const std::vector<long>& numbers,
                const std::string& what = std::string()) {
    EXPECT_EQ(Indexed(rs, criteria), numbers) << what << ": " << criteria;
    EXPECT_EQ(Scanned(rs, criteria), numbers) << what << ": " << criteria;
}

// Makes the record `no` the current one.
void At(Recordset& rs, long no) {
    rs.PutFilter("no = " + std::to_string(no));
}

void SetAt(Recordset& rs, long no, const char* field, const Variant& value) {
    At(rs, no);
    Put(rs, field, value);
    rs.Update();
}

} // namespace

TEST(FilterIndex, GivesTheRowsAScanGives) {
    const std::string lowTrail = "\x81\x61", highTrail = "\x81\x41"; // trail bytes 'a', 'A'
    foxdb::ResultSet r;
    r.columns = {Column("名称", foxdb::adChar, 6), Column("说明", adVarWChar, 8), // UTF-8
                 Column("no", foxdb::adInteger, 4, 10)};
    const foxdb::Value null = foxdb::Null{};
    const std::vector<std::pair<foxdb::Value, foxdb::Value>> values = {
        {lowTrail + "    ", std::string("ab")},
        {highTrail + "    ", std::string("AB  ")},
        {std::string("ab    "), null},
        {std::string("AB    "), std::string("螺丝")},
        {std::string("abc   "), std::string("ab")},
        {std::string("      "), std::string("")},
        {null, std::string("abc")},
        {int64_t{7}, int64_t{0}}, // not text: equal to empty text
        {lowTrail + "a   ", std::string("Ab")},
        {lowTrail + "A   ", std::string("螺丝 ")},
        {std::string("AB\t   "), null},
        {std::string("ab"), null}, // shorter than the field
    };
    long no = 0;
    for (const auto& [name, note] : values)
        r.rows.push_back({name, note, int64_t{++no}});

    struct Case {
        std::string criteria;
        std::vector<long> numbers;
    } cases[] = {
        {"名称 = '" + platform::GbkToUtf8(lowTrail) + "'", {1}},
        {"名称 = '" + platform::GbkToUtf8(highTrail) + "'", {2}},
        {"名称 = 'ab'", {3, 4, 12}},
        {"说明 = 'ab'", {1, 2, 5, 9}}, // the same text in another column
        {"名称 = 'AB  '", {3, 4, 12}},
        {"名称 = ''", {6, 8}},
        {"说明 = ''", {6, 8}},
        {"名称 = 'a'", {}},
        {"名称 = '" + platform::GbkToUtf8(lowTrail) + "a'", {9, 10}},
        {"名称 = '" + platform::GbkToUtf8(lowTrail) + "A'", {9, 10}},
        {"名称 = '" + platform::GbkToUtf8(highTrail) + "a'", {}},
        {"说明 = '螺丝'", {4, 10}},
        {"名称 = 'abc'", {5}},
        {"名称 = 'AB\t'", {11}},
        {"(名称 = 'ab')", {3, 4, 12}},
        // Not one text equality: scanned either way, and must not be taken for one.
        {"名称 <> 'ab'", {1, 2, 5, 6, 8, 9, 10, 11}},
        {"名称 like 'ab*'", {3, 4, 5, 11, 12}},
        {"名称 >= 'ab'", {1, 2, 3, 4, 5, 9, 10, 11, 12}},
        {"名称 = NULL", {7}},
        {"名称 = 'ab' or no = 1", {1, 3, 4, 12}},
        {"名称 = 'ab' and no > 3", {4, 12}},
        {"no = 3", {3}},
        {"名称 = 'ab'", {3, 4, 12}}, // the column filtered before, after other columns
    };
    // One recordset for all: filters follow one another on the same and other columns.
    Recordset rs;
    rs.OpenResult(std::move(r));
    for (const Case& c : cases)
        ExpectView(rs, c.criteria, c.numbers);
}

// The changes bring a row into the filter after its column was indexed, which a stale
// index would miss, or take one out, which the filter's own test must still see.
TEST(FilterIndex, FollowsEveryChangeOfTheRows) {
    // Parts 1 螺丝, 2 垫片, 3 螺母, 4 刹车片, 5 螺丝钉. `viewer` filters; `editor` is it or a
    // clone.
    using Step = std::function<void(Recordset & editor)>;
    struct Case {
        const char* what;
        bool clone;
        Step before; // while the index is built
        std::vector<long> numbers;
        Step change;
        std::vector<long> after;
    } cases[] = {
        {"a row leaves and another enters through Field edits",
         false,
         nullptr,
         {1},
         [](Recordset& editor) {
             SetAt(editor, 1, "名称", "垫片");
             SetAt(editor, 2, "名称", "螺丝");
         },
         {2}},
        {"a clone edits while the original filters",
         true,
         nullptr,
         {1},
         [](Recordset& editor) { SetAt(editor, 3, "名称", "螺丝  "); },
         {1, 3}},
        {"an edit in progress is cancelled",
         true,
         [](Recordset& editor) {
             At(editor, 1);
             Put(editor, "名称", "垫片");
         },
         {},
         [](Recordset& editor) { editor.CancelUpdate(); },
         {1}},
        {"a second edit of an edited row is cancelled",
         true,
         [](Recordset& editor) {
             At(editor, 3);
             Put(editor, "名称", "螺丝");
             editor.Update();
             Put(editor, "名称", "垫片");
         },
         {1},
         [](Recordset& editor) { editor.CancelUpdate(); },
         {1, 3}},
        {"a new row is given its values",
         true,
         [](Recordset& editor) { editor.AddNew(); },
         {1},
         [](Recordset& editor) {
             Put(editor, "名称", "螺丝");
             Put(editor, "no", 6);
             editor.Update();
         },
         {1, 6}},
        {"CancelBatch brings back an edited value",
         true,
         [](Recordset& editor) { SetAt(editor, 1, "名称", "垫片"); },
         {},
         [](Recordset& editor) { editor.CancelBatch(); },
         {1}},
        {"a deleted row leaves",
         false,
         nullptr,
         {1},
         [](Recordset& editor) {
             At(editor, 1);
             editor.Delete();
         },
         {}},
        {"a deleted row comes back with CancelBatch",
         true,
         [](Recordset& editor) {
             At(editor, 1);
             editor.Delete();
         },
         {},
         [](Recordset& editor) { editor.CancelBatch(); },
         {1}},
    };
    for (const Case& c : cases) {
        auto viewer = OpenParts();
        RecordsetPtr clone = c.clone ? viewer->Clone() : nullptr;
        Recordset& editor = c.clone ? *clone : *viewer;
        if (c.before) c.before(editor);
        ExpectView(*viewer, "名称 = '螺丝'", c.numbers, c.what);
        c.change(editor);
        ExpectView(*viewer, "名称 = '螺丝'", c.after, c.what);
    }
}

TEST(FilterIndex, FollowsUpdateBatchAndRequery) {
    Stock s; // 1 螺丝, 2 垫片, 3 螺母, 4 刹车片
    auto rs = s.Open("select * from ljkc");
    const std::string criteria = "零件名称 = '螺丝'";
    ExpectView(*rs, criteria, {1});
    SetAt(*rs, 2, "零件名称", "螺丝");
    SetAt(*rs, 3, "零件名称", "螺丝");
    rs->Delete();
    rs->AddNew();
    Put(*rs, "零件名称", "螺丝");
    Put(*rs, "编号", "P5");
    Put(*rs, "no", 5);
    rs->Update();
    ExpectView(*rs, criteria, {1, 2, 5}, "pending");
    rs->PutFilter(criteria);
    rs->UpdateBatch();
    EXPECT_EQ(s.Table().size(), 4u) << "the deleted record went";
    ExpectView(*rs, criteria, {1, 2, 5}, "sent");

    // The rows read again replace the indexed ones; the filter stays.
    s.conn->Execute("update ljkc set 零件名称='螺丝' where no=4", nullptr,
                    adCmdText | adExecuteNoRecords);
    rs->Requery();
    EXPECT_EQ(Numbers(*rs), (std::vector<long>{1, 2, 4, 5}));
    ExpectView(*rs, criteria, {1, 2, 4, 5}, "read again");
}

// The index gives rows in the order of the rows, so a sort keeps ties as a scan does.
TEST(FilterIndex, SortedViewsKeepTheOrderOfTies) {
    foxdb::ResultSet r;
    r.columns = {Column("no", foxdb::adInteger, 4, 10), Column("客户", foxdb::adChar, 10),
                 Column("数量", foxdb::adInteger, 4, 10)};
    const std::vector<std::pair<const char*, int64_t>> rows = {{"k1", 2}, {"K1 ", 1}, {"k2", 2},
                                                               {"k1", 1}, {"k1", 2},  {"k1", 1}};
    long no = 0;
    for (const auto& [customer, quantity] : rows)
        r.rows.push_back({int64_t{++no}, std::string(customer), quantity});
    Recordset rs;
    rs.OpenResult(std::move(r));
    rs.PutSort("数量 DESC");
    ExpectView(rs, "客户 = 'k1'", {1, 5, 2, 4, 6}, "descending");
    rs.PutSort("数量");
    ExpectView(rs, "客户 = 'K1'", {2, 4, 6, 1, 5}, "ascending");
    rs.PutFilter("客户 = 'k1'");
    rs.PutSort("数量 DESC"); // a new sort under the indexed filter
    EXPECT_EQ(Numbers(rs), (std::vector<long>{1, 5, 2, 4, 6}));
}

// A one-off filter scans: the column is indexed when it is asked for again on the
// same values, and forgotten by a change of any value.
TEST(FilterIndex, IsBuiltOnTheSecondAskAndDroppedByAChange) {
    std::shared_ptr<RowStore> store = StoreFromResult(PartsResult());
    const int code = 1, name = 2; // 编号, 名称
    const std::string a001 = EqualityKey(store->columns[code], std::string("a001"));
    EqualityIndex& index = store->equalityIndex;
    EXPECT_EQ(index.Candidates(*store, code, a001), nullptr);
    EXPECT_EQ(index.Candidates(*store, name, a001), nullptr); // each column on its own
    const std::vector<long>* ids = index.Candidates(*store, code, a001);
    ASSERT_NE(ids, nullptr);
    EXPECT_EQ(*ids, (std::vector<long>{0}));
    ids = index.Candidates(*store, code, EqualityKey(store->columns[code], std::string("x")));
    ASSERT_NE(ids, nullptr);
    EXPECT_TRUE(ids->empty());
    store->ValuesChanged();
    EXPECT_EQ(index.Candidates(*store, code, a001), nullptr);
}
