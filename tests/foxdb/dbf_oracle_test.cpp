// Independent readers and writers as oracles: Debian's python3-dbf and
// python3-dbfread read our tables with the same values, and tables python3-dbf
// writes in the Visual FoxPro layout read here with the values it was given.
#include "common/python_oracle.h"
#include "dbf_fixture.h"

using namespace foxdb;
using namespace foxdb_test;

namespace {

Date Day(int y, int m, int d) {
    return Date{JulianDayFromCivil(y, m, d)};
}

std::string RunOracle(const TempFolder& dir, const std::string& body) {
    return RunPython(dir.Path(), body);
}

} // namespace

TEST(DbfOracle, PythonReadersSeeWhatWeWrote) {
    TempFolder dir;
    std::string path = CreateCatalogTable(dir.Path(), "ljsh");
    {
        TableEdit edit(path);
        auto t = [&](const char* name) { return edit.Table().FieldIndex(name); };
        std::vector<Value> row(edit.Table().Fields().size(), Null{});
        row[t("单据号")] = Gbk("XS0001");
        row[t("车型")] = Gbk("桑塔纳2000");
        row[t("项目名称")] = Gbk("刹车片（前）");
        row[t("单价")] = 125.5;
        row[t("数量")] = int64_t(-2);
        row[t("日期")] = Day(2026, 12, 10);
        row[t("进价")] = 99.99;
        row[t("标致")] = Gbk("是"); // two bytes into C(1): cut, never split
        row[t("no")] = int64_t(1);
        edit.Append(row);
        edit.Append({Gbk("XS0002")});
        edit.Update(2, t("no"), int64_t(2));
        edit.Delete(2);
        edit.Append({});
        edit.Update(3, t("no"), int64_t(3));
        edit.Update(3, t("日期"), Date{});
        edit.Commit();
    }
    std::string out = RunOracle(dir, R"PY(
import datetime, dbf, dbfread
t = dbf.Table('ljsh.dbf')
t.open(dbf.READ_ONLY)
assert len(t) == 3, len(t)
assert t.codepage.name == 'cp936', t.codepage
r = t[0]
names = t.field_names
def get(rec, name): return rec[names.index(name)]
assert get(r, '单据号').rstrip() == 'XS0001', get(r, '单据号')
assert get(r, '车型').rstrip() == '桑塔纳2000'
assert get(r, '项目名称').rstrip() == '刹车片（前）'
assert get(r, '单价') == 125.5
assert get(r, '数量') == -2
assert get(r, '日期') == datetime.date(2026, 12, 10)
assert get(r, '进价') == 99.99
assert get(r, '标致').strip() == ''
assert get(r, 'no') == 1
assert get(r, '客户') is dbf.Null and get(r, '码表') is dbf.Null
assert not dbf.is_deleted(t[0]) and dbf.is_deleted(t[1]) and not dbf.is_deleted(t[2])
assert get(t[2], '日期') is None and get(t[2], 'no') == 3
f = dbfread.DBF('ljsh.dbf', encoding='gbk', char_decode_errors='strict')
rows = list(f)
assert len(rows) == 2 and len(f.deleted) == 1, (len(rows), len(f.deleted))
r = rows[0]
assert r['单据号'] == 'XS0001' and r['车型'] == '桑塔纳2000' and r['项目名称'] == '刹车片（前）'
assert r['单价'] == 125.5 and r['数量'] == -2 and r['日期'] == datetime.date(2026, 12, 10)
assert r['进价'] == 99.99 and r['NO'] == 1, r
assert list(f.deleted)[0]['NO'] == 2
print('OK')
)PY");
    EXPECT_EQ(out, "OK\n");
}

// python3-dbf numbers the _NullFlags bits by field position, FoxPro by counting the
// nullable fields; the two agree when the nullable fields come first, as in every
// table the driver creates for the program.
TEST(DbfOracle, WeReadWhatPythonDbfWrote) {
    TempFolder dir;
    std::string out = RunOracle(dir, R"PY(
import datetime, dbf
t = dbf.Table('pyt.dbf', 'name C(10) null; day D null; qty N(8,2); no I; ok L; amount B',
              dbf_type='vfp', codepage='cp936')
t.open(dbf.READ_WRITE)
t.append(('零件名称', datetime.date(2026, 12, 10), 3.25, 7, True, 2.5))
t.append((dbf.Null, dbf.Null, -1.5, -3, False, -0.25))
t.append(('x', datetime.date(1999, 1, 31), 0, -2147483647, None, 0))
dbf.delete(t[2])
t.close()
print('OK')
)PY");
    ASSERT_EQ(out, "OK\n");
    std::string path = FindTableFile(dir.Path(), "PYT");
    ASSERT_FALSE(path.empty());
    auto t = DbfTable::Open(path);
    ASSERT_EQ(t->RecordCount(), 3u);
    ASSERT_EQ(t->Fields().size(), 6u);
    EXPECT_TRUE(t->Fields()[0].nullable);
    EXPECT_TRUE(t->Fields()[1].nullable);
    EXPECT_FALSE(t->Fields()[2].nullable);
    EXPECT_EQ(Text(t->Get(1, 0)), Gbk("零件名称") + "  ");
    EXPECT_EQ(t->Get(1, 1), Value(Day(2026, 12, 10)));
    EXPECT_EQ(t->Get(1, 2), Value(3.25));
    EXPECT_EQ(t->Get(1, 3), Value(int64_t(7)));
    EXPECT_EQ(t->Get(1, 4), Value(true));
    EXPECT_EQ(t->Get(1, 5), Value(2.5));
    EXPECT_TRUE(IsNull(t->Get(2, 0)));
    EXPECT_TRUE(IsNull(t->Get(2, 1)));
    EXPECT_EQ(t->Get(2, 2), Value(-1.5));
    EXPECT_EQ(t->Get(2, 3), Value(int64_t(-3)));
    EXPECT_EQ(t->Get(2, 4), Value(false));
    EXPECT_EQ(t->Get(3, 3), Value(int64_t(-2147483647)));
    EXPECT_TRUE(IsNull(t->Get(3, 4)));
    EXPECT_TRUE(t->IsDeleted(3));
    EXPECT_FALSE(t->IsDeleted(1));
    // And we can write to it, keeping its layout.
    {
        TableEdit edit(path);
        edit.Update(2, 0, Gbk("新"));
        edit.Commit();
    }
    EXPECT_EQ(Text(DbfTable::Open(path)->Get(2, 0)), Gbk("新") + std::string(8, ' '));
    out = RunOracle(dir, R"PY(
import dbf
t = dbf.Table('pyt.dbf')
t.open(dbf.READ_ONLY)
assert t[1][0].rstrip() == '新', t[1][0]
assert t[1][1] is dbf.Null and t[1][2] == -1.5
print('OK')
)PY");
    EXPECT_EQ(out, "OK\n");
}
