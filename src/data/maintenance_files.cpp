#include "data/maintenance_files.h"

#include "data/table_crypt.h"
#include "platform/files.h"

CMaintenanceFiles CMaintenanceFiles::Platform() {
    CMaintenanceFiles files;
    files.copy = [](const std::string& from, const std::string& to) {
        return platform::CopyFileAtomic(from, to, true);
    };
    files.move = [](const std::string& from, const std::string& to) {
        return platform::MoveFile(from, to);
    };
    files.remove = [](const std::string& path) { return platform::DeleteFile(path); };
    files.encrypt = [](const wxString& table) { return CTableCrypt::EncryptTable(table) != 0; };
    return files;
}

CMaintenanceFiles& CMaintenanceFiles::Current() {
    static CMaintenanceFiles files = Platform();
    return files;
}
