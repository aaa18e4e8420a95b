#include "app/progress_bar.h"

#include "data/data_progress.h"
#include "res/string_table.h"

#include <algorithm>
#include <memory>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/statusbr.h>

wxRect ProgressBarRect(const wxRect& pane, int captionWidth, int blankWidth, int widthPercent) {
    int left = captionWidth + 4 * blankWidth;
    int right = left + (pane.GetRight() + 1 - left) * widthPercent / 100;
    if (right < left) right = left;
    int inset = pane.height / 10;
    return wxRect(left, pane.y + inset, right - left, pane.height - 2 * inset);
}

CProgressBar::CProgressBar(const wxString& caption, int widthPercent, int maxValue, bool smooth) {
    Create(caption, widthPercent, maxValue, smooth);
}

CProgressBar::~CProgressBar() {
    Clear();
    if (m_pStatusBar) m_pStatusBar->Unbind(wxEVT_SIZE, &CProgressBar::OnStatusBarSize, this);
}

wxStatusBar* CProgressBar::FindStatusBar() {
    auto* frame = wxTheApp ? wxDynamicCast(wxTheApp->GetTopWindow(), wxFrame) : nullptr;
    return frame ? frame->GetStatusBar() : nullptr;
}

bool CProgressBar::Create(const wxString& caption, int widthPercent, int maxValue, bool smooth) {
    wxStatusBar* bar = FindStatusBar();
    if (!bar) return false;
    long style = wxGA_HORIZONTAL | (smooth ? wxGA_SMOOTH : 0);
    if (!wxGauge::Create(bar, 1, std::max(1, maxValue), wxDefaultPosition, wxSize(0, 0), style))
        return false;
    m_pStatusBar = bar;
    m_nLower = 0;
    m_nUpper = maxValue;
    m_nPos = 0;
    m_nStep = 1;
    m_strMessage = caption;
    m_nSize = widthPercent;
    // The status bar's size events stand in for the repaint that moves the bar along.
    bar->Bind(wxEVT_SIZE, &CProgressBar::OnStatusBarSize, this);
    Resize();
    return true;
}

bool CProgressBar::SetRange(int lower, int upper, int step) {
    if (!GetHandle()) return false;
    m_nLower = lower;
    m_nUpper = upper;
    m_nStep = step;
    wxGauge::SetRange(std::max(1, upper - lower));
    SetValue(std::clamp(m_nPos - m_nLower, 0, GetRange()));
    return true;
}

int CProgressBar::SetStep(int step) {
    if (!GetHandle()) return 0;
    Show();
    int old = m_nStep;
    m_nStep = step;
    return old;
}

int CProgressBar::OffsetPos(int delta) {
    if (!GetHandle()) return 0;
    Show();
    int old = m_nPos;
    m_nPos = std::clamp(m_nPos + delta, m_nLower, std::max(m_nLower, m_nUpper));
    SetValue(m_nPos - m_nLower);
    Update();
    return old;
}

int CProgressBar::StepIt() {
    return OffsetPos(m_nStep);
}

void CProgressBar::SetText(const wxString& caption) {
    m_strMessage = caption;
    Resize();
}

void CProgressBar::Clear() {
    if (!GetHandle()) return;
    Hide();
    if (m_pStatusBar) m_pStatusBar->SetStatusText(res::LoadResString(IDS_IDLE_MESSAGE), 0);
}

bool CProgressBar::Resize() {
    if (!GetHandle() || !m_pStatusBar) return false;
    if (IsShown()) {
        m_pStatusBar->SetStatusText(m_strMessage, 0);
        m_pStatusBar->Update();
    }
    wxClientDC dc(m_pStatusBar);
    dc.SetFont(m_pStatusBar->GetFont());
    int caption = dc.GetTextExtent(m_strMessage).x;
    int blank = dc.GetTextExtent(" ").x;
    wxRect pane;
    if (!m_pStatusBar->GetFieldRect(0, pane)) return false;
    wxRect rect = ProgressBarRect(pane, caption, blank, m_nSize);
    if (rect != m_rcLast) {
        SetSize(rect);
        m_rcLast = rect;
    }
    return true;
}

void CProgressBar::OnStatusBarSize(wxSizeEvent& event) {
    event.Skip();
    CallAfter([this] { Resize(); });
}

namespace {

class StatusBarDisplay : public CDataProgress::Display {
public:
    void Show(const wxString& caption, int widthPercent, int maximum, bool smooth) override {
        bar_ = std::make_unique<CProgressBar>(caption, widthPercent, maximum, smooth);
    }
    void Step(int position) override {
        if (bar_) bar_->OffsetPos(position - bar_->GetValue());
    }
    void SetText(const wxString& caption) override {
        if (bar_) bar_->SetText(caption);
    }

private:
    std::unique_ptr<CProgressBar> bar_;
};

} // namespace

void InstallStatusBarProgress() {
    CDataProgress::SetDisplayFactory([] { return std::make_unique<StatusBarDisplay>(); });
}
