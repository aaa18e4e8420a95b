#include "common/temp_folder.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace platform;
using qv_test::TempFolder;

namespace {

void Touch(const std::string& path, const std::string& bytes = "x") {
    ASSERT_TRUE(WriteFileAtomic(path, bytes));
}

} // namespace

TEST(Gbk, ConvertsBothWaysAndCountsBytes) {
    const std::string text = "零件ab库存";
    std::string gbk = Utf8ToGbk(text);
    EXPECT_EQ(gbk.size(), 10u);
    EXPECT_EQ(GbkToUtf8(gbk), text);
    EXPECT_EQ(GbkLength(text), 10u);
    EXPECT_EQ(GbkLength("abc"), 3u);
}

TEST(Gbk, NeverCutsACharacterInHalf) {
    struct Case {
        std::string text;
        size_t max;
        std::string expected;
    } cases[] = {
        {"编号名称", 5, "编号"}, {"编号名称", 4, "编号"}, {"a编号", 2, "a"},
        {"a编号", 3, "a编"},     {"abc", 10, "abc"},      {"编", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutToGbkBytes(c.text, c.max), c.expected) << c.text << " " << c.max;
        EXPECT_EQ(GbkToUtf8(CutGbkBytes(Utf8ToGbk(c.text), c.max)), c.expected);
    }
}

TEST(Gbk, BrokenBytesBecomeReplacementCharacters) {
    std::string broken = "a\x81"; // a lead byte with no trail
    EXPECT_EQ(GbkToUtf8(broken), "a\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf8(std::string("\xB1\xE0\xFF", 3)), "编\xEF\xBF\xBD");
}

TEST(Gbk, PaddedTextConvertsAsAWhole) {
    // The blanks after the last double-byte character skip the converter; the byte
    // right after it may be its trail, even one that reads as ASCII.
    const std::string blanks(30, ' ');
    const struct {
        std::string gbk, utf8;
    } cases[] = {
        {Utf8ToGbk("配件123") + blanks, "配件123" + blanks},
        {"\x81\x40" + blanks, "丂" + blanks},
        {"ab\x81\x40@" + blanks, "ab丂@" + blanks},
        {"\x81\x7E" + blanks, "亊" + blanks},
        {"\xB1\xE0\xB1" + blanks, "编\xEF\xBF\xBD" + blanks},
        {"\xB1\xE0\xB1", "编\xEF\xBF\xBD"},
        {Utf8ToGbk("编") + "x" + blanks, "编x" + blanks},
        {blanks, blanks},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8) << c.utf8;
}

TEST(Files, FindsNamesIgnoringCase) {
    TempFolder dir;
    Touch(dir.File("LJKC.DBF"));
    Touch(dir.File("ljdb.dbf"));
    EXPECT_EQ(FindFileNoCase(dir.Path(), "ljkc.dbf"), dir.File("LJKC.DBF"));
    EXPECT_EQ(FindFileNoCase(dir.Path(), "LJDB.dbf"), dir.File("ljdb.dbf"));
    EXPECT_EQ(FindFileNoCase(dir.Path(), "gk.dbf"), "");
    EXPECT_EQ(ResolvePathNoCase(dir.File("Ljkc.Dbf")), dir.File("LJKC.DBF"));
}

TEST(Files, WildcardsMatchLikeDos) {
    EXPECT_TRUE(WildcardMatch("*.dbf", "ljkc.DBF"));
    EXPECT_TRUE(WildcardMatch("lj??.dbf", "ljkc.dbf"));
    EXPECT_FALSE(WildcardMatch("*.dbf", "ljkc.dwf"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_FALSE(WildcardMatch("a*b", "acbd"));
    TempFolder dir;
    Touch(dir.File("b.dbf"));
    Touch(dir.File("a.DBF"));
    Touch(dir.File("c.dwf"));
    EXPECT_EQ(ListFiles(dir.Path(), "*.dbf"), (std::vector<std::string>{"a.DBF", "b.dbf"}));
}

TEST(Files, FailedCopyLeavesTheTargetAlone) {
    TempFolder dir;
    Touch(dir.File("target"), "old");
    std::string error;
    EXPECT_FALSE(CopyFileAtomic(dir.File("missing"), dir.File("target"), true, &error));
    EXPECT_FALSE(error.empty());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(dir.File("target"), bytes));
    EXPECT_EQ(bytes, "old");
    Touch(dir.File("source"), "new");
    EXPECT_FALSE(CopyFileAtomic(dir.File("source"), dir.File("target"), false));
    EXPECT_TRUE(CopyFileAtomic(dir.File("source"), dir.File("target")));
    ASSERT_TRUE(ReadFileBytes(dir.File("target"), bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(ListFiles(dir.Path(), "*qvtmp*").size(), 0u);
}

TEST(Files, ReadOnlyIsTheAbsenceOfWriteBits) {
    TempFolder dir;
    Touch(dir.File("f"));
    ASSERT_TRUE(SetReadOnly(dir.File("f"), true));
    EXPECT_TRUE(IsReadOnly(dir.File("f")));
    ASSERT_TRUE(SetReadOnly(dir.File("f"), false));
    EXPECT_FALSE(IsReadOnly(dir.File("f")));
}

TEST(Paths, SystemDirectoryIsPrivate) {
    TempFolder dir;
    ::setenv("QV_SYSDIR", (dir.File("sys/inner")).c_str(), 1);
    std::string sys = SystemDirectory();
    ::unsetenv("QV_SYSDIR");
    EXPECT_EQ(sys, dir.File("sys/inner"));
    struct stat st;
    ASSERT_EQ(::stat(sys.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(Paths, ProgramFolderFollowsSetting) {
    SetProgramFolder("/some/where/");
    EXPECT_EQ(ProgramFolder(), "/some/where");
    SetProgramFolder("");
    EXPECT_EQ(NativeSeparators("Data\\ljkc"), "Data/ljkc");
    EXPECT_EQ(JoinPath("a/", "/b"), "a/b");
}

TEST(MessageBoxes, ScriptedRepliesAreRecordedInOrder) {
    ScriptedMessageBoxes boxes;
    boxes.Reply(IDNO);
    EXPECT_EQ(ShowMessageBox("问题?", "", MB_YESNO), IDNO);
    EXPECT_EQ(ShowMessageBox("再问?", "", MB_YESNO), IDYES);
    EXPECT_EQ(qv_message_box("完成", "cap", MB_OK), IDOK);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"问题?", "再问?", "完成"}));
    EXPECT_EQ(boxes.Shown()[2].caption, "cap");
}
