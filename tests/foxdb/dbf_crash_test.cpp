// A writer killed at any moment leaves the old table or the new one, and the
// index always matches the table the next opener sees.
#include "dbf_fixture.h"
#include "foxdb/cdx_index.h"
#include "foxdb/database.h"
#include "foxdb/transaction.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <random>
#include <set>
#include <sys/wait.h>

using namespace foxdb;
using namespace foxdb_test;

namespace {

// Every record r holds no = r and a = "r<r>"; the index holds exactly those keys.
void ExpectConsistent(const std::string& dir) {
    auto t = DbfTable::Open(dir + "/t.dbf");
    for (uint32_t r = 1; r <= t->RecordCount(); ++r) {
        ASSERT_EQ(t->Get(r, 1), Value(int64_t(r)));
        std::string a = Text(t->Get(r, 0));
        ASSERT_EQ(a.substr(0, a.find(' ')), "r" + std::to_string(r));
    }
    std::string bytes = ReadBytes(dir + "/t.cdx");
    auto tags = ReadCdxTags(bytes, "t.cdx");
    ASSERT_EQ(tags.size(), 1u);
    auto keys = ReadCdxKeys(bytes, tags[0], false, "t.cdx");
    ASSERT_EQ(keys.size(), t->RecordCount());
    for (size_t i = 0; i < keys.size(); ++i)
        ASSERT_EQ(keys[i].recno, i + 1);
}

std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

[[noreturn]] void WriteForever(const std::string& dir) {
    try {
        for (;;) {
            TableEdit edit(dir + "/t.dbf");
            uint32_t next = edit.Table().RecordCount() + 1;
            edit.Append({"r" + std::to_string(next), int64_t(next)});
            edit.Update(1 + next % (next - 1 ? next - 1 : 1), 0,
                        "r" + std::to_string(1 + next % (next - 1 ? next - 1 : 1)));
            edit.Commit();
        }
    } catch (...) {
    }
    _exit(1);
}

// How long a writer runs before it is killed: random below a bound that doubles after
// each round in which the writer got nothing done, so that a busy machine still sees
// commits; the rounds go on past the usual time until one did.
class KillDelays {
public:
    explicit KillDelays(int maxMicroseconds) : m_nMax(maxMicroseconds) {}
    useconds_t Next(std::mt19937& random) {
        return static_cast<useconds_t>(std::uniform_int_distribution<int>(0, m_nMax)(random));
    }
    void Progress(bool madeSome) {
        if (!madeSome) m_nMax = std::min(m_nMax * 2, 2000000);
    }
    bool GoOn(std::chrono::steady_clock::time_point deadline, bool workDone) const {
        const auto now = std::chrono::steady_clock::now();
        return now < deadline || (!workDone && now < m_giveUp);
    }

private:
    int m_nMax;
    std::chrono::steady_clock::time_point m_giveUp =
        std::chrono::steady_clock::now() + std::chrono::seconds(60);
};

} // namespace

TEST(DbfCrash, KilledWritersNeverLeaveAMix) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(a C(200),no I UNIQUE)"));
    {
        TableEdit edit(dir.File("t.dbf"));
        for (int r = 1; r <= 3000; ++r)
            edit.Append({"r" + std::to_string(r), int64_t(r)});
        edit.Commit();
    }
    std::mt19937 random(42);
    KillDelays delays(25000);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    uint32_t grown = 3000;
    for (int round = 0; round < 60 && delays.GoOn(deadline, grown > 3000); ++round) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) WriteForever(dir.Path());
        ::usleep(delays.Next(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        ExpectConsistent(dir.Path());
        if (HasFatalFailure()) return;
        // Opening the folder finishes or drops whatever the kill left.
        Database reopened(dir.Path());
        ASSERT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"t.cdx", "t.dbf"}));
        const uint32_t count = DbfTable::Open(dir.File("t.dbf"))->RecordCount();
        delays.Progress(count > grown);
        grown = count;
    }
    EXPECT_GT(grown, 3000u); // the writers did get work done
    // And the table takes writes again.
    TableEdit edit(dir.File("t.dbf"));
    uint32_t next = edit.Table().RecordCount() + 1;
    edit.Append({"r" + std::to_string(next), int64_t(next)});
    edit.Commit();
    ExpectConsistent(dir.Path());
}

// Changes written into the table where they stand: every commit sets the first
// three records to a new generation, appending three more of it to a table without
// an index. A kill leaves all of one generation, and the next open of the folder
// takes away the undo record.
TEST(DbfCrash, KilledInPlaceWritersLeaveOneGeneration) {
    for (bool indexed : {true, false}) {
        SCOPED_TRACE(indexed ? "indexed, updates only" : "no index, with appends");
        TempFolder dir;
        CreateTable(dir.Path(), "t",
                    ParseFieldList(indexed ? "(a C(200),no I UNIQUE)" : "(a C(200),no I)"));
        {
            TableEdit edit(dir.File("t.dbf"));
            for (int r = 1; r <= 2000; ++r)
                edit.Append({std::string("g0"), int64_t(r)});
            edit.Commit();
        }
        std::mt19937 random(7);
        KillDelays delays(20000);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        std::set<std::string> seen;
        for (int round = 0; round < 40 && delays.GoOn(deadline, seen.size() > 3); ++round) {
            pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                try {
                    for (int g = 1;; ++g) {
                        TableEdit edit(dir.File("t.dbf"));
                        const std::string a = "g" + std::to_string(g) + "-" + std::to_string(round);
                        for (uint32_t r = 1; r <= 3; ++r)
                            edit.Update(r, 0, a);
                        if (!indexed)
                            for (int i = 0; i < 3; ++i)
                                edit.Append({a, int64_t(0)});
                        edit.Commit();
                    }
                } catch (...) {
                }
                _exit(1);
            }
            ::usleep(delays.Next(random));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
            { Database reopened(dir.Path()); }
            const size_t seenBefore = seen.size();
            std::vector<std::string> expected{"t.dbf"};
            if (indexed) expected.insert(expected.begin(), "t.cdx");
            ASSERT_EQ(FolderNames(dir.Path()), expected);
            auto t = DbfTable::Open(dir.File("t.dbf"));
            const std::string a = Text(t->Get(1, 0));
            seen.insert(a);
            delays.Progress(seen.size() > seenBefore);
            for (uint32_t r = 2; r <= 3; ++r)
                ASSERT_EQ(Text(t->Get(r, 0)), a);
            if (!indexed) {
                ASSERT_EQ((t->RecordCount() - 2000) % 3, 0u);
                if (t->RecordCount() > 2000) {
                    ASSERT_EQ(Text(t->Get(t->RecordCount(), 0)), a);
                }
            }
        }
        EXPECT_GT(seen.size(), 3u); // the writers did get work done
    }
}

// An in-place write whose undo record is on disk but whose change is half done is
// put back by the next reader.
TEST(DbfCrash, AnInPlaceWriteCutHalfwayIsPutBackByTheNextReader) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(a C(10),no I)"));
    const std::string path = dir.File("t.dbf");
    {
        TableEdit edit(path);
        edit.Append({std::string("old"), int64_t(1)});
        edit.Commit();
    }
    const std::string before = ReadBytes(path);
    // Catch the write between its undo record and its end, then copy what is there.
    static std::string undo, partial;
    static std::string table;
    table = path;
    SetTransactionHook([](const char* step) {
        if (std::string(step) == "written") {
            undo = ReadBytes(table + ".qv-undo");
            partial = ReadBytes(table);
        }
    });
    {
        TableEdit edit(path);
        edit.Update(1, 0, std::string("new"));
        edit.Append({std::string("more"), int64_t(2)});
        edit.Commit();
    }
    SetTransactionHook(nullptr);
    ASSERT_FALSE(undo.empty());
    ASSERT_NE(partial, before);
    WriteBytes(path, partial);
    WriteBytes(path + ".qv-undo", undo);
    EXPECT_EQ(DbfTable::Open(path)->RecordCount(), 1u);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(path + ".qv-undo"));
}

// The moment that matters most, made exactly: both new files complete and the
// marker written, the table renamed, the index not yet.
TEST(DbfCrash, AReplacementCutBetweenTheRenamesIsFinishedByTheNextOpener) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(a C(10),no I UNIQUE)"));
    std::string path = dir.File("t.dbf");
    {
        TableEdit edit(path);
        edit.Append({std::string("r1"), int64_t(1)});
        edit.Commit();
    }
    const std::string oldDbf = ReadBytes(path), oldCdx = ReadBytes(dir.File("t.cdx"));
    {
        TableEdit edit(path);
        edit.Append({std::string("r2"), int64_t(2)});
        edit.Commit();
    }
    const std::string newDbf = ReadBytes(path), newCdx = ReadBytes(dir.File("t.cdx"));
    for (int renamed = 0; renamed <= 2; ++renamed) {
        SCOPED_TRACE(renamed);
        WriteBytes(path, renamed >= 1 ? newDbf : oldDbf);
        WriteBytes(dir.File("t.cdx"), renamed >= 2 ? newCdx : oldCdx);
        if (renamed < 1) WriteBytes(path + ".tmp", newDbf);
        if (renamed < 2) WriteBytes(dir.File("t.cdx.tmp"), newCdx);
        WriteBytes(path + ".commit", "t.dbf\nt.cdx\n");
        EXPECT_EQ(DbfTable::Open(path)->RecordCount(), 2u);
        EXPECT_EQ(ReadBytes(dir.File("t.cdx")), newCdx);
        EXPECT_FALSE(std::filesystem::exists(path + ".commit"));
        EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
        EXPECT_FALSE(std::filesystem::exists(dir.File("t.cdx.tmp")));
    }
    // Before the marker the new files are not yet decided: the old table stays.
    WriteBytes(path, oldDbf);
    WriteBytes(dir.File("t.cdx"), oldCdx);
    WriteBytes(path + ".tmp", newDbf);
    WriteBytes(dir.File("t.cdx.tmp"), newCdx);
    WriteBytes(path + ".commit.tmp", "t.dbf\nt.cdx\n");
    EXPECT_EQ(DbfTable::Open(path)->RecordCount(), 1u);
    { Database reopened(dir.Path()); } // and opening the folder drops them
    EXPECT_EQ(FolderNames(dir.Path()), (std::vector<std::string>{"t.cdx", "t.dbf"}));
    EXPECT_EQ(ReadBytes(dir.File("t.cdx")), oldCdx);
    WriteBytes(path + ".tmp", newDbf); // in the way of no writer, dropped by the next open
    TableEdit edit(path);
    edit.Append({std::string("r2"), int64_t(2)});
    edit.Commit();
    { Database reopened(dir.Path()); }
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_EQ(DbfTable::Open(path)->RecordCount(), 2u);
    // A marker moves only the table's own files.
    WriteBytes(dir.File("other.dbf.tmp"), "x");
    WriteBytes(path + ".commit", "other.dbf\n../t.dbf\n\n");
    EXPECT_EQ(DbfTable::Open(path)->RecordCount(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("other.dbf")));
    EXPECT_FALSE(std::filesystem::exists(path + ".commit"));
    // A table whose creation was cut short is found once finished.
    std::filesystem::rename(path, dir.File("u.dbf.tmp"));
    std::filesystem::rename(dir.File("t.cdx"), dir.File("u.cdx.tmp"));
    WriteBytes(dir.File("u.dbf.commit"), "u.dbf\nu.cdx\n");
    EXPECT_EQ(FindTableFile(dir.Path(), "U"), dir.File("u.dbf"));
    EXPECT_TRUE(std::filesystem::exists(dir.File("u.cdx")));
}
