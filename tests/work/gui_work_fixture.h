#pragma once
// The window tests of the workshop forms: a main frame over an account set whose
// tables are made from the catalogue, a user with every right, scripted message
// boxes, and rows put in through the data store.
#include "app/main_frame.h"
#include "app/table_fixture.h"
#include "platform/message_box.h"

#include <utility>
#include <vector>
#include <wx/app.h>
#include <wx/datetime.h>

class WorkFormTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        wxTheApp->SetTopWindow(frame_);
        frame_->m_strRights = "admin,";
        MakeTables(
            {"gk", "hyzl", "hyxm", "ljsh", "ljkc", "zyxm", "fieldlong", "ygk", "wlkf", "gys"},
            *frame_);
    }
    void TearDown() override {
        frame_->Destroy();
        Pump();
        TableFolderTest::TearDown();
    }

    using Row = std::vector<std::pair<const char*, const char*>>;
    // Appends rows (field, value) and saves them numbered after the table's count.
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
    static wxString Today() { return wxDateTime::Today().Format("%Y-%m-%d"); }
    bool Shown(const char* text) const {
        for (const std::string& shown : boxes_.Texts())
            if (wxString::FromUTF8(shown).Contains(U(text))) return true;
        return false;
    }

    CMainFrame* frame_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};
