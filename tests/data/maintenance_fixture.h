#pragma once
// An encrypted default account set for the rebuild, backup and restore tests: tables
// made from the catalogue (or from a definition of the test's own), encrypted as the
// first run does, a window-less main frame, and recorders for the status bar, the
// folder dialog and the maintenance file operations.
#include "data/backup_restore.h"
#include "data/folder_dialog.h"
#include "data/main_frame_data.h"
#include "data/maintenance_files.h"
#include "data/status_text.h"
#include "data/table_catalog.h"
#include "data/table_rebuild.h"
#include "data_fixture.h"
#include "platform/message_box.h"

#include <csignal>
#include <map>
#include <sys/resource.h>

// Files cannot grow past `bytes` while it lives, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_;
};

using Texts = std::vector<wxString>;
using Row = std::map<const char*, const char*>;

class MaintenanceTest : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        CMaintenanceFiles::Current() = CMaintenanceFiles::Platform();
        SetStatusTextHandler([this](const wxString& text) { status_.push_back(text); });
        for (const char* table : {"ljkc", "ljth", "zyxm", "gk"})
            CreatePlainTable(CTableCatalog().GetCreateSql(table));
        frame_ = std::make_unique<CMainFrameData>();
        frame_->EncryptAllTables();
    }
    void TearDown() override {
        frame_.reset();
        CMaintenanceFiles::Current() = CMaintenanceFiles::Platform();
        SetStatusTextHandler(nullptr);
        SetFolderDialogHandler(nullptr);
        DataFolderTest::TearDown();
    }

    // Creates a plain table in the set folder with its index in the working folder, as
    // the first run leaves it before encrypting.
    void CreatePlainTable(const wxString& createSql) {
        auto maker = std::make_shared<ado::Connection>();
        maker->Open("DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" +
                    Home("Data"));
        maker->Execute(createSql.utf8_string(), nullptr, ado::adCmdText | ado::adExecuteNoRecords);
        maker->Close();
        for (const std::string& index : platform::ListFiles(Home("Data"), "*.cdx"))
            ASSERT_TRUE(platform::MoveFile(Home("Data/" + index), Working(index)));
    }
    // Replaces an encrypted table by one of another definition (an older layout).
    void ReplaceTable(const char* table, const wxString& createSql) {
        ASSERT_TRUE(platform::DeleteFile(Home(std::string("Data/") + table + ".dwf")));
        platform::DeleteFile(Working(std::string(table) + ".cdx"));
        CreatePlainTable(createSql);
        frame_->EncryptAllTables();
    }

    // Appends rows (field name to text) through a batch save; `no` as given.
    void Insert(const char* table, const std::vector<Row>& rows) {
        CDataSet data;
        data.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        for (const Row& row : rows) {
            rs->AddNew();
            for (const auto& [field, value] : row) {
                SCOPED_TRACE(field);
                ASSERT_NO_THROW(data.PutFieldValue(U(value), U(field), rs));
            }
        }
        ASSERT_EQ(data.Save(rs), 1);
    }
    // One field of every row of a statement, as trimmed texts ("NULL" for null).
    Texts Column(const wxString& statement, const wxString& field) {
        CDataSet data;
        data.Open(statement);
        Texts values;
        if (!data.IsOpen()) return {"<not open>"};
        auto rs = data.m_pRecordset;
        if (rs->RecordCount() < 1) return values;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            ado::Variant value = rs->Fields().Item(field.utf8_string()).Value();
            values.push_back(value.IsNull() ? wxString("NULL")
                                            : wxString::FromUTF8(value.ToString()).Trim(true));
        }
        return values;
    }
    Texts FieldNames(const char* table) {
        CDataSet data;
        data.Open(wxString("select * from ") + table);
        Texts names;
        for (int i = 0; data.IsOpen() && i < data.m_pRecordset->Fields().Count(); ++i)
            names.push_back(wxString::FromUTF8(data.m_pRecordset->Fields().Item(i).Name()));
        return names;
    }

    std::vector<std::string> WorkingCopies() const {
        return platform::ListFiles(g_strDataPath.utf8_string(), "*.dbf");
    }
    std::vector<std::string> Staged() const {
        return platform::ListFiles(RebuildStagingFolder().utf8_string(), "*");
    }
    std::string SetFile(const std::string& name) const { return Home("Data/" + name); }

    // Rebuilds one table as the start-up repair does.
    bool Rebuild(const char* table) {
        return frame_->m_dsMain.RebuildTable(table) && frame_->RebuildTableFile(table);
    }

    std::unique_ptr<CMainFrameData> frame_;
    Texts status_;
};
