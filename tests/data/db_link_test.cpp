// The link's exchange with files outside the account set: table files, saved
// recordsets, workbooks and encrypted tables opened; recordsets exported into
// workbooks and new tables that read back (here and in independent readers); bad
// files reported without anything changed.
#include "common/python_oracle.h"
#include "common/table_folder.h"
#include "data/data_file_open.h"
#include "data/db_link.h"
#include "data/spreadsheet.h"
#include "data/table_file_export.h"
#include "foxdb/database.h"
#include "platform/message_box.h"

namespace {

class DbLinkTest : public AccountSetTest {
protected:
    void SetUp() override {
        AccountSetTest::SetUp();
        outside_ = root_ + "/outside";
        platform::CreateFolders(outside_);
    }
    wxString Outside(const std::string& name) const {
        return wxString::FromUTF8(outside_ + "/" + name);
    }
    // Sales rows with text, money, a count and a date (one of them empty).
    void AddSales() {
        CDataSet data;
        data.Open("select * from ljsh where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        struct Sale {
            const char *bill, *name, *price, *count, *date;
        } sales[] = {{"XS01", "刹车片（前）", "125.5", "-2", "2026-12-10"},
                     {"XS02", "机油 \"5W-30\", 4L", "88", "3", ""}};
        for (const Sale& s : sales) {
            rs->AddNew();
            data.PutFieldValue(U(s.bill), U("单据号"), rs);
            data.PutFieldValue(U(s.name), U("项目名称"), rs);
            data.PutFieldValue(s.price, U("单价"), rs);
            data.PutFieldValue(s.count, U("数量"), rs);
            if (*s.date) data.PutFieldValue(s.date, U("日期"), rs);
        }
        data.NumberRows(rs, "ljsh");
        ASSERT_EQ(data.Save(rs), 1);
    }
    // Every field of every record as text, "|" between fields, one line per record.
    static std::string Dump(ado::Recordset& rs, const std::vector<std::string>& names) {
        std::string out;
        if (rs.RecordCount() < 1) return out;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            for (size_t i = 0; i < names.size(); ++i) {
                ado::Variant v = rs.Fields().Item(names[i]).Value();
                out += (i ? "|" : "") +
                       (v.IsNull() ? std::string("NULL")
                                   : wxString::FromUTF8(v.ToString()).Trim(true).utf8_string());
            }
            out += "\n";
        }
        return out;
    }

    std::string outside_;
    platform::ScriptedMessageBoxes boxes_;
};

} // namespace

TEST(DbLinkConnectionText, FollowsTheFileKind) {
    struct Case {
        const char* path;
        const char* text;
    } cases[] = {
        {"D:\\x\\y.xls",
         "Driver={Microsoft Excel Driver (*.xls)};DriverId=790;Dbq=D:\\x\\y.xls;DefaultDir=D:\\x"},
        {"D:\\x\\y.dbf", "Driver={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=D:\\x\\"},
        {"/home/a/b.adtg",
         "Driver={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=/home/a/"},
        {"/home/a/b.DBF",
         "Driver={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=/home/a/"},
        {"/home/a/.dbf", ""},
        {"/home/a/b.txt", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDbLink::MakeConnectionString(c.path), c.text) << c.path;
}

TEST_F(DbLinkTest, TableFilesAndSavedRecordsetsOpen) {
    AddSales();
    // A table file outside the account set, made by a link's own export.
    CDataSet sales;
    sales.Open("select * from ljsh");
    ASSERT_TRUE(sales.IsOpen());
    const std::vector<std::string> names = {"单据号", "项目名称", "单价", "数量", "日期", "no"};
    const std::string expected = Dump(*sales.m_pRecordset, names);
    for (int time = 0; time < 2; ++time) { // the second export replaces the first table
        CDbLink link;
        ASSERT_EQ(link.ImportToNewTable(sales.m_pRecordset, Outside("出货单据.DBF")), 1)
            << (boxes_.Texts().empty() ? "" : boxes_.Texts()[0]);
    }
    sales.m_pRecordset->Save(outside_ + "/sales.adtg");

    for (const char* file : {"出货单据.DBF", "sales.adtg"}) {
        SCOPED_TRACE(file);
        CDbLink link;
        ASSERT_EQ(link.OpenFile(Outside(file)), 1);
        EXPECT_TRUE(link.recordsetOpen);
        EXPECT_EQ(Dump(*link.recordset, names), expected);
    }
}

TEST_F(DbLinkTest, LongBaseNameIsOpenedOnlyWhenTheOperatorAgrees) {
    AddSales();
    CDataSet sales;
    sales.Open("select * from ljsh");
    for (const char* name : {"abcdefghij.dbf", "abcdefghijk.dbf"}) {
        CDbLink link;
        boxes_.Reply(platform::IDYES); // the long name's question
        ASSERT_EQ(link.ImportToNewTable(sales.m_pRecordset, Outside(name)), 1);
    }
    boxes_.Clear();
    CDbLink ten;
    EXPECT_EQ(ten.OpenFile(Outside("abcdefghij.dbf")), 1);
    EXPECT_TRUE(boxes_.Texts().empty());

    CDbLink eleven;
    boxes_.Reply(platform::IDNO);
    EXPECT_EQ(eleven.OpenFile(Outside("abcdefghijk.dbf")), 0);
    EXPECT_FALSE(eleven.recordsetOpen);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"文件名太长,系统可能不支持,是否继续?"});
    boxes_.Reply(platform::IDYES);
    EXPECT_EQ(eleven.OpenFile(Outside("abcdefghijk.dbf")), 1);
    EXPECT_EQ(eleven.recordset->RecordCount(), 2);
}

TEST_F(DbLinkTest, WorkbookOpensItsFirstSheetWithRecords) {
    const std::string book = outside_ + "/库存.xlsx";
    ASSERT_TRUE(
        WriteWorkbook(book,
                      {{"Sheet1", {{"编号"}}, {}},
                       {"库存", {{"编号", "名称", ""}, {"A-01", "刹车片", "x"}, {"", "空"}}, {}}},
                      nullptr));
    CDbLink link;
    ASSERT_EQ(link.OpenFile(wxString::FromUTF8(book)), 1);
    EXPECT_EQ(Dump(*link.recordset, {"编号", "名称", "F3"}), "A-01|刹车片|x\nNULL|空|NULL\n");
    EXPECT_EQ(link.recordset->Fields().Item("名称").DefinedSize(), 6);

    const std::string empty = outside_ + "/empty.XLS";
    ASSERT_TRUE(WriteWorkbook(empty, {{"Sheet1", {{"a", "b"}}, {}}}, nullptr));
    CDbLink none;
    EXPECT_EQ(none.OpenFile(wxString::FromUTF8(empty)), 0);
    EXPECT_FALSE(none.recordsetOpen);
}

TEST_F(DbLinkTest, EncryptedTableOpensThroughItsWorkingCopy) {
    AddStock({{"刹车片", "A-01"}, {"机油", "B-02"}});
    const std::string encrypted = Path("Data/ljkc.dwf");
    const std::string before = Read(encrypted);
    ASSERT_TRUE(platform::CopyFileAtomic(encrypted, outside_ + "/ljkc.dwf"));

    CDbLink link;
    ASSERT_EQ(link.OpenFile(Outside("ljkc.dwf")), 1);
    EXPECT_EQ(Dump(*link.recordset, {"零件名称", "编号"}), "刹车片|A-01\n机油|B-02\n");
    EXPECT_FALSE(platform::FileExists(Working("ljkcTemp.dbf"))); // its rows are in memory
    EXPECT_FALSE(platform::FileExists(Path("Data/ljkcTemp.dwf")));
    EXPECT_EQ(Read(encrypted), before);

    frame_->m_strRights = "clerk66,56";
    CDbLink allowed;
    EXPECT_EQ(allowed.OpenFile(Outside("ljkc.dwf")), 1) << "a login name is no right";
    frame_->m_strRights = "clerk,56,66";
    CDbLink refused;
    EXPECT_EQ(refused.OpenFile(Outside("ljkc.dwf")), 0);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"权限不够,不能操作!"});
}

TEST_F(DbLinkTest, BadFilesAreReportedAndLeftAlone) {
    struct Case {
        const char* name;
        std::string bytes; // empty: no file
    } cases[] = {
        {"missing.dbf", ""},
        {"missing.xls", ""},
        {"missing.dwf", ""},
        {"broken.dbf", std::string("\x30\x7A\x01", 3)},
        {"text.DBF", "编号,名称\n"},
        {"broken.adtg", "not a recordset"},
        {"broken.xls", std::string("PK\x03\x04garbage", 11)},
        {"foreign.dwf", "plain text, never encrypted"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.bytes.empty()) Write(outside_ + "/" + c.name, c.bytes);
        boxes_.Clear();
        CDbLink link;
        EXPECT_EQ(link.OpenFile(Outside(c.name)), 0);
        EXPECT_FALSE(link.recordsetOpen);
        EXPECT_EQ(boxes_.Texts().size(), 1u);
        if (!c.bytes.empty()) {
            EXPECT_EQ(Read(outside_ + "/" + c.name), c.bytes);
        }
        EXPECT_FALSE(platform::FileExists(Path("Data/foreignTemp.dwf")));
    }
    CDbLink other;
    boxes_.Clear();
    EXPECT_EQ(other.OpenFile(Outside("notes.txt")), 0);
    EXPECT_EQ(boxes_.Texts(),
              std::vector<std::string>{"此版本不支持该功能,如果需要请与程序供应商联系."});
}

TEST_F(DbLinkTest, RecordsetExportedToAWorkbookReadsBackWithTheSameCells) {
    AddSales();
    CDataSet sales;
    sales.Open("select * from ljsh");
    const std::vector<wxString> header = {U("单据号"), U("项目名称"), U("单价"), U("数量"),
                                          U("日期")};
    CDbLink link;
    link.ExportToSpreadsheet(sales.m_pRecordset, Outside("出货"), header, false);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"操作完成 "});

    CSpreadSheet sheet(Outside("出货.xlsx"), "Sheet1", false);
    std::vector<wxString> cells;
    ASSERT_EQ(sheet.GetTotalRows(), 3);
    ASSERT_TRUE(sheet.ReadRow(cells, 1));
    EXPECT_EQ(cells, header);
    ASSERT_TRUE(sheet.ReadRow(cells, 2));
    EXPECT_EQ(cells,
              (std::vector<wxString>{"XS01", U("刹车片（前）"), "125.5", "-2", "2026-12-10"}));
    ASSERT_TRUE(sheet.ReadRow(cells, 3));
    EXPECT_EQ(cells, (std::vector<wxString>{"XS02", U("机油 \"5W-30\", 4L"), "88", "3", ""}));

    // Skipping the first of one record leaves the header alone.
    CDataSet one;
    one.Open(U("select * from ljsh where 单据号='XS01'"));
    // An ".xls" name asked for gets the extension of what is written.
    link.ExportToSpreadsheet(one.m_pRecordset, Outside("one.xls"), header, true);
    EXPECT_FALSE(platform::FileExists(outside_ + "/one.xls"));
    CSpreadSheet only(Outside("one.xlsx"), "Sheet1", false);
    EXPECT_EQ(only.GetTotalRows(), 1);

    // A header naming a column twice, or an unwritable place, is reported, never as done.
    boxes_.Clear();
    link.ExportToSpreadsheet(one.m_pRecordset, Outside("twice.xls"), {U("单价"), U("单价")}, false);
    ASSERT_EQ(boxes_.Texts().size(), 1u);
    EXPECT_NE(boxes_.Texts()[0].find("Duplicate header row field"), std::string::npos);
    EXPECT_FALSE(platform::FileExists(outside_ + "/twice.xlsx"));
    boxes_.Clear();
    link.ExportToSpreadsheet(one.m_pRecordset, Outside("no/such/folder/x.xls"), header, false);
    ASSERT_EQ(boxes_.Texts().size(), 1u);
    EXPECT_NE(boxes_.Texts()[0], "操作完成 ");
}

TEST_F(DbLinkTest, RecordsetExportedIntoANewTableReadsBackInTheEngineAndInDbfread) {
    AddSales();
    CDataSet sales;
    sales.Open(U("select 单据号, 项目名称 as 商品项目名称很长, 单价, 进价, 数量, 日期, 标致 = "
                 "'x' as 标记, no from ljsh"));
    ASSERT_TRUE(sales.IsOpen());
    CDbLink link;
    ASSERT_EQ(link.ImportToNewTable(sales.m_pRecordset, Outside("新表.dbf")), 1);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"操作完成 "});

    CDbLink back;
    ASSERT_EQ(back.OpenFile(Outside("新表.dbf")), 1);
    EXPECT_EQ(Dump(*back.recordset, {"单据号", "商品项目名", "单价", "数量", "日期", "no"}),
              "XS01|刹车片（前）|125.5|-2|2026-12-10|1\n"
              "XS02|机油 \"5W-30\", 4L|88|3|NULL|2\n");

    std::string out = RunPython(outside_, R"PY(
import dbfread
t = dbfread.DBF("新表.dbf", encoding="gbk", char_decode_errors="strict")
print(" ".join("%s:%s%d.%d" % (f.name, f.type, f.length, f.decimal_count) for f in t.fields if f.name != "_NullFlags"))
for r in t:
    print(r["单据号"].rstrip(), r["商品项目名"].rstrip(), r["单价"], r["进价"], r["数量"], r["日期"], r["NO"])
)PY");
    EXPECT_EQ(out,
              "单据号:C14.0 商品项目名:C30.0 单价:N8.2 进价:N10.2 数量:I4.0 日期:D8.0 NO:I4.0\n"
              "XS01 刹车片（前） 125.5 None -2 2026-12-10 1\n"
              "XS02 机油 \"5W-30\", 4L 88.0 None 3 None 2\n");
}

TEST_F(DbLinkTest, RecordsetSavedAsAnEncryptedTableOpensAgainAndLeavesNoWorkingFiles) {
    AddSales();
    CDataSet sales;
    sales.Open("select * from ljsh");
    const std::vector<std::string> names = {"单据号", "项目名称", "单价", "数量", "日期", "no"};
    const std::string expected = Dump(*sales.m_pRecordset, names);
    ASSERT_EQ(ExportToEncryptedFile(sales.m_pRecordset, Outside("出货.dwf")), 1);
    EXPECT_FALSE(platform::FileExists(Working("tp出货.dbf")));
    EXPECT_FALSE(platform::FileExists(Working("tp出货.cdx")));
    EXPECT_FALSE(platform::FileExists(Path("Data/tp出货.dwf")));

    CDbLink link;
    ASSERT_EQ(link.OpenFile(Outside("出货.dwf")), 1);
    EXPECT_EQ(Dump(*link.recordset, names), expected);

    // A plain table is never written into the working folders.
    EXPECT_EQ(ExportToTableFile(sales.m_pRecordset, wxString::FromUTF8(Working("x.dbf"))), 0);
    EXPECT_FALSE(platform::FileExists(Working("x.dbf")));
}

TEST(OpenedFileKind, FollowsTheExtensionAfterTheFirstCharacter) {
    struct Case {
        const char* path;
        OpenedFileKind kind;
    } cases[] = {
        {"/a/b.DBF", OpenedFileKind::DataFile},  {"/a/x.dbf.bak", OpenedFileKind::DataFile},
        {"/a/b.adtg", OpenedFileKind::DataFile}, {"/a/b.xls", OpenedFileKind::DataFile},
        {"/a/b.JPG", OpenedFileKind::Picture},   {"/a/b.txt", OpenedFileKind::Document},
        {"/a/.dbf", OpenedFileKind::Document},   {"/a/b.Dbf", OpenedFileKind::Document},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KindOfOpenedFile(c.path), c.kind) << c.path;
}

TEST_F(DbLinkTest, DataFilesReachTheGridThroughATemporaryRecordsetFile) {
    AddSales();
    CDataSet sales;
    sales.Open("select * from ljsh");
    const std::vector<std::string> names = {"单据号", "项目名称", "单价", "数量"};
    const std::string expected = Dump(*sales.m_pRecordset, names);
    {
        CDbLink link;
        ASSERT_EQ(link.ImportToNewTable(sales.m_pRecordset, Outside("sales.dbf")), 1);
        link.ExportToSpreadsheet(sales.m_pRecordset, Outside("sales.xls"),
                                 {U("单据号"), U("项目名称"), U("单价"), U("数量")}, false);
    }
    SaveRecordsetAdtg(Outside("kept"), sales.m_pRecordset);
    SaveRecordsetAdtg(Outside("kept"), sales.m_pRecordset); // replaced, not refused

    Write(outside_ + "/nvtemp.adtg", "old");
    Write(outside_ + "/nvtemp1.adtg", "old");
    std::vector<std::string> loaded;
    auto load = [&](const wxString& file) {
        loaded.push_back(file.AfterLast('/').utf8_string());
        ado::Recordset rs;
        rs.Open(file.utf8_string());
        EXPECT_EQ(Dump(rs, names), expected) << file;
    };
    for (const char* file : {"sales.dbf", "sales.xlsx", "kept.adtg"})
        OpenDataFile(Outside(file), load);
    EXPECT_EQ(loaded, (std::vector<std::string>{"nvtemp2.adtg", "nvtemp.adtg", "kept.adtg"}));
    for (const char* temp : {"nvtemp.adtg", "nvtemp1.adtg", "nvtemp2.adtg"})
        EXPECT_FALSE(platform::FileExists(outside_ + "/" + temp)) << temp;
    EXPECT_TRUE(platform::FileExists(outside_ + "/kept.adtg"));

    // The users file is refused by its exact name only.
    boxes_.Clear();
    loaded.clear();
    sales.m_pRecordset->Save(outside_ + "/PRINTINFO.adtg");
    OpenDataFile(Outside("printinfo.adtg"), load);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"系统文件，不允许操作！"});
    OpenDataFile(Outside("PRINTINFO.adtg"), load);
    EXPECT_EQ(loaded, std::vector<std::string>{"PRINTINFO.adtg"});
}

// Headings of an imported file become field names the dialect can use again; none
// of their text reaches the table definition as anything but a name.
TEST_F(DbLinkTest, HeadingsFromOutsideBecomeValidFieldNames) {
    auto column = [](const std::string& name) {
        foxdb::ResultColumn c;
        c.name = name;
        c.type = foxdb::adChar;
        c.definedSize = 6;
        return c;
    };
    foxdb::ResultSet result;
    for (const char* heading : {"单价 N(10,2), x", "1st", "select", "a-b", "ok", "))"})
        result.columns.push_back(column(heading));
    result.rows.push_back(std::vector<foxdb::Value>(6, std::string("v")));
    auto source = std::make_shared<ado::Recordset>();
    source->OpenResult(std::move(result), "headings");
    CDbLink link;
    ASSERT_EQ(link.ImportToNewTable(source, Outside("heads.dbf")), 1);

    CDbLink back;
    ASSERT_EQ(back.OpenFile(Outside("heads.dbf")), 1);
    std::vector<std::string> names;
    for (int i = 0; i < back.recordset->Fields().Count(); ++i)
        names.push_back(back.recordset->Fields().Item(i).Name());
    // "))" leaves nothing of a name and is left out.
    EXPECT_EQ(names,
              (std::vector<std::string>{"单价_n_10_", "_1st", "_select", "a_b", "ok", "no"}));
    EXPECT_EQ(Dump(*back.recordset, {"_1st", "ok"}), "v|v\n");
}
