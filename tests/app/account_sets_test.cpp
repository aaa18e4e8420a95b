#include "app/account_sets.h"
#include "common/program_folder.h"

#include "data/data_folders.h"
#include "data/main_frame_data.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

using Names = std::vector<wxString>;

class AccountSetsTest : public ProgramFolderTest {};

TEST_F(AccountSetsTest, SetListFromZtfile) {
    struct Case {
        const char* line;
        Names sets;
    } cases[] = {
        {"", {}},
        {"分店,总店,", {U("分店"), U("总店")}},
        {"一二三四五六七,", {U("一二三四五")}}, // cut to 10 bytes
        {"分店,AB", {U("分店")}},               // a tail of 2 bytes without comma
        {"分店,ABC", {U("分店"), "ABC"}},
        {"默认帐套,分店,", {U("分店")}},
        {",,x,", {"x"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CAccountSets::ParseSetList(U(c.line)), c.sets) << c.line;
}

TEST_F(AccountSetsTest, SetListRoundTripAndRemoval) {
    ASSERT_TRUE(CAccountSets::SaveSetList({CAccountSets::DefaultSetName(), U("分店"), "", "B1"}));
    EXPECT_EQ(CSettingFiles::ReadSettingFile("ztfile"), U("分店,B1,"));
    EXPECT_EQ(CAccountSets::ReadSetList(), (Names{U("分店"), "B1"}));
    ASSERT_EQ(CSettingFiles::WriteSettingFile("ztfile", U("..,Data,a/b,分店,\x01\x02,")), 1);
    EXPECT_EQ(CAccountSets::ReadSetList(), Names{U("分店")}); // a damaged list
    ASSERT_TRUE(CAccountSets::SaveSetList({CAccountSets::DefaultSetName()}));
    EXPECT_FALSE(CSettingFiles::FileExists("Picture/ztfile"));
    EXPECT_TRUE(CAccountSets::ReadSetList().empty());
}

TEST_F(AccountSetsTest, InitialSetFromCurrztname) {
    platform::CreateFolders(Path("Shop"));
    struct Case {
        const char* written; // nullptr: no file
        const char* shown;
        const char* missing;
    } cases[] = {
        {nullptr, "默认帐套", ""}, {"", "默认帐套", ""},         {"Data\\", "默认帐套", ""},
        {"Data", "默认帐套", ""},  {"默认帐套", "默认帐套", ""}, {"Shop\\", "Shop", ""},
        {"Shop", "Shop", ""},      {"Gone", "默认帐套", "Gone"}, {"..", "默认帐套", ".."},
    };
    for (const Case& c : cases) {
        CSettingFiles::DeleteSettingFile("currztname");
        if (c.written) {
            ASSERT_EQ(CSettingFiles::WriteSettingFile("currztname", U(c.written)), 1);
        }
        wxString missing;
        EXPECT_EQ(CAccountSets::InitialSetName(&missing), U(c.shown)) << c.written;
        EXPECT_EQ(missing, U(c.missing)) << c.written;
    }
}

TEST_F(AccountSetsTest, OnlySafeFolderNamesAreSets) {
    for (const char* name : {"分店", "Shop 2", "一二三四五", "a.b"})
        EXPECT_TRUE(CAccountSets::IsSafeSetName(U(name))) << name;
    for (const char* name :
         {"", ".", "..", "a/b", "a\\b", "Data", "data", "Picture", "REPORT", "AutBak", "a,b", "a*",
          "a?", " lead", "trail ", "一二三四五六", "默认帐套", "x#", "a'b"})
        EXPECT_FALSE(CAccountSets::IsSafeSetName(U(name))) << name;
}

TEST_F(AccountSetsTest, OwnerFileDecidesWhoMayUseASet) {
    ASSERT_EQ(CSettingFiles::WriteSettingFile(U("分店zt"), "wang#,"), 1);
    ASSERT_EQ(CSettingFiles::WriteSettingFile("B1zt", "wang"), 1);
    EXPECT_TRUE(CAccountSets::MayUseSet(U("分店"), "wang"));
    EXPECT_FALSE(CAccountSets::MayUseSet(U("分店"), "li"));
    EXPECT_FALSE(CAccountSets::MayUseSet(U("分店"), "wan"));
    EXPECT_FALSE(CAccountSets::MayUseSet("B1", "wang")); // no "#,": nobody
    EXPECT_TRUE(CAccountSets::MayUseSet("Free", "li"));  // no owner file
    EXPECT_TRUE(CAccountSets::MayUseSet(CAccountSets::DefaultSetName(), "li"));
}

TEST_F(AccountSetsTest, CreateCopiesTheDefaultSetAndDeleteRemovesItsFolders) {
    ASSERT_TRUE(platform::WriteFileAtomic(Path("Data/gk.dwf"), "encrypted gk"));
    SetAccountSet(wxString());
    const std::string defaultWorking = CAccountSets::WorkingFolder(U("默认帐套")).utf8_string();
    ASSERT_TRUE(platform::CreateFolders(defaultWorking));
    ASSERT_TRUE(platform::WriteFileAtomic(defaultWorking + "gk.cdx", "index"));
    CMainFrameData frame;

    platform::ScriptedMessageBoxes boxes;
    ASSERT_TRUE(CAccountSets::CreateSet(U("分店"), "wang", frame));
    std::string copy;
    ASSERT_TRUE(platform::ReadFileBytes(Path("分店/gk.dwf"), copy));
    EXPECT_EQ(copy, "encrypted gk");
    const std::string working = CAccountSets::WorkingFolder(U("分店")).utf8_string();
    EXPECT_TRUE(platform::FileExists(working + "gk.cdx"));
    EXPECT_EQ(CSettingFiles::ReadSettingFile(U("分店zt")), "wang#,");
    EXPECT_EQ(g_strSetFolder, "Data/"); // the current set stays
    EXPECT_TRUE(frame.m_strShared.empty());

    ASSERT_TRUE(CAccountSets::DeleteSet(U("分店")));
    EXPECT_FALSE(platform::FolderExists(Path("分店")));
    EXPECT_FALSE(platform::FolderExists(working));
    EXPECT_TRUE(CSettingFiles::FileExists(U("Picture/分店zt")));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"操作完成 "});
    EXPECT_TRUE(platform::FileExists(Path("Data/gk.dwf")));
}

TEST_F(AccountSetsTest, UnsafeNamesTouchNothing) {
    ASSERT_TRUE(platform::WriteFileAtomic(Path("Data/gk.dwf"), "encrypted gk"));
    CMainFrameData frame;
    for (const char* name : {"..", "Data", "Picture", "a/b"}) {
        platform::ScriptedMessageBoxes boxes;
        EXPECT_FALSE(CAccountSets::CreateSet(U(name), "wang", frame)) << name;
        EXPECT_EQ(boxes.Shown().size(), 1u) << name;
        EXPECT_FALSE(CAccountSets::DeleteSet(U(name))) << name;
    }
    EXPECT_TRUE(platform::FileExists(Path("Data/gk.dwf")));
    EXPECT_TRUE(platform::FolderExists(Path("Picture")));
    EXPECT_FALSE(platform::FolderExists(Path("a")));
    EXPECT_FALSE(CAccountSets::DeleteSet(CAccountSets::DefaultSetName()));
}

} // namespace
