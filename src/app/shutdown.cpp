#include "app/shutdown.h"

#include "data/main_frame_data.h"
#include "platform/log.h"

#include <exception>

namespace {

std::function<void()>& Saver(CShutdown::Sheet sheet) {
    static std::function<void()> savers[2];
    return savers[sheet];
}

// False when the save escaped with an error.
bool SaveLines(CShutdown::Sheet sheet) {
    if (!Saver(sheet)) return true;
    try {
        Saver(sheet)();
        return true;
    } catch (const std::exception& error) {
        platform::AppendLog(std::string("lines not saved at the end of the run: ") + error.what());
        return false;
    }
}

} // namespace

void CShutdown::SetLinesSaver(Sheet sheet, std::function<void()> saver) {
    Saver(sheet) = std::move(saver);
}

void CShutdown::Run(CMainFrameData& frame) {
    bool linesSaved = SaveLines(RepairSheet);
    linesSaved &= SaveLines(SalesSheet);
    frame.AutoBackup();
    frame.DeleteWorkingCopies();
    if (linesSaved) WriteCleanExitMarker();
}

bool CShutdown::WriteCleanExitMarker() {
    return CMainFrameData::WriteSettingFile(kMarkerFile, kMarkerFile) == 1;
}
