#pragma once
// A program folder whose default account set holds tables made from the catalogue
// and encrypted, as a login leaves them; the working folder of their plain copies
// under the test's own system directory.
#include "app_fixture.h"
#include "common/statement_column.h"
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "platform/files.h"

#include <initializer_list>

class TableFolderTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        SetAccountSet(wxString());
        platform::CreateFolders(g_strDataPath.utf8_string());
    }

    // Creates the tables in the set folder and encrypts them through the frame.
    void MakeTables(std::initializer_list<const char*> tables, CMainFrameData& frame) {
        auto maker = std::make_shared<ado::Connection>();
        maker->Open("DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" +
                    Path("Data"));
        for (const char* table : tables)
            maker->Execute(CTableCatalog().GetCreateSql(table).utf8_string(), nullptr,
                           ado::adCmdText | ado::adExecuteNoRecords);
        maker->Close();
        for (const std::string& index : platform::ListFiles(Path("Data"), "*.cdx"))
            ASSERT_TRUE(platform::MoveFile(Path("Data/" + index), Working(index)));
        frame.EncryptAllTables();
    }

    std::string Working(const std::string& name) const {
        return g_strDataPath.utf8_string() + name;
    }
    std::vector<std::string> WorkingCopies() const {
        return platform::ListFiles(g_strDataPath.utf8_string(), "*.dbf");
    }

    // The values of one field over the rows of a statement, trailing blanks removed.
    static std::vector<wxString> Column(const wxString& statement, const char* field) {
        return qv_test::StatementColumn(statement, field);
    }
};
