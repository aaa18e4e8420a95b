#pragma once
// Grids on the recordsets of a generated account set, in a window under Xvfb, with
// every message box recorded.
#include "common/table_folder.h"
#include "gui_test_app.h"

#include "data/data_set.h"
#include "data/table_catalog.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"

#include <wx/frame.h>

class RecordsetGridTest : public AccountSetTest {
protected:
    void SetUp() override {
        AccountSetTest::SetUp();
        RemoveGridSet();
        frame = new NoteFrame;
        frame->SetClientSize(900, 600);
        frame->Show();
        frame_->m_strRights = "admin,";
    }
    void TearDown() override {
        frame->Destroy();
        ProcessPending();
        AccountSetTest::TearDown();
    }

    CGridCtrl* NewGrid(const wxString& table) {
        auto* grid = new CGridCtrl(1, 1, 1, 1);
        EXPECT_TRUE(grid->Create(frame, 1002, wxRect(0, 0, 880, 560)));
        grid->SetTableName(table);
        return grid;
    }
    // A grid opened on the statement and loaded as its forms load it (a zyxm grid
    // leaves the first record out).
    CGridCtrl* OpenGrid(const char* statement, const wxString& table) {
        CGridCtrl* grid = NewGrid(table);
        EXPECT_EQ(data_grid::OpenIntoGrid(data, U(statement), grid), 1);
        data_grid::LoadGrid(data, grid->m_rsBound, grid, wxString(), wxString(), 0,
                            table == "zyxm" ? 1 : 0);
        return grid;
    }
    static int ColumnOf(CGridCtrl* grid, const char* title) {
        for (int col = 1; col < grid->GetColumnCount(); ++col)
            if (grid->GetItemText(0, col) == U(title)) return col;
        ADD_FAILURE() << "no column " << title;
        return -1;
    }
    // Types a text into a cell through the in-place editor, as the operator does.
    void TypeInto(CGridCtrl* grid, int row, const char* title, const char* text) {
        const wxString value = U(text);
        grid->SetEditMode(true);
        const int col = ColumnOf(grid, title);
        grid->EnsureVisible(row, col);
        grid->OnEditCell(row, col, value.empty() ? int(VK_BACK) : int(value[0].GetValue()));
        CGridCellEdit* editor = OpenEditor(grid);
        ASSERT_NE(editor, nullptr) << title;
        for (size_t i = 1; i < value.length(); ++i)
            TypeChar(editor, value[i].GetValue());
        editor->EndEdit(true);
        ProcessPending();
    }
    // Rows of zyxm (项目名称, 数量), numbered 1, 2, ...
    void AddLines(const std::vector<std::pair<const char*, int>>& lines) {
        CDataSet set;
        set.Open("select * from zyxm where no=0");
        ASSERT_TRUE(set.IsOpen());
        auto rs = set.m_pRecordset;
        for (const auto& line : lines) {
            rs->AddNew();
            set.PutFieldValue(U(line.first), U("项目名称"), rs);
            set.PutFieldValue(wxString::Format("%d", line.second), U("数量"), rs);
        }
        set.NumberRows(rs, "zyxm");
        ASSERT_EQ(set.Save(rs), 1);
    }
    // Creates a further catalogue table in the account set, as the fixture made the others.
    void CreateTable(const char* table) {
        CreatePlainTable(CTableCatalog().GetCreateSql(table));
        frame_->EncryptAllTables();
    }

    NoteFrame* frame = nullptr;
    CDataSet data;
    platform::ScriptedMessageBoxes boxes;
};
