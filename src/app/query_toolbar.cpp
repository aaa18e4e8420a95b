#include "app/query_toolbar.h"

#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "grid/data_set_grid.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <wx/combobox.h>

namespace {

const CMainToolBar::QueryTable kTables[CMainToolBar::kTableCount] = {
    {"零件库存", "ljkc", "车型", "请选车型:", "零件名称"},
    {"价格库", "jgk", "车型", "请选车型:", "零件名称"},
    {"零件目录", "ljml", "车型", "请选车型:", "零件名称"},
    {"定货单库", "dhd", "车型", "请选车型:", "零件名称"},
    {"零件货源库", "hy", "车型", "请选车型:", "零件名称"},
    {"进货档案", "jhda", "车型", "请选车型:", "零件名称"},
    {"营业档案库", "ljsh", "车型", "请选车型:", "项目名称"},
    {"零件退货库", "ljth", "车型", "请选车型:", "零件名称"},
    {"关联项目库", "gdxm", "关联项目", "关联项目", "项目名称"},
    {"工时费库", "wxxm", "类别", "类别", "项目名称"},
    {"会员项目库", "hyxm", "卡类别", "卡类别", "项目名称"},
    {"保养项目库", "byxmb", "保养类", "保养类", "项目名称"},
    {"供应商", "gys", "单位", "供应商", "零件名称"},
};

constexpr int kSalesArchive = 7;
constexpr int kSupplier = 13;

// The rows of a value, by table index 1..8 (the supplier table uses index 5's).
const char* const kGridTemplates[] = {
    "",
    "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,供应商,进价 from ljkc "
    "where ReplaceStr='ReplaceStr1'",
    "select 车型,零件名称,编号,零售价,批发价,进价,部位 from jgk where ReplaceStr='ReplaceStr1'",
    "select 车型,零件名称,编号,数量,部位,适用车型 from ljml where ReplaceStr='ReplaceStr1'",
    "select 定货单,车型,部位,零件名称,编号,单位,厂牌,供应商,备注 from dhd order by 定货单 "
    "where ReplaceStr='ReplaceStr1'",
    "select 车型,部位,零件名称,编号,单位,厂牌,零售价,批发价,供应商,备注 from hy "
    "where ReplaceStr='ReplaceStr1'",
    "select 定货单,车型,部位,零件名称,编号,单位,厂牌,数量,供应商,日期,备注 from jhda "
    "where ReplaceStr='ReplaceStr1'",
    "select 客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,合同号,flag,"
    "no from ljsh order by 日期,客户 where flag='P' ",
    "select 车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注 from ljth "
    "where ReplaceStr like '%ReplaceStr1%'",
};

// The searches, by table index 0..8 (0: no table chosen, the parts stock).
const char* const kSearchTemplates[] = {
    "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 from ljkc "
    "where ReplaceStr like '%ReplaceStr1%'",
    "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 from ljkc "
    "where ReplaceStr like '%ReplaceStr1%'",
    "select 车型,零件名称,编号,零售价,批发价,进价,部位 from jgk where ReplaceStr like "
    "'%ReplaceStr1%'",
    "select 车型,零件名称,编号,数量,部位,适用车型 from ljml where ReplaceStr like '%ReplaceStr1%'",
    "select 定货单,车型,部位,零件名称,编号,单位,厂牌,供应商,备注 from dhd order by 定货单 "
    "where ReplaceStr like '%ReplaceStr1%'",
    "select 车型,部位,零件名称,编号,单位,厂牌,零售价,批发价,供应商,备注 from hy "
    "where ReplaceStr like '%ReplaceStr1%'",
    "select 定货单,车型,部位,零件名称,编号,单位,厂牌,数量,供应商,日期,备注 from jhda "
    "where ReplaceStr like '%ReplaceStr1%'",
    "select 客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,合同号,flag,"
    "no from ljsh where ReplaceStr like '%ReplaceStr1%'",
    "select 车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注 from ljth "
    "where ReplaceStr like '%ReplaceStr1%'",
};

const char* const kShortCodeIn = " in(select 零件名称 from jmb where 简码 like '%ReplaceStr%')";
const char* const kQuoteRefused = "查询值中不能包含单引号！查询失败。";

struct BoxDef {
    int id;
    int left;
    int right;
    bool editable;
    const char* setupEntry;
};
// In the order they are made; the set-up entries are the boxes' captions.
const BoxDef kBoxes[] = {
    {CMainToolBar::kTable, 0, 110, false, "数据库选择"},
    {CMainToolBar::kValue, 111, 210, false, "车型"},
    {CMainToolBar::kPart, 211, 370, false, "部位"},
    {CMainToolBar::kCode, 370, 500, true, "编号"},
    {CMainToolBar::kName, 500, 610, true, "零件名称"},
    {CMainToolBar::kShortCode, 610, 700, true, "简码"},
    {CMainToolBar::kPlate, 701, 815, true, "保养查询"},
};

wxString SetupEntry(int id) {
    for (const BoxDef& box : kBoxes)
        if (box.id == id) return U(box.setupEntry);
    return wxString();
}

bool HasQuote(const wxString& text) {
    return text.Find('\'') != wxNOT_FOUND;
}

// Box entries in the order of the stored texts (GBK bytes: pinyin order).
bool GbkLess(const wxString& a, const wxString& b) {
    return platform::Utf8ToGbk(a.utf8_string()) < platform::Utf8ToGbk(b.utf8_string());
}

} // namespace

const CMainToolBar::QueryTable& CMainToolBar::TableAt(int index) {
    return kTables[std::clamp(index, 1, kTableCount) - 1];
}

bool CMainToolBar::IsHeaderEntry(const wxString& text) {
    for (const char* header :
         {"请选车型:", "车型", "关联项目", "类别", "卡类别", "保养类", "供应商"})
        if (text == U(header)) return true;
    return false;
}

// ---- statements --------------------------------------------------------------------

wxString CMainToolBar::ValueListSql(int index) {
    const QueryTable& t = TableAt(index);
    return CSqlText::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U(t.valueField),
                                   t.table);
}

wxString CMainToolBar::PartListSql(int index, const wxString& value) {
    const wxString templ =
        "select distinct ReplaceStr from ReplaceStr1 where ReplaceStr='ReplaceStr1'";
    if (index >= 1 && index <= 6)
        return CSqlText::ReplaceParams(
            CSqlText::ReplaceParams(templ, U("部位"), TableAt(index).table), U("车型"), value);
    if (index == 12)
        return CSqlText::ReplaceParams(CSqlText::ReplaceParams(templ, U("部位"), "byxmb"),
                                       U("保养类"), value);
    if (index == kSupplier)
        return CSqlText::ReplaceParams(CSqlText::ReplaceParams(templ, U("车型"), "hy"), U("供应商"),
                                       value);
    return wxString();
}

wxString CMainToolBar::ValueGridSql(int index, const wxString& value, const wxString& lastTable) {
    if (index == 0)
        return CSqlText::ReplaceParams("select ReplaceStr from ReplaceStr1", "*", lastTable);
    if (index == kSalesArchive) {
        const wxString cond = CSqlText::Equals(U("车型"), value);
        return U(kGridTemplates[kSalesArchive]) + " and " + cond + " or " + "flag='W' and " + cond;
    }
    if (index == kSupplier)
        return CSqlText::ReplaceParams(U(kGridTemplates[5]), U("供应商"), value);
    if (index <= 8) return CSqlText::ReplaceParams(U(kGridTemplates[index]), U("车型"), value);
    const QueryTable& t = TableAt(index);
    return CSqlText::ReplaceParams("select * from ReplaceStr where ReplaceStr1", t.table,
                                   CSqlText::Equals(U(t.valueField), value));
}

wxString CMainToolBar::PartGridSql(int index, const wxString& value, const wxString& part) {
    if (index >= 1 && index <= 6)
        return CSqlText::ReplaceParams(U(kGridTemplates[index]), U("车型"), value) + " and " +
               CSqlText::Equals(U("部位"), part);
    if (index == 12)
        return CSqlText::ReplaceParams("select * from ReplaceStr where ReplaceStr1", "byxmb",
                                       CSqlText::Equals(U("保养类"), value)) +
               " and " + CSqlText::Equals(U("部位"), part);
    if (index == kSupplier)
        return CSqlText::ReplaceParams("select * from ReplaceStr where ReplaceStr1", "hy",
                                       CSqlText::Equals(U("供应商"), value)) +
               " and " + CSqlText::Equals(U("车型"), part);
    return wxString();
}

wxString CMainToolBar::BuildShortCodeSql(const wxString& templ, const wxString& field,
                                         const wxString& code) {
    const int where = templ.Find("where");
    const wxString head = where == wxNOT_FOUND ? templ + " " : templ.Left(where + 6);
    return CSqlText::ReplaceParam(head + field + U(kShortCodeIn), code);
}

wxString CMainToolBar::SearchSql(int index, int box, const wxString& v) {
    const wxString field = box == kCode ? U("编号") : U(TableAt(index).nameField);
    if (index >= 9 && index <= 12) {
        const wxString cond = box == kShortCode ? CSqlText::ReplaceParam(field + U(kShortCodeIn), v)
                                                : field + " like '%" + v + "%'";
        return CSqlText::ReplaceParams("select * from ReplaceStr where ReplaceStr1",
                                       TableAt(index).table, cond);
    }
    const wxString templ = U(kSearchTemplates[index == kSupplier ? 5 : index]);
    if (box == kShortCode) return BuildShortCodeSql(templ, field, v);
    return CSqlText::ReplaceParams(templ, field, v);
}

wxString CMainToolBar::PlateSql(const wxString& text) {
    return U("select 车牌号码,车型,颜色,车主姓名,客户特征,折扣,手扣 from gk where 车牌号码 like "
             "'%") +
           text + "%'";
}

// ---- the bar -----------------------------------------------------------------------

CMainToolBar::CMainToolBar(CMainFrame* frame)
    : wxToolBar(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER),
      m_pFrame(frame) {
    SetLabel(U("查询工具栏"));
    CreateBoxes();
    Realize();
    Bind(qvEVT_OWNER_NOTICE, &CMainToolBar::OnNotice, this);
    // Keys of the boxes' edit fields pass here first and go on as usual.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (!FilterKey(event.GetKeyCode())) event.Skip();
    });
}

CMainToolBar::~CMainToolBar() {
    ClosePickDlg();
}

wxComboBox* CMainToolBar::Box(int id) const {
    return dynamic_cast<wxComboBox*>(FindWindow(id));
}

void CMainToolBar::CreateBoxes() {
    for (const BoxDef& def : kBoxes) {
        long style = wxCB_DROPDOWN | (def.editable ? 0 : wxCB_READONLY);
        auto* box = new wxComboBox(this, def.id, wxEmptyString, wxDefaultPosition,
                                   wxSize(def.right - def.left, -1), 0, nullptr, style);
        box->Append(U(def.setupEntry));
        if (def.id == kTable)
            for (const auto& table : kTables)
                box->Append(U(table.entry));
        box->SetSelection(0);
        // The box's button takes room beside the text: the widest fixed entry shows whole.
        int widest = 0;
        for (const wxString& entry : box->GetStrings())
            widest = std::max(widest, box->GetTextExtent(entry).x);
        const int need = box->GetSizeFromTextSize(widest).x;
        if (need > box->GetSize().x) box->SetSize(need, -1);
        AddControl(box);
        // The value box's focus leaves the typed state as it is.
        if (def.id != kValue)
            box->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
                m_nTypedBox = kNone;
                event.Skip();
            });
    }
    Box(kValue)->Disable();
    Box(kPart)->Disable();

    Bind(
        wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelChangeTable(); }, kTable);
    Bind(
        wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelChangeValue(); }, kValue);
    Bind(
        wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelChangePart(); }, kPart);
    Bind(
        wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSearchCode(); }, kCode);
    Bind(
        wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSearchName(); }, kName);
    Bind(
        wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSearchShortCode(); }, kShortCode);
    Bind(
        wxEVT_TEXT, [this](wxCommandEvent&) { m_nTypedBox = kTypedCode; }, kCode);
    Bind(
        wxEVT_TEXT, [this](wxCommandEvent&) { m_nTypedBox = kTypedName; }, kName);
    Bind(
        wxEVT_TEXT, [this](wxCommandEvent&) { m_nTypedBox = kTypedShortCode; }, kShortCode);
    Bind(
        wxEVT_TEXT, [this](wxCommandEvent&) { OnEditChangePlate(); }, kPlate);
}

bool CMainToolBar::MayQuery(int index) {
    if (index != kSalesArchive || (m_pFrame->CheckRight(6) && m_pFrame->CheckRight(15)))
        return true;
    platform::ShowMessageBox("权限不够,不能操作!");
    return false;
}

// The box's entries from the statement, in order, replacing what it held.
void CMainToolBar::FillSorted(wxComboBox* box, const wxString& statement) {
    box->Clear();
    m_pFrame->m_dsMain.FillComboBox(statement, box);
    wxArrayString entries = box->GetStrings();
    std::sort(entries.begin(), entries.end(), GbkLess);
    box->Set(entries);
}

void CMainToolBar::OnSelChangeTable() {
    const int index = Box(kTable)->GetSelection();
    if (index < 1 || index > kTableCount) return;
    m_strSql = ValueListSql(index);
    m_strTable = TableAt(index).table;
    wxComboBox* values = Box(kValue);
    FillSorted(values, m_strSql);
    if (values->GetCount() > 0) {
        values->Enable();
        values->Insert(U(TableAt(index).header), 0);
        values->SetSelection(0);
        Box(kPart)->Disable();
    }
    values->SetFocus();
}

void CMainToolBar::OnSelChangeValue() {
    const int index = Box(kTable)->GetSelection();
    if (!MayQuery(index)) return;
    wxComboBox* values = Box(kValue);
    if (values->GetSelection() == wxNOT_FOUND) return;
    m_strValue = values->GetStringSelection();
    if (HasQuote(m_strValue)) {
        platform::ShowMessageBox(kQuoteRefused);
        return;
    }
    const bool header = IsHeaderEntry(m_strValue);
    bool manyParts = true;
    const wxString partSql = PartListSql(index, m_strValue);
    if (!partSql.empty()) {
        m_strSql = partSql;
        wxComboBox* parts = Box(kPart);
        parts->Clear();
        if (header) {
            platform::ShowMessageBox("请先选取数据！");
        } else {
            FillSorted(parts, m_strSql);
            manyParts = parts->GetCount() > 1;
            parts->Enable(manyParts);
            if (index != kSupplier) {
                parts->Insert(manyParts ? U("部位") : U("没有细分部位"), 0);
                parts->SetSelection(0);
            }
        }
    }
    m_strSql = ValueGridSql(index, m_strValue, m_strTable);
    if (!header) data_grid::LoadPartsGrid(m_pFrame->m_dsMain, m_strSql, 0, true);
    (manyParts ? Box(kPart) : values)->SetFocus();
}

void CMainToolBar::OnSelChangePart() {
    const int index = Box(kTable)->GetSelection();
    wxComboBox* values = Box(kValue);
    if (values->GetSelection() != wxNOT_FOUND) m_strValue = values->GetStringSelection();
    if (!MayQuery(index)) return;
    wxComboBox* parts = Box(kPart);
    if (parts->GetSelection() == wxNOT_FOUND) return;
    m_strPart = parts->GetStringSelection();
    if (HasQuote(m_strPart) || HasQuote(m_strValue)) {
        platform::ShowMessageBox(kQuoteRefused);
        return;
    }
    if (m_strPart == U("部位")) return;
    const wxString statement = PartGridSql(index, m_strValue, m_strPart);
    if (!statement.empty()) m_strSql = statement;
    data_grid::LoadPartsGrid(m_pFrame->m_dsMain, m_strSql, 0, true);
}

// A typed text joins the box's list once; the set-up caption leaves with the first.
void CMainToolBar::RememberTyped(wxComboBox* box, const wxString& setupEntry, bool sorted) {
    const wxString text = box->GetValue();
    if (box->FindString(text, true) != wxNOT_FOUND) return;
    if (box->GetCount() > 0 && box->GetString(0) == setupEntry) box->Delete(0);
    unsigned int at = box->GetCount();
    if (sorted)
        for (at = 0; at < box->GetCount() && GbkLess(box->GetString(at), text); ++at) {
        }
    box->Insert(text, at);
    box->ChangeValue(text);
}

void CMainToolBar::Search(int id) {
    wxComboBox* box = Box(id);
    int index = Box(kTable)->GetSelection();
    m_strValue = box->GetValue();
    if (!MayQuery(index)) return;
    if (HasQuote(m_strValue)) {
        platform::ShowMessageBox(kQuoteRefused);
        return;
    }
    const wxString setupEntry = SetupEntry(id);
    if (m_nTypedBox == kNone && box->GetSelection() != wxNOT_FOUND) {
        m_strValue = box->GetStringSelection();
        box->ChangeValue(m_strValue);
    } else {
        RememberTyped(box, setupEntry, id == kCode);
    }
    if (m_strValue == setupEntry) {
        platform::ShowMessageBox("请输入查询值！");
        box->SetFocus();
        return;
    }
    if (id == kShortCode) m_strValue.MakeUpper();
    if (index < 0) index = 0;
    m_strSql = SearchSql(index, id, m_strValue);
    if (index == 0) Box(kTable)->SetSelection(1);
    data_grid::LoadPartsGrid(m_pFrame->m_dsMain, m_strSql, 0, true);
    box->SetFocus();
}

// ---- the plate box -----------------------------------------------------------------

void CMainToolBar::OnEditChangePlate() {
    m_pFrame->m_hPickTarget = this;
    wxComboBox* box = Box(kPlate);
    const wxString text = box->GetValue();
    if (HasQuote(text)) {
        platform::ShowMessageBox(kQuoteRefused);
        return;
    }
    if (text.empty()) {
        m_bPlateSetOpen = false;
        m_nTypedBox = kTypedPlate;
        return;
    }
    CDataSet& data = m_pFrame->m_dsMain;
    const wxString statement = PlateSql(text);
    // The pick list's rows are still open when nothing else was opened on the data
    // set since: reuse them instead of running the statement at every key.
    const bool stillOpen = m_bPlateSetOpen && data.IsOpen() && statement == m_strPlateSql &&
                           wxString::FromUTF8(data.m_pRecordset->Source()) == m_strPlateSql;
    if (!stillOpen) data.Open(statement);
    m_bPlateSetOpen = data.IsOpen();
    m_strPlateSql = statement;

    ado::Recordset& rs = *data.m_pRecordset;
    if (data.IsOpen() && rs.RecordCount() > 0) {
        const bool made = !m_pPickDlg;
        if (made) {
            m_pFrame->m_hPickTarget = this;
            m_pPickDlg = new CItemPickDlg;
        } else {
            m_pPickDlg->DeleteAllItems();
        }
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            ado::Variant plate = rs.Fields().Item("车牌号码").Value();
            if (!plate.IsNull()) m_pPickDlg->AddItem(wxString::FromUTF8(plate.ToString()));
        }
    } else {
        ClosePickDlg();
    }
    box->SetFocus();
    box->SetInsertionPointEnd();
    m_nTypedBox = kTypedPlate;
}

void CMainToolBar::LookUpPlate() {
    wxComboBox* box = Box(kPlate);
    m_strValue = box->GetValue();
    if (HasQuote(m_strValue)) {
        platform::ShowMessageBox(kQuoteRefused);
        return;
    }
    RememberTyped(box, SetupEntry(kPlate), false);
    RunMaintenanceCheck(m_strValue);
}

void CMainToolBar::RunMaintenanceCheck(const wxString& plate) {
    m_pFrame->OpenForm(FormKind::MaintenanceDue, 1, plate);
}

void CMainToolBar::OnNotice(COwnerNoticeEvent& event) {
    OnPickNotify(event.GetWParam(), event.GetLParam(), event.GetText());
}

void CMainToolBar::OnPickNotify(long, long lParam, const wxString& text) {
    if (lParam != CItemPickDlg::kClose) RunMaintenanceCheck(text);
    ClosePickDlg();
}

void CMainToolBar::ClosePickDlg() {
    if (m_pPickDlg) m_pPickDlg->Destroy();
    m_pPickDlg = nullptr;
}

bool CMainToolBar::FilterKey(int keyCode) {
    if (m_pPickDlg && (keyCode == WXK_DOWN || keyCode == WXK_UP || keyCode == WXK_PAGEDOWN)) {
        m_pFrame->m_hPickTarget = this;
        m_pPickDlg->EnterList();
        m_bPlateSetOpen = false;
        return true;
    }
    if (keyCode != WXK_RETURN && keyCode != WXK_NUMPAD_ENTER) return false;
    switch (m_nTypedBox) {
    case kTypedCode:
        OnSearchCode();
        return true;
    case kTypedName:
        OnSearchName();
        return true;
    case kTypedShortCode:
        OnSearchShortCode();
        return true;
    case kTypedPlate:
        LookUpPlate();
        ClosePickDlg();
        return true;
    default:
        return false;
    }
}
