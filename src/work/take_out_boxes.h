#pragma once
// The take-out's questions as the staff see them: message boxes, and the parts
// chooser for another bin.
#include "work/stock_take_out.h"

namespace work {

class CBoxQuestions : public TakeOutQuestions {
public:
    Answer Ask(const wxString& question, bool withCancel) override;
    bool ChooseBin(const wxString& statement, wxString* bin) override;
    void Tell(const wxString& message) override;
};

} // namespace work
