// The structural index: every write leaves it holding exactly one key per record,
// readable by our reader and by an independent one (index_dump of libdbd-xbase-perl).
#include "dbf_fixture.h"
#include "foxdb/cdx_index.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <random>

using namespace foxdb;
using namespace foxdb_test;

namespace {

// (key, recno) pairs the table's records should give the tag on `field`, in index order.
std::vector<CdxKey> ExpectedKeys(const DbfTable& t, int field) {
    std::vector<CdxKey> keys;
    for (uint32_t r = 1; r <= t.RecordCount(); ++r) {
        std::string key(t.RawField(r, field));
        if (t.Fields()[field].type == 'I') {
            uint32_t v = static_cast<unsigned char>(key[0]) |
                         static_cast<unsigned char>(key[1]) << 8 |
                         static_cast<unsigned char>(key[2]) << 16 |
                         static_cast<uint32_t>(static_cast<unsigned char>(key[3])) << 24;
            v ^= 0x80000000u;
            key = {static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                   static_cast<char>(v >> 8), static_cast<char>(v)};
        }
        keys.push_back(CdxKey{key, r});
    }
    std::sort(keys.begin(), keys.end(), [](const CdxKey& a, const CdxKey& b) {
        return a.key != b.key ? a.key < b.key : a.recno < b.recno;
    });
    return keys;
}

std::vector<CdxKey> IndexKeys(const std::string& cdxPath, const std::string& tagName,
                              bool characterKeys) {
    std::string bytes = ReadBytes(cdxPath);
    for (const CdxTag& tag : ReadCdxTags(bytes, cdxPath))
        if (tag.name == tagName) return ReadCdxKeys(bytes, tag, characterKeys, cdxPath);
    ADD_FAILURE() << "no tag " << tagName;
    return {};
}

void ExpectSameKeys(const std::vector<CdxKey>& got, const std::vector<CdxKey>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].key, want[i].key) << i;
        ASSERT_EQ(got[i].recno, want[i].recno) << i;
    }
}

} // namespace

TEST(CdxIndex, HoldsOneKeyPerRecordThroughManyPages) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(name C(12) UNIQUE,no I UNIQUE)"));
    std::string path = dir.File("t.dbf");
    std::mt19937 random(7);
    std::vector<int> numbers(30000);
    for (size_t i = 0; i < numbers.size(); ++i)
        numbers[i] = static_cast<int>(i) - 15000;
    std::shuffle(numbers.begin(), numbers.end(), random);
    {
        TableEdit edit(path);
        // Names share long prefixes and end in blanks: both compressions are used.
        for (int n : numbers)
            edit.Append({Gbk("配件") + std::to_string(n * 7 + 1000000), int64_t(n)});
        edit.Append({std::string(), int64_t(99999)}); // an all-blank key
        edit.Delete(5);                               // deleted records keep their keys
        edit.Commit();
    }
    auto t = DbfTable::Open(path);
    EXPECT_TRUE(t->Fields()[0].unique && t->Fields()[1].unique);
    auto tags = ReadCdxTags(ReadBytes(dir.File("t.cdx")), "t.cdx");
    ASSERT_EQ(tags.size(), 2u);
    EXPECT_EQ(tags[0].name, "NAME");
    EXPECT_EQ(tags[0].expression, "NAME");
    EXPECT_EQ(tags[0].keyLength, 12);
    EXPECT_EQ(tags[1].name, "NO");
    EXPECT_EQ(tags[1].keyLength, 4);
    EXPECT_TRUE(tags[1].Unique());
    ExpectSameKeys(IndexKeys(dir.File("t.cdx"), "NO", false), ExpectedKeys(*t, 1));
    ExpectSameKeys(IndexKeys(dir.File("t.cdx"), "NAME", true), ExpectedKeys(*t, 0));

    // After an update and a PACK the keys follow the records.
    {
        TableEdit edit(path);
        edit.Update(10, 1, int64_t(123456));
        edit.Commit();
    }
    Pack(path);
    t = DbfTable::Open(path);
    EXPECT_EQ(t->RecordCount(), numbers.size());
    ExpectSameKeys(IndexKeys(dir.File("t.cdx"), "NO", false), ExpectedKeys(*t, 1));
}

// Edits made one after the other, each index made from the one before (known to
// match, as this process wrote it) and the keys that change: it holds what one made
// from the records would, through new keys anywhere in the order, moved and
// deleted records.
TEST(CdxIndex, AnIndexMadeFromTheLastOneFollowsTheRecords) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(name C(12) UNIQUE,no I UNIQUE)"));
    const std::string path = dir.File("t.dbf");
    std::mt19937 random(11);
    int next = 0;
    // Distinct for distinct n (9999991 is prime), in no particular order.
    auto name = [](int n) { return Gbk("件") + std::to_string(int64_t(n) * 7919 % 9999991); };
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        TableEdit edit(path);
        const uint32_t count = edit.Table().RecordCount();
        for (int i = 0; i < 1 + round % 4; ++i, ++next)
            edit.Append({name(next), int64_t(next % 2 ? next : -next)});
        for (int i = 0; i < 3 && count > 0; ++i) {
            const uint32_t recno = 1 + random() % count;
            switch (random() % 3) {
            case 0:
                edit.Update(recno, 1, int64_t(1000000 + next));
                edit.Update(recno, 0, name(1000000 + next++));
                break;
            case 1:
                edit.Delete(recno);
                break;
            default:
                edit.Update(recno, 0, edit.Get(recno, 0)); // a key written as it was
            }
        }
        edit.Commit();
        auto t = DbfTable::Open(path);
        ExpectSameKeys(IndexKeys(dir.File("t.cdx"), "NO", false), ExpectedKeys(*t, 1));
        ExpectSameKeys(IndexKeys(dir.File("t.cdx"), "NAME", true), ExpectedKeys(*t, 0));
        if (HasFatalFailure()) return;
    }
}

TEST(CdxIndex, IndexDumpListsTheKeys) {
    if (!std::filesystem::exists("/usr/bin/index_dump")) GTEST_SKIP() << "no index_dump";
    TempFolder dir;
    std::string path = CreateCatalogTable(dir.Path(), "ljkc");
    std::map<uint32_t, int> keyOf;
    {
        TableEdit edit(path);
        int no = edit.Table().FieldIndex("no");
        for (int i = 0; i < 3000; ++i) {
            std::vector<Value> row(edit.Table().Fields().size(), Null{});
            row[no] = int64_t((i * 7919) % 3000 - 1000);
            keyOf[edit.Append(row)] = static_cast<int>(std::get<int64_t>(row[no]));
        }
        edit.Commit();
    }
    std::string command = "index_dump -type=num '" + dir.File("ljkc.cdx") + "' NO";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[256];
    std::vector<std::pair<long long, uint32_t>> listed;
    while (std::fgets(line, sizeof line, pipe)) {
        long long key;
        unsigned recno;
        if (std::sscanf(line, "%lld %u", &key, &recno) == 2) listed.emplace_back(key, recno);
    }
    ::pclose(pipe);
    // index_dump decodes 4-byte keys as N keys: a value v >= 0 shows as v, a negative
    // one as 2^31 - v - 1; the order is the index's.
    std::vector<std::pair<int, uint32_t>> expected;
    for (auto [recno, key] : keyOf)
        expected.emplace_back(key, recno);
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(listed.size(), expected.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        long long shown =
            expected[i].first >= 0 ? expected[i].first : 2147483648LL - expected[i].first - 1;
        EXPECT_EQ(listed[i].first, shown) << i;
        EXPECT_EQ(listed[i].second, expected[i].second) << i;
    }
}

TEST(CdxIndex, AStaleIndexIsRebuiltByTheNextWrite) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(a C(4),no I UNIQUE)"));
    std::string path = dir.File("t.dbf");
    const std::string emptyIndex = ReadBytes(dir.File("t.cdx"));
    {
        TableEdit edit(path);
        for (int i = 1; i <= 50; ++i)
            edit.Append({Gbk("x"), int64_t(i)});
        edit.Commit();
    }
    // Tables and indexes travel separately (backups, working copies): an old index
    // beside a newer table.
    WriteBytes(dir.File("t.cdx"), emptyIndex);
    TableEdit edit(path);
    edit.Update(3, 0, Gbk("y"));
    edit.Commit();
    ExpectSameKeys(IndexKeys(dir.File("t.cdx"), "NO", false),
                   ExpectedKeys(*DbfTable::Open(path), 1));
}

TEST(CdxIndex, AMissingOrDamagedIndexStopsWritesButNotReads) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("(a C(4),no I UNIQUE)"));
    std::string path = dir.File("t.dbf");
    {
        TableEdit edit(path);
        edit.Append({Gbk("x"), int64_t(1)});
        edit.Commit();
    }
    const std::string table = ReadBytes(path), index = ReadBytes(dir.File("t.cdx"));
    struct Case {
        const char* what;
        std::string cdx; // empty: no index file
        const char* message;
    } cases[] = {
        {"missing", "", "t.cdx: Structural .CDX file is not found."},
        {"cut short", index.substr(0, 1000), "t.cdx: the index file has a wrong size"},
        {"root outside",
         [&] {
             std::string b = index;
             b[1] = 0x7F;
             return b;
         }(),
         "outside the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(dir.File("t.cdx"));
        if (!c.cdx.empty()) WriteBytes(dir.File("t.cdx"), c.cdx);
        auto t = DbfTable::Open(path);
        EXPECT_EQ(t->Get(1, 1), Value(int64_t(1)));
        TableEdit edit(path);
        edit.Append({Gbk("y"), int64_t(2)});
        try {
            edit.Commit();
            ADD_FAILURE() << "committed";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::BadFile);
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        EXPECT_EQ(ReadBytes(path), table);
    }
}

// Seeking descends the tree to the first key not below the one sought: every key,
// duplicates across leaf pages, and keys below, between and above those held; with
// orGreater every record from that key to the end.
TEST(CdxIndex, SeekFindsExactlyTheRecordsOfAKey) {
    CdxTagContent tag;
    tag.name = "K";
    tag.expression = "K";
    tag.keyLength = 6;
    tag.characterKeys = true;
    std::map<std::string, std::vector<uint32_t>> want;
    for (uint32_t r = 1; r <= 6000; ++r) {
        // Even numbers only, a few of them many times over.
        const int n = r % 7 == 0 ? 500 : static_cast<int>(r * 2 % 9000);
        char key[8];
        std::snprintf(key, sizeof key, "%04d  ", n);
        tag.keys.push_back(CdxKey{std::string(key, 6), r});
        want[std::string(key, 6)].push_back(r);
    }
    const std::string bytes = BuildCdx({tag});
    const std::vector<CdxTag> tags = ReadCdxTags(bytes, "t.cdx");
    ASSERT_EQ(tags.size(), 1u);
    auto read = [&](uint32_t offset, char* page) {
        ASSERT_LE(offset + 512u, bytes.size());
        std::memcpy(page, bytes.data() + offset, 512);
    };
    for (int n : {-1, 0, 1, 2, 499, 500, 501, 4444, 8998, 8999, 9000, 9999}) {
        char key[16];
        std::snprintf(key, sizeof key, "%04d  ", n);
        SCOPED_TRACE(key);
        std::vector<uint32_t> found = SeekCdxKey(read, tags[0], true, std::string(key, 6), "t.cdx");
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, want[std::string(key, 6)]);

        std::vector<uint32_t> from;
        for (auto it = want.lower_bound(std::string(key, 6)); it != want.end(); ++it)
            from.insert(from.end(), it->second.begin(), it->second.end());
        std::sort(from.begin(), from.end());
        found = SeekCdxKey(read, tags[0], true, std::string(key, 6), "t.cdx", true);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, from);
    }
    EXPECT_GT(want["0500  "].size(), 800u); // spans several leaf pages
}
