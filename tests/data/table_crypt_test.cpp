#include "common/program_folder.h"
#include "data/table_crypt.h"
#include "foxdb/dbf_file.h"
#include "foxdb/index_trust.h"
#include "platform/message_box.h"

class TableCryptTest : public ProgramFolderTest {
protected:
    // A plain table in the working folder, encrypted into the set folder.
    void MakeEncrypted(const std::string& table, const std::string& bytes) {
        Write(Working(table + ".dbf"), bytes);
        ASSERT_EQ(CTableCrypt::EncryptTable(table), 1);
        ASSERT_TRUE(platform::FileExists(Path("Data/" + table + ".dwf")));
        ASSERT_FALSE(platform::FileExists(Working(table + ".dbf")));
    }
};

TEST_F(TableCryptTest, DecryptsOnlyMissingCopiesOfTablesWithEncryptedFiles) {
    MakeEncrypted("ljkc", "stock rows");
    MakeEncrypted("ljsh", "sales rows");
    EXPECT_NE(Read(Path("Data/ljkc.dwf")), "stock rows");

    std::vector<wxString> decrypted;
    EXPECT_EQ(CTableCrypt::CryptTables("select * from ljkc,gk where 1=1", 1, &decrypted), 1);
    EXPECT_EQ(decrypted, std::vector<wxString>{"ljkc"});
    EXPECT_EQ(Read(Working("ljkc.dbf")), "stock rows");
    EXPECT_FALSE(platform::FileExists(Working("gk.dbf")));
    EXPECT_FALSE(platform::FileExists(Working("ljsh.dbf")));

    // An existing working copy is used as it is, never overwritten.
    Write(Working("ljkc.dbf"), "changed rows");
    decrypted.clear();
    CTableCrypt::CryptTables("select * from ljkc, LJSH", 1, &decrypted);
    EXPECT_EQ(decrypted, std::vector<wxString>{"LJSH"});
    EXPECT_EQ(Read(Working("ljkc.dbf")), "changed rows");
    EXPECT_EQ(Read(Working("ljsh.dbf")), "sales rows");

    // The encrypt pass turns every copy back into its encrypted file.
    EXPECT_EQ(CTableCrypt::CryptTables("select * from ljkc, LJSH", 0), 1);
    EXPECT_FALSE(platform::FileExists(Working("ljkc.dbf")));
    EXPECT_FALSE(platform::FileExists(Working("ljsh.dbf")));
    CTableCrypt::CryptTables("select * from ljkc", 1);
    EXPECT_EQ(Read(Working("ljkc.dbf")), "changed rows");
}

TEST_F(TableCryptTest, TextsWithoutTablesTouchNothing) {
    MakeEncrypted("ljkc", "rows");
    EXPECT_EQ(CTableCrypt::CryptTables("update ljkc set a=1", 1), 0);
    EXPECT_EQ(CTableCrypt::CryptTables("select * from tmlj", 1), 1);
    EXPECT_FALSE(platform::FileExists(Working("ljkc.dbf")));
    EXPECT_FALSE(platform::FileExists(Working("tmlj.dbf")));
    // A stray comma does not hide the table behind it.
    EXPECT_EQ(CTableCrypt::CryptTables("select * from ,ljkc", 1), 1);
    EXPECT_TRUE(platform::FileExists(Working("ljkc.dbf")));
    EXPECT_EQ(CTableCrypt::CryptTables(U("select * from ljkc where 名称='from gk'"), 0), 1);
    EXPECT_FALSE(platform::FileExists(Working("ljkc.dbf")));
    EXPECT_FALSE(platform::FileExists(Path("Data/gk.dwf")));
}

TEST_F(TableCryptTest, ReadOnlyCopiesAreDroppedOnlyWhileEncryptedFilesExist) {
    MakeEncrypted("ljkc", "rows");
    std::vector<wxString> decrypted;
    CTableCrypt::CryptTables("select * from ljkc", 1, &decrypted);
    Write(Working("gk.dbf"), "never encrypted");
    decrypted.push_back("gk");
    CTableCrypt::DropWorkingCopies(decrypted);
    EXPECT_FALSE(platform::FileExists(Working("ljkc.dbf")));
    EXPECT_TRUE(platform::FileExists(Working("ljkc.dbf")) ||
                platform::FileExists(Path("Data/ljkc.dwf")));
    EXPECT_EQ(Read(Working("gk.dbf")), "never encrypted");
}

TEST_F(TableCryptTest, OtherAccountSetsUseTheirOwnFolders) {
    SetAccountSet(U("分店"));
    EXPECT_EQ(g_strSetFolder, U("分店/"));
    EXPECT_EQ(g_strDataPath, wxString::FromUTF8(sysdir_) + U("/Data/分店/"));
    std::filesystem::create_directories(Path("分店"));
    std::filesystem::create_directories(g_strDataPath.utf8_string());
    Write(Working("ljkc.dbf"), "branch rows");
    ASSERT_EQ(CTableCrypt::EncryptTable("ljkc"), 1);
    EXPECT_TRUE(platform::FileExists(Path("分店/ljkc.dwf")));
    EXPECT_EQ(CTableCrypt::CryptTables("select * from ljkc", 1), 1);
    EXPECT_EQ(Read(Working("ljkc.dbf")), "branch rows");

    SetAccountSet(U("默认帐套"));
    EXPECT_EQ(g_strSetFolder, "Data/");
    EXPECT_EQ(g_strDataPath, wxString::FromUTF8(sysdir_) + "/Data/Data/");
}

// A working copy written with its index stays known to match it through the
// encryption and the decryption of that same encrypted file; an encrypted file or
// an index that changed behind our back is checked again, and found stale.
TEST_F(TableCryptTest, AnIndexIsTrustedOnlyBesideTheCopyItWasWrittenWith) {
    const std::string table = Working("ljsh.dbf");
    foxdb::CreateTable(foxdb::FolderOf(table), "ljsh",
                       foxdb::ParseFieldList("(a C(4),no I UNIQUE)"));
    auto append = [&table](int64_t no) {
        foxdb::TableEdit edit(table);
        edit.Append({std::string("r"), no});
        edit.Commit();
    };
    auto trusted = [&table] {
        return foxdb::IndexPairTrusted(foxdb::FileStamp::OfPath(table),
                                       foxdb::FileStamp::OfPath(foxdb::IndexPathFor(table)));
    };
    append(1);
    ASSERT_TRUE(trusted());
    ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
    const std::string oldEncrypted = Read(Path("Data/ljsh.dwf"));
    ASSERT_EQ(CTableCrypt::DecryptTable("ljsh"), 1);
    EXPECT_TRUE(trusted());

    append(2);
    const std::string index = Read(foxdb::IndexPathFor(table));
    ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
    // An older encryption put back: one record, beside the index of two.
    Write(Path("Data/ljsh.dwf"), oldEncrypted);
    ASSERT_EQ(CTableCrypt::DecryptTable("ljsh"), 1);
    EXPECT_FALSE(trusted());
    EXPECT_FALSE(foxdb::DbfFile::Read(table)->IndexMatchesRecords());

    append(2);
    ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
    Write(foxdb::IndexPathFor(table), index); // the same keys, but written by someone else
    ASSERT_EQ(CTableCrypt::DecryptTable("ljsh"), 1);
    EXPECT_FALSE(trusted());
    EXPECT_TRUE(foxdb::DbfFile::Read(table)->IndexMatchesRecords()); // checked: it does match
    EXPECT_TRUE(trusted());
}
