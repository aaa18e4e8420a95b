// CREATE TABLE from the catalogue's definitions, and the bytes it writes.
#include "dbf_fixture.h"

using namespace foxdb;
using namespace foxdb_test;

namespace {

uint32_t Le32(const std::string& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
           static_cast<unsigned char>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
unsigned Le16(const std::string& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

} // namespace

TEST(DbfCreate, EveryCatalogueTableCreatesAndOpens) {
    TempFolder dir;
    auto codes = CTableCatalog().GetTableCodes();
    ASSERT_EQ(codes.size(), 31u);
    for (const wxString& code : codes) {
        std::string name = code.utf8_string();
        SCOPED_TRACE(name);
        std::vector<FieldDef> defs = ParseFieldList(CatalogDefinition(name));
        CreateTable(dir.Path(), name, defs);
        std::string path = FindTableFile(dir.Path(), name);
        ASSERT_FALSE(path.empty());
        auto table = DbfTable::Open(path);
        EXPECT_EQ(table->RecordCount(), 0u);
        ASSERT_EQ(table->Fields().size(), defs.size());
        for (size_t i = 0; i < defs.size(); ++i) {
            const FieldDef& f = table->Fields()[i];
            EXPECT_EQ(f.type, defs[i].type);
            EXPECT_EQ(f.length, defs[i].length);
            EXPECT_EQ(f.decimals, defs[i].decimals);
            EXPECT_EQ(f.unique, defs[i].unique);
            EXPECT_EQ(f.nullable, !defs[i].unique);
            EXPECT_EQ(table->FieldIndex(defs[i].name), static_cast<int>(i));
        }
        // Every list ends with the unique record number, whose tag is NO.
        EXPECT_TRUE(table->Fields().back().unique);
        EXPECT_EQ(table->Fields().back().name, "NO");
        EXPECT_TRUE(std::filesystem::exists(dir.File(name + ".cdx")));
    }
}

TEST(DbfCreate, WritesTheDriversLayout) {
    TempFolder dir;
    CreateTable(dir.Path(), "t", ParseFieldList("t(name C(10),amt N(8,2),d D,no I UNIQUE)"));
    std::string b = ReadBytes(dir.File("t.dbf"));
    ASSERT_EQ(b.size(), 456u + 1);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x30);
    EXPECT_GE(static_cast<unsigned char>(b[2]), 1); // month
    EXPECT_EQ(Le32(b, 4), 0u);
    EXPECT_EQ(Le16(b, 8), 456u);
    EXPECT_EQ(Le16(b, 10), 32u);
    EXPECT_EQ(static_cast<unsigned char>(b[28]), 0x01);
    EXPECT_EQ(static_cast<unsigned char>(b[29]), 0x7A);
    struct Expected {
        const char* name;
        char type;
        int length, decimals, flags, offset;
    } fields[] = {{"NAME", 'C', 10, 0, 0x02, 1},
                  {"AMT", 'N', 8, 2, 0x02, 11},
                  {"D", 'D', 8, 0, 0x02, 19},
                  {"NO", 'I', 4, 0, 0x00, 27},
                  {"_NullFlags", '0', 1, 0, 0x05, 31}};
    for (size_t i = 0; i < 5; ++i) {
        size_t at = 32 + 32 * i;
        EXPECT_EQ(std::string(b.c_str() + at), fields[i].name);
        EXPECT_EQ(b[at + 11], fields[i].type);
        EXPECT_EQ(Le32(b, at + 12), static_cast<uint32_t>(fields[i].offset));
        EXPECT_EQ(static_cast<unsigned char>(b[at + 16]), fields[i].length);
        EXPECT_EQ(static_cast<unsigned char>(b[at + 17]), fields[i].decimals);
        EXPECT_EQ(static_cast<unsigned char>(b[at + 18]), fields[i].flags);
    }
    EXPECT_EQ(b[192], 0x0D);
    EXPECT_EQ(b.find_first_not_of('\0', 193), 456u); // the empty backlink
    EXPECT_EQ(b[456], 0x1A);
}

TEST(DbfCreate, ParsesDefinitionsAsTheCatalogueWritesThem) {
    struct Case {
        const char* definition;
        std::vector<FieldDef> expected; // name, type, length, decimals, nullable, unique
    } cases[] = {
        {"ljkc(车型 c(20),数量 N(10,2),no I UNIQUE)",
         {{"车型", 'C', 20, 0, true, false},
          {"数量", 'N', 10, 2, true, false},
          {"no", 'I', 4, 0, false, true}}},
        {"(车型 C(20), 编号 C(30),邮编 C (8),日期 D)",
         {{"车型", 'C', 20, 0, true, false},
          {"编号", 'C', 30, 0, true, false},
          {"邮编", 'C', 8, 0, true, false},
          {"日期", 'D', 8, 0, true, false}}},
        // Eleven GBK bytes and more: cut to ten, never inside a character.
        {"(负责人电话号 C(14),abcdefghijkl I,a负责人电话 N(5) NOT NULL)",
         {{"负责人电话", 'C', 14, 0, true, false},
          {"abcdefghij", 'I', 4, 0, true, false},
          {"a负责人电", 'N', 5, 0, false, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.definition);
        std::vector<FieldDef> got = ParseFieldList(c.definition);
        ASSERT_EQ(got.size(), c.expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].name, c.expected[i].name);
            EXPECT_EQ(got[i].type, c.expected[i].type);
            EXPECT_EQ(got[i].length, c.expected[i].length);
            EXPECT_EQ(got[i].decimals, c.expected[i].decimals);
            EXPECT_EQ(got[i].nullable, c.expected[i].nullable);
            EXPECT_EQ(got[i].unique, c.expected[i].unique);
        }
    }
    const char* bad[] = {
        "t", "t(a C)", "t(a C(10)", "t(a X(3))", "t(a C(10) PRIMARY)", "t(a C(10)) junk", "t(,)"};
    for (const char* definition : bad) {
        SCOPED_TRACE(definition);
        EXPECT_THROW(ParseFieldList(definition), Error);
    }
}

TEST(DbfCreate, RefusesAnExistingTableOrDuplicateFields) {
    TempFolder dir;
    CreateCatalogTable(dir.Path(), "ljkc");
    std::string before = ReadBytes(dir.File("ljkc.dbf"));
    EXPECT_THROW(CreateTable(dir.Path(), "LJKC", ParseFieldList("(a C(2))")), Error);
    EXPECT_EQ(ReadBytes(dir.File("ljkc.dbf")), before);
    EXPECT_THROW(CreateTable(dir.Path(), "dup", ParseFieldList("(a C(2),A I)")), Error);
    EXPECT_FALSE(std::filesystem::exists(dir.File("dup.dbf")));
    // A stale index left beside a missing table is replaced, not reused.
    WriteBytes(dir.File("gk.cdx"), std::string(512, 'x'));
    CreateCatalogTable(dir.Path(), "gk");
    EXPECT_TRUE(DbfTable::Open(dir.File("gk.dbf"))->Fields().back().unique);
}

TEST(DbfCreate, FindsTablesIgnoringCase) {
    TempFolder dir;
    CreateTable(dir.Path(), "ljdb", ParseFieldList("(a C(2))"));
    CreateTable(dir.Path(), "LJKC", ParseFieldList("(a C(2))"));
    std::filesystem::rename(dir.File("LJKC.dbf"), dir.File("LJKC.DBF"));
    EXPECT_EQ(FindTableFile(dir.Path(), "LJDB"), dir.File("ljdb.dbf"));
    EXPECT_EQ(FindTableFile(dir.Path(), "ljkc"), dir.File("LJKC.DBF"));
    EXPECT_EQ(FindTableFile(dir.Path(), "ljkc.dbf"), dir.File("LJKC.DBF"));
    EXPECT_EQ(FindTableFile(dir.Path(), "none"), "");
    try {
        DbfTable::Open(dir.File("none.dbf"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::FileNotFound);
        EXPECT_STREQ(e.what(), "File 'none.dbf' does not exist.");
    }
}
