#include "app/startup_after_login.h"

#include "app/account_sets.h"
#include "app/alert_queries.h"
#include "data/data_folders.h"
#include "data/initials_table.h"
#include "data/main_frame_data.h"
#include "data/record_fields.h"
#include "data/system_options.h"
#include "data/table_rebuild.h"
#include "data/wait_cursor.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/wx_text.h"

namespace {

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

bool IsNull(const ado::RecordsetPtr& recordset, const char* field) {
    return recordset->Fields().Item(field).Value().IsNull();
}

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
    CInitialsTable::Complete(m_frame.m_dsMain);
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
    const std::string marker = ProgramPath(U(kUpgradeMarker));
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
                if (FieldDate(*rs, "日期").IsValid()) continue;
                wxString date = OrderNumberDate(FieldText(*rs, "定货单"));
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
                const wxString date = OrderNumberDate(FieldText(*rs, "定货单"));
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
    return CAlertQueries::BuildMonthFilter(today);
}

std::vector<ReminderItem> CStartupAfterLogin::CountReminders(const wxDateTime& today) {
    CSystemOptions options;
    options.LoadSettings();
    // The panel's order, each with the option that enables it.
    const struct {
        const char* option;
        const char* label;
        CAlertQueries::Kind kind;
    } alerts[] = {
        {"提示1", "零件缺货", CAlertQueries::Kind::Shortage},
        {"提示2", "零件溢出", CAlertQueries::Kind::Surplus},
        {"提示5", "保养车辆", CAlertQueries::Kind::Maintenance},
        {"提示3", "年审车辆", CAlertQueries::Kind::Inspection},
        {"提示4", "生日客户", CAlertQueries::Kind::Birthday},
    };
    std::vector<ReminderItem> items;
    for (const auto& alert : alerts) {
        if (!options.GetIntOption(U(alert.option))) continue;
        CDataSet list, aux;
        long count = 0;
        if (CAlertQueries::Open(alert.kind, today, list, aux))
            count = list.m_pRecordset->RecordCount();
        items.push_back({U(alert.label), count < 0 ? 0 : count});
    }
    m_frame.m_dsMain.Close();
    m_frame.CloseConnection();
    m_frame.OpenConnection();
    return items;
}
