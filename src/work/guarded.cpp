#include "work/guarded.h"

#include "ado/com_error.h"
#include "data/data_set.h"
#include "platform/message_box.h"

#include <exception>

namespace work {

void Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
    } catch (const std::exception& error) {
        platform::ShowMessageBox(error.what(), "", platform::MB_ICONERROR);
    }
}

} // namespace work
