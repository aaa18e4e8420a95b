// The safety net under the event handlers: an exception a handler lets through is
// logged and shown, and the program goes on with its next event.
#include "ado/com_error.h"
#include "app/handler_exceptions.h"
#include "common/program_folder.h"
#include "data/data_set.h"
#include "platform/message_box.h"

#include <stdexcept>
#include <wx/app.h>
#include <wx/frame.h>

namespace {

using Texts = std::vector<std::string>;
class HandlerExceptionsTest : public ProgramFolderTest {};

TEST_F(HandlerExceptionsTest, AHandlerExceptionIsShownLoggedAndTheWindowGoesOn) {
    platform::ScriptedMessageBoxes boxes;
    auto* frame = new wxFrame(nullptr, wxID_ANY, "handler");
    const ado::ComError comError(ado::E_FAIL, "Invalid path or file name.", "ADODB.Connection");
    int handled = 0;
    frame->Bind(wxEVT_BUTTON, [&](wxCommandEvent& event) {
        ++handled;
        switch (event.GetInt()) {
        case 1:
            throw comError;
        case 2:
            throw std::runtime_error("disk full");
        case 3:
            throw 42;
        }
    });
    for (int kind : {1, 2, 3, 0}) {
        wxCommandEvent click(wxEVT_BUTTON);
        click.SetInt(kind);
        EXPECT_NO_THROW(frame->HandleWindowEvent(click)) << kind;
    }
    EXPECT_EQ(handled, 4);

    // The recordset error box shows what the data set's own error box shows.
    platform::ScriptedMessageBoxes expected;
    CDataSet::ShowComError(comError);
    ASSERT_EQ(expected.Texts().size(), 1u);
    EXPECT_EQ(boxes.Texts(),
              (Texts{expected.Texts()[0], "操作未能完成：disk full", "操作未能完成。"}));

    const std::string log = Read(Path("nvProgLog.txt"));
    EXPECT_NE(log.find("Invalid path or file name."), std::string::npos) << log;
    EXPECT_NE(log.find("disk full"), std::string::npos) << log;
    EXPECT_NE(log.find("unknown exception"), std::string::npos) << log;
}

// An exception that reaches the loop by another way is reported and the loop goes on.
TEST_F(HandlerExceptionsTest, AnExceptionInTheLoopIsReportedAndTheLoopGoesOn) {
    platform::ScriptedMessageBoxes boxes;
    try {
        throw std::runtime_error("queued call");
    } catch (...) {
        EXPECT_TRUE(wxTheApp->OnExceptionInMainLoop());
    }
    EXPECT_EQ(boxes.Texts(), Texts{"操作未能完成：queued call"});
}

} // namespace
