// Capital numerals, the parsers of the report settings' texts, and the form blocks
// drawn on a canvas that records them.
#include "grid/capital_numerals.h"
#include "grid/print_layout.h"
#include "grid/print_texts.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(AmountInCapitals, WritesEveryDigitWithItsUnit) {
    const std::pair<const char*, const char*> cases[] = {
        {"1234.5", "壹仟贰佰叁拾肆元伍角零分"},
        {"7", "柒元零角零分"},
        {"0", "零元零角零分"},
        {"1005.00", "壹仟零佰零拾伍元零角零分"},
        {"12.", "壹拾贰元零角零分"},
        {".5", "零元伍角零分"},
        {"0.05", "零元零角伍分"},
        {"007.10", "柒元壹角零分"},
        {"123456789.01", "壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖元零角壹分"},
        // What stands past the fen is cut, not rounded.
        {"3.456", "叁元肆角伍分"},
        {"3.454", "叁元肆角伍分"},
        {"9.995", "玖元玖角玖分"},
        // Negative amounts keep their sign.
        {"-12.50", "负壹拾贰元伍角零分"},
        {"-0.00", "零元零角零分"},
        // Past the fifteenth digit the units go on instead of stopping.
        {"12345678901234.00", "壹拾贰万叁仟肆佰伍拾陆亿柒仟捌佰玖拾零万壹仟贰佰叁拾肆元零角零分"},
    };
    for (const auto& [amount, capitals] : cases)
        EXPECT_EQ(AmountInCapitals(amount), U(capitals)) << amount;
}

TEST(AmountInCapitals, TextThatIsNoAmountGivesNothing) {
    for (const char* amount : {"", "-", "abc", "1.2.3", "1e5", "12-3", "１２"})
        EXPECT_EQ(AmountInCapitals(U(amount)), "") << amount;
}

TEST(ParseColumnWidths, ReadsWidthsAndRowHeights) {
    std::vector<int> widths = {11, 12, 13, 14};
    ASSERT_TRUE(CPrintLayout::ParseColumnWidths(U("30,22,序号=40,名称=3,编号=,单价=70,"),
                                                U("名称,编号,单价,备注"), widths));
    // 3 is out of range, an empty width is 50, 备注 has no item and stays.
    EXPECT_EQ(widths, (std::vector<int>{48, 50, 70, 14, 30, 22}));
}

TEST(ParseColumnWidths, BadHeightsAndTextsWithoutItems) {
    std::vector<int> widths = {1, 2, 3, 4};
    EXPECT_FALSE(CPrintLayout::ParseColumnWidths("30,22,", "a,b", widths));
    EXPECT_EQ(widths, (std::vector<int>{1, 2, 3, 4}));

    const std::pair<const char*, std::pair<int, int>> cases[] = {
        {"4 501,a=9,", {24, 24}}, {"500 5,a=9,", {500, 5}}, {"a=9,", {24, 24}},
        {"18,a=9,", {18, 24}},    {"x,y,a=9,", {24, 24}},
    };
    for (const auto& [text, heights] : cases) {
        std::vector<int> w = {0, 0, 0, 0};
        ASSERT_TRUE(CPrintLayout::ParseColumnWidths(text, "a,b", w)) << text;
        EXPECT_EQ(w[0], 9) << text;
        EXPECT_EQ(std::make_pair(w[2], w[3]), heights) << text;
    }
}

TEST(ParseColumnWidths, StopsAtALineFeedAndMatchesWholeNames) {
    std::vector<int> widths(4);
    ASSERT_TRUE(
        CPrintLayout::ParseColumnWidths(U("20,20,名=60,名称=80,\n名称=99,"), U("名称,名"), widths));
    EXPECT_EQ(widths[0], 80);
    EXPECT_EQ(widths[1], 60);
}

TEST(PrintLayoutTexts, PaperCodesAndBufferTexts) {
    EXPECT_EQ(CPrintLayout::PaperCodeFromSetting(U("9(2108,2972)A4 210 x 297 mm")), 9);
    EXPECT_EQ(CPrintLayout::PaperCodeFromSetting(U("自定义尺寸")), 0);
    EXPECT_EQ(CPrintLayout::PaperCodeFromSetting(U("纸张大小选择框")), 9);
    EXPECT_EQ(CPrintLayout::PaperCodeFromSetting(""), 9);
    EXPECT_EQ(CPrintLayout::TextFromBuffer("a,b,\nc"), "a,b,");
    EXPECT_EQ(CPrintLayout::TextFromBuffer(wxString('x', 250)).length(), 200u);
}

// Records what the layouts draw, in a font whose half-width characters are 5 units
// wide and full-width ones 10, at the scale in use.
struct RecordingCanvas : PrintCanvas {
    struct Text {
        wxString text;
        int x, y;
        int width;
    };
    std::vector<Text> texts;
    std::vector<std::array<int, 4>> lines;
    int percent = 100;
    void TextBottom(const wxString& t, int x, int y) override {
        texts.push_back({t, x, y, TextWidth(t)});
    }
    void TextAt(const wxString& t, int x, int y) override {
        texts.push_back({t, x, y, TextWidth(t)});
    }
    void Line(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
    void SelectFont(const wxString&, int, bool) override {}
    void RestoreFont() override {}
    int TextWidth(const wxString& t) override {
        int units = 0;
        for (wxUniChar c : t)
            units += c.GetValue() < 0x80 ? 5 : 10;
        return units * percent / 100;
    }
    void ScaleFont(int p) override { percent = p; }
    // A drawn text that runs over a vertical line of its own band.
    const Text* Crossing() const {
        for (const Text& text : texts)
            for (const auto& [x1, y1, x2, y2] : lines)
                if (x1 == x2 && std::min(y1, y2) < text.y && text.y < std::max(y1, y2) &&
                    text.x < x1 && x1 < text.x + text.width)
                    return &text;
        return nullptr;
    }
    const Text* Find(const wxString& t) const {
        for (const Text& text : texts)
            if (text.text == t) return &text;
        return nullptr;
    }
    bool Has(const char* t) const { return Find(U(t)) != nullptr; }
};

class FormHeadTest : public testing::Test {
protected:
    FormHeadTest() : texts(30) {
        texts[print_texts::kDocumentKind] = U("派工单");
        texts[print_texts::kPlate] = U("粤A12345");
        texts[print_texts::kDateOutOrChief] = U("王师傅");
        texts[print_texts::kFault] = U("异响");
    }
    // A page whose head holds `capacity` half-width characters (line height 10).
    int Draw(int capacity) {
        PrintArea area{0, 40 + capacity * 5, 40, 600};
        return layout.PrintFormHead(canvas, area, 20, 5, 10, texts);
    }
    CPrintLayout layout;
    RecordingCanvas canvas;
    std::vector<wxString> texts;
};

TEST_F(FormHeadTest, WideWorkOrderHasTheChiefMechanicCell) {
    const int top = Draw(100);
    EXPECT_EQ(layout.LineCapacity(), 100);
    EXPECT_TRUE(canvas.Has("主修"));
    EXPECT_FALSE(canvas.Has("主修师傅:王师傅"));
    EXPECT_TRUE(canvas.Has("情况"));
    // Fault block (2 rows) and four head rows.
    EXPECT_EQ(top, 600 - 6 * 20);
}

TEST_F(FormHeadTest, NarrowWorkOrderPutsTheMechanicOnALineOfItsOwn) {
    const int top = Draw(60);
    EXPECT_TRUE(canvas.Has("主修师傅:王师傅"));
    EXPECT_FALSE(canvas.Has("主修"));
    EXPECT_EQ(top, 600 - 7 * 20);
}

TEST_F(FormHeadTest, SwitchedOffRowsAndBlocksAreLeftOut) {
    texts[print_texts::kPlateRowOff] = "NO";
    texts[print_texts::kColourRowOff] = "NO";
    texts[print_texts::kFault] = "##no print##";
    const int top = Draw(100);
    EXPECT_FALSE(canvas.Has("车牌"));
    EXPECT_FALSE(canvas.Has("主修"));
    EXPECT_FALSE(canvas.Has("颜色"));
    EXPECT_FALSE(canvas.Has("情况"));
    EXPECT_TRUE(canvas.Has("送修"));
    EXPECT_TRUE(canvas.Has("单位"));
    EXPECT_EQ(top, 600 - 2 * 20);
}

TEST_F(FormHeadTest, LongTextsShrinkOrAreCutInsideTheirCells) {
    texts[print_texts::kWorkUnit] = wxString(wxUniChar(0x5355), 40);
    texts[print_texts::kEngineNo] = wxString('8', 100);
    texts[print_texts::kColour] = U("珍珠白");    // 30 units in a cell of 14 cw less the indent
    texts[print_texts::kMileage] = "123456";      // 30 units in a cell of 17 cw
    texts[print_texts::kPlate] = U("粤A1234567"); // 75 units: fits at 70 percent
    for (int capacity : {100, 60, 20}) {
        canvas = RecordingCanvas();
        Draw(capacity);
        const RecordingCanvas::Text* crossing = canvas.Crossing();
        EXPECT_EQ(crossing, nullptr) << capacity << ": " << crossing->text;
        for (const auto& text : canvas.texts)
            EXPECT_LE(text.x + text.width, 40 + capacity * 5 - 1) << capacity << text.text;
    }
    canvas = RecordingCanvas();
    Draw(100);
    EXPECT_TRUE(canvas.Has("珍珠白") && canvas.Has("123456") && canvas.Has("粤A1234567"));
    EXPECT_FALSE(canvas.Find(wxString('8', 100))) << "cut, not drawn whole";
}

TEST_F(FormHeadTest, FaultTextSplitsAtItsFirstLineFeedOrAtTheLineCapacity) {
    texts[print_texts::kFault] = U("第一行\n第二行\n第三行");
    Draw(100);
    EXPECT_TRUE(canvas.Has("第一行"));
    EXPECT_TRUE(canvas.Has("第二行\n第三行"));
    EXPECT_TRUE(canvas.Has("故障") == false && canvas.Has("说明"));

    canvas = RecordingCanvas();
    texts[print_texts::kFault] = wxString('x', 70);
    texts[print_texts::kDocumentKind] = "";
    Draw(60);
    EXPECT_TRUE(canvas.Find(wxString('x', 60)));
    EXPECT_TRUE(canvas.Find(wxString('x', 10)));
    EXPECT_TRUE(canvas.Has("故障"));
    EXPECT_TRUE(canvas.Has("出厂日期:王师傅"));
}

TEST(FormFoot, TotalInCapitalsTermsAndSignatures) {
    std::vector<wxString> texts(30);
    texts[print_texts::kSalesAmount] = "1234.50";
    texts[print_texts::kTerms] = U("一\n二\n三");
    texts[print_texts::kRemark] = "##no print##";
    CPrintLayout layout;
    RecordingCanvas canvas;
    const int bottom = layout.PrintFormFoot(canvas, {0, 500, 40, 100}, 20, 5, texts);
    EXPECT_TRUE(canvas.Has("1234.50  大写:壹仟贰佰叁拾肆元伍角零分"));
    EXPECT_TRUE(canvas.Has("约定") && canvas.Has("事项") && canvas.Has("三"));
    EXPECT_FALSE(canvas.Has("备注"));
    EXPECT_TRUE(canvas.Has("领料") && canvas.Has("财务"));
    EXPECT_EQ(bottom, 100 + 20 + 3 * 20 + 20);

    texts[print_texts::kDocumentKind] = U("派工单");
    canvas = RecordingCanvas();
    layout.PrintFormFoot(canvas, {0, 500, 40, 100}, 20, 5, texts);
    EXPECT_FALSE(canvas.Has("合计"));
    EXPECT_TRUE(canvas.Has("客方验收签字") && canvas.Has("主修师傅签字"));
    EXPECT_FALSE(canvas.Has("领料"));
    EXPECT_EQ(canvas.Crossing(), nullptr) << "the signature labels shrink into their cells";
}

TEST(ListFoot, BlocksFollowTheirTexts) {
    std::vector<wxString> texts(30);
    texts[print_texts::kPageTotals] = U("本页合计：10.00");
    texts[print_texts::kOptionsRemark] = U("第一行\n第二行");
    CPrintLayout layout;
    RecordingCanvas canvas;
    EXPECT_EQ(layout.PrintListFoot(canvas, {0, 500, 40, 100}, 20, 5, texts), 100 + 4 * 20);
    EXPECT_TRUE(canvas.Has("合计") && canvas.Has("附注") && canvas.Has("开票"));

    texts[print_texts::kPageTotals] = texts[print_texts::kOptionsRemark] =
        texts[print_texts::kSalesAmount] = "##no print##";
    canvas = RecordingCanvas();
    EXPECT_EQ(layout.PrintListFoot(canvas, {0, 500, 40, 100}, 20, 5, texts), 100);
    EXPECT_TRUE(canvas.texts.empty());
}

TEST(PartsNeedTable, HeadingAndRowLabels) {
    CPrintLayout layout;
    RecordingCanvas canvas;
    layout.PrintPartsNeedTable(canvas, {0, 800, 40, 100}, 20, 5);
    for (const char* label :
         {"零件名称", "零件编号", "单位", "数量", "维修人员", "零件", "需求", "其它"})
        EXPECT_TRUE(canvas.Has(label)) << label;
    EXPECT_EQ(canvas.Find(U("其它"))->y, 100 + 5 * 20 - 3);

    // A narrow grid keeps every heading, each inside its cell.
    canvas = RecordingCanvas();
    layout.PrintPartsNeedTable(canvas, {0, 300, 40, 100}, 20, 5);
    for (const char* label : {"零件名称", "零件编号", "单位", "数量", "维修人员"})
        EXPECT_TRUE(canvas.Has(label)) << label;
    EXPECT_EQ(canvas.Crossing(), nullptr);
}

} // namespace
