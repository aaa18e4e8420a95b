// Column widths: the built-in ones by title, those kept in `fieldlong` (one row per
// table or document kind); and the titles and field names of a grid for export.
#include "data/column_grid.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <ctime>

namespace {

// n1..n38 hold widths; n39 is the keep flag and n40 the date of the last save.
constexpr int kMaxStoredColumns = 38;

wxString GridKey(const CColumnGrid& grid) {
    wxString key = grid.GetTableName();
    return key.empty() ? grid.GetReportName() : key;
}

wxString Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

} // namespace

int CDataSet::DefaultColumnWidth(const wxString& title) {
    auto any = [&title](std::initializer_list<const char*> titles) {
        for (const char* t : titles)
            if (title == U(t)) return true;
        return false;
    };
    auto holds = [&title](const char* part) { return title.Contains(U(part)); };
    if (any({"编号", "部门", "部位", "税号", "帐号"})) return 120;
    if (any({"关联项目", "零件名称", "等同名", "项目名称", "开户行"})) return 100;
    if (holds("日期") || holds("类别") ||
        any({"有效期", "生日", "车型", "车牌号码", "定货单", "单据号", "保养类", "合同号", "客户",
             "卡号", "卡类别"}))
        return 82;
    if (holds("电话") || holds("手机") || any({"传真", "负责人手机", "联系人手机"})) return 92;
    if (holds("价") || any({"毛利", "金额", "总计", "小计", "余额", "颜色"})) return 65;
    if (any({"作业人员", "业务", "推销员", "联系人", "姓名", "车主姓名", "负责人", "故障", "简码",
             "货位", "邮编", "区域"}))
        return 67;
    if (any({"单位", "序号", "数量", "备注", "厂牌", "次数", "方式", "其它", "折扣", "来源"}))
        return 46;
    if (any({"地址", "供应商"})) return 150;
    return 10 * static_cast<int>(platform::GbkLength(title.utf8_string()));
}

void CDataSet::LoadColumnWidths(const wxString&, CColumnGrid* grid, int fieldCount) {
    const wxString table = GridKey(*grid);
    Open("select * from fieldlong where " + Equals("table", table));
    if (!m_bOpen || m_pRecordset->RecordCount() < 1) return;
    m_pRecordset->MoveFirst();
    ado::Fields& fields = m_pRecordset->Fields();
    m_columnWidths.assign(fieldCount + 2, 0);
    ado::Variant key = fields.Item("table").Value();
    if (!key.IsNull()) m_strFieldLongTable = wxString::FromUTF8(key.ToString()).Trim(true);
    ado::Variant appear = fields.Item("appear").Value();
    m_columnWidths[1] = appear.IsNull() ? 0 : appear.ToLong();
    for (int k = 1; k <= fieldCount; ++k) {
        int width = 160;
        if (k <= kMaxStoredColumns) {
            ado::Variant value = fields.Item(wxString::Format("n%d", k).utf8_string()).Value();
            if (!value.IsNull()) width = std::clamp<int>(value.ToLong(), 8, 1000);
        }
        grid->SetColumnWidth(k, width);
        m_columnWidths[k + 1] = width;
    }
}

void CDataSet::SaveColumnWidths(CColumnGrid* grid) {
    const wxString table = GridKey(*grid);
    if (table.empty()) return;
    const int columns = std::min(grid->GetColumnCount() - 1, kMaxStoredColumns);
    CDataSet rows;
    rows.Open("select * from fieldlong where " + Equals("table", table));
    if (!rows.m_bOpen) return;
    ado::RecordsetPtr rs = rows.m_pRecordset;
    ado::Fields& fields = rs->Fields();
    if (rs->RecordCount() < 1) {
        long count = GetDbfRecordCount("fieldlong");
        rs->AddNew();
        fields.Item("n39").PutValue(ado::Variant(0));
        fields.Item("no").PutValue(ado::Variant(-(count + 1)));
    } else {
        rs->MoveLast();
    }
    fields.Item("table").PutValue(
        ado::Variant(CheckValue(table, 200, fields.Item("table").DefinedSize()).utf8_string()));
    fields.Item("appear").PutValue(ado::Variant(columns));
    for (int k = 1; k <= columns; ++k)
        fields.Item(wxString::Format("n%d", k).utf8_string())
            .PutValue(ado::Variant(grid->GetColumnWidth(k)));
    fields.Item("n40").PutValue(ado::Variant(Today().utf8_string()));
    m_strFieldLongTable.clear();
    CDataSet& frameData = g_pFrameData ? g_pFrameData->m_dsMain : rows;
    frameData.NumberRows(rs, "fieldlong");
    frameData.Save(rs);
}

void CDataSet::GetGridTitles(const CColumnGrid* grid, std::vector<wxString>& titles) {
    titles.clear();
    for (int column = 1; column < grid->GetColumnCount(); ++column)
        titles.push_back(grid->GetItemText(0, column));
}

void CDataSet::GetFieldNames(const CColumnGrid* grid, std::vector<wxString>& names) {
    names.clear();
    ado::RecordsetPtr rs = grid->GetGridRecordset();
    if (!rs || !rs->IsOpen()) return;
    for (int i = 0; i < rs->Fields().Count(); ++i)
        names.push_back(wxString::FromUTF8(rs->Fields().Item(i).Name()));
}
