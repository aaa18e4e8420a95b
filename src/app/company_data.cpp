#include "app/company_data.h"

#include "data/data_folders.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <wx/arrstr.h>

void CCompanyData::Load() {
    std::vector<wxString> items(kItemCount);
    CSettingFiles::ReadCsvLine(kFile, items);
    items.resize(kItemCount);
    m_items = items;
}

bool CCompanyData::Save() const {
    std::vector<wxString> items = m_items;
    items[kUnused].clear();
    for (wxString& item : items) {
        item.Replace(",", wxString::FromUTF8("，"));
        item.Replace("\r", wxString());
        item.Replace("\n", wxString());
    }
    if (!CSettingFiles::WriteCsvLine(kNewFile, items)) return false;
    // A rename replaces the old file in one step, so there is always a complete one.
    if (!platform::MoveFile(ProgramPath(kNewFile), ProgramPath(kFile))) {
        platform::ShowMessageBox("移动文件出错!");
        return false;
    }
    return true;
}

const char* const kNoStores = "#######";

std::vector<wxString> SplitStoreNames(const wxString& item) {
    std::vector<wxString> names;
    wxString rest = item;
    rest.Trim(true);
    if (rest == kNoStores) return names;
    rest.Replace(U("，"), ",");
    for (wxString name : wxSplit(rest, ',', 0)) {
        if (names.size() >= kMaxStores) break;
        name = wxString::FromUTF8(platform::CutToGbkBytes(name.utf8_string(), 10));
        if (name.EndsWith("\r")) name.RemoveLast();
        name.Trim(true).Trim(false);
        if (!name.empty()) names.push_back(name);
    }
    return names;
}

std::vector<wxString> ReadStoreNames() {
    CCompanyData company;
    company.Load();
    return SplitStoreNames(company.Get(CCompanyData::kStores));
}
