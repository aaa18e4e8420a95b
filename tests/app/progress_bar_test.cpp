#include "app/main_frame.h"
#include "app/progress_bar.h"
#include "app/qv_app.h"
#include "common/program_folder.h"
#include "data/data_progress.h"

#include <gtest/gtest.h>
#include <wx/statusbr.h>

namespace {

TEST(ProgressBarRect, FollowsCaptionAndShare) {
    const wxRect pane(0, 2, 400, 20);
    // caption 60 + four blanks of 5: the bar starts at 80
    EXPECT_EQ(ProgressBarRect(pane, 60, 5, 0), wxRect(80, 4, 0, 16));
    EXPECT_EQ(ProgressBarRect(pane, 60, 5, 100), wxRect(80, 4, 320, 16));
    EXPECT_EQ(ProgressBarRect(pane, 60, 5, 40), wxRect(80, 4, 128, 16));
    // a caption wider than the pane leaves a bar of no width at its end
    EXPECT_EQ(ProgressBarRect(pane, 500, 5, 40), wxRect(520, 4, 0, 16));
}

class ProgressBarTest : public ProgramFolderTest {};

TEST_F(ProgressBarTest, ShowsInTheStatusBarAndPutsTheIdleTextBack) {
    auto* app = static_cast<CQvApp*>(wxTheApp);
    ASSERT_TRUE(app->StartUp());
    Pump();
    wxStatusBar* status = app->m_pMainFrame->GetStatusBar();
    {
        CProgressBar bar(U("正在加载数据..."), 40, 500);
        ASSERT_TRUE(bar.GetHandle());
        EXPECT_EQ(bar.GetParent(), status);
        EXPECT_EQ(status->GetStatusText(0), U("正在加载数据..."));
        bar.OffsetPos(100);
        EXPECT_EQ(bar.GetValue(), 100);
        bar.OffsetPos(1000); // past the end: stays full
        EXPECT_EQ(bar.GetValue(), 500);
        wxRect pane;
        status->GetFieldRect(0, pane);
        EXPECT_GT(bar.GetPosition().x, 0);
        EXPECT_LE(bar.GetRect().GetRight(), pane.GetRight());
    }
    EXPECT_EQ(status->GetStatusText(0), U("如需帮助，请按F1键"));
}

// The data store's long operations step the same bar.
TEST_F(ProgressBarTest, DataStoreProgressShowsInTheStatusBar) {
    auto* app = static_cast<CQvApp*>(wxTheApp);
    ASSERT_TRUE(app->StartUp());
    Pump();
    wxStatusBar* status = app->m_pMainFrame->GetStatusBar();
    {
        CDataProgress progress(U("正在保存数据..."), 50, 100, false);
        progress.StepIt();
        progress.StepIt();
        EXPECT_EQ(status->GetStatusText(0), U("正在保存数据..."));
        wxGauge* bar = nullptr;
        for (wxWindow* child : status->GetChildren())
            if (auto* gauge = dynamic_cast<wxGauge*>(child)) bar = gauge;
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->GetValue(), 2);
    }
    EXPECT_EQ(status->GetStatusText(0), U("如需帮助，请按F1键"));
}

TEST_F(ProgressBarTest, WithoutMainWindowDoesNothing) {
    CProgressBar bar(U("正在处理数据..."), 40);
    EXPECT_FALSE(bar.GetHandle());
    EXPECT_EQ(bar.StepIt(), 0);
    EXPECT_EQ(bar.OffsetPos(5), 0);
    EXPECT_FALSE(bar.Resize());
}

} // namespace
