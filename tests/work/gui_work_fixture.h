#pragma once
// The window tests of the workshop forms: a main frame over an account set whose
// tables are made from the catalogue, a user with every right, scripted message
// boxes, and rows put in numbered as the forms save them.
#include "app/main_frame.h"
#include "work_tables_fixture.h"

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

    static void Insert(const char* table,
                       const std::vector<std::vector<std::pair<const char*, const char*>>>& rows) {
        InsertNumbered(table, rows);
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
