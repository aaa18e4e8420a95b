// Work run in a child process: what it returns comes back whole, and every way the
// child can go wrong ends as a failed call in the parent, which carries on.
#include "platform/isolated_call.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace platform;

TEST(IsolatedCallTest, AnswerLargerThanThePipeComesBackWhole) {
    std::string answer(3 << 20, '\0');
    for (size_t i = 0; i < answer.size(); ++i)
        answer[i] = static_cast<char>(i * 31 % 251);
    std::string output = "left over";
    EXPECT_EQ(RunIsolated([&answer] { return answer; }, IsolationLimits{}, &output),
              IsolatedResult::Done);
    EXPECT_TRUE(output == answer);

    EXPECT_EQ(RunIsolated([] { return std::string(); }, IsolationLimits{}, &output),
              IsolatedResult::Done);
    EXPECT_TRUE(output.empty());
}

TEST(IsolatedCallTest, ChildThatGoesWrongIsAFailureNotACrash) {
    IsolationLimits tight;
    tight.cpuSeconds = 1;
    tight.wallSeconds = 30;
    tight.memoryBytes = 256ULL << 20;
    tight.outputBytes = 1 << 20;
    struct Case {
        const char* what;
        std::function<std::string()> work;
        IsolatedResult expected;
        unsigned wallSeconds = 30;
    } cases[] = {
        {"throws", []() -> std::string { throw std::runtime_error("bad file"); },
         IsolatedResult::Failed},
        {"segfaults",
         []() -> std::string {
             std::raise(SIGSEGV);
             return "after";
         },
         IsolatedResult::Failed},
        {"allocates past the limit",
         [] {
             std::vector<std::string> hoard;
             for (int i = 0; i < 64; ++i)
                 hoard.emplace_back(64 << 20, 'x');
             return hoard.back().substr(0, 1);
         },
         IsolatedResult::Failed},
        {"answers more than allowed", [] { return std::string(2 << 20, 'x'); },
         IsolatedResult::Failed},
        {"spins on the processor",
         [] {
             volatile unsigned long long n = 0;
             for (;;)
                 n = n + 1;
             return std::string();
         },
         IsolatedResult::Failed},
        {"hangs",
         [] {
             for (;;)
                 std::this_thread::sleep_for(std::chrono::seconds(1));
             return std::string();
         },
         IsolatedResult::TimedOut, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IsolationLimits limits = tight;
        limits.wallSeconds = c.wallSeconds;
        std::string output = "stale";
        EXPECT_EQ(RunIsolated(c.work, limits, &output), c.expected);
        EXPECT_TRUE(output.empty());
    }
    // The parent is whole and can go on.
    std::string output;
    EXPECT_EQ(RunIsolated([] { return std::string("ok"); }, tight, &output), IsolatedResult::Done);
    EXPECT_EQ(output, "ok");
}
