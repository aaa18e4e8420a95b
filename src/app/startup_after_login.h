#pragma once
// What a login does once the user and the account set are accepted: points the data
// folders at the set, sets up the tables of a first installation, reconnects at a
// repeated login, applies a pending upgrade, offers a rebuild after an unclean exit
// or a restore, and at the first login of a run rebuilds the open lines on the 14th
// and the 28th and counts the alerts for the reminder panel. The menu, toolbars and
// tree in between are the window's part (the login dialog).
#include <vector>
#include <wx/datetime.h>
#include <wx/string.h>

class CMainFrameData;

// One counted alert of the reminder panel: its label and count.
struct ReminderItem {
    wxString label;
    long count = 0;
};

class CStartupAfterLogin {
public:
    // started: whether a login of this run has already finished the start-up
    // (the frame's m_bStarted); the first login sets it.
    CStartupAfterLogin(CMainFrameData& frame, bool& started);

    // Before the menu: folders, first-run set-up, reconnect, upgrade or the marker
    // questions.
    void Prepare(const wxString& setName);
    // After the menu: at the first login of the run only, the rebuild of the open
    // lines on the 14th and 28th and the alert counts.
    void Finish(const wxDateTime& today);

    // The steps, in their order.
    static void PointDataFolders(const wxString& setName);
    // The default set's tables are still plain: "Data/ljsh.dbf" or "Picture/FirstRun".
    static bool IsFirstRunPending();
    // Encrypts the plain tables of the default set and moves their index files into
    // the working folder; the marker goes first.
    void SetUpFirstRun();
    void Reconnect();
    // The upgrade marker "升级" in the program folder: consumed, 15 tables rebuilt,
    // the order dates of jhda and dhd migrated. False when there was none.
    bool ApplyUpgrade(const wxDateTime& today);
    // "Picture/ReInDexAll" and a missing "Picture/noerro" each ask for a rebuild of
    // every table; both markers are consumed whatever the answer.
    void AskMarkerQuestions();

    static bool IsOpenLinesRebuildDay(int dayOfMonth) {
        return dayOfMonth == 14 || dayOfMonth == 28;
    }
    // The date an order number "YYYYMMDD..." names ("YYYY-MM-DD"), or empty when its
    // first eight characters hold no usable date (fewer than 8, or year 0000, month
    // or day 00).
    static wxString OrderNumberDate(const wxString& orderNumber);
    // jhda: records without a date get the date of their order number (else today)
    // and their 入库单 set to the order number. dhd: records without a date whose
    // order number names one get it. Each table saved as one batch.
    void MigrateOrderDates(const wxDateTime& today);

    // The annual-inspection filter of a month: plates ending in the month's last digit
    // or the next month's ("ReplaceStr like '%2' or ReplaceStr1 like '%1'" in
    // December), both placeholders to be replaced by the plate field.
    static wxString BuildMonthFilter(const wxDateTime& today);
    // The alerts enabled by the options 提示1, 提示2, 提示5, 提示3 and 提示4, counted, in
    // the panel's order.
    std::vector<ReminderItem> CountReminders(const wxDateTime& today);
    // The counts of this run's first login, kept for the reminder panel.
    static std::vector<ReminderItem>& Reminders();

private:
    CMainFrameData& m_frame;
    bool& m_bStarted;
};
