// Joins, IN lists and GROUP BY answered from the in-memory index of a field, on
// tables with enough keys that the index grows, against the answer worked out record
// by record.
#include "foxdb/sql_fixture.h"
#include "foxdb/table_files.h"

#include <map>
#include <random>

namespace foxdb_test {
namespace {

using foxdb::Null;
using foxdb::Value;

class SqlJoinIndex : public SqlTest {
protected:
    struct Row {
        Value key, number;
        bool deleted;
    };
    // Keys drawn from `keys` texts with random trailing blanks, some NULL, some
    // records deleted; numbers with -0 beside 0.
    std::vector<Row> Fill(const std::string& table, int rows, int keys, unsigned seed) {
        Run("create table " + table + " (k C(12), n N(6,1), no I)");
        std::mt19937 rng(seed);
        std::vector<Row> made;
        foxdb::TableEdit edit(foxdb::FindTableFile(folder.Path(), table));
        edit.ReserveAppends(static_cast<size_t>(rows));
        for (int i = 0; i < rows; ++i) {
            Row row;
            const int pick = static_cast<int>(rng() % static_cast<unsigned>(keys));
            row.key = pick == 0 ? Value(Null{})
                                : Value("键" + std::to_string(pick) + std::string(rng() % 3, ' '));
            row.number = rng() % 7 == 0 ? -0.0 : double(pick % 50);
            row.deleted = rng() % 11 == 0;
            const uint32_t recno = edit.Append({row.key, row.number, int64_t{i + 1}});
            if (row.deleted) edit.Delete(recno);
            made.push_back(row);
        }
        edit.Commit();
        return made;
    }
    static bool Live(const Row& row) { return !row.deleted && !foxdb::IsNull(row.key); }
    static std::string Trimmed(const Value& v) {
        std::string s = Text(v);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
};

TEST_F(SqlJoinIndex, JoinsAndInListsFindEveryMatchingLiveRecordWhicheverSideIsIndexed) {
    const auto big = Fill("big", 4000, 1500, 1);
    const auto small = Fill("small", 900, 700, 2);
    std::map<std::string, long> bigPerKey, smallPerKey;
    for (const Row& r : big)
        if (Live(r)) ++bigPerKey[Trimmed(r.key)];
    for (const Row& r : small)
        if (Live(r)) ++smallPerKey[Trimmed(r.key)];
    long pairs = 0, bigInSmall = 0;
    for (const auto& [key, count] : bigPerKey)
        if (auto it = smallPerKey.find(key); it != smallPerKey.end()) {
            pairs += count * it->second;
            bigInSmall += count;
        }
    ASSERT_GT(pairs, 0);
    for (const char* statement : {"select count(*) from big,small where big.k=small.k",
                                  "select count(*) from small,big where small.k=big.k"}) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(std::get<int64_t>(Query(statement).rows.at(0).at(0)), pairs);
    }
    EXPECT_EQ(Query("select no from big where k in(select k from small)").rows.size(),
              static_cast<size_t>(bigInSmall));
    // Number keys: -0 and 0 are one key.
    long numberPairs = 0;
    for (const Row& a : big)
        for (const Row& b : small)
            numberPairs += !a.deleted && !b.deleted &&
                           std::get<double>(a.number) == std::get<double>(b.number);
    EXPECT_EQ(std::get<int64_t>(
                  Query("select count(*) from big,small where big.n=small.n").rows.at(0).at(0)),
              numberPairs);
}

TEST_F(SqlJoinIndex, GroupByOnOneTextFieldGivesEachGroupOnceInKeyOrder) {
    const auto rows = Fill("big", 4000, 300, 3);
    struct Group {
        int64_t count = 0;
        double sum = 0;
        int64_t last = 0;
    };
    // By trimmed key in byte order, the NULL group (false, "") before every text.
    std::map<std::pair<bool, std::string>, Group> groups;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        if (r.deleted) continue;
        const bool null = foxdb::IsNull(r.key);
        Group& g = groups[{!null, null ? std::string() : Trimmed(r.key)}];
        ++g.count;
        g.sum += std::get<double>(r.number);
        g.last = static_cast<int64_t>(i + 1);
    }
    ASSERT_TRUE(groups.count({false, ""}));
    for (const bool descending : {false, true}) {
        const std::string statement =
            std::string("select k,count(*),sum(n),no from big group by k") +
            (descending ? " order by k desc" : "");
        SCOPED_TRACE(statement);
        const foxdb::ResultSet rs = Query(statement);
        ASSERT_EQ(rs.rows.size(), groups.size());
        auto expected = groups.begin();
        auto expectedBack = groups.rbegin();
        for (const auto& row : rs.rows) {
            const auto& [key, group] = descending ? *expectedBack++ : *expected++;
            EXPECT_EQ(!foxdb::IsNull(row[0]), key.first);
            if (key.first) EXPECT_EQ(Trimmed(row[0]), key.second);
            EXPECT_EQ(std::get<int64_t>(row[1]), group.count) << key.second;
            EXPECT_EQ(std::get<double>(row[2]), group.sum) << key.second;
            // A column neither grouped nor aggregated comes from the group's last record.
            EXPECT_EQ(std::get<int64_t>(row[3]), group.last) << key.second;
        }
    }
}

} // namespace
} // namespace foxdb_test
