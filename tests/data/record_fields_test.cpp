#include "common/table_folder.h"
#include "data/record_fields.h"

#include "ado/ado.h"

// Each reader on a record with values and on one with Nulls and the empty date.
TEST_F(TableFolderTest, FieldReadersTakeCareOfNullsAndPadding) {
    platform::CreateFolders(Path("in"));
    Execute(Path("in"), {"CREATE TABLE t (name C(10) NULL, amount N(8,2) NULL, day D NULL)",
                         "INSERT INTO t VALUES ('刹车片', 12.5, {^2005-02-03})",
                         "INSERT INTO t VALUES (NULL, NULL, NULL)",
                         "INSERT INTO t VALUES ('  x', 0, {})"});
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(ado::ConnectionStringOfFolder(Path("in")));
    ado::Recordset rs;
    rs.PutCursorLocation(ado::adUseClient);
    rs.Open("select * from t", connection, ado::adOpenStatic, ado::adLockBatchOptimistic,
            ado::adCmdText);
    ASSERT_EQ(rs.RecordCount(), 3);

    rs.MoveFirst();
    EXPECT_EQ(FieldText(rs, "name"), U("刹车片"));
    EXPECT_DOUBLE_EQ(FieldNumber(rs, "amount"), 12.5);
    EXPECT_EQ(FieldDate(rs, "day").Format("%Y-%m-%d"), "2005-02-03");

    rs.MoveNext();
    EXPECT_EQ(FieldText(rs, "name"), "");
    EXPECT_EQ(FieldText(rs, "name", "-"), "-");
    EXPECT_EQ(FieldNumber(rs, "amount"), 0);
    EXPECT_FALSE(FieldDate(rs, "day").IsValid());

    rs.MoveNext();
    EXPECT_EQ(FieldText(rs, "name"), "  x"); // leading blanks are the value's own
    EXPECT_FALSE(FieldDate(rs, "day").IsValid());
    EXPECT_FALSE(FieldDate(rs, "name").IsValid());
}
