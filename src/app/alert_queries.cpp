#include "app/alert_queries.h"

#include "foxdb/value.h"
#include "platform/wx_text.h"

#include <cmath>

namespace {

const char* const kShortageMain =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,警戒量,最大量-sum(数量) "
    "as 缺货量,ljkc.no from ljkc,jjl where ljkc.编号=jjl.编号 and ljkc.编号!='ReplaceStr' and "
    "ljkc.编号 IS NOT NULL OR (ljkc.零件名称=jjl.零件名称 AND ljkc.车型=jjl.车型 AND "
    "(ljkc.编号=jjl.编号 AND (ljkc.编号='ReplaceStr1' OR ljkc.编号 IS NULL))) group by "
    "ljkc.编号,ljkc.零件名称,ljkc.车型 having (警戒量-sum(数量))>0 or 数量 IS NULL";
const char* const kShortageBlank =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,警戒量,最大量-sum(数量) "
    "as 缺货量,ljkc.no from ljkc,jjl where (ljkc.编号=jjl.编号 and ljkc.编号='ReplaceStr' or "
    "ljkc.编号 IS NULL) and ljkc.车型=jjl.车型 and ljkc.零件名称=jjl.零件名称 group by "
    "ljkc.编号,ljkc.零件名称,ljkc.车型 having (警戒量-sum(数量))>0 or 数量 IS NULL";
const char* const kShortageNoStock =
    "select 车型,零件名称,编号,警戒量-警戒量 as 现有数量,警戒量,最大量 as 缺货量,no from jjl "
    "where 警戒量>0 and (((编号 IS NOT NULL and 编号 not in(select distinct 编号 from ljkc where "
    "编号 IS NOT NULL)) or (零件名称 IS NOT NULL and 零件名称 not in(select distinct 零件名称 from "
    "ljkc where 零件名称 IS NOT NULL))))";
const char* const kSurplusMain =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,最大量,sum(数量)-最大量 "
    "as 溢出量,ljkc.no from ljkc,jjl where ljkc.编号=jjl.编号 and ljkc.编号!='ReplaceStr' and "
    "ljkc.编号 IS NOT NULL group by ljkc.编号,ljkc.零件名称,ljkc.车型 having (sum(数量)-最大量)>0";
const char* const kSurplusBlank =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,最大量,sum(数量)-最大量 "
    "as 溢出量,ljkc.no from ljkc,jjl where (ljkc.编号=jjl.编号 and ljkc.编号='ReplaceStr' or "
    "ljkc.编号 IS NULL) and ljkc.车型=jjl.车型 and ljkc.零件名称=jjl.零件名称 group by "
    "ljkc.编号,ljkc.零件名称,ljkc.车型 having (sum(数量)-最大量)>0";
// Replacement items of byxmb, as the maintenance list and its marks name them.
#define REPLACED "项目名称 in(select 项目名称 from byxmb where 处理方法 like '%更换%')"
const char* const kMaintenance =
    "select 客户 as 车牌号码,项目名称,MAX(码表) as 上次里程,MAX(日期) as 上次日期,车主姓名,性别,"
    "单位电话,住宅电话,手机,gk.车型,邮编,gk.单位,地址,COUNT(*) as 次数,ljsh.标致 from ljsh,gk "
    "where 车牌号码=客户 AND " REPLACED " group by 客户,项目名称 HAVING ((MAX(日期)-MIN(日期)))>0 "
    "and (({^ReplaceStr}-(MAX(日期))-(MAX(日期)-MIN(日期))/(COUNT(*))))>0";
const char* const kInspection =
    "select 车牌号码,车主姓名,性别,单位电话,住宅电话,手机,邮编,单位,地址,标致 from gk where ";
const char* const kBirthday =
    "select 车牌号码,车主姓名,性别,生日,单位电话,住宅电话,手机,邮编,单位,地址,提示 from gk where "
    "NOT(生日={^//})";
const char* const kUnmarked = "(标致!='T' OR 标致 IS NULL) AND " REPLACED;

// "MMDD" of a date field, else empty. From the date's day number: a conversion through
// the C library's time functions would look up the time zone for each of thousands of
// customers.
wxString MonthDay(ado::Recordset& rs, const char* field) {
    const ado::Variant value = rs.Fields().Item(field).Value();
    if (value.vt() != ado::VT_DATE || value.ToDate() == 0) return wxString(); // 0: empty
    int year = 0, month = 0, day = 0;
    foxdb::CivilFromJulianDay(static_cast<int32_t>(std::floor(value.ToDate())) +
                                  foxdb::kJulianDayOfOleZero,
                              year, month, day);
    return wxString::Format("%02d%02d", month, day);
}

wxString Trimmed(const ado::RecordsetPtr& rs, const char* field) {
    const ado::Variant value = rs->Fields().Item(field).Value();
    return value.IsNull() ? wxString() : wxString::FromUTF8(value.ToString()).Trim(true);
}

wxString PartKey(const ado::RecordsetPtr& rs) {
    return Trimmed(rs, "编号") + "\n" + Trimmed(rs, "零件名称") + "\n" + Trimmed(rs, "车型");
}

// Adds the rows of a statement the list does not hold yet.
bool AppendNew(const wxString& statement, CDataSet& list, CDataSet& aux, std::set<wxString>& keys) {
    aux.Open(statement);
    if (!aux.m_bOpen) return false;
    const ado::RecordsetPtr& source = aux.m_pRecordset;
    const ado::RecordsetPtr& target = list.m_pRecordset;
    if (source->RecordCount() <= 0) return true;
    ado::Fields& fields = target->Fields();
    for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
        if (!keys.insert(PartKey(source)).second) continue;
        target->AddNew();
        for (long i = 0; i < fields.Count(); ++i) {
            ado::Field& field = fields.Item(int(i));
            if (source->Fields().IndexOf(field.Name()) >= 0)
                field.PutValue(source->Fields().Item(field.Name()).Value());
        }
        target->Update();
    }
    return true;
}

bool OpenParts(const std::vector<wxString>& statements, CDataSet& list, CDataSet& aux) {
    list.Open(statements.front());
    if (!list.m_bOpen) return false;
    std::set<wxString> keys;
    const ado::RecordsetPtr& rs = list.m_pRecordset;
    if (rs->RecordCount() > 0)
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
            keys.insert(PartKey(rs));
    for (std::size_t i = 1; i < statements.size(); ++i)
        if (!AppendNew(statements[i], list, aux, keys)) return false;
    return true;
}

// The condition of one vehicle's rows.
wxString PlateIs(const char* field, const wxString& plate) {
    return U(field) + "=" + CDataSet::Quote(plate);
}

} // namespace

CAlertQueries::Kind CAlertQueries::KindOf(const wxString& name) {
    if (name == U("零件缺货")) return Kind::Shortage;
    if (name == U("零件溢出")) return Kind::Surplus;
    if (name == U("保养到期表")) return Kind::Maintenance;
    if (name == U("年审车辆")) return Kind::Inspection;
    if (name == U("生日客户")) return Kind::Birthday;
    return Kind::None;
}

wxString CAlertQueries::FlagField(Kind kind) {
    switch (kind) {
    case Kind::Maintenance:
    case Kind::Inspection:
        return U("标致");
    case Kind::Birthday:
        return U("提示");
    default:
        return wxString();
    }
}

wxString CAlertQueries::BuildMonthFilter(const wxDateTime& today) {
    const int month = today.GetMonth() + 1; // wx counts months from 0
    const int next = month % 12 + 1;
    return wxString::Format("ReplaceStr like '%%%d' or ReplaceStr1 like '%%%d'", month % 10,
                            next % 10);
}

std::set<wxString> CAlertQueries::BirthdayWindow(const wxDateTime& today) {
    std::set<wxString> window;
    for (int i = 0; i < 10; ++i)
        window.insert((today + wxDateSpan::Days(i)).Format("%m%d"));
    return window;
}

bool CAlertQueries::Open(Kind kind, const wxDateTime& today, CDataSet& list, CDataSet& aux) {
    const wxString noPart(' ', 30); // the empty part number as the tables hold it
    switch (kind) {
    case Kind::Shortage:
        return OpenParts({CDataSet::ReplaceParams(U(kShortageMain), noPart, noPart),
                          CDataSet::ReplaceParam(U(kShortageBlank), noPart), U(kShortageNoStock)},
                         list, aux);
    case Kind::Surplus:
        return OpenParts({CDataSet::ReplaceParam(U(kSurplusMain), noPart),
                          CDataSet::ReplaceParam(U(kSurplusBlank), noPart)},
                         list, aux);
    case Kind::Maintenance:
        list.Open(CDataSet::ReplaceParam(U(kMaintenance), today.Format("%Y-%m-%d")));
        return list.m_bOpen;
    case Kind::Inspection: {
        // The plate without its padding, so that "ends with" looks at its last digit.
        const wxString plate = U("RTRIM(车牌号码)");
        list.Open(U(kInspection) + CDataSet::ReplaceParams(BuildMonthFilter(today), plate, plate));
        return list.m_bOpen;
    }
    case Kind::Birthday: {
        list.Open(U(kBirthday));
        if (!list.m_bOpen) return false;
        const std::set<wxString> window = BirthdayWindow(today);
        const ado::RecordsetPtr& rs = list.m_pRecordset;
        if (rs->RecordCount() <= 0) return true;
        // From the last row back: most rows go, and each that goes leaves only the
        // kept rows after it to close up, not every row still ahead.
        for (rs->MoveLast(); !rs->BOF(); rs->MovePrevious()) {
            const wxString birthday = MonthDay(*rs, "生日");
            if (birthday.empty()) continue;
            if (!window.count(birthday)) rs->Delete(ado::adAffectCurrent);
        }
        if (rs->RecordCount() > 0) rs->MoveFirst();
        return true;
    }
    case Kind::None:
        break;
    }
    return false;
}

void CAlertQueries::MarkAll(Kind kind, const std::vector<wxString>& plates, CDataSet& data) {
    // Inspection and birthday marks last until the next round: the old round's marks
    // are cleared first.
    if (kind == Kind::Inspection || kind == Kind::Birthday)
        data.UpdateWhere("gk", FlagField(kind), wxString(), wxString());
    for (const wxString& plate : plates)
        Mark(kind, plate, data);
}

void CAlertQueries::Mark(Kind kind, const wxString& plate, CDataSet& data) {
    switch (kind) {
    case Kind::Maintenance:
        data.UpdateWhere("ljsh", U("标致"), "T", U(kUnmarked) + " and " + PlateIs("客户", plate));
        break;
    case Kind::Inspection:
    case Kind::Birthday:
        data.UpdateWhere("gk", FlagField(kind), "T", PlateIs("车牌号码", plate));
        break;
    default:
        break;
    }
}
