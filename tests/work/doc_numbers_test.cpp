// Document numbers: one sequence in M_DJH, a new day starts at 001, the 999th number
// is issued, the one after it and a damaged counter are refused rather than repeated.
#include "common/program_folder.h"
#include "data/setting_files.h"
#include "platform/message_box.h"
#include "work/doc_numbers.h"

using namespace work;

namespace {

class DocNumbersTest : public ProgramFolderTest {
protected:
    const wxDateTime now_{10, wxDateTime::Dec, 2026, 9, 30, 0};
    static wxString Counter() { return CSettingFiles::ReadSettingFile("M_DJH"); }
    static void SetCounter(const char* text) { CSettingFiles::WriteSettingFile("M_DJH", text); }
};

} // namespace

TEST_F(DocNumbersTest, ANewDayStartsAtOneAndTheNumbersRunOn) {
    wxString sheet;
    SetCounter("20261209012");
    EXPECT_EQ(GetDocNumber(sheet, now_), "20261210001");
    EXPECT_EQ(Counter(), "20261210001");
    struct Case {
        const char* held;
        const char* next;
    } cases[] = {{"20261210009", "20261210010"},
                 {"20261210099", "20261210100"},
                 {"20261210998", "20261210999"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        sheet = c.held;
        EXPECT_EQ(NextDocNumber(sheet, now_), c.next);
        EXPECT_EQ(sheet, c.next);
        EXPECT_EQ(Counter(), c.next);
    }
    // A new sheet's first call on today's counter only loads it.
    SetCounter("20261210042");
    wxString fresh;
    EXPECT_EQ(NextDocNumber(fresh, now_), "20261210042");
    EXPECT_EQ(Counter(), "20261210042");
    // Get follows the file, whoever advanced it.
    SetCounter("20261210043");
    EXPECT_EQ(GetDocNumber(fresh, now_), "20261210043");
}

// A settlement takes the number with Get and then advances with Next: the day's 999th
// number is settled like any other, the next document is refused.
TEST_F(DocNumbersTest, TheLastNumberOfADayIsIssuedAndNothingAfterItNorOnADamagedCounter) {
    platform::ScriptedMessageBoxes boxes;
    wxString sheet;
    SetCounter("20261210999");
    EXPECT_EQ(GetDocNumber(sheet, now_), "20261210999");
    EXPECT_EQ(NextDocNumber(sheet, now_), "20261210999");
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_TRUE(GetDocNumber(sheet, now_).empty());
    EXPECT_TRUE(NextDocNumber(sheet, now_).empty());
    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>(2, "今天的单据号已用完(999)，不能再开新单据。"));
    // A new sheet on the used-up day loads no number it could settle with.
    wxString fresh;
    NextDocNumber(fresh, now_);
    EXPECT_TRUE(GetDocNumber(fresh, now_).empty());
    // The next day starts again.
    wxString tomorrow;
    const wxDateTime next = now_ + wxDateSpan::Day();
    EXPECT_EQ(GetDocNumber(tomorrow, next), "20261211001");

    boxes.Clear();
    SetCounter("2026121012x");
    EXPECT_TRUE(GetDocNumber(sheet, now_).empty());
    sheet = "2026121012x";
    EXPECT_TRUE(NextDocNumber(sheet, now_).empty());
    EXPECT_EQ(Counter(), "2026121012x");
    EXPECT_EQ(boxes.Shown().size(), 2u);
}
