#pragma once
// The main frame's share of the data store, without a window: the shared connection
// every data set opens its statements on, the frame's own data set, the rights text
// and the hand-over text. The application's main frame derives from it; tests use it
// alone.
#include "ado/ado.h"
#include "data/data_set.h"
#include "data/setting_files.h"

#include <wx/string.h>

class CMainFrameData : public CSettingFiles {
public:
    CMainFrameData();
    virtual ~CMainFrameData();
    CMainFrameData(const CMainFrameData&) = delete;
    CMainFrameData& operator=(const CMainFrameData&) = delete;

    // Creates the shared connection when there is none and opens it on the frame data
    // set's connection text. 1 when it is open; 0 after the error box (the next call
    // tries again).
    int OpenConnection();
    // Closes and releases the shared connection; the next open makes a new one.
    void CloseConnection();
    // Copies every plain table of the set folder into the working folder and encrypts
    // it into the set folder; a source is deleted only once its encrypted file exists.
    void EncryptAllTables();
    // The start-up repair: when Picture/indexfile names a table of the current account
    // set (from "currztname"), rebuilds it and deletes the marker; a marker of another
    // set waits for that set.
    void OnSwitchAccountSet();

    // Whether the logged-in user has the right: the rights text is not empty and does
    // not list the right's token (right + 10) among its items.
    bool CheckRight(int right) const;

    // --- File-level maintenance of the tables (table_rebuild.cpp, backup_restore.cpp).
    // Puts the table CDataSet::RebuildTable staged in place of the working copy and
    // encrypts it; false (reported) leaves the old table in use.
    bool RebuildTableFile(const wxString& table);
    // 1 backup into a chosen folder, 0 restore from one, 2 automatic backup into
    // m_strShared. Always 1; failures have been reported.
    int BackupRestore(int mode);
    // Backs up into "AutBak/<weekday>" of the program folder.
    void AutoBackup();
    // The folder the user picked, ending in "/"; empty when cancelled.
    wxString ChooseBackupFolder();
    // Removes the plain table files; 1 when none is left.
    int DeleteWorkingCopies();

    ado::ConnectionPtr m_pConnection;
    bool m_bConnOpen = false;
    CDataSet m_dsMain;
    wxString m_strRights; // login name, then the tokens of denied rights, comma-separated
    wxString m_strShared; // hand-over text between dialogs

protected:
    // Rebuilds a table named by the marker and puts it in place (the maintenance
    // code's work). False keeps the marker for a later start.
    virtual bool RebuildMarkedTable(const wxString& table);
};

// The frame whose shared connection the data sets use; set while one exists.
extern CMainFrameData* g_pFrameData;
