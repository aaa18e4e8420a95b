#pragma once
// CPaperSizeDlg: dialog 269 "自定义尺寸", the length and width of a user-defined
// paper in tenths of a millimetre. On 确定 the answer, "length,width", is handed
// over in the frame's shared text.
#include <wx/dialog.h>

class CPaperSizeDlg : public wxDialog {
public:
    explicit CPaperSizeDlg(wxWindow* parent);

    // 确定: refuses an empty length or width; otherwise hands the answer over and ends
    // the dialog with wxID_OK. True when it ended.
    bool OnOK();
    // The answer of the last accepted 确定, "length,width".
    const wxString& Answer() const { return m_strAnswer; }

private:
    wxString m_strAnswer;
};
