#pragma once
// The workshop's tables in a default account set, with a window-less main frame
// holding the shared connection, scripted message boxes, and rows put in numbered
// after the table's count, as the forms save them.
#include "common/table_folder.h"
#include "data/data_set.h"
#include "platform/message_box.h"

#include <memory>
#include <vector>

// Appends rows (field, value; an empty value stays NULL) numbered as a save numbers
// new rows.
inline void
InsertNumbered(const char* table,
               const std::vector<std::vector<std::pair<const char*, const char*>>>& rows) {
    CDataSet data;
    data.Open(wxString("select * from ") + table + " where no=0");
    ASSERT_TRUE(data.IsOpen());
    auto rs = data.m_pRecordset;
    for (const auto& row : rows) {
        rs->AddNew();
        for (const auto& [field, value] : row)
            if (*value) data.PutFieldValue(U(value), U(field), rs);
    }
    data.NumberRows(rs, table);
    ASSERT_EQ(data.Save(rs), 1);
}

class WorkTablesTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"gk", "hyzl", "hyxm", "ljsh", "ljkc", "zyxm", "fieldlong"}, *frame_);
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }
    static void Insert(const char* table,
                       const std::vector<std::vector<std::pair<const char*, const char*>>>& rows) {
        InsertNumbered(table, rows);
    }

    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
};
