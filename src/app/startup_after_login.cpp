#include "app/startup_after_login.h"

#include "app/account_sets.h"
#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/system_options.h"
#include "data/table_rebuild.h"
#include "data/wait_cursor.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <set>

namespace {

wxString W(const char* text) {
    return wxString::FromUTF8(text);
}

const char* const kUpgradeMarker = "升级";

const char* const kUpgradeTables[] = {"gk",   "zyxm", "ygk", "LJDB", "tpk",  "ljth", "blp", "gdxm",
                                      "gdzc", "kzk",  "dhd", "ljzc", "wxxm", "jhda", "gys"};

const char* const kRebuildAllQuestion =
    "系统要求整理全部数据,是否要自动整理? \r\n "
    "(也可以从工具主菜单下的数据库管理进入到数据整理完成此操作)";
const char* const kUncleanExitQuestion = "上次退出为非正常退出,数据可能有误,是否要整理数据? \r\n "
                                         "(如果数据多,电脑配置不高可能占用较长时间)";

bool Ask(const char* question) {
    return platform::ShowMessageBox(question, "", platform::MB_YESNO) == platform::IDYES;
}

wxString Text(const ado::RecordsetPtr& recordset, const char* field) {
    ado::Variant value = recordset->Fields().Item(field).Value();
    return value.IsNull() ? wxString() : wxString::FromUTF8(value.ToString());
}

bool IsNull(const ado::RecordsetPtr& recordset, const char* field) {
    return recordset->Fields().Item(field).Value().IsNull();
}

// A date field without a date: Null, or the empty date.
bool HasNoDate(const ado::RecordsetPtr& recordset) {
    ado::Variant value = recordset->Fields().Item("日期").Value();
    return value.IsNull() || value.ToString() == "0:00:00";
}

// The record count of a statement, 0 when it gives no rows or fails (reported).
long CountOf(CDataSet& data, const wxString& statement) {
    data.Open(statement);
    long count = data.m_bOpen && data.m_pRecordset ? data.m_pRecordset->RecordCount() : 0;
    data.CloseRecordset();
    return count < 0 ? 0 : count;
}

const char* const kShortageA =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,警戒量,最大量-sum(数量) "
    "as 缺货量,ljkc.no from ljkc,jjl where ljkc.编号=jjl.编号 and ljkc.编号!='ReplaceStr' and "
    "ljkc.编号 IS NOT NULL OR (ljkc.零件名称=jjl.零件名称 AND ljkc.车型=jjl.车型 AND "
    "(ljkc.编号=jjl.编号 AND (ljkc.编号='ReplaceStr1' OR ljkc.编号 IS NULL))) group by "
    "ljkc.编号,ljkc.零件名称,ljkc.车型 having (警戒量-sum(数量))>0 or 数量 IS NULL";
const char* const kShortageB =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,警戒量,最大量-sum(数量) "
    "as 缺货量,ljkc.no from ljkc,jjl where (ljkc.编号=jjl.编号 and ljkc.编号='ReplaceStr' or "
    "ljkc.编号 IS NULL) and ljkc.车型=jjl.车型 and ljkc.零件名称=jjl.零件名称 group by "
    "ljkc.编号,ljkc.零件名称,ljkc.车型 having (警戒量-sum(数量))>0 or 数量 IS NULL";
const char* const kShortageC =
    "select 车型,零件名称,编号,警戒量-警戒量 as 现有数量,警戒量,最大量 as 缺货量,no from jjl "
    "where 警戒量>0 and (((编号 IS NOT NULL and 编号 not in(select distinct 编号 from ljkc)) or "
    "(零件名称 IS NOT NULL and 零件名称 not in(select distinct 零件名称 from ljkc))))";
const char* const kSurplusD =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,最大量,sum(数量)-最大量 "
    "as 溢出量,ljkc.no from ljkc,jjl where ljkc.编号=jjl.编号 and ljkc.编号!='ReplaceStr' and "
    "ljkc.编号 IS NOT NULL group by ljkc.编号,ljkc.零件名称,ljkc.车型 having (sum(数量)-最大量)>0";
const char* const kSurplusE =
    "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as 现有数量,最大量,sum(数量)-最大量 "
    "as 溢出量,ljkc.no from ljkc,jjl where (ljkc.编号=jjl.编号 and ljkc.编号='ReplaceStr' or "
    "ljkc.编号 IS NULL) and ljkc.车型=jjl.车型 and ljkc.零件名称=jjl.零件名称 group by "
    "ljkc.编号,ljkc.零件名称,ljkc.车型 having (sum(数量)-最大量)>0";
const char* const kMaintenanceF =
    "select 客户 as 车牌号码,项目名称,MAX(码表) as 上次里程,MAX(日期) as 上次日期,车主姓名,性别,"
    "单位电话,住宅电话,手机,gk.车型,邮编,gk.单位,地址,COUNT(*) as 次数,ljsh.标致 from ljsh,gk "
    "where 车牌号码=客户 AND 项目名称 in(select 项目名称 from byxmb where 处理方法 like '%更换%') "
    "group by 客户,项目名称 HAVING ((MAX(日期)-MIN(日期)))>0 and "
    "(({^ReplaceStr}-(MAX(日期))-(MAX(日期)-MIN(日期))/(COUNT(*))))>0";
const char* const kInspectionG =
    "select 车牌号码,车主姓名,性别,单位电话,住宅电话,手机,邮编,单位,地址,标致 from gk where ";
const char* const kBirthdayH =
    "select 车牌号码,车主姓名,性别,生日,单位电话,住宅电话,手机,邮编,单位,地址,提示 from gk where "
    "NOT(生日={^//})";

} // namespace

CStartupAfterLogin::CStartupAfterLogin(CMainFrameData& frame, bool& started)
    : m_frame(frame), m_bStarted(started) {}

std::vector<ReminderItem>& CStartupAfterLogin::Reminders() {
    static std::vector<ReminderItem> reminders;
    return reminders;
}

void CStartupAfterLogin::Prepare(const wxString& setName) {
    CWaitCursor wait;
    PointDataFolders(setName);
    if (IsFirstRunPending()) SetUpFirstRun();
    // A connection made before this login may point at another set.
    if (m_bStarted || !m_frame.m_dsMain.m_strConnection.empty()) Reconnect();
    if (ApplyUpgrade(wxDateTime::Today())) {
        // The upgrade replaces the marker questions of this login, but a crash of
        // this run must still show at the next start.
        CSettingFiles::DeleteSettingFile("noerro");
    } else if (!m_bStarted) {
        AskMarkerQuestions();
    }
}

void CStartupAfterLogin::Finish(const wxDateTime& today) {
    if (m_bStarted) return;
    m_bStarted = true;
    CWaitCursor wait;
    if (IsOpenLinesRebuildDay(today.GetDay()) && m_frame.m_dsMain.RebuildTable("zyxm"))
        m_frame.RebuildTableFile("zyxm");
    Reminders() = CountReminders(today);
}

void CStartupAfterLogin::PointDataFolders(const wxString& setName) {
    SetAccountSet(CAccountSets::IsDefaultSet(setName) ? wxString() : setName);
    // The working folder may be gone with the system directory: the connection needs it.
    platform::CreateFolders(DataPathFile(wxString()));
}

bool CStartupAfterLogin::IsFirstRunPending() {
    return CSettingFiles::FileExists("Data/ljsh.dbf") ||
           CSettingFiles::FileExists("Picture/FirstRun");
}

void CStartupAfterLogin::SetUpFirstRun() {
    CSettingFiles::DeleteSettingFile("FirstRun");
    // The default set's plain tables become encrypted ones, whatever set this login
    // chose; its index files go into its working folder.
    const wxString keptSetFolder = g_strSetFolder, keptDataPath = g_strDataPath;
    SetAccountSet(wxString());
    const std::string working = DataPathFile(wxString());
    platform::CreateFolders(working);
    m_frame.EncryptAllTables();
    const std::string source = ProgramPath("Data");
    for (const std::string& name : platform::ListFiles(source, "*.cdx")) {
        std::string target = platform::JoinPath(working, name);
        if (platform::FileExists(target)) platform::SetReadOnly(target, false);
        if (platform::CopyFileAtomic(platform::JoinPath(source, name), target))
            platform::DeleteFile(platform::JoinPath(source, name));
    }
    g_strSetFolder = keptSetFolder;
    g_strDataPath = keptDataPath;
}

void CStartupAfterLogin::Reconnect() {
    m_frame.m_dsMain.Close();
    m_frame.CloseConnection();
    m_frame.m_dsMain.m_strConnection = CDataSet::DefaultConnectionText();
    m_frame.OpenConnection();
}

bool CStartupAfterLogin::ApplyUpgrade(const wxDateTime& today) {
    const std::string marker = ProgramPath(W(kUpgradeMarker));
    if (!platform::FileExists(marker)) return false;
    platform::DeleteFile(marker);
    for (const char* table : kUpgradeTables)
        if (m_frame.m_dsMain.RebuildTable(table)) m_frame.RebuildTableFile(table);
    MigrateOrderDates(today);
    return true;
}

void CStartupAfterLogin::AskMarkerQuestions() {
    bool asked = false;
    if (CSettingFiles::FileExists("Picture/ReInDexAll")) {
        CSettingFiles::DeleteSettingFile("ReInDexAll");
        asked = true;
        if (Ask(kRebuildAllQuestion)) RebuildAllTables();
    }
    if (CSettingFiles::FileExists("Picture/noerro")) {
        CSettingFiles::DeleteSettingFile("noerro");
    } else if (!asked && Ask(kUncleanExitQuestion)) {
        RebuildAllTables();
    }
}

wxString CStartupAfterLogin::OrderNumberDate(const wxString& orderNumber) {
    wxString digits = wxString(orderNumber).Trim(true).Trim(false);
    if (digits.length() < 8) return wxString();
    const wxString year = digits.Mid(0, 4), month = digits.Mid(4, 2), day = digits.Mid(6, 2);
    if (year == "0000" || month == "00" || day == "00") return wxString();
    return CValueCheck::CheckValue(year + "-" + month + "-" + day, ado::adDBDate, 8);
}

void CStartupAfterLogin::MigrateOrderDates(const wxDateTime& today) {
    const wxString todayText = today.Format("%Y-%m-%d");
    CDataSet data;
    data.Open("select * from jhda");
    if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0) {
        const ado::RecordsetPtr& rs = data.m_pRecordset;
        try {
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
                if (!HasNoDate(rs)) continue;
                wxString date;
                if (!IsNull(rs, "定货单")) date = OrderNumberDate(Text(rs, "定货单"));
                if (date.empty()) date = todayText;
                rs->Fields().Item("日期").PutValue(ado::Variant(date.utf8_string()));
                rs->Fields().Item("入库单").PutValue(rs->Fields().Item("定货单").Value());
                rs->Update();
            }
            data.Save(rs);
        } catch (const ado::ComError& error) {
            CDataSet::ShowComError(error);
        }
    }
    data.Close();

    data.Open("select * from dhd");
    if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0) {
        const ado::RecordsetPtr& rs = data.m_pRecordset;
        try {
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
                if (!IsNull(rs, "日期") || IsNull(rs, "定货单")) continue;
                const wxString date = OrderNumberDate(Text(rs, "定货单"));
                if (date.empty()) continue;
                rs->Fields().Item("日期").PutValue(ado::Variant(date.utf8_string()));
                rs->Update();
            }
            data.Save(rs);
        } catch (const ado::ComError& error) {
            CDataSet::ShowComError(error);
        }
    }
    data.Close();
}

wxString CStartupAfterLogin::BuildMonthFilter(const wxDateTime& today) {
    const int month = today.GetMonth() + 1; // wx counts months from 0
    const int next = month % 12 + 1;
    return wxString::Format("ReplaceStr like '%%%d' or ReplaceStr1 like '%%%d'", month % 10,
                            next % 10);
}

std::vector<ReminderItem> CStartupAfterLogin::CountReminders(const wxDateTime& today) {
    CSystemOptions options;
    options.LoadSettings();
    std::vector<ReminderItem> items;
    CDataSet data;
    const wxString noPart(' ', 30); // the empty part number as the tables hold it
    if (options.GetIntOption(W("提示1")))
        items.push_back(
            {W("零件缺货"), CountOf(data, CDataSet::ReplaceParams(W(kShortageA), noPart, noPart)) +
                                CountOf(data, CDataSet::ReplaceParam(W(kShortageB), noPart)) +
                                CountOf(data, W(kShortageC))});
    if (options.GetIntOption(W("提示2")))
        items.push_back(
            {W("零件溢出"), CountOf(data, CDataSet::ReplaceParam(W(kSurplusD), noPart)) +
                                CountOf(data, CDataSet::ReplaceParam(W(kSurplusE), noPart))});
    if (options.GetIntOption(W("提示5")))
        items.push_back(
            {W("保养车辆"),
             CountOf(data, CDataSet::ReplaceParam(W(kMaintenanceF), today.Format("%Y-%m-%d")))});
    if (options.GetIntOption(W("提示3"))) {
        // The plate without its padding, so that "ends with" looks at its last digit.
        const wxString plate = W("RTRIM(车牌号码)");
        items.push_back({W("年审车辆"), CountOf(data, W(kInspectionG) + CDataSet::ReplaceParams(
                                                                            BuildMonthFilter(today),
                                                                            plate, plate))});
    }
    if (options.GetIntOption(W("提示4"))) {
        // Birthdays within the next ten days, counted by month and day; a birthday
        // that does not read as a date counts as one.
        std::set<wxString> window;
        for (int i = 0; i < 10; ++i)
            window.insert((today + wxDateSpan::Days(i)).Format("%m%d"));
        long count = 0;
        data.Open(W(kBirthdayH));
        if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0) {
            const ado::RecordsetPtr& rs = data.m_pRecordset;
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
                wxDateTime birthday;
                if (IsNull(rs, "生日") || !birthday.ParseISODate(Text(rs, "生日")) ||
                    window.count(birthday.Format("%m%d")))
                    ++count;
            }
        }
        data.Close();
        items.push_back({W("生日客户"), count});
    }
    data.Close();
    m_frame.m_dsMain.Close();
    m_frame.CloseConnection();
    m_frame.OpenConnection();
    return items;
}
