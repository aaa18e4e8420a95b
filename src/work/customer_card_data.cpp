#include "work/customer_card_data.h"

#include "data/record_fields.h"
#include "platform/wx_text.h"

namespace work {

bool ApplyCustomerData(CDataSet& data, const ado::RecordsetPtr& lines, const wxString& oldTitle,
                       const wxString& plate) {
    if (!lines || oldTitle.empty() || plate.empty() || !plate.Contains(oldTitle)) return false;
    CDataSet vehicle;
    vehicle.Open(
        U("select 车牌号码,车型,颜色,车主姓名,客户特征,折扣,手扣 from gk where 车牌号码=") +
        CSqlText::Quote(plate));
    if (!vehicle.IsOpen() || vehicle.m_pRecordset->RecordCount() != 1) return false;
    const ado::RecordsetPtr& gk = vehicle.m_pRecordset;
    gk->MoveFirst();

    // Every line of the sheet is searched, not only those the page shows.
    lines->PutFilter(ado::Variant(std::string()));
    const std::string criterion = CSqlText::Criterion(U("客户"), oldTitle).utf8_string();
    if (lines->RecordCount() == 0) return false;
    lines->MoveFirst();
    lines->Find(criterion);
    if (lines->EndOfFile()) return false;
    // The card's first record is its header.
    const struct {
        const char* to;
        const char* from;
    } header[] = {
        {"项目名称", "车型"}, {"编号", "颜色"}, {"作业人员", "车主姓名"}, {"备注", "客户特征"}};
    for (const auto& field : header)
        data.PutFieldValue(FieldText(*gk, field.from), U(field.to), lines);
    data.PutFieldValue(wxString(), U("故障"), lines);
    // The lines move one by one: each found record leaves the old title behind it.
    const bool samePlate = plate.CmpNoCase(oldTitle) == 0;
    while (!samePlate && !lines->EndOfFile()) {
        data.PutFieldValue(plate, U("客户"), lines);
        lines->MoveFirst();
        lines->Find(criterion);
    }
    return true;
}

} // namespace work
