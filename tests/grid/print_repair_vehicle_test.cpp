// The document head of the repair-order forms filled from the work card and the
// vehicle record of its customer.
#include "recordset_fixture.h"

#include "grid/print_texts.h"
#include "grid/repair_print_dlg.h"
#include "grid/repair_vehicle_texts.h"

#include <wx/datetime.h>

namespace {

namespace pt = print_texts;

class RepairVehicleTest : public RecordsetGridTest {
protected:
    void AddVehicle(const std::vector<std::pair<const char*, const char*>>& fields) {
        CDataSet set;
        set.Open("select * from gk where no=0");
        ASSERT_TRUE(set.IsOpen());
        auto rs = set.m_pRecordset;
        rs->AddNew();
        for (const auto& field : fields)
            set.PutFieldValue(U(field.second), U(field.first), rs);
        set.NumberRows(rs, "gk");
        ASSERT_EQ(set.Save(rs), 1);
    }
    void WriteNote(const char* plate, const std::string& utf8) {
        WriteGbkFile("Picture/" + std::string(plate) + "(维修)", utf8);
    }
    static OpenWorkCard Card(const char* customer) {
        OpenWorkCard card;
        card.customer = U(customer);
        card.record[U("小计")] = "52300";
        card.record[U("厂牌")] = "2026-12-01";
        return card;
    }
};

TEST_F(RepairVehicleTest, TheVehicleRecordFillsTheHeadAndTheNoteTheFault) {
    AddVehicle({{"车牌号码", "浙A12345"},
                {"车型", "轿车"},
                {"车主姓名", "张三"},
                {"单位电话", "0571-88"},
                {"住宅电话", "0571-99"},
                {"发动机号", "E1"},
                {"车架号", "V1"},
                {"单位", "运输公司"},
                {"颜色", "白"},
                {"身份证号", "330101"},
                {"保养类", "A类"}});
    WriteNote("浙A12345", "刹车异响,,\r\n第二行");

    std::vector<wxString> texts;
    repair_vehicle_texts::Fill(data, Card("A123"), texts);
    ASSERT_EQ(texts.size(), pt::kCount);
    struct Expect {
        size_t entry;
        const char* text;
    } expected[] = {
        {pt::kMileage, "52300"}, {pt::kDateIn, "2026-12-01"}, {pt::kPlate, "浙A12345"},
        {pt::kModel, "轿车"},    {pt::kBroughtBy, "张三"},    {pt::kPhone, "0571-88"},
        {pt::kEngineNo, "E1"},   {pt::kChassisNo, "V1"},      {pt::kWorkUnit, "运输公司"},
        {pt::kColour, "白"},     {pt::kIdCard, "330101"},     {pt::kMaintenanceClass, "A类"},
        {pt::kFault, "刹车异响"}};
    for (const Expect& e : expected)
        EXPECT_EQ(texts[e.entry], U(e.text)) << "entry " << e.entry;
    EXPECT_EQ(texts[pt::kDateOutOrChief], wxDateTime::Today().Format("%Y-%m-%d"));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(RepairVehicleTest, WithoutAVehicleOnlyTheCardFillsTheHead) {
    AddVehicle({{"车牌号码", "浙B1"}, {"车型", "货车"}});
    WriteNote("浙C'9", "漏油");
    for (const char* customer : {"零散客户", "", "浙C'9"}) {
        std::vector<wxString> texts(pt::kCount);
        texts[pt::kModel] = "kept";
        repair_vehicle_texts::Fill(data, Card(customer), texts);
        EXPECT_EQ(texts[pt::kModel], "kept") << customer;
        EXPECT_EQ(texts[pt::kPlate], "") << customer;
        EXPECT_EQ(texts[pt::kMileage], "52300");
        EXPECT_EQ(texts[pt::kDateOutOrChief], "");
        EXPECT_EQ(texts[pt::kFault], customer == std::string("浙C'9") ? U("漏油") : "");
    }
    EXPECT_TRUE(boxes.Texts().empty()) << "a quote in the customer is no broken statement";
}

} // namespace

namespace {

TEST_F(RepairVehicleTest, AWorkCardWithOneRecordOpensTheDispatchList) {
    CreateTable("ygk");
    AddLines({{"换机油", 1}});
    ASSERT_EQ(CSettingFiles::WriteSettingFile("WxQdType", "1"), 1);
    data.Open("select * from zyxm");
    ado::RecordsetPtr lines = data.m_pRecordset;
    SetActiveSheetSource([lines](ActiveSheetLines& sheet) {
        sheet.customer = U("浙A1");
        sheet.mode = "W";
        sheet.lines = lines;
        return true;
    });
    CGridCtrl* grid = NewGrid("zyxm");
    auto* dialog = new CRepairPrintDlg(frame, grid);
    EXPECT_EQ(dialog->Form(), RepairForm::Dispatch);
    SetActiveSheetSource(nullptr);
    dialog->Destroy();
    EXPECT_TRUE(boxes.Texts().empty());
}

} // namespace
