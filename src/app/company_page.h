#pragma once
// The page "用户资料" of the system-settings sheet: the shop's own name, address,
// telephones and warehouse names (CCompanyData). OK and Apply write them when
// something was typed; an untouched page leaves the file alone.
#include "app/company_data.h"

#include <wx/panel.h>

class yfzl : public wxPanel {
public:
    explicit yfzl(wxWindow* sheet);

    // Writes the data when edited. False (after a message) keeps the sheet open.
    bool OnApply();
    bool OnOK() { return OnApply(); }
    bool IsModified() const { return m_bModified; }

private:
    void OnInitDialog();
    void OnDataChanged(wxCommandEvent& event);
    bool SaveCompanyData();

    bool m_bModified = false;
};
