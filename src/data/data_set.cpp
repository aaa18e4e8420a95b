#include "data/data_set.h"

#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/wait_cursor.h"
#include "platform/log.h"
#include "platform/message_box.h"

#include <wx/ctrlsub.h>

namespace {

bool IsStatement(const wxString& text) {
    wxString start = text;
    start.Trim(false);
    return start.Left(6).IsSameAs("select", false);
}

ado::ConnectionPtr SharedConnection() {
    if (!g_pFrameData) throw ado::ComError(ado::E_POINTER, "There is no shared connection.");
    g_pFrameData->OpenConnection();
    return g_pFrameData->m_pConnection;
}

void PrepareClientCursor(ado::Recordset& recordset, const ado::ConnectionPtr& connection) {
    recordset.PutActiveConnection(connection);
    recordset.PutCursorType(ado::adOpenDynamic);
    recordset.PutLockType(ado::adLockBatchOptimistic);
    recordset.PutCursorLocation(ado::adUseClient);
}

} // namespace

wxString CDataSet::DefaultConnectionText() {
    if (g_strDataPath.empty()) SetAccountSet(wxString());
    return wxString::FromUTF8(ado::ConnectionStringOfFolder(g_strDataPath.utf8_string()));
}

void CDataSet::ShowComError(const ado::ComError& error) {
    // Another program holding the account set leaves no working copy to read: the shop
    // is told so plainly, and the engine's account goes to the log.
    if (wxString problem; !CTableCrypt::MayWrite(&problem)) {
        platform::AppendLog("data access failed: " + error.Description());
        platform::ShowMessageBox(problem.utf8_string());
        return;
    }
    wxString text = wxString::Format(" Error: %ld Msg: ", static_cast<long>(error.Error())) +
                    wxString::FromUTF8(error.ErrorMessage()) +
                    " Description: " + wxString::FromUTF8(error.Description());
    platform::ShowMessageBox(text.utf8_string());
}

CDataSet::CDataSet() : m_pRecordset(std::make_shared<ado::Recordset>()) {}

CDataSet::~CDataSet() {
    Close();
}

void CDataSet::FillConnectionText() {
    if (m_strConnection.empty()) m_strConnection = DefaultConnectionText();
}

void CDataSet::Open(const wxString& text) {
    FillConnectionText();
    CWaitCursor wait;
    m_strCurTable.clear();
    std::vector<wxString> decrypted;
    try {
        CryptTables(text, 1, &decrypted);
        ado::ConnectionPtr connection = SharedConnection();
        CloseRecordset();
        PrepareClientCursor(*m_pRecordset, connection);
        m_pRecordset->Open(text.utf8_string(), nullptr, ado::adOpenDynamic,
                           ado::adLockBatchOptimistic,
                           IsStatement(text) ? ado::adCmdText : ado::adCmdFile);
        m_bOpen = m_pRecordset->IsOpen();
        m_nFieldCount = m_bOpen ? m_pRecordset->Fields().Count() : 0;
    } catch (const ado::ComError& error) {
        ShowComError(error);
        m_bOpen = false;
    }
    DropWorkingCopies(decrypted);
}

bool CDataSet::OpenInto(const wxString& statement, const ado::RecordsetPtr& recordset) {
    FillConnectionText();
    std::vector<wxString> decrypted;
    bool opened = false;
    try {
        if (!recordset) throw ado::ComError(ado::E_POINTER, "Invalid pointer");
        if (recordset->IsOpen()) recordset->Close();
        CryptTables(statement, 1, &decrypted);
        PrepareClientCursor(*recordset, SharedConnection());
        recordset->Open(statement.utf8_string(), nullptr, ado::adOpenDynamic,
                        ado::adLockBatchOptimistic, ado::adCmdText);
        opened = recordset->IsOpen();
    } catch (const ado::ComError& error) {
        ShowComError(error);
    }
    DropWorkingCopies(decrypted);
    return opened;
}

int CDataSet::OpenShowError(const wxString& connectionText, const wxString& statement) {
    FillConnectionText();
    const std::string text =
        (connectionText.empty() ? DefaultConnectionText() : connectionText).utf8_string();
    m_strCurTable.clear();
    try {
        // An own connection on another text is not the one asked for: open it anew.
        if (m_pConnection && m_pConnection->ConnectionString() != text) Close();
        if (!m_pConnection) {
            m_pConnection = std::make_shared<ado::Connection>();
            m_nState = 1;
            m_pConnection->PutConnectionString(text);
            m_pConnection->Open(std::string(), std::string(), std::string(),
                                ado::adConnectUnspecified);
            m_bConnOpen = true;
        }
    } catch (const ado::ComError& error) {
        ShowComError(error);
        m_bConnOpen = false;
        m_pConnection.reset();
        m_nState = 0;
        return 0;
    }
    if (statement.empty()) return 1;
    std::vector<wxString> decrypted;
    int result = 1;
    try {
        CryptTables(statement, 1, &decrypted);
        CloseRecordset();
        PrepareClientCursor(*m_pRecordset, m_pConnection);
        m_pRecordset->Open(statement.utf8_string(), nullptr, ado::adOpenDynamic,
                           ado::adLockBatchOptimistic, ado::adCmdText);
        m_bOpen = m_pRecordset->IsOpen();
        m_nFieldCount = m_bOpen ? m_pRecordset->Fields().Count() : 0;
    } catch (const ado::ComError& error) {
        ShowComError(error);
        m_bOpen = false;
        result = 0;
    }
    DropWorkingCopies(decrypted);
    return result;
}

void CDataSet::Close() {
    if (m_nState != 2) CloseRecordset();
    if (m_bConnOpen && m_pConnection && m_pConnection->State() == ado::adStateOpen) {
        try {
            m_pConnection->Close();
        } catch (const ado::ComError&) {
            // closing what the library already closed
        }
    }
    m_bConnOpen = false;
    m_pConnection.reset();
    m_nState = 0;
}

void CDataSet::CloseRecordset() {
    if (m_bOpen && m_pRecordset->IsOpen()) m_pRecordset->Close();
    m_bOpen = false;
    m_nFieldCount = 0;
}

void CDataSet::FillComboBox(const wxString& statement, wxItemContainer* list) {
    Open(statement);
    if (!m_bOpen || !list || m_pRecordset->RecordCount() < 1) return;
    for (m_pRecordset->MoveFirst(); !m_pRecordset->EndOfFile(); m_pRecordset->MoveNext()) {
        ado::Variant value = m_pRecordset->Fields().Item(0).Value();
        if (value.IsNull()) continue;
        wxString text = wxString::FromUTF8(value.ToString());
        list->Append(text.Trim(true));
    }
}

ado::RecordsetPtr CDataSet::MakeFilter(const ado::RecordsetPtr& recordset, const wxString& field,
                                       const wxString& value) {
    wxString criterion = field.empty() ? value : Criterion(field, value);
    recordset->PutFilter(ado::Variant(criterion.utf8_string()));
    return recordset;
}
