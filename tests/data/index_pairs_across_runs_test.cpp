// An encrypted table whose index was known to belong to it stays known after a new
// start, through the list kept in the private system folder; an encrypted file put
// back from another time is checked again.
#include "common/program_folder.h"
#include "data/table_crypt.h"
#include "foxdb/dbf_file.h"
#include "foxdb/index_trust.h"

namespace {

class IndexPairsAcrossRuns : public ProgramFolderTest {
protected:
    void TearDown() override {
        foxdb::ForgetIndexPairs();
        ProgramFolderTest::TearDown();
    }
    void Append(int64_t no) {
        foxdb::TableEdit edit(Working("ljsh.dbf"));
        edit.Append({std::string("r"), no});
        edit.Commit();
    }
    // A new start of the program: nothing in memory, the account set chosen again.
    static void Restart() {
        foxdb::ForgetIndexPairs();
        SetAccountSet(wxString());
    }
    bool Known() { return foxdb::DbfFile::Read(Working("ljsh.dbf"))->IndexKnownToMatch(); }
};

} // namespace

TEST_F(IndexPairsAcrossRuns, ADecryptedCopyIsKnownAfterANewStartUnlessItsFileWasPutBack) {
    const std::string table = Working("ljsh.dbf");
    foxdb::CreateTable(foxdb::FolderOf(table), "ljsh",
                       foxdb::ParseFieldList("(a C(4),no I UNIQUE)"));
    Append(1);
    ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
    const std::string older = Read(Path("Data/ljsh.dwf"));
    Restart();
    ASSERT_EQ(CTableCrypt::DecryptTable("ljsh"), 1);
    EXPECT_TRUE(Known());

    Append(2);
    ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
    Write(Path("Data/ljsh.dwf"), older); // one record, beside the index of two
    Restart();
    ASSERT_EQ(CTableCrypt::DecryptTable("ljsh"), 1);
    EXPECT_FALSE(Known());
    EXPECT_FALSE(foxdb::DbfFile::Read(table)->IndexMatchesRecords());
    // The next save rebuilds the index from the records: 2 is free again.
    Append(2);
    EXPECT_TRUE(foxdb::DbfFile::Read(table)->IndexMatchesRecords());
    EXPECT_TRUE(platform::FileExists(sysdir_ + "/index-pairs"));
}
