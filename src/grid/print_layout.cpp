#include "grid/print_layout.h"
#include "grid/print_texts.h"

#include "grid/capital_numerals.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <wx/tokenzr.h>

namespace {

const wxString& TextOf(const CPrintLayout::Texts& texts, int index) {
    static const wxString empty;
    return index >= 0 && index < static_cast<int>(texts.size()) ? texts[index] : empty;
}

// Texts are placed 6 units right of their cell's left line and 3 above its bottom.
constexpr int kTextIndent = 6;
constexpr int kTextLift = 3;

// The lines of a text split at its line feeds (one empty line for an empty text).
wxArrayString LinesOf(const wxString& text) {
    return wxStringTokenize(text, "\n", wxTOKEN_RET_EMPTY_ALL);
}

// Text in a cell from `line` to `right`: as it is when it fits, else in a smaller
// font, else cut after its last character that fits; never over the next cell line.
void CellText(PrintCanvas& canvas, const wxString& text, int line, int right, int bottom) {
    const int room = right - line - kTextIndent - 1;
    if (text.empty() || room <= 0) return;
    const int x = line + kTextIndent, y = bottom - kTextLift;
    if (canvas.TextWidth(text) <= room) {
        canvas.TextBottom(text, x, y);
        return;
    }
    for (int percent : {85, 70}) {
        canvas.ScaleFont(percent);
        if (canvas.TextWidth(text) <= room) {
            canvas.TextBottom(text, x, y);
            canvas.ScaleFont(100);
            return;
        }
    }
    // Still too wide at the smallest size: the longest start that fits.
    size_t fits = 0, tooLong = text.length();
    while (tooLong - fits > 1) {
        const size_t mid = (fits + tooLong) / 2;
        (canvas.TextWidth(text.Left(mid)) <= room ? fits : tooLong) = mid;
    }
    canvas.TextBottom(text.Left(fits), x, y);
    canvas.ScaleFont(100);
}

int At(int x0, double cw, int n) {
    return x0 + static_cast<int>(std::lround(n * cw));
}

int ToInt(const wxString& text) {
    long value = 0;
    wxString digits;
    for (wxUniChar c : text) {
        if ((c < '0' || c > '9') && !(digits.empty() && (c == '-' || c == '+'))) break;
        digits += c;
    }
    return digits.ToLong(&value) ? static_cast<int>(value) : 0;
}

} // namespace

int CPrintLayout::PrintFormHead(PrintCanvas& canvas, const PrintArea& area, int h, double cw,
                                int lineHeight, const Texts& texts) {
    m_nLineHeight = lineHeight;
    const int L = area.left, R = area.right, x0 = area.X0(), B = area.y;
    m_nCapacity = lineHeight > 0 ? 2 * (R - area.col0Width - L) / lineHeight : 0;
    const wxString kind = TextOf(texts, print_texts::kDocumentKind);
    const bool ticket = kind == U("零件售货单");
    const bool workOrder = kind == U("派工单");
    auto across = [&](int y) { canvas.Line(L, y, R - 1, y); };

    int y = B;
    const wxString& fault = TextOf(texts, print_texts::kFault);
    if (fault != print_texts::kNoPrint) {
        across(y - 2 * h);
        canvas.Line(x0, y - 2 * h, x0, y);
        wxString first = fault, rest;
        int feed = fault.Find('\n');
        if (feed != wxNOT_FOUND) {
            first = fault.Left(feed);
            rest = fault.Mid(feed + 1);
        } else if (m_nCapacity > 0 && static_cast<int>(fault.length()) > m_nCapacity) {
            first = fault.Left(m_nCapacity);
            rest = fault.Mid(m_nCapacity);
        }
        CellText(canvas, ticket || workOrder ? U("情况") : U("故障"), L, x0, y - h);
        CellText(canvas, first, x0, R - 1, y - h);
        CellText(canvas, U("说明"), L, x0, y);
        CellText(canvas, rest, x0, R - 1, y);
        y -= 2 * h;
    }
    // One head row: its first label in the column-0 area, then values and labels by
    // turns in the cells between the lines at x0 + n * cw; the last cell ends at the
    // page's right line, and lines past it are not drawn.
    auto row = [&](std::initializer_list<int> offsets, std::initializer_list<wxString> cells) {
        across(y - h);
        std::vector<int> lines = {L};
        for (int n : offsets) {
            const int x = At(x0, cw, n);
            if (x >= R - 1) break;
            lines.push_back(x);
            canvas.Line(x, y - h, x, y);
        }
        lines.push_back(R - 1);
        size_t cell = 0;
        for (const wxString& text : cells) {
            if (cell + 1 >= lines.size()) break;
            CellText(canvas, text, lines[cell], lines[cell + 1], y);
            ++cell;
        }
        y -= h;
    };
    if (TextOf(texts, print_texts::kUnitRowOff) != print_texts::kRowOffMark)
        row({0, 38, 50}, {U("单位"), TextOf(texts, print_texts::kWorkUnit), U("车架号码"),
                          TextOf(texts, print_texts::kChassisNo)});
    if (TextOf(texts, print_texts::kColourRowOff) != print_texts::kRowOffMark)
        row({0, 14, 21, 38, 50}, {U("颜色"), TextOf(texts, print_texts::kColour), U("里程"),
                                  TextOf(texts, print_texts::kMileage), U("发动机号"),
                                  TextOf(texts, print_texts::kEngineNo)});
    if (TextOf(texts, print_texts::kBroughtRowOff) != print_texts::kRowOffMark)
        row({0, 14, 21, 38, 50},
            {ticket ? U("客方") : U("送修"), TextOf(texts, print_texts::kBroughtBy), U("电话"),
             TextOf(texts, print_texts::kPhone), U("身份证号"),
             TextOf(texts, print_texts::kIdCard)});
    if (TextOf(texts, print_texts::kPlateRowOff) != print_texts::kRowOffMark) {
        const wxString dateLabel = ticket ? U("售货日期") : U("进厂日期");
        const wxString& out = TextOf(texts, print_texts::kDateOutOrChief);
        if (!ticket && m_nCapacity > 60) {
            row({0, 14, 21, 38, 50, 62, 74},
                {U("车牌"), TextOf(texts, print_texts::kPlate), U("车型"),
                 TextOf(texts, print_texts::kModel), dateLabel, TextOf(texts, print_texts::kDateIn),
                 workOrder ? U("主修") : U("出厂"), out});
        } else {
            row({0, 14, 21, 38, 50}, {U("车牌"), TextOf(texts, print_texts::kPlate), U("车型"),
                                      TextOf(texts, print_texts::kModel), dateLabel,
                                      TextOf(texts, print_texts::kDateIn)});
            if (!ticket) {
                // A narrow page has no room for the fourth cell: its own line above.
                CellText(canvas, (workOrder ? U("主修师傅:") : U("出厂日期:")) + out, L, R - 1, y);
                y -= h;
            }
        }
    }
    canvas.Line(L, y, L, B);
    canvas.Line(R - 1, y, R - 1, B);
    return y;
}

int CPrintLayout::PrintFormFoot(PrintCanvas& canvas, const PrintArea& area, int h, double cw,
                                const Texts& texts) {
    const int L = area.left, R = area.right, x0 = area.X0(), top = area.y;
    const bool workOrder = TextOf(texts, print_texts::kDocumentKind) == U("派工单");
    int y = top;
    auto band = [&](int height) {
        canvas.Line(L, y, R - 1, y);
        canvas.Line(x0, y, x0, y + height);
    };
    if (!workOrder) {
        band(h);
        const wxString& amount = TextOf(texts, print_texts::kSalesAmount);
        CellText(canvas, U("合计"), L, x0, y + h);
        CellText(canvas, amount + U("  大写:") + AmountInCapitals(amount), x0, R - 1, y + h);
        y += h;
    }
    // A band of text lines with a label of one or two lines in the column-0 area.
    auto textBand = [&](const wxString& text, const wxString& label1, const wxString& label2) {
        wxArrayString lines = LinesOf(text);
        int count = std::max<int>(lines.size(), label2.empty() ? 1 : 2);
        band(count * h);
        CellText(canvas, label1, L, x0, y + h);
        if (!label2.empty()) CellText(canvas, label2, L, x0, y + 2 * h);
        for (size_t i = 0; i < lines.size(); ++i)
            CellText(canvas, lines[i], x0, R - 1, y + int(i + 1) * h);
        y += count * h;
    };
    if (TextOf(texts, print_texts::kTerms) != print_texts::kNoPrint)
        textBand(TextOf(texts, print_texts::kTerms), U("约定"), U("事项"));
    if (TextOf(texts, print_texts::kRemark) != print_texts::kNoPrint)
        textBand(TextOf(texts, print_texts::kRemark), U("备注"), wxString());

    canvas.Line(L, y, R - 1, y);
    SignatureBand(
        canvas, L, R, x0, cw, y, h, {0, 10, 17, 27, 34, 44, 62},
        workOrder
            ? std::vector<std::pair<int, wxString>>{{0, U("客方验收签字")}, {34, U("主修师傅签字")}}
            : std::vector<std::pair<int, wxString>>{
                  {-1, U("领料")}, {10, U("发货")}, {27, U("检验")}, {44, U("财务")}});
    y += h;
    canvas.Line(L, y, R - 1, y);
    canvas.Line(L, top, L, y);
    canvas.Line(R - 1, top, R - 1, y);
    return y;
}

void CPrintLayout::SignatureBand(PrintCanvas& canvas, int L, int R, int x0, double cw, int top,
                                 int h, const std::vector<int>& offsets,
                                 const std::vector<std::pair<int, wxString>>& labels) {
    // Cell lines past the page's right line are left out; a label's cell ends at the
    // next line drawn (offset -1: the column-0 area).
    std::vector<int> lines;
    for (int n : offsets) {
        const int x = At(x0, cw, n);
        if (x >= R - 1) break;
        lines.push_back(x);
        canvas.Line(x, top, x, top + h);
    }
    lines.push_back(R - 1);
    for (const auto& [n, label] : labels) {
        const int left = n < 0 ? L : At(x0, cw, n);
        if (left >= R - 1) continue;
        const int right = *std::upper_bound(lines.begin(), lines.end() - 1, left);
        CellText(canvas, label, left, right, top + h);
    }
}

void CPrintLayout::PrintPartsNeedTable(PrintCanvas& canvas, const PrintArea& area, int h,
                                       int rows) {
    if (rows < 1) return;
    const int L = area.left, R = area.right, x0 = area.X0(), top = area.y;
    // Cells of the heading line, in units of u from x0; on a narrow page the unit
    // shrinks so that every heading keeps a cell (the last one needs two units).
    const int u = std::max(1, std::min(16 * (area.col0Width / 16 + 1), (R - 1 - x0) / 12));
    const int bottom = top + rows * h;
    for (int r = 0; r <= rows; ++r)
        canvas.Line(L, top + r * h, R - 1, top + r * h);
    canvas.Line(L, top, L, bottom);
    canvas.Line(R - 1, top, R - 1, bottom);
    const std::pair<int, const char*> cells[] = {
        {0, "零件名称"}, {4, "零件编号"}, {8, "单位"}, {9, "数量"}, {10, "维修人员"}};
    const size_t count = std::size(cells);
    for (size_t i = 0; i < count; ++i) {
        const int x = x0 + cells[i].first * u;
        const int right = i + 1 < count ? x0 + cells[i + 1].first * u : R - 1;
        canvas.Line(x, top, x, bottom);
        CellText(canvas, U(cells[i].second), x, right, top + h);
    }
    CellText(canvas, U("零件"), L, x0, top + h);
    if (rows > 1) CellText(canvas, U("需求"), L, x0, top + 2 * h);
    if (rows > 2) CellText(canvas, U("其它"), L, x0, bottom);
}

int CPrintLayout::PrintListFoot(PrintCanvas& canvas, const PrintArea& area, int h, double cw,
                                const Texts& texts) {
    const int L = area.left, R = area.right, x0 = area.X0(), B = area.y;
    int y = B;
    if (TextOf(texts, print_texts::kPageTotals) != print_texts::kNoPrint) {
        CellText(canvas, U("合计"), L, x0, y + h);
        CellText(canvas, " " + TextOf(texts, print_texts::kPageTotals), x0, R - 1, y + h);
        y += h;
        canvas.Line(L, y, R - 1, y);
    }
    if (TextOf(texts, print_texts::kOptionsRemark) != print_texts::kNoPrint) {
        wxArrayString lines = LinesOf(TextOf(texts, print_texts::kOptionsRemark));
        CellText(canvas, U("附注"), L, x0, y + h);
        for (size_t i = 0; i < lines.size(); ++i)
            CellText(canvas, lines[i], x0, R - 1, y + int(i + 1) * h);
        y += int(lines.size()) * h;
        canvas.Line(L, y, R - 1, y);
    }
    if (TextOf(texts, print_texts::kSalesAmount) != print_texts::kNoPrint) {
        SignatureBand(canvas, L, R, x0, cw, y, h, {10, 17, 27, 34, 44, 51, 61, 68},
                      {{-1, U("开票")},
                       {10, U("财务")},
                       {27, U("仓管")},
                       {44, U("发货")},
                       {61, U("客方验收")}});
        y += h;
    }
    canvas.Line(L, y, R - 1, y);
    for (int x : {L, x0, R - 1})
        canvas.Line(x, y, x, B - 5);
    return y;
}

void CPrintLayout::PrintMonthlyRepairReport(PrintCanvas& canvas, const Texts& texts,
                                            const CGridCtrl& grid) {
    canvas.SelectFont("Arial", 11, false);
    canvas.TextAt(TextOf(texts, 70), 30, 85);
    canvas.TextAt(TextOf(texts, 71), 30, 101);
    canvas.TextAt(TextOf(texts, 72), 30, 117);
    canvas.TextAt(TextOf(texts, 73), 380, 115);
    const int upperX[] = {80, 170, 220, 270, 300, 345, 405, 440};
    for (int c = 0; c < 8; ++c)
        for (int line = 0; line < 4; ++line)
            canvas.TextAt(TextOf(texts, 2 + 4 * c + line), upperX[c], 168 + 16 * line);
    const int lowerX[] = {20, 90, 120, 180, 248, 285, 340, 410, 445};
    for (int c = 0; c < 9; ++c)
        for (int line = 0; line < 4; ++line)
            canvas.TextAt(TextOf(texts, 34 + 4 * c + line), lowerX[c], 265 + 16 * line);
    const int rowX[] = {20, 100, 275, 445};
    for (int row = 1; row <= 10 && row < grid.GetRowCount(); ++row)
        for (int col = 1; col <= 4; ++col)
            canvas.TextAt(grid.GetItemText(row, col), rowX[col - 1], 374 + 16 * (row - 1));
    canvas.TextAt(TextOf(texts, 1), 20, 575);
    canvas.RestoreFont();
}

wxString CPrintLayout::TextFromBuffer(const wxString& buffer) {
    wxString text = buffer.BeforeFirst('\n').BeforeFirst(wxUniChar(0));
    return text.Left(200);
}

bool CPrintLayout::ParseColumnWidths(const wxString& widthsText, const wxString& headings,
                                     std::vector<int>& widths) {
    const wxString text = TextFromBuffer(widthsText);
    if (text.Find('=') == wxNOT_FOUND) return false;
    wxArrayString names = wxStringTokenize(headings, ",", wxTOKEN_RET_EMPTY_ALL);
    if (headings.empty()) names.clear();
    const size_t n = names.size();
    if (widths.size() < n + 2) widths.resize(n + 2, 0);

    // The two leading numbers; a missing or unreasonable one is 24.
    wxArrayString leading = wxStringTokenize(text, " ,", wxTOKEN_STRTOK);
    auto height = [&](size_t i) {
        int value =
            i < leading.size() && leading[i].Find('=') == wxNOT_FOUND ? ToInt(leading[i]) : 0;
        return value < 5 || value > 500 ? 24 : value;
    };
    const int headingHeight = height(0), dataHeight = height(1);

    wxArrayString items = wxStringTokenize(text, ",", wxTOKEN_RET_EMPTY_ALL);
    for (size_t k = 0; k < n; ++k) {
        for (const wxString& item : items) {
            int eq = item.Find('=');
            if (eq == wxNOT_FOUND || item.Left(eq) != names[k]) continue;
            wxString value = item.Mid(eq + 1).BeforeFirst(' ');
            int width = value.empty() ? 50 : ToInt(value);
            widths[k] = width < 5 || width > 1000 ? 48 : width;
            break;
        }
    }
    widths[n] = headingHeight;
    widths[n + 1] = dataHeight;
    return true;
}

void CPrintLayout::ApplyColumnWidths(const wxString& widthsText, CGridCtrl& grid) {
    const int cols = grid.GetColumnCount();
    if (cols < 1 || grid.GetRowCount() < 1) return;
    std::vector<int> widths(cols + 2);
    wxString headings;
    for (int c = 0; c < cols; ++c) {
        widths[c] = grid.GetColumnWidth(c) - 1;
        headings += (c ? "," : "") + grid.GetItemText(0, c);
    }
    widths[cols] = grid.GetRowHeight(0) - 1;
    widths[cols + 1] = grid.GetRowHeight(grid.GetRowCount() - 1) - 1;
    if (!ParseColumnWidths(widthsText, headings, widths)) return;
    for (int c = 0; c < cols; ++c)
        grid.SetColumnWidth(c, widths[c]);
    grid.SetRowHeight(0, widths[cols]);
    grid.SetRowHeight(grid.GetRowCount() - 1, widths[cols + 1]);
}

int CPrintLayout::PaperCodeFromSetting(const wxString& paperText) {
    if (paperText == U("自定义尺寸")) return 0;
    wxString number = paperText.BeforeFirst('(').Trim(true).Trim(false);
    long code = 0;
    return number.ToLong(&code) ? static_cast<int>(code) : 9;
}
