#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace platform;

namespace {

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/qv-platform-XXXXXX";
        path_ = ::mkdtemp(name);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return JoinPath(path_, name); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

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
        {"a编号", 3, "a编"},     {"abc", 10, "abc"},     {"编", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutToGbkBytes(c.text, c.max), c.expected) << c.text << " " << c.max;
        EXPECT_EQ(GbkToUtf8(CutGbkBytes(Utf8ToGbk(c.text), c.max)), c.expected);
    }
}

TEST(Gbk, BrokenBytesBecomeReplacementCharacters) {
    std::string broken = "a\x81";  // a lead byte with no trail
    EXPECT_EQ(GbkToUtf8(broken), "a\xEF\xBF\xBD");
    EXPECT_EQ(GbkToUtf8(std::string("\xB1\xE0\xFF", 3)), "编\xEF\xBF\xBD");
}

TEST(Files, FindsNamesIgnoringCase) {
    TempFolder dir;
    Touch(dir / "LJKC.DBF");
    Touch(dir / "ljdb.dbf");
    EXPECT_EQ(FindFileNoCase(dir.path(), "ljkc.dbf"), dir / "LJKC.DBF");
    EXPECT_EQ(FindFileNoCase(dir.path(), "LJDB.dbf"), dir / "ljdb.dbf");
    EXPECT_EQ(FindFileNoCase(dir.path(), "gk.dbf"), "");
    EXPECT_EQ(ResolvePathNoCase(dir / "Ljkc.Dbf"), dir / "LJKC.DBF");
}

TEST(Files, WildcardsMatchLikeDos) {
    EXPECT_TRUE(WildcardMatch("*.dbf", "ljkc.DBF"));
    EXPECT_TRUE(WildcardMatch("lj??.dbf", "ljkc.dbf"));
    EXPECT_FALSE(WildcardMatch("*.dbf", "ljkc.dwf"));
    EXPECT_TRUE(WildcardMatch("*", ""));
    EXPECT_FALSE(WildcardMatch("a*b", "acbd"));
    TempFolder dir;
    Touch(dir / "b.dbf");
    Touch(dir / "a.DBF");
    Touch(dir / "c.dwf");
    EXPECT_EQ(ListFiles(dir.path(), "*.dbf"), (std::vector<std::string>{"a.DBF", "b.dbf"}));
}

TEST(Files, FailedCopyLeavesTheTargetAlone) {
    TempFolder dir;
    Touch(dir / "target", "old");
    std::string error;
    EXPECT_FALSE(CopyFileAtomic(dir / "missing", dir / "target", true, &error));
    EXPECT_FALSE(error.empty());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(dir / "target", bytes));
    EXPECT_EQ(bytes, "old");
    Touch(dir / "source", "new");
    EXPECT_FALSE(CopyFileAtomic(dir / "source", dir / "target", false));
    EXPECT_TRUE(CopyFileAtomic(dir / "source", dir / "target"));
    ASSERT_TRUE(ReadFileBytes(dir / "target", bytes));
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(ListFiles(dir.path(), "*qvtmp*").size(), 0u);
}

TEST(Files, ReadOnlyIsTheAbsenceOfWriteBits) {
    TempFolder dir;
    Touch(dir / "f");
    ASSERT_TRUE(SetReadOnly(dir / "f", true));
    EXPECT_TRUE(IsReadOnly(dir / "f"));
    ASSERT_TRUE(SetReadOnly(dir / "f", false));
    EXPECT_FALSE(IsReadOnly(dir / "f"));
}

TEST(Paths, SystemDirectoryIsPrivate) {
    TempFolder dir;
    ::setenv("QV_SYSDIR", (dir / "sys/inner").c_str(), 1);
    std::string sys = SystemDirectory();
    ::unsetenv("QV_SYSDIR");
    EXPECT_EQ(sys, dir / "sys/inner");
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
