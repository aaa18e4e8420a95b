// A rebuild that cannot finish leaves the old table in use, says so, and keeps the
// save-failure marker for the next start.
#include "maintenance_fixture.h"
#include "platform/private_files.h"

#include <chrono>
#include <csignal>
#include <sys/wait.h>

class RebuildFailureTest : public MaintenanceTest {
protected:
    // 120 returns of about 300 bytes each, numbered 5, 10, 15...
    void FillReturns() {
        std::vector<Row> rows;
        static std::vector<std::string> keep; // texts outlive the rows
        keep.clear();
        keep.reserve(240);
        for (int i = 1; i <= 120; ++i) {
            keep.push_back(std::to_string(i * 5));
            keep.push_back("part " + std::to_string(i) + std::string(20, 'x'));
        }
        for (int i = 0; i < 120; ++i)
            rows.push_back({{"no", keep[2 * i].c_str()},
                            {"no1", keep[2 * i].c_str()},
                            {"零件名称", keep[2 * i + 1].c_str()},
                            {"客户", "a customer with a long name"}});
        Insert("ljth", rows);
    }
    void MarkFailedSave(const char* table) {
        CSettingFiles::WriteSettingFile("currztname", U("默认帐套"));
        CSettingFiles::WriteSettingFile("indexfile", wxString("Data/") + table);
    }
};

TEST_F(RebuildFailureTest, AFailedSaveKeepsTheOldTableAndTheRepairSucceedsAtTheNextStart) {
    FillReturns();
    MarkFailedSave("ljth");
    // A working copy left by the last run holds the table; the disk is nearly full.
    ASSERT_EQ(CTableCrypt::DecryptTable("ljth"), 1);
    const std::string oldCopy = Read(Working("ljth.dbf"));
    ASSERT_GT(oldCopy.size(), 30000u);
    {
        platform::ScriptedMessageBoxes boxes;
        FileSizeLimit full(16 * 1024);
        frame_->OnSwitchAccountSet();
        EXPECT_FALSE(boxes.Texts().empty());
        // The batch save reports its own failure.
        EXPECT_EQ(boxes.Texts()[0].rfind("“零件退货库”数据库可能有误", 0), 0u) << boxes.Texts()[0];
    }
    EXPECT_EQ(CSettingFiles::ReadSettingFile("indexfile"), "Data/ljth");
    EXPECT_TRUE(Read(Working("ljth.dbf")) == oldCopy); // its encryption failed too: kept
    EXPECT_TRUE(Staged().empty());

    // The next start repairs it.
    frame_ = std::make_unique<CMainFrameData>();
    platform::ScriptedMessageBoxes boxes;
    frame_->OnSwitchAccountSet();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(platform::FileExists(Path("Picture/indexfile")));
    const Texts numbers = Column("select * from ljth order by no", "no");
    ASSERT_EQ(numbers.size(), 120u);
    EXPECT_EQ(numbers.front(), "1");
    EXPECT_EQ(numbers.back(), "120");
    EXPECT_EQ(Column("select * from ljth order by no", "no1").back(), "600");
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(RebuildFailureTest, AFailedCopyKeepsTheOldTable) {
    // Rows the catalogue's narrower field cannot hold: the copy stops, nothing is lost.
    ReplaceTable("ljth", U("CREATE TABLE ljth(零件名称 C(30),单价 N(14,2),no1 I,no I UNIQUE)"));
    Insert("ljth", {{{"零件名称", "刹车片"}, {"单价", "12345678.5"}, {"no", "1"}},
                    {{"零件名称", "机油"}, {"单价", "3"}, {"no", "2"}}});
    MarkFailedSave("ljth");
    const std::string before = Read(SetFile("ljth.dwf"));
    platform::ScriptedMessageBoxes boxes;
    frame_->OnSwitchAccountSet();
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0].rfind("“零件退货库”重建失败，原数据保持不变。", 0), 0u)
        << boxes.Texts()[0];
    EXPECT_EQ(Read(SetFile("ljth.dwf")), before);
    EXPECT_EQ(CSettingFiles::ReadSettingFile("indexfile"), "Data/ljth");
    EXPECT_EQ(Column("select * from ljth order by no", U("单价")), (Texts{"12345678.5", "3"}));
    EXPECT_TRUE(Staged().empty());
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(RebuildFailureTest, ADamagedTableIsReportedAndLeftAsItIs) {
    MarkFailedSave("ljkc");
    const std::string damaged = "this is no table at all";
    Write(Working("ljkc.dbf"), damaged); // a working copy takes the place of the table
    platform::ScriptedMessageBoxes boxes;
    frame_->OnSwitchAccountSet();
    ASSERT_EQ(boxes.Texts().size(), 2u); // the open's error box, then the rebuild's
    EXPECT_EQ(boxes.Texts()[1].rfind("“零件库存”重建失败，原数据保持不变。", 0), 0u);
    EXPECT_TRUE(Read(Working("ljkc.dbf")) == damaged);
    EXPECT_EQ(CSettingFiles::ReadSettingFile("indexfile"), "Data/ljkc");
    EXPECT_TRUE(Staged().empty());
}

TEST_F(RebuildFailureTest, AWorkingCopyThatCannotBeReplacedKeepsBothTables) {
    FillReturns();
    MarkFailedSave("ljth");
    CMaintenanceFiles::Current().move = [](const std::string&, const std::string&) {
        return false; // the working copy is locked
    };
    {
        platform::ScriptedMessageBoxes boxes;
        frame_->OnSwitchAccountSet();
        ASSERT_EQ(boxes.Texts().size(), 1u);
        EXPECT_NE(boxes.Texts()[0].find("新数据表不能放入工作目录"), std::string::npos);
    }
    const Texts oldNumbers = Column("select * from ljth order by no", "no");
    ASSERT_EQ(oldNumbers.size(), 120u);
    EXPECT_EQ(oldNumbers.back(), "600");
    EXPECT_EQ(Staged(), (std::vector<std::string>{"ljth.cdx", "ljth.dbf"}));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("indexfile"), "Data/ljth");

    // Unlocked, the next start puts the rebuilt table in place.
    CMaintenanceFiles::Current() = CMaintenanceFiles::Platform();
    frame_ = std::make_unique<CMainFrameData>();
    frame_->OnSwitchAccountSet();
    EXPECT_FALSE(platform::FileExists(Path("Picture/indexfile")));
    EXPECT_EQ(Column("select * from ljth order by no", "no").size(), 120u);
    EXPECT_EQ(Column("select * from ljth order by no", "no").back(), "120");
    EXPECT_TRUE(Staged().empty());
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(RebuildFailureTest, AMarkerNamingNoTableOfTheCatalogueIsConsumed) {
    MarkFailedSave("nosuch");
    const auto before = platform::ListFiles(Path("Data"), "*");
    platform::ScriptedMessageBoxes boxes;
    frame_->OnSwitchAccountSet();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(platform::FileExists(Path("Picture/indexfile")));
    EXPECT_EQ(platform::ListFiles(Path("Data"), "*"), before);
}

// A rebuild killed while a table waits in the staging folder leaves plain rows there;
// the next start empties it, as does each rebuild, and the tables are as before.
TEST_F(RebuildFailureTest, AKilledRebuildLeavesNoPlainTableAfterTheNextStart) {
    FillReturns();
    frame_->m_dsMain.CloseRecordset();
    frame_->CloseConnection();
    bool caught = false;
    for (int attempt = 0; attempt < 20 && !caught; ++attempt) {
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::ScriptedMessageBoxes boxes;
            for (;;)
                RebuildAllTables();
        }
        // Killed the moment a staged table is seen (it may be put in place meanwhile).
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (Staged().empty() && std::chrono::steady_clock::now() < deadline) {
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        caught = !Staged().empty();
    }
    ASSERT_TRUE(caught);
    std::string problem;
    ASSERT_TRUE(platform::TidyAtStart(home_, &problem)) << problem;
    EXPECT_TRUE(Staged().empty());
    frame_ = std::make_unique<CMainFrameData>();
    ASSERT_EQ(frame_->DeleteWorkingCopies(), 1); // as the next start does
    EXPECT_EQ(Column("select * from ljth", "no").size(), 120u);

    // What lies in the staging folder never outlives the next rebuild either.
    ASSERT_TRUE(platform::CreateFolders(sysdir_ + "/Rebuild/old"));
    ASSERT_TRUE(platform::WriteFileAtomic(sysdir_ + "/Rebuild/gk.dbf", "plain rows"));
    ASSERT_TRUE(platform::WriteFileAtomic(sysdir_ + "/Rebuild/old/gk.dbf", "plain rows"));
    EXPECT_TRUE(Rebuild("ljth"));
    EXPECT_TRUE(platform::ListFolders(sysdir_ + "/Rebuild").empty());
    EXPECT_TRUE(Staged().empty());
}
