// NvEncrypt and NvDecrypt: working copies in the system directory, read-only
// encrypted tables beside the plain path, and nothing lost when a step fails.
#include "crypt/encrypt_working_copy.h"
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

// A working copy whose writes since its decryption are known: the encrypted file
// gets just those bytes, and comes out byte for byte a whole encryption of the copy.
TEST_F(WorkingCopyTest, KnownWritesAreAllThatIsEncryptedAgain) {
    using Ranges = std::vector<platform::ByteRange>;
    const std::string base = Pattern(3 << 20, 11);
    auto with = [&](size_t at, const std::string& bytes) {
        std::string s = base;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    const size_t block = 1 << 20; // where two blocks of the kept key stream meet
    const struct {
        const char* what;
        std::string plain;
        Ranges written;
        bool allNamed = true;
    } cases[] = {
        {"one record", with(5000, std::string(40, 'r')), {{5000, 40}}},
        {"records across a block of the key stream",
         with(block - 20, std::string(60, 'x')),
         {{block - 20, 60}}},
        {"unsorted, overlapping and past the end",
         with(100, "ab").replace(2 << 20, 3, "cde"),
         {{(2 << 20) + 1, 2}, {100, 2}, {2 << 20, 2}, {base.size() - 1, 99}}},
        {"appended, the new end not named", base + Pattern(7000, 12), {{4, 4}}},
        {"cut short", base.substr(0, base.size() - 3333), {}},
        {"nothing", base, {}},
        // Bytes the writers did not name are taken as they were: the encrypted
        // file is patched where told, not compared throughout.
        {"a byte outside the ranges", with(777, "q"), {}, false},
    };
    const std::string working = sysdir + "/Data/Data/ljsh.dbf";
    const std::string encrypted = home + "/Data/ljsh.dwf";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(working, base);
        ASSERT_EQ(NvEncrypt(Buffer(home + "/Data/ljsh.dbf"), kProgramKey), 1);
        struct stat before;
        ::stat(encrypted.c_str(), &before);

        WriteFile(working, c.plain);
        ASSERT_EQ(
            sealkit::EncryptWorkingCopy(Buffer(home + "/Data/ljsh.dbf"), kProgramKey, c.written),
            1);
        EXPECT_FALSE(fs::exists(working));
        EXPECT_EQ(Mode(encrypted) & 0222, 0u);
        EXPECT_FALSE(fs::exists(encrypted + ".qv-undo"));
        struct stat after;
        ::stat(encrypted.c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino);

        WriteFile(Path("expected.dbf"), c.allNamed ? c.plain : base);
        fs::remove(Path("expected.dwf"));
        ASSERT_EQ(
            NvEncryptFile(Path("expected.dbf").c_str(), Path("expected.dwf").c_str(), kProgramKey),
            1);
        EXPECT_TRUE(ReadFile(encrypted) == ReadFile(Path("expected.dwf")));
        ::chmod(encrypted.c_str(), 0600);
    }
    // With no encrypted file yet the copy is encrypted whole.
    fs::remove(encrypted);
    WriteFile(working, base);
    ASSERT_EQ(sealkit::EncryptWorkingCopy(Buffer(home + "/Data/ljsh.dbf"), kProgramKey, {}), 1);
    WriteFile(Path("expected.dbf"), base);
    EXPECT_EQ(Hex(ReadFile(encrypted)), KeyedOracle(kProgramKey, Path("expected.dbf")));
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
