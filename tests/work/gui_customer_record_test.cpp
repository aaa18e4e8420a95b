#include "app/item_pick_dlg.h"
#include "app/record_nav_bar.h"
#include "common/form_driver.h"
#include "gui_work_fixture.h"
#include "res/command_ids.h"
#include "res/customer_record_template.h"
#include "work/customer_record_dlg.h"
#include "work/work_forms.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

using namespace res::customer_record;

namespace {

class CustomerRecordTest : public WorkFormTest {
protected:
    void SetUp() override {
        WorkFormTest::SetUp();
        Insert("gk", {
                         {{"车牌号码", "粤B12345"}, {"车主姓名", "张三"}, {"折扣", "0"}},
                         {{"车牌号码", "京A12345"}, {"车主姓名", "李四"}, {"手扣", "90"}},
                         {{"车牌号码", "沪C1"}, {"车主姓名", "张三"}},
                     });
    }
    void Open(const wxString& newPlate = wxString()) {
        dialog_ = std::make_unique<gkda>(frame_, newPlate);
    }
    void TearDown() override {
        dialog_.reset();
        WorkFormTest::TearDown();
    }
    wxString Get(int id) const {
        if (auto* edit = res::Control<wxTextCtrl>(dialog_.get(), id)) return edit->GetValue();
        return res::Control<wxComboBox>(dialog_.get(), id)->GetValue();
    }
    // Typing: the change handlers run.
    void Type(int id, const char* text) {
        if (auto* edit = res::Control<wxTextCtrl>(dialog_.get(), id))
            edit->SetValue(U(text));
        else
            res::Control<wxComboBox>(dialog_.get(), id)->SetValue(U(text));
    }
    bool Enabled(int id) const { return res::FindControl(dialog_.get(), id)->IsEnabled(); }
    std::vector<wxString> Plates() { return Column("select * from gk order by no", "车牌号码"); }

    std::unique_ptr<gkda> dialog_;
};

TEST_F(CustomerRecordTest, OpensOnTheFirstRecordBrowsing) {
    Open();
    EXPECT_EQ(dialog_->GetTitle(), U("客户资料"));
    EXPECT_EQ(Get(kPlateEdit), U("粤B12345"));
    EXPECT_EQ(Get(kOwnerEdit), U("张三"));
    EXPECT_EQ(Get(kPartsRateEdit), "100"); // 0 stored shows as no discount
    EXPECT_FALSE(Enabled(kPlateEdit));
    EXPECT_FALSE(Enabled(kSaveButton));
    EXPECT_FALSE(Enabled(kCancelButton));
    EXPECT_TRUE(Enabled(kExitButton));
    EXPECT_FALSE(res::FindControl(dialog_.get(), kMotorButton)->IsShown());
    ASSERT_NE(dialog_->GetNavBar(), nullptr);
    EXPECT_TRUE(dialog_->GetNavBar()->IsShown());
    // The bar offers the fields without dates and `no`, the plate chosen.
    wxComboBox* fields = dialog_->GetNavBar()->GetFieldList();
    EXPECT_EQ(fields->GetStringSelection(), U("车牌号码"));
    EXPECT_EQ(fields->FindString("no"), wxNOT_FOUND);
    EXPECT_EQ(fields->FindString(U("来店日期")), wxNOT_FOUND);
}

TEST_F(CustomerRecordTest, NewEntryIsSavedAndNumbered) {
    Open();
    frame_->m_bRecordSaved = false;
    dialog_->OnNew();
    EXPECT_EQ(Get(kPlateEdit), U("粤B1")); // the first four bytes of the plate shown
    EXPECT_EQ(Get(kFirstVisitEdit), Today());
    EXPECT_EQ(Get(kServiceCombo), U("通用"));
    EXPECT_EQ(Get(kLabourRateEdit), "100");
    EXPECT_EQ(Get(kOwnerEdit), "");
    EXPECT_TRUE(Enabled(kSaveButton));
    EXPECT_FALSE(Enabled(kExitButton));
    Type(kPlateEdit, "粤B99999");
    Type(kOwnerEdit, "王五");
    Type(kIdNumberEdit, "110101800101123");
    EXPECT_EQ(Get(kBirthdayEdit), "1980-01-01");
    Type(kMileageEdit, "12000");
    dialog_->OnSave();
    EXPECT_TRUE(frame_->m_bRecordSaved);
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(Plates().back(), U("粤B99999"));
    EXPECT_EQ(Column("select * from gk where no=4", "生日"), std::vector<wxString>{"1980-01-01"});
    EXPECT_EQ(Column("select * from gk where no=4", "来店里程"), std::vector<wxString>{"12000"});
    EXPECT_EQ(dialog_->m_session.m_nCurNo, 4);
    EXPECT_FALSE(Enabled(kPlateEdit));
    EXPECT_TRUE(Enabled(kExitButton));
}

// A duplicate refused on 存档 keeps what was typed, saves nothing, does not say it
// was saved and stays in editing so that the plate can be put right.
TEST_F(CustomerRecordTest, DuplicatePlateIsRefusedAndTheEntryKept) {
    Open();
    frame_->m_bRecordSaved = false;
    dialog_->OnNew();
    Type(kPlateEdit, "京A12345");
    Type(kOwnerEdit, "赵六");
    dialog_->OnSave();
    EXPECT_TRUE(Shown("记录重复，请修改后再试！"));
    EXPECT_FALSE(frame_->m_bRecordSaved);
    EXPECT_EQ(Plates().size(), 3u);
    EXPECT_EQ(Get(kOwnerEdit), U("赵六"));
    EXPECT_TRUE(Enabled(kSaveButton));
    EXPECT_TRUE(dialog_->m_session.IsAdding());
    Type(kPlateEdit, "京A54321");
    dialog_->OnSave();
    EXPECT_TRUE(frame_->m_bRecordSaved);
    EXPECT_EQ(Plates().back(), U("京A54321"));
}

TEST_F(CustomerRecordTest, ModifyKeepsItsOwnPlateButNotAnothers) {
    Open();
    dialog_->OnModify();
    Type(kOwnerEdit, "张三丰");
    dialog_->OnSave();
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(Column("select * from gk where no=1", "车主姓名"),
              std::vector<wxString>{U("张三丰")});
    dialog_->OnModify();
    Type(kPlateEdit, "沪C1");
    dialog_->OnSave();
    EXPECT_TRUE(Shown("记录重复"));
    EXPECT_EQ(Plates().front(), U("粤B12345"));
}

TEST_F(CustomerRecordTest, BadPlatesAndIdNumbersAreRefusedWithAMessage) {
    Open();
    dialog_->OnNew();
    Type(kIdNumberEdit, "1101011980A101123");
    EXPECT_TRUE(Shown("输入字符不对！"));
    EXPECT_EQ(Get(kBirthdayEdit), "");
    Type(kPlateEdit, "京X1");
    boxes_.Clear();
    dialog_->OnSave();
    EXPECT_TRUE(Shown("输入字符不对！"));
    for (const char* plate : {"京X'1", "京X/1"}) {
        Type(kIdNumberEdit, "");
        Type(kPlateEdit, plate);
        boxes_.Clear();
        dialog_->OnSave();
        EXPECT_FALSE(boxes_.Texts().empty()) << plate;
        EXPECT_EQ(Get(kPlateEdit), U(plate)) << "the typed plate stays";
    }
    EXPECT_EQ(Plates().size(), 3u);
    dialog_->OnUndo();
    EXPECT_FALSE(Enabled(kSaveButton));
    EXPECT_EQ(Plates().size(), 3u);
}

// What is typed is checked against its column before anything is written: too long,
// no number or no date is refused naming the field, and the entry stays as typed.
TEST_F(CustomerRecordTest, TextItsColumnCannotHoldIsRefusedNamingTheField) {
    const struct {
        int control;
        const char* text;
        const char* message;
    } cases[] = {
        {kOwnerEdit, "欧阳娜娜子", "车主姓名不能超过8个字节(一个汉字占两个字节)！"},
        {kSexEdit, "男性", "性别不能超过2个字节(一个汉字占两个字节)！"},
        {kPlateEdit, "粤B123456789012345", "车牌号码不能超过16个字节(一个汉字占两个字节)！"},
        {kAddressEdit, "人民路'8号", "地址不能用单引号！"},
        {kMileageEdit, "1万2", "来店里程：数据格式不对！"},
        {kBoughtEdit, "2024-13-40", "购车日期：日期不对，可能月份或天数不正确。"},
    };
    Open();
    frame_->m_bRecordSaved = false;
    dialog_->OnNew();
    Type(kPlateEdit, "粤B77777");
    for (const auto& c : cases) {
        const wxString kept = Get(c.control);
        boxes_.Clear();
        Type(c.control, c.text);
        dialog_->OnSave();
        EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{c.message})) << c.text;
        EXPECT_EQ(Get(c.control), U(c.text));
        EXPECT_TRUE(Enabled(kSaveButton)) << c.text;
        Type(c.control, kept.utf8_str());
    }
    EXPECT_EQ(Plates().size(), 3u);
    EXPECT_FALSE(frame_->m_bRecordSaved);
    boxes_.Clear();
    Type(kOwnerEdit, "欧阳娜娜");
    dialog_->OnSave();
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(Column("select * from gk where no=4", "车主姓名"),
              std::vector<wxString>{U("欧阳娜娜")});
}

TEST_F(CustomerRecordTest, DeleteAsksAndCancelBringsTheRecordBack) {
    Open();
    boxes_.Reply(platform::IDYES);
    dialog_->OnDelete();
    EXPECT_EQ(boxes_.Texts().front(), "真要删除“粤B12345”的记录吗？");
    EXPECT_EQ(Get(kPlateEdit), U("京A12345"));
    EXPECT_TRUE(Enabled(kSaveButton));
    dialog_->OnUndo();
    EXPECT_EQ(Get(kPlateEdit), U("粤B12345"));
    EXPECT_EQ(Plates().size(), 3u);
    boxes_.Reply(platform::IDYES);
    dialog_->OnDelete();
    dialog_->OnSave();
    EXPECT_EQ(Plates(), (std::vector<wxString>{U("京A12345"), U("沪C1")}));
    // No on the question changes nothing.
    boxes_.Reply(platform::IDNO);
    dialog_->OnDelete();
    EXPECT_FALSE(Enabled(kSaveButton));
}

// Deleting the record shown after another user changed it: nothing is deleted, the
// operator is told, the record shows as it is now and nothing claims to be saved.
TEST_F(CustomerRecordTest, DeletingARecordAnotherUserChangedFailsWhole) {
    Open();
    frame_->m_bRecordSaved = false;
    boxes_.Reply(platform::IDYES);
    dialog_->OnDelete();
    CDataSet other;
    other.UpdateWhere("gk", U("车主姓名"), U("新主人"), "no=1");
    dialog_->OnSave();
    EXPECT_TRUE(Shown("该记录已被其他用户修改或删除"));
    EXPECT_FALSE(frame_->m_bRecordSaved);
    EXPECT_EQ(Plates().size(), 3u);
    EXPECT_EQ(Get(kOwnerEdit), U("新主人")); // the table as it is now
    EXPECT_FALSE(Enabled(kSaveButton));
}

TEST_F(CustomerRecordTest, NavigationWritesTheEntryAndTellsTheEnds) {
    Open();
    dialog_->Go(CRecordEditSession::Step::Last);
    EXPECT_EQ(Get(kPlateEdit), U("沪C1"));
    EXPECT_FALSE(res::FindControl(dialog_->GetNavBar(), 108)->IsEnabled());
    EXPECT_TRUE(res::FindControl(dialog_->GetNavBar(), 106)->IsEnabled());
    // Two new entries in a row, stepped away from, are both saved.
    dialog_->OnNew();
    Type(kPlateEdit, "苏E1");
    dialog_->OnNew();
    Type(kPlateEdit, "苏E2");
    dialog_->Go(CRecordEditSession::Step::First);
    EXPECT_EQ(Get(kPlateEdit), U("粤B12345"));
    dialog_->OnSave();
    EXPECT_EQ(Plates(), (std::vector<wxString>{U("粤B12345"), U("京A12345"), U("沪C1"), U("苏E1"),
                                               U("苏E2")}));
}

TEST_F(CustomerRecordTest, FilterListsMatchesAndAChoiceShowsTheRecord) {
    Open();
    dialog_->ApplyFilter(U("车主姓名 like '%张%'"));
    ASSERT_NE(dialog_->GetPickList(), nullptr);
    EXPECT_EQ(dialog_->GetPickList()->m_list->GetItemCount(), 2);
    dialog_->OnPickChoice(U("张三"));
    EXPECT_EQ(Get(kPlateEdit), U("粤B12345"));
    dialog_->ApplyFilter(U("车主姓名 like '%李%'")); // one match shows at once
    EXPECT_EQ(dialog_->GetPickList(), nullptr);
    EXPECT_EQ(Get(kPlateEdit), U("京A12345"));
}

// The picker's "马上建档": the record opens on a new entry with the typed plate,
// and the command reaches the same form through its opener.
TEST_F(CustomerRecordTest, OpenedForAnUnknownPlateStartsANewEntry) {
    Open(U("浙F888"));
    EXPECT_EQ(Get(kPlateEdit), U("浙F888"));
    EXPECT_TRUE(dialog_->m_session.IsAdding());
    dialog_->OnSave();
    EXPECT_EQ(Plates().back(), U("浙F888"));

    work::RegisterForms();
    wxString plate;
    class Expect : public wxExpectModalBase<gkda> {
    public:
        explicit Expect(wxString* plate) : m_plate(plate) {}

    protected:
        int OnInvoked(gkda* dialog) const override {
            *m_plate = res::Control<wxTextCtrl>(dialog, kPlateEdit)->GetValue();
            return wxID_OK;
        }

    private:
        wxString* m_plate;
    };
    wxTEST_DIALOG(frame_->OpenForm(FormKind::CustomerRecords, 1, U("浙F999")), Expect(&plate));
    EXPECT_EQ(plate, U("浙F999"));
    wxTEST_DIALOG(frame_->ExecuteCommand(ID_CUSTOMER_RECORDS), Expect(&plate));
    EXPECT_EQ(plate, U("粤B12345")); // the menu opens on the first record
}

void Settle() {
    for (int i = 0; i < 20; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(20);
    }
}

// The navigation bar floats beside the record while the record runs modally: a
// click on its 下一条 must reach it.
TEST_F(CustomerRecordTest, TheBarTakesClicksWhileTheRecordIsModal) {
    wxString shown;
    gkda dialog(nullptr);
    const bool driven = qv_test::AnswerModal<gkda>(
        [&] { dialog.ShowModal(); },
        [&](gkda& d) {
            Settle();
            wxWindow* next = res::FindControl(d.GetNavBar(), 108);
            wxUIActionSimulator mouse;
            mouse.MouseMove(next->GetScreenRect().GetPosition() + wxPoint(5, 5));
            Settle();
            mouse.MouseClick();
            Settle();
            shown = res::Control<wxTextCtrl>(&d, kPlateEdit)->GetValue();
        });
    EXPECT_TRUE(driven);
    EXPECT_EQ(shown, U("京A12345"));
}

} // namespace
