#pragma once
// The progress bar of long operations: a caption in status pane 0 of the main window
// and, right of it, a bar filling a share of the rest of that pane. Destroying it
// hides the bar and puts the idle text back. Without a main window or status bar
// the object has no window and every call does nothing and returns 0.
#include <wx/gauge.h>
#include <wx/string.h>

class wxStatusBar;

// Where the bar goes in a status pane: right of the caption and four blanks, over
// widthPercent of the rest of the pane, a tenth of the pane's height in from top and
// bottom. Never narrower than nothing.
wxRect ProgressBarRect(const wxRect& pane, int captionWidth, int blankWidth, int widthPercent);

// Makes the data store's progress steps show in this bar.
void InstallStatusBarProgress();

class CProgressBar : public wxGauge {
public:
    CProgressBar() = default;
    CProgressBar(const wxString& caption, int widthPercent = 100, int maxValue = 100,
                 bool smooth = false);
    ~CProgressBar() override;

    bool Create(const wxString& caption, int widthPercent = 100, int maxValue = 100,
                bool smooth = false);
    bool SetRange(int lower, int upper, int step);
    int SetStep(int step);
    int OffsetPos(int delta);
    int StepIt();
    void SetText(const wxString& caption);
    void Clear();
    bool Resize();

private:
    static wxStatusBar* FindStatusBar();
    void OnStatusBarSize(wxSizeEvent& event);

    int m_nSize = 100;
    wxString m_strMessage;
    wxRect m_rcLast;
    int m_nLower = 0;
    int m_nUpper = 100;
    int m_nPos = 0;
    int m_nStep = 1;
    wxStatusBar* m_pStatusBar = nullptr;
};
