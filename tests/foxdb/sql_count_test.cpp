// count(*) over a whole table is answered from the table's live records without a
// walk; it must follow every change to the file, whoever makes it.
#include "foxdb/sql_fixture.h"

#include <functional>

namespace foxdb_test {
namespace {

class SqlCount : public SqlTest {
protected:
    void SetUp() override {
        SqlTest::SetUp();
        foxdb::CreateTable(folder.Path(), "t",
                           foxdb::ParseFieldList("(名称 C(10),qty I,no I UNIQUE)"));
    }

    int64_t CountOf(foxdb::Database& engine, const std::string& statement) {
        foxdb::ResultSet rs = engine.Query(statement);
        EXPECT_EQ(rs.rows.size(), 1u);
        EXPECT_EQ(rs.columns.size(), 1u);
        return rs.rows.empty() ? -1 : std::get<int64_t>(rs.rows[0][0]);
    }
    // The records a statement walk sees, which the count must agree with.
    int64_t Walked() {
        return static_cast<int64_t>(Query("select no from t where .T.").rows.size());
    }

    // Another writer of the folder (another program's edit), not this engine.
    void EditElsewhere(const std::function<void(foxdb::TableEdit&)>& change) {
        foxdb::TableEdit edit(folder.File("t.dbf"));
        change(edit);
        edit.Commit();
    }
};

TEST_F(SqlCount, FollowsEveryChangeToTheTable) {
    struct Step {
        const char* what;
        std::function<void()> change;
        int64_t live;
    };
    int next = 0;
    auto append = [&](int n) {
        EditElsewhere([&](foxdb::TableEdit& edit) {
            for (int i = 0; i < n; ++i, ++next)
                edit.Append({Gbk("件"), int64_t(next % 3), int64_t(next + 1)});
        });
    };
    const Step steps[] = {
        {"empty table", [] {}, 0},
        {"records appended elsewhere", [&] { append(5); }, 5},
        {"deleted by a statement", [&] { Run("delete from t where qty=0"); }, 3},
        {"inserted by a statement", [&] { Run("insert into t (名称,qty,no) values ('新',9,100)"); },
         4},
        // Only the deletion flags change: the file keeps its size.
        {"deleted in place elsewhere", [&] { EditElsewhere([](auto& e) { e.Delete(2); }); }, 3},
        {"recalled in place elsewhere", [&] { EditElsewhere([](auto& e) { e.Recall(1); }); }, 4},
        {"a field changed, no flag", [&] { Run("update t set qty=7"); }, 4},
        {"packed", [&] { foxdb::Pack(folder.File("t.dbf")); }, 4},
        {"every record deleted", [&] { Run("delete from t"); }, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        // Twice on the engine that counted before (the second from what it
        // remembers), and once on a fresh one.
        EXPECT_EQ(CountOf(*db, "select count(*) from t"), step.live);
        EXPECT_EQ(CountOf(*db, "select count(*) from t"), step.live);
        foxdb::Database fresh(folder.Path());
        EXPECT_EQ(CountOf(fresh, "SELECT COUNT(*) FROM T"), step.live);
        EXPECT_EQ(Walked(), step.live);
    }
}

TEST_F(SqlCount, CountsWithClausesStillGoThroughTheRecords) {
    EditElsewhere([](foxdb::TableEdit& edit) {
        for (int i = 0; i < 6; ++i)
            edit.Append({Gbk(i % 2 ? "甲" : "乙"), int64_t(i), int64_t(i + 1)});
        edit.Delete(6);
    });
    EXPECT_EQ(CountOf(*db, "select count(*) from t"), 5);
    EXPECT_EQ(CountOf(*db, "select count(*) from t where qty>=2"), 3);
    EXPECT_EQ(CountOf(*db, "select count(*) as n from t where 名称='甲'"), 2);
    EXPECT_EQ(CountOf(*db, "select count(distinct 名称) from t"), 2);
    EXPECT_EQ(CountOf(*db, "select count(qty) from t"), 5);
    auto grouped = Query("select 名称,count(*) from t group by 名称");
    ASSERT_EQ(grouped.rows.size(), 2u);
    EXPECT_EQ(std::get<int64_t>(grouped.rows[0][1]) + std::get<int64_t>(grouped.rows[1][1]), 5);

    // The column keeps its name and shape.
    auto named = Query("select count(*) as 件数 from t");
    EXPECT_EQ(named.columns[0].name, "件数");
    EXPECT_EQ(named.columns[0].type, foxdb::adInteger);
    EXPECT_TRUE(named.recnos.empty());
    EXPECT_THROW(Query("select count(*) from nosuch"), foxdb::Error);
}

} // namespace
} // namespace foxdb_test
