#include "grid/grid_drop_handler.h"

#include "grid/grid_ctrl.h"

CGridDropHandler::CGridDropHandler() : wxDropTarget(new wxTextDataObject) {}

bool CGridDropHandler::Register(wxWindow* window) {
    if (m_bRegistered || !window) return false;
    auto* grid = dynamic_cast<CGridCtrl*>(window);
    if (!grid) return false;
    m_pGridCtrl = grid;
    grid->SetDropTarget(this);
    m_bRegistered = true;
    return true;
}

void CGridDropHandler::Revoke() {
    m_bRegistered = false;
    if (m_pGridCtrl) m_pGridCtrl->SetDropTarget(nullptr);
}

wxDragResult CGridDropHandler::OnEnter(wxCoord x, wxCoord y, wxDragResult def) {
    return m_bRegistered ? m_pGridCtrl->OnDragEnter(x, y, def) : wxDragNone;
}

wxDragResult CGridDropHandler::OnDragOver(wxCoord x, wxCoord y, wxDragResult def) {
    return m_bRegistered ? m_pGridCtrl->OnDragOver(x, y, def) : wxDragNone;
}

void CGridDropHandler::OnLeave() {
    if (m_bRegistered) m_pGridCtrl->OnDragLeave();
}

bool CGridDropHandler::OnDrop(wxCoord, wxCoord) {
    return m_bRegistered;
}

wxDragResult CGridDropHandler::OnData(wxCoord x, wxCoord y, wxDragResult def) {
    if (!m_bRegistered || !GetData()) return wxDragNone;
    auto* text = static_cast<wxTextDataObject*>(GetDataObject());
    return m_pGridCtrl->OnDrop(x, y, text->GetText()) ? def : wxDragNone;
}
