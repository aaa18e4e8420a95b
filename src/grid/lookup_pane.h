#pragma once
// The window of the main frame's upper pane, where the lookup grid of parts and
// labour items lives. The shell installs it; without one (tests, tools) the lookup
// grid works without a window.
#include <wx/window.h>

class CLookupPane {
public:
    virtual ~CLookupPane() = default;
    // Lays the panes out, shows the upper one and returns the window the grid fills.
    virtual wxWindow* ShowUpperPane() = 0;

    // Installs the pane (not owned); returns the previous one.
    static CLookupPane* Install(CLookupPane* pane);
    static CLookupPane* Installed();
};
