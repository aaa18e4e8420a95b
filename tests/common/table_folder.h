#pragma once
// Tables of the default account set made as the first run makes them: created from
// the catalogue (or a definition of the test's own) in the set folder, their index
// files in the working folder, every table encrypted through a main frame's data
// share; rows appended through a batch save; fields read back.
#include "common/program_folder.h"
#include "data/main_frame_data.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <wx/string.h>

class TableFolderTest : public ProgramFolderTest {
protected:
    // One record: field name to its text.
    using Row = std::map<const char*, const char*>;

    // Runs statements on the FoxPro tables of a folder.
    static void Execute(const std::string& folder, std::initializer_list<std::string> statements);
    // Creates a plain table in the set folder with its index in the working folder, as
    // the first run leaves it before encrypting.
    void CreatePlainTable(const wxString& createSql);
    // Creates catalogue tables and encrypts every table of the set through the frame.
    void MakeTables(std::initializer_list<const char*> tables, CMainFrameData& frame);

    // Appends rows through a batch save; `no` as given.
    static void Insert(const char* table, const std::vector<Row>& rows);
    // One field of every row of a statement, as trimmed texts ("NULL" for a null).
    static std::vector<wxString> Column(const wxString& statement, const wxString& field);
    // The same with the field named in UTF-8, as the tests write names.
    static std::vector<wxString> Column(const wxString& statement, const char* field) {
        return Column(statement, wxString::FromUTF8(field));
    }
    static std::vector<wxString> FieldNames(const char* table);
    // The plain table files of the working folder.
    static std::vector<std::string> WorkingCopies();
    // The size of the table's plain file plus one byte: a file size limit there
    // (qv_test::FileSizeLimit) lets the table be read but not grow, as on a full disk.
    long long FullDiskFor(const char* table) const;
};

// A default account set with the tables ljkc, zyxm, gk, fieldlong and ljsh, and a
// window-less main frame holding the shared connection.
class AccountSetTest : public TableFolderTest {
protected:
    static constexpr const char* kTables[] = {"ljkc", "zyxm", "gk", "fieldlong", "ljsh"};

    void SetUp() override;
    void TearDown() override;

    // Appends stock rows (名称, 编号) through a batch save, numbered from the table.
    void AddStock(const std::vector<std::pair<const char*, const char*>>& rows);

    std::unique_ptr<CMainFrameData> frame_;
};
