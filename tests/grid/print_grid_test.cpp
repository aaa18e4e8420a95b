// Grids printed page by page with their report settings, into a PostScript file.
#include "gui_test_app.h"

#include "grid/print_job.h"
#include "grid/print_seam.h"
#include "grid/report_settings.h"
#include "platform/files.h"
#include "platform/message_box.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <wx/cmndata.h>

namespace {

wxString U(const char* s) {
    return wxString::FromUTF8(s);
}
using Rs = ReportSettingsRecord;

class GridPrintTest : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        output = TestHome() + "/print_out.pdf";
        std::filesystem::remove(output);
        printData.SetPrintMode(wxPRINT_MODE_FILE);
        printData.SetFilename(output);
        SetGridPrinterSettings(&printData);
    }
    void TearDown() override {
        SetGridPrinterSettings(nullptr);
        std::filesystem::remove_all(TestHome() + "/Report");
        GridWindowTest::TearDown();
    }
    // A report grid of `rows` data rows: 序号, 名称, 数量 (integer), 单价 (money).
    CGridCtrl* ReportGrid(int rows, const char* report = "进货报表") {
        CGridCtrl* grid = MakeGrid(rows + 1, 4);
        grid->SetItemText(0, 0, U("序号"));
        grid->SetItemText(0, 1, U("名称"));
        grid->SetItemText(0, 2, U("数量"));
        grid->SetItemText(0, 3, U("单价"));
        for (int r = 1; r <= rows; ++r) {
            grid->SetItemText(r, 1, U("机油滤清器"));
            grid->SetItemText(r, 2, "2");
            grid->SetItemText(r, 3, "10.50");
        }
        grid->SetFieldTypes({202, 3, 131});
        grid->m_strReportName = U(report);
        return grid;
    }
    void Save(Rs record, const char* report) {
        record.Set(Rs::Text::Name, U(report));
        ASSERT_EQ(SaveReportSettings(record), 1);
    }
    // The pages of the last job written to the output file.
    int PagesInOutput() const {
        std::string pdf;
        platform::ReadFileBytes(output, pdf);
        int pages = 0;
        for (size_t at = pdf.find("/Type /Page"); at != std::string::npos;
             at = pdf.find("/Type /Page", at + 1))
            if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
        return pages;
    }

    std::string output;
    wxPrintData printData;
};

TEST_F(GridPrintTest, OneCopyPerCountAndTheCopiesFieldStays) {
    CGridCtrl* grid = ReportGrid(3);
    const std::pair<int, int> cases[] = {{0, 1}, {2, 3}, {-1, 0}};
    for (const auto& [copies, jobs] : cases) {
        grid->m_nCopies = copies;
        EXPECT_EQ(grid->Print(), jobs) << copies;
        EXPECT_EQ(grid->m_nCopies, copies);
    }
    EXPECT_EQ(PagesInOutput(), 1);
}

} // namespace
