#pragma once
// CGridSetupDlg: dialog 233 "表格设置", the look of every grid. Each change shows
// at once on the current grid; "保存(&S)" writes the settings file "GridSet" that
// new grids read; "取消(&U)" gives the grid back the look it had.
#include "grid/grid_settings.h"

#include <wx/dialog.h>

class CGridCtrl;

class CGridSetupDlg : public wxDialog {
public:
    // The grid to preview on; by default the grid whose focus last moved.
    explicit CGridSetupDlg(wxWindow* parent, CGridCtrl* grid = nullptr);

    struct Look {
        wxColour headBack, headText, cellBack, cellText, gridBack, lines;
        int rowHeight = 16;
        int lineValue = 0;
        LogFont font;
    };

    // The colour chosen for one of the colour buttons (1009, 1035, 1073, 1074, 1110).
    void ApplyColour(int buttonId, const wxColour& colour);
    // The font and its colour chosen with the font button.
    void ApplyFont(const LogFont& font, const wxColour& colour);
    // "默认值(&M)": the dialog's defaults, shown and given to the grid.
    void LoadDefaults();
    // Writes "GridSet" from the working values and the dialog's fields; 1 on success.
    int OnSave();
    // Gives the grid back the look it had when the dialog opened.
    void RestoreGrid();

    const Look& Working() const { return m_look; }
    GridSetChoice Choice() const;

private:
    void OnColourButton(wxCommandEvent& event);
    void OnFontButton(wxCommandEvent& event);
    void OnDefaultsButton(wxCommandEvent& event);
    void OnRowHeightChanged(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void Finish(int result);
    void ShowValues();
    void ApplyLookToGrid(const Look& look);
    static Look Defaults();

    CGridCtrl* m_pGrid;
    Look m_look;
    Look m_restore;
};
