#include "grid/grid_notify.h"

wxDEFINE_EVENT(qvEVT_GRID_NOTIFY, CGridNotifyEvent);

CGridNotifyEvent::CGridNotifyEvent(int code_, int windowId, int row_, int col_)
    : wxCommandEvent(qvEVT_GRID_NOTIFY, windowId), code(code_), row(row_), col(col_) {}
