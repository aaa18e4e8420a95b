#pragma once
// The end of a run, when the main window closes: the open lines of the work sheets
// are saved, the day's automatic backup is taken ("AutBak/<weekday>"), the plain
// working copies go, and the clean-exit marker "Picture/noerro" tells the next
// login that the run ended normally. The process then ends as any program does.
#include <functional>

class CMainFrameData;

class CShutdown {
public:
    // The sheets whose open lines are saved first, in this order.
    enum Sheet { RepairSheet, SalesSheet };
    static constexpr const char* kMarkerFile = "noerro";

    // An open work sheet registers how its lines are saved: its shared line
    // recordset unfiltered first, so the lines of every card go, then the active
    // page's save. An empty saver removes the sheet's one when the sheet closes.
    static void SetLinesSaver(Sheet sheet, std::function<void()> saver);

    // The steps in order. A lines save that escapes with an error leaves the marker
    // unwritten, so the next login offers to tidy the tables.
    static void Run(CMainFrameData& frame);
    // "noerro" and a line feed in a block of 1024 bytes; false after the message.
    static bool WriteCleanExitMarker();
};
