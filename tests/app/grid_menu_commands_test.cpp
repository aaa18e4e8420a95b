// The grid's context menu commands that reach the program: goods pictures linked and
// shown, a column converted, the grid shown in the spreadsheet program, the grids'
// look opened from the menu.
#include "app/column_conversion_dlg.h"
#include "app/grid_menu_commands.h"
#include "app/main_frame.h"
#include "common/form_driver.h"
#include "common/table_folder.h"
#include "data/data_file_open.h"
#include "data/db_link.h"
#include "data/workbook_file.h"
#include "grid/data_set_grid.h"
#include "grid/grid_context_menu.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_setup_dlg.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/command_ids.h"

#include <gtest/gtest.h>
#include <wx/app.h>

namespace {

class GridMenuCommandsTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        wxTheApp->SetTopWindow(frame_);
        CGridMenuCommands::Register();
        MakeTables({"ljkc", "tpk", "wxxm", "fieldlong"}, *frame_);
        Insert("ljkc", {{{"零件名称", "机油滤清器"},
                         {"编号", "JL-01"},
                         {"车型", "捷达"},
                         {"零售价", "5"},
                         {"进价", "3.1"},
                         {"no", "1"}},
                        {{"零件名称", "刹车片"},
                         {"车型", "桑塔纳"},
                         {"零售价", "12.5"},
                         {"进价", "10"},
                         {"no", "2"}}});
        window_ = new wxFrame(frame_, wxID_ANY, "grid");
        CGridCtrl::RegisterGridClass();
        grid_ = new CGridCtrl(1, 1, 1, 1);
        ASSERT_TRUE(grid_->Create(window_, 1002, wxRect(0, 0, 600, 300)));
        grid_->SetTableName("ljkc");
        data_.Open("select * from ljkc order by no");
        ASSERT_TRUE(data_.IsOpen());
        data_grid::LoadGrid(data_, data_.m_pRecordset, grid_, wxString(), wxString(), 0, 0);
        window_->Show();
    }
    void TearDown() override {
        CDbLink::SetSpreadsheetLauncher(nullptr);
        CGridMenuCommands::SetFileChooser(nullptr);
        SetGridMenuHandler(nullptr);
        for (wxWindow* window : wxTopLevelWindows)
            if (window != frame_ && window != window_ && window->GetLabel() == U("图片"))
                window->Destroy();
        window_->Destroy();
        frame_->Destroy();
        Pump();
        TableFolderTest::TearDown();
    }
    // A menu command as the context menu sends it to the grid.
    void Command(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(grid_);
        grid_->GetEventHandler()->ProcessEvent(event);
    }
    // The file the operator picks in the picture dialog.
    void Choose(const std::string& path) {
        CGridMenuCommands::SetFileChooser(
            [path](wxWindow*, CGridMenuCommands::FileKind) { return wxString::FromUTF8(path); });
    }
    std::string Picture(const char* name) {
        const std::string path = Path(name);
        platform::WriteFileAtomic(path, "GIF89a");
        return path;
    }

    CMainFrame* frame_ = nullptr;
    wxFrame* window_ = nullptr;
    CGridCtrl* grid_ = nullptr;
    CDataSet data_;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(GridMenuCommandsTest, PictureLinkedUnderTheCodeOrTheModelAndNameAndShown) {
    grid_->SetFocusCell(1, 1);
    const std::string filter = Picture("filter.gif");
    Choose(filter);
    Command(ID_GRID_LINK_PICTURE);
    EXPECT_EQ(Column(U("select * from tpk where 编号='JL-01'"), U("图片")),
              std::vector<wxString>{wxString::FromUTF8(filter)});
    // A row without a code: under its model and name, the name kept as 项目名称.
    grid_->SetFocusCell(2, 1);
    const std::string pads = Picture("pads.gif");
    Choose(pads);
    Command(ID_GRID_LINK_PICTURE);
    EXPECT_EQ(Column(U("select * from tpk where 车型='桑塔纳' and 项目名称='刹车片'"), U("图片")),
              std::vector<wxString>{wxString::FromUTF8(pads)});

    // Linking again asks first; No keeps the old picture.
    boxes_.Reply(platform::IDNO);
    Command(ID_GRID_LINK_PICTURE);
    EXPECT_EQ(boxes_.Texts().back(), "已有该商品图片，是否继续？");

    // A path of 101 characters does not fit the table's 100.
    boxes_.Reply(platform::IDYES);
    const std::string longer = Path(std::string(101 - Path("").size() - 4, 'p') + ".gif");
    ASSERT_EQ(longer.size(), 101u);
    platform::WriteFileAtomic(longer, "GIF89a");
    Choose(longer);
    Command(ID_GRID_LINK_PICTURE);
    EXPECT_EQ(boxes_.Texts().back(), "路径太长,无法完成操作!");
    EXPECT_EQ(Column(U("select * from tpk"), U("图片")).size(), 2u);

    // 显示图片 opens the linked picture in its own window.
    Command(ID_GRID_SHOW_PICTURE);
    bool shown = false;
    for (wxWindow* window : wxTopLevelWindows)
        shown = shown || window->GetLabel() == U("图片");
    EXPECT_TRUE(shown);
}

TEST_F(GridMenuCommandsTest, ColumnOperationOnlyInEditModeAndPendingUntilSaved) {
    grid_->SetEditMode(false);
    Command(ID_GRID_COLUMN_OPERATION);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"非编辑状态下不允许此项操作"});

    grid_->SetEditMode(true);
    qv_test::ModalDriver<CColumnConvertDlg> convert([this](CColumnConvertDlg& dialog) {
        frame_->m_strShared = U("零售价@&进价*2");
        dialog.EndModal(wxID_OK);
    });
    Command(ID_GRID_COLUMN_OPERATION);
    EXPECT_TRUE(convert.Done());
    int price = -1;
    for (int col = 1; col < grid_->GetColumnCount(); ++col)
        if (grid_->GetItemText(0, col) == U("零售价")) price = col;
    ASSERT_GT(price, 0);
    EXPECT_EQ(grid_->GetItemText(1, price), "6.20");
    EXPECT_EQ(grid_->GetItemText(2, price), "20.00");
    EXPECT_TRUE(frame_->m_strShared.empty());
    // Nothing is written until the grid's owner saves.
    EXPECT_EQ(Column("select * from ljkc order by no", U("零售价")),
              (std::vector<wxString>{"5", "12.5"}));
}

TEST_F(GridMenuCommandsTest, MenuExportShowsTheCurrentGridInTheSpreadsheetProgram) {
    std::vector<wxString> opened;
    CDbLink::SetSpreadsheetLauncher([&opened](const wxString& path) {
        opened.push_back(path);
        return true;
    });
    grid_->MakeCurrentGrid();
    frame_->ExecuteCommand(ID_EXPORT_EXCEL);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(platform::FileExists(opened[0].utf8_string()));

    // 表格格式 opens the grids' look on the current grid.
    EXPECT_TRUE(qv_test::AnswerModal<CGridSetupDlg>(
        [this] { frame_->ExecuteCommand(ID_GRID_SETUP); }, [](CGridSetupDlg&) {}));
}

TEST_F(GridMenuCommandsTest, ImportedRowsMatchTheirColumnsByTitleAndWaitForTheSave) {
    Insert("wxxm", {{{"项目名称", "四轮定位"}, {"编号", "GS-02"}, {"no", "1"}}});
    CDataSet labour;
    labour.Open(U("select 项目名称,编号 from wxxm"));
    ASSERT_TRUE(labour.IsOpen());
    const std::string file = Path("labour");
    SaveRecordsetAdtg(wxString::FromUTF8(file), labour.m_pRecordset);

    // Chosen by the operator: only with the right and in edit mode.
    Choose(file + ".adtg");
    frame_->m_strRights = "admin,56,";
    grid_->SetEditMode(true);
    Command(ID_GRID_IMPORT_TABLE);
    frame_->m_strRights = "admin,";
    grid_->SetEditMode(false);
    Command(ID_GRID_IMPORT_TABLE);
    EXPECT_EQ(boxes_.Texts(),
              (std::vector<std::string>{"超出权限,无效操作!", "非编辑状态下不允许此项操作"}));
    EXPECT_EQ(grid_->GetRowCount(), 3);

    // Handed over with its path, it needs neither; 项目名称 goes into 零件名称.
    frame_->m_strShared = wxString::FromUTF8(file + ".adtg") + "$#@";
    Command(ID_GRID_IMPORT_TABLE);
    EXPECT_TRUE(frame_->m_strShared.empty());
    ASSERT_EQ(grid_->GetRowCount(), 4);
    int name = -1;
    for (int col = 1; col < grid_->GetColumnCount(); ++col)
        if (grid_->GetItemText(0, col) == U("零件名称")) name = col;
    ASSERT_GT(name, 0);
    EXPECT_EQ(grid_->GetItemText(3, name), U("四轮定位"));
    EXPECT_EQ(Column(U("select * from ljkc"), U("编号")).size(), 2u);
    ASSERT_EQ(data_.Save(data_.m_pRecordset), 1);
    EXPECT_EQ(Column(U("select * from ljkc where 编号='GS-02'"), U("零件名称")),
              std::vector<wxString>{U("四轮定位")});
}

// A workbook the grid wrote comes back through the import as new rows of the grid:
// texts, prices and quantities as they were, numbered afresh on the save.
TEST_F(GridMenuCommandsTest, ExportedWorkbookIsImportedBack) {
    Choose(Path("stock"));
    Command(ID_GRID_EXPORT_EXCEL);
    ASSERT_TRUE(platform::FileExists(Path("stock.xlsx")));
    boxes_.Clear();
    frame_->m_strShared = wxString::FromUTF8(Path("stock.xlsx")) + "$#@";
    Command(ID_GRID_IMPORT_TABLE);
    EXPECT_TRUE(boxes_.Texts().empty());
    ASSERT_EQ(grid_->GetRowCount(), 5);
    data_.NumberRows(data_.m_pRecordset, "ljkc");
    ASSERT_EQ(data_.Save(data_.m_pRecordset), 1);
    const wxString all = U("select * from ljkc order by no");
    EXPECT_EQ(Column(all, U("零件名称")),
              (std::vector<wxString>{U("机油滤清器"), U("刹车片"), U("机油滤清器"), U("刹车片")}));
    EXPECT_EQ(Column(all, U("零售价")), (std::vector<wxString>{"5", "12.5", "5", "12.5"}));
    EXPECT_EQ(Column(all, U("车型")),
              (std::vector<wxString>{U("捷达"), U("桑塔纳"), U("捷达"), U("桑塔纳")}));
    EXPECT_EQ(Column(all, "no"), (std::vector<wxString>{"1", "2", "3", "4"}));
}

TEST_F(GridMenuCommandsTest, WorkbookExportAsksAboutHiddenFieldsOnlyWhenThereAreSome) {
    auto exported = [this](const char* name) {
        std::vector<WorkbookSheet> sheets;
        std::string error;
        EXPECT_TRUE(ReadWorkbook(Path(name), &sheets, &error)) << error;
        return sheets.empty() || sheets[0].rows.empty() ? std::vector<std::string>()
                                                        : sheets[0].rows[0];
    };
    // Every field shown: no question, the header is the columns; ".xlsx" is added.
    Choose(Path("all"));
    Command(ID_GRID_EXPORT_EXCEL);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"操作完成 "});
    boxes_.Clear();
    EXPECT_EQ(exported("all.xlsx").size(), size_t(data_.m_pRecordset->Fields().Count()));

    // Three columns shown: asked, and Yes takes the hidden fields along.
    grid_->ResetToCorner();
    data_grid::LoadGrid(data_, data_.m_pRecordset, grid_, wxString(), wxString(), 3, 0);
    boxes_.Reply(platform::IDYES);
    Choose(Path("hidden"));
    Command(ID_GRID_EXPORT_EXCEL);
    EXPECT_EQ(boxes_.Texts(),
              (std::vector<std::string>{"是否保存表的内部隐藏信息？", "操作完成 "}));
    EXPECT_EQ(exported("hidden.xlsx").size(), size_t(data_.m_pRecordset->Fields().Count()));
    boxes_.Reply(platform::IDNO);
    Choose(Path("shown"));
    Command(ID_GRID_EXPORT_EXCEL);
    EXPECT_EQ(exported("shown.xlsx"), (std::vector<std::string>{"定货单", "车型", "部位"}));

    // Without the export right nothing is written.
    frame_->m_strRights = "admin,56,";
    Command(ID_GRID_EXPORT_EXCEL);
    EXPECT_EQ(boxes_.Texts().back(), "超出权限,无效操作!");
}

} // namespace
