#include "work/take_out_boxes.h"

#include "platform/message_box.h"
#include "work/part_pick_dlg.h"

namespace work {

TakeOutQuestions::Answer CBoxQuestions::Ask(const wxString& question, bool withCancel) {
    const int answer = platform::ShowMessageBox(
        question.utf8_string(), "", withCancel ? platform::MB_YESNOCANCEL : platform::MB_YESNO);
    return answer == platform::IDYES ? Yes : answer == platform::IDNO ? No : Cancel;
}

bool CBoxQuestions::ChooseBin(const wxString& statement, wxString* bin) {
    CPartPickDlg chooser(statement); // bins only: no labour items
    if (chooser.ShowModal() != wxID_OK) return false;
    *bin = chooser.Picked().bin;
    return true;
}

void CBoxQuestions::Tell(const wxString& message) {
    platform::ShowMessageBox(message.utf8_string());
}

} // namespace work
