#include "office/customer_alert.h"

#include "platform/wx_text.h"

namespace {

const char* const kRepairCustomers =
    "select 客户 as 车牌号码,MAX(码表) as 最大里程,MAX(日期) as 最近来访,({^ReplaceStr}-MAX(日期)) "
    "as 已隔天数,车主姓名,性别,单位电话,住宅电话,手机,gk.车型,ljsh.标致 from ljsh,gk where "
    "车牌号码=客户 and  flag='W' group by 客户 HAVING (MAX(日期)-{^ReplaceStr})<=0 and "
    "(MAX(日期)-{^ReplaceStr1})>=0 ";
const char* const kPartsCustomers =
    "select 客户,MAX(日期) as 最近来访,({^ReplaceStr}-MAX(日期)) as 已隔天数,联系人,联系电话,"
    "联系人手机,传真,地址,ljsh.标致 from ljsh,wlkf where 客户=wlkf.单位 and  flag='P'  group by "
    "客户 HAVING (MAX(日期)-{^ReplaceStr})<=0 and (MAX(日期)-{^ReplaceStr1})>=0 ";
const char* const kRepairNeverSeen =
    "select distinct 车牌号码,车主姓名,性别,单位电话,住宅电话,手机 from gk where 车牌号码 not "
    "in(select distinct 客户 from ljsh where flag='W' and 客户 IS NOT NULL)";
const char* const kPartsNeverSeen =
    "select distinct 单位 AS 客户,联系人,联系电话,联系人手机,传真,地址 from wlkf where 单位 not "
    "in(select distinct 客户 from ljsh where flag='P' and 客户 IS NOT NULL)";

wxString Day(const wxDateTime& today, long daysBack) {
    return (today - wxDateSpan::Days(int(daysBack))).Format("%Y-%m-%d");
}

} // namespace

wxString CCustomerAlert::CheckDays(const wxString& text) {
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    long days = 0;
    if (!trimmed.empty() && (!trimmed.ToLong(&days) || days < 0 || days > 36500))
        return U("天数请输入0或正整数！");
    return wxString();
}

long CCustomerAlert::Days(const wxString& text) {
    long days = 0;
    wxString(text).Trim(true).Trim(false).ToLong(&days);
    return days;
}

wxString CCustomerAlert::Title(bool repair) {
    return U(repair ? "维修客户预警" : "配件客户预警");
}

bool CCustomerAlert::Open(bool repair, long fromDays, long toDays, const wxDateTime& today,
                          CDataSet& list, CDataSet& aux) {
    wxString statement = CDataSet::ReplaceParam(U(repair ? kRepairCustomers : kPartsCustomers),
                                                today.Format("%Y-%m-%d"));
    statement = CDataSet::ReplaceParams(statement, Day(today, fromDays), Day(today, toDays));
    list.Open(statement);
    if (!list.m_bOpen) return false;
    aux.Open(U(repair ? kRepairNeverSeen : kPartsNeverSeen));
    if (!aux.m_bOpen) return false;
    const ado::RecordsetPtr& source = aux.m_pRecordset;
    const ado::RecordsetPtr& target = list.m_pRecordset;
    if (source->RecordCount() > 0) {
        ado::Fields& fields = target->Fields();
        for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
            target->AddNew();
            for (long i = 0; i < fields.Count(); ++i) {
                ado::Field& field = fields.Item(int(i));
                if (source->Fields().IndexOf(field.Name()) >= 0)
                    field.PutValue(source->Fields().Item(field.Name()).Value());
            }
            target->Update();
        }
    }
    if (target->RecordCount() > 0) target->MoveFirst();
    return true;
}

wxString CCustomerAlert::LinesStatement(bool repair, const wxString& customer) {
    return U("select 项目名称,单价,数量,日期,备注,码表,客户 from ljsh where 客户=") +
           CDataSet::Quote(customer) + (repair ? " and flag='W'" : " and flag='P'");
}
