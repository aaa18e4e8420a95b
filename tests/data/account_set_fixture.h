#pragma once
// A default account set made from the catalogue, as the first run makes it: tables
// created in the set folder, their index files moved to the working folder, every
// table encrypted. A window-less main frame holds the shared connection.
#include "common/statement_column.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "data_fixture.h"
#include "platform/message_box.h"

#include <algorithm>

class AccountSetTest : public DataFolderTest {
protected:
    static constexpr const char* kTables[] = {"ljkc", "zyxm", "gk", "fieldlong", "ljsh"};

    void SetUp() override {
        DataFolderTest::SetUp();
        {
            auto maker = std::make_shared<ado::Connection>();
            maker->Open("DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" +
                        Home("Data"));
            for (const char* table : kTables)
                maker->Execute(CTableCatalog().GetCreateSql(table).utf8_string(), nullptr,
                               ado::adCmdText | ado::adExecuteNoRecords);
            maker->Close();
        }
        for (const std::string& index : platform::ListFiles(Home("Data"), "*.cdx"))
            ASSERT_TRUE(platform::MoveFile(Home("Data/" + index), Working(index)));
        frame_ = std::make_unique<CMainFrameData>();
        frame_->EncryptAllTables();
    }
    void TearDown() override {
        frame_.reset();
        DataFolderTest::TearDown();
    }

    // The plain table files of the working folder.
    std::vector<std::string> WorkingCopies() const {
        return platform::ListFiles(g_strDataPath.utf8_string(), "*.dbf");
    }
    // One field over the rows of a statement.
    std::vector<wxString> Column(const wxString& statement, const char* field) {
        return qv_test::StatementColumn(statement, field);
    }
    // Appends stock rows (名称, 编号) through a batch save, numbered from the table.
    void AddStock(const std::vector<std::pair<const char*, const char*>>& rows) {
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

    std::unique_ptr<CMainFrameData> frame_;
};
