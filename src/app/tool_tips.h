#pragma once
// The tips of a tool bar as a person expects them: once a tool is used, its tip does not
// come back until the pointer has left the bar. GTK would show it again at the pointer's
// next move, over the page or dialog the tool just opened.
class wxToolBar;

void RestTipsAfterUse(wxToolBar* bar);
