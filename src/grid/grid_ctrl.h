#pragma once
// CGridCtrl: the data grid that every list, work page and dialog embeds. A wx
// custom control with its own painting: rows and columns of CGridCell, fixed
// header rows and columns, a focus cell, selection, in-place editing, and the
// appearance read from the settings file "GridSet".
#include "grid/grid_cell.h"
#include "grid/grid_keys.h"
#include "grid/grid_notify.h"

#include "ado/recordset.h"
#include "data/column_grid.h"

#include <memory>
#include <unordered_map>
#include <vector>
#include <wx/dnd.h>
#include <wx/imaglist.h>
#include <wx/timer.h>
#include <wx/window.h>

class wxMenu;

// Scroll requests of OnHScroll / OnVScroll.
enum GridScrollCode {
    SB_LINEUP,
    SB_LINEDOWN,
    SB_PAGEUP,
    SB_PAGEDOWN,
    SB_THUMBPOSITION,
    SB_THUMBTRACK,
    SB_TOP,
    SB_BOTTOM,
};

class CGridCtrl : public wxWindow, public CColumnGrid {
public:
    using Row = std::vector<std::unique_ptr<CGridCell>>;

    static constexpr int kDragTimerId = 513;
    static constexpr int kEditorId = 8;
    static constexpr int kInsertRowCommand = 9926;
    static constexpr int kSelectAllCommand = 57642;

    CGridCtrl(int rows = 0, int cols = 0, int fixedRows = 0, int fixedCols = 0);
    ~CGridCtrl() override;

    // Makes "GridCtrl" available to dialog templates (once per process).
    static bool RegisterGridClass();
    // Creates the window. False when it cannot be created.
    bool Create(wxWindow* parent, int id, const wxRect& rect = wxRect(0, 0, 0, 0), long style = 0);

    void SetTableName(const wxString& name) { m_strTableName = name; }
    wxString GetTableName() const override { return m_strTableName; }
    wxString GetReportName() const override { return m_strReportName; }

    // Sends a notification to the owner (the parent); returns its answer, 0 without one.
    long NotifyOwner(int row, int col, int code);
    static int ReadWheelStep();

    // The grid whose focus cell last moved; null when none or when it was destroyed.
    static CGridCtrl* GetCurrentGrid();
    // Makes this grid the one the document's commands act on.
    void MakeCurrentGrid();
    // No grid is current any more (a new document leaves none on screen).
    static void ForgetCurrentGrid();

    // --- cells and item access ---
    virtual CGridCell* CreateCell(int row, int col);
    virtual void DestroyCell(CGridCell* cell, int row, int col);
    CGridCell* GetCell(int row, int col) const;
    bool SetItem(const GridItem* item);
    bool GetItem(GridItem* item) const;
    wxString GetItemText(int row, int col) const override;
    bool SetItemText(int row, int col, const wxString& text);
    bool SetItemImage(int row, int col, int image);
    int GetItemImage(int row, int col) const;
    bool SetItemState(int row, int col, unsigned state);
    unsigned GetItemState(int row, int col) const;
    bool SetItemFormat(int row, int col, unsigned format);
    unsigned GetItemFormat(int row, int col) const;
    bool SetItemFont(int row, int col, const LogFont* font);
    LogFont GetItemFont(int row, int col) const;
    void SetModified(bool modified, int row = -1, int col = -1);
    bool GetModified() const { return m_bAnyModified; }
    bool IsCellEditable(int row, int col) const;
    // Whether grid column col shows a money field (ADO type 131) of the bound recordset.
    bool IsMoneyColumn(int col) const;
    void SetFieldTypes(std::vector<int> types) { m_pFieldTypes = std::move(types); }
    const std::vector<int>& GetFieldTypes() const { return m_pFieldTypes; }

    // --- rows, columns and geometry ---
    int GetRowCount() const { return m_nRowCount; }
    int GetColumnCount() const override { return m_nColCount; }
    int GetFixedRowCount() const { return m_nFixedRowCount; }
    int GetFixedColumnCount() const { return m_nFixedColCount; }
    bool SetRowCount(int n);
    bool SetColumnCount(int n);
    bool SetFixedRowCount(int n);
    bool SetFixedColumnCount(int n);
    // Back to the one fixed corner cell a list shows before its rows are loaded.
    void ResetToCorner();
    int InsertRow(const wxString& heading, int row = -1);
    int InsertColumn(const wxString& heading, unsigned format = DT_LEFT, int col = -1);
    bool DeleteRow(int row);
    bool DeleteColumn(int col);
    bool DeleteNonFixedRows();
    bool DeleteAllItems();
    int GetRowHeight(int row) const;
    int GetColumnWidth(int col) const override;
    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int col, int width) override;
    int GetFixedRowHeight() const;
    int GetFixedColumnWidth() const;
    long GetVirtualHeight() const;
    long GetVirtualWidth() const;
    bool GetCellOrigin(int row, int col, wxPoint* origin) const;
    bool GetCellRect(int row, int col, wxRect* rect) const;
    GridCellId GetCellFromPt(const wxPoint& point, bool allowFixed = true) const;
    GridCellId GetTopleftNonFixedCell() const;
    GridCellRange GetVisibleNonFixedCellRange(wxRect* rect = nullptr) const;
    GridCellRange GetUnobstructedNonFixedCellRange() const;
    bool IsCellVisible(int row, int col) const;
    bool RedrawCell(int row, int col);
    void EnsureVisible(int row, int col);
    void ResetScrollBars();
    int GetScrollPos32(int orient) const;
    void SetScrollPos32(int orient, int pos);
    wxSize GetTextExtent(const wxString& text, bool semiBold = false) const;
    virtual wxSize GetCellExtent(int row, int col, wxDC& dc) const;
    bool AutoSizeColumn(int col);
    bool AutoSizeRow(int row);
    void AutoSize();
    // The grid font (WM_SETFONT / WM_GETFONT): every cell takes it and the default
    // sizes are measured from it.
    void SetGridFont(const wxFont& font, bool redraw = true);
    const wxFont& GetGridFont() const { return m_fontCells; }
    const LogFont& GetCellLogFont() const { return m_lfCells; }
    int GetDefaultRowHeight() const { return m_nNewRowHeight; }
    int GetDefaultColumnWidth() const { return m_nNewColWidth; }
    int GetCellPadding() const { return m_nCellPadding; }

    // --- drawing ---
    virtual void OnDraw(wxDC& dc);
    void FillBackground(wxDC& dc, const wxRect& clip);
    virtual bool DrawFixedCell(wxDC& dc, int row, int col, wxRect rect, bool eraseBackground);
    virtual bool DrawCell(wxDC& dc, int row, int col, wxRect rect, bool eraseBackground);

    // --- focus, selection, keys ---
    bool IsCellInGrid(int row, int col) const;
    bool IsCellInGrid(const GridCellId& cell) const { return IsCellInGrid(cell.row, cell.col); }
    bool IsRangeInGrid(const GridCellRange& range) const;
    bool RepaintCell(int row, int col, wxDC* dc = nullptr);
    GridCellId SetFocusCell(int row, int col);
    GridCellId SetFocusCell(const GridCellId& cell) { return SetFocusCell(cell.row, cell.col); }
    GridCellId GetFocusCell() const { return m_cellFocus; }
    void SelectRange(int minRow, int minCol, int maxRow, int maxCol, bool forceRepaint = false);
    void SelectEverything();
    void ExtendColumnSelection(const GridCellId& cell);
    void ExtendRowSelection(const GridCellId& cell);
    void ExtendCellSelection(const GridCellId& cell);
    void ClearSelectionAndFocus();
    std::vector<GridCellId> GetSelectedCells() const;
    // The drag-select timer (513): started by a mouse selection, stopped when the
    // button is released or the capture goes elsewhere.
    wxTimer& DragTimer() { return *m_pDragTimer; }
    // The key handling of the grid, also used by the end of an in-place edit.
    // True when the key was used.
    bool HandleKeyDown(int keyCode, bool shift, bool ctrl);
    void OnHScroll(int code, int trackPos = 0);
    void OnVScroll(int code, int trackPos = 0);
    void OnSysColorChange();

    // --- editing ---
    virtual void OnEditCell(int row, int col, int key);
    virtual void CreateInPlaceEditControl(const wxRect& rect, long style, int id, int row, int col,
                                          const wxString& text, int key);
    virtual void OnEndEditCell(int row, int col, const wxString& text);
    void EditCell(int row, int col, int firstKey);
    void SetEditMode(bool on) { m_bEditMode = on; }
    bool GetEditMode() const { return m_bEditMode; }
    void AppendNewRecord();
    void OnInsertRow();

    // --- the bound recordset (grid_recordset.cpp, grid_writeback.cpp, grid_rows.cpp) ---
    ado::RecordsetPtr GetGridRecordset() const override { return m_rsBound; }
    // Makes the record shown in a data row the recordset's current one; false when the
    // row shows no record.
    bool MoveToRowRecord(int row);
    // Remembers which record a row shows, so that sorted rows still reach their own.
    void SetRowRecord(int row, long bookmark);
    void PutFieldText(int col, int row, const wxString& text);
    // The end of an edit on a bound cell: the text checked for its field and written
    // into the record. False (the record unchanged) when the check refused it.
    bool WriteEditToRecord(int row, int col, wxString& text);
    void DeleteRowAndRenumber(int row);
    bool DeleteSelectedRecord();
    int SelectRow(int row);
    int SaveRowToRecord(int row, int recordNo);
    bool RenumberRows();
    void LoadRecordset();
    // Fills the data cells of a row from the recordset's current record.
    void FillRowFromRecord(int row);
    // The line of a work sheet after a looked-up row went into its record: a labour
    // item marks the line "W", the cells show the record with a quantity of 1, the page
    // completes the line, and editing goes on in the row (grid_lookup.cpp).
    int UpdateSheetRow(int row);
    // Has the work page give the lines recordset's current record, filled from elsewhere
    // (an imported row), a new line's defaults.
    void CompleteAddedLine();
    // Copies the lookup grid's current record into the focus row's line.
    void TakeLookupRecord(int unused = 0);
    // Typing in an item column of a line grid filters the lookup list of the upper
    // pane (the stock, on a repair list also the labour items), loading it first when
    // it holds another list (notification 1928).
    void OnLookupTyping(CGridNotifyEvent& event);
    // Shift, Ctrl or Alt with a digit n takes the lookup list's row n (notification 1929).
    void OnLookupPick(CGridNotifyEvent& event);
    // Enter in an item column with the upper list linked: the listed row whose key
    // holds the typed text goes into the line. False when none did.
    bool TakeLinkedLookupRow(int col, const wxString& typed);

    // --- sorting (grid_sort.cpp) ---
    virtual void OnFixedRowClick(const GridCellId& cell);
    bool SortTextItems(int col, bool ascending);
    bool SortTextItems(int col, bool ascending, int low, int high);
    bool SortNumericItems(int col, bool ascending);
    bool SortNumericItems(int col, bool ascending, int low, int high);
    void OnSortColumn();
    bool IsSorted() const { return m_nSortCol != -1; }
    // Back to record order: the recordset's sort is dropped and the rows reloaded.
    void ClearSort();
    static bool TextInList(const wxString& item, const wxString& list);

    // --- printing (print_grid.cpp) ---
    // Prints pages m_nFromPage..m_nToPage on the default printer, m_nCopies + 1 times,
    // with the report settings of the grid's report; returns the jobs sent.
    int Print();
    // Shows the grid's pages in the print preview.
    // The preview window of the grid's pages, one or two to a sheet.
    void PrintPreview(bool twoPages = false);

    // --- context menu and row commands (grid_context_menu.cpp, grid_row_commands.cpp) ---
    // The context menu for the focus cell; null when the grid offers none.
    std::unique_ptr<wxMenu> CreateContextMenu() const;
    void OnCopyRow();
    void OnPasteRow();
    void OnToggleNoDiscount();
    void OnToggleWarrantyPart();
    void OnToggleGift();
    void OnGridSetup();
    void OnPrintGrid();
    void OnPrintPreview();
    void OnInsertRowBefore();
    void OnInsertColumnBefore();
    // Has the work page in front rework a line it did not change itself (a pasted or a
    // taken row); the lines recordset is on the line's record.
    void NotifyLineChanged(int row);

    // --- taking lookup rows into the work page in front (grid_row_transfer.cpp) ---
    // Row `row` of this lookup list (0: the focus row) fills the line being typed on
    // or becomes a new line of the page; the row gets a tick.
    void TransferChosenRow(int row);
    void OnSelectCurrentRow();
    void OnSelectAllRows();
    // The `tpk` statement of the goods picture of the focus row's item: by its 编号, or
    // by its 车型 and name; empty when the row names no item (grid_pictures.cpp).
    wxString BuildPictureQuery();

    // --- mouse (grid_mouse.cpp) ---
    virtual void OnFixedColumnClick(const GridCellId& cell);
    int GetMouseAction() const { return m_nMouseAction; }

    // --- clipboard (grid_clipboard.cpp) ---
    // The selection as text: its bounding range row by row, rows on "\n", cells on
    // "\t"; null when nothing is selected.
    virtual std::unique_ptr<wxTextDataObject> CopyTextFromGrid() const;
    virtual void CutSelectedText();
    // Spreads text over the cells from cell on; false when cell takes no text.
    virtual bool PasteTextToGrid(const GridCellId& cell, const wxString& text);
    virtual void OnEditCut();
    virtual void OnEditCopy();
    virtual void OnEditPaste();
    virtual void OnEditSelectAll();

    // --- drag and drop (grid_dragdrop.cpp; the drop target forwards here) ---
    void OnBeginDrag();
    // A picture of the focus cell and its size; an invalid bitmap when there is none.
    virtual wxBitmap CreateDragImage(wxSize* size);
    virtual wxDragResult OnDragEnter(wxCoord x, wxCoord y, wxDragResult def);
    virtual wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def);
    virtual void OnDragLeave();
    virtual bool OnDrop(wxCoord x, wxCoord y, const wxString& text);

    // --- appearance ---
    void SetTextColor(const wxColour& c) { m_clrCellText = c; }
    void SetTextBkColor(const wxColour& c) { m_clrCellBack = c; }
    void SetOutsideBkColor(const wxColour& c) { m_clrOutside = c; }
    void SetFixedTextColor(const wxColour& c) { m_clrHeadText = c; }
    void SetFixedBkColor(const wxColour& c) { m_clrHeadBack = c; }
    void SetGridColor(const wxColour& c) { m_clrLines = c; }
    void SetGridLines(int lines) { m_nGridLines = lines; }
    void SetGridLineWidth(int width) { m_nLinePen = width < 0 ? 0 : width; }
    wxColour GetTextColor() const { return m_clrCellText; }
    wxColour GetTextBkColor() const { return m_clrCellBack; }
    wxColour GetOutsideBkColor() const { return m_clrOutside; }
    wxColour GetFixedTextColor() const { return m_clrHeadText; }
    wxColour GetFixedBkColor() const { return m_clrHeadBack; }
    wxColour GetGridColor() const { return m_clrLines; }
    int GetGridLines() const { return m_nGridLines; }
    int GetGridLineWidth() const { return m_nLinePen; }
    int GetExtraRowHeight() const { return m_nExtraRowHeight; }
    wxImageList* GetImageList() const { return m_pImages; }
    void SetImageList(wxImageList* images) { m_pImages = images; }

    // Owner-set state (the members keep the names the rest of the program uses).
    ado::RecordsetPtr m_rsBound;
    int m_nExtraRowHeight = 0;
    bool m_bCloseRsOnDestroy = false;
    bool m_bPickGrid = false;
    bool m_bLinkUpper = false;
    bool m_bDriveLookup = false;
    int m_nPrintMode = 1;
    std::vector<int> m_pFieldTypes;
    wxString m_strReportName;
    wxString m_strLookupMarker;
    wxString m_strTitle;
    bool m_bSizesChanged = false;
    bool m_bInLookup = false;
    bool m_bLookupReady = false;
    std::vector<wxString> PrintTexts = std::vector<wxString>(30);
    int m_nFirstRecordMarker = 0;
    int m_nHelpContext = 1002;
    int m_nFromPage = 0;
    int m_nToPage = 99999;
    int m_nCopies = 0;
    bool m_bLineTaken = false;
    int m_nCopiedRow = 0;    // the row that 行复制 remembered, 0 for none
    int m_nRestrictSort = 0; // when set, 排序 only in edit mode and not on number columns
    bool m_bPreviewing = false;
    bool m_bEditMode = false;
    bool m_bAnyModified = false;
    bool m_bDragDropOn = false;
    bool m_bWholeRows = false;
    bool m_bOneRowOnly = false;
    bool m_bDrawOn = true;
    bool m_bSelectOn = false;
    bool m_bHeaderSorts = true;
    bool m_bTakesTab = true;
    bool m_bOffscreenPaint = true;
    bool m_bRowSizing = true;
    bool m_bColSizing = true;
    int m_nWheelRows = 3;
    bool m_bSortUp = true;
    int m_nSortCol = -1;

protected:
    void OnPaint(wxPaintEvent& event);
    void OnSizeEvent(wxSizeEvent& event);
    void OnKeyDownEvent(wxKeyEvent& event);
    void OnCharEvent(wxKeyEvent& event);
    void OnScrollWin(wxScrollWinEvent& event);
    void OnSysColourChangedEvent(wxSysColourChangedEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnNotify(CGridNotifyEvent& event);
    void OnInsertRowCommand(wxCommandEvent& event);
    // The end of an in-place edit (notification -106 of the editor).
    void OnEndInPlaceEdit(CGridNotifyEvent& event);
    // Selection by the current mouse action, from the anchor to cell.
    void OnSelecting(const GridCellId& cell);
    bool IsPrinting(const wxDC& dc) const;
    void OnLButtonDown(wxMouseEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLButtonUp(wxMouseEvent& event);
    void OnLButtonDblClk(wxMouseEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnSetCursorEvent(wxSetCursorEvent& event);
    void OnFocusEvent(wxFocusEvent& event);
    void OnEditCommand(wxCommandEvent& event);
    void OnUpdateEditCommand(wxUpdateUIEvent& event);
    void OnContextMenu(wxMouseEvent& event);

private:
    bool HasWindow() const { return GetHandle() != nullptr; }
    bool MoveToListRow(int row);
    void MarkTakenRow(int row);
    // False when the line's typed text is not in the row: the row is appended instead.
    bool FillTypedLine(CGridCtrl& page, int row);
    void AppendChosenRow(CGridCtrl& page, int row);
    void BindMouseAndClipboard();
    void BindContextMenu();
    // Sets the line flag shown by image (1 no discount, 2 warranty part, 3 gift) on the
    // focus row's record, or clears the flag the line has.
    void ToggleLineFlag(int image);
    // The column (row) whose border is under the pointer in the fixed row (column), -1 for none.
    int ColumnBorderAt(const wxPoint& point) const;
    int RowBorderAt(const wxPoint& point) const;
    void DrawSizingLine(int pos);
    // Puts a cut or pasted text into a cell and its record; false when the record's field
    // refused it.
    bool PutPastedText(int row, int col, const wxString& text);
    void ApplyGridSet();
    void DeriveCellColours();
    void RepaintFixedOf(int row, int col, wxDC* dc);
    void ScrollBy(int orient, int code, int trackPos);
    bool StepLine(int orient, bool forward);
    wxFont SemiBold(const wxFont& font) const;
    void DrawCellText(wxDC& dc, const CGridCell& cell, wxRect rect, const wxFont& font);

    int m_nRowCount = 0, m_nFixedRowCount = 0, m_nColCount = 0, m_nFixedColCount = 0;
    std::vector<Row> m_arRows;
    std::vector<int> m_arRowHeights;
    std::vector<int> m_arColWidths;
    int m_nCellPadding = 0;
    int m_nNewColWidth = 30;
    int m_nNewRowHeight = 10;
    int m_nVScrollRange = 0;
    int m_nHScrollRange = 0;
    int m_nVScrollPage = 0, m_nHScrollPage = 0;
    int m_nVScrollPos = 0, m_nHScrollPos = 0;
    int m_nSizingZone = 3;

    wxString m_strTableName;
    wxImageList m_imgCells;
    wxImageList* m_pImages = nullptr;

    wxColour m_clrCellText, m_clrCellBack, m_clrOutside, m_clrHeadText, m_clrHeadBack;
    wxColour m_clrLines{192, 192, 192};
    wxColour m_clrBaseText, m_clrBaseWindow, m_clrBaseFace, m_clrBaseShadow;
    int m_nGridLines = 3;
    int m_nLinePen = 0;

    LogFont m_lfCells;
    wxFont m_fontCells;
    wxFont m_fontCellsSemiBold;

    int m_nMouseAction = 0;
    GridCellId m_cellAnchor;
    GridCellId m_cellFocus;
    GridCellId m_cellDropTarget;
    GridCellId m_cellClickDown;
    wxPoint m_ptClickDown, m_ptLastMouse;
    int m_nSizingIndex = -1; // the row or column being sized
    int m_nSizingLine = -1;  // where its tracking line is drawn
    bool m_bHasFocus = false;
    std::unique_ptr<wxTimer> m_pDragTimer;
    std::unordered_map<std::uint64_t, GridCellId> m_mapSelected;
    std::unordered_map<std::uint64_t, GridCellId> m_mapKeptSelection;

    // Top-left non-fixed cell of the last lookup, so that scrolling walks only the rows
    // and columns it passes.
    mutable int m_nCachedTopRow = -1, m_nCachedTopSum = 0;
    mutable int m_nCachedLeftCol = -1, m_nCachedLeftSum = 0;
    void InvalidateTopLeft() const { m_nCachedTopRow = m_nCachedLeftCol = -1; }
};
