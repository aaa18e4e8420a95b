#include "app/startup_after_login.h"
#include "common/program_folder.h"

#include "app/first_run.h"
#include "data/data_folders.h"
#include "data/initials_table.h"
#include "data/main_frame_data.h"
#include "data/setting_files.h"
#include "data/table_catalog.h"
#include "foxdb/database.h"
#include "platform/files.h"
#include "platform/message_box.h"

#include <filesystem>

namespace {

const char* const kRebuildAllQuestion =
    "系统要求整理全部数据,是否要自动整理? \r\n "
    "(也可以从工具主菜单下的数据库管理进入到数据整理完成此操作)";
const char* const kUncleanExitQuestion = "上次退出为非正常退出,数据可能有误,是否要整理数据? \r\n "
                                         "(如果数据多,电脑配置不高可能占用较长时间)";

using Texts = std::vector<std::string>;

// A program folder as the first run leaves it, with the frame's data share.
class StartupTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(CProgramFolderSetup::Create("admin", "secret"));
        frame_ = std::make_unique<CMainFrameData>();
    }
    void TearDown() override {
        frame_.reset();
        ProgramFolderTest::TearDown();
    }
    void Plain(const std::string& statement) { foxdb::Database(Path("Data")).Execute(statement); }
    // The rows of a statement, fields joined by "|".
    Texts Rows(const wxString& statement, std::vector<const char*> fields) {
        CDataSet data;
        data.Open(statement);
        Texts rows;
        if (!data.m_bOpen || data.m_pRecordset->RecordCount() <= 0) return rows;
        for (data.m_pRecordset->MoveFirst(); !data.m_pRecordset->EndOfFile();
             data.m_pRecordset->MoveNext()) {
            std::string row;
            for (const char* field : fields) {
                ado::Variant value = data.m_pRecordset->Fields().Item(field).Value();
                row += (row.empty() ? "" : "|") +
                       (value.IsNull() ? std::string("NULL")
                                       : wxString::FromUTF8(value.ToString()).Trim().utf8_string());
            }
            rows.push_back(row);
        }
        return rows;
    }
    std::unique_ptr<CMainFrameData> frame_;
    bool started_ = false;
};

TEST_F(StartupTest, FirstLoginEncryptsTheDefaultSet) {
    platform::ScriptedMessageBoxes boxes;
    CStartupAfterLogin startup(*frame_, started_);
    startup.Prepare(U("默认帐套"));
    EXPECT_TRUE(boxes.Texts().empty()); // the new folder ended cleanly
    EXPECT_FALSE(CSettingFiles::FileExists("Picture/FirstRun"));
    EXPECT_FALSE(CSettingFiles::FileExists("Picture/noerro"));
    EXPECT_EQ(g_strSetFolder, "Data/");
    EXPECT_TRUE(platform::ListFiles(Path("Data"), "*.dbf").empty());
    EXPECT_TRUE(platform::ListFiles(Path("Data"), "*.cdx").empty());
    EXPECT_TRUE(CSettingFiles::FileExists("Data/ljsh.dwf"));
    EXPECT_FALSE(platform::ListFiles(DataPathFile(""), "*.cdx").empty());
    EXPECT_FALSE(started_);
    EXPECT_EQ(Rows("select * from ljsh", {"no"}), Texts{});
}

TEST_F(StartupTest, NewFolderHasEveryInitialAndALoginCompletesAnOlderSet) {
    const std::string complete = std::to_string(CInitialsTable::CompleteRowCount());
    const foxdb::ResultSet made = foxdb::Database(Path("Data")).Query("select count(*) from qvpy");
    ASSERT_EQ(made.rows.size(), 1u);
    const foxdb::Value& count = made.rows[0][0];
    EXPECT_EQ(std::holds_alternative<double>(count) ? long(std::get<double>(count))
                                                    : long(std::get<int64_t>(count)),
              CInitialsTable::CompleteRowCount());

    // A set made before the initials were carried has a table with few rows.
    Plain("drop table qvpy");
    Plain(CTableCatalog().GetCreateSql("qvpy").utf8_string());
    Plain("insert into qvpy (Hz,Py,no) values ('行','H',1)");
    platform::ScriptedMessageBoxes boxes;
    CStartupAfterLogin(*frame_, started_).Prepare(U("默认帐套"));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(Rows("select count(*) as n from qvpy", {"n"}), Texts{complete});
    EXPECT_EQ(Rows(U("select * from qvpy where hz='行'"), {"Py"}), Texts{"H"});
    EXPECT_EQ(Rows(U("select * from qvpy where hz='鼾'"), {"Py"}), Texts{"H"});
}

TEST_F(StartupTest, ConnectionFollowsTheChosenSet) {
    CStartupAfterLogin(*frame_, started_).Prepare(U("默认帐套"));
    ASSERT_EQ(frame_->OpenConnection(), 1); // something used the tables before a login
    ASSERT_TRUE(platform::CreateFolders(Path("Shop")));
    started_ = false;
    CSettingFiles::WriteSettingFile("noerro", "noerro");
    platform::ScriptedMessageBoxes boxes;
    CStartupAfterLogin(*frame_, started_).Prepare("Shop");
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(g_strSetFolder, "Shop/");
    EXPECT_TRUE(frame_->m_dsMain.m_strConnection.EndsWith("/Data/Shop/"));
    EXPECT_TRUE(frame_->m_bConnOpen);
}

TEST_F(StartupTest, MarkerQuestionsConsumeTheirMarkers) {
    struct Case {
        bool reindex;
        bool clean;
        Texts questions;
    } cases[] = {
        {false, true, {}},
        {false, false, {kUncleanExitQuestion}},
        {true, true, {kRebuildAllQuestion}},
        {true, false, {kRebuildAllQuestion}}, // one rebuild question is enough
    };
    for (const Case& c : cases) {
        CSettingFiles::DeleteSettingFile("noerro");
        if (c.reindex) CSettingFiles::WriteSettingFile("ReInDexAll", "ReInDexAll");
        if (c.clean) CSettingFiles::WriteSettingFile("noerro", "noerro");
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(platform::IDNO);
        boxes.Reply(platform::IDNO);
        CStartupAfterLogin(*frame_, started_).AskMarkerQuestions();
        EXPECT_EQ(boxes.Texts(), c.questions) << c.reindex << c.clean;
        EXPECT_FALSE(CSettingFiles::FileExists("Picture/ReInDexAll"));
        EXPECT_FALSE(CSettingFiles::FileExists("Picture/noerro"));
    }
}

TEST_F(StartupTest, RepeatedLoginAsksNothing) {
    started_ = true;
    CSettingFiles::DeleteSettingFile("noerro");
    CSettingFiles::WriteSettingFile("ReInDexAll", "ReInDexAll");
    platform::ScriptedMessageBoxes boxes;
    CStartupAfterLogin(*frame_, started_).Prepare(U("默认帐套"));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_TRUE(CSettingFiles::FileExists("Picture/ReInDexAll"));
    EXPECT_TRUE(frame_->m_bConnOpen);
}

// The upgrade replaces this login's questions, but a crash of the run that follows
// must still be noticed at the next start: the clean-exit marker goes.
TEST_F(StartupTest, UpgradeMigratesOrderDatesAndClearsTheCleanExitMarker) {
    Plain("insert into jhda (定货单,no) values ('20050315001',1)");
    Plain("insert into jhda (定货单,no) values ('20050015001',2)");
    Plain("insert into jhda (定货单,日期,no) values ('20050315',{^2020-01-02},3)");
    Plain("insert into jhda (no) values (4)");
    Plain("insert into dhd (定货单,no) values ('20061231X',1)");
    Plain("insert into dhd (定货单,no) values ('2006',2)");
    Plain("insert into dhd (定货单,日期,no) values ('20061231',{^2021-05-06},3)");
    ASSERT_TRUE(platform::WriteFileAtomic(Path("升级"), ""));
    CSettingFiles::WriteSettingFile("ReInDexAll", "ReInDexAll");

    platform::ScriptedMessageBoxes boxes;
    CStartupAfterLogin startup(*frame_, started_);
    startup.Prepare(U("默认帐套"));
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(platform::FileExists(Path("升级")));
    EXPECT_FALSE(CSettingFiles::FileExists("Picture/noerro"));
    EXPECT_TRUE(CSettingFiles::FileExists("Picture/ReInDexAll")); // asked at the next start

    const std::string today = wxDateTime::Today().Format("%Y-%m-%d").utf8_string();
    EXPECT_EQ(Rows("select * from jhda order by no", {"no", "日期", "入库单"}),
              (Texts{"1|2005-03-15|20050315001", "2|" + today + "|20050015001", "3|2020-01-02|NULL",
                     "4|" + today + "|NULL"}));
    EXPECT_EQ(Rows("select * from dhd order by no", {"no", "日期"}),
              (Texts{"1|2006-12-31", "2|NULL", "3|2021-05-06"}));
}

TEST_F(StartupTest, OrderNumberDates) {
    struct Case {
        const char* number;
        const char* date;
    } cases[] = {
        {"20050315001", "2005-03-15"},
        {" 20050315 ", "2005-03-15"},
        {"20050015001", ""},
        {"00000315", ""},
        {"20050300", ""},
        {"2005031", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStartupAfterLogin::OrderNumberDate(c.number), c.date) << c.number;
}

TEST_F(StartupTest, OpenLinesRebuiltOnThe14thAnd28thAtTheFirstLoginOnly) {
    for (int no = 1; no <= 6; ++no)
        Plain("insert into zyxm (客户,no) values ('A'," + std::to_string(no) + ")");
    CStartupAfterLogin(*frame_, started_).Prepare(U("默认帐套"));
    struct Case {
        int day;
        bool started;
        bool rebuilt;
    } cases[] = {
        {13, false, false}, {14, false, true}, {15, false, false},
        {27, false, false}, {28, false, true}, {28, true, false},
    };
    int no = 0;
    for (const Case& c : cases) {
        started_ = c.started;
        // A rebuild drops the records marked deleted, so the file gets shorter.
        frame_->m_dsMain.DeleteWhere("zyxm", wxString::Format("no=%d", ++no));
        const auto before = std::filesystem::file_size(Path("Data/zyxm.dwf"));
        CStartupAfterLogin(*frame_, started_).Finish(wxDateTime(c.day, wxDateTime::Feb, 2026));
        EXPECT_EQ(std::filesystem::file_size(Path("Data/zyxm.dwf")) < before, c.rebuilt)
            << c.day << " " << c.started;
        EXPECT_TRUE(started_);
    }
}

TEST_F(StartupTest, RemindersCountTheEnabledAlerts) {
    Plain("insert into gk (车牌号码,生日,no) values ('A1',{^1990-12-12},1)");
    Plain("insert into gk (车牌号码,生日,no) values ('A2',{^1985-12-25},2)");
    Plain("insert into gk (车牌号码,生日,no) values ('A3',{^1970-12-19},3)");
    Plain("insert into gk (车牌号码,no) values ('A4',4)");
    Plain("insert into gk (车牌号码,no) values ('B20',5)"); // 0: not December's digits
    CStartupAfterLogin startup(*frame_, started_);
    startup.Prepare(U("默认帐套"));
    const wxDateTime today(10, wxDateTime::Dec, 2026);

    EXPECT_TRUE(startup.CountReminders(today).empty()); // no options file: no alerts

    CSettingFiles::WriteSettingFile("SystemSet", U("提示4=1,"));
    platform::ScriptedMessageBoxes boxes;
    std::vector<ReminderItem> items = startup.CountReminders(today);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].label, U("生日客户"));
    EXPECT_EQ(items[0].count, 2); // the 12th and the 19th are within ten days
    EXPECT_TRUE(boxes.Texts().empty());

    // Every statement runs on the engine: empty part tables count nothing.
    CSettingFiles::WriteSettingFile("SystemSet", U("提示1=1,提示2=1,提示3=1,提示4=1,提示5=1,"));
    items = startup.CountReminders(today);
    std::vector<std::string> counted;
    for (const ReminderItem& item : items)
        counted.push_back(item.label.utf8_string() + ":" + std::to_string(item.count));
    // December inspects plates ending in 2 or 1: A1 and A2, not B20.
    EXPECT_EQ(counted,
              (Texts{"零件缺货:0", "零件溢出:0", "保养车辆:0", "年审车辆:2", "生日客户:2"}));
    EXPECT_TRUE(boxes.Texts().empty());

    CSettingFiles::WriteSettingFile("SystemSet", U("提示4=1,"));
    started_ = false;
    startup.Finish(today);
    ASSERT_EQ(CStartupAfterLogin::Reminders().size(), 1u);
    EXPECT_EQ(CStartupAfterLogin::Reminders()[0].count, 2);
}

TEST(InspectionMonthFilter, LastDigitsOfThisAndTheNextMonth) {
    struct Case {
        wxDateTime::Month month;
        const char* filter;
    } cases[] = {
        {wxDateTime::Jan, "ReplaceStr like '%1' or ReplaceStr1 like '%2'"},
        {wxDateTime::Aug, "ReplaceStr like '%8' or ReplaceStr1 like '%9'"},
        {wxDateTime::Sep, "ReplaceStr like '%9' or ReplaceStr1 like '%0'"},
        {wxDateTime::Oct, "ReplaceStr like '%0' or ReplaceStr1 like '%1'"},
        {wxDateTime::Nov, "ReplaceStr like '%1' or ReplaceStr1 like '%2'"},
        {wxDateTime::Dec, "ReplaceStr like '%2' or ReplaceStr1 like '%1'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CStartupAfterLogin::BuildMonthFilter(wxDateTime(15, c.month, 2026)), c.filter);
}

} // namespace
