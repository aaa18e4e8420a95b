#include "common/table_folder.h"

#include "ado/ado.h"
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "data/table_crypt.h"
#include "platform/files.h"

void TableFolderTest::Execute(const std::string& folder,
                              std::initializer_list<std::string> statements) {
    auto connection = std::make_shared<ado::Connection>();
    connection->Open(ado::ConnectionStringOfFolder(folder));
    for (const std::string& statement : statements)
        connection->Execute(statement, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
    connection->Close();
}

void TableFolderTest::CreatePlainTable(const wxString& createSql) {
    Execute(Path("Data"), {createSql.utf8_string()});
    for (const std::string& index : platform::ListFiles(Path("Data"), "*.cdx"))
        ASSERT_TRUE(platform::MoveFile(Path("Data/" + index), Working(index)));
}

void TableFolderTest::MakeTables(std::initializer_list<const char*> tables, CMainFrameData& frame) {
    for (const char* table : tables)
        CreatePlainTable(CTableCatalog().GetCreateSql(table));
    frame.EncryptAllTables();
}

void TableFolderTest::Insert(const char* table, const std::vector<Row>& rows) {
    CDataSet data;
    data.Open(wxString("select * from ") + table + " where no=0");
    ASSERT_TRUE(data.IsOpen());
    auto rs = data.m_pRecordset;
    for (const Row& row : rows) {
        rs->AddNew();
        for (const auto& [field, value] : row) {
            SCOPED_TRACE(field);
            ASSERT_NO_THROW(data.PutFieldValue(U(value), U(field), rs));
        }
    }
    ASSERT_EQ(data.Save(rs), 1);
}

std::vector<wxString> TableFolderTest::Column(const wxString& statement, const wxString& field) {
    CDataSet data;
    data.Open(statement);
    std::vector<wxString> values;
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return values;
    auto rs = data.m_pRecordset;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        ado::Variant value = rs->Fields().Item(field.utf8_string()).Value();
        values.push_back(value.IsNull() ? wxString("NULL")
                                        : wxString::FromUTF8(value.ToString()).Trim(true));
    }
    return values;
}

std::vector<wxString> TableFolderTest::FieldNames(const char* table) {
    CDataSet data;
    data.Open(wxString("select * from ") + table);
    std::vector<wxString> names;
    for (int i = 0; data.IsOpen() && i < data.m_pRecordset->Fields().Count(); ++i)
        names.push_back(wxString::FromUTF8(data.m_pRecordset->Fields().Item(i).Name()));
    return names;
}

std::vector<std::string> TableFolderTest::WorkingCopies() {
    return platform::ListFiles(g_strDataPath.utf8_string(), "*.dbf");
}

long long TableFolderTest::FullDiskFor(const char* table) const {
    EXPECT_TRUE(CTableCrypt::DecryptTable(table));
    const long long plain = platform::FileSize(Working(std::string(table) + ".dbf"));
    CTableCrypt::DropWorkingCopies({table});
    return plain + 1;
}

void AccountSetTest::SetUp() {
    TableFolderTest::SetUp();
    frame_ = std::make_unique<CMainFrameData>();
    MakeTables({kTables[0], kTables[1], kTables[2], kTables[3], kTables[4]}, *frame_);
}

void AccountSetTest::TearDown() {
    frame_.reset();
    TableFolderTest::TearDown();
}

void AccountSetTest::AddStock(const std::vector<std::pair<const char*, const char*>>& rows) {
    CDataSet data;
    data.Open("select * from ljkc where no=0");
    ASSERT_TRUE(data.IsOpen());
    auto rs = data.m_pRecordset;
    for (const auto& row : rows) {
        rs->AddNew();
        data.PutFieldValue(U(row.first), U("零件名称"), rs);
        data.PutFieldValue(U(row.second), U("编号"), rs);
        data.PutFieldValue("2", U("数量"), rs);
        data.PutFieldValue("12.5", U("零售价"), rs);
    }
    data.NumberRows(rs, "ljkc");
    ASSERT_EQ(data.Save(rs), 1);
}
