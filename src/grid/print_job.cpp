#include "grid/print_job.h"

#include "data/maintenance_hints.h"
#include "data/setting_files.h"
#include "grid/capital_numerals.h"
#include "grid/grid_ctrl.h"
#include "grid/print_paper.h"
#include "grid/print_seam.h"
#include "grid/print_texts.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <cmath>
#include <wx/datetime.h>
#include <wx/dcmemory.h>
#include <wx/paper.h>
#include <wx/settings.h>
#include <wx/tokenzr.h>

namespace {

// The 52 letters whose average width is the printed character width.
const char kMeasureText[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXY";

// Character height of the footer's bold font.
constexpr int kFooterFontHeight = 11;

// Paper of code 264: a user sheet of 1480 by 1050 tenths of a millimetre.
constexpr int kUserSheetCode = 264;

int LineCount(const wxString& text) {
    return static_cast<int>(wxStringTokenize(text, "\n", wxTOKEN_RET_EMPTY_ALL).size());
}

// The text before a font-size suffix: "@#" as the settings dialog writes it, "&%"
// as older settings files may hold it.
std::pair<wxString, int> TextAndSize(const wxString& stored, int fallback) {
    wxString mark = stored.Find("@#") != wxNOT_FOUND ? "@#" : "&%";
    auto [text, rest] = ReportSettingsRecord::SplitAt(stored, mark);
    long size = 0;
    rest = rest.BeforeFirst('&').Trim(true).Trim(false);
    if (rest.ToLong(&size) && size > 0 && size < 100) return {text, static_cast<int>(size)};
    return {text, fallback};
}

// The footer mode after "&%" (empty without one) and the footer text before its suffixes.
wxString FooterMode(const wxString& footer) {
    return ReportSettingsRecord::SplitAt(footer, "&%").second;
}

wxString FooterText(const wxString& footer) {
    return ReportSettingsRecord::SplitAt(ReportSettingsRecord::SplitAt(footer, "&%").first, "@#")
        .first;
}

} // namespace

CGridPrinter::CGridPrinter(CGridCtrl& grid) : m_grid(grid) {}

wxString CGridPrinter::ReportName() const {
    return m_grid.m_strReportName.empty() ? m_grid.m_strTitle : m_grid.m_strReportName;
}

bool CGridPrinter::IsColumnPrinted(int col) const {
    return !CGridCtrl::TextInList(m_grid.GetItemText(0, col), m_strHiddenColumns);
}

int CGridPrinter::PrintedWidth() const {
    int width = 0;
    for (int c = 0; c < m_grid.GetColumnCount(); ++c)
        if (IsColumnPrinted(c)) width += m_pPrintColWidths[c];
    return width;
}

int CGridPrinter::DataRowCount() const {
    return std::max(0, m_grid.GetRowCount() - m_grid.GetFixedRowCount());
}

double CGridPrinter::PageTotal(int page) const {
    return page >= 0 && page < static_cast<int>(m_pPageTotals.size())
               ? money::ToYuan(m_pPageTotals[page])
               : 0;
}

double CGridPrinter::WarrantyTotal(int page) const {
    return page >= 0 && page < static_cast<int>(m_pWarrantyTotals.size())
               ? money::ToYuan(m_pWarrantyTotals[page])
               : 0;
}

wxFont CGridPrinter::PrintFont(int height, bool bold) const {
    wxFontInfo info(wxSize(0, height));
    info.FaceName("Arial").Bold(bold);
    return wxFont(info);
}

// The font of the open card's document and contact lines: the 副标题字体 size of the
// report settings ("@#" or "&%" and a height), else 11; normal weight.
wxFont CGridPrinter::CardFont() const {
    const wxString stored = m_settings.Get(ReportSettingsRecord::Text::SubtitleFont);
    return PrintFont(TextAndSize(stored, kFooterFontHeight).second, false);
}

PrintArea CGridPrinter::Area(int y) const {
    PrintArea area;
    area.left = m_nLeftMargin * m_CharSize.x;
    area.right = area.left + PrintedWidth();
    area.col0Width = IsColumnPrinted(0) && !m_pPrintColWidths.empty() ? m_pPrintColWidths[0] : 0;
    area.y = y;
    return area;
}

// Printed widths: the screen's, or the report's own in print mode 1; then the heading
// row and body row heights.
void CGridPrinter::SetUpColumns() {
    const int cols = m_grid.GetColumnCount();
    const int rows = m_grid.GetRowCount();
    m_pPrintColWidths.assign(cols + 2, 0);
    wxString headings;
    for (int c = 0; c < cols; ++c) {
        m_pPrintColWidths[c] = m_grid.GetColumnWidth(c);
        headings += (c ? "," : "") + m_grid.GetItemText(0, c);
    }
    m_pPrintColWidths[cols] = rows > 0 ? m_grid.GetRowHeight(0) : 20;
    m_pPrintColWidths[cols + 1] = rows > 0 ? m_grid.GetRowHeight(rows - 1) : 20;
    if (m_grid.m_nPrintMode != 0) {
        std::vector<int> widths = m_pPrintColWidths;
        if (CPrintLayout::ParseColumnWidths(m_settings.Get(ReportSettingsRecord::Text::Layout),
                                            headings, widths))
            m_pPrintColWidths = widths;
    }
    for (int& w : m_pPrintColWidths)
        w = std::max(w, 1);
}

// The printer font and its average character, and the cell font's height.
void CGridPrinter::MeasureFonts() {
    m_PrinterFont = PrintFont(9, false);
    {
        wxBitmap bitmap(1, 1);
        wxMemoryDC measure(bitmap);
        measure.SetFont(m_PrinterFont);
        wxSize extent = measure.GetTextExtent(kMeasureText);
        m_CharSize = wxSize(std::max(1, extent.x / 52), std::max(1, extent.y));
    }
    m_nCellFontHeight = m_grid.GetRowCount() > 0 && m_grid.GetColumnCount() > 0
                            ? std::abs(m_grid.GetItemFont(0, 0).lfHeight)
                            : 12;
    if (m_nCellFontHeight < 1) m_nCellFontHeight = 12;
}

void CGridPrinter::BeginPrinting(const wxPrintData& printerSettings) {
    const wxString report = ReportName();
    m_settings = LoadReportSettings(report);
    CurrentReportSettings = m_settings;
    m_texts = m_grid.PrintTexts;
    if (m_texts.size() < 30) m_texts.resize(30);
    const wxString kind = m_texts[print_texts::kDocumentKind];
    m_kind = report == U("维修月报表")                          ? Kind::MonthlyReport
             : report != U("维修清单") || kind == U("维修清单") ? Kind::General
             : kind == U("派工单")                              ? Kind::WorkOrder
                                                                : Kind::RepairForm;

    using I = ReportSettingsRecord::Int;
    m_strHiddenColumns =
        CPrintLayout::TextFromBuffer(m_settings.Get(ReportSettingsRecord::Text::HiddenColumns));
    m_nHeaderLines = m_settings.Get(I::HeaderGap);
    m_nFooterLines = m_settings.Get(I::FooterHeight);
    m_nLeftMargin = m_settings.Get(I::LeftMargin);
    m_nRightMargin = m_settings.Get(I::RightMargin);
    m_nHeaderGap = m_settings.Get(I::TopMargin);
    m_nFooterGap = m_settings.Get(I::BottomMargin);
    m_nTitleLines = m_settings.Get(I::TitleHeight);
    // Distances below zero would fold the bands into each other.
    for (int* lines : {&m_nHeaderLines, &m_nFooterLines, &m_nLeftMargin, &m_nRightMargin,
                       &m_nHeaderGap, &m_nFooterGap, &m_nTitleLines})
        *lines = std::clamp(*lines, 0, 500);

    SetUpColumns();
    const int cols = m_grid.GetColumnCount();
    const int headingHeight = m_pPrintColWidths[cols];
    MeasureFonts();

    if (m_kind == Kind::RepairForm || m_kind == Kind::WorkOrder) {
        int count = m_texts[print_texts::kFault] != print_texts::kNoPrint ? 2 : 0;
        for (size_t t = print_texts::kPlateRowOff; t <= print_texts::kUnitRowOff; ++t)
            if (m_texts[t] != print_texts::kRowOffMark) ++count;
        m_nHeaderLines += (count * headingHeight + m_CharSize.y - 1) / m_CharSize.y;
    }

    SetUpPaper(printerSettings);
    const int printedWidth = PrintedWidth();
    const int logicalWidth = printedWidth + (m_nLeftMargin + m_nRightMargin) * m_CharSize.x;
    m_LogicalPageSize =
        wxSize(logicalWidth, static_cast<int>(static_cast<long long>(logicalWidth) *
                                              m_nPaperLength / std::max(1, m_nPaperWidth)));

    // The footer band holds the page line, the company lines and the footer text, in
    // the footer's own font.
    {
        wxBitmap bitmap(1, 1);
        wxMemoryDC measure(bitmap);
        m_footerLines = FooterLines(measure);
        measure.SetFont(PrintFont(kFooterFontHeight, true));
        m_nFooterLineHeight = measure.GetTextExtent("Ag").y + 2;
        measure.SetFont(CardFont());
        m_nCardLineHeight = measure.GetTextExtent("Ag").y + 2;
    }
    ReadWorkCard();
    const int footerHeight =
        static_cast<int>(m_footerLines.size()) * m_nFooterLineHeight +
        static_cast<int>(m_cardLines.size() + 1) * std::max(m_nFooterLineHeight, m_nCardLineHeight);
    m_nFooterLines = std::max(m_nFooterLines, (footerHeight + m_CharSize.y - 1) / m_CharSize.y + 1);
    m_nPageHeight =
        m_LogicalPageSize.y -
        (m_nTitleLines + m_nHeaderLines + m_nHeaderGap + m_nFooterLines + m_nFooterGap) *
            m_CharSize.y -
        headingHeight;

    FindTotalsColumns();
    ReserveFootLines();
    const int bodyHeight = m_pPrintColWidths[cols + 1];
    m_nRowsPerPage = std::max(1, m_nPageHeight / bodyHeight);
    if (m_kind == Kind::WorkOrder || m_kind == Kind::MonthlyReport)
        m_nPageCount = 1;
    else
        m_nPageCount = std::max(1, (DataRowCount() + m_nRowsPerPage - 1) / m_nRowsPerPage);
    SumPageTotals();
    m_nRowPages = m_nPageCount;
    LoadMaintenanceHints();
    const int overflow = static_cast<int>(m_hintLines.size()) - HintLinesOnLastRowPage();
    if (overflow > 0) {
        m_nPageCount += (overflow + HintLinesPerPage() - 1) / HintLinesPerPage();
        m_pPageTotals.resize(m_nPageCount + 1, 0);
        m_pWarrantyTotals.resize(m_nPageCount + 1, 0);
    }
    ShortenSinglePage();
}

void CGridPrinter::SetUpPaper(const wxPrintData& printerSettings) {
    m_printData = printerSettings;
    const int code = m_settings.Get(ReportSettingsRecord::Int::PaperCode);
    const wxPaperSize kind = PaperFromCode(code);
    const wxPrintPaperType* paper = kind != wxPAPER_NONE && wxThePrintPaperDatabase
                                        ? wxThePrintPaperDatabase->FindPaperType(kind)
                                        : nullptr;
    if (paper) {
        m_printData.SetPaperId(paper->GetId());
        m_nPaperWidth = paper->GetWidth();
        m_nPaperLength = paper->GetHeight();
    } else {
        // A user sheet; a paper code the database does not know is printed on A4.
        m_nPaperLength = 2972;
        m_nPaperWidth = 2108;
        if (code == kUserSheetCode) {
            m_nPaperLength = 1480;
            m_nPaperWidth = 1050;
        } else if (code == 0) {
            auto [length, width] = ReportSettingsRecord::SplitAt(
                m_settings.Get(ReportSettingsRecord::Text::CustomPaperSize), ",");
            long value = 0;
            if (length.Trim().ToLong(&value) && value > 0) m_nPaperLength = value;
            if (width.Trim().ToLong(&value) && value > 0) m_nPaperWidth = value;
        }
        m_printData.SetPaperId(wxPAPER_NONE);
        m_printData.SetPaperSize(wxSize(m_nPaperWidth / 10, m_nPaperLength / 10));
    }
    if (FooterMode(m_settings.Get(ReportSettingsRecord::Text::Footer)) == "2")
        m_printData.SetOrientation(wxPORTRAIT);
    if (m_printData.GetOrientation() == wxLANDSCAPE) std::swap(m_nPaperWidth, m_nPaperLength);
    m_nJobPaperLength = m_nPaperLength;
}

std::vector<wxString> CGridPrinter::WrappedRemark() const {
    std::vector<wxString> lines;
    const wxString& remark = m_texts[print_texts::kOptionsRemark];
    if (remark == print_texts::kNoPrint || remark.empty()) return lines;
    const int text = PrintedWidth() - (IsColumnPrinted(0) ? m_pPrintColWidths[0] : 0);
    const size_t perLine = std::max(2, 2 * (text / m_nCellFontHeight));
    for (const wxString& line : wxStringTokenize(remark, "\n", wxTOKEN_RET_EMPTY_ALL)) {
        std::string rest = line.utf8_string();
        do {
            std::string piece = platform::CutToGbkBytes(rest, perLine);
            if (piece.empty() && !rest.empty()) piece = rest.substr(0, 1);
            lines.push_back(wxString::FromUTF8(piece));
            rest.erase(0, piece.size());
        } while (!rest.empty());
    }
    return lines;
}

void CGridPrinter::ReserveFootLines() {
    m_nFootLines = 0;
    if (m_kind == Kind::RepairForm || m_kind == Kind::WorkOrder) {
        int lines = 6;
        for (int t : {print_texts::kTerms, print_texts::kRemark}) {
            if (m_texts[t] == print_texts::kNoPrint)
                lines -= 2;
            else
                lines += std::max(0, LineCount(m_texts[t]) - 2);
        }
        m_nFootLines = lines;
    } else if (m_kind == Kind::General) {
        m_nFootLines = static_cast<int>(WrappedRemark().size());
        if (m_nAmountCol > 0 && m_nQtyCol > 0)
            ++m_nFootLines;
        else
            m_texts[print_texts::kPageTotals] = print_texts::kNoPrint;
        if (ReportName() == U("零件售货单"))
            ++m_nFootLines;
        else
            m_texts[print_texts::kSalesAmount] = print_texts::kNoPrint;
    }
    m_nPageHeight -= m_nFootLines * m_pPrintColWidths[m_grid.GetColumnCount()];
}

void CGridPrinter::FindTotalsColumns() {
    m_nAmountCol = m_nQtyCol = 0;
    const std::vector<int>& types = m_grid.GetFieldTypes();
    if (types.empty()) return;
    const int cols = m_grid.GetColumnCount();
    for (int c = 1; c < cols && static_cast<size_t>(c) <= types.size(); ++c) {
        if (!IsColumnPrinted(c)) continue;
        if (!m_nAmountCol && types[c - 1] == 131) m_nAmountCol = c;
        if (!m_nQtyCol && types[c - 1] == 3) m_nQtyCol = c;
    }
    if (ReportName() == U("零件售货单") &&
        !CGridCtrl::TextInList(U("成交价"), m_strHiddenColumns)) {
        m_nAmountCol = cols;
        for (int c = 1; c < cols; ++c)
            if (m_grid.GetItemText(0, c) == U("成交价")) {
                m_nAmountCol = c;
                break;
            }
    }
    for (int c = 1; c < cols; ++c) {
        const wxString heading = m_grid.GetItemText(0, c);
        if (IsColumnPrinted(c) && (heading == U("小计") || heading == U("金额"))) {
            m_nAmountCol = m_nQtyCol = c;
            break;
        }
    }
}

void CGridPrinter::SumPageTotals() {
    m_pPageTotals.assign(m_nPageCount + 1, 0);
    m_pWarrantyTotals.assign(m_nPageCount + 1, 0);
    if (!m_nAmountCol || !m_nQtyCol) return;
    const wxString report = ReportName();
    const bool keepsWarranty =
        report == U("零件售货单") || report == U("维修清单") || report == U("成本数量单");
    const bool cashJournal = report == U("收支流水帐");
    const int first = m_grid.GetFixedRowCount();
    const int rows = DataRowCount();
    money::Fen sum = 0, warranty = 0;
    for (int i = 0; i < rows; ++i) {
        const int row = first + i;
        money::Fen amount = 0;
        const wxString amountText = m_grid.GetItemText(row, m_nAmountCol).Strip(wxString::both);
        if (!money::Parse(amountText.utf8_string(), &amount)) amount = 0;
        long qty = 0;
        // An empty quantity counts as 0.
        if (m_nQtyCol != m_nAmountCol) m_grid.GetItemText(row, m_nQtyCol).Trim().ToLong(&qty);
        const money::Fen value =
            m_nQtyCol == m_nAmountCol ? amount : money::LineAmount(qty, amount, 100);
        if (keepsWarranty && m_grid.GetItemImage(row, 0) == 2)
            warranty += value;
        else
            sum += value;
        const int page = i / m_nRowsPerPage + 1;
        const bool lastOfPage = (i + 1) % m_nRowsPerPage == 0 && i + 1 < rows;
        if (lastOfPage && page <= m_nPageCount) {
            m_pPageTotals[0] += sum;
            m_pWarrantyTotals[0] += warranty;
            m_pPageTotals[page] = sum;
            m_pWarrantyTotals[page] = warranty;
            sum = warranty = 0;
        }
    }
    m_pPageTotals[0] += sum;
    m_pWarrantyTotals[0] += warranty;
    if (sum > 0 || cashJournal) m_pPageTotals[m_nPageCount] = sum;
    if (warranty > 0 || cashJournal) m_pWarrantyTotals[m_nPageCount] = warranty;
}

// The blank parts table of the work order fills its body band, less the footer.
int CGridPrinter::PartsTableRows() const {
    const int bodyHeight = m_pPrintColWidths[m_grid.GetColumnCount() + 1];
    return std::max(1, (m_nPageHeight - m_nFooterLines * m_CharSize.y) / bodyHeight);
}

int CGridPrinter::HintLinesPerPage() const {
    return m_kind == Kind::WorkOrder ? PartsTableRows() : m_nRowsPerPage;
}

int CGridPrinter::HintLinesOnLastRowPage() const {
    // The parts table keeps its three labelled lines.
    if (m_kind == Kind::WorkOrder) return std::max(0, PartsTableRows() - 3);
    const int onLast = DataRowCount() - (m_nRowPages - 1) * m_nRowsPerPage;
    return std::max(0, m_nRowsPerPage - onLast);
}

std::pair<size_t, size_t> CGridPrinter::HintLinesOfPage(int page) const {
    if (page < m_nRowPages || m_hintLines.empty()) return {0, 0};
    const size_t onLast = HintLinesOnLastRowPage();
    const size_t first =
        page == m_nRowPages ? 0 : onLast + (page - m_nRowPages - 1) * HintLinesPerPage();
    const size_t count = page == m_nRowPages ? onLast : HintLinesPerPage();
    if (first >= m_hintLines.size()) return {0, 0};
    return {first, std::min(count, m_hintLines.size() - first)};
}

int CGridPrinter::PrintHintLines(wxDC& dc, int page, int top) {
    const auto [first, count] = HintLinesOfPage(page);
    const int bodyHeight = m_pPrintColWidths[m_grid.GetColumnCount() + 1];
    dc.SetFont(m_grid.GetItemFont(0, 0).ToFont());
    for (size_t i = first; i < first + count; ++i) {
        dc.DrawLabel(m_hintLines[i],
                     wxRect(m_nLeftMargin * m_CharSize.x, top, PrintedWidth(), bodyHeight),
                     wxALIGN_CENTRE_HORIZONTAL | wxALIGN_CENTRE_VERTICAL);
        top += bodyHeight;
    }
    dc.SetFont(m_PrinterFont);
    return top;
}

// The maintenance hints of the open work card's vehicle, printed under the rows of
// every document of the card but the sales ticket; the work order puts two on a line.
void CGridPrinter::LoadMaintenanceHints() {
    m_hintLines.clear();
    if (ReportName() != U("维修清单") || m_texts[print_texts::kHints] != "print" ||
        m_texts[print_texts::kDocumentKind] == U("零件售货单") || m_kind == Kind::MonthlyReport)
        return;
    OpenWorkCard card;
    if (!GetOpenWorkCard(card) || card.customer.empty() || card.customer == U("零散客户")) return;
    long reading = 0;
    if (!m_texts[print_texts::kMileage].Trim().ToLong(&reading)) reading = 0;
    const std::vector<MaintenanceHint> hints =
        CMaintenanceHints::Load(card.customer, m_texts[print_texts::kMaintenanceClass], reading);
    const bool twoALine = m_kind == Kind::WorkOrder;
    for (size_t i = 0; i < hints.size(); ++i) {
        const wxString text =
            hints[i].item + "  " + U("保养里程") + ": " +
            (hints[i].dueReading > 0 ? wxString::Format("%ld", hints[i].dueReading) : wxString());
        if (twoALine && i % 2 == 1)
            m_hintLines.back() += "    " + text;
        else
            m_hintLines.push_back(text);
    }
}

// Continuous paper: a job of one page is printed on a sheet cut short by the part
// of the body band that its rows and hints leave empty. The work order's band is
// its parts table, which is never empty, and the monthly report is a fixed form.
void CGridPrinter::ShortenSinglePage() {
    const wxString mode = FooterMode(m_settings.Get(ReportSettingsRecord::Text::Footer));
    if (mode == "1" || mode == "3" || m_nPageCount != 1 || m_kind == Kind::WorkOrder ||
        m_kind == Kind::MonthlyReport)
        return;
    const int bodyHeight = m_pPrintColWidths[m_grid.GetColumnCount() + 1];
    int perPage = std::max(1, m_nPageHeight / bodyHeight);
    if (perPage * bodyHeight >= m_nPageHeight && perPage > 1) --perPage;
    const int rows = std::min(DataRowCount() + static_cast<int>(m_hintLines.size()), perPage);
    const int used = rows * m_nPageHeight / perPage;
    const int empty = std::max(0, m_nPageHeight - used);
    if (empty == 0 || m_LogicalPageSize.y <= 0) return;
    m_nJobPaperLength = static_cast<int>(static_cast<long long>(m_nPaperLength) *
                                         (m_LogicalPageSize.y - empty) / m_LogicalPageSize.y);
    m_LogicalPageSize.y -= empty;
    m_nPageHeight -= empty;
    m_printData.SetPaperId(wxPAPER_NONE);
    const bool landscape = m_printData.GetOrientation() == wxLANDSCAPE;
    m_printData.SetPaperSize(landscape ? wxSize(m_nJobPaperLength / 10, m_nPaperWidth / 10)
                                       : wxSize(m_nPaperWidth / 10, m_nJobPaperLength / 10));
}

void CGridPrinter::PrintHeader(wxDC& dc, PrintCanvas& canvas) {
    const wxString report = ReportName();
    auto [title, size] = TextAndSize(m_settings.Get(ReportSettingsRecord::Text::Title), 20);
    title = CPrintLayout::TextFromBuffer(title);
    if (title.empty()) title = report;
    if (report == U("维修清单") && !m_texts[print_texts::kTitle].empty())
        title = m_texts[print_texts::kTitle];
    const int left = m_nLeftMargin * m_CharSize.x;
    const int width = PrintedWidth();
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLACK);
    dc.SetFont(PrintFont(size, true));
    dc.DrawLabel(title, wxRect(left, 0, width, m_nTitleLines * m_CharSize.y),
                 wxALIGN_CENTRE_HORIZONTAL | wxALIGN_TOP);

    auto [subtitle, subSize] = TextAndSize(m_settings.Get(ReportSettingsRecord::Text::Header), 11);
    subtitle = CPrintLayout::TextFromBuffer(subtitle);
    if (subtitle.length() > 1) {
        // Below the title, however tall its font.
        const int top = std::max(m_nTitleLines * m_CharSize.y, dc.GetTextExtent(title).y);
        dc.SetFont(PrintFont(subSize, true));
        dc.DrawLabel(subtitle, wxRect(left, top, width, m_nHeaderLines * m_CharSize.y),
                     wxALIGN_CENTRE_HORIZONTAL | wxALIGN_TOP);
        const int rule = top + dc.GetTextExtent(subtitle).y + 2;
        dc.SetPen(*wxBLACK_PEN);
        canvas.Line(left, rule, left + width, rule);
    }
    dc.SetFont(m_PrinterFont);
}

void CGridPrinter::PrintRow(wxDC& dc, int row, int top, int height, bool firstOnPage) {
    const int lines = m_grid.GetGridLines();
    const bool horizontal = lines == 1 || lines == 3;
    const bool vertical = lines == 2 || lines == 3;
    const bool fixed = row < m_grid.GetFixedRowCount();
    int x = m_nLeftMargin * m_CharSize.x;
    const int bottom = top + height - 1;
    bool first = true;
    for (int c = 0; c < m_grid.GetColumnCount(); ++c) {
        if (!IsColumnPrinted(c)) continue;
        const int width = m_pPrintColWidths[c];
        wxRect rect(x, top, width, height);
        if (fixed || c < m_grid.GetFixedColumnCount())
            m_grid.DrawFixedCell(dc, row, c, rect, true);
        else
            m_grid.DrawCell(dc, row, c, rect, true);
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW), 1));
        const int right = x + width - 1;
        if (horizontal) {
            dc.DrawLine(first ? x : x - 1, bottom, right + 1, bottom);
            if (row == 0) dc.DrawLine(first ? x : x - 1, top, right + 1, top);
        }
        if (vertical) {
            dc.DrawLine(right, firstOnPage ? top : top - 1, right, bottom + 1);
            if (first) dc.DrawLine(x, firstOnPage ? top : top - 1, x, bottom + 1);
        }
        x += width;
        first = false;
    }
    if (vertical && !IsColumnPrinted(0)) {
        const int left = m_nLeftMargin * m_CharSize.x;
        dc.DrawLine(left, top, left, bottom + 1);
    }
}

void CGridPrinter::PrintColumnHeadings(wxDC& dc, int top) {
    const int height = m_pPrintColWidths[m_grid.GetColumnCount()];
    for (int r = 0; r < m_grid.GetFixedRowCount(); ++r)
        PrintRow(dc, r, top + r * height, height, r == 0);
}

// The lines that name the open work card: on its own list the plate and the
// odometer, on other reports the document number (in the page line) and the contact.
void CGridPrinter::ReadWorkCard() {
    m_cardLines.clear();
    m_strPlateLine.clear();
    m_strDocumentNo.clear();
    OpenWorkCard card;
    if (!GetOpenWorkCard(card)) return;
    auto field = [&card](const char* name) {
        auto found = card.record.find(U(name));
        return found == card.record.end() ? wxString() : found->second;
    };
    const wxString report = ReportName();
    if (report == U("维修清单") && m_texts[print_texts::kDocumentKind] == U("维修清单")) {
        if (card.customer == U("零散客户")) return;
        double odometer = 0;
        field("小计").ToCDouble(&odometer);
        const long whole = static_cast<long>(odometer);
        m_strPlateLine = U("车牌号码") + ": " + field("客户") + "    " + U("码表") + ":" +
                         (whole ? wxString::Format("%ld", whole) : wxString());
        return;
    }
    if (report == U("零件售货单")) return;
    m_strDocumentNo = field("货位").empty() ? card.documentNo : field("货位");
    auto orBlank = [](const wxString& value, int blanks) {
        return value.empty() ? wxString(' ', blanks) : value;
    };
    // A repair card's header keeps the reception date, the colour and the model where a
    // ticket keeps the phone, the fax and the address: the contact printed is the
    // vehicle's own (no fax is kept for it) and the owner the card names.
    m_cardLines.push_back(
        U("客户") + ": " + orBlank(field("客户"), 11) + "  " + U("联系人") + ": " +
        orBlank(field("作业人员"), 11) + "  Tel: " + orBlank(card.phone, 11) +
        "  Fax: " + orBlank(wxString(), 11) + "  " + U("地址") + ": " + orBlank(card.address, 15));
}

std::vector<wxString> CGridPrinter::FooterLines(wxDC& measure) const {
    std::vector<wxString> lines;
    std::vector<wxString> company(9);
    CSettingFiles::ReadCsvLine("Picture/Memfile", company);
    // The further telephones join the first on a page wide enough for them.
    wxString phones = company[2];
    if (m_LogicalPageSize.x > 500)
        for (int item : {7, 8})
            if (!company[item].empty()) phones += (phones.empty() ? "" : " ") + company[item];
    company[2] = phones;
    std::vector<wxString> parts;
    if (!company[0].empty()) parts.push_back(company[0]);
    const std::pair<const char*, int> labelled[] = {
        {"地址", 4}, {"邮编", 6}, {"电话", 2}, {"传真", 3}};
    for (const auto& [label, item] : labelled)
        if (!company[item].empty()) parts.push_back(U(label) + ":" + company[item]);
    wxString joined;
    for (const wxString& part : parts)
        joined += (joined.empty() ? "" : "  ") + part;
    if (!joined.empty()) {
        measure.SetFont(PrintFont(kFooterFontHeight, true));
        if (measure.GetTextExtent(joined).x <= PrintedWidth())
            lines.push_back(joined);
        else
            lines.insert(lines.end(), parts.begin(), parts.end());
    }
    const wxString text = FooterText(m_settings.Get(ReportSettingsRecord::Text::Footer));
    if (!text.empty())
        for (const wxString& line : wxStringTokenize(text, "\n", wxTOKEN_RET_EMPTY_ALL))
            lines.push_back(line);
    return lines;
}

int CGridPrinter::PrintFooter(wxDC& dc, PrintCanvas& canvas, int page, int rowsBottom) {
    dc.SetFont(PrintFont(kFooterFontHeight, true));
    dc.SetTextForeground(*wxBLACK);
    const wxString mode = FooterMode(m_settings.Get(ReportSettingsRecord::Text::Footer));
    const int headingHeight = m_pPrintColWidths[m_grid.GetColumnCount()];
    const int bodyBottom = (m_nTitleLines + m_nHeaderLines + m_nHeaderGap) * m_CharSize.y +
                           headingHeight + m_nPageHeight + m_nFootLines * headingHeight;
    int y = mode.empty() || mode == "3" ? rowsBottom : bodyBottom + m_nFooterGap * m_CharSize.y;
    const int left = m_nLeftMargin * m_CharSize.x;

    wxString pageText = wxString::Format("%d/%d", page, m_nPageCount);
    const wxString time = wxDateTime::Now().Format("%Y-%m-%d  %H:%M:%S");
    pageText =
        ReportName() == U("零件售货单") ? " " + time + "   " + pageText : pageText + "   " + time;
    if (!m_strDocumentNo.empty()) {
        // The document and contact lines of the open card, in the 副标题字体 size.
        dc.SetFont(CardFont());
        canvas.TextAt(U(" 单据号: ") + m_strDocumentNo + U("   页码: ") + pageText, left, y);
        y += m_nCardLineHeight;
        for (const wxString& line : m_cardLines) {
            canvas.TextAt(line, left, y);
            y += m_nCardLineHeight;
        }
        dc.SetFont(PrintFont(kFooterFontHeight, true));
    } else {
        canvas.TextAt(pageText, left, y);
        y += m_nFooterLineHeight;
    }
    for (const wxString& line : m_footerLines) {
        canvas.TextAt(line, left, y);
        y += m_nFooterLineHeight;
    }
    dc.SetFont(m_PrinterFont);
    return y;
}

wxString CGridPrinter::PageTotalsLine(int page) const {
    const wxString sum = MoneyText(PageTotal(page));
    wxString line = U("本页合计：") + sum + " " + U(" 大写: ") + AmountInCapitals(sum) + "   ";
    if (money::FromYuan(WarrantyTotal(page)) > 1)
        line += MoneyText(WarrantyTotal(page)) + U("三包");
    if (page >= 2 && PageTotal(0) > 0) {
        money::Fen running = 0;
        for (int p = 1; p <= page; ++p)
            running += m_pPageTotals[p];
        line += U("累计：") + FenText(running);
    }
    return line;
}

void CGridPrinter::PrintPage(wxDC& dc, int page) {
    if (page < 1 || page > m_nPageCount || m_pPrintColWidths.empty()) return;
    DcPrintCanvas canvas(dc);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW), 1));
    dc.SetFont(m_PrinterFont);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    if (m_kind == Kind::MonthlyReport) {
        m_layout.PrintMonthlyRepairReport(canvas, m_texts, m_grid);
        return;
    }
    PrintHeader(dc, canvas);

    const int cols = m_grid.GetColumnCount();
    const int headingHeight = m_pPrintColWidths[cols];
    const int bodyHeight = m_pPrintColWidths[cols + 1];
    const int headingsTop = (m_nTitleLines + m_nHeaderLines + m_nHeaderGap) * m_CharSize.y;
    const int rowsTop = headingsTop + headingHeight;
    const int firstRow = m_grid.GetFixedRowCount() + (page - 1) * m_nRowsPerPage;
    const int onPage = std::clamp(m_grid.GetRowCount() - firstRow, 0, m_nRowsPerPage);
    const wxFont cellFont = m_grid.GetItemFont(0, 0).ToFont();
    const int x0Height = m_nCellFontHeight;
    dc.SetPen(*wxBLACK_PEN);

    // The cells of the head and foot blocks are measured in the font they are drawn in.
    dc.SetFont(cellFont);
    const double cellCharWidth = dc.GetTextExtent(kMeasureText).x / 52.0;
    if (m_kind == Kind::RepairForm || m_kind == Kind::WorkOrder) {
        m_texts[print_texts::kSalesAmount] =
            PageTotal(page) > 0 ? MoneyText(PageTotal(page)) : wxString("0");
        m_layout.PrintFormHead(canvas, Area(headingsTop), headingHeight, cellCharWidth, x0Height,
                               m_texts);
        int footTop = 0;
        if (m_kind == Kind::WorkOrder) {
            // The hints take the lines of the parts table they need, under it.
            const int rows = PartsTableRows();
            const int hints = static_cast<int>(HintLinesOfPage(page).second);
            m_layout.PrintPartsNeedTable(canvas, Area(headingsTop), bodyHeight, rows - hints);
            PrintHintLines(dc, page, headingsTop + (rows - hints) * bodyHeight);
            footTop = headingsTop + rows * bodyHeight;
        } else {
            dc.SetFont(m_PrinterFont);
            PrintColumnHeadings(dc, headingsTop);
            for (int i = 0; i < onPage; ++i)
                PrintRow(dc, firstRow + i, rowsTop + i * bodyHeight, bodyHeight, i == 0);
            footTop = PrintHintLines(dc, page, rowsTop + onPage * bodyHeight);
        }
        dc.SetFont(cellFont);
        dc.SetPen(*wxBLACK_PEN);
        const int footBottom =
            m_layout.PrintFormFoot(canvas, Area(footTop), headingHeight, cellCharWidth, m_texts);
        PrintFooter(dc, canvas, page, footBottom);
        return;
    }

    // The work card's own list names its vehicle right above the column headings.
    if (!m_strPlateLine.empty()) {
        dc.SetFont(PrintFont(kFooterFontHeight, true));
        canvas.TextAt(m_strPlateLine, m_nLeftMargin * m_CharSize.x,
                      headingsTop - dc.GetTextExtent(m_strPlateLine).y - 1);
    }
    dc.SetFont(m_PrinterFont);
    PrintColumnHeadings(dc, headingsTop);
    for (int i = 0; i < onPage; ++i)
        PrintRow(dc, firstRow + i, rowsTop + i * bodyHeight, bodyHeight, i == 0);
    // Hints follow the last row, then fill pages of their own.
    int rowsBottom = PrintHintLines(dc, page, rowsTop + onPage * bodyHeight);

    // The page's totals line, the remark and the signatures under the rows.
    std::vector<wxString> texts = m_texts;
    if (texts[print_texts::kPageTotals] != print_texts::kNoPrint)
        texts[print_texts::kPageTotals] = PageTotalsLine(page);
    const std::vector<wxString> remark = WrappedRemark();
    texts[print_texts::kOptionsRemark] = print_texts::kNoPrint;
    if (!remark.empty()) {
        wxString joined;
        for (const wxString& line : remark)
            joined += (joined.empty() ? "" : "\n") + line;
        texts[print_texts::kOptionsRemark] = joined;
    }
    if (m_nFootLines > 0) {
        dc.SetFont(cellFont);
        dc.SetPen(*wxBLACK_PEN);
        rowsBottom =
            m_layout.PrintListFoot(canvas, Area(rowsBottom), headingHeight, cellCharWidth, texts);
    }
    PrintFooter(dc, canvas, page, rowsBottom);
}
