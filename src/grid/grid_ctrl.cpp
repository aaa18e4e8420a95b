#include "grid/grid_ctrl.h"

#include "grid/grid_drop_handler.h"
#include "grid/grid_settings.h"
#include "res/bitmaps.h"
#include "res/dialog_template.h"

#include <wx/settings.h>

namespace {
CGridCtrl* g_pCurrentGrid = nullptr;
} // namespace

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
    : m_imgCells(16, 16, true, 1) {
    RegisterGridClass();
    ApplyGridSet();
    m_nWheelRows = ReadWheelStep();
    m_pImages = &m_imgCells;
    m_imgCells.Add(res::GridCellImagesBitmap(), *wxWHITE);
    SetRowCount(rows);
    SetColumnCount(cols);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedCols);
    DeriveCellColours();
}

CGridCtrl::~CGridCtrl() {
    if (g_pCurrentGrid == this) g_pCurrentGrid = nullptr;
    if (m_pDragTimer) m_pDragTimer->Stop();
    m_bDrawOn = false;
    DeleteAllItems();
}

// Base colours and the font from "GridSet"; without the file the system's own.
void CGridCtrl::ApplyGridSet() {
    const GridSetValues set = ReadGridSetFile();
    auto pick = [](const std::optional<COLORREF>& value, wxSystemColour fallback) {
        return value ? ColourFromRef(*value) : wxSystemSettings::GetColour(fallback);
    };
    // MxYs is read after BtYs into the same base colour, so the cell text colour
    // is the one that colours the headings too.
    m_clrBaseFace = pick(set.headBack, wxSYS_COLOUR_BTNFACE);
    m_clrBaseText = pick(set.cellText ? set.cellText : set.headText, wxSYS_COLOUR_WINDOWTEXT);
    m_clrBaseShadow = pick(set.cellBack, wxSYS_COLOUR_BTNSHADOW);
    m_clrLines = set.lines ? ColourFromRef(*set.lines) : wxColour(192, 192, 192);
    m_clrBaseWindow = pick(set.gridBack, wxSYS_COLOUR_WINDOW);
    m_nLinePen = set.LineWidth();
    m_nExtraRowHeight = set.ExtraRowHeight();
    m_bLinkUpper = set.present && set.linkUpper;
    DeriveCellColours();

    m_lfCells = LogFont::FromFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    if (set.fontHeight) m_lfCells.lfHeight = *set.fontHeight;
    m_fontCells = m_lfCells.ToFont();
    m_fontCellsSemiBold = SemiBold(m_fontCells);
}

void CGridCtrl::DeriveCellColours() {
    m_clrCellText = m_clrBaseText;
    m_clrCellBack = m_clrBaseWindow;
    m_clrOutside = m_clrBaseShadow;
    m_clrHeadText = m_clrBaseText;
    m_clrHeadBack = m_clrBaseFace;
}

bool CGridCtrl::RegisterGridClass() {
    static bool registered = false;
    if (registered) return true;
    registered = true;
    res::RegisterControlClass("GridCtrl",
                              [](wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                 unsigned style) -> wxWindow* {
                                  auto* grid = new CGridCtrl(0, 0, 0, 0);
                                  if (!grid->Create(parent, id, wxRect(pos, size))) {
                                      delete grid;
                                      return nullptr;
                                  }
                                  if (style & res::kStyleHidden) grid->Hide();
                                  return grid;
                              });
    return true;
}

bool CGridCtrl::Create(wxWindow* parent, int id, const wxRect& rect, long style) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    if (!wxWindow::Create(parent, id, rect.GetPosition(), rect.GetSize(),
                          style | wxWANTS_CHARS | wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE,
                          "GridCtrl"))
        return false;
    Bind(wxEVT_PAINT, &CGridCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, &CGridCtrl::OnSizeEvent, this);
    Bind(wxEVT_KEY_DOWN, &CGridCtrl::OnKeyDownEvent, this);
    Bind(wxEVT_CHAR, &CGridCtrl::OnCharEvent, this);
    for (auto type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                      wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                      wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &CGridCtrl::OnScrollWin, this);
    Bind(wxEVT_SYS_COLOUR_CHANGED, &CGridCtrl::OnSysColourChangedEvent, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGridCtrl::OnCaptureLost, this);
    Bind(wxEVT_TIMER, &CGridCtrl::OnTimer, this, kDragTimerId);
    Bind(qvEVT_GRID_NOTIFY, &CGridCtrl::OnNotify, this);
    Bind(wxEVT_MENU, &CGridCtrl::OnInsertRowCommand, this, kInsertRowCommand);
    BindMouseAndClipboard();

    auto* dropTarget = new CGridDropHandler; // the window owns it once registered
    if (!dropTarget->Register(this)) delete dropTarget;
    m_pDragTimer = std::make_unique<wxTimer>(this, kDragTimerId);

    SetGridFont(m_fontCells, false);
    for (int& height : m_arRowHeights)
        height = m_nNewRowHeight;
    for (int& width : m_arColWidths)
        width = m_nNewColWidth;
    InvalidateTopLeft();
    ResetScrollBars();
    return true;
}

long CGridCtrl::NotifyOwner(int row, int col, int code) {
    wxWindow* owner = GetParent();
    if (!owner) return 0;
    CGridNotifyEvent event(code, GetId(), row, col);
    event.SetEventObject(this);
    owner->GetEventHandler()->ProcessEvent(event);
    return event.result;
}

// The desktop gives no wheel setting here; three rows a notch is the platform default.
int CGridCtrl::ReadWheelStep() {
    return 3;
}

CGridCtrl* CGridCtrl::GetCurrentGrid() {
    return g_pCurrentGrid;
}

bool CGridCtrl::IsMoneyColumn(int col) const {
    return col >= 1 && static_cast<size_t>(col) <= m_pFieldTypes.size() &&
           m_pFieldTypes[col - 1] == 131;
}

// Editor notifications reach the grid as its child's events; the end of an edit is
// the grid's own business, the lookup notifications go on to the owner.
void CGridCtrl::OnNotify(CGridNotifyEvent& event) {
    if (event.GetEventObject() == this) {
        event.Skip();
        return;
    }
    if (event.code == GVN_ENDLABELEDIT)
        OnEndInPlaceEdit(event);
    else if (event.code == GVN_LOOKUPTYPING || event.code == GVN_LOOKUPPICK) {
        // The grid drives the lookup list; its owner hears of the typing as well.
        if (event.code == GVN_LOOKUPTYPING)
            OnLookupTyping(event);
        else
            OnLookupPick(event);
        event.Skip();
    } else {
        event.Skip();
    }
}

void CGridCtrl::OnInsertRowCommand(wxCommandEvent&) {
    OnInsertRow();
}

void CGridCtrl::MakeCurrentGrid() {
    g_pCurrentGrid = this;
}

void CGridCtrl::ForgetCurrentGrid() {
    g_pCurrentGrid = nullptr;
}
