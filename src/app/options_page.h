#pragma once
// The page "功能选项" of the system-settings sheet: the shop-wide function options
// of "SystemSet" shown as radio groups, check boxes and numbers with up-down
// controls. Built without a window it is only the options reader (CSystemOptions),
// as the forms use it. OK and Apply rewrite the whole file from the controls.
#include "data/system_options.h"

#include <wx/panel.h>

class page1 : public wxPanel, public CSystemOptions {
public:
    // No window: a reader of the options.
    page1() = default;
    // Creates the page in the sheet, shows the options of the file.
    explicit page1(wxWindow* sheet);
    bool Create(wxWindow* sheet);

    // Controls -> settings text -> "SystemSet". False (reported) keeps the sheet open.
    bool OnApply();
    bool OnOK() { return OnApply(); }
    // Whether an option was changed since the page was shown or last applied.
    bool IsModified() const { return m_bModified; }

    // Settings text to controls; the controls to settings text.
    void ShowSettings();
    // False (with a message) when a number box holds more than digits.
    bool BuildSettings();

private:
    void OnInitDialog();
    void OnOptionChanged(wxCommandEvent& event);

    bool m_bModified = false;
};
