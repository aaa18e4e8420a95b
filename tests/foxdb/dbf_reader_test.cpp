// Reading tables other producers wrote, and refusing damaged ones with a clear
// message instead of reading past the data.
#include "dbf_fixture.h"
#include "foxdb/database.h"

#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace foxdb;
using namespace foxdb_test;

namespace {

Date Day(int y, int m, int d) {
    return Date{JulianDayFromCivil(y, m, d)};
}

struct RawField {
    const char* name;
    char type;
    int length, decimals, flags;
};

void Put32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}
void Put16(std::string& b, size_t at, unsigned v) {
    b[at] = static_cast<char>(v);
    b[at + 1] = static_cast<char>(v >> 8);
}

// A table file put together byte by byte, as another program would have written it.
std::string MakeTable(unsigned char version, unsigned char codePage,
                      const std::vector<RawField>& fields,
                      const std::vector<std::string>& records) {
    bool vfp = version >= 0x30 && version <= 0x32;
    size_t headerLength = 32 + 32 * fields.size() + 1 + (vfp ? 263 : 0);
    size_t recordLength = 1;
    for (const RawField& f : fields)
        recordLength += static_cast<size_t>(f.length);
    std::string b(headerLength, '\0');
    b[0] = static_cast<char>(version);
    b[1] = 99, b[2] = 12, b[3] = 31;
    Put32(b, 4, static_cast<uint32_t>(records.size()));
    Put16(b, 8, static_cast<unsigned>(headerLength));
    Put16(b, 10, static_cast<unsigned>(recordLength));
    b[29] = static_cast<char>(codePage);
    size_t offset = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
        size_t at = 32 + 32 * i;
        std::memcpy(&b[at], fields[i].name, std::strlen(fields[i].name));
        b[at + 11] = fields[i].type;
        Put32(b, at + 12, vfp ? static_cast<uint32_t>(offset) : 0x12345678u);
        b[at + 16] = static_cast<char>(fields[i].length);
        b[at + 17] = static_cast<char>(fields[i].decimals);
        b[at + 18] = static_cast<char>(fields[i].flags);
        offset += static_cast<size_t>(fields[i].length);
    }
    b[32 + 32 * fields.size()] = 0x0D;
    for (const std::string& r : records) {
        EXPECT_EQ(r.size(), recordLength);
        b += r;
    }
    b += '\x1A';
    return b;
}

std::string Le(uint64_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>(v >> (8 * i));
    return s;
}

} // namespace

TEST(DbfReader, ReadsDBaseIIIAndFoxPro2Tables) {
    TempFolder dir;
    std::vector<RawField> fields = {{"NAME", 'C', 8, 0, 0},
                                    {"PRICE", 'N', 7, 2, 0},
                                    {"QTY", 'F', 5, 0, 0},
                                    {"OK", 'L', 1, 0, 0},
                                    {"DAY", 'D', 8, 0, 0}};
    std::string gbk = Gbk("机油");
    for (unsigned char version : {0x03, 0xF5}) {
        SCOPED_TRACE(static_cast<int>(version));
        std::string file = dir.File("old.dbf");
        WriteBytes(file, MakeTable(version, 0x00, fields,
                                   {" " + gbk + "    " + "  12.50" + "   -3" + "T" + "20261210",
                                    "*" + std::string(8, ' ') + std::string(7, ' ') + "*****" +
                                        "?" + std::string(8, ' ')}));
        auto t = DbfTable::Open(file);
        ASSERT_EQ(t->RecordCount(), 2u);
        ASSERT_EQ(t->Fields().size(), 5u);
        EXPECT_FALSE(t->Fields()[0].nullable);
        EXPECT_EQ(Text(t->Get(1, 0)), gbk + "    ");
        EXPECT_EQ(t->Get(1, 1), Value(12.5));
        EXPECT_EQ(t->Get(1, 2), Value(-3.0));
        EXPECT_EQ(t->Get(1, 3), Value(true));
        EXPECT_EQ(t->Get(1, 4), Value(Day(2026, 12, 10)));
        EXPECT_FALSE(t->IsDeleted(1));
        EXPECT_TRUE(t->IsDeleted(2));
        EXPECT_EQ(t->Get(2, 1), Value(0.0)); // blank N
        EXPECT_EQ(t->Get(2, 2), Value(0.0)); // an overflow's asterisks
        EXPECT_TRUE(IsNull(t->Get(2, 3)));   // L not set
        EXPECT_EQ(t->Get(2, 4), Value(Date{}));
        EXPECT_THROW(t->Get(3, 0), Error);
        EXPECT_THROW(t->Get(1, 5), Error);
    }
}

TEST(DbfReader, ReadsVisualFoxProTypesAndNullFlags) {
    TempFolder dir;
    // V is a varying field: the length bit comes before its null bit.
    std::vector<RawField> fields = {{"WHEN", 'T', 8, 0, 0x02}, {"PRICE", 'Y', 8, 4, 0},
                                    {"RATE", 'B', 8, 2, 0},    {"NOTE", 'V', 6, 0, 0x02},
                                    {"NO", 'I', 4, 0, 0},      {"_NullFlags", '0', 1, 0, 0x05}};
    double rate = -2.25;
    uint64_t rateBits;
    std::memcpy(&rateBits, &rate, 8);
    const int32_t day = JulianDayFromCivil(2026, 12, 10);
    std::string r1 = " " + Le(static_cast<uint32_t>(day), 4) + Le(3600000, 4) +
                     Le(static_cast<uint64_t>(123456), 8) + Le(rateBits, 8) + "ab   \x02" +
                     Le(static_cast<uint32_t>(-5), 4) + "\x02";
    std::string r2 = " " + std::string(8, '\0') + Le(static_cast<uint64_t>(-10000), 8) +
                     std::string(8, '\0') + "      " + Le(9, 4) + "\x05";
    for (unsigned char version : {0x30, 0x31, 0x32}) {
        SCOPED_TRACE(static_cast<int>(version));
        std::string file = dir.File("vfp.dbf");
        WriteBytes(file, MakeTable(version, 0x4D, fields, {r1, r2}));
        auto t = DbfTable::Open(file);
        ASSERT_EQ(t->Fields().size(), 5u); // _NullFlags stays hidden
        EXPECT_EQ(t->Get(1, 0), Value(Date{day}));
        EXPECT_EQ(t->Get(1, 1), Value(12.3456));
        EXPECT_EQ(t->Get(1, 2), Value(-2.25));
        EXPECT_EQ(Text(t->Get(1, 3)), "ab");
        EXPECT_EQ(t->Get(1, 4), Value(int64_t(-5)));
        EXPECT_TRUE(IsNull(t->Get(2, 0)));
        EXPECT_EQ(t->Get(2, 1), Value(-1.0));
        EXPECT_TRUE(IsNull(t->Get(2, 3)));
        EXPECT_EQ(t->FieldIndex("note"), 3);
        EXPECT_EQ(t->FieldIndex("_NullFlags"), -1);
    }
}

TEST(DbfReader, DamagedFilesGiveAClearError) {
    TempFolder dir;
    std::vector<RawField> fields = {
        {"NAME", 'C', 4, 0, 0x02}, {"NO", 'I', 4, 0, 0}, {"_NullFlags", '0', 1, 0, 0x05}};
    const std::string good =
        MakeTable(0x30, 0x7A, fields, {" abcd" + Le(1, 4) + '\0', " efgh" + Le(2, 4) + '\0'});
    const size_t header = 32 + 3 * 32 + 1 + 263;
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        const char* message;
    } cases[] = {
        {"empty file", [](std::string& b) { b.clear(); }, "too short for a table header"},
        {"cut inside the header", [](std::string& b) { b.resize(20); }, "too short"},
        {"dBase IV", [](std::string& b) { b[0] = 0x43; }, "version byte 0x43"},
        {"header longer than the file", [](std::string& b) { Put16(b, 8, 60000); },
         "header length 60000"},
        {"header too short", [](std::string& b) { Put16(b, 8, 20); }, "header length 20"},
        {"descriptor past the header", [](std::string& b) { Put16(b, 8, 80); },
         "field descriptor 2 runs past the header"},
        {"no end of descriptors", [](std::string& b) { b[32 + 96] = 'X', b[32 + 128] = 'Y'; },
         "unknown type"},
        {"unknown field type", [](std::string& b) { b[32 + 11] = 'Z'; },
         "field NAME has an unknown type 'Z'"},
        {"integer of 3 bytes", [](std::string& b) { b[64 + 16] = 3; }, "wrong length 3"},
        {"record length off", [](std::string& b) { Put16(b, 10, 11); }, "record length 11"},
        {"more records than data", [](std::string& b) { Put32(b, 4, 5); },
         "shorter than its 5 records"},
        {"cut inside a record", [&](std::string& b) { b.resize(header + 14); },
         "shorter than its 2 records"},
        {"nullable without _NullFlags", [](std::string& b) { b[96 + 11] = 'C'; }, "_NullFlags"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = good;
        c.damage(bytes);
        WriteBytes(dir.File("bad.dbf"), bytes);
        // Opening it, and reading its record count from the header alone.
        for (bool countOnly : {false, true}) {
            try {
                if (countOnly)
                    ReadRecordCount(dir.File("bad.dbf"));
                else
                    DbfTable::Open(dir.File("bad.dbf"));
                ADD_FAILURE() << "opened";
            } catch (const Error& e) {
                EXPECT_EQ(e.kind(), ErrorKind::BadFile);
                std::string message = e.what();
                EXPECT_EQ(message.rfind(dir.File("bad.dbf") + ": ", 0), 0u) << message;
                EXPECT_NE(message.find(c.message), std::string::npos) << message;
            }
        }
    }
    // What FoxPro reads on: no end mark, a stray byte after it, and records past the
    // header's count, which it leaves out.
    std::string fewer = good;
    Put32(fewer, 4, 1);
    for (std::string bytes : {good.substr(0, good.size() - 1), good + "\x1A", fewer}) {
        WriteBytes(dir.File("ok.dbf"), bytes);
        const uint32_t count = bytes == fewer ? 1u : 2u;
        auto table = DbfTable::Open(dir.File("ok.dbf"));
        EXPECT_EQ(table->RecordCount(), count);
        EXPECT_EQ(ReadRecordCount(dir.File("ok.dbf")), count);
        EXPECT_EQ(std::get<int64_t>(table->Get(count, 1)), count);
    }
}

// The corpus holds damaged and odd files kept from testing and fuzzing: each must
// open or fail with BadFile, and an opened one must read every field.
TEST(DbfReader, CorpusFilesNeverCrash) {
    const std::string corpus = std::string(QV_SOURCE_DIR) + "/tests/foxdb/corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        ++files;
        SCOPED_TRACE(entry.path().string());
        try {
            auto t = DbfTable::Open(entry.path().string());
            std::vector<Value> row;
            for (uint32_t r = 1; r <= t->RecordCount(); ++r)
                t->ReadRecord(r, row);
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::BadFile) << e.what();
        }
    }
    EXPECT_GT(files, 0);
}

// Memo text lies in the table's .fpt: a block number in the record, the text at
// block x block size behind an 8-byte block header.
TEST(DbfReader, MemoFieldsAreReadFromTheMemoFile) {
    TempFolder dir;
    std::vector<RawField> fields = {
        {"NAME", 'C', 4, 0, 0}, {"NOTE", 'M', 4, 0, 0}, {"NO", 'I', 4, 0, 0}};
    const std::string note = Gbk("换机油，查刹车");
    WriteBytes(dir.File("t.dbf"),
               MakeTable(0x30, 0x7A, fields,
                         {" abcd" + Le(8, 4) + Le(1, 4), " efgh" + Le(0, 4) + Le(2, 4),
                          " ijkl" + Le(9, 4) + Le(3, 4)}));
    auto BigEndian = [](uint32_t v) {
        std::string s;
        for (int i = 3; i >= 0; --i)
            s += static_cast<char>(v >> (8 * i));
        return s;
    };
    std::string fpt(512, '\0');
    fpt.replace(0, 4, BigEndian(10));
    fpt[6] = 0, fpt[7] = 64; // block size
    fpt += BigEndian(1) + BigEndian(static_cast<uint32_t>(note.size())) + note;
    fpt.resize(9 * 64, '\0');
    fpt += BigEndian(1) + BigEndian(3) + "abc";
    WriteBytes(dir.File("T.FPT"), fpt);

    auto t = DbfTable::Open(dir.File("t.dbf"));
    EXPECT_EQ(Text(t->Get(1, 1)), note);
    EXPECT_EQ(Text(t->Get(2, 1)), "");
    std::vector<Value> row;
    t->ReadRecord(3, row);
    EXPECT_EQ(Text(row[1]), "abc");

    foxdb::Database db(dir.Path());
    ResultSet rs = db.Query("select note from t where no=1");
    ASSERT_EQ(rs.rows.size(), 1u);
    EXPECT_EQ(Text(rs.rows[0][0]), note);
    EXPECT_EQ(rs.columns[0].type, adLongVarChar);

    // A block past the file's end, and a missing memo file, are clear errors.
    WriteBytes(dir.File("T.FPT"), fpt.substr(0, 9 * 64 + 4));
    EXPECT_THROW(DbfTable::Open(dir.File("t.dbf"))->Get(3, 1), Error);
    std::filesystem::remove(dir.File("T.FPT"));
    try {
        DbfTable::Open(dir.File("t.dbf"));
        ADD_FAILURE() << "opened without its memo file";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::BadFile);
        EXPECT_NE(std::string(e.what()).find("Memo file t.fpt is missing or is invalid."),
                  std::string::npos)
            << e.what();
    }
}

// Another program truncating a table under a reader: the reads past the new end
// fail with a message naming the table, and the process lives on.
TEST(DbfReader, AFileCutShortUnderAReaderGivesAClearError) {
    TempFolder dir;
    const std::string path = dir.File("cut.dbf");
    std::vector<std::string> records;
    for (int i = 0; i < 4000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%-15d", i);
        records.push_back(" " + std::string(name, 15) + std::string(84, 'x'));
    }
    WriteBytes(path, MakeTable(0x30, 0x7A, {{"NAME", 'C', 15, 0, 0}, {"REST", 'C', 84, 0, 0}},
                               records));
    std::unique_ptr<DbfTable> table = DbfTable::Open(path);
    EXPECT_EQ(Text(table->Get(1, 0)), "0              ");
    ASSERT_EQ(::truncate(path.c_str(), 1024), 0);
    for (const std::function<void()>& read :
         std::vector<std::function<void()>>{[&] { table->Get(3000, 0); },
                                            [&] {
                                                std::vector<Value> values;
                                                table->ReadRecord(3999, values);
                                            },
                                            [&] { table->Get(1, 0); }}) {
        try {
            read();
            ADD_FAILURE() << "a read past the cut gave no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), ErrorKind::BadFile);
            EXPECT_NE(std::string(e.what()).find("cut.dbf: the table file was cut short"),
                      std::string::npos)
                << e.what();
        }
    }
    // Opened again, the table is what the file now holds.
    EXPECT_THROW(DbfTable::Open(path), Error);
}

// A table let go of lets go of its file too, though another thread does the
// unmapping: a deleted file read again and again keeps no mappings, and its pages go
// with the last one.
TEST(DbfReader, ATableLetGoOfUnmapsItsFile) {
    TempFolder dir;
    const std::string path = dir.File("gone.dbf");
    std::vector<std::string> records(50, " " + std::string(15, 'x'));
    auto mapped = [&path] {
        std::ifstream maps("/proc/self/maps");
        std::string line;
        while (std::getline(maps, line))
            if (line.find(path) != std::string::npos) return true;
        return false;
    };
    for (int round = 0; round < 20; ++round) {
        WriteBytes(path, MakeTable(0x30, 0x7A, {{"NAME", 'C', 15, 0, 0}}, records));
        std::unique_ptr<DbfTable> table = DbfTable::Open(path);
        EXPECT_EQ(Text(table->Get(50, 0)), std::string(15, 'x'));
        ASSERT_TRUE(mapped());
        ASSERT_EQ(::unlink(path.c_str()), 0);
        table.reset();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (mapped() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(mapped());

    // A child forked meanwhile has no unmapping thread (and the lock may have been
    // held at the fork): it lets go of its tables at once.
    WriteBytes(path, MakeTable(0x30, 0x7A, {{"NAME", 'C', 15, 0, 0}}, records));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::unique_ptr<DbfTable> table = DbfTable::Open(path);
        const bool was = mapped();
        table.reset();
        _exit(was && !mapped() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
