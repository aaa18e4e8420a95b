#pragma once
// Mouse events delivered to a grid as the toolkit delivers a user's clicks.
#include "grid/grid_ctrl.h"

#include <gtest/gtest.h>

struct MouseKeys {
    bool shift = false;
    bool ctrl = false;
};

inline void SendMouse(CGridCtrl* grid, wxEventType type, const wxPoint& point, bool leftDown,
                      MouseKeys keys = {}, int wheel = 0) {
    wxMouseEvent event(type);
    event.SetEventObject(grid);
    event.SetId(grid->GetId());
    event.SetPosition(point);
    event.m_leftDown = leftDown;
    event.m_shiftDown = keys.shift;
    event.m_controlDown = keys.ctrl;
    if (wheel) {
        event.m_wheelRotation = wheel;
        event.m_wheelDelta = 120;
        event.m_linesPerAction = 3;
    }
    grid->GetEventHandler()->ProcessEvent(event);
}

inline wxPoint CellCentre(const CGridCtrl* grid, int row, int col) {
    wxRect rect;
    EXPECT_TRUE(grid->GetCellRect(row, col, &rect)) << row << "," << col;
    return rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2);
}

inline void PressAt(CGridCtrl* grid, const wxPoint& point, MouseKeys keys = {}) {
    SendMouse(grid, wxEVT_LEFT_DOWN, point, true, keys);
}
inline void DragTo(CGridCtrl* grid, const wxPoint& point) {
    SendMouse(grid, wxEVT_MOTION, point, true);
}
inline void HoverAt(CGridCtrl* grid, const wxPoint& point) {
    SendMouse(grid, wxEVT_MOTION, point, false);
}
inline void ReleaseAt(CGridCtrl* grid, const wxPoint& point) {
    SendMouse(grid, wxEVT_LEFT_UP, point, false);
}
inline void ClickAt(CGridCtrl* grid, const wxPoint& point, MouseKeys keys = {}) {
    PressAt(grid, point, keys);
    ReleaseAt(grid, point);
}
// The grid learns it has the keyboard focus as the toolkit would tell it.
inline void GiveFocus(CGridCtrl* grid) {
    wxFocusEvent event(wxEVT_SET_FOCUS, grid->GetId());
    event.SetEventObject(grid);
    grid->GetEventHandler()->ProcessEvent(event);
}
