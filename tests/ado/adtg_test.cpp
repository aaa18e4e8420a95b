// Save and Open of ADTG TableGrams: the published capture and worked example open,
// a saved recordset comes back with its fields, values, Nulls and pending changes,
// and a truncated or damaged file is refused whole.
#include "ado/adtg.h"
#include "ado_fixture.h"
#include "adtg_vectors.h"
#include "platform/files.h"

using namespace ado;
using namespace ado_test;

namespace {

std::unique_ptr<Recordset> OpenFile(const std::string& path) {
    auto rs = std::make_unique<Recordset>();
    rs->Open(path, nullptr, adOpenStatic, adLockBatchOptimistic, adCmdFile);
    return rs;
}

std::unique_ptr<Recordset> OpenBytes(const TempFolder& dir, const std::string& bytes) {
    std::string path = dir.File("t.adtg");
    platform::DeleteFile(path);
    EXPECT_TRUE(platform::WriteFileAtomic(path, bytes));
    return OpenFile(path);
}

std::string Bytes(const std::string& path) {
    std::string b;
    EXPECT_TRUE(platform::ReadFileBytes(path, b));
    return b;
}

// Parts with pending changes: row 2 edited (数量 to Null, 名称 changed), row 4
// deleted, one new row.
std::unique_ptr<Recordset> PartsWithChanges() {
    auto rs = OpenParts();
    rs->PutAbsolutePosition(2);
    rs->Fields().Item("数量").PutValue(Variant::Null());
    rs->Fields().Item("名称").PutValue("新垫片");
    rs->PutAbsolutePosition(4);
    rs->Delete();
    rs->AddNew();
    rs->Fields().Item("no").PutValue(-1);
    rs->Fields().Item("编号").PutValue("N1");
    rs->Fields().Item("日期").PutValue("2026-12-10");
    rs->Update();
    return rs;
}

} // namespace

TEST(Adtg, TheCapturedTableGramOpens) {
    TempFolder dir;
    auto rs = OpenBytes(dir, FromHex(kCapturedTableGram));
    Fields& f = rs->Fields();
    ASSERT_EQ(f.Count(), 5);
    struct Col {
        const char* name;
        DataTypeEnum type;
        long size;
        const char* value;
    } cols[] = {{"pub_id", adChar, 4, "0736"},
                {"pub_name", adVarChar, 40, "New Moon Books"},
                {"city", adVarChar, 20, "New York"},
                {"state", adChar, 2, "MA"},
                {"country", adVarChar, 30, "USA"}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(f.Item(i).Name(), cols[i].name);
        EXPECT_EQ(f.Item(i).Type(), cols[i].type) << cols[i].name;
        EXPECT_EQ(f.Item(i).DefinedSize(), cols[i].size) << cols[i].name;
        EXPECT_EQ(f.Item(i).Precision(), 255);
        EXPECT_EQ(f.Item(i).Value().ToString(), cols[i].value);
    }
    EXPECT_TRUE(f.Item("pub_id").Attributes() & adFldKeyColumn);
    EXPECT_FALSE(f.Item("pub_id").Attributes() & adFldIsNullable);
    EXPECT_TRUE(f.Item("city").Attributes() & adFldMayBeNull);
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(rs->Status(), adRecUnmodified);
    EXPECT_EQ(rs->ActiveConnection(), nullptr);
}

TEST(Adtg, TheWorkedExampleOpensWithItsNull) {
    TempFolder dir;
    auto rs = OpenBytes(dir, FromHex(kWorkedTableGram));
    ASSERT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields().Item("QTY").Type(), adInteger);
    EXPECT_EQ(rs->Fields().Item("DUE").Type(), adDBDate);
    EXPECT_EQ(Text(*rs, "NAME"), "WIDGET    ");
    EXPECT_EQ(rs->Fields().Item("QTY").Value(), Variant(42));
    EXPECT_EQ(Text(*rs, "DUE"), "2024-03-15");
    rs->MoveNext();
    EXPECT_EQ(Text(*rs, "NAME"), "BOLT      ");
    EXPECT_TRUE(rs->Fields().Item("QTY").Value().IsNull());
    EXPECT_EQ(Text(*rs, "DUE"), "1999-12-31");
}

TEST(Adtg, PendingChangesOfTheWorkedExampleOpen) {
    TempFolder dir;
    std::string bytes = FromHex(kWorkedTableGram).substr(0, 0xC0); // the metadata
    bytes += FromHex("07A0424F4C54202020202020CF070C001F00"        // BOLT, its QTY Null ...
                     "0A4000"                                      // ... changed to 7
                     "07000000"
                     "07E057494447455420202020"   // WIDGET ...
                     "2A000000E80703000F000C"     // ... deleted
                     "0DE0004E555420202020202020" // new: NUT, 100, 2025-01-02
                     "64000000E90701000200"
                     "0F");
    auto rs = OpenBytes(dir, bytes);
    EXPECT_EQ(rs->RecordCount(), 2); // the deleted row is hidden
    EXPECT_EQ(Text(*rs, "NAME"), "BOLT      ");
    EXPECT_EQ(rs->Status(), adRecModified);
    EXPECT_EQ(rs->Fields().Item("QTY").Value(), Variant(7));
    EXPECT_TRUE(rs->Fields().Item("QTY").OriginalValue().IsNull());
    rs->MoveNext();
    EXPECT_EQ(rs->Status(), adRecNew);
    EXPECT_EQ(Text(*rs, "NAME"), "NUT       ");
    EXPECT_EQ(rs->Fields().Item("QTY").Value(), Variant(100));
    EXPECT_EQ(Text(*rs, "DUE"), "2025-01-02");
    rs->PutFilter(adFilterPendingRecords);
    EXPECT_EQ(rs->RecordCount(), 3);
}

TEST(Adtg, SavedRecordsetComesBackWithFieldsValuesAndPendingChanges) {
    TempFolder dir;
    auto original = PartsWithChanges();
    original->PutSort("no DESC"); // the sort does not change what is saved
    original->Save(dir.File("parts.adtg"));
    EXPECT_EQ(original->AbsolutePosition(), 1);
    auto back = OpenFile(dir.File("parts.adtg"));

    Fields& a = original->Fields();
    Fields& b = back->Fields();
    ASSERT_EQ(b.Count(), a.Count());
    for (int i = 0; i < a.Count(); ++i) {
        EXPECT_EQ(b.Item(i).Name(), a.Item(i).Name());
        EXPECT_EQ(b.Item(i).Type(), a.Item(i).Type()) << a.Item(i).Name();
        EXPECT_EQ(b.Item(i).DefinedSize(), a.Item(i).DefinedSize()) << a.Item(i).Name();
        EXPECT_EQ(b.Item(i).Precision(), a.Item(i).Precision()) << a.Item(i).Name();
        EXPECT_EQ(b.Item(i).NumericScale(), a.Item(i).NumericScale()) << a.Item(i).Name();
        EXPECT_EQ(b.Item(i).Attributes(), a.Item(i).Attributes()) << a.Item(i).Name();
    }
    original->PutSort("");
    original->PutFilter(adFilterPendingRecords);
    back->PutFilter(adFilterPendingRecords);
    EXPECT_EQ(back->RecordCount(), 3);
    for (original->MoveFirst(), back->MoveFirst(); !back->EndOfFile();
         original->MoveNext(), back->MoveNext()) {
        EXPECT_EQ(back->Status(), original->Status());
        if (back->Status() & adRecDeleted) continue;
        for (int i = 0; i < a.Count(); ++i) {
            EXPECT_EQ(b.Item(i).Value(), a.Item(i).Value()) << a.Item(i).Name();
            EXPECT_EQ(b.Item(i).OriginalValue(), a.Item(i).OriginalValue()) << a.Item(i).Name();
        }
    }
    original->PutFilter("");
    back->PutFilter("");
    EXPECT_EQ(Numbers(*back), Numbers(*original));
    // Saving what was read gives the same bytes again.
    back->Save(dir.File("again.adtg"));
    EXPECT_EQ(Bytes(dir.File("again.adtg")), Bytes(dir.File("parts.adtg")));
    // CancelBatch on the reopened copy restores the values read from the database.
    back->CancelBatch();
    back->PutAbsolutePosition(2);
    EXPECT_EQ(Text(*back, "数量"), "12.5");
    EXPECT_EQ(back->RecordCount(), 5);
}

TEST(Adtg, SaveWritesTheFilteredRowsAndNeverOverwrites) {
    TempFolder dir;
    auto rs = OpenParts();
    rs->PutFilter("名称 like '螺*'");
    rs->Save(dir.File("f.adtg"));
    EXPECT_EQ(Numbers(*OpenFile(dir.File("f.adtg"))), (std::vector<long>{1, 3, 5}));
    std::string before = Bytes(dir.File("f.adtg"));
    rs->PutFilter("");
    EXPECT_EQ(ErrorOf([&] { rs->Save(dir.File("f.adtg")); }), STG_E_FILEALREADYEXISTS);
    EXPECT_EQ(Bytes(dir.File("f.adtg")), before);
    EXPECT_EQ(ErrorOf([&] { rs->Save(dir.File("x.xml"), adPersistXML); }),
              AdoHr(adErrFeatureNotAvailable));
    // A group filter does not limit what is saved.
    rs->PutFilter(adFilterPendingRecords);
    rs->Save(dir.File("all.adtg"));
    EXPECT_EQ(OpenFile(dir.File("all.adtg"))->RecordCount(), 5);
}

TEST(Adtg, MissingTruncatedOrDamagedFilesAreRefusedWhole) {
    TempFolder dir;
    EXPECT_EQ(ErrorOf([&] { OpenFile(dir.File("none.adtg")); }), AdoHr(adErrOpeningFile));
    auto rs = PartsWithChanges();
    rs->Save(dir.File("p.adtg"));
    for (const std::string& good : {Bytes(dir.File("p.adtg")), FromHex(kCapturedTableGram)}) {
        for (size_t n = 0; n < good.size(); ++n) {
            HRESULT hr = ErrorOf([&] { ReadTableGram(good.substr(0, n)); });
            ASSERT_EQ(hr, AdoHr(adErrReadFile)) << "cut at " << n;
        }
    }
    struct Damage {
        size_t offset;
        char byte;
        const char* what;
    } damages[] = {{2, 'X', "signature"},         {7, 1, "big-endian"},
                   {8, 1, "Unicode data"},        {0x25, 0x04, "token"},
                   {0x015C, 0x05, "column size"}, {0x02C3, 0x55, "row token"}};
    std::string captured = FromHex(kCapturedTableGram);
    for (const Damage& d : damages) {
        std::string bad = captured;
        bad[d.offset] = d.byte;
        EXPECT_NE(ErrorOf([&] { OpenBytes(dir, bad); }), 0) << d.what;
    }
    // A hierarchy (a second result descriptor) is not read.
    std::string two =
        captured.substr(0, 0x10E) + captured.substr(0x25, 0x8F - 0x25) + captured.substr(0x10E);
    EXPECT_EQ(ErrorOf([&] { OpenBytes(dir, two); }), AdoHr(adErrReadFile));
    // Every single-byte change either opens or is refused, never anything else.
    for (size_t i = 0; i < captured.size(); ++i) {
        std::string bad = captured;
        bad[i] = static_cast<char>(bad[i] ^ 0xA5);
        try {
            ReadTableGram(bad);
        } catch (const ComError& e) {
            EXPECT_EQ(e.Error(), AdoHr(adErrReadFile)) << i;
        }
    }
}

// The sum of an integer column outgrows four bytes; its field, and the saved file,
// carry eight.
TEST(Adtg, ASumOfIntegersKeepsItsWidthThroughASavedFile) {
    TempFolder dir;
    const std::string table = CreateCatalogTable(dir.Path(), "ljsh");
    AppendRecords(table, {{{"数量", int64_t(2000000000)}, {"no", int64_t(1)}},
                          {{"数量", int64_t(2000000000)}, {"no", int64_t(2)}}});
    auto conn = std::make_shared<Connection>();
    conn->Open(ado::ConnectionStringOfFolder(dir.Path()));
    auto rs = std::make_unique<Recordset>();
    rs->Open("select sum(数量) as s from ljsh", conn, adOpenStatic, adLockBatchOptimistic,
             adCmdText);
    EXPECT_EQ(rs->Fields().Item("s").Type(), adBigInt);
    EXPECT_EQ(rs->Fields().Item("s").Value().ToString(), "4000000000");
    rs->Save(dir.File("s.adtg"));
    auto back = OpenFile(dir.File("s.adtg"));
    EXPECT_EQ(back->Fields().Item("s").Type(), adBigInt);
    EXPECT_EQ(back->Fields().Item("s").Value().ToString(), "4000000000");
}
