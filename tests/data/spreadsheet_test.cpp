// Sheets of workbooks and delimited text files: what is written reads back cell for
// cell (here and in independent readers), rows are placed as asked, and bad files
// are reported without being changed.
#include "common/program_folder.h"
#include "common/python_oracle.h"
#include "data/spreadsheet.h"
#include "platform/gbk.h"

namespace {

using Cells = std::vector<wxString>;

class SpreadSheetTest : public ProgramFolderTest {
protected:
    std::string Path(const std::string& name) const { return root_ + "/" + name; }
    static Cells Row(CSpreadSheet& sheet, int row) {
        Cells cells;
        EXPECT_TRUE(sheet.ReadRow(cells, row)) << sheet.GetLastError();
        return cells;
    }
};

const Cells kHeader = {U("编号"), U("零件名称"), U("数量")};
// Cells that would break a line-encoded row: quotes, the row separator, commas.
const Cells kTricky = {U("A-01"), U("刹车片\"前\",;.?后"), U("")};
const Cells kPlain = {U("B'02"), U("机油滤清器"), U("12")};

} // namespace

TEST_F(SpreadSheetTest, WorkbookWrittenInOneBatchReadsBackCellForCell) {
    const wxString file = wxString::FromUTF8(Path("出库.xls"));
    {
        CSpreadSheet sheet(file, "Sheet1", true);
        sheet.BeginTransaction();
        sheet.SetColumnSizes({"30", "", "4"});
        ASSERT_TRUE(sheet.AddHeaders(kHeader, false)) << sheet.GetLastError();
        ASSERT_TRUE(sheet.AddRow(kTricky));
        ASSERT_TRUE(sheet.AddRow(kPlain));
        EXPECT_FALSE(platform::FileExists(file.utf8_string())) << "rows wait for the commit";
        ASSERT_TRUE(sheet.Commit()) << sheet.GetLastError();
    }
    CSpreadSheet again(file, "sheet1", false);
    EXPECT_EQ(again.GetTotalRows(), 3);
    EXPECT_EQ(again.GetTotalColumns(), 3);
    EXPECT_EQ(Row(again, 1), kHeader);
    EXPECT_EQ(Row(again, 0), kTricky);
    EXPECT_EQ(Row(again, 0), kPlain);
    Cells beyond;
    EXPECT_FALSE(again.ReadRow(beyond, 4));

    // An independent reader sees the same sheet.
    std::string out = RunPython(root_, R"PY(
import openpyxl
wb = openpyxl.load_workbook(open("出库.xls", "rb"))  # the reader goes by the name otherwise
for row in wb["Sheet1"].iter_rows(values_only=True):
    print("|".join("" if v is None else str(v) for v in row))
)PY");
    EXPECT_EQ(out, "编号|零件名称|数量\nA-01|刹车片\"前\",;.?后|\nB'02|机油滤清器|12\n");
}

TEST_F(SpreadSheetTest, CommitKeepsTheOtherSheetsAndBacksUpTheOldContents) {
    const wxString file = wxString::FromUTF8(Path("book.xls"));
    {
        CSpreadSheet first(file, U("库存"), false);
        ASSERT_TRUE(first.AddHeaders({"a", "b"}, false)) << first.GetLastError();
    }
    {
        CSpreadSheet other(file, "Sheet2", false);
        ASSERT_TRUE(other.AddHeaders({"x"}, false));
        ASSERT_TRUE(other.AddRow({"1"}));
    }
    {
        // Opening a sheet with a header copies it into the backup sheet first.
        CSpreadSheet again(file, wxString::FromUTF8("库存"), true);
        EXPECT_TRUE(again.IsBackedUp());
        ASSERT_TRUE(again.AddHeaders({"c"}, false)) << again.GetLastError();
        EXPECT_FALSE(again.AddHeaders({"a"}, false));
        EXPECT_EQ(again.GetLastError(), "Duplicate header row field:a\n");
    }
    std::vector<WorkbookSheet> sheets;
    ASSERT_TRUE(ReadWorkbook(file.utf8_string(), &sheets, nullptr));
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0].name, "库存");
    EXPECT_EQ(sheets[0].rows, (std::vector<std::vector<std::string>>{{"a", "b", "c"}}));
    EXPECT_EQ(sheets[1].name, "Sheet2");
    EXPECT_EQ(sheets[1].rows, (std::vector<std::vector<std::string>>{{"x"}, {"1"}}));
    EXPECT_EQ(sheets[2].name, "CSpreadSheetBackup");
    EXPECT_EQ(sheets[2].rows, (std::vector<std::vector<std::string>>{{"a", "b"}}));
}

TEST_F(SpreadSheetTest, RowsArePlacedAppendedInsertedAndReplaced) {
    CSpreadSheet sheet(wxString::FromUTF8(Path("rows.xls")), "Sheet1", false);
    sheet.BeginTransaction();
    ASSERT_TRUE(sheet.AddHeaders({"a", "b"}, false));
    ASSERT_TRUE(sheet.AddRow({"r2", "x"}));
    ASSERT_TRUE(sheet.AddRow({"r5"}, 5)); // empty rows 3 and 4 first
    EXPECT_EQ(sheet.GetTotalRows(), 5);
    EXPECT_EQ(Row(sheet, 3), (Cells{"", ""}));
    EXPECT_EQ(Row(sheet, 4), (Cells{"", ""}));
    ASSERT_TRUE(sheet.AddRow({"new3"}, 3));           // inserted before row 3
    ASSERT_TRUE(sheet.AddRow({"r2'", "y"}, 2, true)); // replaces row 2
    EXPECT_EQ(sheet.GetTotalRows(), 6);
    EXPECT_EQ(Row(sheet, 2), (Cells{"r2'", "y"}));
    EXPECT_EQ(Row(sheet, 3), (Cells{"new3"}));
    EXPECT_EQ(Row(sheet, 6), (Cells{"r5"}));

    struct Refusal {
        Cells cells;
        int row;
        const char* message;
    } refusals[] = {
        {{"a", "b", "a"}, 1, "Duplicate header row field:a\n"},
        {{"a"},
         1,
         "Number of columns in new header row cannot be less than the number of columns in "
         "previous header row"},
        {{"1", "2", "3"},
         0,
         "Number of columns to be added cannot be greater than the number "
         "of fields\n"},
    };
    for (const Refusal& r : refusals) {
        EXPECT_FALSE(sheet.AddRow(r.cells, r.row, true));
        EXPECT_EQ(sheet.GetLastError(), r.message);
    }
    EXPECT_EQ(sheet.GetTotalRows(), 6);

    CSpreadSheet headless(wxString::FromUTF8(Path("none.xls")), "Sheet1", false);
    EXPECT_FALSE(headless.AddRow({"1"}));
    EXPECT_EQ(headless.GetLastError(), "No header row. Add header row first\n");
    EXPECT_FALSE(platform::FileExists(Path("none.xls")));
}

TEST_F(SpreadSheetTest, TextFileIsGbkWithQuotedCellsAndIsBackedUp) {
    const std::string path = Path("list.txt");
    {
        CSpreadSheet text(wxString::FromUTF8(path), "\t", false);
        EXPECT_EQ(text.GetLastError(), "Error in opening file\n");
        ASSERT_TRUE(text.AddHeaders(kHeader, false));
        ASSERT_TRUE(text.AddRow({U("A-01"), U("刹车片"), U("")}));
        ASSERT_TRUE(text.AddRow({U("单独")}, 4)); // a text file's gap cells are empty
    }
    const std::string expected =
        platform::Utf8ToGbk("\"编号\"\t\"零件名称\"\t\"数量\"\n\"A-"
                            "01\"\t\"刹车片\"\t\"\"\n\"\"\t\"\"\t\"\"\n\"单独\"\n");
    EXPECT_EQ(Read(path), expected);

    CSpreadSheet again(wxString::FromUTF8(path), "\t", true);
    EXPECT_EQ(Read(path + ".bak"), expected);
    EXPECT_EQ(again.GetTotalRows(), 4);
    EXPECT_EQ(Row(again, 2), (Cells{U("A-01"), U("刹车片"), U("")}));
    EXPECT_EQ(Row(again, 4), (Cells{U("单独")}));
}

TEST_F(SpreadSheetTest, OlderBinaryWorkbookIsRead) {
    std::string out = RunPython(root_, R"PY(
import xlwt
wb = xlwt.Workbook(encoding="utf-8")
ws = wb.add_sheet("零件")
for c, v in enumerate(["编号", "名称", "数量", "进价"]): ws.write(0, c, v)
for c, v in enumerate(["A-01", "刹车片", 3, 12.5]): ws.write(1, c, v)
wb.save("old.xls")
print("ok")
)PY");
    ASSERT_EQ(out, "ok\n");
    CSpreadSheet sheet(wxString::FromUTF8(Path("old.xls")), U("零件"), false);
    EXPECT_EQ(sheet.GetTotalRows(), 2);
    EXPECT_EQ(Row(sheet, 1), (Cells{U("编号"), U("名称"), U("数量"), U("进价")}));
    EXPECT_EQ(Row(sheet, 2), (Cells{U("A-01"), U("刹车片"), "3", "12.5"}));
}

TEST_F(SpreadSheetTest, DatesOfAnotherProgramsWorkbookReadAsText) {
    std::string out = RunPython(root_, R"PY(
import datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "进货"
ws.append(["日期", "时间", "到货", "数量", "早"])
ws.append([datetime.date(2026, 12, 10), datetime.datetime(2026, 12, 10, 8, 30),
           46001, 12.5, datetime.date(1900, 1, 1)])
ws["C2"].number_format = 'yyyy"年"m"月"d"日"'
ws["B3"] = datetime.time(17, 5, 9)
wb.save("in.xlsx")
print("ok")
)PY");
    ASSERT_EQ(out, "ok\n");
    std::vector<WorkbookSheet> sheets;
    ASSERT_TRUE(ReadWorkbook(Path("in.xlsx"), &sheets, nullptr));
    ASSERT_EQ(sheets.size(), 1u);
    ASSERT_EQ(sheets[0].rows.size(), 3u);
    EXPECT_EQ(sheets[0].rows[1], (std::vector<std::string>{"2026-12-10", "2026-12-10 08:30:00",
                                                           "2025-12-10", "12.5", "1900-01-01"}));
    EXPECT_EQ(sheets[0].rows[2][1], "17:05:09");
}

TEST_F(SpreadSheetTest, DamagedOrForeignWorkbookIsReportedAndLeftAlone) {
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"foreign.xls", "编号,名称\nA,B\n"},
        {"cut.xls", std::string("PK\x03\x04", 4) + std::string(40, '\x01')},
        {"compound.xls",
         std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Write(Path(c.name), c.bytes);
        CSpreadSheet sheet(wxString::FromUTF8(Path(c.name)), "Sheet1", true);
        EXPECT_TRUE(sheet.GetLastError().StartsWith("Error reading row\n"));
        EXPECT_EQ(sheet.GetTotalRows(), 0);
        // A commit would replace what cannot be read: it is refused.
        EXPECT_FALSE(sheet.AddHeaders({"a"}, false));
        EXPECT_FALSE(sheet.GetLastError().empty());
        EXPECT_EQ(Read(Path(c.name)), c.bytes);
    }
}

namespace {

// A workbook zipped from hand-written parts, as another program may write them;
// `sheet` is the worksheet part's XML.
std::string ZipWorkbook(const std::string& folder, const std::string& name,
                        const std::string& sheet) {
    platform::WriteFileAtomic(folder + "/sheet.xml", sheet);
    return RunPython(folder, R"PY(
import zipfile
main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
rels = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
with zipfile.ZipFile(")PY" + name +
                                 R"PY(", "w") as z:
    z.writestr("xl/workbook.xml", '<?xml version="1.0" encoding="UTF-8"?>'
        '<x:workbook xmlns:x="%s" xmlns:r="%s"><x:sheets>'
        '<x:sheet name="A&amp;B" sheetId="1" r:id="rId1"/></x:sheets></x:workbook>' % (main, rels))
    z.writestr("xl/_rels/workbook.xml.rels",
        '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="%s/worksheet" Target="worksheets/sheet1.xml"/>'
        '</Relationships>' % rels)
    z.writestr("xl/sharedStrings.xml", ('<sst xmlns="%s">'
        '<si><t>a &lt;b&gt; &amp; &#x673A;</t></si>'
        '<si><r><rPr><b/></rPr><t>刹车</t></r><r><t xml:space="preserve"> 片</t></r>'
        '<rPh sb="0" eb="1"><t>シャ</t></rPh></si>'
        '<si><t><![CDATA[<raw> & ]]></t></si></sst>' % main).encode("utf-8"))
    z.writestr("xl/worksheets/sheet1.xml", open("sheet.xml", "rb").read().replace(b"MAIN", main.encode()))
print("ok")
)PY");
}

std::string Repeat(const std::string& text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

} // namespace

TEST_F(SpreadSheetTest, WorkbookPartsAreReadAsXml) {
    const std::string sheet =
        R"(<worksheet xmlns="MAIN"><sheetData><row r="1">)"
        R"(<c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c>)"
        R"(<c r="D1" t="inlineStr"><is><t>in&#10;line</t></is></c><c r="E1"><v>12.5</v></c>)"
        R"(</row></sheetData></worksheet>)";
    ASSERT_EQ(ZipWorkbook(root_, "ok.xlsx", sheet), "ok\n");
    std::vector<WorkbookSheet> sheets;
    std::string error;
    ASSERT_TRUE(ReadWorkbook(Path("ok.xlsx"), &sheets, &error)) << error;
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].name, "A&B");
    ASSERT_EQ(sheets[0].rows.size(), 1u);
    EXPECT_EQ(sheets[0].rows[0],
              (std::vector<std::string>{"a <b> & 机", "刹车 片", "<raw> & ", "in\nline", "12.5"}));
}

TEST_F(SpreadSheetTest, HostileWorkbookIsAClearError) {
    std::string entities = "<!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c)
        entities += std::string("<!ENTITY ") + c + " \"" +
                    Repeat(std::string("&") + char(c - 1) + ";", 10) + "\">";
    const std::string deep = Repeat("<x>", 2000);
    struct Case {
        const char* what;
        std::string sheet;
        const char* reason;
    } cases[] = {
        {"entity expansion",
         entities + R"(]><worksheet xmlns="MAIN"><sheetData><row><c t="inlineStr"><is><t>&j;)"
                    R"(</t></is></c></row></sheetData></worksheet>)",
         "document type"},
        {"deep nesting", R"(<worksheet xmlns="MAIN">)" + deep, "nested too deeply"},
        {"not well-formed", R"(<worksheet xmlns="MAIN"><sheetData><row><c><v>1 < 2</v></c>)",
         "not well-formed"},
        {"unknown shared string",
         R"(<worksheet xmlns="MAIN"><sheetData><row><c t="s"><v>7</v></c></row></sheetData>)"
         R"(</worksheet>)",
         "shared string"},
        {"row out of range",
         R"(<worksheet xmlns="MAIN"><sheetData><row r="99999999"/></sheetData></worksheet>)",
         "out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(ZipWorkbook(root_, "bad.xlsx", c.sheet), "ok\n");
        std::vector<WorkbookSheet> sheets(1);
        std::string error;
        EXPECT_FALSE(ReadWorkbook(Path("bad.xlsx"), &sheets, &error));
        // The shop reads one sentence; what the reader found is in the log.
        EXPECT_EQ(error, "工作簿已损坏，无法读取。");
        EXPECT_NE(Read(home_ + "/nvProgLog.txt").rfind(c.reason), std::string::npos);
        EXPECT_EQ(sheets.size(), 1u); // left as it was
    }
}
