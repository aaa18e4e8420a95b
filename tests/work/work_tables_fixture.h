#pragma once
// An account set whose tables are made from the catalogue and encrypted, with a
// window-less main frame holding the shared connection, and rows put in through
// the data store as the forms put them.
#include "common/statement_column.h"
#include "data/data_fixture.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "platform/message_box.h"

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

class WorkTablesTest : public DataFolderTest {
protected:
    void SetUp() override {
        DataFolderTest::SetUp();
        auto maker = std::make_shared<ado::Connection>();
        maker->Open("DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" +
                    Home("Data"));
        for (const char* table : {"gk", "hyzl", "hyxm", "ljsh", "ljkc", "zyxm", "fieldlong"})
            maker->Execute(CTableCatalog().GetCreateSql(table).utf8_string(), nullptr,
                           ado::adCmdText | ado::adExecuteNoRecords);
        maker->Close();
        for (const std::string& index : platform::ListFiles(Home("Data"), "*.cdx"))
            ASSERT_TRUE(platform::MoveFile(Home("Data/" + index), Working(index)));
        frame_ = std::make_unique<CMainFrameData>();
        frame_->EncryptAllTables();
    }
    void TearDown() override {
        frame_.reset();
        DataFolderTest::TearDown();
    }

    using Row = std::vector<std::pair<const char*, const char*>>;
    // Appends rows (field, value; an empty value stays NULL) and saves them numbered.
    void Insert(const char* table, const std::vector<Row>& rows) {
        CDataSet data;
        data.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        for (const Row& row : rows) {
            rs->AddNew();
            for (const auto& [field, value] : row)
                if (*value) data.PutFieldValue(U(value), U(field), rs);
        }
        data.NumberRows(rs, table);
        ASSERT_EQ(data.Save(rs), 1);
    }
    static std::vector<wxString> Column(const wxString& statement, const char* field) {
        return qv_test::StatementColumn(statement, field);
    }

    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
};
