// A transaction over several tables: committed, every table is new; rolled back,
// failed, or killed at any step before the commit, every table is as before.
#include "dbf_fixture.h"
#include "foxdb/cdx_index.h"
#include "foxdb/database.h"
#include "foxdb/dbf_file.h"
#include "foxdb/transaction.h"
#include "platform/files.h"

#include <csignal>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace foxdb;
using namespace foxdb_test;

namespace {

const char* const kTables[] = {"a", "b", "c"};

// Three tables of `rows` records each; c's records are wide, so that it is the
// big one. And d, without an index, only ever changed in place.
void MakeTables(const std::string& dir, int rows) {
    CreateTable(dir, "a", ParseFieldList("(name C(10),no I UNIQUE)"));
    CreateTable(dir, "b", ParseFieldList("(name C(10),no I UNIQUE)"));
    CreateTable(dir, "c", ParseFieldList("(name C(250),no I UNIQUE)"));
    CreateTable(dir, "d", ParseFieldList("(name C(10),no I)"));
    for (const char* t : {"a", "b", "c", "d"}) {
        TableEdit edit(dir + "/" + t + ".dbf");
        for (int r = 1; r <= rows; ++r)
            edit.Append({std::string("r") + std::to_string(r), int64_t(r)});
        edit.Commit();
    }
}

// Names record 2 after `count`: a change written in place.
void Mark(const std::string& path, uint32_t count) {
    TableEdit edit(path);
    edit.Update(2, 0, "n" + std::to_string(count));
    edit.Commit();
}

// One more record in every table, b's first record renamed, and record 2 of a, c
// and d marked with the new count, in one transaction. a is marked in place before
// it is replaced whole, c after, d only in place.
void ChangeAll(const std::string& dir) {
    Transaction transaction(dir);
    const uint32_t next = DbfTable::Open(dir + "/a.dbf")->RecordCount() + 1;
    Mark(dir + "/a.dbf", next);
    for (const char* t : kTables) {
        TableEdit edit(dir + "/" + t + ".dbf");
        const uint32_t next = edit.Table().RecordCount() + 1;
        edit.Append({std::string("r") + std::to_string(next), int64_t(next)});
        if (std::string(t) == "b") edit.Update(1, 0, std::string("renamed"));
        edit.Commit();
    }
    Mark(dir + "/c.dbf", next);
    Mark(dir + "/d.dbf", next);
    transaction.Commit();
}

// The record count every table has; fails when they differ.
uint32_t CommonCount(const std::string& dir) {
    uint32_t count = DbfTable::Open(dir + "/a.dbf")->RecordCount();
    for (const char* t : kTables) {
        auto table = DbfTable::Open(dir + "/" + t + ".dbf");
        EXPECT_EQ(table->RecordCount(), count) << t;
        // The index matches the table the opener sees.
        std::string cdx = ReadBytes(dir + "/" + t + ".cdx");
        auto tags = ReadCdxTags(cdx, t);
        EXPECT_EQ(ReadCdxKeys(cdx, tags.at(0), false, t).size(), table->RecordCount()) << t;
    }
    std::string first = Text(DbfTable::Open(dir + "/b.dbf")->Get(1, 0));
    EXPECT_EQ(first.substr(0, first.find(' ')), count > 4 ? "renamed" : "r1");
    for (const char* t : {"a", "c", "d"}) {
        std::string second = Text(DbfTable::Open(dir + "/" + t + ".dbf")->Get(2, 0));
        EXPECT_EQ(second.substr(0, second.find(' ')),
                  count > 4 ? "n" + std::to_string(count) : "r2")
            << t;
    }
    return count;
}

int g_stopAt = 0;
int g_steps = 0;

void CountSteps(const char*) {
    ++g_steps;
    if (g_steps == g_stopAt) ::raise(SIGKILL);
}

std::string LeftOver(const std::string& dir) {
    std::string left;
    for (const std::string& name : platform::ListFiles(dir, "*"))
        if (name.find("qv-") != std::string::npos || name.find(".tmp") != std::string::npos ||
            name.find(".commit") != std::string::npos)
            left += name + " ";
    return left;
}

// The steps `change` goes through when nothing stops it.
int CountedSteps(const std::function<void()>& change) {
    SetTransactionHook(CountSteps);
    g_steps = 0;
    g_stopAt = -1;
    change();
    SetTransactionHook(nullptr);
    return g_steps;
}

// Runs `change` in a child that kills itself at step `stop` (past the last of
// `steps`, it ends by itself).
void RunStoppedAt(int stop, int steps, const std::function<void()>& change) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        g_steps = 0;
        g_stopAt = stop;
        SetTransactionHook(CountSteps);
        try {
            change();
        } catch (...) {
            _exit(2);
        }
        _exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(stop > steps ? WIFEXITED(status) : WIFSIGNALED(status));
}

} // namespace

TEST(DbfTransaction, CommitKeepsEveryTableRollbackRestoresEveryTable) {
    TempFolder dir;
    MakeTables(dir.Path(), 4);
    ChangeAll(dir.Path());
    EXPECT_EQ(CommonCount(dir.Path()), 5u);
    EXPECT_EQ(LeftOver(dir.Path()), "");

    const std::string before = ReadBytes(dir.File("b.dbf"));
    {
        Transaction transaction(dir.Path());
        EXPECT_TRUE(InTransaction(dir.Path() + "/"));
        EXPECT_THROW(Transaction(dir.Path()), Error); // one at a time
        TableEdit edit(dir.File("b.dbf"));
        edit.Delete(2);
        edit.Commit();
        // Inside the transaction the change is seen.
        EXPECT_TRUE(DbfTable::Open(dir.File("b.dbf"))->IsDeleted(2));
        transaction.Rollback();
    }
    EXPECT_EQ(ReadBytes(dir.File("b.dbf")), before);
    EXPECT_FALSE(InTransaction(dir.Path()));
    {
        Transaction dropped(dir.Path()); // neither committed nor rolled back
        TableEdit edit(dir.File("a.dbf"));
        edit.Append({std::string("x"), int64_t(99)});
        edit.Commit();
    }
    EXPECT_EQ(CommonCount(dir.Path()), 5u);
    EXPECT_EQ(LeftOver(dir.Path()), "");
}

// The child runs the transaction and kills itself at step k, for every step there is
// and at random moments; the next opener finds all tables before or all after.
TEST(DbfTransaction, AKillAtAnyStepLeavesAllBeforeOrAllAfter) {
    TempFolder dir;
    MakeTables(dir.Path(), 4);
    // A run without a stop counts the steps.
    auto change = [&dir] { ChangeAll(dir.Path()); };
    const int steps = CountedSteps(change);
    ASSERT_GT(steps, 10);
    uint32_t count = CommonCount(dir.Path());

    std::mt19937 random(7);
    for (int stop = 1; stop <= steps + 1; ++stop) {
        SCOPED_TRACE("stopped at step " + std::to_string(stop));
        RunStoppedAt(stop, steps, change);
        if (HasFatalFailure()) return;
        Database next(dir.Path()); // the next open finishes or undoes it
        const uint32_t now = CommonCount(dir.Path());
        ASSERT_TRUE(now == count || now == count + 1) << now;
        EXPECT_EQ(LeftOver(dir.Path()), "");
        if (HasFailure()) return;
        count = now;
    }
    // And at moments no step names.
    std::uniform_int_distribution<int> delay(0, 4000);
    for (int round = 0; round < 30; ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                ChangeAll(dir.Path());
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        RecoverTransaction(dir.Path());
        const uint32_t now = CommonCount(dir.Path());
        ASSERT_GE(now, count);
        EXPECT_EQ(LeftOver(dir.Path()), "");
        if (HasFailure()) return;
        count = now;
    }
}

// A full disk while the big table is written: the tables written before it go back.
TEST(DbfTransaction, AWriteThatFailsLeavesEveryTableAsBefore) {
    TempFolder dir;
    MakeTables(dir.Path(), 400); // c is about 100 KB, the others far less
    std::vector<std::string> before;
    for (const char* t : kTables)
        before.push_back(ReadBytes(dir.Path() + "/" + t + ".dbf"));
    // c cannot grow by a record, as on a full disk; what it holds can be put back.
    const rlim_t full = before[2].size() + 100;
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{full, full};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ChangeAll(dir.Path());
        } catch (const Error& e) {
            _exit(e.kind() == ErrorKind::Io ? 3 : 4);
        }
        _exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 3);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(ReadBytes(dir.Path() + "/" + kTables[i] + ".dbf"), before[i]) << kTables[i];
    EXPECT_EQ(LeftOver(dir.Path()), "");
}

namespace {

// The index holds each record's key at its record number, in order, and no other.
void ExpectIndexOfRecords(const std::string& path) {
    auto t = DbfFile::Read(path);
    const std::string cdx = ReadBytes(t->IndexPath());
    const auto keys = ReadCdxKeys(cdx, ReadCdxTags(cdx, path).at(0), false, path);
    ASSERT_EQ(keys.size(), t->RecordCount());
    std::vector<bool> seen(t->RecordCount() + 1, false);
    for (size_t i = 0; i < keys.size(); ++i) {
        const uint32_t recno = keys[i].recno;
        ASSERT_TRUE(recno >= 1 && recno <= t->RecordCount() && !seen[recno]) << recno;
        seen[recno] = true;
        ASSERT_EQ(keys[i].key, IndexKey(t->Layout(), t->RecordBytes(recno), t->Slot(1))) << recno;
        if (i > 0) {
            ASSERT_LT(keys[i - 1].key, keys[i].key);
        }
    }
}

// Three records appended and the key of record 1 changed, in one transaction.
void AppendAndRekey(const std::string& dir) {
    Transaction transaction(dir);
    TableEdit edit(dir + "/t.dbf");
    const uint32_t count = edit.Table().RecordCount();
    for (uint32_t i = 1; i <= 3; ++i)
        edit.Append({std::string("new"), int64_t(count + i)});
    edit.Update(1, 1, -int64_t(count));
    edit.Commit();
    transaction.Commit();
}

} // namespace

// Appends and a key change written where the table stands with its index made
// anew: a kill at any step leaves records and index both before or both after.
TEST(DbfTransaction, AKillDuringAnIndexedAppendLeavesTableAndIndexTogether) {
    TempFolder dir;
    const std::string path = dir.File("t.dbf");
    CreateTable(dir.Path(), "t", ParseFieldList("(name C(10),no I UNIQUE)"));
    {
        TableEdit edit(path);
        for (int r = 1; r <= 300; ++r)
            edit.Append({std::string("old"), int64_t(r)});
        edit.Commit();
    }
    auto change = [&dir] { AppendAndRekey(dir.Path()); };
    const int steps = CountedSteps(change);
    uint32_t count = DbfTable::Open(path)->RecordCount();
    ASSERT_EQ(count, 303u);
    ExpectIndexOfRecords(path);

    for (int stop = 1; stop <= steps + 1; ++stop) {
        SCOPED_TRACE("stopped at step " + std::to_string(stop));
        const Value firstKey = DbfTable::Open(path)->Get(1, 1);
        RunStoppedAt(stop, steps, change);
        if (HasFatalFailure()) return;
        Database next(dir.Path());
        auto t = DbfTable::Open(path);
        if (t->RecordCount() == count) {
            EXPECT_EQ(t->Get(1, 1), firstKey);
        } else {
            ASSERT_EQ(t->RecordCount(), count + 3);
            EXPECT_EQ(t->Get(1, 1), Value(-int64_t(count)));
            EXPECT_EQ(Text(t->Get(count + 3, 0)).substr(0, 3), "new");
        }
        ExpectIndexOfRecords(path);
        EXPECT_EQ(LeftOver(dir.Path()), "");
        if (HasFailure()) return;
        count = t->RecordCount();
    }
}
