#include "common/table_folder.h"
#include "data/column_grid.h"
#include "data/table_catalog.h"
#include "foxdb/dbf_table.h"
#include "platform/message_box.h"

#include <wx/ctrlsub.h>

#include <map>

using Texts = std::vector<wxString>;

TEST_F(AccountSetTest, FirstRunLeavesOnlyEncryptedTables) {
    EXPECT_TRUE(platform::ListFiles(Path("Data"), "*.dbf").empty());
    EXPECT_EQ(platform::ListFiles(Path("Data"), "*.dwf").size(), std::size(kTables));
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_EQ(CDataSet::DefaultConnectionText(),
              "DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" + g_strDataPath);
}

TEST_F(AccountSetTest, OpenDecryptsWhatItNamesAndKeepsNoPlainCopy) {
    AddStock({{"刹车片", "A1"}, {"机油", "B2"}});
    CDataSet data;
    data.Open("select * from ljkc,gk where 1=1");
    EXPECT_TRUE(data.IsOpen());
    EXPECT_TRUE(WorkingCopies().empty());
    data.Open(U("select * from ljkc order by 编号"));
    ASSERT_TRUE(data.IsOpen());
    EXPECT_EQ(data.m_pRecordset->RecordCount(), 2);
    EXPECT_EQ(data.m_nFieldCount, data.m_pRecordset->Fields().Count());
    EXPECT_EQ(Column(U("select * from ljkc order by 编号"), "no"), (Texts{"1", "2"}));
    EXPECT_EQ(Column("SELECT * FROM ljkc", "no").size(), 2u);
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(AccountSetTest, FailedOpenShowsTheErrorBoxAndLeavesNothingDecrypted) {
    platform::ScriptedMessageBoxes boxes;
    CDataSet data;
    data.Open("select * from ljkc where nosuchfield=1");
    EXPECT_FALSE(data.IsOpen());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    const std::string& text = boxes.Shown()[0].text;
    EXPECT_EQ(text.rfind(" Error: -", 0), 0u) << text;
    EXPECT_NE(text.find(" Msg: "), std::string::npos);
    EXPECT_NE(text.find(" Description: "), std::string::npos);
    EXPECT_TRUE(WorkingCopies().empty());

    // A text that is no statement is the path of a saved recordset file.
    boxes.Clear();
    data.Open(wxString::FromUTF8(Path("nothing.adtg")));
    EXPECT_FALSE(data.IsOpen());
    EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(AccountSetTest, ErrorBoxTextIsTheDataStoresFormat) {
    platform::ScriptedMessageBoxes boxes;
    CDataSet::ShowComError(ado::ComError(ado::DB_E_ERRORSINCOMMAND, "Command contains errors."));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{" Error: -2147217900 Msg: IDispatch error "
                                                      "#3092 Description: Command contains "
                                                      "errors."});
}

TEST_F(AccountSetTest, SaveWritesTheBatchAndLeavesOnlyTheEncryptedFile) {
    AddStock({{"刹车片", "A1"}});
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_FALSE(platform::FileExists(Path("Picture/indexfile")));
    AddStock({{"机油", "B2"}, {"滤芯", "C3"}});
    EXPECT_EQ(Column("select * from ljkc order by no", "no"), (Texts{"1", "2", "3"}));
    EXPECT_EQ(Column("select * from ljkc order by no", U("零售价")),
              (Texts{"12.5", "12.5", "12.5"}));
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(AccountSetTest, SaveIntoAnotherFolderLeavesTheDataFolderAlone) {
    AddStock({{"刹车片", "A1"}});
    // A working copy of the same table, as the last run may have left one.
    ASSERT_EQ(CTableCrypt::DecryptTable("ljkc"), 1);
    const std::string workingCopy = Read(Working("ljkc.dbf"));
    const std::string other = root_ + "/other";
    std::filesystem::create_directories(other);
    CDataSet fresh;
    const wxString connection = wxString::FromUTF8(ado::ConnectionStringOfFolder(other));
    ASSERT_EQ(fresh.OpenShowError(connection, wxString()), 1);
    fresh.m_pConnection->Execute(CTableCatalog().GetCreateSql("ljkc").utf8_string(), nullptr,
                                 ado::adCmdText | ado::adExecuteNoRecords);
    ASSERT_EQ(fresh.OpenShowError(connection, "select * from ljkc"), 1);
    fresh.m_pRecordset->AddNew();
    fresh.PutFieldValue(U("机油"), U("零件名称"), fresh.m_pRecordset);
    fresh.PutFieldValue("1", "no", fresh.m_pRecordset);
    EXPECT_EQ(fresh.Save(fresh.m_pRecordset), 1);
    fresh.Close();

    EXPECT_EQ(foxdb::DbfTable::Open(other + "/ljkc.dbf")->RecordCount(), 1u);
    EXPECT_TRUE(Read(Working("ljkc.dbf")) == workingCopy); // not encrypted away
    EXPECT_EQ(Column("select * from ljkc", U("零件名称")), Texts{U("刹车片")});
}

class RepairingFrame : public CMainFrameData {
public:
    Texts rebuilt;

protected:
    bool RebuildMarkedTable(const wxString& table) override {
        rebuilt.push_back(table);
        return true;
    }
};

TEST_F(AccountSetTest, FailedSaveIsCancelledReportedAndRepairedAtTheNextStart) {
    AddStock({{"刹车片", "A1"}});
    platform::ScriptedMessageBoxes boxes;
    CDataSet data;
    data.Open("select * from ljkc where no=0");
    auto rs = data.m_pRecordset;
    rs->AddNew();
    data.PutFieldValue(U("机油"), U("零件名称"), rs);
    data.PutFieldValue("1", "no", rs); // taken already
    EXPECT_EQ(data.Save(rs), 0);

    EXPECT_EQ(boxes.Texts(),
              std::vector<std::string>{
                  "“零件库存”数据库可能有误，请整理！\r\n (重新起动本系统,数据库可以自动修复。)"});
    EXPECT_EQ(CSettingFiles::ReadSettingFile("indexfile"), "Data/ljkc");
    EXPECT_EQ(rs->RecordCount(), 0); // the pending row is gone
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_EQ(Column(U("select * from ljkc"), U("零件名称")), Texts{U("刹车片")});

    // The marker waits while another account set is current ...
    CSettingFiles::WriteSettingFile("currztname", U("分店"));
    frame_.reset();
    RepairingFrame frame;
    frame.OnSwitchAccountSet();
    EXPECT_TRUE(frame.rebuilt.empty());
    EXPECT_TRUE(platform::FileExists(Path("Picture/indexfile")));
    // ... and is consumed by its own set, whose globals are restored afterwards.
    CSettingFiles::WriteSettingFile("currztname", U("默认帐套"));
    g_strSetFolder = "elsewhere/";
    frame.OnSwitchAccountSet();
    EXPECT_EQ(frame.rebuilt, Texts{"ljkc"});
    EXPECT_FALSE(platform::FileExists(Path("Picture/indexfile")));
    EXPECT_EQ(g_strSetFolder, "elsewhere/");
}

TEST_F(AccountSetTest, MarkersWithoutAFolderNeverMatch) {
    CSettingFiles::WriteSettingFile("currztname", U("默认帐套"));
    for (const char* marker : {"ljkc", "\\ljkc", "Data"}) {
        CSettingFiles::WriteSettingFile("indexfile", marker);
        RepairingFrame frame;
        frame.OnSwitchAccountSet();
        EXPECT_TRUE(frame.rebuilt.empty()) << marker;
        EXPECT_TRUE(platform::FileExists(Path("Picture/indexfile")));
    }
    CSettingFiles::WriteSettingFile("indexfile", "Data\\ljkc"); // written on the old platform
    RepairingFrame frame;
    frame.OnSwitchAccountSet();
    EXPECT_EQ(frame.rebuilt, Texts{"ljkc"});
}

TEST_F(AccountSetTest, ColumnWidthFailuresStayQuietButAreRecorded) {
    platform::ScriptedMessageBoxes boxes;
    CDataSet data;
    data.Open("select * from fieldlong where no=0");
    auto rs = data.m_pRecordset;
    for (int i = 0; i < 2; ++i) {
        rs->AddNew();
        rs->Fields().Item("no").PutValue(ado::Variant(7));
    }
    EXPECT_EQ(data.Save(rs), 0);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(CSettingFiles::ReadSettingFile("indexfile"), "Data/fieldlong");
}

TEST_F(AccountSetTest, DeleteAndUpdateRunOnDecryptedTablesAndEncryptThemAgain) {
    AddStock({{"刹车片", "A1"}, {"机油", "B2"}, {"滤芯", "C3"}});
    CDataSet data;
    data.UpdateWhere("ljkc", U("备注"), "O'Brien \"x\"", U("编号='B2'"));
    EXPECT_EQ(Column("select * from ljkc order by no", U("备注")),
              (Texts{"NULL", "O'Brien \"x\"", "NULL"}));
    data.DeleteWhere("ljkc", U("编号='A1'"));
    EXPECT_EQ(Column("select * from ljkc order by no", "no"), (Texts{"2", "3"}));
    data.UpdateWhere("ljkc", U("货位"), "K1", "");
    EXPECT_EQ(Column("select * from ljkc", U("货位")), (Texts{"K1", "K1"}));
    EXPECT_TRUE(WorkingCopies().empty());

    EXPECT_THROW(data.DeleteWhere("ljkc", "nosuchfield=1"), ado::ComError);
    EXPECT_TRUE(WorkingCopies().empty());
    EXPECT_EQ(Column("select * from ljkc", "no").size(), 2u);
}

TEST_F(AccountSetTest, UpdatesWithRefusedValuesChangeNoRow) {
    AddStock({{"刹车片", "A1"}});
    CDataSet data;
    data.UpdateWhere("ljkc", U("数量"), "5", "");
    platform::ScriptedMessageBoxes boxes;
    for (const char* value : {"12abc", "1x5", "+"}) {
        boxes.Clear();
        EXPECT_THROW(data.UpdateWhere("ljkc", U("数量"), value, ""), ado::ComError) << value;
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"数据格式不对！"}) << value;
        EXPECT_EQ(Column("select * from ljkc", U("数量")), Texts{"5"}) << value;
    }
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(AccountSetTest, CopiedRowsMapByNameAndTypeAndAreNumberedAfterTheHeaderCount) {
    AddStock({{"刹车片", "A1"}, {"机油", "B2"}});
    CDataSet data;
    data.DeleteWhere("ljkc", "no=1"); // marked, still counted in the file header
    EXPECT_EQ(data.GetDbfRecordCount("ljkc"), 2);
    EXPECT_EQ(data.GetDbfRecordCount("nosuch"), 0);
    EXPECT_TRUE(WorkingCopies().empty());

    CDataSet source;
    source.Open("select * from ljkc");
    CDataSet target;
    target.Open("select * from zyxm where no=0");
    data.m_strCurTable = "ljkc";
    EXPECT_EQ(data.CopyRecords(source.m_pRecordset, target.m_pRecordset, 0, false), 1);
    EXPECT_TRUE(data.m_strCurTable.empty());
    auto rs = target.m_pRecordset;
    ASSERT_EQ(rs->RecordCount(), 1);
    rs->MoveFirst();
    EXPECT_EQ(wxString::FromUTF8(rs->Fields().Item("项目名称").Value().ToString()).Trim(),
              U("机油"));
    EXPECT_EQ(wxString::FromUTF8(rs->Fields().Item("编号").Value().ToString()).Trim(), "B2");
    EXPECT_EQ(rs->Fields().Item("数量").Value().ToLong(), 2);
    EXPECT_EQ(rs->Fields().Item("零售价").Value().ToDouble(), 12.5);
    EXPECT_EQ(rs->Fields().Item("no").Value().ToLong(), -1);

    data.NumberRows(rs, "zyxm");
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields().Item("no").Value().ToLong(), 1);
    EXPECT_EQ(data.Save(rs), 1);
    EXPECT_EQ(Column("select * from zyxm", "no"), Texts{"1"});
}

TEST_F(AccountSetTest, CopyProgressNamesTheTableEveryTenRows) {
    std::vector<std::pair<const char*, const char*>> rows(25, {"件", "X"});
    AddStock(rows);
    struct Recorder : CDataProgress::Display {
        Texts* captions;
        explicit Recorder(Texts* c) : captions(c) {}
        void Show(const wxString& caption, int, int, bool) override {
            captions->push_back(caption);
        }
        void Step(int) override {}
        void SetText(const wxString& caption) override { captions->push_back(caption); }
    };
    Texts captions;
    auto previous = CDataProgress::SetDisplayFactory(
        [&captions] { return std::make_unique<Recorder>(&captions); });
    CDataSet source, target;
    source.Open("select * from ljkc");
    target.Open("select * from ljkc where no=0");
    source.m_strCurTable = "ljkc";
    source.CopyRecords(source.m_pRecordset, target.m_pRecordset, 0, false);
    CDataProgress::SetDisplayFactory(previous);
    EXPECT_EQ(captions, (Texts{U("正在处理数据..."), U("  零件库存  40% complete"),
                               U("  零件库存  80% complete")}));
    source.NumberRows(target.m_pRecordset, "ljkc");
    target.m_pRecordset->MoveLast();
    EXPECT_EQ(target.m_pRecordset->Fields().Item("no").Value().ToLong(), 50);
}

TEST_F(AccountSetTest, TypedTextsAreSearchedAsThemselves) {
    AddStock({{"50%折扣", "A1"}, {"500折扣", "B2"}, {"a_b", "C3"}, {"axb", "D4"}});
    const wxString byName = "select * from ljkc where ReplaceStr order by no";
    auto search = [&](const char* typed) {
        return Column(CDataSet::ReplaceParam(byName, CSqlText::Contains(U("零件名称"), U(typed))),
                      U("编号"));
    };
    EXPECT_EQ(search("50%"), Texts{"A1"});
    EXPECT_EQ(search("a_b"), Texts{"C3"});
    EXPECT_EQ(search("O'Br\"x"), Texts{});
}

TEST_F(AccountSetTest, FiltersQuoteTheirValues) {
    AddStock({{"x", "A1"}, {"机油", "B2"}});
    CDataSet data;
    data.UpdateWhere("ljkc", U("零件名称"), "O'Brien", U("编号='A1'"));
    data.Open("select * from ljkc");
    auto rs = CDataSet::MakeFilter(data.m_pRecordset, U("零件名称"), "O'Brien");
    EXPECT_EQ(rs->RecordCount(), 1);
    CDataSet::MakeFilter(rs, "", "");
    EXPECT_EQ(rs->RecordCount(), 2);
}

TEST_F(AccountSetTest, SharedAndOwnConnections) {
    ASSERT_EQ(frame_->OpenConnection(), 1);
    auto first = frame_->m_pConnection;
    EXPECT_EQ(frame_->OpenConnection(), 1);
    EXPECT_EQ(frame_->m_pConnection, first);
    frame_->CloseConnection();
    EXPECT_FALSE(frame_->m_pConnection);
    ASSERT_EQ(frame_->OpenConnection(), 1);
    EXPECT_NE(frame_->m_pConnection, first);

    CDataSet data;
    EXPECT_EQ(data.OpenShowError(CDataSet::DefaultConnectionText(), ""), 1);
    EXPECT_EQ(data.m_nState, 1);
    EXPECT_FALSE(data.IsOpen());
    EXPECT_EQ(data.OpenShowError("", "select * from ljkc"), 1);
    EXPECT_TRUE(data.IsOpen());
    EXPECT_TRUE(WorkingCopies().empty());

    platform::ScriptedMessageBoxes boxes;
    EXPECT_EQ(data.OpenShowError(wxString("DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;"
                                          "SourceDB=") +
                                     wxString::FromUTF8(Path("missing")),
                                 ""),
              0);
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(data.m_nState, 0);
    data.Close();
    EXPECT_FALSE(data.m_pConnection);
}

TEST_F(AccountSetTest, RightsAreWholeTokens) {
    frame_->m_strRights = U("wang,14,53,折扣=56.0,");
    EXPECT_FALSE(frame_->CheckRight(4));
    EXPECT_FALSE(frame_->CheckRight(43));
    EXPECT_TRUE(frame_->CheckRight(46)); // 56 only inside the discount item
    EXPECT_TRUE(frame_->CheckRight(5));
    frame_->m_strRights = "56,";
    EXPECT_TRUE(frame_->CheckRight(46)); // a login name is no token
    frame_->m_strRights.clear();
    EXPECT_FALSE(frame_->CheckRight(5));
}

namespace {

class FakeGrid : public CColumnGrid {
public:
    wxString table, report;
    std::vector<int> widths{40, 100, 100, 100};
    wxString GetTableName() const override { return table; }
    wxString GetReportName() const override { return report; }
    int GetColumnCount() const override { return static_cast<int>(widths.size()); }
    int GetColumnWidth(int column) const override { return widths[column]; }
    bool SetColumnWidth(int column, int width) override {
        widths[column] = width;
        return true;
    }
    wxString GetItemText(int, int column) const override {
        return wxString::Format("title%d", column);
    }
    ado::RecordsetPtr GetGridRecordset() const override { return nullptr; }
};

} // namespace

TEST_F(AccountSetTest, ColumnWidthsAreKeptPerTableOrDocumentKind) {
    FakeGrid grid;
    grid.report = U("零件售货单");
    frame_->m_dsMain.LoadColumnWidths("", &grid, 3);
    EXPECT_EQ(grid.widths, (std::vector<int>{40, 100, 100, 100}));

    grid.widths = {40, 3, 5000, 70};
    frame_->m_dsMain.SaveColumnWidths(&grid);
    grid.widths = {40, 50, 60, 70};
    frame_->m_dsMain.SaveColumnWidths(&grid); // the same row again
    EXPECT_EQ(Column("select * from fieldlong", "n1"), Texts{"50"});

    CDataSet widthsSet;
    widthsSet.UpdateWhere("fieldlong", "n1", "3", "");
    widthsSet.UpdateWhere("fieldlong", "n2", "5000", "");
    FakeGrid wider = grid;
    wider.widths.resize(6, 1);
    frame_->m_dsMain.LoadColumnWidths("", &wider, 5);
    EXPECT_EQ(wider.widths, (std::vector<int>{40, 8, 1000, 70, 160, 160}));
    EXPECT_EQ(frame_->m_dsMain.m_strFieldLongTable, U("零件售货单"));

    Texts titles;
    CDataSet::GetGridTitles(&grid, titles);
    EXPECT_EQ(titles, (Texts{"title1", "title2", "title3"}));
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(AccountSetTest, ValuesAreCheckedOnTheirWayIntoFields) {
    platform::ScriptedMessageBoxes boxes;
    CDataSet data;
    data.Open("select * from ljsh where no=0");
    auto rs = data.m_pRecordset;
    struct Row {
        const char* price;
        const char* count;
        const char* date;
    } rows[] = {{"-1.5", "-3", "2024-3-5"},
                {"12345.25", "2147483647", ""},
                {"12.5x", "12345678901", "2024-05-32"}};
    for (const Row& row : rows) {
        rs->AddNew();
        data.PutFieldValue(row.price, U("单价"), rs);
        data.PutFieldValue(row.count, U("数量"), rs);
        data.PutFieldValue(row.date, U("日期"), rs);
    }
    data.NumberRows(rs, "0");
    ASSERT_EQ(data.Save(rs), 1);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"数据格式不对！", "数据格式不对！",
                                                       "日期不对，可能月份或天数不正确。"}));
    const wxString all = "select * from ljsh order by no";
    EXPECT_EQ(Column(all, U("单价")), (Texts{"-1.5", "12345.25", "0"}));
    EXPECT_EQ(Column(all, U("数量")), (Texts{"-3", "2147483647", "0"}));
    EXPECT_EQ(Column(all, U("日期")), (Texts{"2024-03-05", "0:00:00", "2024-05-31"}));
}

TEST_F(AccountSetTest, NumberingLeavesGivenNumbersAlone) {
    CDataSet data;
    data.Open("select * from ljkc where no=0");
    auto rs = data.m_pRecordset;
    for (int given : {0, -5, 7}) {
        rs->AddNew();
        rs->Fields().Item("no").PutValue(ado::Variant(given));
    }
    rs->AddNew(); // no number at all
    data.NumberRows(rs, "0");
    std::vector<long> numbers;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        numbers.push_back(rs->Fields().Item("no").Value().ToLong());
    EXPECT_EQ(numbers, (std::vector<long>{0, 1, 7, 2}));
}

TEST_F(AccountSetTest, QuietCopyFillsTheCurrentOrANewRecord) {
    AddStock({{"刹车片", "A1"}});
    CDataSet source, target;
    source.Open("select * from ljkc");
    target.Open("select * from zyxm where no=0");
    auto rs = target.m_pRecordset;
    source.CopyRecordsQuiet(source.m_pRecordset, rs, true, "");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(wxString::FromUTF8(rs->Fields().Item("项目名称").Value().ToString()).Trim(),
              U("刹车片"));
    EXPECT_EQ(rs->Fields().Item("no").Value().ToLong(), 1); // same name: copied
    rs->Fields().Item("编号").PutValue(ado::Variant("old"));
    source.CopyRecordsQuiet(source.m_pRecordset, rs, false, "");
    EXPECT_EQ(rs->RecordCount(), 1);
    EXPECT_EQ(wxString::FromUTF8(rs->Fields().Item("编号").Value().ToString()).Trim(), "A1");

    CDataSet empty;
    empty.Open("select * from gk");
    EXPECT_EQ(source.CopyRecordsQuiet(empty.m_pRecordset, rs, true, ""), 1);
    EXPECT_EQ(rs->RecordCount(), 1);
}

TEST_F(AccountSetTest, OpenIntoFillsTheCallersRecordset) {
    AddStock({{"刹车片", "A1"}, {"机油", "B2"}});
    CDataSet data;
    auto sheet = std::make_shared<ado::Recordset>();
    EXPECT_TRUE(data.OpenInto("select * from ljkc", sheet));
    EXPECT_EQ(sheet->RecordCount(), 2);
    EXPECT_TRUE(data.OpenInto("select * from ljkc where no=2", sheet)); // reopened
    EXPECT_EQ(sheet->RecordCount(), 1);
    EXPECT_FALSE(data.IsOpen());

    platform::ScriptedMessageBoxes boxes;
    EXPECT_FALSE(data.OpenInto("select * from ljkc where", sheet));
    EXPECT_FALSE(sheet->IsOpen());
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(WorkingCopies().empty());
}

TEST_F(AccountSetTest, DamagedTableGivesTheErrorBoxAndLosesNothing) {
    const std::string encrypted = Path("Data/gk.dwf");
    platform::SetReadOnly(encrypted, false);
    Write(encrypted, std::string(300, 'x'));
    platform::SetReadOnly(encrypted, true);
    platform::ScriptedMessageBoxes boxes;
    CDataSet data;
    data.Open("select * from gk");
    EXPECT_FALSE(data.IsOpen());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text.rfind(" Error: ", 0), 0u);
    EXPECT_EQ(Read(encrypted), std::string(300, 'x'));
    EXPECT_TRUE(WorkingCopies().empty());
    data.Open("select * from ljkc"); // the other tables still work
    EXPECT_TRUE(data.IsOpen());
}

namespace {

// A list box without a window: the items a data set adds.
class ItemList : public wxItemContainer {
public:
    std::vector<wxString> items;
    unsigned int GetCount() const override { return static_cast<unsigned>(items.size()); }
    wxString GetString(unsigned int n) const override { return items[n]; }
    void SetString(unsigned int n, const wxString& s) override { items[n] = s; }
    void SetSelection(int) override {}
    int GetSelection() const override { return wxNOT_FOUND; }

protected:
    int DoInsertItems(const wxArrayStringsAdapter& added, unsigned int pos, void**,
                      wxClientDataType) override {
        for (unsigned int i = 0; i < added.GetCount(); ++i)
            items.insert(items.begin() + pos + i, added[i]);
        return static_cast<int>(pos + added.GetCount()) - 1;
    }
    void DoSetItemClientData(unsigned int, void*) override {}
    void* DoGetItemClientData(unsigned int) const override { return nullptr; }
    void DoClear() override { items.clear(); }
    void DoDeleteOneItem(unsigned int pos) override { items.erase(items.begin() + pos); }
};

} // namespace

TEST_F(AccountSetTest, ComboBoxesGetTheFirstFieldOfEveryRecord) {
    AddStock({{"刹车片", "A1"}, {"机油", "B2"}});
    CDataSet data;
    data.UpdateWhere("ljkc", U("备注"), U("左前"), "no=2");
    ItemList list;
    data.FillComboBox(U("select 备注 from ljkc order by no"), &list);
    EXPECT_EQ(list.items, Texts{U("左前")}); // the null of row 1 is skipped, blanks cut
    data.FillComboBox("select * from ljkc where no=0", &list);
    EXPECT_EQ(list.items.size(), 1u);
}

// A table can hold numbers above its record count (renumbered records, a record
// deleted but not packed away): new rows pass over them instead of clashing on save.
TEST_F(AccountSetTest, NumberingPassesOverNumbersTheTableOrTheBatchHolds) {
    AddStock({{"刹车片", "A1"}, {"机油", "B2"}, {"火花塞", "C3"}});
    CDataSet data;
    data.UpdateWhere("ljkc", "no", "5", "no=3");
    data.DeleteWhere("ljkc", "no=5"); // marked: keeps its number
    data.UpdateWhere("ljkc", "no", "4", "no=2");
    ASSERT_EQ(data.GetDbfRecordCount("ljkc"), 3);

    data.Open("select * from ljkc where no=0");
    auto rs = data.m_pRecordset;
    for (const char* given : {"-1", "7", "", "-3"}) {
        rs->AddNew();
        data.PutFieldValue(U("新件"), U("零件名称"), rs);
        if (*given) data.PutFieldValue(given, "no", rs);
    }
    data.NumberRows(rs, "ljkc");
    std::vector<long> numbers;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        numbers.push_back(rs->Fields().Item("no").Value().ToLong());
    EXPECT_EQ(numbers, (std::vector<long>{6, 7, 8, 9}));
    ASSERT_EQ(data.Save(rs), 1);
    EXPECT_EQ(Column("select * from ljkc order by no", "no"),
              (Texts{"1", "4", "6", "7", "8", "9"}));
    EXPECT_TRUE(WorkingCopies().empty());
}
