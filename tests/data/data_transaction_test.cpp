// Saves inside a data transaction change the encrypted tables together: a rollback
// or a kill at any step leaves every table as before, a commit every table as after,
// once the next start has dealt with what the kill left.
#include "common/table_folder.h"
#include "data/data_transaction.h"
#include "foxdb/transaction.h"
#include "platform/message_box.h"

#include <csignal>
#include <sys/wait.h>

namespace {

int g_steps = 0;
int g_stopAt = -1;

void CountSteps(const char*) {
    if (++g_steps == g_stopAt) ::raise(SIGKILL);
}

class DataTransactionTest : public AccountSetTest {
protected:
    // One stock row and one work-card row, each with its own batch save.
    void SaveBoth(const char* name) {
        AddStock({{name, name}});
        CDataSet data;
        data.Open("select * from zyxm where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        rs->AddNew();
        data.PutFieldValue(U(name), U("客户"), rs);
        data.NumberRows(rs, "zyxm");
        ASSERT_EQ(data.Save(rs), 1);
    }
    size_t Stock() { return Column("select * from ljkc", U("编号")).size(); }
    size_t Cards() { return Column("select * from zyxm", U("客户")).size(); }
};

} // namespace

TEST_F(DataTransactionTest, CommitEncryptsEveryTableRollbackKeepsEveryTable) {
    {
        CDataTransaction transaction;
        SaveBoth("A1");
        // Inside, the working copies hold the change and stay plain.
        EXPECT_EQ(WorkingCopies().size(), 2u);
        transaction.Commit();
    }
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_EQ(Stock(), 1u);
    EXPECT_EQ(Cards(), 1u);
    {
        CDataTransaction transaction;
        EXPECT_THROW(CDataTransaction(), ado::ComError);
        SaveBoth("B2");
        EXPECT_EQ(Stock(), 2u);
        transaction.Rollback();
    }
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_EQ(Stock(), 1u);
    EXPECT_EQ(Cards(), 1u);
    {
        CDataTransaction dropped; // an error left it open
        SaveBoth("C3");
    }
    EXPECT_EQ(Stock(), 1u);
    EXPECT_EQ(Cards(), 1u);
}

TEST_F(DataTransactionTest, AKillAtAnyStepIsAllBeforeOrAllAfterAfterTheNextStart) {
    SaveBoth("A0");
    g_steps = 0;
    foxdb::SetTransactionHook(CountSteps);
    {
        CDataTransaction transaction;
        SaveBoth("A1");
        transaction.Commit();
    }
    foxdb::SetTransactionHook(nullptr);
    const int steps = g_steps;
    ASSERT_GT(steps, 8);
    size_t count = Stock();
    ASSERT_EQ(count, 2u);
    for (int stop = 1; stop <= steps + 1; ++stop) {
        SCOPED_TRACE("stopped at step " + std::to_string(stop));
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            g_steps = 0;
            g_stopAt = stop;
            foxdb::SetTransactionHook(CountSteps);
            CDataTransaction transaction;
            SaveBoth(("K" + std::to_string(stop)).c_str());
            transaction.Commit();
            _exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(stop > steps ? WIFEXITED(status) : WIFSIGNALED(status));
        frame_->m_dsMain.CloseRecordset();
        frame_->CloseConnection();
        ASSERT_EQ(frame_->DeleteWorkingCopies(), 1); // as the next start does
        EXPECT_TRUE(WorkingCopies().empty());
        const size_t now = Stock();
        ASSERT_TRUE(now == count || now == count + 1) << now;
        EXPECT_EQ(Cards(), now);
        count = now;
    }
    EXPECT_GT(count, 2u); // some runs got through
}
