// NvEncrypt and NvDecrypt: working copies in the system directory, read-only
// encrypted tables beside the plain path, and nothing lost when a step fails.
#include "crypt_fixture.h"
#include "oracle.h"

#include <cstring>

using namespace crypt_test;

namespace {

class WorkingCopyTest : public CryptTest {
protected:
    // The caller's 260-byte buffer holding `path`.
    char* Buffer(const std::string& path) {
        std::snprintf(buffer_, sizeof buffer_, "%s", path.c_str());
        return buffer_;
    }
    char buffer_[SEALKIT_MAX_PATH];
};

} // namespace

TEST_F(WorkingCopyTest, EncryptAndDecryptMoveTheTableThroughItsWorkingCopy) {
    struct Case {
        std::string setFolder, workingFolder;
    } cases[] = {{home + "/Data", sysdir + "/Data/Data"}, {home + "/zt02", sysdir + "/Data/zt02"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setFolder);
        fs::create_directories(c.setFolder);
        fs::create_directories(c.workingFolder);
        std::string plain = Pattern(2500, 3);
        std::string working = c.workingFolder + "/ljkc.dbf";
        std::string encrypted = c.setFolder + "/ljkc.dwf";
        WriteFile(working, plain);

        char* path = Buffer(c.setFolder + "/ljkc.dbf");
        ASSERT_EQ(NvEncrypt(path, kProgramKey), 1);
        EXPECT_EQ(std::string(path), working);
        EXPECT_FALSE(fs::exists(working));
        EXPECT_EQ(Mode(encrypted) & 0222, 0u);
        WriteFile(Path("expected.dbf"), plain);
        EXPECT_EQ(Hex(ReadFile(encrypted)), KeyedOracle(kProgramKey, Path("expected.dbf")));

        std::string stored = ReadFile(encrypted);
        ASSERT_EQ(NvDecrypt(encrypted.c_str(), kProgramKey), 1);
        EXPECT_EQ(ReadFile(working), plain);
        EXPECT_EQ(ReadFile(encrypted), stored);
        // An existing working copy is overwritten.
        WriteFile(working, "stale");
        ASSERT_EQ(NvDecrypt(encrypted.c_str(), kProgramKey), 1);
        EXPECT_EQ(ReadFile(working), plain);
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(WorkingCopyTest, EncryptReplacesAReadOnlyEncryptedTable) {
    std::string encrypted = home + "/Data/ljkc.dwf";
    WriteFile(encrypted, "older encrypted table");
    fs::permissions(encrypted, fs::perms::owner_read | fs::perms::group_read);
    WriteFile(sysdir + "/Data/Data/ljkc.dbf", "new rows");

    ASSERT_EQ(NvEncrypt(Buffer(home + "/Data/ljkc.dbf"), kProgramKey), 1);
    EXPECT_EQ(ReadFile(encrypted).size(), 8u);
    ASSERT_EQ(NvDecrypt(encrypted.c_str(), kProgramKey), 1);
    EXPECT_EQ(ReadFile(sysdir + "/Data/Data/ljkc.dbf"), "new rows");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(WorkingCopyTest, AFailedEncryptionKeepsThePlainCopyAndTheOldTable) {
    std::string encrypted = home + "/Data/ljkc.dwf";
    std::string working = sysdir + "/Data/Data/ljkc.dbf";
    WriteFile(encrypted, "older encrypted table");
    fs::permissions(encrypted, fs::perms::owner_read);
    WriteFile(working, Pattern(300000));
    ASSERT_EQ(GetfnKey(0) != 0, true); // the key store exists before the limit
    auto before = Snapshot(Path(""));

    int result;
    {
        FileSizeLimit limit(100000);
        result = NvEncrypt(Buffer(home + "/Data/ljkc.dbf"), kProgramKey);
    }

    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"写文件错误，加密失败。"});
    EXPECT_EQ(Snapshot(Path("")), before);
    EXPECT_EQ(Mode(encrypted), 0400u);
}

TEST_F(WorkingCopyTest, AFailedDecryptionKeepsAnEarlierWorkingCopy) {
    WriteFile(sysdir + "/Data/Data/ljkc.dbf", Pattern(300000));
    ASSERT_EQ(NvEncrypt(Buffer(home + "/Data/ljkc.dbf"), kProgramKey), 1);
    WriteFile(sysdir + "/Data/Data/ljkc.dbf", "rows not yet encrypted");
    auto before = Snapshot(Path(""));

    int result;
    {
        FileSizeLimit limit(100000);
        result = NvDecrypt((home + "/Data/ljkc.dwf").c_str(), kProgramKey);
    }

    EXPECT_EQ(result, 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"写文件错误，解密失败。"});
    EXPECT_EQ(Snapshot(Path("")), before);
}

TEST_F(WorkingCopyTest, DecryptRefusesNamesThatDoNotEndInLowerCaseDwf) {
    WriteFile(home + "/Data/ljkc.DWF", "x");
    auto before = Snapshot(Path(""));
    for (std::string name :
         {home + "/Data/ljkc.DWF", home + "/Data/ljkc.dbf", std::string("wf"), std::string()}) {
        SCOPED_TRACE(name);
        boxes.Clear();
        EXPECT_EQ(NvDecrypt(name.c_str(), kProgramKey), 0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"不能用于非本系统加密的文件！"});
    }
    boxes.Clear();
    EXPECT_EQ(NvDecrypt(nullptr, kProgramKey), 0);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"空文件名，该文件被忽略。",
                                                       "不能用于非本系统加密的文件！"}));
    EXPECT_EQ(Snapshot(Path("")), before);
}

TEST_F(WorkingCopyTest, BadPathsFailWithoutTouchingAnything) {
    WriteFile(home + "/Data/ljsh.dwf", "x");
    WriteFile(sysdir + "/Data/Data/ljsh.dwf", "rows");
    std::string longPath = home + "/Data/" + std::string(250, 'a') + ".dbf";
    auto before = Snapshot(Path(""));

    // Encrypt: null, empty and over-long paths, and a missing working copy.
    for (const char* path :
         {static_cast<const char*>(nullptr), "", longPath.c_str(), "/nowhere/ljkc.dbf"}) {
        SCOPED_TRACE(path ? path : "(null)");
        boxes.Clear();
        std::string argument = path ? path : "";
        std::vector<char> buffer(argument.begin(), argument.end());
        buffer.resize(std::max<size_t>(buffer.size() + 1, SEALKIT_MAX_PATH), '\0');
        EXPECT_EQ(NvEncrypt(path ? buffer.data() : nullptr, kProgramKey), 0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"打开源文件出错!"});
        if (path && argument.size() >= SEALKIT_MAX_PATH) {
            EXPECT_EQ(argument, buffer.data());
        }
    }
    EXPECT_FALSE(fs::exists("/nowhere"));

    // An encrypted table inside the working folder is never deleted as its own working copy.
    boxes.Clear();
    EXPECT_EQ(NvEncrypt(Buffer(sysdir + "/Data/Data/ljsh.dwf"), kProgramKey), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"创建目标文件出错!"});

    // Decrypt: a missing encrypted table, a missing working folder, an over-long path.
    struct Case {
        std::string path, message;
    } cases[] = {{home + "/Data/none.dwf", "无法打开源文件。"},
                 {home + "/zt09/ljsh.dwf", "无法打开源文件。"},
                 {home + "/" + std::string(250, 'b') + ".dwf", "无法打开源文件。"}};
    fs::rename(sysdir + "/Data/Data", sysdir + "/Data/moved");
    for (const Case& c : cases) {
        boxes.Clear();
        EXPECT_EQ(NvDecrypt(c.path.c_str(), kProgramKey), 0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
    }
    boxes.Clear();
    EXPECT_EQ(NvDecrypt((home + "/Data/ljsh.dwf").c_str(), kProgramKey), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"无法创建目标文件。"});
    fs::rename(sysdir + "/Data/moved", sysdir + "/Data/Data");
    EXPECT_EQ(Snapshot(Path("")), before);
}

TEST_F(WorkingCopyTest, AWorkingCopyPathThatDoesNotFitTheBufferIsRefused) {
    std::string deepSysdir = Path(std::string(240, 's'));
    fs::create_directories(deepSysdir + "/Data/Data");
    ::setenv("QV_SYSDIR", deepSysdir.c_str(), 1);
    std::string plain = home + "/Data/ljkc.dbf";
    char* path = Buffer(plain);
    EXPECT_EQ(NvEncrypt(path, kProgramKey), 0);
    EXPECT_EQ(std::string(path), plain);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"打开源文件出错!"});
    EXPECT_FALSE(fs::exists(home + "/Data/ljkc.dwf"));
}
