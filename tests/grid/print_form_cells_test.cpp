// Repair documents printed to PDF and read back with poppler: every text of the head
// and foot blocks stays between the lines of its cell, however long the values, and
// the card's list and the footer put their lines where they belong.
#include "gui_test_app.h"

#include "grid/print_job.h"
#include "grid/print_seam.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <cstdio>
#include <filesystem>
#include <regex>
#include <wx/cmndata.h>

namespace {

std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

struct Box {
    double x1, y1, x2, y2;
    std::string text;
};

// The words of the first page with their boxes, in points from the top left.
std::vector<Box> Words(const std::string& pdf) {
    std::vector<Box> words;
    const std::string html = Run("pdftotext -f 1 -l 1 -bbox '" + pdf + "' -");
    const std::regex word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    for (std::sregex_iterator it(html.begin(), html.end(), word), end; it != end; ++it)
        words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]),
                         std::stod((*it)[4]), (*it)[5]});
    return words;
}

// The vertical line segments of the first page, in points from the top left: the
// page drawn as SVG, whose paths hold plain moves and lines.
std::vector<Box> VerticalLines(const std::string& pdf) {
    std::vector<Box> lines;
    const std::string svg = pdf + ".svg";
    Run("pdftocairo -svg -f 1 -l 1 '" + pdf + "' '" + svg + "'");
    std::string text;
    if (FILE* file = std::fopen(svg.c_str(), "rb")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text.append(buffer, n);
        std::fclose(file);
    }
    std::filesystem::remove(svg);
    // Stroked paths only: the glyphs are filled outlines.
    const std::regex path(R"re(<path style="fill:none;[^>]*/>)re");
    const std::regex data(R"re(d="([^"]*)")re");
    const std::regex transform(R"re(transform="matrix\(([^)]*)\)")re");
    const std::regex segment(R"(M ([-\d.]+) ([-\d.]+) L ([-\d.]+) ([-\d.]+))");
    for (std::sregex_iterator it(text.begin(), text.end(), path), end; it != end; ++it) {
        const std::string tag = it->str();
        std::smatch d, m;
        if (!std::regex_search(tag, d, data)) continue;
        double a = 1, b = 0, c = 0, dd = 1, e = 0, f = 0;
        if (std::regex_search(tag, m, transform))
            std::sscanf(m[1].str().c_str(), "%lf,%lf,%lf,%lf,%lf,%lf", &a, &b, &c, &dd, &e, &f);
        const std::string steps = d[1];
        for (std::sregex_iterator s(steps.begin(), steps.end(), segment), send; s != send; ++s) {
            const double x1 = std::stod((*s)[1]), y1 = std::stod((*s)[2]);
            const double x2 = std::stod((*s)[3]), y2 = std::stod((*s)[4]);
            Box line{a * x1 + c * y1 + e, b * x1 + dd * y1 + f, a * x2 + c * y2 + e,
                     b * x2 + dd * y2 + f, ""};
            if (std::abs(line.x1 - line.x2) < 0.01 && std::abs(line.y1 - line.y2) > 0.01)
                lines.push_back(line);
        }
    }
    return lines;
}

class FormCellsTest : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        output = TestHome() + "/form_cells.pdf";
        printData.SetPrintMode(wxPRINT_MODE_FILE);
        printData.SetFilename(output);
        SetGridPrinterSettings(&printData);
    }
    void TearDown() override {
        SetGridPrinterSettings(nullptr);
        std::filesystem::remove(output);
        GridWindowTest::TearDown();
    }
    // A repair card's grid of a few lines, its head texts far longer than their cells.
    CGridCtrl* FormGrid(const char* kind) {
        CGridCtrl* grid = MakeGrid(4, 4);
        const char* headings[] = {"序号", "项目名称", "数量", "小计"};
        for (int c = 0; c < 4; ++c)
            grid->SetItemText(0, c, U(headings[c]));
        grid->SetFieldTypes({202, 3, 131});
        grid->m_strReportName = U("维修清单");
        auto& texts = grid->PrintTexts;
        texts[17] = U(kind);
        texts[1] = U("粤A12345挂车");
        texts[2] = U("东风天龙重型牵引车豪华版");
        texts[3] = "2026-12-10";
        texts[4] = U("张三丰李四光王五");
        texts[5] = "020-88886666-8001";
        texts[6] = "ENG2026123456789ABCDEFG";
        texts[7] = "LGBH52E03KY123456789";
        texts[8] = "123456";
        texts[9] = U("广州市天河区某某汽车运输服务有限公司第三车队");
        texts[11] = U("珍珠白金属漆");
        texts[12] = "440106198001011234";
        texts[13] = U("王师傅");
        texts[10] = U("发动机异响\n检查正时皮带");
        texts[14] = U("质保三个月");
        texts[15] = U("请保留旧件");
        return grid;
    }

    std::string output;
    wxPrintData printData;
};

TEST_F(FormCellsTest, NoTextOfACellCrossesItsLines) {
    for (const char* kind : {"", "零件售货单", "派工单"}) {
        CGridCtrl* grid = FormGrid(kind);
        ASSERT_EQ(grid->Print(), 1) << kind;
        const std::vector<Box> lines = VerticalLines(output);
        const std::vector<Box> words = Words(output);
        ASSERT_GT(lines.size(), 10u) << kind;
        ASSERT_GT(words.size(), 10u) << kind;
        bool sawUnit = false;
        for (const Box& word : words) {
            sawUnit |= word.text.find("单位") != std::string::npos;
            const double middle = (word.y1 + word.y2) / 2;
            for (const Box& line : lines) {
                if (middle <= std::min(line.y1, line.y2) || middle >= std::max(line.y1, line.y2))
                    continue;
                EXPECT_FALSE(word.x1 < line.x1 - 0.5 && line.x1 + 0.5 < word.x2)
                    << kind << ": \"" << word.text << "\" [" << word.x1 << ", " << word.x2
                    << "] crosses the line at " << line.x1;
            }
        }
        EXPECT_TRUE(sawUnit) << kind;
        grid->Destroy();
    }
}

TEST_F(FormCellsTest, TheCardsListNamesItsVehicleAboveTheHeadingsAndTheShopAllItsPhones) {
    SetOpenWorkCardSource([](OpenWorkCard& card) {
        card.customer = U("粤A12345");
        card.record[U("客户")] = U("粤A12345");
        card.record[U("小计")] = "12345";
        return true;
    });
    ASSERT_TRUE(platform::WriteFileAtomic(
        TestHome() + "/Picture/Memfile",
        platform::Utf8ToGbk(
            "兴旺汽修厂,,020-1111,020-2222,北京路8号,,510000,020-3333,020-4444\r\n")));
    CGridCtrl* grid = FormGrid("维修清单");
    for (int c = 1; c < 4; ++c)
        grid->SetColumnWidth(c, 200); // a page wide enough for every telephone
    ASSERT_EQ(grid->Print(), 1);
    SetOpenWorkCardSource(nullptr);
    std::filesystem::remove(TestHome() + "/Picture/Memfile");

    const std::vector<Box> words = Words(output);
    auto find = [&words](const std::string& text) -> const Box* {
        for (const Box& word : words)
            if (word.text.find(text) != std::string::npos) return &word;
        return nullptr;
    };
    const Box* plate = find("车牌号码");
    const Box* heading = find("项目名称");
    ASSERT_TRUE(plate && heading);
    EXPECT_LT(plate->y2, heading->y1 + 1) << "the plate line stands above the headings";
    EXPECT_TRUE(find("12345")) << "the odometer";
    for (const char* phone : {"020-1111", "020-3333", "020-4444"})
        EXPECT_TRUE(find(phone)) << phone;
    grid->Destroy();
}

} // namespace
