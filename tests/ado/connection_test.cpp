// Connection over a folder of tables: the connection texts the program builds,
// Execute, OpenSchema, and the errors of double open and use when closed.
#include "ado_fixture.h"

using namespace ado;
using namespace ado_test;

namespace {

struct Folder {
    TempFolder dir;
    Folder() {
        std::string path = CreateCatalogTable(dir.Path(), "ljkc");
        AppendRecords(path,
                      {{{"编号", std::string("A1")}, {"数量", int64_t{5}}, {"no", int64_t{1}}},
                       {{"编号", std::string("B2")}, {"数量", int64_t{8}}, {"no", int64_t{2}}}});
        CreateCatalogTable(dir.Path(), "gk");
    }
};

} // namespace

TEST(Connection, OpensOnTheTextsTheProgramBuilds) {
    Folder f;
    const std::string texts[] = {
        ado::ConnectionStringOfFolder(f.dir.Path()),
        ado::ConnectionStringOfFolder(f.dir.Path() + "/"),
        "Driver={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" + f.dir.Path() + "\\",
        "DRIVER={Microsoft Visual FoxPro Driver}; SourceType=DBF; SourceDB=" + f.dir.Path() +
            ";Exclusive=No",
    };
    for (const std::string& text : texts) {
        auto conn = std::make_shared<Connection>();
        conn->Open(text, "", "", adConnectUnspecified);
        EXPECT_EQ(conn->State(), adStateOpen) << text;
        EXPECT_EQ(conn->Folder(), f.dir.Path()) << text;
        EXPECT_EQ(conn->ConnectionString(), text);
        conn->Close();
        EXPECT_EQ(conn->State(), adStateClosed);
    }
    auto conn = std::make_shared<Connection>();
    conn->PutConnectionString(texts[0]);
    conn->Open();
    EXPECT_EQ(ErrorOf([&] { conn->Open(); }), AdoHr(adErrObjectOpen));
    EXPECT_EQ(ErrorOf([&] { conn->PutConnectionString("x"); }), AdoHr(adErrObjectOpen));
    conn->Close();
    EXPECT_EQ(ErrorOf([&] { conn->Close(); }), AdoHr(adErrObjectClosed));
    EXPECT_EQ(ErrorOf([&] { conn->Execute("select * from ljkc"); }), AdoHr(adErrObjectClosed));
    conn->Open(); // a closed connection opens again
    EXPECT_EQ(conn->State(), adStateOpen);
}

TEST(Connection, RefusesOtherDriversAndMissingFolders) {
    Folder f;
    struct Case {
        std::string text;
        const char* description;
    } cases[] = {
        {"Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=" + f.dir.File("a.xls"),
         "Data source name not found and no default driver specified"},
        {ado::ConnectionStringOfFolder(f.dir.File("nosuch")), "Invalid path or file name."},
        {"DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=",
         "Invalid path or file name."},
    };
    for (const Case& c : cases) {
        auto conn = std::make_shared<Connection>();
        try {
            conn->Open(c.text);
            ADD_FAILURE() << c.text;
        } catch (const ComError& e) {
            EXPECT_EQ(e.Error(), E_FAIL);
            EXPECT_EQ(e.Description(), c.description);
        }
        EXPECT_EQ(conn->State(), adStateClosed);
    }
}

TEST(Connection, ExecuteAndOpenSchema) {
    Folder f;
    auto conn = std::make_shared<Connection>();
    conn->Open(ado::ConnectionStringOfFolder(f.dir.Path()));
    long affected = 0;
    EXPECT_EQ(conn->Execute("update ljkc set 数量=数量+1 where no=1", &affected,
                            adCmdText | adExecuteNoRecords),
              nullptr);
    EXPECT_EQ(affected, 1);
    RecordsetPtr closed = conn->Execute("delete from ljkc where no=9", &affected, adCmdText);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(closed->State(), adStateClosed);
    EXPECT_EQ(affected, 0);

    RecordsetPtr rs = conn->Execute("select 编号,数量 from ljkc order by no", &affected);
    EXPECT_EQ(affected, -1);
    EXPECT_EQ(rs->LockType(), adLockReadOnly);
    EXPECT_EQ(rs->Fields().Item("数量").Value().ToLong(), 6);
    EXPECT_EQ(ErrorOf([&] { rs->Fields().Item(0).PutValue("x"); }),
              AdoHr(adErrFeatureNotAvailable));
    rs = conn->Execute("LJKC", nullptr, adCmdTable);
    EXPECT_EQ(rs->RecordCount(), 2);

    try {
        conn->Execute("selec * from ljkc");
        ADD_FAILURE();
    } catch (const ComError& e) {
        EXPECT_EQ(e.Error(), DB_E_ERRORSINCOMMAND);
        EXPECT_FALSE(e.Description().empty());
    }
    EXPECT_EQ(ErrorOf([&] { conn->Execute("select * from nosuch"); }), E_FAIL);

    RecordsetPtr tables = conn->OpenSchema(adSchemaTables);
    std::vector<std::string> names;
    for (; !tables->EndOfFile(); tables->MoveNext()) {
        EXPECT_EQ(tables->Fields().Item("TABLE_TYPE").Value().ToString(), "TABLE");
        names.push_back(tables->Fields().Item("TABLE_NAME").Value().ToString());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"gk", "ljkc"}));
}

TEST(Connection, ClosingClosesItsRecordsets) {
    Folder f;
    auto conn = std::make_shared<Connection>();
    conn->Open(ado::ConnectionStringOfFolder(f.dir.Path()));
    Recordset rs;
    rs.PutCursorLocation(adUseClient);
    rs.Open("select * from ljkc", conn, adOpenDynamic, adLockBatchOptimistic, adCmdText);
    EXPECT_EQ(rs.CursorType(), adOpenStatic); // the client cursor's only type
    rs.Fields().Item("数量").PutValue(99);
    conn->Close();
    EXPECT_EQ(rs.State(), adStateClosed);
    // A detached recordset survives the close of its connection.
    conn->Open();
    rs.Open("select * from ljkc", conn, adOpenStatic, adLockBatchOptimistic, adCmdText);
    rs.PutActiveConnection(nullptr);
    conn->Close();
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(ErrorOf([&] { rs.Requery(); }), AdoHr(adErrInvalidConnection));
    EXPECT_EQ(rs.RecordCount(), 2);
}

TEST(Connection, RequeryRunsTheSourceAgainKeepingSortAndFilter) {
    Folder f;
    auto conn = std::make_shared<Connection>();
    conn->Open(ado::ConnectionStringOfFolder(f.dir.Path()));
    Recordset rs;
    rs.Open("ljkc", conn, adOpenStatic, adLockBatchOptimistic, adCmdTable);
    rs.PutSort("no DESC");
    rs.PutFilter("数量 > 5");
    rs.Fields().Item("数量").PutValue(1); // dropped by the Requery
    conn->Execute("update ljkc set 数量=7 where no=1", nullptr, adCmdText | adExecuteNoRecords);
    rs.Requery();
    EXPECT_EQ(rs.Source(), "ljkc");
    EXPECT_EQ(Numbers(rs), (std::vector<long>{2, 1}));
    rs.PutFilter(adFilterPendingRecords);
    EXPECT_EQ(rs.RecordCount(), 0);
}

// A batch saved and a statement run between BeginTrans and RollbackTrans are both
// undone; a second connection's save joins the transaction of the folder.
TEST(Connection, RollbackTransUndoesEveryTableWrittenSinceBeginTrans) {
    Folder f;
    auto conn = std::make_shared<Connection>();
    conn->Open(ado::ConnectionStringOfFolder(f.dir.Path()));
    EXPECT_THROW(conn->CommitTrans(), ComError);
    EXPECT_EQ(conn->BeginTrans(), 1);
    EXPECT_THROW(conn->BeginTrans(), ComError);
    conn->Execute("update ljkc set 数量=0");
    auto other = std::make_shared<Connection>();
    other->Open(ado::ConnectionStringOfFolder(f.dir.Path()));
    auto rs = std::make_shared<Recordset>();
    rs->PutCursorLocation(adUseClient);
    rs->Open("select * from gk", other, adOpenStatic, adLockBatchOptimistic, adCmdText);
    rs->AddNew();
    rs->Fields().Item("no").PutValue(Variant(int64_t{1}));
    rs->UpdateBatch(adAffectAll);
    conn->RollbackTrans();
    EXPECT_FALSE(conn->InTransaction());
    EXPECT_EQ(other->Execute("select * from gk")->RecordCount(), 0);
    EXPECT_EQ(other->Execute("select * from ljkc where 数量=0")->RecordCount(), 0);

    conn->BeginTrans();
    conn->Execute("update ljkc set 数量=0");
    conn->CommitTrans();
    EXPECT_EQ(other->Execute("select * from ljkc where 数量=0")->RecordCount(), 2);
    // Closing with a transaction open rolls it back.
    conn->BeginTrans();
    conn->Execute("update ljkc set 数量=3");
    conn->Close();
    EXPECT_EQ(other->Execute("select * from ljkc where 数量=3")->RecordCount(), 0);
}
