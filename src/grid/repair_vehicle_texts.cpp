#include "grid/repair_vehicle_texts.h"

#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/sql_text.h"
#include "grid/grid_record_fields.h"
#include "grid/print_texts.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <wx/datetime.h>

namespace {

// Sets the entry from the field unless the field is Null; true when it was set.
bool TakeField(ado::Fields& fields, const char* name, wxString& entry) {
    ado::Field field = fields.Item(name);
    if (field.Value().IsNull()) return false;
    entry = grid_fields::CellText(field);
    return true;
}

} // namespace

namespace repair_vehicle_texts {

wxString WalkInCustomer() {
    return U("零散客户");
}

void Fill(CDataSet& data, const OpenWorkCard& card, std::vector<wxString>& texts) {
    namespace pt = print_texts;
    texts.resize(pt::kCount);
    auto field = [&card](const char* name) {
        auto it = card.record.find(U(name));
        return it == card.record.end() ? wxString() : it->second;
    };
    // The card's lines keep the mileage in 小计 and the date in in 厂牌.
    texts[pt::kMileage] = field("小计");
    texts[pt::kDateIn] = field("厂牌");

    wxString plate = card.customer;
    if (!card.customer.empty() && card.customer != WalkInCustomer()) {
        data.Open("select * from gk where " + CSqlText::Contains(U("车牌号码"), card.customer));
        ado::RecordsetPtr rs = data.m_pRecordset;
        if (data.IsOpen() && rs && !rs->EndOfFile()) {
            ado::Fields& fields = rs->Fields();
            if (TakeField(fields, "车牌号码", texts[pt::kPlate])) plate = texts[pt::kPlate];
            TakeField(fields, "车型", texts[pt::kModel]);
            TakeField(fields, "车主姓名", texts[pt::kBroughtBy]);
            for (const char* phone : {"手机", "单位电话", "住宅电话"}) {
                wxString number;
                if (TakeField(fields, phone, number) && !number.empty()) {
                    texts[pt::kPhone] = number;
                    break;
                }
            }
            TakeField(fields, "发动机号", texts[pt::kEngineNo]);
            TakeField(fields, "车架号", texts[pt::kChassisNo]);
            TakeField(fields, "单位", texts[pt::kWorkUnit]);
            TakeField(fields, "颜色", texts[pt::kColour]);
            TakeField(fields, "身份证号", texts[pt::kIdCard]);
            texts[pt::kDateOutOrChief] = wxDateTime::Today().Format("%Y-%m-%d");
            TakeField(fields, "保养类", texts[pt::kMaintenanceClass]);
        }
        data.CloseRecordset();
    }
    texts[pt::kFault] = NoteFirstLine(plate);
}

wxString NoteFirstLine(const wxString& plate) {
    if (plate.empty()) return wxString();
    std::string bytes;
    if (!platform::ReadFileBytes(ProgramPath("Picture/" + plate + U("(维修)")), bytes))
        return wxString();
    bytes = bytes.substr(0, bytes.find('\n'));
    while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == ','))
        bytes.pop_back();
    return wxString::FromUTF8(platform::GbkToUtf8(bytes));
}

} // namespace repair_vehicle_texts
