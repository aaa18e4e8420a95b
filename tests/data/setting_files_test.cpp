#include "data/setting_files.h"
#include "maintenance_fixture.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

using Settings = CSettingFiles;

class SettingFilesTest : public ProgramFolderTest {};

TEST_F(SettingFilesTest, BlockHoldsGbkLineLineFeedAndZeroFiller) {
    ASSERT_EQ(Settings::WriteSettingFile("currztname", U("默认帐套")), 1);
    std::string bytes = Read(Path("Picture/currztname"));
    ASSERT_EQ(bytes.size(), 1024u);
    std::string gbk = platform::Utf8ToGbk("默认帐套");
    EXPECT_EQ(bytes.substr(0, gbk.size()), gbk);
    EXPECT_EQ(bytes[gbk.size()], '\n');
    EXPECT_EQ(bytes.find_first_not_of('\0', gbk.size() + 1), std::string::npos);
    EXPECT_EQ(Settings::ReadSettingFile("currztname"), U("默认帐套"));

    ASSERT_EQ(Settings::WriteSettingFile("noerro", "noerro"), 1);
    EXPECT_EQ(Settings::ReadSettingFile("noerro"), "noerro");
    EXPECT_EQ(Settings::ReadSettingFile("missing"), "");
}

TEST_F(SettingFilesTest, LongTextsFillTheBlockAndNeverSplitACharacter) {
    wxString exact(wxUniChar('x'), 1023);
    ASSERT_EQ(Settings::WriteSettingFile("OtherFiles", exact), 1);
    std::string bytes = Read(Path("Picture/OtherFiles"));
    ASSERT_EQ(bytes.size(), 1024u);
    EXPECT_EQ(bytes[1023], '\n');
    EXPECT_EQ(Settings::ReadSettingFile("OtherFiles"), exact);

    // 'a' + 600 two-byte characters: 1201 bytes; 1023 would cut the 512th in half.
    wxString wide = "a";
    for (int i = 0; i < 600; ++i)
        wide += U("编");
    ASSERT_EQ(Settings::WriteSettingFile("OtherFiles", wide), 1);
    wxString back = Settings::ReadSettingFile("OtherFiles");
    EXPECT_EQ(back, wide.Left(1 + 511));
    EXPECT_EQ(Read(Path("Picture/OtherFiles")).size(), 1024u);
}

TEST_F(SettingFilesTest, ReaderStopsAtLineFeedOrNulOrTheBlockEnd) {
    Write(Path("Picture/GridSet"), "AutoRe=1,\nrest");
    EXPECT_EQ(Settings::ReadSettingFile("GridSet"), "AutoRe=1,");
    Write(Path("Picture/GridSet"), std::string("ab\0cd\n", 6));
    EXPECT_EQ(Settings::ReadSettingFile("GridSet"), "ab");
    Write(Path("Picture/GridSet"), std::string(1030, 'z'));
    EXPECT_EQ(Settings::ReadSettingFile("GridSet"), wxString(wxUniChar('z'), 1024));
}

TEST_F(SettingFilesTest, FailedWriteKeepsTheOldFile) {
    ASSERT_EQ(Settings::WriteSettingFile("SystemSet", U("检查=1,")), 1);
    platform::ScriptedMessageBoxes boxes;
    {
        FileSizeLimit full(512); // the block no longer fits on the disk
        EXPECT_EQ(Settings::WriteSettingFile("SystemSet", U("检查=0,")), 0);
    }
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"file write error!"});
    EXPECT_EQ(Settings::ReadSettingFile("SystemSet"), U("检查=1,"));
    EXPECT_EQ(platform::ListFiles(Path("Picture"), "*"), std::vector<std::string>{"SystemSet"});
}

TEST_F(SettingFilesTest, MissingFolderIsReportedAsUnableToOpen) {
    std::filesystem::remove_all(Path("Picture"));
    platform::ScriptedMessageBoxes boxes;
    EXPECT_EQ(Settings::WriteSettingFile("noerro", "noerro"), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Unable to open file"});
}

TEST_F(SettingFilesTest, ReadOnlyFileIsReplacedAndDeleted) {
    ASSERT_EQ(Settings::WriteSettingFile("WxQdType", "1"), 1);
    platform::SetReadOnly(Path("Picture/WxQdType"), true);
    ASSERT_EQ(Settings::WriteSettingFile("WxQdType", "2"), 1);
    EXPECT_EQ(Settings::ReadSettingFile("WxQdType"), "2");
    platform::SetReadOnly(Path("Picture/WxQdType"), true);
    EXPECT_EQ(Settings::DeleteSettingFile("WxQdType"), 0);
    EXPECT_FALSE(platform::FileExists(Path("Picture/WxQdType")));
    EXPECT_NE(Settings::DeleteSettingFile("WxQdType"), 0);
}

TEST(SettingValue, LooksUpWholeKeys) {
    const wxString line = "AutoRe=1,Linehight=2,rowhight=20,BtYs=255 x,";
    struct Case {
        const char* key;
        const char* value;
    } cases[] = {
        {"Linehight", "2"}, {"rowhight", "20"}, {"AutoRe", "1"},
        {"BtYs", "255"},    {"hight", ""},      {"MxZt", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSettingFiles::GetSettingValue(line, c.key), c.value) << c.key;
    EXPECT_EQ(CSettingFiles::GetSettingValue("", "AutoRe"), "");
    EXPECT_EQ(CSettingFiles::GetSettingValue("a=1 b=2", "b"), "2");
    EXPECT_EQ(CSettingFiles::GetSettingValue(U("零售价=1,三级模式=0"), U("三级模式")), "0");
    EXPECT_EQ(CSettingFiles::GetSettingValue("x=", "x"), "");
}

TEST_F(SettingFilesTest, GridSetIsReadThroughTheSettingValue) {
    ASSERT_EQ(Settings::WriteSettingFile("GridSet", "AutoRe=0,Linehight=1,rowhight=22,"), 1);
    EXPECT_EQ(Settings::GetSettingValue(Settings::ReadSettingFile("GridSet"), "rowhight"), "22");
}

TEST_F(SettingFilesTest, CommaListRoundTrip) {
    ASSERT_EQ(Settings::WriteCsvLine("Picture/WxQdfile1", {"a", "b"}), 1);
    EXPECT_EQ(Read(Path("Picture/WxQdfile1")), "a,b\r\n");
    std::vector<wxString> items;
    EXPECT_EQ(Settings::ReadCsvLine("Picture\\WxQdfile1", items), 2);
    EXPECT_EQ(items, (std::vector<wxString>{"a", "b"}));

    ASSERT_EQ(Settings::WriteCsvLine("Picture/Memfile", {U("修理厂,东区"), U("张三"), "l1\nl2"}),
              1);
    EXPECT_EQ(Read(Path("Picture/Memfile")),
              platform::Utf8ToGbk("修理厂，东区,张三,l1 l2") + "\r\n");
    std::vector<wxString> memo(10, "default");
    EXPECT_EQ(Settings::ReadCsvLine("Picture/Memfile", memo), 3);
    EXPECT_EQ(memo[0], U("修理厂，东区"));
    EXPECT_EQ(memo[1], U("张三"));
    EXPECT_EQ(memo[3], "default");

    std::vector<wxString> untouched{"x"};
    EXPECT_EQ(Settings::ReadCsvLine("Picture/none", untouched), 0);
    EXPECT_EQ(untouched, std::vector<wxString>{"x"});

    ASSERT_EQ(Settings::WriteCsvLine("Picture/empty", {}), 1);
    EXPECT_EQ(Read(Path("Picture/empty")), "");
    EXPECT_EQ(Settings::WriteCsvLine("NoFolder/list", {"a"}), 0);
}

TEST_F(SettingFilesTest, FileTestsAcceptWildcardsAndTheSetFolder) {
    EXPECT_FALSE(Settings::FileExists("Data/*.dbf"));
    EXPECT_FALSE(Settings::TableFileExists("ljkc"));
    Write(Path("Data/ljkc.dbf"), "x");
    EXPECT_TRUE(Settings::FileExists("Data/*.dbf"));
    EXPECT_TRUE(Settings::FileExists("Data\\lj??.DBF"));
    EXPECT_TRUE(Settings::FileExists("data/ljkc.dbf"));
    EXPECT_FALSE(Settings::FileExists("Data/*.dwf"));
    EXPECT_TRUE(Settings::TableFileExists("ljkc"));
    EXPECT_FALSE(Settings::TableFileExists("ljsh"));
    EXPECT_FALSE(Settings::FileExists("Nowhere/*"));
}
