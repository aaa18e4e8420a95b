#pragma once
// The outlook bar: a column of folder buttons, one of them open, showing either a
// list of items (icon and label) or one child window. Its owner learns of clicks
// through EVT_OUTBAR_NOTIFY events (code in GetInt, value in GetExtraLong):
//   1  an item was clicked (pressed and released over it); value = its index
//   4  an item was dragged to another place in the open folder; value = its index.
//      Sent, not posted: the item moves only when the owner handles the event
//      without vetoing it.
//   5  the open folder changed; value = the new index. In folder-command mode the
//      folder buttons do not switch folders: button 0 gives 999, button 1 gives 900.
#include <functional>
#include <vector>
#include <wx/control.h>
#include <wx/imaglist.h>
#include <wx/timer.h>

wxDECLARE_EVENT(EVT_OUTBAR_NOTIFY, wxNotifyEvent);

class CGfxOutBarCtrl : public wxControl {
public:
    // Style flags; the other bits of the flags given to Create have no effect here.
    enum Flags : long {
        fSmallIcon = 0x1,     // small-icon view; clear = large icons
        fDragItems = 0x80,    // items may be dragged to a new place
        fAnimation = 0x100,   // a change of folder slides the buttons into place
        fSelHighlight = 0x200 // the selected item keeps a sunken frame
    };
    enum Notify { NM_ITEMCLICK = 1, NM_ITEMMOVED = 4, NM_FOLDERCHANGE = 5 };
    enum ImageListKind { fSmallList = 1, fLargeList = 2 };
    enum HitKind { htNothing = -1, htFolder = 0, htItem = 1, htUpScroll = 2, htDownScroll = 3 };

    static constexpr int kFolderHeight = 22;

    CGfxOutBarCtrl();
    ~CGfxOutBarCtrl() override;
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                long flags);

    // Notifications go to the owner; without one, to the parent.
    void SetOwner(wxWindow* owner) { m_pOwner = owner; }
    wxImageList* SetImageList(wxImageList* list, int kind);
    void SetSmallIconView(bool small);
    bool IsSmallIconView() const { return m_dwFlags & fSmallIcon; }
    void SetAnimSelHighlight(int intervalMs);
    void SetFolderCommandMode(bool on) { m_bFolderCommands = on; }
    // Which items can be chosen (folder, index); the others show greyed, take no
    // click and are not highlighted. Without a test every item can be chosen.
    using ItemTest = std::function<bool(int folder, int index)>;
    void SetItemEnabledTest(ItemTest test) { m_itemEnabled = std::move(test); }
    bool IsItemEnabled(int index) const;
    // Milliseconds per step of the folder slide; negative switches the slide off.
    void SetAnimationDelay(int ms) { m_nAnimationDelay = ms; }

    int AddFolder(const wxString& name, long data);
    int AddFolderBar(const wxString& name, wxWindow* child, long data);
    void RemoveFolder(int index);
    void SetSelFolder(int index);
    int GetSelFolder() const { return m_nSelFolder; }
    int GetFolderCount() const { return int(m_arFolder.size()); }
    // The folder's child window (-1 = the open folder); null without folders.
    wxWindow* GetFolderChild(int index = -1) const;
    void SetFolderText(int index, const wxString& text);

    int InsertItem(int folder, int index, const wxString& text, int image, long data);
    void RemoveItem(int index);
    bool IsValidItem(int index) const { return index >= 0 && index < GetItemCount(); }
    int GetItemCount() const;
    wxString GetItemText(int index) const;
    void SetItemText(int index, const wxString& text);
    int GetSelItem() const { return m_nSelItem; }

    // Geometry in client coordinates, shared by painting and hit testing.
    wxRect GetFolderRect(int index) const;
    wxRect GetInsideRect() const;
    wxRect GetItemRect(int folder, int index) const;
    wxRect GetIconRect(int folder, int index) const;
    wxRect GetLabelRect(int folder, int index) const;
    void GetVisibleRange(int folder, int& first, int& last) const;
    bool IsUpArrowShown() const;
    bool IsDownArrowShown() const;
    wxRect GetArrowRect(bool up) const;
    int HitTest(const wxPoint& point, int& index) const;

private:
    struct Item {
        wxString text;
        int image;
        long data;
    };
    struct Folder {
        wxString name;
        long data;
        std::vector<Item> items;
        wxWindow* child = nullptr; // not owned
    };

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouseMove(wxMouseEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnScrollTimer(wxTimerEvent& event);
    void OnSelTimer(wxTimerEvent& event);

    void DrawFolder(wxDC& dc, int index, bool pressed, bool hot) const;
    void DrawItems(wxDC& dc) const;
    void DrawLabel(wxDC& dc, const wxString& text, const wxRect& label) const;
    void DrawArrow(wxDC& dc, bool up, bool pressed) const;
    wxImageList* CurrentImageList() const;
    wxSize IconSize() const;
    int LabelHeight(const wxString& text, int width) const;
    int ItemHeight(const Item& item, int width) const;
    bool ScrollOne(bool up);
    void Notify(int code, long value);
    bool NotifyAndAsk(int code, long value);
    // Where a dragged item would go for the cursor at point: the index of the item it
    // would be put before (the item count: after the last), or -1 for no place.
    int DropIndexAt(const wxPoint& point) const;
    void EndDrag(int dragged, int target);
    void AnimateFolderChange(int from, int to);

    std::vector<Folder> m_arFolder;
    ItemTest m_itemEnabled;
    long m_dwFlags = 0x3FC;
    int m_nSelFolder = 1;
    int m_nFirstItem = 0;
    int m_nSelItem = -1;
    bool m_bFolderCommands = false;
    wxWindow* m_pOwner = nullptr;
    wxImageList* m_pLargeImageList = nullptr;
    wxImageList* m_pSmallImageList = nullptr;

    // Mouse state: what the left button pressed, and what the cursor is over.
    int m_nPressKind = htNothing;
    int m_nPressIndex = -1;
    bool m_bPressedOver = false;
    bool m_bDragging = false;
    int m_nDropIndex = -1;
    int m_nHotFolder = -1;
    int m_nHotItem = -1;

    wxTimer m_scrollTimer;
    wxTimer m_selTimer;
    int m_nAnimationDelay = 10;
    // While a folder change slides: the buttons after m_nAnimLow up to m_nAnimHigh
    // are m_nAnimShift pixels away from their place under the old open folder.
    int m_nAnimLow = -1, m_nAnimHigh = -1, m_nAnimShift = 0;
    int m_nSelAnimInterval = 0;
    int m_nSelAnimCount = 0;

    wxColour m_crBackground, m_crText, m_crFace, m_crHighlight, m_crShadow, m_crLine;
};
