#pragma once
// F1 in one of the shell's small dialogs: the application's help at the dialog's
// context, as every dialog answers it.
#include <wx/event.h>

// True when the key was F1 and the help was asked for.
bool AnswerHelpKey(const wxKeyEvent& event, int dialogId);
