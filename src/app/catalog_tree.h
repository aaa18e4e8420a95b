#pragma once
// The tree in the outlook bar's third folder: the vehicle models of the parts stock
// and five groups (brands, regions, bins, item groups, labour rates) at the top. A
// double click shows the node's parts stock rows, labour items or item groups in the
// lookup grid of the upper pane, and the first one on a node adds its sub-nodes, so
// the tree grows as the operator drills down.
#include <wx/treectrl.h>

class CMainFrameData;

class CCatalogTree : public wxTreeCtrl {
public:
    // The node standing for the empty value wherever it is.
    static const wxString& OtherText();

    CCatalogTree(wxWindow* parent, int id, CMainFrameData& frame);

    // Rebuilds the top level from the parts stock; without a stock table the tree
    // keeps what it shows.
    void FillTopLevel();
    // The double click on a node: sub-nodes on the first one, the node's rows into
    // the lookup grid, then the node expands or collapses.
    void OnDblClk(const wxTreeItemId& item);
    // Adds the values of the statement's records as sub-nodes of item.
    void AddChildNodes(const wxTreeItemId& item, const wxString& statement);
    // The statement that shows a node's rows; empty for the groups without rows.
    wxString NodeQuery(const wxTreeItemId& item) const;

private:
    void OnActivated(wxTreeEvent& event);
    wxString ValueOf(const wxTreeItemId& item) const;

    CMainFrameData& m_frame;
};
