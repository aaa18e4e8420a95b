#include "app/help_key.h"

#include "app/qv_app.h"

bool AnswerHelpKey(const wxKeyEvent& event, int dialogId) {
    auto* app = dynamic_cast<CQvApp*>(wxTheApp);
    if (event.GetKeyCode() != WXK_F1 || event.HasAnyModifiers() || !app) return false;
    app->WinHelp(dialogId, CQvApp::HELP_CONTEXT);
    return true;
}
