#pragma once
// The buying tables of a default account set, a window-less main frame holding the
// shared connection, scripted message boxes, and a dump of every table to compare a
// refused or failed operation against.
#include "common/table_folder.h"
#include "data/data_set.h"
#include "platform/message_box.h"
#include "work/stock_take_out.h"

#include <deque>
#include <memory>

class PartsTablesTest : public TableFolderTest {
protected:
    using Texts = std::vector<wxString>;

    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = std::make_unique<CMainFrameData>();
        frame_->m_strRights = "admin,";
        MakeTables({"ljkc", "jhda", "jgk", "hy", "dhd", "LJDB", "ljzc", "wlzm", "gys"}, *frame_);
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }
    static void Options(const char* text) { CSettingFiles::WriteSettingFile("SystemSet", U(text)); }
    // Every row of the buying tables (or of the tables named), as texts.
    static wxString Tables(std::initializer_list<const char*> tables = {"ljkc", "jhda", "jgk", "hy",
                                                                        "dhd", "LJDB", "wlzm"}) {
        wxString all;
        for (const char* table : tables) {
            CDataSet data;
            data.Open(wxString("select * from ") + table);
            if (!data.IsOpen() || data.m_pRecordset->RecordCount() <= 0) continue;
            auto rs = data.m_pRecordset;
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
                all += table;
                for (long i = 0; i < rs->Fields().Count(); ++i) {
                    const ado::Variant v = rs->Fields().Item(static_cast<int>(i)).Value();
                    all += "|" + (v.IsNull() ? wxString("NULL") : wxString::FromUTF8(v.ToString()));
                }
                all += "\n";
            }
        }
        return all;
    }
    Texts Shown() const {
        Texts texts;
        for (const std::string& t : boxes_.Texts())
            texts.push_back(wxString::FromUTF8(t));
        return texts;
    }

    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
};

// Answers the take-out's questions from a script; an empty script answers No.
class ScriptedQuestions : public work::TakeOutQuestions {
public:
    std::deque<Answer> answers;
    std::vector<wxString> asked;

    Answer Ask(const wxString& question, bool) override {
        asked.push_back(question);
        if (answers.empty()) return No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    bool ChooseBin(const wxString&, wxString*) override { return false; }
    void Tell(const wxString& message) override { asked.push_back(message); }
};
