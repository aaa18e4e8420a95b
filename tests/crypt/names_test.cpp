// The naming exports: path splitting, extensions, deleting and the tool's box.
#include "crypt_fixture.h"

using namespace crypt_test;

TEST(SeparatePathName, SplitsAtTheLastSeparator) {
    struct Case {
        const char *path, *folder, *name;
    } cases[] = {
        {"/c/a/b.dbf", "/c/a", "b.dbf"},
        {"/c/a/", "/c/a", ""},
        {"b.dbf", "", "b.dbf"},
        {"", "", ""},
        {"/b.dbf", "", "b.dbf"},
        {"/", "", ""},
        {"a//b", "a/", "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        char folder[SEALKIT_MAX_PATH] = "junk", name[SEALKIT_MAX_PATH] = "junk";
        EXPECT_EQ(SeparatePathName(c.path, folder, name), 1);
        EXPECT_STREQ(folder, c.folder);
        EXPECT_STREQ(name, c.name);
    }
    char folder[SEALKIT_MAX_PATH] = "junk", name[SEALKIT_MAX_PATH] = "junk";
    EXPECT_EQ(SeparatePathName(nullptr, folder, name), 1);
    EXPECT_STREQ(folder, "");
    EXPECT_STREQ(name, "");
}

TEST(ExtensionNames, ReplaceTheLastThreeCharacters) {
    struct Case {
        const char *name, *dbf, *dwf;
        int encrypted;
    } cases[] = {
        {"ljkc.dwf", "ljkc.dbf", "ljkc.dwf", 1},
        {"ljkc.dbf", "ljkc.dbf", "ljkc.dwf", 0},
        {"ljkc.DWF", "ljkc.dbf", "ljkc.dwf", 0},
        {"dwf", "dbf", "dwf", 1},
        {"wf", "wf", "wf", 0},
        {"", "", "", 0},
        {"a.dwf ", "a.ddbf", "a.ddwf", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char dbf[SEALKIT_MAX_PATH], dwf[SEALKIT_MAX_PATH];
        std::snprintf(dbf, sizeof dbf, "%s", c.name);
        std::snprintf(dwf, sizeof dwf, "%s", c.name);
        EXPECT_EQ(GetExName(nullptr, dbf), 1);
        EXPECT_EQ(GreateExName(nullptr, dwf), 1);
        EXPECT_STREQ(dbf, c.dbf);
        EXPECT_STREQ(dwf, c.dwf);
        EXPECT_EQ(IsEncrypted(c.name), c.encrypted);
    }
}

TEST_F(CryptTest, AMissingNameAndTheToolBoxUseTheToolCaption) {
    EXPECT_EQ(IsEncrypted(nullptr), 0);
    boxes.Reply(platform::IDNO);
    EXPECT_EQ(MyAfxMessageBox("继续吗？", platform::MB_YESNO), platform::IDNO);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[0].text, "空文件名，该文件被忽略。");
    EXPECT_EQ(boxes.Shown()[0].type, 0u);
    EXPECT_EQ(boxes.Shown()[1].text, "继续吗？");
    EXPECT_EQ(boxes.Shown()[1].type, unsigned(platform::MB_YESNO));
    for (const auto& box : boxes.Shown())
        EXPECT_EQ(box.caption, "Norvale加密工具V1.0");
}

TEST_F(CryptTest, DeleFileDeletesOnlyWhenTheOtherFileExists) {
    std::string file = Path("ljkc.dbf"), other = Path("ljkc.dwf");
    WriteFile(file, "rows");
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(DeleFile(file.c_str(), other.c_str()), 0);
    EXPECT_EQ(ReadFile(file), "rows");
    EXPECT_EQ(Mode(file), 0600u); // made normal all the same

    WriteFile(other, "x");
    EXPECT_EQ(DeleFile(file.c_str(), other.c_str()), 1);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(DeleFile(nullptr, other.c_str()), 0);
    EXPECT_TRUE(boxes.Shown().empty());
}
