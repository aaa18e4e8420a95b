// The file functions: the keyed format byte for byte, the keyless format, the
// per-user key store, and failures that must leave the destination as it was.
#include "crypt_fixture.h"
#include "oracle.h"

using namespace crypt_test;

TEST_F(CryptTest, KeyedStreamStartsWithTheKnownVector) {
    // MD5 of the program's key gives the RC4 key 7c24c521de + eleven zero bytes.
    WriteFile(Path("zeros"), std::string(16, '\0'));
    ASSERT_EQ(NvEncryptFile(Path("zeros").c_str(), Path("zeros.dwf").c_str(), kProgramKey), 1);
    EXPECT_EQ(Hex(ReadFile(Path("zeros.dwf"))), "bc2bcf8ba8e1e7778f6a30381814bb63");
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(CryptTest, KeyedFilesMatchAnIndependentRc4AndRoundTrip) {
    // Empty, around one chunk, several chunks, around a full buffer of chunks and
    // past the first block of the kept key stream; a second key string between
    // files of the first must not share its stream.
    const struct {
        const char* key;
        size_t size;
    } cases[] = {{kProgramKey, 0},       {kProgramKey, 1},      {kProgramKey, 999},
                 {kProgramKey, 1000},    {kProgramKey, 1001},   {kProgramKey, 4321},
                 {kProgramKey, 1000000}, {"another key", 5000}, {kProgramKey, 1000001},
                 {kProgramKey, 1048600}, {"another key", 1000}, {kProgramKey, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.size));
        std::string plain = Pattern(c.size, static_cast<unsigned>(c.size));
        WriteFile(Path("t.dbf"), plain);
        ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), c.key), 1);
        std::string encrypted = ReadFile(Path("t.dwf"));
        EXPECT_EQ(encrypted.size(), c.size);
        EXPECT_EQ(Hex(encrypted), KeyedOracle(c.key, Path("t.dbf")));

        char back[SEALKIT_MAX_PATH];
        std::snprintf(back, sizeof back, "%s", Path("back.dbf").c_str());
        ASSERT_EQ(NvDecryptFile(Path("t.dwf").c_str(), back, c.key), 1);
        EXPECT_EQ(ReadFile(Path("back.dbf")), plain);
    }
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(CryptTest, KeylessFilesCarryASimpleBlobUnderTheUsersKey) {
    for (size_t size : {0, 1000, 2345}) {
        SCOPED_TRACE(size);
        std::string plain = Pattern(size, 7);
        WriteFile(Path("t.dbf"), plain);
        ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), nullptr), 1);
        std::string encrypted = ReadFile(Path("t.dwf"));
        // Length, 12-byte blob header and a 2048-bit key, then the body.
        EXPECT_EQ(encrypted.size(), 4 + 12 + 256 + size);
        EXPECT_EQ(KeylessOracle(config + "/qv/sealkit.keys", Path("t.dwf")), Hex(plain));

        char back[SEALKIT_MAX_PATH];
        std::snprintf(back, sizeof back, "%s", Path("back.xyz").c_str());
        ASSERT_EQ(NvDecryptFile(Path("t.dwf").c_str(), back, nullptr), 1);
        EXPECT_EQ(std::string(back), Path("back.dbf"));
        EXPECT_EQ(ReadFile(Path("back.dbf")), plain);
    }
    // Each file gets its own session key.
    WriteFile(Path("t.dbf"), std::string(64, 'x'));
    ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("a.dwf").c_str(), nullptr), 1);
    ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("b.dwf").c_str(), nullptr), 1);
    EXPECT_NE(ReadFile(Path("a.dwf")).substr(4 + 268), ReadFile(Path("b.dwf")).substr(4 + 268));

    EXPECT_EQ(Mode(config + "/qv"), 0700u);
    EXPECT_EQ(Mode(config + "/qv/sealkit.keys"), 0600u);
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(CryptTest, DamagedKeylessHeadersAreRefused) {
    WriteFile(Path("t.dbf"), Pattern(500));
    ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("good.dwf").c_str(), nullptr), 1);
    std::string good = ReadFile(Path("good.dwf"));
    std::string body = good.substr(4);
    std::string damagedBlob = good;
    damagedBlob[4 + 100] ^= 0x55;
    struct Case {
        const char* name;
        std::string bytes;
        const char* message;
    } cases[] = {
        {"short header", std::string("\x10\x01", 2), "读文件头出错，解密失败。"},
        {"blob past the end", std::string("\x10\x01\x00\x00", 4) + std::string(100, 'x'),
         "文件头错误，解密失败。"},
        {"huge blob length", std::string("\xf0\xff\xff\xff", 4) + body, "文件头错误，解密失败。"},
        {"empty blob", std::string(4, '\0') + body, "内部错误，解密失败。"},
        {"damaged blob", damagedBlob, "内部错误，解密失败。"},
        {"wrong blob type", std::string(good).replace(4, 1, "\x07"), "内部错误，解密失败。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.Clear();
        fs::create_directories(Path("out"));
        WriteFile(Path("in.dwf"), c.bytes);
        WriteFile(Path("out/t.dbf"), "earlier working copy");
        char target[SEALKIT_MAX_PATH];
        std::snprintf(target, sizeof target, "%s", Path("out/t.dwf").c_str());
        EXPECT_EQ(NvDecryptFile(Path("in.dwf").c_str(), target, nullptr), 0);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(Snapshot(Path("out")),
                  "t.dbf 20 " + std::to_string(std::hash<std::string>()("earlier working copy")) +
                      "\n");
    }
}

TEST_F(CryptTest, AnotherUserCannotOpenAKeylessFile) {
    WriteFile(Path("t.dbf"), Pattern(1500));
    ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), nullptr), 1);

    std::string other = Path("other-config");
    ::setenv("XDG_CONFIG_HOME", other.c_str(), 1);
    char target[SEALKIT_MAX_PATH];
    std::snprintf(target, sizeof target, "%s", Path("back.dbf").c_str());
    EXPECT_EQ(NvDecryptFile(Path("t.dwf").c_str(), target, nullptr), 0);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"内部错误，解密失败。"});
    EXPECT_FALSE(fs::exists(Path("back.dbf")));

    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(NvDecryptFile(Path("t.dwf").c_str(), target, nullptr), 1);
    EXPECT_EQ(ReadFile(Path("back.dbf")), Pattern(1500));
}

TEST_F(CryptTest, KeyExportsKeepOnePairAndOneStoredKeyPerUser) {
    SEALKIT_HANDLE exchange = 0;
    EXPECT_EQ(GetEncryptPublicKey(0, nullptr), 0);
    ASSERT_EQ(GetEncryptPublicKey(0, &exchange), 1);
    EXPECT_NE(exchange, 0u);
    std::string keyFile = config + "/qv/sealkit.keys";
    std::string pairOnly = ReadFile(keyFile);
    EXPECT_EQ(pairOnly.find("fnKey="), std::string::npos);

    SEALKIT_HANDLE first = GetfnKey(0);
    EXPECT_NE(first, 0u);
    std::string withKey = ReadFile(keyFile);
    EXPECT_EQ(withKey.rfind(pairOnly, 0), 0u); // the pair stays as it was
    EXPECT_NE(withKey.find("fnKey="), std::string::npos);
    SEALKIT_HANDLE second = GetfnKey(0);
    EXPECT_NE(second, 0u);
    EXPECT_EQ(ReadFile(keyFile), withKey); // read back, not made again
    EXPECT_EQ(GetfnKey(987654321), 0u);    // not a handle of ours

    SealkitContext context{};
    context.word[11] = first;
    context.word[12] = exchange;
    EXPECT_EQ(RELEASE(context), 0);
    context = SealkitContext{};
    context.word[11] = second;
    EXPECT_EQ(RELEASE(context), 0);
    EXPECT_EQ(Mode(keyFile), 0600u);
}

TEST_F(CryptTest, EveryFileFunctionLeavesTheUsersStoredKeyInItsStore) {
    const std::string keyFile = config + "/qv/sealkit.keys";
    WriteFile(Path("t.dbf"), Pattern(3000));
    ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), kProgramKey), 1);
    const std::string made = ReadFile(keyFile);
    EXPECT_NE(made.find("exchange-n="), std::string::npos);
    EXPECT_NE(made.find("fnKey="), std::string::npos);

    // A store holding the pair only gets the key again, the pair kept; once both are
    // there, neither decrypting nor encrypting writes the store.
    std::string pairOnly = made.substr(0, made.find("fnKey="));
    pairOnly += made.substr(made.find('\n', made.find("fnKey=")) + 1);
    WriteFile(keyFile, pairOnly);
    char back[SEALKIT_MAX_PATH];
    std::snprintf(back, sizeof back, "%s", Path("back.dbf").c_str());
    ASSERT_EQ(NvDecryptFile(Path("t.dwf").c_str(), back, kProgramKey), 1);
    const std::string again = ReadFile(keyFile);
    EXPECT_EQ(again.rfind(pairOnly, 0), 0u);
    EXPECT_NE(again.find("fnKey="), std::string::npos);
    ASSERT_EQ(NvDecryptFile(Path("t.dwf").c_str(), back, kProgramKey), 1);
    ASSERT_EQ(NvEncryptFile(Path("back.dbf").c_str(), Path("t.dwf").c_str(), kProgramKey), 1);
    EXPECT_EQ(ReadFile(keyFile), again);
    EXPECT_EQ(ReadFile(Path("back.dbf")), Pattern(3000));
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST_F(CryptTest, ADamagedKeyStoreIsNeverReplaced) {
    fs::create_directories(config + "/qv");
    std::string keyFile = config + "/qv/sealkit.keys";
    WriteFile(keyFile, "exchange-n=zz\n");
    EXPECT_EQ(GetfnKey(0), 0u);
    SEALKIT_HANDLE exchange = 0;
    EXPECT_EQ(GetEncryptPublicKey(0, &exchange), 0);
    EXPECT_EQ(exchange, 0u);

    // The keyless variant reports the missing pair in its two steps; keyed files still work.
    WriteFile(Path("t.dbf"), "plain");
    EXPECT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), nullptr), 0);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"创建密钥失败!", "公用密钥可能不存在!"}));
    EXPECT_FALSE(fs::exists(Path("t.dwf")));
    EXPECT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), kProgramKey), 1);
    EXPECT_EQ(ReadFile(keyFile), "exchange-n=zz\n");
}

TEST_F(CryptTest, BadPathsFailWithTheirOwnMessageAndTouchNothing) {
    // A real file whose path is longer than the 260-byte limit.
    std::string longFolder = home + "/Data/" + std::string(200, 'a');
    fs::create_directories(longFolder);
    std::string longFile = longFolder + "/" + std::string(60, 'b') + ".dbf";
    WriteFile(longFile, "long");
    WriteFile(home + "/Data/t.dbf", "plain");
    fs::create_directories(home + "/Data/folder.dbf");
    const std::string null = "(null)", plain = home + "/Data/t.dbf", out = home + "/Data/out.dwf";
    const std::string missing = home + "/none/out.dwf",
                      tooLong = longFolder + "/" + std::string(60, 'c') + ".dbf";

    struct Case {
        bool encrypt;
        std::string source, destination;
        const char* message;
    } cases[] = {
        {true, home + "/Data/none.dbf", out, "打开源文件出错!"},
        {true, home + "/Data/folder.dbf", out, "打开源文件出错!"},
        {true, null, out, "打开源文件出错!"},
        {true, "", out, "打开源文件出错!"},
        {true, longFile, out, "打开源文件出错!"},
        {true, plain, missing, "创建目标文件出错!"},
        {true, plain, null, "创建目标文件出错!"},
        {true, plain, "", "创建目标文件出错!"},
        {true, plain, tooLong, "创建目标文件出错!"},
        {true, plain, home + "/Data/folder.dbf", "创建目标文件出错!"},
        {false, home + "/Data/none.dwf", out, "无法打开源文件。"},
        {false, null, out, "无法打开源文件。"},
        {false, longFile, out, "无法打开源文件。"},
        {false, plain, missing, "无法创建目标文件。"},
        {false, plain, null, "无法创建目标文件。"},
        {false, plain, tooLong, "无法创建目标文件。"},
    };
    auto before = Snapshot(home);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.encrypt ? "encrypt " : "decrypt ") + c.source + " -> " +
                     c.destination);
        boxes.Clear();
        const char* source = c.source == null ? nullptr : c.source.c_str();
        char target[512];
        std::snprintf(target, sizeof target, "%s", c.destination.c_str());
        char* destination = c.destination == null ? nullptr : target;
        int result = c.encrypt ? NvEncryptFile(source, destination, kProgramKey)
                               : NvDecryptFile(source, destination, kProgramKey);
        EXPECT_EQ(result, 0);
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].text, c.message);
        EXPECT_EQ(boxes.Shown()[0].caption, "sealkit");
        EXPECT_EQ(boxes.Shown()[0].type, 0u);
        EXPECT_EQ(Snapshot(home), before);
    }
}

TEST_F(CryptTest, AFailedWriteKeepsTheOldDestination) {
    std::string plain = Pattern(300000);
    WriteFile(Path("t.dbf"), plain);
    ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), kProgramKey), 1);
    std::string encrypted = ReadFile(Path("t.dwf"));
    WriteFile(Path("old.dwf"), "old encrypted table");
    WriteFile(Path("old.dbf"), "old working copy");
    auto before = Snapshot(Path(""));
    {
        FileSizeLimit limit(100000);
        char target[SEALKIT_MAX_PATH];
        std::snprintf(target, sizeof target, "%s", Path("old.dwf").c_str());
        EXPECT_EQ(NvEncryptFile(Path("t.dbf").c_str(), target, kProgramKey), 0);
        EXPECT_EQ(NvDecryptFile(Path("t.dwf").c_str(), target, kProgramKey), 0);
    }
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"写文件错误，加密失败。", "写文件错误，解密失败。"}));
    EXPECT_EQ(Snapshot(Path("")), before); // no partial file, no stray temporary
}

TEST_F(CryptTest, AChangedTableIsReEncryptedWhereItChangedAndComesOutTheSame) {
    // Against an earlier encryption of `base` under the same key: the new file must
    // be byte for byte a fresh encryption, and a small change must be written into
    // the old file (same inode, its read-only mode kept), not as a new one.
    const std::string base = Pattern(3 << 20, 5);
    auto with = [&](size_t at, const std::string& bytes) {
        std::string s = base;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    const struct {
        const char* what;
        std::string plain;
        bool inPlace;
    } cases[] = {
        {"same bytes", base, true},
        {"one byte", with(1234567, "x"), true},
        {"across a chunk's end", with((1 << 20) - 3, "abcdefgh"), true},
        {"last byte", with(base.size() - 1, "z"), true},
        {"grown", base + Pattern(5000, 9), true},
        {"cut short", base.substr(0, base.size() - 7000), true},
        {"mostly new", Pattern(3 << 20, 6), false},
        {"empty", std::string(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteFile(Path("t.dbf"), base);
        fs::remove(Path("t.dwf"));
        ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), kProgramKey), 1);
        ::chmod(Path("t.dwf").c_str(), 0444);
        struct stat before;
        ::stat(Path("t.dwf").c_str(), &before);

        WriteFile(Path("t.dbf"), c.plain);
        ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("t.dwf").c_str(), kProgramKey), 1);
        fs::remove(Path("fresh.dwf"));
        ASSERT_EQ(NvEncryptFile(Path("t.dbf").c_str(), Path("fresh.dwf").c_str(), kProgramKey), 1);
        EXPECT_TRUE(ReadFile(Path("t.dwf")) == ReadFile(Path("fresh.dwf")));
        struct stat after;
        ::stat(Path("t.dwf").c_str(), &after);
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace);
        if (c.inPlace) {
            EXPECT_EQ(Mode(Path("t.dwf")), 0444u);
        }
        EXPECT_FALSE(fs::exists(Path("t.dwf.qv-undo")));
        ::chmod(Path("t.dwf").c_str(), 0644);
    }
    EXPECT_TRUE(boxes.Shown().empty());
}
