// UpdateBatch into DBF tables: edits go back to the records they came from, the
// optimistic check reports records changed since they were read, a UNIQUE
// violation fails the save, and a failed batch writes nothing of the table.
#include "ado/adtg.h"
#include "ado_fixture.h"

using namespace ado;
using namespace ado_test;

namespace {

using Lines = std::vector<std::string>;

} // namespace

TEST(BatchSave, ChangesGoBackToTheirRecords) {
    struct Case {
        const char* what;
        const char* sql;
        std::function<void(Recordset&)> edit;
        Lines table;
    } cases[] = {
        {"edit, delete and add",
         "select * from ljkc",
         [](Recordset& rs) {
             rs.Find("编号='P2'");
             Put(rs, "数量", "21");
             rs.MoveNext();
             rs.Delete();
             rs.AddNew();
             Put(rs, "编号", "P5");
             Put(rs, "数量", 50);
             Put(rs, "no", 5);
         },
         {"P1:10", "P2:21", "P4:40", "P5:50"}},
        {"without the key column in the select list",
         "select 数量 from ljkc where 数量>=30",
         [](Recordset& rs) {
             Put(rs, "数量", 31);
             rs.MoveNext();
             Put(rs, "数量", Variant::Null());
         },
         {"P1:10", "P2:20", "P3:31", "P4:null"}},
        {"an aliased column writes its base column",
         "select 数量 as 库存量, no from ljkc",
         [](Recordset& rs) {
             rs.MoveLast();
             Put(rs, "库存量", 44);
         },
         {"P1:10", "P2:20", "P3:30", "P4:44"}},
        {"a sorted and filtered view",
         "select * from ljkc order by no desc",
         [](Recordset& rs) {
             rs.PutFilter("零件名称 like '%螺%'");
             rs.PutSort("数量");
             rs.MoveFirst();
             Put(rs, "数量", 1); // 螺丝, the smallest
         },
         {"P1:1", "P2:20", "P3:30", "P4:40"}},
        {"rows added to an empty result",
         "select * from ljkc where no=0",
         [](Recordset& rs) {
             EXPECT_TRUE(rs.EndOfFile());
             for (int i = 5; i <= 6; ++i) {
                 rs.AddNew();
                 Put(rs, "编号", "P" + std::to_string(i));
                 Put(rs, "数量", i * 10);
                 Put(rs, "no", -i);
             }
         },
         {"P1:10", "P2:20", "P3:30", "P4:40", "P5:50", "P6:60"}},
        {"a computed column stays in the recordset",
         "select 数量, 数量*2 as 两倍 from ljkc",
         [](Recordset& rs) { Put(rs, "两倍", 99); },
         {"P1:10", "P2:20", "P3:30", "P4:40"}},
    };
    for (const Case& c : cases) {
        Stock s;
        auto rs = s.Open(c.sql);
        c.edit(*rs);
        rs->UpdateBatch();
        EXPECT_EQ(s.Table(), c.table) << c.what;
        rs->PutFilter(adFilterPendingRecords);
        EXPECT_EQ(rs->RecordCount(), 0) << c.what;
        rs->PutFilter(adFilterAffectedRecords);
        EXPECT_GT(rs->RecordCount(), 0) << c.what;
    }
}

TEST(BatchSave, RowsStayBoundToTheirRecordsAfterASave) {
    Stock s;
    auto rs = s.Open("select 编号,数量,no from ljkc");
    rs->AddNew();
    Put(*rs, "编号", "P5");
    Put(*rs, "数量", 5);
    rs->UpdateBatch(); // no stays Null here; the table, without Null support, stores 0
    EXPECT_EQ(rs->Status(), adRecUnmodified);
    EXPECT_EQ(rs->EditMode(), adEditNone);
    Put(*rs, "数量", 6); // the new row now goes back to its new record
    rs->MoveFirst();
    Put(*rs, "数量", 11);
    rs->UpdateBatch();
    EXPECT_EQ(s.Table(), (Lines{"P1:11", "P2:20", "P3:30", "P4:40", "P5:6"}));
    EXPECT_EQ(rs->Fields().Item("数量").OriginalValue().ToLong(), 11);
    rs->Requery();
    EXPECT_EQ(rs->RecordCount(), 5);
}

TEST(BatchSave, ConflictsAreReportedAndNothingIsWritten) {
    struct Case {
        const char* what;
        std::function<void(Stock&)> meanwhile; // another user, after the read
        bool conflict;
    } cases[] = {
        {"same column changed",
         [](Stock& s) {
             s.conn->Execute("update ljkc set 数量=12 where no=1", nullptr,
                             adCmdText | adExecuteNoRecords);
         },
         true},
        {"record deleted",
         [](Stock& s) {
             s.conn->Execute("delete from ljkc where no=1", nullptr,
                             adCmdText | adExecuteNoRecords);
         },
         true},
        {"key changed",
         [](Stock& s) {
             s.conn->Execute("update ljkc set no=9 where no=1", nullptr,
                             adCmdText | adExecuteNoRecords);
         },
         true},
        {"another column changed",
         [](Stock& s) {
             s.conn->Execute("update ljkc set 零售价=9 where no=1", nullptr,
                             adCmdText | adExecuteNoRecords);
         },
         false},
    };
    for (const Case& c : cases) {
        Stock s;
        auto rs = s.Open("select * from ljkc");
        Put(*rs, "数量", 11); // record 1
        rs->MoveNext();
        rs->Delete(); // record 2
        rs->AddNew();
        Put(*rs, "编号", "P5");
        Put(*rs, "no", 5);
        c.meanwhile(s);
        Lines before = s.Table();
        try {
            rs->UpdateBatch(adAffectAll);
            EXPECT_FALSE(c.conflict) << c.what;
            continue;
        } catch (const ComError& e) {
            EXPECT_TRUE(c.conflict) << c.what;
            EXPECT_EQ(e.Error(), kRowChangedSinceRead) << c.what;
            EXPECT_EQ(e.ErrorMessage(), "IDispatch error #3128");
            EXPECT_EQ(e.Description(), "Row cannot be located for updating. Some values may have "
                                       "been changed since it was last read.");
        }
        EXPECT_EQ(s.Table(), before) << c.what; // all or nothing
        rs->PutFilter(adFilterConflictingRecords);
        ASSERT_EQ(rs->RecordCount(), 1) << c.what;
        EXPECT_EQ(rs->Status(), adRecModified | adRecConcurrencyViolation) << c.what;
        rs->PutFilter(adFilterPendingRecords);
        EXPECT_EQ(rs->RecordCount(), 3) << c.what; // every change is still pending
        rs->CancelBatch();                         // what the program does next
        rs->PutFilter("");
        EXPECT_EQ(rs->RecordCount(), 4) << c.what;
        EXPECT_EQ(s.Table(), before) << c.what;
    }
}

TEST(BatchSave, UniqueViolationFailsTheWholeSave) {
    Stock s;
    auto rs = s.Open("select * from ljkc");
    Put(*rs, "数量", 99);
    rs->AddNew();
    Put(*rs, "编号", "PX");
    Put(*rs, "no", 2);
    try {
        rs->UpdateBatch();
        FAIL();
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), E_FAIL);
        EXPECT_EQ(e.Description(), "Uniqueness of index NO is violated.");
    }
    EXPECT_EQ(s.Table(), (Lines{"P1:10", "P2:20", "P3:30", "P4:40"}));
    rs->CancelBatch();
    rs->PutFilter(adFilterPendingRecords);
    EXPECT_EQ(rs->RecordCount(), 0);
}

TEST(BatchSave, WhatCannotBeSent) {
    Stock s;
    // A grouped result has no records to go back to.
    auto grouped = s.Open("select 零件名称, sum(数量) as 合计 from ljkc group by 零件名称");
    Put(*grouped, "零件名称", "x");
    EXPECT_EQ(ErrorOf([&] { grouped->UpdateBatch(); }), E_FAIL);
    // A detached recordset needs a connection again.
    auto rs = s.Open("select * from ljkc");
    Put(*rs, "数量", 1);
    rs->PutActiveConnection(nullptr);
    EXPECT_EQ(ErrorOf([&] { rs->UpdateBatch(); }), AdoHr(adErrInvalidConnection));
    rs->PutActiveConnection(s.conn);
    rs->UpdateBatch();
    EXPECT_EQ(s.Table()[0], "P1:1");
}

TEST(BatchSave, UnderACriteriaFilterOnlyTheVisibleRowsAreSent) {
    Stock s;
    auto rs = s.Open("select * from ljkc");
    Put(*rs, "数量", 11);
    rs->MoveLast();
    Put(*rs, "数量", 44);
    rs->PutFilter("no = 4");
    rs->UpdateBatch();
    EXPECT_EQ(s.Table(), (Lines{"P1:10", "P2:20", "P3:30", "P4:44"}));
    rs->PutFilter("");
    rs->UpdateBatch();
    EXPECT_EQ(s.Table(), (Lines{"P1:11", "P2:20", "P3:30", "P4:44"}));
}

TEST(BatchSave, ASavedFileSavesBackToTheSameRecords) {
    Stock s;
    auto rs = s.Open("select 编号, 数量 from ljkc where no >= 3");
    rs->MoveLast();
    Put(*rs, "数量", 41);
    rs->Save(s.dir.File("stock.adtg"));
    rs->CancelBatch();

    Recordset back;
    back.Open(s.dir.File("stock.adtg"), nullptr, adOpenStatic, adLockBatchOptimistic, adCmdFile);
    EXPECT_EQ(back.Fields().Item("数量").OriginalValue().ToLong(), 30);
    back.PutActiveConnection(s.conn);
    back.UpdateBatch();
    EXPECT_EQ(s.Table(), (Lines{"P1:10", "P2:20", "P3:30", "P4:41"}));
}

TEST(BatchSave, AffectCurrentSendsTheCurrentRowOnly) {
    Stock s;
    auto rs = s.Open("select * from ljkc");
    Put(*rs, "数量", 11);
    rs->MoveLast();
    rs->Delete(); // the deleted last record is still the current one
    rs->UpdateBatch(adAffectCurrent);
    EXPECT_EQ(s.Table(), (Lines{"P1:10", "P2:20", "P3:30"}));
    rs->PutFilter(adFilterPendingRecords);
    EXPECT_EQ(rs->RecordCount(), 1); // the edit of P1 waits
    rs->UpdateBatch(adAffectCurrent);
    EXPECT_EQ(s.Table(), (Lines{"P1:11", "P2:20", "P3:30"}));
}
