#include "app/qv_doc.h"
#include "common/program_folder.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

#include <gtest/gtest.h>

namespace {

class QvDocTest : public ProgramFolderTest {
protected:
    // Runs the save checks for a chosen path; returns the target path ("" when
    // refused) and collects the boxes shown.
    std::string Prepare(const std::string& chosen, std::vector<std::string>* texts = nullptr,
                        int reply = platform::IDYES) {
        platform::ScriptedMessageBoxes boxes;
        boxes.Reply(reply);
        auto target = CQvDoc::PrepareSave(wxString::FromUTF8(chosen));
        if (texts) *texts = boxes.Texts();
        return target ? target->path.utf8_string() : std::string();
    }
};

TEST_F(QvDocTest, RefusalsByPlaceAndName) {
    WriteGbkFile("Picture/ztfile", "默认帐套,分店,华东地区第一分公司\n");
    const std::string out = Path("out");
    platform::CreateFolders(out);
    struct Case {
        std::string path;
        const char* message; // nullptr: allowed
    } cases[] = {
        {out + "/printinfo.adtg", "系统文件，不允许操作！"},
        {out + "/PrintInfo", "系统文件，不允许操作！"},
        {Path("Picture/x.adtg"), "系统文件，不允许操作！"},
        {Path("Data/x.xls"), "不能选择本系统数据目录! "},
        {Path("data/sub/x.dbf"), "不能选择本系统数据目录! "},
        {Path("分店/x.adtg"), "不能选择本系统数据目录! "},
        // Set names count by their first 10 bytes.
        {Path("华东地区第一/x.xls"), "不能选择本系统数据目录! "},
        {Path("分店二/x.adtg"), nullptr},
        {Path("Data/x.dwf"), nullptr},
        {platform::SystemDirectory() + "/Data/Data/x.dbf", "不能选择本系统数据目录! "},
        {platform::SystemDirectory() + "/Data/Data/x.dwf", "不能选择本系统数据目录! "},
        {out + "/x.mdb", "此版本不支持该功能,如果需要请与程序供应商联系."},
        {out + "/x.txt", "此版本不支持该功能,如果需要请与程序供应商联系."},
        {out + "/x.XLS", nullptr},
        {Path("Database.adtg"), nullptr},
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts;
        std::string target = Prepare(c.path, &texts);
        if (c.message) {
            EXPECT_EQ(target, "") << c.path;
            EXPECT_EQ(texts, std::vector<std::string>{c.message}) << c.path;
        } else {
            EXPECT_NE(target, "") << c.path;
            EXPECT_TRUE(texts.empty()) << c.path;
        }
    }
}

// A workbook is written as .xlsx, so a name asking for the older format gets the
// extension of what is written.
TEST_F(QvDocTest, NameWithoutExtensionIsSavedAsAdtgAndWorkbooksAsXlsx) {
    EXPECT_EQ(Prepare(Path("月报")), Path("月报.adtg"));
    for (const char* name : {"x.Xls", "x.xlsx"}) {
        auto target = CQvDoc::PrepareSave(U(Path(name).c_str()));
        ASSERT_TRUE(target) << name;
        EXPECT_EQ(target->ext, "xlsx");
        EXPECT_EQ(target->path, U(Path("x.xlsx").c_str()));
    }
}

TEST_F(QvDocTest, ExistingFileIsReplacedOnlyWhenTheOperatorAgrees) {
    const std::string file = Path("old.adtg");
    ASSERT_TRUE(platform::WriteFileAtomic(file, "old"));
    std::vector<std::string> texts;
    EXPECT_EQ(Prepare(file, &texts, platform::IDNO), "");
    EXPECT_EQ(texts, std::vector<std::string>{"文件已经存在,是否覆盖?"});
    EXPECT_TRUE(platform::FileExists(file));

    ASSERT_TRUE(platform::SetReadOnly(file, true));
    EXPECT_EQ(Prepare(file, &texts, platform::IDYES), file);
    EXPECT_FALSE(platform::FileExists(file)); // made writable and deleted
}

// A type the program cannot write is refused before anything is deleted.
TEST_F(QvDocTest, UnsupportedTypeKeepsTheExistingFile) {
    const std::string file = Path("keep.mdb");
    ASSERT_TRUE(platform::WriteFileAtomic(file, "data"));
    std::vector<std::string> texts;
    EXPECT_EQ(Prepare(file, &texts), "");
    EXPECT_EQ(texts, std::vector<std::string>{"此版本不支持该功能,如果需要请与程序供应商联系."});
    EXPECT_TRUE(platform::FileExists(file));
}

} // namespace
