#include "data/main_frame_data.h"

#include "data/data_folders.h"
#include "data/table_crypt.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <wx/tokenzr.h>

CMainFrameData* g_pFrameData = nullptr;

CMainFrameData::CMainFrameData() {
    g_pFrameData = this;
}

CMainFrameData::~CMainFrameData() {
    m_dsMain.Close();
    if (m_pConnection && m_pConnection->State() == ado::adStateOpen) m_pConnection->Close();
    if (g_pFrameData == this) g_pFrameData = nullptr;
}

int CMainFrameData::OpenConnection() {
    try {
        if (!m_pConnection) m_pConnection = std::make_shared<ado::Connection>();
        if (m_bConnOpen) return 1;
        if (m_dsMain.m_strConnection.empty())
            m_dsMain.m_strConnection = CDataSet::DefaultConnectionText();
        m_pConnection->PutConnectionString(m_dsMain.m_strConnection.utf8_string());
        m_pConnection->Open(std::string(), std::string(), std::string(), ado::adConnectUnspecified);
        m_bConnOpen = true;
        return 1;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return 0;
    }
}

void CMainFrameData::CloseConnection() {
    if (m_bConnOpen) {
        m_bConnOpen = false;
        ado::ConnectionPtr connection = std::move(m_pConnection);
        m_pConnection.reset();
        connection->Close();
    }
}

void CMainFrameData::EncryptAllTables() {
    std::string source = ProgramPath(g_strSetFolder);
    std::string working = DataPathFile(wxString());
    platform::CreateFolders(working);
    m_dsMain.CloseRecordset();
    for (const std::string& name : platform::ListFiles(source, "*.dbf")) {
        std::string plain = platform::JoinPath(source, name);
        if (!platform::CopyFileAtomic(plain, platform::JoinPath(working, name))) continue;
        wxString table = wxString::FromUTF8(name.substr(0, name.size() - 4));
        if (CTableCrypt::EncryptTable(table)) platform::DeleteFile(plain);
    }
}

void CMainFrameData::OnSwitchAccountSet() {
    if (!FileExists("Picture/indexfile")) return;
    const wxString keptSetFolder = g_strSetFolder, keptDataPath = g_strDataPath;
    SetAccountSet(ReadSettingFile("currztname"));

    wxString marker = ReadSettingFile("indexfile");
    size_t separator = marker.find_first_of("/\\");
    // A marker without a folder (or starting with a separator) belongs to no set.
    if (separator != wxString::npos && separator > 0) {
        wxString folder = marker.Left(separator);
        wxString table = marker.Mid(separator + 1);
        if (g_strSetFolder == folder + "/" && RebuildMarkedTable(table))
            DeleteSettingFile("indexfile");
    }
    g_strSetFolder = keptSetFolder;
    g_strDataPath = keptDataPath;
}

bool CMainFrameData::CheckRight(int right) const {
    if (m_strRights.empty()) return false;
    const wxString token = wxString::Format("%d", right + 10);
    wxStringTokenizer items(m_strRights, ",");
    items.GetNextToken(); // the login name
    while (items.HasMoreTokens())
        if (items.GetNextToken().Trim(true).Trim(false) == token) return false;
    return true;
}
