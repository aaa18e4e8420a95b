// Stock-ins against one program folder from more than one process, and failures at
// every step of one: a stock-in that reports failure has written nothing, one that
// reports success is all there.
#include "data/data_transaction.h"
#include "foxdb/error.h"
#include "foxdb/transaction.h"
#include "parts/stock_in.h"
#include "parts_tables_fixture.h"
#include "platform/files.h"
#include "platform/program_lock.h"
#include "platform/wx_text.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace parts;

namespace {

const char* const kInUse = "正在被另一个程序使用";

int g_step = 0;
int g_failAt = -1;

void FailAtStep(const char* step) {
    if (++g_step == g_failAt)
        throw foxdb::Error(foxdb::ErrorKind::Io, std::string("failed at ") + step);
}

class TwoWritersTest : public PartsTablesTest {
protected:
    bool Receive(const wxString& code, std::function<void()> alsoWrite = nullptr) {
        PartLine line;
        line.code = code;
        line.name = U("滤芯");
        line.quantity = 1;
        line.cost = 8;
        std::vector<PartLine> lines = {line};
        CStockIn stockIn(StockInOptions::Load());
        if (!stockIn.Open() || !stockIn.Prepare(lines)) return false;
        CStockIn::Records records;
        records.purchase = true;
        records.lastNumber = &last_;
        records.alsoWrite = std::move(alsoWrite);
        return stockIn.Store(lines, records);
    }
    std::set<wxString> Stocked() {
        const Texts codes = Column("select * from ljkc", U("编号"));
        return {codes.begin(), codes.end()};
    }
    bool AnyShownHas(const char* text) const {
        for (const wxString& shown : Shown())
            if (shown.Find(U(text)) != wxNOT_FOUND) return true;
        return false;
    }
    // No box carries an engine's English or an error number.
    bool AllShownChinese() const {
        for (const wxString& shown : Shown())
            if (shown.Find("Error") != wxNOT_FOUND || shown.Find("exist") != wxNOT_FOUND)
                return false;
        return true;
    }
    wxString last_;
};

// A process that holds the program folder as a running program does until told to end.
class OtherProgram {
public:
    explicit OtherProgram(const std::string& folder) {
        platform::UnlockProgramFolder(); // ours must go, or the child would share it
        int ready[2], end[2];
        if (::pipe(ready) != 0 || ::pipe(end) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            char c = platform::LockProgramFolder(folder, platform::FolderUse::kWrite) ? 'y' : 'n';
            (void)!::write(ready[1], &c, 1);
            (void)!::read(end[0], &c, 1);
            _exit(0);
        }
        end_ = end[1];
        char c = 'n';
        (void)!::read(ready[0], &c, 1);
        holding_ = c == 'y';
        ::close(ready[0]);
        ::close(ready[1]);
        ::close(end[0]);
    }
    ~OtherProgram() {
        if (pid_ <= 0) return;
        (void)!::write(end_, "x", 1);
        ::close(end_);
        ::waitpid(pid_, nullptr, 0);
    }
    bool Holding() const { return holding_; }

private:
    pid_t pid_ = -1;
    int end_ = -1;
    bool holding_ = false;
};

} // namespace

TEST_F(TwoWritersTest, AnotherProgramHoldingTheFolderRefusesInChineseAndWritesNothing) {
    ASSERT_TRUE(Receive("P0"));
    const wxString before = Tables();
    {
        OtherProgram other(home_);
        ASSERT_TRUE(other.Holding());
        boxes_.Clear();
        EXPECT_FALSE(Receive("P1"));
        EXPECT_TRUE(AnyShownHas(kInUse)) << ::testing::PrintToString(boxes_.Texts());
        EXPECT_TRUE(AllShownChinese()) << ::testing::PrintToString(boxes_.Texts());
        EXPECT_TRUE(WorkingCopies().empty());
    }
    EXPECT_EQ(Tables(), before);
    EXPECT_TRUE(Receive("P2")); // the other program has ended
    EXPECT_EQ(Stocked(), (std::set<wxString>{"P0", "P2"}));
}

// Two counters stocking in at once, on one system folder and on two: each line is in
// stock exactly when its stock-in said so.
TEST_F(TwoWritersTest, TwoProcessesStockingInLoseNothingAndWriteNothingRefused) {
    for (const bool ownSystemFolders : {false, true}) {
        SCOPED_TRACE(ownSystemFolders ? "separate system folders" : "one system folder");
        CDataSet().DeleteWhere("ljkc", "no>0");
        frame_->CloseConnection();
        platform::UnlockProgramFolder();
        int results[2], go[2];
        ASSERT_EQ(::pipe(results), 0);
        ASSERT_EQ(::pipe(go), 0);
        pid_t children[2];
        for (int who = 0; who < 2; ++who) {
            children[who] = ::fork();
            ASSERT_GE(children[who], 0);
            if (children[who] == 0) {
                ::close(results[0]);
                ::close(go[1]);
                if (ownSystemFolders) {
                    // A system folder of its own that has served this set before: the
                    // tables' indexes live there.
                    const std::string before = g_strDataPath.utf8_string();
                    const std::string sysdir = root_ + "/sys" + std::to_string(who);
                    ::setenv("QV_SYSDIR", sysdir.c_str(), 1);
                    SetAccountSet(wxString());
                    const std::string working = g_strDataPath.utf8_string();
                    platform::CreateFolders(working);
                    for (const std::string& index : platform::ListFiles(before, "*.cdx"))
                        platform::CopyFileAtomic(before + index, working + index);
                    frame_->m_dsMain.m_strConnection.clear();
                }
                char c;
                (void)!::read(go[0], &c, 1); // both start together
                for (int i = 0; i < 10; ++i) {
                    const std::string code = std::string(who ? "B" : "A") + std::to_string(i);
                    const std::string line =
                        code + (Receive(wxString::FromUTF8(code)) ? " 1\n" : " 0\n");
                    (void)!::write(results[1], line.data(), line.size());
                }
                _exit(0);
            }
        }
        ::close(results[1]);
        ::close(go[0]);
        ::close(go[1]); // both read end of file at once
        std::string reported;
        char buffer[256];
        for (ssize_t got; (got = ::read(results[0], buffer, sizeof buffer)) > 0;)
            reported.append(buffer, static_cast<size_t>(got));
        ::close(results[0]);
        for (pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        std::set<wxString> committed;
        size_t lines = 0;
        for (size_t at = 0, end; (end = reported.find('\n', at)) != std::string::npos;
             at = end + 1) {
            ++lines;
            if (reported[end - 1] == '1')
                committed.insert(wxString::FromUTF8(reported.substr(at, end - at - 2)));
        }
        EXPECT_EQ(lines, 20u);
        EXPECT_FALSE(committed.empty());
        EXPECT_EQ(Stocked(), committed); // none refused but written, none lost
        for (const wxString& quantity : Column("select * from ljkc", U("数量")))
            EXPECT_EQ(quantity, "1");
    }
}

TEST_F(TwoWritersTest, AFailureAtAnyStepWritesNothingOrEverything) {
    ASSERT_TRUE(Receive("P0"));
    g_step = 0;
    g_failAt = -1;
    foxdb::SetTransactionHook(FailAtStep);
    ASSERT_TRUE(Receive("P1"));
    const int steps = g_step;
    ASSERT_GT(steps, 5);
    for (int at = 1; at <= steps; ++at) {
        SCOPED_TRACE("failed at step " + std::to_string(at));
        const wxString code = wxString::Format("F%d", at);
        const wxString before = Tables();
        g_step = 0;
        g_failAt = at;
        const bool stored = Receive(code);
        g_failAt = -1;
        if (stored) {
            EXPECT_EQ(Stocked().count(code), 1u);
        } else {
            EXPECT_EQ(Tables(), before);
        }
        // As the next start does with a copy whose encryption was cut short.
        ASSERT_EQ(frame_->DeleteWorkingCopies(), 1);
        EXPECT_EQ(Stocked().count(code), stored ? 1u : 0u);
    }
    foxdb::SetTransactionHook(nullptr);
}

TEST_F(TwoWritersTest, AnEncryptedTableChangedSinceItsCopyWasMadeIsNeverOverwritten) {
    ASSERT_TRUE(Receive("P0"));
    const std::string stock = Path("Data/ljkc.dwf");
    const wxString before = Tables();
    std::string theirs;
    boxes_.Clear();
    // Another writer puts its own ljkc in place while the stock-in is under way.
    EXPECT_FALSE(Receive("P1", [&] {
        std::string bytes;
        ASSERT_TRUE(platform::ReadFileBytes(stock, bytes));
        ASSERT_TRUE(platform::WriteFileAtomic(stock, bytes));
        theirs = bytes;
    }));
    EXPECT_TRUE(AnyShownHas("被另一个程序改动过")) << ::testing::PrintToString(boxes_.Texts());
    std::string now;
    ASSERT_TRUE(platform::ReadFileBytes(stock, now));
    EXPECT_EQ(now, theirs);
    EXPECT_EQ(Tables(), before);
    EXPECT_TRUE(WorkingCopies().empty());
}
