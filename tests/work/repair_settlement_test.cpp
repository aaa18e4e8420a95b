// Settling a repair card on an encrypted account set: every table the settlement
// writes, to the fen; a refusal writes nothing; a failure or a kill at any step of
// the commit leaves the card open and every table as before.
#include "common/file_size_limit.h"
#include "common/settle_script.h"
#include "common/table_folder.h"
#include "data/data_set.h"
#include "data/data_transaction.h"
#include "foxdb/error.h"
#include "foxdb/transaction.h"
#include "platform/message_box.h"
#include "work/repair_settlement.h"

#include <csignal>
#include <cstring>
#include <deque>
#include <sys/wait.h>
#include <wx/datetime.h>

using namespace work;

namespace {

using Texts = std::vector<wxString>;

struct Script : SettleScript {
    Script() : SettleScript(Cancel) {}
};

class RepairSettlementTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        frame_->m_strRights = "admin,";
        MakeTables({"ljkc", "zyxm", "ljsh", "ljth", "wlzm", "kzk", "bdzxm"}, *frame_);
        // The card: its header, a labour line, parts from a short bin, a warranty
        // line, a gift, a line without discount whose part the stock lacks.
        Insert("zyxm",
               {{{"客户", "京A1"}, {"flag", "W"}, {"单位", "NO"}, {"小计", "42000"}, {"no", "1"}},
                {{"客户", "京A1"},
                 {"flag", "W"},
                 {"项目名称", "换机油"},
                 {"WX", "W"},
                 {"单价", "50"},
                 {"数量", "1"},
                 {"手扣", "80"},
                 {"作业人员", "张三"},
                 {"no", "2"}},
                {{"客户", "京A1"},
                 {"flag", "W"},
                 {"项目名称", "机油"},
                 {"编号", "A1"},
                 {"单价", "30"},
                 {"数量", "3"},
                 {"折扣", "90"},
                 {"货位", "B1"},
                 {"进价", "20"},
                 {"no", "3"}},
                {{"客户", "京A1"},
                 {"flag", "W"},
                 {"项目名称", "刹车片"},
                 {"编号", "C3"},
                 {"单价", "100"},
                 {"数量", "1"},
                 {"其它", "S"},
                 {"备注", "异响"},
                 {"进价", "60"},
                 {"no", "4"}},
                {{"客户", "京A1"},
                 {"flag", "W"},
                 {"项目名称", "雨刮"},
                 {"编号", "D4"},
                 {"单价", "20"},
                 {"数量", "1"},
                 {"其它", "Z"},
                 {"进价", "8"},
                 {"no", "5"}},
                {{"客户", "京A1"},
                 {"flag", "W"},
                 {"项目名称", "玻璃水"},
                 {"编号", "E5"},
                 {"单价", "10"},
                 {"数量", "2"},
                 {"其它", "N"},
                 {"折扣", "50"},
                 {"no", "6"}},
                {{"客户", "京B2"}, {"flag", "W"}, {"单位", "NO"}, {"no", "7"}}});
        Insert("ljkc",
               {{{"编号", "A1"}, {"零件名称", "机油"}, {"货位", "B1"}, {"数量", "2"}, {"no", "1"}},
                {{"编号", "A1"}, {"零件名称", "机油"}, {"货位", "B2"}, {"数量", "5"}, {"no", "2"}},
                {{"编号", "C3"}, {"零件名称", "刹车片"}, {"数量", "3"}, {"no", "3"}},
                {{"编号", "D4"}, {"零件名称", "雨刮"}, {"数量", "5"}, {"no", "4"}}});
        Insert("wlzm", {{{"单位", "京A1"},
                         {"类别", "预收款"},
                         {"金额", "30"},
                         {"方式", "入帐"},
                         {"no", "1"}}});
        OpenLines();
        today_ = wxDateTime::Today().Format("%Y%m%d");
    }
    // The sheet's lines, filtered to the card, as the page loads them.
    void OpenLines() {
        lines_ = std::make_shared<ado::Recordset>();
        CDataSet().OpenInto(U("select 项目名称,编号,单价,单位,数量,货位,小计,作业人员,备注,故障,"
                              "客户,车型,厂牌,折扣,手扣,零售价,批发价,进价,其它,WX,flag,no from "
                              "zyxm where flag like '%W%'"),
                            lines_);
        lines_->PutFilter(CSqlText::Criterion(U("客户"), U("京A1")).utf8_string());
    }
    void TearDown() override {
        lines_.reset();
        frame_.reset();
        TableFolderTest::TearDown();
    }

    // The answers of a settlement that goes through: other bin yes, missing part
    // ignored, the shortfall booked.
    static void AnswerAll(Script& s) {
        s.answers = {TakeOutQuestions::Yes, TakeOutQuestions::Yes, TakeOutQuestions::Yes};
    }
    RepairSettlement::Result Settle(Script& s, double shortfall = 31) {
        RepairSettlement settlement(lines_, U("京A1"), sheetNumber_, s);
        EXPECT_EQ(settlement.Prepare(), RepairSettlement::Ready);
        EXPECT_DOUBLE_EQ(settlement.Total(), 161); // 40 + 81 + 20 + 20, warranty left out
        return settlement.Run(ComputeOffsets(161, 0, 30), shortfall);
    }

    // Every table the settlement writes, as one text, to compare before and after; with
    // the document counter unless a killed settlement may have used up a number.
    wxString Tables(bool counter = true) {
        wxString all;
        for (const char* table : {"ljsh", "ljth", "ljkc", "zyxm", "wlzm", "kzk"}) {
            CDataSet data;
            data.Open(wxString("select * from ") + table + " order by no");
            ado::Recordset& rs = *data.m_pRecordset;
            all += wxString(table) + ":\n";
            if (rs.RecordCount() > 0) rs.MoveFirst();
            for (; rs.RecordCount() > 0 && !rs.EndOfFile(); rs.MoveNext()) {
                for (int i = 0; i < rs.Fields().Count(); ++i) {
                    ado::Variant v = rs.Fields().Item(i).Value();
                    all += (v.IsNull() ? wxString("NULL") : wxString::FromUTF8(v.ToString())) + "|";
                }
                all += "\n";
            }
        }
        return counter ? all + CSettingFiles::ReadSettingFile("M_DJH") : all;
    }

    std::unique_ptr<CMainFrameData> frame_;
    ado::RecordsetPtr lines_;
    wxString sheetNumber_, today_;
};

} // namespace

TEST_F(RepairSettlementTest, EveryTableIsWrittenToTheFen) {
    platform::ScriptedMessageBoxes boxes;
    Script s;
    AnswerAll(s);
    ASSERT_EQ(Settle(s), RepairSettlement::Done);
    EXPECT_EQ(s.asked, (Texts{U("“机油”在选定货位的零件数不够，要到其它货位取货吗？"),
                              U("没有找到“E5”的零件记录！是否忽略？"),
                              U("所差款是否保存到欠款记录中去？")}));
    const wxString number = today_ + "001";
    const wxString q = "select * from ljsh order by no";
    EXPECT_EQ(Column(q, U("项目名称")),
              (Texts{U("换机油"), U("机油"), U("刹车片"), U("雨刮"), U("玻璃水")}));
    EXPECT_EQ(Column(q, U("单价")), (Texts{"40", "27", "0", "0", "10"}));
    EXPECT_EQ(Column(q, U("进价")), (Texts{"0", "20", "0", "8", "NULL"}));
    EXPECT_EQ(Column(q, U("备注")), (Texts{"NULL", "NULL", U("三包异响"), U("赠送"), "NULL"}));
    EXPECT_EQ(Column(q, U("厂牌")), (Texts{U("维修项目"), "NULL", "NULL", "NULL", "NULL"}));
    EXPECT_EQ(Column(q, U("码表")), Texts(5, "42000"));
    EXPECT_EQ(Column(q, U("单据号")), Texts(5, number));
    EXPECT_EQ(Column(q, U("flag")), Texts(5, "W"));
    EXPECT_EQ(Column(q, "no"), (Texts{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Column(q, U("业务")), (Texts{U("张三"), "NULL", "NULL", "NULL", "NULL"}));
    const wxString th = "select * from ljth";
    EXPECT_EQ(Column(th, U("零件名称")), Texts{U("刹车片")});
    EXPECT_EQ(Column(th, "flag"), Texts{"T"});
    EXPECT_EQ(Column(th, U("备注")), Texts{U("三包异响")});
    EXPECT_EQ(Column(th, "no"), Texts{"1"});
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"0", "4", "2", "4"}));
    EXPECT_EQ(Column("select * from zyxm order by no", U("单位")),
              (Texts{"YES", "NULL", "NULL", "NULL", "NULL", "NULL", "NO"}));
    EXPECT_EQ(Column("select * from zyxm where no=1", U("货位")), Texts{number});
    const wxString zm = "select * from wlzm order by no";
    EXPECT_EQ(Column(zm, U("金额")), (Texts{"30", "-30", "31"}));
    EXPECT_EQ(Column(zm, U("类别")), (Texts{U("预收款"), U("预收款"), U("应收款")}));
    EXPECT_EQ(Column(zm, U("方式")), (Texts{U("入帐"), U("冲帐"), U("入帐")}));
    EXPECT_EQ(Column(zm, U("备注")), (Texts{"NULL", number, number}));
    // The cash received: 161 less the 30 offset less the 31 owed.
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"100"});
    EXPECT_EQ(Column("select * from kzk", U("项目名称")), Texts{U("京A1")});
    EXPECT_EQ(CSettingFiles::ReadSettingFile("M_DJH"), today_ + "002");
    EXPECT_EQ(sheetNumber_, today_ + "002");
    EXPECT_TRUE(WorkingCopies().empty());
    // A second settlement of the card is refused once the page has reloaded.
    OpenLines();
    boxes.Clear();
    EXPECT_EQ(RepairSettlement(lines_, U("京A1"), sheetNumber_, s).Prepare(),
              RepairSettlement::Archived);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"该工作卡已存档，不允许再存！"});
}

TEST_F(RepairSettlementTest, ARefusalOrAFailureLeavesEveryTableAsItWas) {
    platform::ScriptedMessageBoxes boxes;
    const wxString before = Tables();
    {
        SCOPED_TRACE("the operator refuses the other bin");
        Script s;
        s.answers = {TakeOutQuestions::Cancel};
        EXPECT_EQ(Settle(s), RepairSettlement::Cancelled);
        EXPECT_EQ(Tables(), before);
    }
    {
        SCOPED_TRACE("a stock row vanishes before the settlement is written");
        Script s;
        AnswerAll(s);
        s.onDebtQuestion = [] { CDataSet().DeleteWhere("ljkc", "no=2"); };
        EXPECT_EQ(Settle(s), RepairSettlement::Failed);
        Texts texts;
        for (const std::string& t : boxes.Texts())
            texts.push_back(wxString::FromUTF8(t));
        EXPECT_EQ(texts.back(), U("“京A1”的结算没有完成，工作卡和所有数据都保持原样。"));
        // Only the vanished row differs.
        EXPECT_EQ(Column("select * from ljsh", "no"), Texts{});
        EXPECT_EQ(Column("select * from kzk", "no"), Texts{});
        EXPECT_EQ(Column("select * from zyxm where no=1", U("单位")), Texts{"NO"});
        EXPECT_EQ(Column("select * from wlzm", "no"), Texts{"1"});
        EXPECT_TRUE(CSettingFiles::ReadSettingFile("M_DJH").empty());
        EXPECT_TRUE(WorkingCopies().empty());
    }
}

TEST_F(RepairSettlementTest, AFullDiskDuringTheCommitLeavesEveryTableAsItWas) {
    platform::ScriptedMessageBoxes boxes;
    // Archive rows enough that the archive is the biggest file the commit writes.
    std::vector<std::string> numbers;
    for (int i = 0; i < 300; ++i)
        numbers.push_back(std::to_string(100 + i));
    std::vector<Row> history;
    for (const std::string& no : numbers)
        history.push_back(Row{{"客户", "旧"}, {"项目名称", "旧项目"}, {"no", no.c_str()}});
    Insert("ljsh", history);
    ASSERT_TRUE(CTableCrypt::DecryptTable("ljsh"));
    const long long plain = platform::FileSize(Working("ljsh.dbf"));
    CTableCrypt::DropWorkingCopies({"ljsh"});
    const wxString before = Tables();
    {
        qv_test::FileSizeLimit full(static_cast<rlim_t>(plain + 1));
        Script s;
        AnswerAll(s);
        EXPECT_EQ(Settle(s), RepairSettlement::Failed);
    }
    EXPECT_EQ(Tables(), before);
    EXPECT_TRUE(WorkingCopies().empty());
}

namespace {
int g_steps = 0;
int g_stopAt = -1;
void CountSteps(const char*) {
    if (++g_steps == g_stopAt) ::raise(SIGKILL);
}
} // namespace

TEST_F(RepairSettlementTest, AKillAtAnyStepIsAllBeforeOrAllAfterAtTheNextStart) {
    const wxString before = Tables(false);
    const std::string saved = root_ + "/before";
    std::filesystem::create_directories(saved);
    auto copyAll = [](const std::string& from, const std::string& to, const char* pattern) {
        for (const std::string& name : platform::ListFiles(from, pattern))
            ASSERT_TRUE(platform::CopyFileAtomic(from + "/" + name, to + "/" + name));
    };
    const std::string working = g_strDataPath.utf8_string();
    copyAll(Path("Data"), saved, "*.dwf");
    copyAll(working, saved, "*.cdx");
    // A settlement run to the end in a child gives the tables after and the steps.
    int steps = 0;
    wxString after;
    for (int stop = -1; stop == -1 || stop <= steps; stop = stop == -1 ? 1 : stop + 1) {
        SCOPED_TRACE("stopped at step " + std::to_string(stop));
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            platform::ScriptedMessageBoxes boxes;
            g_steps = 0;
            g_stopAt = stop;
            foxdb::SetTransactionHook(CountSteps);
            bool done = false;
            try {
                Script s;
                AnswerAll(s);
                done = Settle(s) == RepairSettlement::Done;
            } catch (const std::exception& e) {
                std::fprintf(stderr, "child: %s\n", e.what());
                _exit(3);
            }
            if (::write(pipeFds[1], &g_steps, sizeof g_steps) != sizeof g_steps) _exit(4);
            _exit(done ? 0 : 1);
        }
        ::close(pipeFds[1]);
        int counted = 0;
        const bool finished = ::read(pipeFds[0], &counted, sizeof counted) == sizeof counted;
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        frame_->m_dsMain.CloseRecordset();
        frame_->CloseConnection();
        ASSERT_EQ(frame_->DeleteWorkingCopies(), 1); // as the next start does
        const wxString now = Tables(false);
        if (stop == -1) {
            ASSERT_TRUE(finished && WIFEXITED(status) && WEXITSTATUS(status) == 0);
            steps = counted;
            after = now;
            ASSERT_NE(after, before);
            ASSERT_GT(steps, 10);
        } else {
            EXPECT_TRUE(now == before || now == after);
            EXPECT_EQ(finished, !WIFSIGNALED(status));
        }
        // Back to before for the next run.
        if (now != before) {
            copyAll(saved, Path("Data"), "*.dwf");
            copyAll(saved, working, "*.cdx");
            ASSERT_EQ(Tables(false), before);
        }
        CSettingFiles::WriteSettingFile("M_DJH", ""); // a gap, never a number given twice
        OpenLines();
        if (HasFailure()) return;
    }
}

namespace {
int g_failAt = -1;
void FailAtStep(const char* step) {
    // Taking out is done in memory, before anything is written: there is nothing to fail.
    if (std::strcmp(step, "taken-out") == 0) return;
    if (++g_steps == g_failAt)
        throw foxdb::Error(foxdb::ErrorKind::Io, std::string("failed at ") + step);
}
} // namespace

// A failure forced at each step: the settlement that reports failure has written
// nothing, the one that reports success is all there.
TEST_F(RepairSettlementTest, AFailureAtAnyStepIsReportedOnlyWhenNothingWasWritten) {
    platform::ScriptedMessageBoxes boxes;
    const wxString before = Tables();
    const std::string saved = root_ + "/before";
    std::filesystem::create_directories(saved);
    const std::string working = g_strDataPath.utf8_string();
    auto copyAll = [](const std::string& from, const std::string& to, const char* pattern) {
        for (const std::string& name : platform::ListFiles(from, pattern))
            ASSERT_TRUE(platform::CopyFileAtomic(from + "/" + name, to + "/" + name));
    };
    copyAll(Path("Data"), saved, "*.dwf");
    copyAll(working, saved, "*.cdx");
    auto restore = [&] {
        copyAll(saved, Path("Data"), "*.dwf");
        copyAll(saved, working, "*.cdx");
        CSettingFiles::WriteSettingFile("M_DJH", "");
        ASSERT_EQ(Tables(), before);
        OpenLines();
    };
    g_steps = 0;
    g_failAt = -1;
    foxdb::SetTransactionHook(FailAtStep);
    Script whole;
    AnswerAll(whole);
    ASSERT_EQ(Settle(whole), RepairSettlement::Done);
    const int steps = g_steps;
    ASSERT_GT(steps, 10);
    const wxString after = Tables(false);
    restore();
    for (int at = 1; at <= steps && !HasFailure(); ++at) {
        SCOPED_TRACE("failed at step " + std::to_string(at));
        g_steps = 0;
        g_failAt = at;
        Script s;
        AnswerAll(s);
        const RepairSettlement::Result result = Settle(s);
        g_failAt = -1;
        frame_->m_dsMain.CloseRecordset();
        frame_->CloseConnection();
        ASSERT_EQ(frame_->DeleteWorkingCopies(), 1); // what the next start would find
        if (result == RepairSettlement::Done) {
            EXPECT_EQ(Tables(false), after);
            restore();
        } else {
            EXPECT_EQ(result, RepairSettlement::Failed);
            EXPECT_EQ(Tables(), before);
            OpenLines();
        }
    }
    foxdb::SetTransactionHook(nullptr);
}

TEST_F(RepairSettlementTest, ACardNumberedBeforeKeepsItsNumberAndALineWithoutQuantityIsRefused) {
    platform::ScriptedMessageBoxes boxes;
    CDataSet().UpdateWhere("zyxm", U("货位"), "20260101007", "no=1");
    OpenLines();
    Script s;
    AnswerAll(s);
    ASSERT_EQ(Settle(s), RepairSettlement::Done);
    EXPECT_EQ(Column("select * from ljsh", U("单据号")), Texts(5, "20260101007"));
    EXPECT_TRUE(CSettingFiles::ReadSettingFile("M_DJH").empty()); // not advanced

    // A line without a quantity is refused before anything is written.
    CDataSet().UpdateWhere("zyxm", U("单位"), "NO", "no=1");
    CDataSet line;
    line.Open("select * from zyxm where no=3");
    line.m_pRecordset->MoveFirst();
    line.m_pRecordset->Fields().Item("数量").PutValue(ado::Variant::Null());
    ASSERT_EQ(line.Save(line.m_pRecordset), 1);
    OpenLines();
    const wxString before = Tables();
    boxes.Clear();
    EXPECT_EQ(RepairSettlement(lines_, U("京A1"), sheetNumber_, s).Prepare(),
              RepairSettlement::BadLine);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"“机油”的数量不对，请改正后再结算。"});
    EXPECT_EQ(Tables(), before);
}

// A negative quantity is a credit: the line is archived as it stands, its amount
// comes off the total, and the stock is not touched for it.
TEST_F(RepairSettlementTest, ACreditLineIsArchivedAndLeftOutOfTheTakeOut) {
    platform::ScriptedMessageBoxes boxes;
    CDataSet().UpdateWhere("zyxm", U("数量"), "-1", "no=3");
    OpenLines();
    Script s;
    AnswerAll(s);
    RepairSettlement settlement(lines_, U("京A1"), sheetNumber_, s);
    ASSERT_EQ(settlement.Prepare(), RepairSettlement::Ready);
    EXPECT_DOUBLE_EQ(settlement.Total(), 40 - 27 + 20 + 20);
    ASSERT_EQ(settlement.Run(ComputeOffsets(53, 0, 30), 0), RepairSettlement::Done);
    EXPECT_EQ(Column("select * from ljsh where no=2", U("数量")), Texts{"-1"});
    EXPECT_EQ(Column("select * from ljsh where no=2", U("单价")), Texts{"27"});
    EXPECT_EQ(Column("select * from ljkc order by no", U("数量")), (Texts{"2", "5", "2", "4"}));
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"23"});
}

// The postings' "…成功!" messages come once the settlement has committed, not while
// it could still be rolled back.
TEST_F(RepairSettlementTest, PostingMessagesShowOnlyAfterTheCommit) {
    std::vector<std::pair<std::string, bool>> shown; // text, transaction open then
    const platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(
        [&](const std::string& text, const std::string&, unsigned type) {
            const ado::ConnectionPtr& connection = frame_->m_pConnection;
            shown.emplace_back(text, connection && connection->InTransaction());
            return platform::DefaultReply(type);
        });
    Script s;
    AnswerAll(s);
    EXPECT_EQ(Settle(s), RepairSettlement::Done);
    const std::vector<std::pair<std::string, bool>> expected = {{"预收款冲帐成功!", false},
                                                                {"应收款入帐成功!", false}};
    EXPECT_EQ(shown, expected);

    platform::SetMessageBoxHandler(previous);
}

TEST_F(RepairSettlementTest, TheShortfallNotBookedStillLeavesTheCashNetOfIt) {
    platform::ScriptedMessageBoxes boxes;
    Script s;
    s.answers = {TakeOutQuestions::Yes, TakeOutQuestions::Yes, TakeOutQuestions::No};
    ASSERT_EQ(Settle(s), RepairSettlement::Done);
    EXPECT_EQ(Column("select * from wlzm order by no", U("金额")), (Texts{"30", "-30"}));
    EXPECT_EQ(Column("select * from kzk", U("金额")), Texts{"100"});
}
