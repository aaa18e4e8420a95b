#pragma once
// "提示项目": the narrow panel the first login of a run shows beside the main window,
// one entry per enabled alert with its count at login. A click opens the alert's list
// through the main window's command; "关闭" hides the panel, its close box ends it.
#include "app/startup_after_login.h"

#include <vector>
#include <wx/dialog.h>
#include <wx/imaglist.h>

class CGfxOutBarCtrl;
class CMainFrame;
class wxNotifyEvent;

class CReminderDlg : public wxDialog {
public:
    // The command a panel entry opens, by its text ("零件缺货:3" opens the shortage
    // list); 0 for none.
    static int CommandOfItem(const wxString& text);

    CReminderDlg(CMainFrame& frame, const std::vector<ReminderItem>& items);
    ~CReminderDlg() override;

    // The bar's notices: an item click, or a folder header in command mode.
    void OnOutBarNotify(int code, long value);
    CGfxOutBarCtrl* Bar() const { return m_pBar; }

private:
    void OnBarEvent(wxNotifyEvent& event);

    CMainFrame& m_frame;
    CGfxOutBarCtrl* m_pBar = nullptr;
    wxImageList m_imgLarge;
    wxImageList m_imgSmall;
};
