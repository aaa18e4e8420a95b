#include "common/program_folder.h"
#include "data/value_check.h"
#include "platform/message_box.h"

#include <ctime>

namespace {

struct Case {
    long type;
    long size;
    const char* typed;
    const char* result;
    const char* box; // nullptr: no box
};

void Expect(const Case& c) {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_EQ(CValueCheck::CheckValue(U(c.typed), c.type, c.size), U(c.result))
        << c.type << " " << c.typed;
    std::vector<std::string> expected;
    if (c.box) expected.push_back(c.box);
    EXPECT_EQ(boxes.Texts(), expected) << c.type << " " << c.typed;
}

wxString Today(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

const char* const kBad = "数据格式不对！";
const char* const kBadDate = "日期不对，可能月份或天数不正确。";

} // namespace

TEST(CheckValue, NumbersAreKeptWholeOrRefused) {
    const Case cases[] = {
        {3, 4, "-15", "-15", nullptr},
        {3, 4, "+7", "+7", nullptr},
        {3, 4, "12a", "0", kBad},
        {3, 4, "", "0", nullptr},
        {3, 4, "-", "0", kBad},
        {3, 4, "2147483647", "2147483647", nullptr},
        {3, 4, "12345678901", "0", kBad},
        {3, 4, "1.5", "0", kBad},
        {131, 19, "-1.5", "-1.5", nullptr},
        {131, 19, "+0.25", "+0.25", nullptr},
        {131, 19, "123456789", "123456789", nullptr},
        {131, 19, "1234567.125", "1234567.125", nullptr},
        {131, 19, "1.2.3", "1.2", nullptr},
        {131, 19, ".5", ".5", nullptr},
        {131, 19, "1E-05", "0", kBad},
        {131, 19, "1e5", "0", kBad},
        {3, 4, "1e5", "0", kBad},
        {131, 19, "12.5x", "0", kBad},
        {131, 19, "1-2", "0", kBad},
        {131, 19, "", "0", nullptr},
        {131, 19, ".", "0", kBad},
        {131, 19, " 12", "0", kBad},
    };
    for (const Case& c : cases)
        Expect(c);
}

// An N(10,2) field as the recordset reports it takes whole parts of
// precision - scale digits; a longer one is refused by the check, not by the record.
TEST(CheckValue, NumbersMustFitTheirFieldsWholePart) {
    const struct {
        const char* typed;
        const char* result;
        const char* box;
    } cases[] = {
        {"99999999.99", "99999999.99", nullptr},
        {"-99999999", "-99999999", nullptr},
        {"100000000", "0", kBad},
        {"-100000000.5", "0", kBad},
        {"99999999.995", "0", kBad},
        {"12345.678", "12345.678", nullptr},
        {".5", ".5", nullptr},
        {"7.", "7.", nullptr},
    };
    for (const auto& c : cases) {
        platform::ScriptedMessageBoxes boxes;
        EXPECT_EQ(CValueCheck::CheckValue(U(c.typed), 131, 19, 10, 2), U(c.result)) << c.typed;
        EXPECT_EQ(boxes.Texts(),
                  c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{})
            << c.typed;
    }
}

TEST(CheckValue, TextsAreCutOnCharactersAndRefuseQuotes) {
    const Case cases[] = {
        {200, 20, "O'Brien", "O", "  不能用单引号！"},
        {129, 5, "编号名称", "编号", nullptr},
        {129, 4, "ab编号", "ab编", nullptr},
        {202, 10, "abc", "abc", nullptr},
        {129, 3, "a'bcdef", "a", "  不能用单引号！"},
        {129, 3, "abc'def", "abc", nullptr},
        {201, 0, "abc", "", nullptr},
        {72, 0, "any'thing", "any'thing", nullptr},
    };
    for (const Case& c : cases)
        Expect(c);
}

TEST(CheckValue, DatesAreNormalisedAndImpossibleOnesRefused) {
    const wxString today = Today("%Y-%m-%d");
    const wxString year = Today("%Y"), month = Today("%m");
    const std::string dayOf15 = (year + "-" + month + "-15").utf8_string();
    const std::string todayText = today.utf8_string();
    const Case cases[] = {
        {133, 8, "2024-3-5", "2024-03-05", nullptr},
        {133, 8, "24/3/5", "2024-03-05", nullptr},
        {135, 8, "98-12-31", "1998-12-31", nullptr},
        {133, 8, "29.1.9", "2029-01-09", nullptr},
        {133, 8, "30.1.9", "1930-01-09", nullptr},
        {133, 8, "15", dayOf15.c_str(), nullptr},
        {133, 8, "5", todayText.c_str(), nullptr},
        {133, 8, "20240305", todayText.c_str(), kBad},
        {133, 8, "x2024-3-5", todayText.c_str(), kBad},
        {133, 8, "2024-123-5", todayText.c_str(), kBad},
        {133, 8, "2024-13-05", "2024-12-05", kBadDate},
        {133, 8, "2024-00-05", "2024-12-05", kBadDate},
        {133, 8, "2024-02-30", "2024-02-28", kBadDate},
        {133, 8, "2023-02-29", "2023-02-28", kBadDate},
        {133, 8, "2024-02-29", "2024-02-29", nullptr},
        {133, 8, "2100-02-29", "2100-02-28", kBadDate},
        {133, 8, "2024-04-31", "2024-04-30", kBadDate},
        {133, 8, "2024-05-32", "2024-05-31", kBadDate},
        {133, 8, "2024-05-00", "2024-05-31", kBadDate},
        {133, 8, "2024-13-32", "2024-12-31", kBadDate},
        {133, 8, "0024-1-1", "2024-01-01", nullptr},
        {133, 8, "", "0:00:00", nullptr},
        {133, 8, "0:00:00", "0:00:00", nullptr},
    };
    for (const Case& c : cases)
        Expect(c);
}

// Input that must be taken as typed or not at all: anything the check refuses or
// repairs is not accepted.
TEST(CheckValue, AcceptedOnlyWithoutARefusal) {
    struct Case {
        const char* text;
        long type;
        bool accepted;
        const char* checked;
    } cases[] = {
        {"2024-05-31", 133, true, "2024-05-31"},
        {"2024-05-32", 133, false, ""},
        {"2024-13-01", 133, false, ""},
        {"-1.5", 131, true, "-1.5"},
        {"12abc", 3, false, ""},
        {"O'Brien", 200, false, ""},
        {"", 3, true, "0"},
    };
    platform::ScriptedMessageBoxes boxes;
    for (const Case& c : cases) {
        boxes.Clear();
        wxString checked;
        EXPECT_EQ(CValueCheck::CheckAccepted(c.text, c.type, 30, &checked), c.accepted) << c.text;
        EXPECT_EQ(boxes.Shown().empty(), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(checked, c.checked) << c.text;
        }
    }
}

// A form checks every field before it writes one: the refusal names the field, shows
// nothing itself, and a text too long is refused, never cut.
TEST(FieldProblem, NamesTheFieldItRefuses) {
    const struct {
        const char* label;
        const char* text;
        long type, size;
        int precision, scale;
        const char* problem; // "" when the text fits
    } cases[] = {
        {"区域", "一二三四五六七八", 200, 16, 0, 0, ""},
        {"区域", "一二三四五六七八九", 200, 16, 0, 0, "区域不能超过16个字节(一个汉字占两个字节)！"},
        {"地址", "人民路'8号", 200, 40, 0, 0, "地址不能用单引号！"},
        {"折扣", "007", 3, 4, 0, 0, ""},
        {"折扣", "", 3, 4, 0, 0, ""},
        {"折扣", "1e12", 3, 4, 0, 0, "折扣：数据格式不对！"},
        {"折扣", "1,000", 3, 4, 0, 0, "折扣：数据格式不对！"},
        {"金额", "-100", 131, 10, 10, 2, ""},
        {"金额", "1e12", 131, 10, 10, 2, "金额：数据格式不对！"},
        {"金额", "123456789", 131, 10, 10, 2, "金额：数据格式不对！"},
        {"日期", "2026-02-28", 133, 8, 0, 0, ""},
        {"日期", "2026-02-30", 133, 8, 0, 0, "日期：日期不对，可能月份或天数不正确。"},
        {"日期", "2026-13-01", 133, 8, 0, 0, "日期：日期不对，可能月份或天数不正确。"},
    };
    platform::ScriptedMessageBoxes boxes;
    for (const auto& c : cases)
        EXPECT_EQ(
            CValueCheck::FieldProblem(U(c.label), U(c.text), c.type, c.size, c.precision, c.scale),
            U(c.problem))
            << c.text;
    EXPECT_TRUE(boxes.Shown().empty());
    // The boxes of the plain check are still shown afterwards.
    wxString checked;
    EXPECT_FALSE(CValueCheck::CheckAccepted("12abc", 3, 4, &checked));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"数据格式不对！"}));
}

TEST(MapFieldType, GivesTheEditorClasses) {
    struct {
        long type;
        bool keep;
        long result;
    } cases[] = {{3, true, 22},  {3, false, 8},  {131, true, 4},  {131, false, 8}, {133, false, 7},
                 {135, true, 7}, {129, true, 8}, {202, false, 8}, {11, false, 11}, {5, true, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(CValueCheck::MapFieldType(c.type, c.keep), c.result) << c.type;
}

TEST(FormatMoney, ShowsTwoRoundedDecimals) {
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"5", "5.00"},
        {"12.5", "12.50"},
        {"12.50", "12.50"},
        {".5", "0.50"},
        {"", ""},
        {"3", "3.00"},
        {"12.345", "12.35"},
        {"12.344", "12.34"},
        {"9.995", "10.00"},
        {"-0.005", "-0.01"},
        {"-0.004", "0.00"},
        {"-12.5", "-12.50"},
        {"99999.999", "100000.00"},
        {"1E-05", "0.00"},
        {"abc", "abc"},
        {"0012.1", "12.10"},
    };
    for (const auto& c : cases) {
        wxString text = c.in;
        CValueCheck::FormatMoney(text);
        EXPECT_EQ(text, c.out) << c.in;
    }
}
