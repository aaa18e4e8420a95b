#include "app/first_run.h"
#include "common/program_folder.h"

#include "app/users_file.h"
#include "data/setting_files.h"
#include "data/table_catalog.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

class FirstRunTest : public ProgramFolderTest {};

TEST_F(FirstRunTest, CredentialsTheAdministratorMayHave) {
    struct Case {
        const char* name;
        const char* password;
        const char* repeated;
        bool accepted;
    } cases[] = {
        {"admin", "secret", "secret", true},
        {"管理员", "一二三四五", "一二三四五", true}, // 10 bytes
        {"admin", "一二三四五六", "一二三四五六", false},
        {"admin", "secret", "Secret", false},
        {"admin", "", "", false},
        {"", "secret", "secret", false},
        {"ad'min", "secret", "secret", false},
        {"ad,min", "secret", "secret", false},
        {" admin", "secret", "secret", false},
        {"一二三四五六七八九十一", "secret", "secret", false}, // 22 bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(
            CProgramFolderSetup::CheckCredentials(U(c.name), U(c.password), U(c.repeated)).empty(),
            c.accepted)
            << c.name << " " << c.password;
}

TEST_F(FirstRunTest, NewFolderGetsTablesMarkersAndItsAdministrator) {
    EXPECT_TRUE(CProgramFolderSetup::IsNewFolder());
    wxString error;
    ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret", &error)) << error;
    EXPECT_FALSE(CProgramFolderSetup::IsNewFolder());

    EXPECT_TRUE(platform::FolderExists(Path("Report")));
    for (const wxString& code : CTableCatalog().GetTableCodes())
        EXPECT_TRUE(CSettingFiles::FileExists("Data/" + code + ".dbf")) << code;
    for (const char* marker : {"Picture/FirstRun", "Picture/noerro", "Picture/Memfile", "tips.txt"})
        EXPECT_TRUE(CSettingFiles::FileExists(marker)) << marker;
    EXPECT_EQ(CSettingFiles::ReadSettingFile("currztname"), U("默认帐套"));

    CUsersFile users;
    wxString rights;
    EXPECT_TRUE(users.CheckUser("admin", "secret", &rights));
    EXPECT_EQ(rights, "admin,0");
    EXPECT_EQ(users.Recordset()->RecordCount(), 1);
}

// Tables without a users file are a damaged folder, never set up again over them.
TEST_F(FirstRunTest, FolderWithTablesButNoUsersIsNotNew) {
    ASSERT_TRUE(platform::WriteFileAtomic(Path("Data/gk.dwf"), "tables"));
    EXPECT_FALSE(CProgramFolderSetup::IsNewFolder());
}

TEST_F(FirstRunTest, FolderThatCannotBeMadeReportsAndLeavesNoUsers) {
    ASSERT_TRUE(platform::WriteFileAtomic(Path("Report"), "a file in the way"));
    platform::ScriptedMessageBoxes boxes;
    wxString error;
    EXPECT_FALSE(CProgramFolderSetup::Create("admin", "secret", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(platform::FileExists(Path(CUsersFile::kStoredFile)));
    EXPECT_TRUE(CProgramFolderSetup::IsNewFolder());
}

} // namespace
