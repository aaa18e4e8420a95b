#include "common/program_folder.h"
#include "crypt/sealkit.h"
#include "data/table_crypt.h"
#include "foxdb/database.h"
#include "foxdb/dbf_file.h"
#include "foxdb/index_trust.h"
#include "foxdb/transaction.h"
#include "foxdb/written_ranges.h"
#include "platform/message_box.h"

#include <fstream>
#include <functional>
#include <thread>

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

// A decrypted copy changed only by our writers is encrypted back from the bytes they
// wrote; whatever the changes, the encrypted file comes out byte for byte a whole
// encryption of the copy. A copy written whole, or changed behind the writers' back,
// is not taken on its ranges.
TEST_F(TableCryptTest, ACopyIsEncryptedBackFromWhatItsWritersWrote) {
    platform::ScriptedMessageBoxes boxes;
    const std::string table = Working("ljsh.dbf"), folder = foxdb::FolderOf(table);
    foxdb::CreateTable(folder, "ljsh", foxdb::ParseFieldList("(a C(30),no I UNIQUE)"));
    {
        foxdb::TableEdit edit(table);
        for (int64_t no = 1; no <= 3000; ++no)
            edit.Append({std::string("row ") + std::to_string(no), no});
        edit.Commit();
    }
    ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
    auto run = [&folder](std::initializer_list<const char*> statements) {
        foxdb::Database db(folder);
        for (const char* statement : statements)
            db.Execute(statement);
    };
    const struct {
        const char* what;
        std::function<void()> change;
        bool known; // taken on its written ranges
    } cases[] = {
        {"an update", [&] { run({"update ljsh set a='changed' where no=2500"}); }, true},
        {"appends", [&] { run({"insert into ljsh (a,no) values ('new',3001)"}); }, true},
        {"a deletion mark", [&] { run({"delete from ljsh where no=7"}); }, true},
        {"several commits in one transaction",
         [&] {
             foxdb::Transaction transaction(folder);
             run({"update ljsh set a='again' where no=10",
                  "insert into ljsh (a,no) values "
                  "('more',3002)",
                  "delete from ljsh where no=2999"});
             transaction.Commit();
         },
         true},
        {"a rolled back transaction",
         [&] {
             foxdb::Transaction transaction(folder);
             run({"update ljsh set a='undone' where no=11", "delete from ljsh where no=12"});
             transaction.Rollback();
         },
         true},
        {"written whole", [&] { foxdb::Pack(table); }, false},
        {"changed behind our back",
         [&] {
             run({"update ljsh set a='ours' where no=20"});
             std::this_thread::sleep_for(std::chrono::milliseconds(20)); // a later change
             std::string bytes = Read(table);
             bytes[bytes.size() / 2] ^= 0x20;
             std::ofstream(table, std::ios::binary | std::ios::in) << bytes;
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(CTableCrypt::DecryptTable("ljsh"), 1);
        c.change();
        std::vector<platform::ByteRange> written;
        EXPECT_EQ(foxdb::WrittenSince(foxdb::FileStamp::OfPath(table), &written), c.known);
        const std::string plain = Read(table);
        ASSERT_EQ(CTableCrypt::EncryptTable("ljsh"), 1);
        Write(Path("whole.dbf"), plain);
        platform::DeleteFile(Path("whole.dwf"));
        ASSERT_EQ(NvEncryptFile(Path("whole.dbf").c_str(), Path("whole.dwf").c_str(), kDataFileKey),
                  1);
        EXPECT_TRUE(Read(Path("Data/ljsh.dwf")) == Read(Path("whole.dwf")));
    }
    EXPECT_TRUE(boxes.Texts().empty());
}
