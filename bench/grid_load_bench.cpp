// What showing a recordset in a grid adds to opening it: 20,000 stock records opened
// with CDataSet::Open, against the same statement opened into a grid and loaded
// (numbers, titles, money texts, widths). Both in one run, the best of three each;
// prints seconds and the ratio.
// Needs a display: xvfb-run -a grid_load_bench
#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/paths.h"
#include "platform/program_lock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>

namespace fs = std::filesystem;

namespace {

constexpr int kRows = 20000;
const char* const kStatement = "select * from ljkc";

// The best of three runs; `prepare` runs before each, untimed.
double Seconds(const std::function<void()>& prepare, const std::function<void()>& run) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

void FillStock() {
    CDataSet rows;
    rows.Open("select * from ljkc where no=0");
    auto rs = rows.m_pRecordset;
    ado::Fields& fields = rs->Fields();
    for (int i = 1; i <= kRows; ++i) {
        rs->AddNew();
        fields.Item("零件名称").PutValue(ado::Variant("机油滤清器 " + std::to_string(i % 500)));
        fields.Item("编号").PutValue(ado::Variant("P-" + std::to_string(100000 + i)));
        fields.Item("车型").PutValue(ado::Variant("桑塔纳"));
        fields.Item("数量").PutValue(ado::Variant(i % 40));
        fields.Item("零售价").PutValue(ado::Variant(12.5 + i % 100));
        fields.Item("进价").PutValue(ado::Variant(8.25 + i % 50));
        fields.Item("货位").PutValue(ado::Variant("B-" + std::to_string(i % 90)));
        fields.Item("no").PutValue(ado::Variant(i));
    }
    if (rows.Save(rs) != 1) std::exit(1);
}

} // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    wxTheApp->CallOnInit();

    char name[] = "/tmp/qv-grid-load-bench-XXXXXX";
    const std::string root = ::mkdtemp(name);
    const std::string home = root + "/home";
    fs::create_directories(home + "/Picture");
    fs::create_directories(home + "/Data");
    ::setenv("QV_SYSDIR", (root + "/sys").c_str(), 1);
    platform::SetProgramFolder(home);
    platform::LockProgramFolder(home, platform::FolderUse::kWrite); // no program beside the bench
    SetAccountSet(wxString());
    fs::create_directories(g_strDataPath.utf8_string());
    {
        auto maker = std::make_shared<ado::Connection>();
        maker->Open(CDataSet::DefaultConnectionText().utf8_string());
        for (const char* table : {"ljkc", "fieldlong"})
            maker->Execute(CTableCatalog().GetCreateSql(table).utf8_string(), nullptr,
                           ado::adCmdText | ado::adExecuteNoRecords);
    }
    CMainFrameData frameData;
    FillStock();

    auto* frame = new wxFrame(nullptr, wxID_ANY, "grid load bench");
    frame->SetClientSize(1000, 700);
    CDataSet data;
    data.Open(kStatement); // the table file read once, for both runs alike
    data.Close();
    const double open = Seconds([&] { data.Close(); }, [&] { data.Open(kStatement); });
    const long records = data.IsOpen() ? data.m_pRecordset->RecordCount() : 0;
    data.Close();

    CGridCtrl* grid = nullptr;
    const double loaded = Seconds(
        [&] {
            if (grid) grid->Destroy();
            grid = new CGridCtrl(1, 1, 1, 1);
            grid->Create(frame, wxID_ANY, wxRect(0, 0, 1000, 700));
            grid->SetTableName("ljkc");
        },
        [&] {
            data_grid::OpenIntoGrid(data, kStatement, grid);
            data_grid::LoadGrid(data, grid->m_rsBound, grid, wxString(), wxString(), 0, 0);
        });
    std::printf("records %ld, grid rows %d\n", records, grid->GetRowCount() - 1);
    std::printf("open without grid   %.3f s\n", open);
    std::printf("open into grid+load %.3f s\n", loaded);
    std::printf("ratio               %.2f\n", open > 0 ? loaded / open : 0.0);

    frame->Destroy();
    wxTheApp->ProcessPendingEvents();
    wxEntryCleanup();
    fs::remove_all(root);
    return 0;
}
