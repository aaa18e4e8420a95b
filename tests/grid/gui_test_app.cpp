#include "gui_test_app.h"

#include "data/setting_files.h"
#include "platform/input_method.h"

#include <cstdlib>
#include <filesystem>
#include <wx/app.h>
#include <wx/init.h>

namespace {

std::string g_home;

class WxEnvironment : public testing::Environment {
public:
    void SetUp() override {
        char pattern[] = "/tmp/qv-grid-XXXXXX";
        g_home = mkdtemp(pattern);
        std::filesystem::create_directories(g_home + "/Picture");
        setenv("QV_HOME", g_home.c_str(), 1);
        static int argc = 1;
        static char arg0[] = "grid_tests";
        static char* argv[] = {arg0, nullptr};
        platform::UsePaintableInputMethod();
        wxApp::SetInstance(new wxApp);
        ASSERT_TRUE(wxEntryStart(argc, argv));
        wxTheApp->CallOnInit();
        wxSetAssertHandler([](const wxString& file, int line, const wxString&, const wxString& cond,
                              const wxString& msg) {
            ADD_FAILURE() << "wx assertion " << cond << " " << msg << " at " << file << ":" << line;
        });
    }
    void TearDown() override {
        wxTheApp->OnExit();
        wxEntryCleanup();
        std::filesystem::remove_all(g_home);
    }
};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new WxEnvironment);

} // namespace

NoteFrame::NoteFrame() : wxFrame(nullptr, wxID_ANY, "grid test") {
    Bind(qvEVT_GRID_NOTIFY, [this](CGridNotifyEvent& event) {
        notes.push_back({event.code, event.row, event.col, event.strText, event.lParam,
                         dynamic_cast<CGridCellEdit*>(event.GetEventObject()) != nullptr});
    });
}

std::vector<NoteRecord> NoteFrame::Of(int code) const {
    std::vector<NoteRecord> found;
    for (const NoteRecord& note : notes)
        if (note.code == code) found.push_back(note);
    return found;
}

// Only the program's own queued calls and idle time (which deletes destroyed
// windows); the toolkit's focus events under a display without a window manager
// would end editors at random.
void ProcessPending() {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
}

std::string TestHome() {
    return g_home;
}

void WriteGridSetLine(const std::string& line) {
    ASSERT_EQ(CSettingFiles::WriteSettingFile("GridSet", wxString::FromUTF8(line)), 1);
}

void RemoveGridSet() {
    std::filesystem::remove(g_home + "/Picture/GridSet");
}

void PressKey(wxWindow* window, int keyCode, bool shift, bool ctrl, bool alt) {
    wxKeyEvent down(wxEVT_KEY_DOWN);
    down.m_keyCode = keyCode;
    down.m_uniChar = keyCode < WXK_START ? keyCode : WXK_NONE;
    down.SetShiftDown(shift);
    down.SetControlDown(ctrl);
    down.SetAltDown(alt);
    down.SetEventObject(window);
    down.SetId(window->GetId());
    if (window->GetEventHandler()->ProcessEvent(down) || keyCode >= WXK_START) return;
    wxKeyEvent ch(down);
    ch.SetEventType(wxEVT_CHAR);
    window->GetEventHandler()->ProcessEvent(ch);
}

void TypeChar(wxWindow* window, int ch) {
    wxKeyEvent event(wxEVT_CHAR);
    event.m_keyCode = ch < WXK_START ? ch : WXK_NONE;
    event.m_uniChar = ch;
    event.SetEventObject(window);
    event.SetId(window->GetId());
    window->GetEventHandler()->ProcessEvent(event);
}

CGridCellEdit* OpenEditor(CGridCtrl* grid) {
    CGridCellEdit* open = nullptr;
    for (wxWindow* child : grid->GetChildren())
        if (auto* editor = dynamic_cast<CGridCellEdit*>(child))
            if (editor->IsShown()) open = editor;
    return open;
}

void GridWindowTest::SetUp() {
    RemoveGridSet();
    frame = new NoteFrame;
    frame->SetClientSize(640, 480);
    frame->Show();
}

void GridWindowTest::TearDown() {
    frame->Destroy();
    ProcessPending();
    EXPECT_EQ(CGridCtrl::GetCurrentGrid(), nullptr);
}

CGridCtrl* GridWindowTest::MakeGrid(int rows, int cols, wxSize size) {
    auto* grid = new CGridCtrl(rows, cols, 1, 1);
    EXPECT_TRUE(grid->Create(frame, 1002, wxRect(wxPoint(0, 0), size)));
    grid->SetClientSize(size);
    for (int c = 1; c < cols; ++c)
        grid->SetItemText(0, c, wxString::Format("C%d", c));
    for (int r = 1; r < rows; ++r) {
        grid->SetItemText(r, 0, wxString::Format("%d", r));
        for (int c = 1; c < cols; ++c)
            grid->SetItemText(r, c, wxString::Format("%d,%d", r, c));
    }
    grid->ResetScrollBars();
    return grid;
}
