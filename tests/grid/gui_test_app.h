#pragma once
// The wx application for the window tests, a frame that records the grid's
// notifications, and helpers that press keys as a user would.
#include "grid/grid_cell_edit.h"
#include "grid/grid_ctrl.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <wx/frame.h>

struct NoteRecord {
    int code;
    int row;
    int col;
    wxString text;
    long lParam;
    bool fromEditor;
};

class NoteFrame : public wxFrame {
public:
    NoteFrame();
    std::vector<NoteRecord> notes;
    std::vector<NoteRecord> Of(int code) const;
};

// Runs the calls the program queued (closing editors).
void ProcessPending();
// The program folder of the tests ($QV_HOME), with its Picture folder.
std::string TestHome();
void WriteGridSetLine(const std::string& line);
void RemoveGridSet();

// Presses a key on a window: key down, then the character when the key down was
// not used, as the toolkit does.
void PressKey(wxWindow* window, int keyCode, bool shift = false, bool ctrl = false,
              bool alt = false);
// Types a character (its code point) on a window.
void TypeChar(wxWindow* window, int ch);
// The open in-place editor of the grid, or null.
CGridCellEdit* OpenEditor(CGridCtrl* grid);

class GridWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A grid of rows x cols with one fixed row and column, headed "C1".., numbered,
    // cells "r,c", in a window of the given client size.
    CGridCtrl* MakeGrid(int rows, int cols, wxSize size = wxSize(400, 300));

    NoteFrame* frame = nullptr;
};
