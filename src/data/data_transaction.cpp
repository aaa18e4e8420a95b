#include "data/data_transaction.h"

#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/table_crypt.h"
#include "foxdb/transaction.h"
#include "platform/log.h"
#include "platform/message_box.h"

#include <algorithm>

namespace {

CDataTransaction* g_open = nullptr;
std::vector<wxString> g_touched; // tables whose encryption waits for the end
std::vector<wxString> g_told;    // messages that wait for the commit

} // namespace

CDataTransaction::CDataTransaction() {
    if (!g_pFrameData) throw ado::ComError(ado::E_POINTER, "There is no shared connection.");
    if (wxString problem; !CTableCrypt::MayWrite(&problem))
        throw CDataRefused(problem.utf8_string());
    if (g_open)
        throw ado::ComError(ado::XACT_E_XTIONEXISTS, "Only one transaction can be open at a time.");
    g_pFrameData->OpenConnection();
    m_pConnection = g_pFrameData->m_pConnection;
    if (!m_pConnection) throw ado::ComError(ado::E_POINTER, "There is no shared connection.");
    m_pConnection->BeginTrans();
    m_bOpen = true;
    g_open = this;
    g_touched.clear();
    g_told.clear();
}

CDataTransaction::~CDataTransaction() {
    if (!m_bOpen) return;
    try {
        Rollback();
    } catch (const ado::ComError& error) {
        // The journal stays behind; the next start puts the tables back.
        platform::AppendLog("rollback failed: " + error.Description());
    }
}

void CDataTransaction::Commit() {
    try {
        for (const wxString& table : g_touched)
            if (!CTableCrypt::SourceUnchanged(table))
                throw CDataRefused("数据表“" + table.utf8_string() +
                                   "”在这期间被另一个程序改动过，这次的修改没有写入。");
        m_pConnection->CommitTrans();
    } catch (...) {
        Rollback();
        throw;
    }
    m_bOpen = false;
    g_open = nullptr;
    EncryptTouched();
    std::vector<wxString> told;
    told.swap(g_told);
    for (const wxString& text : told)
        platform::ShowMessageBox(text.utf8_string());
}

void CDataTransaction::Rollback() {
    if (!m_bOpen) return;
    m_bOpen = false;
    g_open = nullptr;
    g_told.clear();
    std::exception_ptr failure;
    try {
        if (m_pConnection->InTransaction()) m_pConnection->RollbackTrans();
    } catch (const ado::ComError&) {
        failure = std::current_exception();
    }
    // The restored copies hold what their encrypted files hold, or changes of before
    // the transaction that must not be lost: either way they go back encrypted.
    if (!failure) EncryptTouched();
    g_touched.clear();
    if (failure) std::rethrow_exception(failure);
}

void CDataTransaction::EncryptTouched() {
    std::vector<wxString> tables;
    tables.swap(g_touched);
    for (const wxString& table : tables) {
        // The change stands once committed: a copy not encrypted stays the table in use.
        try {
            foxdb::TransactionStep("encrypt");
            if (CTableCrypt::DataFileExists(table + ".dbf")) CTableCrypt::EncryptTable(table);
        } catch (const std::exception& error) {
            platform::AppendLog("encryption of " + table.utf8_string() +
                                " failed: " + error.what());
        }
    }
}

wxString CDataTransaction::FailureText(const wxString& failure, const std::exception& error) {
    if (!dynamic_cast<const CDataRefused*>(&error)) return failure;
    return failure + "\n" + wxString::FromUTF8(error.what());
}

bool CDataTransaction::DeferEncryption(const wxString& table) {
    if (!g_open) return false;
    if (std::find(g_touched.begin(), g_touched.end(), table) == g_touched.end())
        g_touched.push_back(table);
    return true;
}

void CDataTransaction::TellAfterCommit(const wxString& text) {
    if (g_open)
        g_told.push_back(text);
    else
        platform::ShowMessageBox(text.utf8_string());
}
