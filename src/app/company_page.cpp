#include "app/company_page.h"

#include "res/company_page_template.h"
#include "res/control_ids.h"

#include <wx/textctrl.h>

using namespace res::company_page;

namespace {

// Which edit shows which item of the file.
struct Shown {
    CCompanyData::Item item;
    int edit;
};
const Shown kShown[] = {
    {CCompanyData::kName, kNameEdit},       {CCompanyData::kManager, kManagerEdit},
    {CCompanyData::kPhone1, kPhone1Edit},   {CCompanyData::kFax, kFaxEdit},
    {CCompanyData::kAddress, kAddressEdit}, {CCompanyData::kPostcode, kPostcodeEdit},
    {CCompanyData::kPhone2, kPhone2Edit},   {CCompanyData::kPhone3, kPhone3Edit},
    {CCompanyData::kStores, kStoresEdit},
};

} // namespace

yfzl::yfzl(wxWindow* sheet) : wxPanel(sheet, wxID_ANY) {
    res::BuildDialog(this, res::CompanyPageTemplate());
    OnInitDialog();
}

void yfzl::OnInitDialog() {
    CCompanyData data;
    data.Load();
    for (const Shown& shown : kShown)
        res::Control<wxTextCtrl>(this, shown.edit)->ChangeValue(data.Get(shown.item));
    m_bModified = false;
    for (const Shown& shown : kShown)
        Bind(wxEVT_TEXT, &yfzl::OnDataChanged, this, res::ToWxId(shown.edit));
}

void yfzl::OnDataChanged(wxCommandEvent& event) {
    m_bModified = true;
    event.Skip();
}

bool yfzl::SaveCompanyData() {
    if (!m_bModified) return true;
    CCompanyData data;
    for (const Shown& shown : kShown)
        data.Set(shown.item, res::Control<wxTextCtrl>(this, shown.edit)->GetValue());
    if (!data.Save()) return false;
    m_bModified = false;
    return true;
}

bool yfzl::OnApply() {
    return SaveCompanyData();
}
