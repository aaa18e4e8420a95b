#include "app/column_conversion_dlg.h"
#include "common/table_folder.h"
#include "data/column_grid.h"
#include "platform/message_box.h"
#include "res/column_conversion_template.h"
#include "res/control_ids.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

using namespace res::column_conversion;

namespace {

// A grid with the given headings over a recordset.
class RecordsetGrid : public CColumnGrid {
public:
    RecordsetGrid(ado::RecordsetPtr rs, std::vector<wxString> headings)
        : rs_(std::move(rs)), headings_(std::move(headings)) {}
    wxString GetTableName() const override { return "ljkc"; }
    wxString GetReportName() const override { return wxString(); }
    int GetColumnCount() const override { return static_cast<int>(headings_.size()) + 1; }
    int GetColumnWidth(int) const override { return 80; }
    bool SetColumnWidth(int, int) override { return true; }
    wxString GetItemText(int row, int column) const override {
        return row == 0 && column >= 1 ? headings_[column - 1] : wxString();
    }
    ado::RecordsetPtr GetGridRecordset() const override { return rs_; }

private:
    ado::RecordsetPtr rs_;
    std::vector<wxString> headings_;
};

class ColumnConvertDlgTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        MakeTables({"ljkc"}, *frame_);
        data_.Open("select * from ljkc");
        ASSERT_TRUE(data_.IsOpen());
    }
    void TearDown() override {
        data_.Close();
        frame_.reset();
        TableFolderTest::TearDown();
    }
    CColumnConvertDlg* Make(std::vector<wxString> headings) {
        grid_ = std::make_unique<RecordsetGrid>(data_.m_pRecordset, std::move(headings));
        dialog_ = new CColumnConvertDlg(nullptr, *grid_);
        dialog_->Show();
        column_ = res::Control<wxComboBox>(dialog_, kColumnCombo);
        edit_ = res::Control<wxTextCtrl>(dialog_, kExpressionEdit);
        return dialog_;
    }
    void Choose(const char* name) {
        column_->SetSelection(column_->FindString(U(name)));
        dialog_->OnSelchangeColumn();
    }

    std::unique_ptr<CMainFrameData> frame_;
    CDataSet data_;
    std::unique_ptr<RecordsetGrid> grid_;
    CColumnConvertDlg* dialog_ = nullptr;
    wxComboBox* column_ = nullptr;
    wxTextCtrl* edit_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(ColumnConvertDlgTest, ListsTheShownColumnsAndHandsOverTheAcceptedExpression) {
    Make({U("编号"), U("零售价"), "no"});
    EXPECT_EQ(dialog_->GetTitle(), U("列转换"));
    ASSERT_EQ(column_->GetCount(), 2u);
    EXPECT_EQ(column_->GetString(0), U("编号"));
    EXPECT_EQ(column_->GetSelection(), 0);

    Choose("零售价");
    EXPECT_EQ(edit_->GetValue(), U("零售价*"));
    dialog_->OnOK();
    EXPECT_EQ(boxes_.Texts(),
              std::vector<std::string>{"选择或输入内容不对或不完整！无法完成操作。"});
    EXPECT_TRUE(dialog_->IsShown());

    edit_->ChangeValue(U("零售价*1.1"));
    dialog_->OnOK();
    EXPECT_EQ(frame_->m_strShared, U("零售价@&零售价*1.1"));
    EXPECT_EQ(dialog_->GetReturnCode(), wxID_OK);
    EXPECT_FALSE(dialog_->IsShown());
    dialog_->Destroy();
}

TEST_F(ColumnConvertDlgTest, TextColumnsLoseTheirQuotationMarks) {
    Make({});
    Choose("备注");
    EXPECT_EQ(edit_->GetValue(), U("备注+"));
    edit_->ChangeValue(U("备注+\"旧件\""));
    dialog_->OnOK();
    EXPECT_EQ(frame_->m_strShared, U("备注@&备注+旧件"));
    EXPECT_TRUE(boxes_.Texts().empty());
    dialog_->Destroy();
}

} // namespace
