#include "app/record_nav_bar.h"
#include "grid/grid_ctrl.h"
#include "gui_work_fixture.h"
#include "res/command_ids.h"
#include "res/control_ids.h"
#include "res/member_card_template.h"
#include "work/member_card_dlg.h"
#include "work/member_list_dlg.h"
#include "work/member_service_dlg.h"
#include "work/work_forms.h"

#include <gtest/gtest.h>
#include <memory>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

using namespace res::member_card;

namespace {

class MemberCardTest : public WorkFormTest {
protected:
    void TearDown() override {
        dialog_.reset();
        WorkFormTest::TearDown();
    }
    void Open() { dialog_ = std::make_unique<CMemberCardDlg>(frame_); }
    wxString Get(int id) const {
        if (auto* edit = res::Control<wxTextCtrl>(dialog_.get(), id)) return edit->GetValue();
        return res::Control<wxComboBox>(dialog_.get(), id)->GetValue();
    }
    void Type(int id, const wxString& text) {
        if (auto* edit = res::Control<wxTextCtrl>(dialog_.get(), id))
            edit->SetValue(text);
        else
            res::Control<wxComboBox>(dialog_.get(), id)->SetValue(text);
    }
    std::vector<wxString> Cards() { return Column("select * from hyzl order by no", "卡号"); }

    std::unique_ptr<CMemberCardDlg> dialog_;
};

// Two new cards typed one after the other in an empty table are both saved, with
// numbers after the table's count, and the saved flag is set only by a real save.
TEST_F(MemberCardTest, TwoNewCardsInARowAreBothSaved) {
    Open();
    EXPECT_EQ(dialog_->GetTitle(), U("会员资料"));
    frame_->m_bRecordSaved = false;
    dialog_->OnNew();
    EXPECT_EQ(Get(kIssuedEdit), Today());
    EXPECT_EQ(Get(kValidEdit), wxDateTime::Today().Add(wxDateSpan::Days(364)).Format("%Y-%m-%d"));
    Type(kPlateCombo, U("京A1"));
    Type(kCardNoEdit, "C1");
    Type(kTypeCombo, "VIP");
    dialog_->OnNew();
    Type(kPlateCombo, U("京A2"));
    Type(kCardNoEdit, "C2");
    Type(kAmountEdit, "300");
    EXPECT_FALSE(frame_->m_bRecordSaved);
    dialog_->OnSave();
    EXPECT_TRUE(frame_->m_bRecordSaved);
    EXPECT_EQ(Cards(), (std::vector<wxString>{"C1", "C2"}));
    EXPECT_EQ(Column("select * from hyzl order by no", "no"), (std::vector<wxString>{"1", "2"}));
    EXPECT_EQ(Column("select * from hyzl where no=2", "金额"), std::vector<wxString>{"300"});
}

// A card is checked field by field against its columns before it is written; the
// new entry's plate is still the shown one cut to four bytes.
TEST_F(MemberCardTest, TextItsColumnCannotHoldIsRefusedNamingTheField) {
    Insert("hyzl", {{{"车牌号码", "京A12345"}, {"卡号", "C0"}}});
    const struct {
        int control;
        const char* text;
        const char* message;
    } cases[] = {
        {kCardNoEdit, "C1234567890", "卡号不能超过10个字节(一个汉字占两个字节)！"},
        {kSalesmanCombo, "欧阳娜娜子", "推销员不能超过8个字节(一个汉字占两个字节)！"},
        {kPasswordEdit, "12'34", "密码不能用单引号！"},
        {kAmountEdit, "三百", "金额：数据格式不对！"},
    };
    Open();
    dialog_->OnNew();
    EXPECT_EQ(Get(kPlateCombo), U("京A1"));
    Type(kCardNoEdit, "C1");
    for (const auto& c : cases) {
        const wxString kept = Get(c.control);
        boxes_.Clear();
        Type(c.control, U(c.text));
        dialog_->OnSave();
        EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{c.message})) << c.text;
        EXPECT_EQ(Get(c.control), U(c.text));
        Type(c.control, kept);
    }
    EXPECT_EQ(Cards(), std::vector<wxString>{"C0"});
    EXPECT_FALSE(frame_->m_bRecordSaved);
    boxes_.Clear();
    Type(kCardNoEdit, "C123456789");
    dialog_->OnSave();
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(Cards(), (std::vector<wxString>{"C0", "C123456789"}));
}

TEST_F(MemberCardTest, ACardAlreadyExpiredIsNotIssued) {
    Open();
    dialog_->OnNew();
    Type(kPlateCombo, U("京A1"));
    Type(kValidEdit, "2001-01-01");
    dialog_->OnSave();
    EXPECT_TRUE(Shown("有效期已过"));
    EXPECT_TRUE(Cards().empty());
    EXPECT_EQ(Get(kValidEdit), "2001-01-01");
    EXPECT_FALSE(frame_->m_bRecordSaved);
}

TEST_F(MemberCardTest, NullDatesShowEmptyAndDeleteAsksWithThePlate) {
    Insert("hyzl",
           {{{"车牌号码", "京A1"}, {"卡号", "C1"}}, {{"车牌号码", "京A2"}, {"卡号", "C2"}}});
    Open();
    EXPECT_EQ(Get(kCardNoEdit), "C1");
    EXPECT_EQ(Get(kIssuedEdit), "");
    // Choosing a plate shows its card.
    auto* plates = res::Control<wxComboBox>(dialog_.get(), kPlateCombo);
    plates->SetSelection(plates->FindString(U("京A2")));
    dialog_->OnPlateSelChange();
    EXPECT_EQ(Get(kCardNoEdit), "C2");
    boxes_.Reply(platform::IDYES);
    dialog_->OnDelete();
    EXPECT_EQ(boxes_.Texts().front(), "真要删除该记录吗？(京A2)");
    dialog_->OnSave();
    EXPECT_EQ(Cards(), std::vector<wxString>{"C1"});
}

TEST_F(MemberCardTest, TheMenuCommandOpensTheCard) {
    work::RegisterForms();
    bool opened = false;
    class Expect : public wxExpectModalBase<CMemberCardDlg> {
    public:
        explicit Expect(bool* opened) : m_opened(opened) {}

    protected:
        int OnInvoked(CMemberCardDlg* dialog) const override {
            *m_opened = dialog->GetNavBar() && dialog->GetNavBar()->IsShown();
            return wxID_OK;
        }

    private:
        bool* m_opened;
    };
    wxTEST_DIALOG(frame_->ExecuteCommand(ID_MEMBER_CARDS), Expect(&opened));
    EXPECT_TRUE(opened);
}

using MemberListTest = WorkFormTest;

TEST_F(MemberListTest, ExpiredMembersShowsTheCardsWhoseValidityIsPast) {
    const wxString yesterday = wxDateTime::Today().Subtract(wxDateSpan::Day()).Format("%Y-%m-%d");
    Insert("hyzl", {{{"卡号", "past"}, {"有效期", yesterday.utf8_str()}},
                    {{"卡号", "today"}, {"有效期", Today().utf8_str()}},
                    {{"卡号", "none"}}});
    CMemberListDlg list(frame_);
    CGridCtrl* grid = list.GetGrid();
    EXPECT_EQ(grid->GetColumnCount(), 9); // 序号 and 卡类别 to 金额
    EXPECT_EQ(grid->GetRowCount(), 4);
    list.OnExpired();
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(grid->GetItemText(1, 2), "past");
}

class MemberServiceTest : public WorkFormTest {
protected:
    void SetUp() override {
        WorkFormTest::SetUp();
        Insert("hyxm", {{{"卡类别", "VIP"}, {"项目名称", "洗车"}, {"次数", "3"}},
                        {{"卡类别", "VIP"}, {"项目名称", "换机油"}, {"次数", "25"}}});
        Insert("hyzl", {{{"卡类别", "VIP"},
                         {"车牌号码", "京A1"},
                         {"办卡日期", Today().utf8_str()},
                         {"有效期", "2099-01-01"}}});
        Insert("ljsh", {{{"客户", "京A1"},
                         {"项目名称", "洗车"},
                         {"数量", "2"},
                         {"日期", Today().utf8_str()}}});
    }
};

TEST_F(MemberServiceTest, UsedServicesAreTickedAndLocked) {
    CMemberServiceDlg dialog(frame_, U("京A1"));
    ASSERT_TRUE(dialog.HasItems());
    const auto& boxes = dialog.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].size(), 25u); // 换机油 first, 20 on its row and 5 below
    EXPECT_EQ(boxes[0][20]->GetPosition().x, boxes[0][0]->GetPosition().x);
    EXPECT_GT(boxes[0][20]->GetPosition().y, boxes[0][19]->GetPosition().y);
    EXPECT_GT(boxes[1][0]->GetPosition().y, boxes[0][20]->GetPosition().y);
    ASSERT_EQ(boxes[1].size(), 3u);
    EXPECT_TRUE(boxes[1][0]->GetValue() && !boxes[1][0]->IsEnabled());
    EXPECT_TRUE(boxes[1][1]->GetValue() && !boxes[1][1]->IsEnabled());
    EXPECT_TRUE(boxes[1][2]->IsEnabled());
    EXPECT_TRUE(dialog.Chosen().empty());
    boxes[1][2]->SetValue(true);
    ASSERT_EQ(dialog.Chosen().size(), 1u);
    EXPECT_EQ(dialog.Chosen()[0]->name, U("洗车"));
    // Without a work card open there is nothing to add to.
    EXPECT_FALSE(res::FindControl(&dialog, res::IDOK)->IsEnabled());
}

TEST_F(MemberServiceTest, APlateWithoutCardsIsTold) {
    CMemberServiceDlg dialog(frame_, U("京Z9"));
    EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    EXPECT_TRUE(Shown("没有该车牌的会员资料!"));
    // The repair card's 进度 reaches it through the member cards' opener.
    work::RegisterForms();
    boxes_.Clear();
    frame_->OpenForm(FormKind::MemberCards, 1, U("京Z9"));
    EXPECT_TRUE(Shown("没有该车牌的会员资料!"));
}

} // namespace
