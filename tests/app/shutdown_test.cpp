#include "app/main_frame.h"
#include "app/shutdown.h"
#include "common/table_folder.h"
#include "data/backup_restore.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <wx/datetime.h>
#include <wx/toplevel.h>

namespace {

class ShutdownTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = new CMainFrame; // never shown: no login comes
        MakeTables({"wlzm", "kzk"}, *frame_);
        platform::ScriptedMessageBoxes boxes;
        ASSERT_TRUE(frame_->Ledger().PostCashEntry(U("张三"), "12.5", U("维修")));
    }
    void TearDown() override {
        CShutdown::SetLinesSaver(CShutdown::RepairSheet, nullptr);
        CShutdown::SetLinesSaver(CShutdown::SalesSheet, nullptr);
        TableFolderTest::TearDown();
    }

    std::string Backup(const std::string& name) const {
        return Path("AutBak/" + AutoBackupDayName(wxDateTime::Now()).utf8_string() + "/" + name);
    }
    void CloseFrame() {
        frame_->Close(true);
        Pump();
    }

    CMainFrame* frame_ = nullptr;
};

TEST_F(ShutdownTest, ClosingSavesLinesBacksUpRemovesWorkingCopiesAndMarksACleanExit) {
    std::vector<std::string> steps;
    auto saver = [this, &steps](const char* sheet) {
        return [this, &steps, sheet] {
            steps.push_back(std::string(sheet) +
                            (platform::FolderExists(Path("AutBak")) ? " after" : " before"));
        };
    };
    CShutdown::SetLinesSaver(CShutdown::SalesSheet, saver("sales"));
    CShutdown::SetLinesSaver(CShutdown::RepairSheet, saver("repair"));
    // A working copy still open and a stray table beside the program.
    ASSERT_EQ(CDataSet::CryptTables("select * from kzk", 1), 1);
    ASSERT_FALSE(WorkingCopies().empty());
    ASSERT_TRUE(platform::WriteFileAtomic(Path("stray.dbf"), "x"));
    ASSERT_TRUE(platform::WriteFileAtomic(Path("stray.cdx"), "x"));

    platform::ScriptedMessageBoxes boxes;
    CloseFrame();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(steps, (std::vector<std::string>{"repair before", "sales before"}));
    EXPECT_TRUE(platform::FileExists(Backup("kzk.dwf")));
    EXPECT_TRUE(platform::FileExists(Backup("wlzm.dwf")));
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_FALSE(platform::FileExists(Path("stray.dbf")));
    EXPECT_FALSE(platform::FileExists(Path("stray.cdx")));

    std::string marker;
    ASSERT_TRUE(platform::ReadFileBytes(Path("Picture/noerro"), marker));
    EXPECT_EQ(marker.size(), 1024u);
    EXPECT_EQ(marker.substr(0, 7), "noerro\n");

    // The saved data is still there, read from the encrypted table.
    CMainFrameData next;
    EXPECT_EQ(Column("select * from kzk", "项目名称"), std::vector<wxString>{U("张三")});
}

TEST_F(ShutdownTest, OtherWindowsGoWithTheMainWindow) {
    ASSERT_TRUE(platform::WriteFileAtomic(Path("Picture/car.bmp"), "not a picture"));
    frame_->ShowRecordPicture(U(Path("Picture/car.bmp").c_str()));
    Pump();
    ASSERT_EQ(wxTopLevelWindows.size(), 2u);
    platform::ScriptedMessageBoxes boxes;
    CloseFrame();
    EXPECT_TRUE(wxTopLevelWindows.empty());
}

TEST_F(ShutdownTest, LinesThatCouldNotBeSavedLeaveTheMarkerOut) {
    bool salesSaved = false;
    CShutdown::SetLinesSaver(CShutdown::RepairSheet,
                             [] { throw std::runtime_error("the work card's table is gone"); });
    CShutdown::SetLinesSaver(CShutdown::SalesSheet, [&salesSaved] { salesSaved = true; });
    platform::ScriptedMessageBoxes boxes;
    CloseFrame();
    EXPECT_TRUE(salesSaved);
    EXPECT_TRUE(platform::FileExists(Backup("kzk.dwf")));
    EXPECT_FALSE(platform::FileExists(Path("Picture/noerro")));
}

} // namespace
