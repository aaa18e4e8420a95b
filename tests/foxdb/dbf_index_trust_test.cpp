// Indexes checked or written in one run are taken on trust by the next through the
// list kept for them, only while neither file changed in between.
#include "dbf_fixture.h"
#include "foxdb/dbf_file.h"
#include "foxdb/index_trust.h"

#include <cstdlib>
#include <functional>
#include <sys/stat.h>

using namespace foxdb;
using namespace foxdb_test;

namespace {

class IndexTrustAcrossRuns : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetIndexPairs();
        RememberIndexPairsIn(list);
        CreateTable(dir.Path(), "t", ParseFieldList("(a C(4),no I UNIQUE)"));
    }
    void TearDown() override { ForgetIndexPairs(); }
    void Append(int64_t no) {
        TableEdit edit(path);
        edit.Append({std::string("r"), no});
        edit.Commit();
    }
    // What a new start knows: only the list.
    void Restart() {
        ForgetIndexPairs();
        RememberIndexPairsIn(list);
    }
    bool Known() const { return DbfFile::Read(path)->IndexKnownToMatch(); }

    TempFolder dir;
    std::string path = dir.File("t.dbf"), cdx = dir.File("t.cdx"), list = dir.File("pairs");
};

} // namespace

TEST_F(IndexTrustAcrossRuns, AChangeToEitherFileBetweenRunsIsCheckedAgain) {
    struct Case {
        const char* what;
        std::function<void(const std::string& oldIndex)> between;
        bool known, matches;
    } cases[] = {
        {"nothing changed", [](const std::string&) {}, true, true},
        {"the table rewritten with its own bytes",
         [&](const std::string&) { WriteBytes(path, ReadBytes(path)); }, false, true},
        {"the table replaced by a copy",
         [&](const std::string&) {
             const std::string bytes = ReadBytes(path);
             std::filesystem::remove(path);
             WriteBytes(path, bytes);
         },
         false, true},
        {"an older index put back", [&](const std::string& old) { WriteBytes(cdx, old); }, false,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ForgetIndexPairs();
        std::filesystem::remove(list);
        RememberIndexPairsIn(list);
        std::filesystem::remove(path);
        std::filesystem::remove(cdx);
        CreateTable(dir.Path(), "t", ParseFieldList("(a C(4),no I UNIQUE)"));
        Append(1);
        const std::string oldIndex = ReadBytes(cdx);
        Append(2);
        ASSERT_TRUE(Known());
        c.between(oldIndex);
        Restart();
        EXPECT_EQ(Known(), c.known);
        EXPECT_EQ(DbfFile::Read(path)->IndexMatchesRecords(), c.matches);
        // Checked once, the pair holds for the run after that too.
        Restart();
        EXPECT_EQ(Known(), c.matches);
        // A stale index is rebuilt by the next save, which keys stay unique against.
        TableEdit edit(path);
        edit.Append({std::string("r"), int64_t(3)});
        edit.Commit();
        EXPECT_TRUE(DbfFile::Read(path)->IndexMatchesRecords());
        TableEdit again(path);
        again.Append({std::string("r"), int64_t(2)});
        EXPECT_THROW(again.Commit(), Error);
    }
}

TEST_F(IndexTrustAcrossRuns, APairForThisRunOnlyIsNotKeptInTheList) {
    Append(1);
    const std::string copy = dir.File("copy.dbf");
    std::filesystem::copy_file(path, copy);
    const FileStamp table = FileStamp::OfPath(copy), index = FileStamp::OfPath(cdx);
    const std::string before = ReadBytes(list);
    TrustIndexPairForThisRun(copy, table, index);
    EXPECT_TRUE(IndexPairTrusted(table, index));
    EXPECT_EQ(ReadBytes(list), before);
    Restart();
    EXPECT_FALSE(IndexPairTrusted(table, index));
    EXPECT_TRUE(Known()); // the pairs written to the list stay
    TrustIndexPair(copy, table, index);
    Restart();
    EXPECT_TRUE(IndexPairTrusted(table, index));
}

TEST_F(IndexTrustAcrossRuns, ADamagedOrMissingListTrustsNothing) {
    Append(1);
    const std::string kept = ReadBytes(list);
    ASSERT_FALSE(kept.empty());
    for (const std::string& damaged :
         {std::string(), std::string("garbage\n\n1 2 3\n"), std::string(4096, '\0'),
          kept.substr(0, kept.size() - 1), kept.substr(0, kept.find(' ', kept.find(' ') + 1))}) {
        WriteBytes(list, damaged);
        Restart();
        EXPECT_FALSE(Known());
    }
    WriteBytes(list, kept);
    Restart();
    EXPECT_TRUE(Known());
    // A list that cannot be written leaves saves as they were.
    RememberIndexPairsIn(dir.File("gone/pairs"));
    Append(2);
    EXPECT_TRUE(Known());
    EXPECT_FALSE(std::filesystem::exists(dir.File("gone")));
}

TEST_F(IndexTrustAcrossRuns, ATableWrittenWholeIsKnownWithTheIndexBuiltFromIt) {
    Append(1);
    Append(2);
    {
        TableEdit edit(path);
        edit.Delete(1);
        edit.Commit();
    }
    WriteBytes(cdx, ReadBytes(cdx)); // no longer known
    Restart();
    ASSERT_FALSE(Known());
    Pack(path);
    Restart();
    EXPECT_TRUE(Known());
    EXPECT_TRUE(DbfFile::Read(path)->IndexMatchesRecords());
    EXPECT_EQ(DbfFile::Read(path)->RecordCount(), 1u);
}

TEST_F(IndexTrustAcrossRuns, TheCommandLineToolSharesTheSystemFoldersList) {
    Append(1);
    TempFolder system;
    ::chmod(system.Path().c_str(), 0700);
    const std::string run = "QV_SYSDIR='" + system.Path() + "' '" QV_BIN_DIR "/qvsql' '" +
                            dir.Path() + "' \"update t set a='x' where no=1\" >/dev/null";
    ASSERT_EQ(std::system(run.c_str()), 0);
    // The program's next start reads the list the tool wrote, and the tool reads the
    // list as the program does.
    ForgetIndexPairs();
    RememberIndexPairsIn(system.File("index-pairs"));
    EXPECT_TRUE(Known());
    ::setenv("QV_SYSDIR", system.Path().c_str(), 1);
    ForgetIndexPairs();
    RememberIndexPairsOfTheSystemFolder();
    ::unsetenv("QV_SYSDIR");
    EXPECT_TRUE(Known());
}
