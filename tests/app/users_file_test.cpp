#include "app/users_file.h"
#include "common/program_folder.h"

#include "foxdb/database.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

#include <optional>

namespace {

struct UserRow {
    const char* logname;
    const char* pass;
    std::optional<const char*> qx; // nullopt: Null
};

class UsersFileTest : public ProgramFolderTest {
protected:
    // Writes a users file holding the rows, as the users page would.
    void WriteUsers(const std::vector<UserRow>& rows) {
        foxdb::ResultSet users;
        for (const char* name : {"logname", "pass", "qx"}) {
            foxdb::ResultColumn column;
            column.name = name;
            column.type = foxdb::adChar;
            column.definedSize = 20;
            users.columns.push_back(column);
        }
        for (const UserRow& row : rows)
            users.rows.push_back({platform::Utf8ToGbk(row.logname), platform::Utf8ToGbk(row.pass),
                                  row.qx ? foxdb::Value(platform::Utf8ToGbk(*row.qx))
                                         : foxdb::Value(foxdb::Null())});
        ado::Recordset recordset;
        recordset.OpenResult(std::move(users));
        recordset.Save(Path("plain.adtg"));
        ASSERT_TRUE(CUsersFile::InvertCopy(Path("plain.adtg"), Path(CUsersFile::kStoredFile)));
        platform::DeleteFile(Path("plain.adtg"));
    }
    bool WorkingCopyExists() const { return platform::FileExists(Path(CUsersFile::kWorkingCopy)); }
};

TEST_F(UsersFileTest, InvertingCopyIsItsOwnInverse) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    ASSERT_TRUE(platform::WriteFileAtomic(Path("a"), bytes));
    ASSERT_TRUE(CUsersFile::InvertCopy(Path("a"), Path("b")));
    ASSERT_TRUE(CUsersFile::InvertCopy(Path("b"), Path("c")));
    std::string inverted, back;
    ASSERT_TRUE(platform::ReadFileBytes(Path("b"), inverted));
    ASSERT_TRUE(platform::ReadFileBytes(Path("c"), back));
    EXPECT_EQ(inverted.size(), bytes.size());
    EXPECT_EQ(static_cast<unsigned char>(inverted[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(inverted[255]), 0x00);
    EXPECT_TRUE(back == bytes);
    EXPECT_FALSE(CUsersFile::InvertCopy(Path("missing"), Path("d")));
}

TEST_F(UsersFileTest, CheckUserCases) {
    WriteUsers({
        {"admin", "secret", "0"},
        {"wang", "pw1", "14,53,折扣=8.5,"},
        {"nullqx", "pw", std::nullopt},
        {"emptyqx", "pw", ""},
        {"nopass", "", "0"},
        {"blanks", "pw", "20,"}, // stored padded to the field width
        {" lead", "pw", "0"},
    });
    struct Case {
        const char* name;
        const char* password;
        bool known;
        const char* rights;
    } cases[] = {
        {"admin", "secret", true, "admin,0"},
        {"admin", "Secret", false, ""},
        {"admin", "secret ", false, ""},
        {"wang", "pw1", true, "wang,14,53,折扣=8.5,"},
        {"nullqx", "pw", false, ""},
        {"emptyqx", "pw", false, ""},
        {"nopass", "", false, ""},
        {"nobody", "", false, ""},
        {"blanks", "pw", true, "blanks,20,"},
        {"lead", "pw", false, ""}, // leading blanks count
        {" lead", "pw", true, " lead,0"},
        {"a' or '1'='1", "pw", false, ""},
        {"", "", false, ""},
    };
    for (const Case& c : cases) {
        platform::ScriptedMessageBoxes boxes;
        CUsersFile users;
        wxString rights;
        EXPECT_EQ(users.CheckUser(U(c.name), U(c.password), &rights), c.known) << c.name;
        EXPECT_EQ(rights, U(c.rights)) << c.name;
        EXPECT_TRUE(boxes.Texts().empty()) << c.name;
        EXPECT_FALSE(WorkingCopyExists()) << c.name;
    }
}

TEST_F(UsersFileTest, MissingOrDamagedFileLetsNobodyInAndChangesNothing) {
    for (const char* content : {static_cast<const char*>(nullptr), "", "not a users file"}) {
        if (content) {
            ASSERT_TRUE(platform::WriteFileAtomic(Path(CUsersFile::kStoredFile), content));
        }
        platform::ScriptedMessageBoxes boxes;
        CUsersFile users;
        wxString rights;
        EXPECT_FALSE(users.CheckUser("admin", "secret", &rights));
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{CUsersFile::DamagedText()});
        EXPECT_TRUE(rights.empty());
        EXPECT_FALSE(WorkingCopyExists());
        std::string stored;
        if (content) {
            ASSERT_TRUE(platform::ReadFileBytes(Path(CUsersFile::kStoredFile), stored));
            EXPECT_EQ(stored, content);
        } else {
            EXPECT_FALSE(platform::FileExists(Path(CUsersFile::kStoredFile)));
        }
    }
}

TEST_F(UsersFileTest, PasswordChangeIsWrittenBackAndKeepsTheOtherUsers) {
    ASSERT_TRUE(CUsersFile::CreateWithAdministrator("admin", "secret"));
    EXPECT_FALSE(WorkingCopyExists());
    CUsersFile users;
    ASSERT_TRUE(users.CheckUser("admin", "secret", nullptr));
    ASSERT_TRUE(users.ChangePassword("new1"));
    EXPECT_FALSE(WorkingCopyExists());

    CUsersFile again;
    wxString rights;
    EXPECT_FALSE(again.CheckUser("admin", "secret", &rights));
    EXPECT_TRUE(again.CheckUser("admin", "new1", &rights));
    EXPECT_EQ(rights, "admin,0");
    EXPECT_EQ(again.Recordset()->RecordCount(), 1);
}

} // namespace
