#include "app/handler_exceptions.h"

#include "ado/com_error.h"
#include "app/main_frame.h"
#include "data/data_set.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <exception>

void ReportHandlerException() {
    try {
        throw;
    } catch (const ado::ComError& error) {
        CMainFrame::LogError(wxString::Format("%s (0x%08lX) %s", error.Source(),
                                              static_cast<unsigned long>(error.Error()),
                                              U(error.Description().c_str())));
        CDataSet::ShowComError(error);
    } catch (const std::exception& error) {
        CMainFrame::LogError(U(error.what()));
        platform::ShowMessageBox(std::string("操作未能完成：") + error.what(), "",
                                 platform::MB_ICONERROR);
    } catch (...) {
        CMainFrame::LogError("unknown exception");
        platform::ShowMessageBox("操作未能完成。", "", platform::MB_ICONERROR);
    }
}
