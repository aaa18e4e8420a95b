// The maintenance-due check of a vehicle, its same-name groups, and the hints a
// repair card's documents print from it.
#include "data/maintenance_hints.h"
#include "data/system_options.h"
#include "maintenance_fixture.h"

#include <list>

namespace {

class MaintenanceDueTest : public MaintenanceTest {
protected:
    void SetUp() override {
        MaintenanceTest::SetUp();
        for (const char* table : {"ljsh", "byxmb", "tmlj"})
            CreatePlainTable(CTableCatalog().GetCreateSql(table));
        frame_->EncryptAllTables();
        Insert("gk", {{{"车牌号码", "粤A12345"}, {"保养类", "A类"}, {"no", "1"}}});
        Insert("byxmb", {{{"保养类", "A类"},
                          {"项目名称", "机油"},
                          {"更换间隔", "5000"},
                          {"处理方法", "更换"},
                          {"no", "1"}},
                         {{"保养类", "A类"},
                          {"项目名称", "机滤"},
                          {"更换间隔", "10000"},
                          {"处理方法", "更换"},
                          {"no", "2"}},
                         {{"保养类", "A类"},
                          {"项目名称", "空滤"},
                          {"更换间隔", "20000"},
                          {"处理方法", "检查"},
                          {"no", "3"}},
                         {{"保养类", "通用"},
                          {"项目名称", "机油"},
                          {"更换间隔", "3000"},
                          {"处理方法", "更换"},
                          {"no", "4"}}});
        Insert("ljsh", {Line("机油", "2026-01-05", "30000", 1),
                        Line("机油", "2026-06-01", "42000", 2),
                        Line("机滤", "2026-03-01", "35000", 3),
                        Line("空滤", "2026-03-01", "35000", 4),
                        Line("机油滤芯", "2026-05-01", "40000", 5),
                        {{"客户", "粤B99999"},
                         {"项目名称", "机滤"},
                         {"日期", "2026-07-01"},
                         {"码表", "9000"},
                         {"flag", "W"},
                         {"no", "6"}}});
    }
    void TearDown() override {
        CDataSet::SetMaintenanceDueViewer(nullptr);
        CSettingFiles::DeleteSettingFile(CSystemOptions::kFileName);
        MaintenanceTest::TearDown();
    }
    Row Line(const char* item, const char* date, const char* reading, int no) {
        numbers_.push_back(std::to_string(no));
        return {{"客户", "粤A12345"}, {"项目名称", item}, {"日期", date},
                {"码表", reading},    {"flag", "W"},      {"no", numbers_.back().c_str()}};
    }
    // The 机油滤芯 of the workshop is the 机滤 of the maintenance items.
    void AddSameName() {
        Insert("tmlj", {{{"项目名称", "机油滤芯"}, {"等同名", "机滤"}, {"no", "1"}}});
    }
    // 项目名称 and 保养里程 of every row the check left open.
    static Texts Due(CDataSet& data) {
        Texts rows;
        if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return rows;
        auto rs = data.m_pRecordset;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            ado::Variant due = rs->Fields().Item("保养里程").Value();
            rows.push_back(
                wxString::FromUTF8(rs->Fields().Item(0).Value().ToString()).Trim() + "=" +
                (due.IsNull() ? wxString() : wxString::Format("%ld", long(due.ToDouble()))));
        }
        return rows;
    }

    std::list<std::string> numbers_;
};

TEST_F(MaintenanceDueTest, SameNameGroupsOfTheWorkshopsTable) {
    Insert("tmlj", {{{"项目名称", "A"}, {"等同名", "B"}, {"no", "1"}},
                    {{"项目名称", "C"}, {"等同名", "B"}, {"no", "2"}},
                    {{"项目名称", "D"}, {"等同名", "E"}, {"no", "3"}}});
    CDataSet rows;
    rows.Open("select * from tmlj");
    const std::pair<const char*, const char*> cases[] = {
        {"A", ",B,A,C,"}, {"B", ",B,A,C,"}, {"C", ",B,A,C,"}, {"E", ",E,D,"}, {"Z", ""}};
    for (const auto& [name, group] : cases)
        EXPECT_EQ(CDataSet::LookupAlias(rows.m_pRecordset, name), group) << name;
}

TEST_F(MaintenanceDueTest, DueListHoldsTheLatestReplacementOfEachItem) {
    // With no same-name rows at all the check still lists the items done directly.
    CDataSet data;
    data.CheckMaintenanceDue(U("A12345"), 0);
    EXPECT_EQ(Due(data), (Texts{U("机滤=45000"), U("机油=47000")}));

    // 机油滤芯 is 机滤 under another name: of the two the later visit stays.
    AddSameName();
    CDataSet folded;
    folded.CheckMaintenanceDue(U("粤A12345"), 0);
    EXPECT_EQ(Due(folded), (Texts{U("机油滤芯=50000"), U("机油=47000")}));
}

TEST_F(MaintenanceDueTest, ShownListGetsTheItemsNeverDoneWhenTheOptionIsOn) {
    Texts shown;
    CDataSet::SetMaintenanceDueViewer([&shown](CDataSet& due) { shown = Due(due); });
    CDataSet data;
    data.CheckMaintenanceDue(U("粤A12345"), 1);
    EXPECT_EQ(shown, (Texts{U("机滤=45000"), U("机油=47000")}));

    CSettingFiles::WriteSettingFile(CSystemOptions::kFileName, U("检查=1,"));
    data.CheckMaintenanceDue(U("粤A12345"), 1);
    EXPECT_EQ(shown, (Texts{U("机滤=45000"), U("机油=47000"), U("空滤=")}));

    // A vehicle nobody has serviced shows no list.
    shown.clear();
    CSettingFiles::DeleteSettingFile(CSystemOptions::kFileName);
    data.CheckMaintenanceDue(U("粤C00000"), 1);
    EXPECT_TRUE(shown.empty());
}

TEST_F(MaintenanceDueTest, HintsNameTheCardsItemsThenTheOthersDue) {
    AddSameName();
    Insert("zyxm", {{{"客户", "粤A12345"}, {"项目名称", "机油"}, {"flag", "W"}, {"no", "1"}},
                    {{"客户", "粤A12345"}, {"项目名称", "刹车片"}, {"flag", "W"}, {"no", "2"}}});
    auto texts = [](const std::vector<MaintenanceHint>& hints) {
        Texts out;
        for (const MaintenanceHint& hint : hints)
            out.push_back(hint.item + "=" + wxString::Format("%ld", hint.dueReading));
        return out;
    };
    // The oil changed today is due again at today's reading plus its interval; the
    // filter last changed at 40000 is due at 50000.
    EXPECT_EQ(texts(CMaintenanceHints::Load(U("粤A12345"), U("A类"), 52000)),
              (Texts{U("机油=57000"), U("机油滤芯=50000")}));
    // Without a reading the card's items carry their interval; another class, another interval.
    EXPECT_EQ(texts(CMaintenanceHints::Load(U("粤A12345"), wxString(), 0)),
              (Texts{U("机油=3000"), U("机油滤芯=50000")}));
}

} // namespace
