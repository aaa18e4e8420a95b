#include "app/catalog_tree.h"

#include "app/main_frame.h"
#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "grid/data_set_grid.h"
#include "platform/wx_text.h"

namespace {

constexpr int kNewImage = 1;
constexpr int kImage = 11;
constexpr int kOpenImage = 12;

const char* const kStockSelect = "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,"
                                 "单位,部位,供应商,进价 from ljkc where ";
const char* const kLabourSelect = "select 类别,项目名称,编号,单价,单位,数量,备注,进价 from wxxm";

// The groups after the models, with the field whose values become their sub-nodes.
struct Group {
    const char* text;
    const char* field;
    const char* table;
};
const Group kGroups[] = {
    {"按厂牌分类", "厂牌", "ljkc"}, {"按部位分类", "部位", "ljkc"},
    {"按货位分类", "货位", "ljkc"}, {"关联项目组", "关联项目", "gdxm"},
    {"工时费库", "类别", "wxxm"},
};

const Group* FindGroup(const wxString& text) {
    for (const Group& group : kGroups)
        if (text == U(group.text)) return &group;
    return nullptr;
}

bool IsStockGroup(const Group* group) {
    return group && wxString(group->table) == "ljkc";
}

// The stock rows whose field holds the value; node values come from the tables and
// may hold any character, so they are quoted.
wxString StockRows(const char* field, const wxString& value) {
    return U(kStockSelect) + CSqlText::Equals(U(field), value);
}

// The text of a record's value, trailing blanks removed; false for a null.
bool ValueText(const ado::Variant& value, wxString& text) {
    if (value.IsNull()) return false;
    text = wxString::FromUTF8(value.ToString()).Trim(true);
    return true;
}

} // namespace

const wxString& CCatalogTree::OtherText() {
    static const wxString text = U("(其它)");
    return text;
}

CCatalogTree::CCatalogTree(wxWindow* parent, int id, CMainFrameData& frame)
    : wxTreeCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT),
      m_frame(frame) {
    AddRoot(wxEmptyString);
    Bind(wxEVT_TREE_ITEM_ACTIVATED, &CCatalogTree::OnActivated, this);
}

void CCatalogTree::FillTopLevel() {
    if (!CSettingFiles::TableFileExists("ljkc") &&
        !CSettingFiles::FileExists(g_strSetFolder + "ljkc.dwf"))
        return;
    DeleteAllItems();
    const wxTreeItemId root = AddRoot(wxEmptyString);

    CDataSet& data = m_frame.m_dsMain;
    data.Open(
        CSqlText::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U("车型"), "ljkc"));
    bool emptyModel = false;
    if (data.IsOpen() && data.m_pRecordset->RecordCount() > 0) {
        ado::Recordset& rs = *data.m_pRecordset;
        rs.MoveFirst();
        CMainFrame::LogNote(U("移到首行成功..."));
        for (; !rs.EndOfFile(); rs.MoveNext())
            for (int i = 0; i < rs.Fields().Count(); ++i) {
                wxString text;
                if (!ValueText(rs.Fields().Item(i).Value(), text)) continue;
                if (text.empty())
                    emptyModel = true;
                else
                    AppendItem(root, text, kImage, kImage);
            }
    }
    CMainFrame::LogNote(U("完成树目录..."));
    if (emptyModel) AppendItem(root, OtherText(), kImage, kImage);
    for (const Group& group : kGroups)
        AppendItem(root, U(group.text), kImage, kImage);
}

void CCatalogTree::AddChildNodes(const wxTreeItemId& item, const wxString& statement) {
    CDataSet& data = m_frame.m_dsMain;
    data.Open(statement);
    // A single value is a sub-node too: the groups show no rows of their own, so
    // without it that value could not be reached.
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return;
    ado::Recordset& rs = *data.m_pRecordset;
    bool needOther = false;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        for (int i = 0; i < rs.Fields().Count(); ++i) {
            wxString text;
            if (!ValueText(rs.Fields().Item(i).Value(), text)) continue;
            if (text.empty()) {
                needOther = true;
                continue;
            }
            wxTreeItemId child = AppendItem(item, text, kNewImage);
            SetItemImage(child, kImage, wxTreeItemIcon_Normal);
            SetItemImage(child, kOpenImage, wxTreeItemIcon_Selected);
        }
    if (needOther) AppendItem(item, OtherText(), kImage, kImage);
}

// "(其它)" stands for the empty value.
wxString CCatalogTree::ValueOf(const wxTreeItemId& item) const {
    const wxString text = GetItemText(item);
    return text == OtherText() ? wxString() : text;
}

wxString CCatalogTree::NodeQuery(const wxTreeItemId& item) const {
    const wxTreeItemId parent = GetItemParent(item);
    if (!parent.IsOk()) return wxString();
    if (parent == GetRootItem()) {
        const Group* group = FindGroup(GetItemText(item));
        if (!group) return StockRows("车型", ValueOf(item));
        if (IsStockGroup(group)) return wxString();
        if (wxString(group->table) == "gdxm")
            return CSqlText::ReplaceParams("select ReplaceStr from ReplaceStr1", "*", "gdxm");
        return U(kLabourSelect);
    }
    const wxString value = ValueOf(item);
    const Group* group = FindGroup(GetItemText(parent));
    if (!group)
        return StockRows("车型", ValueOf(parent)) + " and " + CSqlText::Equals(U("部位"), value);
    if (IsStockGroup(group)) return StockRows(group->field, value);
    if (wxString(group->table) == "gdxm")
        return U("select 关联项目,项目名称,编号,数量,备注 from gdxm where ") +
               CSqlText::Equals(U("关联项目"), value);
    return U(kLabourSelect) + " where " + CSqlText::Equals(U("类别"), value);
}

void CCatalogTree::OnDblClk(const wxTreeItemId& item) {
    if (!item.IsOk()) return;
    SelectItem(item);
    if (GetItemParent(item) == GetRootItem()) {
        const Group* group = FindGroup(GetItemText(item));
        if (ItemHasChildren(item)) {
            // A group of the stock that shows its sub-nodes only opens or closes.
            if (IsStockGroup(group)) {
                Toggle(item);
                return;
            }
        } else if (group) {
            AddChildNodes(item,
                          CSqlText::ReplaceParams("select distinct ReplaceStr from ReplaceStr1",
                                                  U(group->field), group->table));
        } else {
            AddChildNodes(item, U("select distinct 部位 from ljkc where ") +
                                    CSqlText::Equals(U("车型"), ValueOf(item)));
        }
    }
    const wxString query = NodeQuery(item);
    if (!query.empty()) data_grid::LoadPartsGrid(m_frame.m_dsMain, query, 0, true);
    if (ItemHasChildren(item)) Toggle(item);
    SetItemImage(item, kImage, wxTreeItemIcon_Normal);
    SetItemImage(item, kOpenImage, wxTreeItemIcon_Selected);
}

void CCatalogTree::OnActivated(wxTreeEvent& event) {
    // Handled here: the control's own expansion on a double click does not run too.
    OnDblClk(event.GetItem());
}
