#pragma once
// An encrypted default account set for the rebuild, backup and restore tests: tables
// made from the catalogue (or from a definition of the test's own), encrypted as the
// first run does, a window-less main frame, and recorders for the status bar, the
// folder dialog and the maintenance file operations.
#include "common/file_size_limit.h"
#include "common/table_folder.h"
#include "data/backup_restore.h"
#include "data/folder_dialog.h"
#include "data/main_frame_data.h"
#include "data/maintenance_files.h"
#include "data/status_text.h"
#include "data/table_catalog.h"
#include "data/table_rebuild.h"
#include "platform/message_box.h"

using qv_test::FileSizeLimit;
using Texts = std::vector<wxString>;

class MaintenanceTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMaintenanceFiles::Current() = CMaintenanceFiles::Platform();
        SetStatusTextHandler([this](const wxString& text) { status_.push_back(text); });
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"ljkc", "ljth", "zyxm", "gk"}, *frame_);
    }
    void TearDown() override {
        frame_.reset();
        CMaintenanceFiles::Current() = CMaintenanceFiles::Platform();
        SetStatusTextHandler(nullptr);
        SetFolderDialogHandler(nullptr);
        TableFolderTest::TearDown();
    }

    // Replaces an encrypted table by one of another definition (an older layout).
    void ReplaceTable(const char* table, const wxString& createSql) {
        ASSERT_TRUE(platform::DeleteFile(Path(std::string("Data/") + table + ".dwf")));
        platform::DeleteFile(Working(std::string(table) + ".cdx"));
        CreatePlainTable(createSql);
        frame_->EncryptAllTables();
    }

    std::vector<std::string> Staged() const {
        return platform::ListFiles(RebuildStagingFolder().utf8_string(), "*");
    }
    std::string SetFile(const std::string& name) const { return Path("Data/" + name); }

    // Rebuilds one table as the start-up repair does.
    bool Rebuild(const char* table) {
        return frame_->m_dsMain.RebuildTable(table) && frame_->RebuildTableFile(table);
    }

    std::unique_ptr<CMainFrameData> frame_;
    Texts status_;
};
