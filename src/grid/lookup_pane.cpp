#include "grid/lookup_pane.h"

namespace {
CLookupPane* g_pLookupPane = nullptr;
} // namespace

CLookupPane* CLookupPane::Install(CLookupPane* pane) {
    CLookupPane* previous = g_pLookupPane;
    g_pLookupPane = pane;
    return previous;
}

CLookupPane* CLookupPane::Installed() {
    return g_pLookupPane;
}
