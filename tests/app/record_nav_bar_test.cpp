#include "app/owner_notice.h"
#include "app/record_nav_bar.h"
#include "common/table_folder.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/record_nav_template.h"

#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

namespace {

using namespace res::record_nav;

struct Notice {
    long wParam;
    long lParam;
    wxString text;
};

class NoticeReceiver : public wxFrame {
public:
    NoticeReceiver() : wxFrame(nullptr, wxID_ANY, "owner") {
        Bind(qvEVT_OWNER_NOTICE, [this](COwnerNoticeEvent& e) {
            notices.push_back({e.GetWParam(), e.GetLParam(), e.GetText()});
        });
    }
    std::vector<Notice> notices;
    std::vector<wxString> Conditions() const {
        std::vector<wxString> texts;
        for (const Notice& n : notices)
            if (n.lParam == CRecordNavBar::kCondition) texts.push_back(n.text);
        return texts;
    }
};

class RecordNavBarTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        owner_ = new NoticeReceiver;
        wxTheApp->SetTopWindow(owner_);
        bar_ = CRecordNavBar::Open(owner_, 65);
        bar_->AddField(U("车牌号码"), 129, 10);
        bar_->AddField(U("数量"), 3, 4);
        bar_->AddField(U("单价"), 131, 10);
        bar_->AddField(U("生日"), 133, 8);
        Pump();
    }

    void Choose(int field) {
        bar_->GetFieldList()->SetSelection(field);
        wxCommandEvent change(wxEVT_COMBOBOX, bar_->GetFieldList()->GetId());
        change.SetEventObject(bar_->GetFieldList());
        bar_->GetFieldList()->GetEventHandler()->ProcessEvent(change);
    }
    // Types the text one character at a time, as keystrokes change the box.
    void Type(const char* text) {
        for (wxUniChar c : U(text))
            bar_->GetValueBox()->AppendText(wxString(c));
        Pump();
    }
    void Key(int code) {
        wxKeyEvent key(wxEVT_CHAR_HOOK);
        key.m_keyCode = code;
        key.SetEventObject(bar_->GetValueBox());
        bar_->GetEventHandler()->ProcessEvent(key);
        Pump();
    }

    NoticeReceiver* owner_ = nullptr;
    CRecordNavBar* bar_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(RecordNavBarTest, ButtonsPostTheirCodesInTheFirstParameter) {
    EXPECT_EQ(bar_->GetTitle(), U("记录导航条"));
    EXPECT_TRUE(bar_->IsShown());
    for (int id : {kFirstButton, kPreviousButton, kNextButton, kLastButton}) {
        wxCommandEvent click(wxEVT_BUTTON, res::ToWxId(id));
        bar_->GetEventHandler()->ProcessEvent(click);
    }
    Pump();
    ASSERT_EQ(owner_->notices.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(owner_->notices[i].wParam, CRecordNavBar::kFirst + i);
        EXPECT_EQ(owner_->notices[i].lParam, 0);
    }
}

// Each keystroke posts the condition of the whole value; numbers keep their decimal
// digits and a text is cut to the field's size in GBK bytes.
TEST_F(RecordNavBarTest, EveryChangePostsAFreshCondition) {
    struct Case {
        int field;
        const char* typed;
        std::vector<const char*> posted;
    };
    const Case cases[] = {
        {1, "123", {"数量=1", "数量=12", "数量=123"}},
        {2, "1234567.89", {}},
        {0,
         "粤A12",
         {"车牌号码 like '%粤%'", "车牌号码 like '%粤A%'", "车牌号码 like '%粤A1%'",
          "车牌号码 like '%粤A12%'"}},
        {0, "京京京京京京", {}},
    };
    for (const Case& c : cases) {
        bar_->GetValueBox()->ChangeValue("");
        owner_->notices.clear();
        Choose(c.field);
        Type(c.typed);
        auto posted = owner_->Conditions();
        if (!c.posted.empty()) {
            ASSERT_EQ(posted.size(), c.posted.size()) << c.typed;
            for (size_t i = 0; i < posted.size(); ++i)
                EXPECT_EQ(posted[i], U(c.posted[i]));
        }
        EXPECT_EQ(bar_->m_strCondition, posted.back());
    }
    // The last two cases, by their final condition.
    EXPECT_EQ(owner_->Conditions().back(), U("车牌号码 like '%京京京京京%'"));
    Choose(2);
    bar_->GetValueBox()->SetValue("1234567.89");
    Pump();
    EXPECT_EQ(owner_->Conditions().back(), U("单价=1234567.89"));
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(RecordNavBarTest, RefusedValuesPostNothing) {
    Choose(0);
    Type("A'");
    ASSERT_EQ(boxes_.Texts().size(), 1u);
    EXPECT_EQ(boxes_.Texts()[0], "查询值中不能包含单引号！查询失败。");
    EXPECT_EQ(bar_->GetValueBox()->GetValue(), "A'"); // the text stays
    Type("B");                                        // every further change refuses again
    EXPECT_EQ(boxes_.Texts().size(), 2u);
    EXPECT_EQ(owner_->Conditions().size(), 1u); // only "A" went out

    owner_->notices.clear();
    bar_->GetValueBox()->SetValue(""); // deleting the whole value posts nothing
    Pump();
    EXPECT_TRUE(owner_->notices.empty());

    boxes_.Clear();
    Choose(3);
    Type("5");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"这里不支持日期自动刷新."});
    EXPECT_TRUE(owner_->notices.empty());

    // A malformed number is reported and filters on 0.
    boxes_.Clear();
    bar_->GetValueBox()->ChangeValue("");
    Choose(1);
    Type("x");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"数据格式不对！"});
    EXPECT_EQ(owner_->Conditions(), std::vector<wxString>{U("数量=0")});

    // A lone sign is no number either.
    boxes_.Clear();
    owner_->notices.clear();
    bar_->GetValueBox()->ChangeValue("");
    Choose(2);
    Type("-");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"数据格式不对！"});
    EXPECT_EQ(owner_->Conditions(), std::vector<wxString>{U("单价=0.00")});
}

TEST_F(RecordNavBarTest, KeysInTheBar) {
    Choose(1);
    Type("7");
    owner_->notices.clear();
    for (int i = 0; i < 3; ++i) // a held key repeats its key-down
        Key(WXK_DOWN);
    Key(WXK_UP);
    Key(WXK_PAGEDOWN);
    Key(WXK_PAGEUP);
    ASSERT_EQ(owner_->notices.size(), 5u);
    for (const Notice& n : owner_->notices) {
        EXPECT_EQ(n.lParam, CRecordNavBar::kMoveIntoList);
        EXPECT_EQ(n.text, U("数量=7"));
    }
    owner_->notices.clear();
    Key(WXK_RETURN);
    EXPECT_TRUE(owner_->notices.empty());
    EXPECT_TRUE(bar_->IsShown());
    Key(WXK_ESCAPE);
    EXPECT_FALSE(bar_->IsShown());
}

class RecordNavFieldsTest : public TableFolderTest {};

// An owner's recordset gives every field but no and those named with "期"; a date
// field such as 生日 still reaches the list.
TEST_F(RecordNavFieldsTest, FieldListFromTheOwnersRecordset) {
    CMainFrameData frame;
    MakeTables({"gk"}, frame);
    CDataSet data;
    data.Open("select * from gk");
    ASSERT_TRUE(data.IsOpen());
    auto* bar = new CRecordNavBar;
    bar->FillFields(data.m_pRecordset);
    wxComboBox* list = bar->GetFieldList();
    EXPECT_EQ(list->GetString(0), U("车牌号码"));
    EXPECT_EQ(list->FindString("no"), wxNOT_FOUND);
    EXPECT_EQ(list->FindString(U("来店日期")), wxNOT_FOUND);
    const int birthday = list->FindString(U("生日"));
    ASSERT_NE(birthday, wxNOT_FOUND);
    EXPECT_EQ(bar->m_pFieldTypes[birthday], 133);
    EXPECT_EQ(bar->m_pFieldSizes[0], 16);
    EXPECT_EQ(bar->m_pFieldTypes.size(), list->GetCount());
    const unsigned count = list->GetCount();
    bar->FillFields(data.m_pRecordset); // a filled list stays as it is
    EXPECT_EQ(list->GetCount(), count);
}

// The field list shows its longest field name whole beside its button; the value box
// stays right of it, inside the bar.
TEST_F(RecordNavBarTest, FieldNamesShowWhole) {
    wxComboBox* list = bar_->GetFieldList();
    EXPECT_GE(list->GetSize().x, list->GetSizeFromTextSize(list->GetTextExtent(U("车牌号码")).x).x);
    const wxRect value = bar_->GetValueBox()->GetRect();
    EXPECT_GE(value.x, list->GetRect().GetRight());
    EXPECT_LE(value.GetRight(), bar_->GetClientSize().x);
}

} // namespace
