// Editing in batch mode without a database: field puts with the provider's
// conversions, AddNew / Update / CancelUpdate / Delete, Status and CancelBatch.
#include "ado_fixture.h"

using namespace ado;
using namespace ado_test;

TEST(FieldPut, ConvertsToTheFieldsType) {
    struct Case {
        const char* field;
        Variant put;
        const char* read; // Value().ToString() afterwards, or "NULL"
        VARTYPE vt;
    } cases[] = {
        {"no", Variant("-1"), "-1", VT_I4},
        {"no", Variant("1.6"), "2", VT_I4},
        {"no", Variant(7.5), "8", VT_I4},
        {"数量", Variant("12.345"), "12.35", VT_DECIMAL},
        {"数量", Variant("3"), "3", VT_DECIMAL},
        {"数量", Variant(), "NULL", VT_NULL}, // VT_EMPTY stores Null
        {"数量", Variant::Null(), "NULL", VT_NULL},
        {"日期", Variant("2026-12-10"), "2026-12-10", VT_DATE},
        {"日期", Variant("0:00:00"), "0:00:00", VT_DATE}, // the empty date
        {"日期", Variant::Date(46366), "2026-12-10", VT_DATE},
        {"编号", Variant("X9"), "X9        ", VT_BSTR}, // fixed width: padded
        {"编号", Variant(12), "12        ", VT_BSTR},
        {"名称", Variant("刹车总泵修理包"), "刹车总泵修理包      ", VT_BSTR}, // 14 GBK bytes
    };
    for (const Case& c : cases) {
        auto rs = OpenParts();
        Field& f = rs->Fields().Item(c.field);
        f.PutValue(c.put);
        Variant v = f.Value();
        EXPECT_EQ(v.vt(), c.vt) << c.field << " <- " << c.read;
        EXPECT_EQ(v.IsNull() ? std::string("NULL") : v.ToString(), c.read) << c.field;
        EXPECT_EQ(rs->EditMode(), adEditInProgress);
    }
}

TEST(FieldPut, ValuesThatDoNotFitAreRefusedWhole) {
    struct Case {
        const char* field;
        Variant put;
    } cases[] = {
        {"no", Variant("abc")},
        {"no", Variant("")},
        {"no", Variant(3e10)},
        {"数量", Variant("12,5x")},
        {"数量", Variant(123456789.0)}, // N(10,2) holds 8 digits before the point
        {"日期", Variant("2026-02-30")},
        {"日期", Variant("soon")},
        {"编号", Variant("ABCDEFGHIJK")},  // 11 bytes into C(10)
        {"编号", Variant("零件编号六个")}, // 12 GBK bytes: refused, never cut
    };
    for (const Case& c : cases) {
        auto rs = OpenParts();
        Field& f = rs->Fields().Item(c.field);
        Variant before = f.Value();
        EXPECT_EQ(ErrorOf([&] { f.PutValue(c.put); }), DB_E_ERRORSOCCURRED)
            << c.field << " <- " << c.put.ToString();
        EXPECT_EQ(f.Value(), before) << c.field;
        EXPECT_EQ(rs->Status(), adRecUnmodified) << c.field;
    }
    auto rs = OpenParts();
    rs->Fields().Item("编号").PutValue("零件编号六"); // exactly 10 GBK bytes fit
    EXPECT_EQ(Text(*rs, "编号"), "零件编号六");
}

TEST(FieldPut, MetadataAndSizes) {
    auto rs = OpenParts();
    Fields& f = rs->Fields();
    EXPECT_EQ(f.Item("no").Type(), adInteger);
    EXPECT_EQ(f.Item("编号").Type(), adChar);
    EXPECT_EQ(f.Item("数量").Type(), adNumeric);
    EXPECT_EQ(f.Item("数量").Precision(), 10);
    EXPECT_EQ(f.Item("数量").NumericScale(), 2);
    EXPECT_EQ(f.Item("日期").Type(), adDBDate);
    EXPECT_EQ(f.Item("名称").ActualSize(), 20);
    EXPECT_TRUE(f.Item("名称").Attributes() & adFldIsNullable);
    EXPECT_TRUE(f.Item("名称").Attributes() & adFldFixed);
    rs->PutAbsolutePosition(3);
    EXPECT_EQ(f.Item("数量").ActualSize(), -1);
    EXPECT_TRUE(f.Item("数量").Value().IsNull());
    EXPECT_EQ(f.Item("日期").Value().ToDate(), 0); // the empty date reads as date 0
}

TEST(Editing, AddNewUpdateCancelUpdate) {
    auto rs = OpenParts();
    rs->PutAbsolutePosition(2);
    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), adEditAdd);
    EXPECT_EQ(rs->AbsolutePosition(), 6);
    EXPECT_TRUE(rs->Fields().Item("名称").Value().IsNull()); // unset fields are Null
    rs->CancelUpdate();
    EXPECT_EQ(rs->RecordCount(), 5);
    EXPECT_EQ(No(*rs), 2); // back where it stood before AddNew

    rs->AddNew();
    rs->Fields().Item("no").PutValue(-1);
    rs->Update();
    EXPECT_EQ(rs->EditMode(), adEditNone);
    EXPECT_EQ(rs->Status(), adRecNew);
    rs->MoveNext();
    EXPECT_TRUE(rs->EndOfFile()); // a new record goes to the end

    // A move saves the edit in progress; CancelUpdate only drops an open edit.
    rs->MoveFirst();
    rs->Fields().Item("编号").PutValue("Z1");
    rs->MoveNext();
    rs->MovePrevious();
    EXPECT_EQ(Text(*rs, "编号"), "Z1        ");
    const long no = No(*rs);
    rs->Fields().Item("编号").PutValue("Z2");
    rs->Fields().Item("no").PutValue(99);
    rs->Fields().Item("编号").PutValue("Z3");
    rs->CancelUpdate();
    EXPECT_EQ(Text(*rs, "编号"), "Z1        ");
    EXPECT_EQ(No(*rs), no);
    EXPECT_EQ(rs->Status(), adRecModified);
    EXPECT_EQ(rs->Fields().Item("编号").OriginalValue().ToString(), "A001      ");
    EXPECT_EQ(rs->Fields().Item("编号").UnderlyingValue().ToString(), "A001      ");
}

TEST(Editing, DeleteHidesTheRecordUntilCancelBatch) {
    auto rs = OpenParts();
    rs->PutAbsolutePosition(2);
    rs->Delete();
    // The deleted record stays current until the next move, without values.
    EXPECT_EQ(rs->Status(), adRecDeleted);
    EXPECT_FALSE(rs->EndOfFile());
    EXPECT_EQ(ErrorOf([&] { rs->Fields().Item("no").Value(); }), AdoHr(adErrNoCurrentRecord));
    EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), AdoHr(adErrNoCurrentRecord));
    EXPECT_EQ(rs->RecordCount(), 4);
    rs->MoveNext();
    EXPECT_EQ(No(*rs), 3); // the record after the deleted one
    rs->Find("no = 2", 0, adSearchForward, Variant(adBookmarkFirst));
    EXPECT_TRUE(rs->EndOfFile());

    // Deleting inside a walk over the records visits every record once.
    std::vector<long> seen;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        seen.push_back(No(*rs));
        if (No(*rs) % 2) rs->Delete();
    }
    EXPECT_EQ(seen, (std::vector<long>{1, 3, 4, 5}));
    EXPECT_EQ(Numbers(*rs), (std::vector<long>{4}));
    EXPECT_EQ(ErrorOf([&] { rs->Delete(adAffectAll); }), AdoHr(adErrInvalidArgument));

    rs->AddNew();
    rs->Fields().Item("no").PutValue(-1);
    rs->Update();
    rs->MoveFirst();
    rs->Fields().Item("数量").PutValue(99);
    rs->Update();
    rs->CancelBatch();
    EXPECT_EQ(Numbers(*rs), (std::vector<long>{1, 2, 3, 4, 5}));
    rs->PutAbsolutePosition(4);
    EXPECT_EQ(Text(*rs, "数量"), "3.25");
    EXPECT_EQ(rs->Status(), adRecUnmodified);
}

TEST(Editing, ReadOnlyRecordsetRefusesEdits) {
    Recordset rs;
    rs.OpenResult(PartsResult(), "", nullptr, adLockReadOnly);
    const char* text = "Current Recordset does not support updating. This may be a limitation "
                       "of the provider, or of the selected locktype.";
    try {
        rs.Fields().Item("no").PutValue(1);
        FAIL();
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), AdoHr(adErrFeatureNotAvailable));
        EXPECT_EQ(e.Description(), text);
    }
    EXPECT_EQ(ErrorOf([&] { rs.AddNew(); }), AdoHr(adErrFeatureNotAvailable));
    EXPECT_EQ(ErrorOf([&] { rs.Delete(); }), AdoHr(adErrFeatureNotAvailable));
}

TEST(Editing, ComputedColumnsOfAJoinChangeLocallyOnly) {
    foxdb::ResultSet joined = PartsResult(); // no record numbers: not one table
    Recordset rs;
    rs.OpenResult(joined);
    rs.Fields().Item("数量").PutValue(1);
    rs.AddNew();
    rs.Update();
    rs.MoveFirst();
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 5);
    // Nothing can be sent: there is no connection to send it to.
    EXPECT_EQ(ErrorOf([&] { rs.UpdateBatch(); }), AdoHr(adErrInvalidConnection));
    rs.CancelBatch();
    EXPECT_EQ(rs.RecordCount(), 5);
}
