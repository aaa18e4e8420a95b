// Record operations through TableEdit: values in, the same values out, and the
// file untouched by a change that is refused.
#include "dbf_fixture.h"
#include "foxdb/dbf_file.h"

#include <cmath>
#include <functional>
#include <random>

using namespace foxdb;
using namespace foxdb_test;

namespace {

Date Day(int y, int m, int d) {
    return Date{JulianDayFromCivil(y, m, d)};
}

class DbfEdit : public ::testing::Test {
protected:
    void SetUp() override {
        CreateTable(dir.Path(), "t",
                    ParseFieldList("(名称 C(10),amt N(8,2),qty I,d D,flag C(4),no I UNIQUE)"));
        path = dir.File("t.dbf");
    }
    uint32_t Add(TableEdit& edit, int no, const std::string& name = "x") {
        return edit.Append({Gbk(name), 1.5, int64_t(2), Day(2026, 12, 10), Null{}, int64_t(no)});
    }
    TempFolder dir;
    std::string path;
};

} // namespace

TEST_F(DbfEdit, ValuesSurviveAWriteAndAReread) {
    {
        TableEdit edit(path);
        EXPECT_EQ(edit.Append({Gbk("零件名称一"), 3.5, int64_t(-7), Day(2026, 2, 28), Gbk("ab"),
                               int64_t(1)}),
                  1u);
        EXPECT_EQ(edit.Append({}), 2u); // everything NULL but the unique field
        edit.Commit();
    }
    auto t = DbfTable::Open(path);
    ASSERT_EQ(t->RecordCount(), 2u);
    EXPECT_EQ(Text(t->Get(1, 0)), Gbk("零件名称一"));
    EXPECT_EQ(t->Get(1, 1), Value(3.5));
    EXPECT_EQ(t->Get(1, 2), Value(int64_t(-7)));
    EXPECT_EQ(t->Get(1, 3), Value(Day(2026, 2, 28)));
    EXPECT_EQ(Text(t->Get(1, 4)), "ab  ");
    EXPECT_EQ(t->Get(1, 5), Value(int64_t(1)));
    EXPECT_EQ(t->RawField(1, 1), "    3.50");
    EXPECT_EQ(t->RawField(1, 3), "20260228");
    for (int f = 0; f < 5; ++f)
        EXPECT_TRUE(IsNull(t->Get(2, f))) << f;
    EXPECT_EQ(t->Get(2, 5), Value(int64_t(0))); // not nullable: blank
    std::vector<Value> row;
    t->ReadRecord(1, row);
    ASSERT_EQ(row.size(), 6u);
    EXPECT_EQ(row[2], Value(int64_t(-7)));
    std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.back(), 0x1A);
    const size_t recordLength = 1 + 10 + 8 + 4 + 8 + 4 + 4 + 1;
    EXPECT_EQ(bytes.size(), 32 + 7 * 32 + 1 + 263 + 2 * recordLength + 1);
}

TEST_F(DbfEdit, NumbersAndDatesAreStoredAsFoxProStoresThem) {
    struct Case {
        Value value;
        const char* amt; // N(8,2)
    } cases[] = {
        {3.5, "    3.50"},       {-3.5, "   -3.50"},      {int64_t(12), "   12.00"},
        {2.675, "    2.68"},     {-0.001, "    0.00"},    {0.125, "    0.13"},
        {12345.678, "12345.68"}, {123456.78, "123456.8"}, {99999999.0, "99999999"},
    };
    TableEdit edit(path);
    uint32_t recno = Add(edit, 1);
    for (const Case& c : cases) {
        edit.Update(recno, 1, c.value);
        edit.Commit();
        EXPECT_EQ(DbfTable::Open(path)->RawField(recno, 1), c.amt);
    }
    // A value whose integer part does not fit is refused, not turned into asterisks.
    EXPECT_THROW(edit.Update(recno, 1, 123456789.0), Error);
    EXPECT_THROW(edit.Update(recno, 2, 3e9), Error);
    edit.Update(recno, 2, 2.5); // I rounds half away from zero
    edit.Update(recno, 3, Date{});
    edit.Commit();
    auto t = DbfTable::Open(path);
    EXPECT_EQ(t->Get(recno, 2), Value(int64_t(3)));
    EXPECT_EQ(t->RawField(recno, 3), "        ");
    EXPECT_EQ(t->Get(recno, 3), Value(Date{}));
}

TEST_F(DbfEdit, NumbersAreWrittenAsPrintfRoundsThem) {
    // The digits printf gives for the value nudged away from zero, fewer decimals
    // when they do not fit.
    auto printed = [](double v, int length, int decimals) {
        v += std::copysign(std::fabs(v) * 1e-14, v);
        for (int dec = decimals; dec >= 0; --dec) {
            char text[400];
            std::string s(text,
                          static_cast<size_t>(std::snprintf(text, sizeof text, "%.*f", dec, v)));
            if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
            if (static_cast<int>(s.size()) <= length)
                return std::string(static_cast<size_t>(length) - s.size(), ' ') + s;
        }
        return std::string("<too wide>");
    };
    TempFolder folder;
    CreateTable(folder.Path(), "n",
                ParseFieldList("(n0 N(12,0),n1 N(12,1),n2 N(10,2),n4 N(14,4),n9 N(20,9))"));
    const int decimals[] = {0, 1, 2, 4, 9}, lengths[] = {12, 12, 10, 14, 20};
    std::mt19937_64 random(20261210);
    std::uniform_real_distribution<double> digits(-4, 9);
    std::vector<std::vector<Value>> rows;
    for (int i = 0; i < 3000; ++i) {
        double v = std::pow(10.0, digits(random)) * (random() % 2 ? -1 : 1);
        if (i % 2) v = std::round(v * 100) / 100; // as stored after a batch: at its scale
        if (i % 7 == 0) v = (static_cast<double>(random() % 2000) - 1000) / 8; // halves, quarters
        rows.push_back({v, v, v, v, v});
    }
    {
        TableEdit edit(folder.File("n.dbf"));
        for (const auto& row : rows)
            edit.Append(row);
        edit.Commit();
    }
    auto t = DbfTable::Open(folder.File("n.dbf"));
    for (uint32_t r = 0; r < rows.size(); ++r)
        for (int f = 0; f < 5; ++f)
            ASSERT_EQ(t->RawField(r + 1, f),
                      printed(std::get<double>(rows[r][f]), lengths[f], decimals[f]))
                << std::get<double>(rows[r][f]) << " in field " << f;
}

TEST_F(DbfEdit, WrongTypesAndNullsAreRefused) {
    TableEdit edit(path);
    uint32_t recno = Add(edit, 1);
    struct Case {
        int field;
        Value value;
        ErrorKind kind;
    } cases[] = {
        {0, 1.0, ErrorKind::TypeMismatch},
        {1, Gbk("1"), ErrorKind::TypeMismatch},
        {2, Day(2026, 1, 1), ErrorKind::TypeMismatch},
        {3, Gbk("20260101"), ErrorKind::TypeMismatch},
        {3, true, ErrorKind::TypeMismatch},
        {5, Null{}, ErrorKind::Other},
    };
    for (const Case& c : cases) {
        try {
            edit.Update(recno, c.field, c.value);
            ADD_FAILURE() << c.field;
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), c.kind) << e.what();
            EXPECT_NE(std::string(e.what()).find(edit.Table().Fields()[c.field].name),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_THROW(edit.Update(9, 0, Gbk("x")), Error);
    EXPECT_THROW(edit.Append(std::vector<Value>(7, Null{})), Error);
    EXPECT_THROW(edit.Append({Gbk("x"), Gbk("1")}), Error); // adds no record
    EXPECT_EQ(Add(edit, 2), recno + 1);
    // Text longer than the field is cut on a character boundary.
    edit.Update(recno, 4, Gbk("一二三"));
    EXPECT_EQ(Text(edit.Get(recno, 4)), Gbk("一二"));
    edit.Update(recno, 4, Gbk("a一二"));
    EXPECT_EQ(Text(edit.Get(recno, 4)), Gbk("a一") + " ");
}

TEST_F(DbfEdit, DeleteMarksAndRecallUnmarks) {
    {
        TableEdit edit(path);
        for (int no = 1; no <= 3; ++no)
            Add(edit, no);
        edit.Commit();
        edit.Delete(2);
        EXPECT_TRUE(edit.IsDeleted(2));
        EXPECT_FALSE(edit.Table().IsDeleted(2));
        edit.Commit();
    }
    auto t = DbfTable::Open(path);
    EXPECT_TRUE(t->IsDeleted(2));
    EXPECT_FALSE(t->IsDeleted(1));
    TableEdit edit(path);
    edit.Recall(2);
    edit.Commit();
    EXPECT_FALSE(DbfTable::Open(path)->IsDeleted(2));
}

TEST_F(DbfEdit, UniquenessIsEnforcedAndLeavesTheFilesUnchanged) {
    {
        TableEdit edit(path);
        for (int no = 1; no <= 3; ++no)
            Add(edit, no);
        edit.Delete(3);
        edit.Commit();
    }
    const std::string startDbf = ReadBytes(path), startCdx = ReadBytes(dir.File("t.cdx"));
    struct Case {
        const char* what;
        std::function<void(TableEdit&)> change;
        bool violates;
    } cases[] = {
        {"append a repeated key", [&](TableEdit& e) { Add(e, 2); }, true},
        {"append the key of a deleted record", [&](TableEdit& e) { Add(e, 3); }, true},
        {"two appends with one key", [&](TableEdit& e) { Add(e, 7), Add(e, 7); }, true},
        {"update to another record's key", [&](TableEdit& e) { e.Update(1, 5, int64_t(2)); }, true},
        {"update a key to itself", [&](TableEdit& e) { e.Update(1, 5, int64_t(1)); }, false},
        {"other fields only", [&](TableEdit& e) { e.Update(2, 0, Gbk("y")); }, false},
        {"append the key of a record changed in other fields",
         [&](TableEdit& e) {
             e.Update(2, 0, Gbk("z"));
             Add(e, 2);
         },
         true},
        {"swap two keys",
         [&](TableEdit& e) {
             e.Update(1, 5, int64_t(2));
             e.Update(2, 5, int64_t(1));
         },
         false},
    };
    // With the index known to match (checked, or written by this process), new keys
    // are looked up in it; with one written by someone else, every record is looked at.
    for (bool indexKnown : {true, false}) {
        WriteBytes(path, startDbf);
        WriteBytes(dir.File("t.cdx"), startCdx);
        if (indexKnown) {
            ASSERT_TRUE(DbfFile::Read(path)->IndexMatchesRecords());
        }
        std::string dbf = startDbf, cdx = startCdx;
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (indexKnown ? ", index known" : ", index unknown"));
            if (!indexKnown) WriteBytes(dir.File("t.cdx"), ReadBytes(dir.File("t.cdx")));
            TableEdit edit(path);
            c.change(edit);
            if (c.violates) {
                try {
                    edit.Commit();
                    ADD_FAILURE();
                } catch (const Error& e) {
                    EXPECT_EQ(e.kind(), ErrorKind::Uniqueness);
                    EXPECT_STREQ(e.what(), "Uniqueness of index NO is violated.");
                }
                EXPECT_EQ(ReadBytes(path), dbf);
                EXPECT_EQ(ReadBytes(dir.File("t.cdx")), cdx);
            } else {
                EXPECT_NO_THROW(edit.Commit());
                dbf = ReadBytes(path);
                cdx = ReadBytes(dir.File("t.cdx"));
            }
        }
    }
}

TEST_F(DbfEdit, PackRemovesDeletedRecords) {
    {
        TableEdit edit(path);
        for (int no = 1; no <= 5; ++no)
            Add(edit, no, "r" + std::to_string(no));
        edit.Delete(2);
        edit.Delete(4);
        edit.Commit();
    }
    Pack(path);
    auto t = DbfTable::Open(path);
    ASSERT_EQ(t->RecordCount(), 3u);
    EXPECT_EQ(t->Get(1, 5), Value(int64_t(1)));
    EXPECT_EQ(t->Get(2, 5), Value(int64_t(3)));
    EXPECT_EQ(t->Get(3, 5), Value(int64_t(5)));
    EXPECT_EQ(Text(t->Get(3, 0)), "r5        ");
    // The key of a removed record is free again.
    TableEdit edit(path);
    Add(edit, 2);
    EXPECT_NO_THROW(edit.Commit());
}

TEST_F(DbfEdit, AChangeOverAnOutdatedSnapshotIsRefused) {
    TableEdit first(path);
    TableEdit second(path);
    Add(first, 1);
    first.Commit();
    Add(second, 2);
    EXPECT_THROW(second.Commit(), Error);
    auto t = DbfTable::Open(path);
    ASSERT_EQ(t->RecordCount(), 1u);
    // The edit that committed goes on from its own result.
    Add(first, 3);
    first.Commit();
    EXPECT_EQ(DbfTable::Open(path)->RecordCount(), 2u);
}

TEST_F(DbfEdit, KeepsTheFilesPermissionsAndRespectsReadOnly) {
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    {
        TableEdit edit(path);
        Add(edit, 1);
        edit.Commit();
    }
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    fs::permissions(path, fs::perms::owner_read);
    const std::string before = ReadBytes(path);
    TableEdit edit(path);
    Add(edit, 2);
    try {
        edit.Commit();
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("read-only"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadBytes(path), before);
}

// The numbers a table holds above its count, from the index where it is known to
// match, from the records where it is not (an index put back from an earlier time
// misses the newer numbers and must not be believed).
TEST_F(DbfEdit, NumbersAboveAFloorComeFromTheRecordsEvenPastAnOldIndex) {
    std::string olderIndex;
    {
        TableEdit edit(path);
        for (int no : {1, 2, -7})
            Add(edit, no);
        edit.Commit();
        olderIndex = ReadBytes(dir.File("t.cdx"));
        Add(edit, 9);
        edit.Delete(Add(edit, 40)); // a deleted record keeps its number until PACK
        edit.Commit();
    }
    auto sorted = [](std::vector<int64_t> v) {
        std::sort(v.begin(), v.end());
        return v;
    };
    const struct {
        const char* field;
        int64_t floor;
        std::vector<int64_t> want;
    } cases[] = {
        {"no", 3, {9, 40}},  {"NO", 9, {40}},     {"no", 40, {}},
        {"no", -8, {-7, 1, 2, 9, 40}},            {"qty", 1, {2, 2, 2, 2, 2}},
        {"amt", 0, {1, 1, 1, 1, 1}}, // 1.5 taken as its whole part
        {"名称", 0, {}},     {"none", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " above " + std::to_string(c.floor));
        EXPECT_EQ(sorted(NumbersAbove(path, c.field, c.floor)), c.want);
    }
    WriteBytes(dir.File("t.cdx"), olderIndex);
    EXPECT_EQ(sorted(NumbersAbove(path, "no", 3)), (std::vector<int64_t>{9, 40}));
}
