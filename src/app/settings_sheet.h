#pragma once
// The system-settings sheet of the command "系统设置(&S)": the function options, the
// users and rights, and the company data, each page only for a user whose rights do
// not deny it. OK and Apply save every page; a page that refuses its input keeps the
// sheet open on that page.
#include <wx/propdlg.h>

class CMainFrameData;
class page1;
class qxmm;
class yfzl;

class CSettingsSheet : public wxPropertySheetDialog {
public:
    // The rights that leave out a page.
    static constexpr int kOptionsRight = 49; // "功能选项"
    static constexpr int kUsersRight = 43;   // "权限设置"
    static constexpr int kCompanyRight = 42; // "用户信息"

    // Makes the sheet the frame's settings command.
    static void Register();

    // Builds the pages the rights string allows; nothing is denied before a login.
    CSettingsSheet(wxWindow* parent, const CMainFrameData& rights);

    bool HasPages() const;
    page1* OptionsPage() const { return m_pOptions; }
    qxmm* UsersPage() const { return m_pUsers; }
    yfzl* CompanyPage() const { return m_pCompany; }

    // Saves every page in order; false when one refused (that page is shown).
    bool ApplyAll();

private:
    void OnOK(wxCommandEvent& event);
    void OnApply(wxCommandEvent& event);

    page1* m_pOptions = nullptr;
    qxmm* m_pUsers = nullptr;
    yfzl* m_pCompany = nullptr;
};
