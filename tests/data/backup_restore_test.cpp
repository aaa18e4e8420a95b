#include "maintenance_fixture.h"

#include <wx/datetime.h>

class BackupTest : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        backup_ = root_ + "/backup";
        std::filesystem::create_directories(backup_);
        SetFolderDialogHandler([this](const wxString& title) {
            titles_.push_back(title);
            return answer_;
        });
        answer_ = wxString::FromUTF8(backup_);
        Insert("ljkc",
               {{{"零件名称", "刹车片"}, {"no", "1"}}, {{"零件名称", "机油"}, {"no", "2"}}});
    }
    // Changes the first stock row in the working copy only, as a save whose encryption
    // failed leaves it.
    void UpdateWorkingCopyOnly() {
        CDataSet data;
        data.Open("select * from ljkc order by no");
        ado::RecordsetPtr rs = data.m_pRecordset;
        rs->MoveFirst();
        data.PutFieldValue(U("改过"), U("备注"), rs);
        rs->UpdateBatch(ado::adAffectAll);
    }
    void MakeBackup() {
        platform::ScriptedMessageBoxes boxes;
        frame_->BackupRestore(1);
        ASSERT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    }
    std::string Backup(const std::string& name) const { return backup_ + "/" + name; }
    std::vector<std::string> BackupFiles() const { return platform::ListFiles(backup_, "*"); }
    std::vector<std::string> SetFiles() const { return platform::ListFiles(Path("Data"), "*"); }

    std::string backup_;
    wxString answer_;
    Texts titles_;
};

TEST_F(BackupTest, BackupCopiesEveryTableIntoTheChosenFolder) {
    CreatePlainTable(CTableCatalog().GetCreateSql("hy")); // not encrypted yet
    Write(Backup("ljkc.dwf"), "an older backup");
    Write(Backup("notes.txt"), "kept");
    platform::ScriptedMessageBoxes boxes;
    EXPECT_EQ(frame_->BackupRestore(1), 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    EXPECT_EQ(titles_, Texts{U("本系统安装目录:") + wxString::FromUTF8(home_)});
    EXPECT_EQ(BackupFiles(), (std::vector<std::string>{"gk.dwf", "hy.dbf", "ljkc.dwf", "ljth.dwf",
                                                       "notes.txt", "zyxm.dwf"}));
    for (const char* name : {"gk.dwf", "hy.dbf", "ljkc.dwf", "ljth.dwf", "zyxm.dwf"})
        EXPECT_TRUE(Read(Backup(name)) == Read(SetFile(name))) << name;
    EXPECT_EQ(Read(Backup("notes.txt")), "kept");
}

TEST_F(BackupTest, BackupTakesTheChangesOnlyAWorkingCopyHolds) {
    ASSERT_EQ(CTableCrypt::DecryptTable("ljkc"), 1);
    UpdateWorkingCopyOnly();
    platform::ScriptedMessageBoxes boxes;
    frame_->BackupRestore(1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_TRUE(Read(Backup("ljkc.dwf")) == Read(SetFile("ljkc.dwf")));
    EXPECT_EQ(Column("select * from ljkc order by no", U("备注")), (Texts{U("改过"), "NULL"}));

    // A copy that cannot be encrypted is named: the backup lacks its changes.
    ASSERT_EQ(CTableCrypt::DecryptTable("gk"), 1);
    CMaintenanceFiles::Current().encrypt = [](const wxString&) { return false; };
    boxes.Clear();
    frame_->BackupRestore(1);
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("\ngk.dbf"), std::string::npos) << boxes.Texts()[0];
    EXPECT_EQ(WorkingCopies(), std::vector<std::string>{"gk.dbf"});
}

TEST_F(BackupTest, CancelledOrRefusedFoldersChangeNothing) {
    std::filesystem::create_directories(Path("Data/sub"));
    const auto before = SetFiles();
    struct Case {
        std::string folder;
        const char* message; // nullptr: none
    } cases[] = {
        {"", nullptr},
        {Path("Data"), "不能选择本系统数据目录! "},
        {Path("Data/"), "不能选择本系统数据目录! "},
        {Path("Data/sub/"), "不能选择本系统数据目录! "},
        {Path("Picture/../Data/sub"), "不能选择本系统数据目录! "},
        {root_ + "/nowhere/", "所选目录不存在: "},
    };
    for (int mode : {1, 0}) {
        for (const Case& c : cases) {
            answer_ = wxString::FromUTF8(c.folder);
            platform::ScriptedMessageBoxes boxes;
            EXPECT_EQ(frame_->BackupRestore(mode), 1);
            if (c.message) {
                ASSERT_EQ(boxes.Texts().size(), 1u) << c.folder;
                EXPECT_EQ(boxes.Texts()[0].rfind(c.message, 0), 0u) << c.folder;
            } else {
                EXPECT_TRUE(boxes.Texts().empty());
            }
            EXPECT_EQ(SetFiles(), before) << c.folder;
            EXPECT_TRUE(platform::ListFiles(Path("Data/sub"), "*").empty());
        }
    }
    EXPECT_TRUE(BackupFiles().empty());
    EXPECT_FALSE(
        IsInsideFolder(wxString::FromUTF8(Path("Data2")), wxString::FromUTF8(Path("Data"))));
    EXPECT_TRUE(
        IsInsideFolder(wxString::FromUTF8(Path("Data")), wxString::FromUTF8(Path("Data/"))));
}

TEST_F(BackupTest, AFullBackupFolderIsReportedAndKeepsTheOlderCopies) {
    // ljkc grows past what the nearly full disk can take; the other tables fit.
    std::vector<std::string> numbers;
    for (int i = 3; i < 80; ++i)
        numbers.push_back(std::to_string(i));
    std::vector<Row> rows;
    for (const std::string& number : numbers)
        rows.push_back({{"零件名称", "a long enough part name"}, {"no", number.c_str()}});
    Insert("ljkc", rows);
    Write(Backup("ljkc.dwf"), "an older backup");
    {
        platform::ScriptedMessageBoxes boxes;
        FileSizeLimit full(8 * 1024);
        frame_->BackupRestore(1);
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_EQ(boxes.Texts()[0].rfind("备份没有完成，以下文件没能复制到", 0), 0u);
        EXPECT_NE(boxes.Texts()[0].find("\nljkc.dwf"), std::string::npos);
        EXPECT_EQ(boxes.Texts()[0].find("gk.dwf"), std::string::npos);
    }
    EXPECT_EQ(Read(Backup("ljkc.dwf")), "an older backup");
    EXPECT_EQ(BackupFiles(),
              (std::vector<std::string>{"gk.dwf", "ljkc.dwf", "ljth.dwf", "zyxm.dwf"}));
}

TEST_F(BackupTest, AutomaticBackupGoesIntoTheFolderOfTheWeekday) {
    struct {
        int day;
        const char* name;
    } days[] = {{6, "星期日"}, {7, "星期一"}, {9, "星期三"}, {12, "星期六"}};
    for (const auto& d : days)
        EXPECT_EQ(AutoBackupDayName(wxDateTime(d.day, wxDateTime::Dec, 2026)), U(d.name));

    Write(Path("Picture/printinfo.adtg"), "users");
    platform::ScriptedMessageBoxes boxes;
    frame_->AutoBackup();
    EXPECT_TRUE(boxes.Texts().empty());
    const std::string folder = Path("AutBak/" + AutoBackupDayName(wxDateTime::Now()).utf8_string());
    EXPECT_EQ(frame_->m_strShared, wxString::FromUTF8(folder) + "/");
    EXPECT_EQ(platform::ListFiles(folder, "*"),
              (std::vector<std::string>{"gk.dwf", "ljkc.dwf", "ljth.dwf", "zyxm.dwf"}));
    EXPECT_TRUE(titles_.empty());
    EXPECT_EQ(Read(folder + "/Picture/printinfo.adtg"), "users");
}

TEST_F(BackupTest, RestoreBringsBackTheBackupAndRebuildsAtOnce) {
    MakeBackup();
    Insert("ljkc", {{{"零件名称", "滤芯"}, {"no", "3"}}});
    Insert("gk", {{{"no", "1"}}});
    ASSERT_EQ(Column("select * from ljkc", "no").size(), 3u);

    platform::ScriptedMessageBoxes boxes;
    EXPECT_EQ(frame_->BackupRestore(0), 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    EXPECT_EQ(Column("select * from ljkc order by no", U("零件名称")),
              (Texts{U("刹车片"), U("机油")}));
    EXPECT_EQ(Column("select * from gk", "no"), Texts{});
    EXPECT_FALSE(platform::FileExists(Path("Picture/ReInDexAll")));
    EXPECT_TRUE(platform::ListFiles(Path("Data"), "*.restoring").empty());
    EXPECT_TRUE(platform::FileExists(SetFile("hy.dwf"))); // the full rebuild made it
    EXPECT_TRUE(WorkingCopies().empty());
}

// The users file and the settings travel with the tables, so a damaged users file
// can be restored; the marks of pending work and the list of account sets do not.
TEST_F(BackupTest, TheUsersFileAndTheSettingsGoIntoTheBackupAndComeBack) {
    Write(Path("Picture/printinfo.adtg"), "users");
    Write(Path("Picture/SystemSet"), "options");
    Write(Path("Picture/FirstRun"), "pending");
    Write(Path("Picture/ztfile"), "sets");
    MakeBackup();
    EXPECT_EQ(platform::ListFiles(Backup("Picture"), "*"),
              (std::vector<std::string>{"SystemSet", "printinfo.adtg"}));

    Write(Path("Picture/printinfo.adtg"), "damaged");
    Write(Path("Picture/SystemSet"), "changed");
    Write(Path("Picture/ztfile"), "more sets");
    std::filesystem::remove(Path("Picture/FirstRun"));
    platform::ScriptedMessageBoxes boxes;
    frame_->BackupRestore(0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    EXPECT_EQ(Read(Path("Picture/printinfo.adtg")), "users");
    EXPECT_EQ(Read(Path("Picture/SystemSet")), "options");
    EXPECT_EQ(Read(Path("Picture/ztfile")), "more sets");
    EXPECT_FALSE(platform::FileExists(Path("Picture/FirstRun")));

    // A backup from before the settings were in it leaves the current ones.
    std::filesystem::remove_all(Backup("Picture"));
    Write(Path("Picture/SystemSet"), "changed");
    boxes.Clear();
    frame_->BackupRestore(0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    EXPECT_EQ(Read(Path("Picture/SystemSet")), "changed");
}

TEST_F(BackupTest, RestoreWithAWorkingCopyThatCannotBeRemovedLeavesTheRebuildToTheNextStart) {
    MakeBackup();
    Insert("ljkc", {{{"零件名称", "滤芯"}, {"no", "3"}}});
    ASSERT_EQ(CTableCrypt::DecryptTable("gk"), 1);
    CMaintenanceFiles::Current().encrypt = [](const wxString&) { return false; };

    platform::ScriptedMessageBoxes boxes;
    frame_->BackupRestore(0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成,请退出后重新运行本系统."});
    EXPECT_EQ(CSettingFiles::ReadSettingFile("ReInDexAll"), "noerro");
    EXPECT_TRUE(Read(SetFile("ljkc.dwf")) == Read(Backup("ljkc.dwf")));
    EXPECT_EQ(WorkingCopies(), std::vector<std::string>{"gk.dbf"}); // kept, not lost
    EXPECT_FALSE(platform::FileExists(SetFile("hy.dwf")));          // no rebuild yet
}

TEST_F(BackupTest, RestoreThatCannotCopyEveryFileChangesNothing) {
    MakeBackup();
    Insert("ljkc", {{{"零件名称", "滤芯"}, {"no", "3"}}});
    const std::string current = Read(SetFile("ljkc.dwf"));
    CMaintenanceFiles::Current().copy = [](const std::string& from, const std::string& to) {
        return from.find("zyxm") == std::string::npos &&
               CMaintenanceFiles::Platform().copy(from, to);
    };
    platform::ScriptedMessageBoxes boxes;
    frame_->BackupRestore(0);
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], "恢复没有完成，以下文件没能复制，现有数据没有改动:\nzyxm.dwf");
    EXPECT_TRUE(Read(SetFile("ljkc.dwf")) == current);
    EXPECT_EQ(Column("select * from ljkc", "no").size(), 3u);
    EXPECT_TRUE(platform::ListFiles(Path("Data"), "*.restoring").empty());
    EXPECT_FALSE(platform::FileExists(Path("Picture/ReInDexAll")));
}

TEST_F(BackupTest, DamagedForeignOrMissingBackupsAreRefused) {
    const auto before = SetFiles();
    const std::string current = Read(SetFile("ljkc.dwf"));
    struct Case {
        std::vector<std::pair<const char*, const char*>> files; // name, content ("" = a real copy)
        const char* message;
    } cases[] = {
        {{}, "所选目录中没有本系统的备份数据，现有数据没有改动。"},
        {{{"readme.txt", "x"}, {"gk.cdx", "x"}},
         "所选目录中没有本系统的备份数据，现有数据没有改动。"},
        {{{"gk.dwf", ""}, {"ljkc.dwf", "not a table of ours"}},
         "以下文件已损坏或不是本系统的数据文件，没有恢复任何数据:\nljkc.dwf"},
        {{{"gk.dwf", ""}, {"hy.dbf", "damaged plain table"}},
         "以下文件已损坏或不是本系统的数据文件，没有恢复任何数据:\nhy.dbf"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(backup_);
        std::filesystem::create_directories(backup_);
        for (const auto& [name, content] : c.files)
            Write(Backup(name), *content ? std::string(content) : Read(SetFile(name)));
        platform::ScriptedMessageBoxes boxes;
        frame_->BackupRestore(0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(SetFiles(), before);
        EXPECT_TRUE(Read(SetFile("ljkc.dwf")) == current);
    }
    EXPECT_EQ(Column("select * from ljkc", "no").size(), 2u);
}

TEST_F(BackupTest, WorkingCopiesAreEncryptedBackBeforeTheyGo) {
    // A plain table beside the program without its index goes, and so does every
    // working copy after it.
    Write(Path("left.dbf"), "left by a rebuild");
    Write(Path("other.dbf"), "left as well");
    ASSERT_EQ(CTableCrypt::DecryptTable("ljkc"), 1);
    EXPECT_EQ(frame_->DeleteWorkingCopies(), 1);
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_FALSE(platform::FileExists(Path("left.dbf")));
    EXPECT_FALSE(platform::FileExists(Path("other.dbf")));

    // A change that only the working copy holds reaches the encrypted table.
    Write(Path("left.dbf"), "left by a rebuild");
    Write(Path("LEFT.CDX"), "its index");
    ASSERT_EQ(CTableCrypt::DecryptTable("ljkc"), 1);
    UpdateWorkingCopyOnly();
    EXPECT_EQ(frame_->DeleteWorkingCopies(), 1);
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_TRUE(platform::ListFiles(home_, "*.dbf").empty());
    EXPECT_TRUE(platform::ListFiles(home_, "*.cdx").empty());
    EXPECT_EQ(Column("select * from ljkc order by no", U("备注")), (Texts{U("改过"), "NULL"}));
}
