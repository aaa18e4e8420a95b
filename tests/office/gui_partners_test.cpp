// The bookkeeper's round after a login: a supplier card added, a receivable booked
// and offset in the ledger with its cash, the documents behind a settlement entry,
// settled accounts cleared, and the present value of a fixed asset.
#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "app/outbar_ctrl.h"
#include "common/file_size_limit.h"
#include "common/login_fixture.h"
#include "common/window_manager.h"
#include "grid/grid_ctrl.h"
#include "office/cash_journal_dlg.h"
#include "office/ledger_dlg.h"
#include "office/office_forms.h"
#include "office/partner_dlg.h"
#include "office/statistics_dlg.h"
#include "parts/order_page.h"
#include "parts/parts_forms.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/command_ids.h"
#include "res/line_page_template.h"
#include "res/order_page_template.h"
#include "res/partner_template.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>

namespace {

class PartnersTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        frame_ = LogIn();
        ASSERT_TRUE(frame_);
    }
    static wxComboBox* Combo(wxWindow* dialog, int id) {
        return res::Control<wxComboBox>(dialog, id);
    }
    static void Check(wxWindow* dialog, int id) {
        res::Control<wxRadioButton>(dialog, id)->SetValue(true);
    }
    CMainFrame* frame_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(PartnersTest, SupplierCardIsAddedAndAQuotedNameKeepsTheCardEditing) {
    using namespace res::partner_card;
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_SUPPLIERS); },
        [&](CPartnerDlg& card) {
            EXPECT_EQ(card.m_nMode, CPartnerDlg::Suppliers);
            EXPECT_FALSE(res::FindControl(&card, kLevel1Radio)->IsShown());
            qv_test::Click(&card, kNewButton);
            qv_test::Type(&card, kNameEdit, "北方'配件");
            qv_test::Click(&card, kSaveButton);
            // Refused: still editing, nothing stored.
            EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"  不能用单引号！"}));
            EXPECT_TRUE(res::FindControl(&card, kSaveButton)->IsEnabled());
            EXPECT_FALSE(frame_->m_bRecordSaved);
            qv_test::Type(&card, kNameEdit, "北方配件");
            qv_test::Type(&card, kHeadPhoneEdit, "010-1234");
            qv_test::Click(&card, kSaveButton);
            EXPECT_FALSE(res::FindControl(&card, kSaveButton)->IsEnabled());
            qv_test::Click(&card, kExitButton);
        }));
    EXPECT_EQ(Column(U("select 单位 from gys"), U("单位")), (std::vector<wxString>{U("北方配件")}));
    EXPECT_EQ(Column(U("select 负责人电话 from gys"), U("负责人电话")),
              (std::vector<wxString>{"010-1234"}));
    EXPECT_TRUE(frame_->m_bRecordSaved);
    EXPECT_EQ(frame_->m_strShared, U("北方配件"));
}

// Whatever is typed is checked against its column before anything is written: the
// refusal names the field, the card keeps editing and the table stays as it was.
TEST_F(PartnersTest, CustomerCardRefusesTextItsColumnCannotHold) {
    using namespace res::partner_card;
    const struct {
        int control;
        const char* text;
        const char* message;
    } cases[] = {
        {kAreaEdit, "一二三四五六七八九十一二三四五六七八九十",
         "区域不能超过16个字节(一个汉字占两个字节)！"},
        {kAddressEdit, "人民路'8号", "地址不能用单引号！"},
        {kContactEdit, "张三李四王五", "联系人不能超过8个字节(一个汉字占两个字节)！"},
        {kDiscountEdit, "1e12", "折扣：数据格式不对！"},
        {kDiscountEdit, "1,000", "折扣：数据格式不对！"},
        {kDiscountEdit, "-100", "折扣只能是0到200之间的整数！"},
        {kDiscountEdit, "201", "折扣只能是0到200之间的整数！"},
    };
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_CUSTOMERS); },
        [&](CPartnerDlg& card) {
            EXPECT_EQ(card.m_nMode, CPartnerDlg::Customers);
            qv_test::Click(&card, kNewButton);
            qv_test::Type(&card, kNameEdit, "顺达车行");
            for (const auto& c : cases) {
                boxes_.Clear();
                qv_test::Type(&card, c.control, c.text);
                qv_test::Click(&card, kSaveButton);
                EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{c.message})) << c.text;
                EXPECT_TRUE(res::FindControl(&card, kSaveButton)->IsEnabled()) << c.text;
                EXPECT_EQ(qv_test::Text(&card, c.control), U(c.text));
                qv_test::Type(&card, c.control, "");
            }
            EXPECT_TRUE(Column(U("select 单位 from wlkf"), U("单位")).empty());
            EXPECT_FALSE(frame_->m_bRecordSaved);
            boxes_.Clear();
            qv_test::Type(&card, kAreaEdit, "东区");
            qv_test::Type(&card, kDiscountEdit, "007");
            qv_test::Click(&card, kSaveButton);
            EXPECT_TRUE(boxes_.Shown().empty());
            EXPECT_FALSE(res::FindControl(&card, kSaveButton)->IsEnabled());
            qv_test::Click(&card, kExitButton);
        }));
    EXPECT_EQ(Column(U("select 区域 from wlkf"), U("区域")), (std::vector<wxString>{U("东区")}));
    EXPECT_EQ(Column(U("select 折扣 from wlkf"), U("折扣")), (std::vector<wxString>{"7"}));
}

TEST_F(PartnersTest, EachPartnerShowsItsOwnBalanceAndIsFoundByANumber) {
    using namespace res::partner_card;
    Insert("wlkf", {{{"单位", "华通公司"}, {"折扣", "90"}, {"no", "1"}},
                    {{"单位", "顺达车行"}, {"折扣", "80"}, {"no", "2"}}});
    Insert("wlzm", {{{"单位", "华通公司"}, {"类别", "应收款"}, {"金额", "100"}, {"no", "1"}},
                    {{"单位", "华通公司"}, {"类别", "预收款"}, {"金额", "30"}, {"no", "2"}}});
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_CUSTOMERS); },
        [&](CPartnerDlg& card) {
            EXPECT_EQ(card.ShownName(), U("华通公司"));
            EXPECT_EQ(qv_test::Text(&card, kBalanceEdit), "-70.00");
            // Without entries of its own the next partner owes nothing.
            card.Go(CRecordEditSession::Step::Next);
            EXPECT_EQ(card.ShownName(), U("顺达车行"));
            EXPECT_EQ(qv_test::Text(&card, kBalanceEdit), "0.00");
            card.Go(CRecordEditSession::Step::Previous);
            EXPECT_EQ(qv_test::Text(&card, kBalanceEdit), "-70.00");
            // The bar's criterion of a number field has no blank after the field name.
            card.ApplyFilter(U("折扣=80"));
            EXPECT_EQ(card.ShownName(), U("顺达车行"));
            card.ApplyFilter(U("单位 like '%华通%'"));
            EXPECT_EQ(card.ShownName(), U("华通公司"));
            EXPECT_TRUE(boxes_.Shown().empty());
            qv_test::Click(&card, kExitButton);
        }));
}

// Esc pressed on the keyboard (through the X server, into the dialog under the pointer)
// closes the dialog; whether it did.
template <class T> bool EscCloses(T& dialog) {
    if (!qv_test::WaitFor([&] { return dialog.IsShownOnScreen(); })) return false;
    dialog.Raise();
    qv_test::WaitFor([] { return false; }, 300);
    wxUIActionSimulator input;
    const wxRect area = dialog.GetScreenRect();
    input.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
    qv_test::WaitFor([] { return false; }, 200);
    input.Char(WXK_ESCAPE);
    return qv_test::WaitFor([&] { return !dialog.IsModal(); }, 3000);
}

TEST_F(PartnersTest, EscClosesTheCardTheLedgerAndTheStatistics) {
    Insert("wlkf", {{{"单位", "华通公司"}, {"no", "1"}}});
    bool closed = false;
    EXPECT_TRUE(
        qv_test::AnswerModal<CPartnerDlg>([&] { frame_->ExecuteCommand(ID_PARTNER_CUSTOMERS); },
                                          [&](CPartnerDlg& card) { closed = EscCloses(card); }));
    EXPECT_TRUE(closed) << "partner card";
    closed = false;
    EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_LEDGER); },
        [&](CLedgerDlg& ledger) {
            // Nobody handed over: plain zeros.
            EXPECT_EQ(res::Control<wxStaticText>(&ledger, res::ledger::kReceivableSum)->GetLabel(),
                      U("金额: 0"));
            EXPECT_EQ(qv_test::Text(&ledger, res::ledger::kBalanceEdit), "0");
            closed = EscCloses(ledger);
        }));
    EXPECT_TRUE(closed) << "ledger";
    closed = false;
    EXPECT_TRUE(
        qv_test::AnswerModal<total>([&] { frame_->ExecuteCommand(ID_STAT_SALES); },
                                    [&](total& statistics) { closed = EscCloses(statistics); }));
    EXPECT_TRUE(closed) << "statistics";
}

// A field emptied while modifying keeps what the partner had; a changed one changes.
TEST_F(PartnersTest, AnEmptiedFieldKeepsThePartnersValue) {
    using namespace res::partner_card;
    Insert("wlkf", {{{"单位", "华通公司"},
                     {"联系电话", "8765"},
                     {"地址", "北街"},
                     {"折扣", "-5"},
                     {"no", "1"}}});
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_CUSTOMERS); },
        [&](CPartnerDlg& card) {
            EXPECT_EQ(qv_test::Text(&card, kDiscountEdit), "100"); // no discount below 0
            qv_test::Click(&card, kModifyButton);
            qv_test::Type(&card, kContactPhoneEdit, "");
            qv_test::Type(&card, kAddressEdit, "南街");
            qv_test::Click(&card, kSaveButton);
            EXPECT_EQ(qv_test::Text(&card, kContactPhoneEdit), "8765");
            qv_test::Click(&card, kExitButton);
        }));
    EXPECT_EQ(Column(U("select 联系电话 from wlkf"), U("联系电话")),
              (std::vector<wxString>{"8765"}));
    EXPECT_EQ(Column(U("select 地址 from wlkf"), U("地址")), (std::vector<wxString>{U("南街")}));
}

// A save the disk refuses is reported as failed: the card keeps the typed record in
// edit, the opener does not hear of a saved partner, and a second 存档 stores it once.
TEST_F(PartnersTest, FailedSaveKeepsTheCardEditing) {
    using namespace res::partner_card;
    const long long full = FullDiskFor("gys");
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->ExecuteCommand(ID_PARTNER_SUPPLIERS); },
        [&](CPartnerDlg& card) {
            qv_test::Click(&card, kNewButton);
            qv_test::Type(&card, kNameEdit, "北方配件");
            {
                qv_test::FileSizeLimit limit(full);
                qv_test::Click(&card, kSaveButton);
            }
            EXPECT_FALSE(boxes_.Shown().empty());
            EXPECT_TRUE(res::FindControl(&card, kSaveButton)->IsEnabled());
            EXPECT_EQ(card.ShownName(), U("北方配件"));
            EXPECT_FALSE(frame_->m_bRecordSaved);
            boxes_.Clear();
            qv_test::Click(&card, kSaveButton);
            EXPECT_TRUE(boxes_.Shown().empty());
            EXPECT_FALSE(res::FindControl(&card, kSaveButton)->IsEnabled());
            qv_test::Click(&card, kExitButton);
        }));
    EXPECT_EQ(Column(U("select 单位 from gys"), U("单位")), (std::vector<wxString>{U("北方配件")}));
    EXPECT_TRUE(frame_->m_bRecordSaved);
}

TEST_F(PartnersTest, ReceivableBookedAndOffsetLeavesSeventyAndItsCash) {
    using namespace res::ledger;
    Insert("wlzm", {{{"单位", "顺达车行"}, {"类别", "应付款"}, {"金额", "5"}, {"no", "1"}}});
    EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
        [&] { frame_->OpenForm(FormKind::PartnerLedger, 0, U("华通公司")); },
        [&](CLedgerDlg& ledger) {
            EXPECT_EQ(qv_test::Text(&ledger, kNameCombo), U("华通公司"));
            qv_test::Click(&ledger, kNewButton);
            qv_test::Type(&ledger, kAmountEdit, "1,000");
            Check(&ledger, kReceivableRadio);
            EXPECT_FALSE(ledger.PostEntry(true));
            EXPECT_EQ(boxes_.Shown().size(), 1u);
            boxes_.Clear();
            qv_test::Type(&ledger, kAmountEdit, "100");
            EXPECT_TRUE(ledger.PostEntry(true));
            qv_test::Click(&ledger, kNewButton);
            qv_test::Type(&ledger, kAmountEdit, "30");
            qv_test::Type(&ledger, kRemarkEdit, "收现");
            Check(&ledger, kReceivableRadio);
            Check(&ledger, kPartsRadio);
            EXPECT_TRUE(ledger.PostEntry(false));
            EXPECT_TRUE(boxes_.Shown().empty());
            EXPECT_EQ(ledger.m_gridHistory->GetRowCount(), 3);
            EXPECT_EQ(qv_test::Text(&ledger, kBalanceEdit), "-70.00");
            EXPECT_EQ(res::Control<wxStaticText>(&ledger, kReceivableSum)->GetLabel(),
                      U("金额: 70.00"));
            EXPECT_EQ(res::Control<wxStaticText>(&ledger, kAdvanceSum)->GetLabel(),
                      U("金额: 0.00"));
            // Another partner chosen: the amount typed for this one goes.
            qv_test::Click(&ledger, kNewButton);
            qv_test::Type(&ledger, kAmountEdit, "55");
            ASSERT_TRUE(Combo(&ledger, kNameCombo)->SetStringSelection(U("顺达车行")));
            ledger.OnSelectName();
            EXPECT_EQ(qv_test::Text(&ledger, kAmountEdit), "");
        }));
    EXPECT_EQ(Column(U("select 金额 from kzk"), U("金额")), (std::vector<wxString>{"30"}));
    EXPECT_EQ(Column(U("select 备注 from kzk"), U("备注")),
              (std::vector<wxString>{U("配件应收款冲帐")}));
    EXPECT_EQ(Column(U("select 单位 from wlkf"), U("单位")),
              (std::vector<wxString>{U("华通公司")}));
}

// The partner names pop up in a list under the typing; closed with its close box,
// the list goes and the ledger goes on taking clicks (a hidden list kept the input).
TEST_F(PartnersTest, LedgerAnswersClicksAfterItsNameListIsClosedUnderAWindowManager) {
    using namespace res::ledger;
    if (!qv_test::WindowManagerRunning()) GTEST_SKIP() << "the close box needs a window manager";
    Insert("wlkf", {{{"单位", "HT-A"}, {"no", "1"}}, {{"单位", "HT-B"}, {"no", "2"}}});
    bool exited = false;
    EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
        [&] { frame_->OpenForm(FormKind::PartnerLedger, 0, U("HT-A")); },
        [&](CLedgerDlg& ledger) {
            wxUIActionSimulator person;
            const auto clickAt = [&](const wxPoint& at) {
                person.MouseMove(at);
                qv_test::WaitFor([] { return false; }, 150);
                person.MouseClick();
            };
            wxWindow* name = res::FindControl(&ledger, kNameCombo);
            ASSERT_TRUE(qv_test::WaitFor([&] { return name->IsShownOnScreen(); }));
            clickAt(name->GetScreenRect().GetLeftTop() + wxPoint(20, name->GetSize().y / 2));
            ASSERT_TRUE(qv_test::WaitFor([&] {
                return name->HasFocus() ||
                       (wxWindow::FindFocus() && wxWindow::FindFocus()->GetParent() == name);
            }));
            person.Char(WXK_END);
            person.Char(WXK_BACK);
            ASSERT_TRUE(qv_test::WaitFor([&] {
                return ledger.m_pPickDlg && ledger.m_pPickDlg->IsShownOnScreen();
            }));
            // The close box at the right of the list's title bar, the part of its frame
            // above the client area, once the window manager has placed and framed it.
            // The program's idea of the framed window must hold the X server's client.
            wxRect list, client;
            ASSERT_TRUE(qv_test::WaitFor([&] {
                list = ledger.m_pPickDlg->GetScreenRect();
                client = qv_test::XScreenRectOf(ledger.m_pPickDlg);
                return !client.IsEmpty() && list.Contains(client) && client.y - list.y > 8;
            })) << "no title bar";
            clickAt(wxPoint(list.GetRight() - 10, (list.y + client.y) / 2));
            EXPECT_TRUE(qv_test::WaitFor([&] { return ledger.m_pPickDlg == nullptr; }));
            wxWindow* exit = res::FindControl(&ledger, kExitButton);
            clickAt(exit->GetScreenRect().GetLeftTop() + exit->GetSize() / 2);
            exited = qv_test::WaitFor([&] { return !ledger.IsModal(); });
        }));
    EXPECT_TRUE(exited);
}

TEST_F(PartnersTest, SettlementEntryShowsItsTicketAndSettledAccountsAreCleared) {
    using namespace res::ledger;
    Insert("ljsh", {{{"单据号", "20260301001"},
                     {"项目名称", "刹车片"},
                     {"客户", "华通公司"},
                     {"flag", "P"},
                     {"日期", "2026-03-01"},
                     {"no", "1"}},
                    {{"单据号", "20260301002"},
                     {"项目名称", "机油"},
                     {"客户", "华通公司"},
                     {"flag", "P"},
                     {"日期", "2026-03-01"},
                     {"no", "2"}}});
    Insert("wlzm", {{{"单位", "华通公司"},
                     {"类别", "应收款"},
                     {"金额", "80"},
                     {"来源", "配件"},
                     {"方式", "入帐"},
                     {"备注", "20260301002"},
                     {"日期", "2026-03-01"},
                     {"no", "1"}},
                    {{"单位", "甲"}, {"类别", "应收款"}, {"金额", "100"}, {"no", "2"}},
                    {{"单位", "甲"}, {"类别", "预收款"}, {"金额", "100"}, {"no", "3"}},
                    {{"单位", "乙"}, {"类别", "应付款"}, {"金额", "0.01"}, {"no", "4"}}});
    boxes_.Reply(platform::IDYES);
    EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
        [&] { frame_->OpenForm(FormKind::PartnerLedger, 0, U("华通公司")); },
        [&](CLedgerDlg& ledger) {
            ASSERT_EQ(ledger.m_gridHistory->GetRowCount(), 2);
            ledger.m_gridHistory->SelectRow(1);
            ledger.ShowRelatedItems();
            ASSERT_EQ(ledger.m_gridRelated->GetRowCount(), 2);
            EXPECT_EQ(ledger.m_gridRelated->GetItemText(1, 1), U("机油"));
            qv_test::Click(&ledger, kClearButton);
        }));
    EXPECT_EQ(Column(U("select distinct 单位 from wlzm order by 单位"), U("单位")),
              (std::vector<wxString>{U("华通公司"), U("乙")}));
}

TEST_F(PartnersTest, FixedAssetOfAYearIsWorthItsStraightLineValue) {
    using namespace res::cash_journal;
    const wxString bought = (wxDateTime::Today() - wxDateSpan::Days(365)).Format("%Y-%m-%d");
    Insert("gdzc", {{{"项目名称", "举升机"},
                     {"单价", "1000"},
                     {"数量", "2"},
                     {"购置日期", bought.utf8_string().c_str()},
                     {"净残值率", "4"},
                     {"使用年限", "5"},
                     {"no", "1"}}});
    EXPECT_TRUE(qv_test::AnswerModal<CCashJournalDlg>(
        [&] { frame_->ExecuteCommand(ID_FIXED_ASSETS); },
        [&](CCashJournalDlg& dialog) {
            EXPECT_EQ(dialog.GetTitle(), U("固定资产"));
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
            EXPECT_EQ(qv_test::Text(&dialog, kTotalEdit), "1616.00");
            EXPECT_EQ(qv_test::Text(&dialog, kCostEdit), "2000.00");
            // A new row with pending edits is not dropped unasked on 退出.
            qv_test::Click(&dialog, kAddButton);
            EXPECT_TRUE(dialog.IsPending());
            boxes_.Reply(platform::IDCANCEL);
            qv_test::Click(&dialog, kExitButton);
            EXPECT_TRUE(dialog.IsModal());
            qv_test::Click(&dialog, kCancelButton);
            EXPECT_FALSE(dialog.IsPending());
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
        }));
}

// 退出 with pending rows asks; a save that fails there keeps the window open on what
// the table holds, so the operator sees the rows did not go in.
TEST_F(PartnersTest, JournalClosesOnlyAfterItsRowsAreSaved) {
    using namespace res::cash_journal;
    const long long full = FullDiskFor("kzk");
    EXPECT_TRUE(qv_test::AnswerModal<CCashJournalDlg>(
        [&] { frame_->ExecuteCommand(ID_CASH_JOURNAL); },
        [&](CCashJournalDlg& dialog) {
            qv_test::Click(&dialog, kAddButton);
            ASSERT_TRUE(dialog.IsPending());
            boxes_.Reply(platform::IDYES);
            {
                qv_test::FileSizeLimit limit(full);
                qv_test::Click(&dialog, kExitButton);
            }
            EXPECT_TRUE(dialog.IsModal());
            EXPECT_GE(boxes_.Shown().size(), 2u); // the question and the failure
            EXPECT_EQ(dialog.m_grid->GetRowCount(), 1);
            qv_test::Click(&dialog, kAddButton);
            boxes_.Reply(platform::IDYES);
            qv_test::Click(&dialog, kExitButton);
            EXPECT_FALSE(dialog.IsModal());
        }));
    EXPECT_EQ(Column(U("select 日期 from kzk"), U("日期")).size(), 1u);
}

class PartnerOpenersTest : public PartnersTest {
protected:
    void SetUp() override {
        PartnersTest::SetUp();
        parts::RegisterForms();
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::OrderSheet, nullptr);
        CMainFrame::RegisterForm(FormKind::SplitAssemble, nullptr);
        PartnersTest::TearDown();
    }
};

TEST_F(PartnerOpenersTest, OutlookItemOrderPageAndCardOpenTheirPartner) {
    using namespace res::partner_card;
    Insert("gys", {{{"单位", "甲配件"}, {"no", "1"}}, {{"单位", "乙配件"}, {"no", "2"}}});
    Insert("wlzm", {{{"单位", "乙配件"}, {"类别", "应付款"}, {"金额", "50"}, {"no", "1"}}});

    frame_->GetOutBar()->SetSelFolder(1);
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { frame_->OnOutBarNotify(CGfxOutBarCtrl::NM_ITEMCLICK, 5); },
        [](CPartnerDlg& card) {
            EXPECT_EQ(card.m_nMode, CPartnerDlg::Customers);
            qv_test::Click(&card, kExitButton);
        }));

    // The order page's "..." opens the supplier typed there; the card's 往来帐目 that
    // supplier's ledger.
    frame_->OpenForm(FormKind::OrderSheet, Pjdh::Order);
    Pump();
    auto* sheet = dynamic_cast<CWorkSheet*>(frame_->GetSheet(CMainFrame::SheetKind::Order));
    auto* order = sheet ? dynamic_cast<Pjdh*>(sheet->GetActiveWorkPage()) : nullptr;
    ASSERT_NE(order, nullptr);
    qv_test::Type(order, res::order_page::kSupplierCombo, "乙配件");
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { qv_test::Click(order, res::order_page::kSupplierButton); },
        [&](CPartnerDlg& card) {
            EXPECT_EQ(card.m_nMode, CPartnerDlg::Suppliers);
            EXPECT_EQ(card.ShownName(), U("乙配件"));
            EXPECT_EQ(qv_test::Text(&card, kBalanceEdit), "50.00");
            EXPECT_TRUE(qv_test::AnswerModal<CLedgerDlg>(
                [&] { qv_test::Click(&card, kLedgerButton); },
                [](CLedgerDlg& ledger) {
                    EXPECT_EQ(qv_test::Text(&ledger, res::ledger::kNameCombo), U("乙配件"));
                    EXPECT_EQ(ledger.m_gridHistory->GetRowCount(), 2);
                    qv_test::Click(&ledger, res::ledger::kExitButton);
                }));
            qv_test::Click(&card, kExitButton);
        }));

    // With no supplier chosen the card opens on its first supplier, not on the partner
    // another form handed over last.
    for (const char* none : {"", "全部"}) {
        frame_->m_strShared = U("乙配件");
        qv_test::Type(order, res::order_page::kSupplierCombo, none);
        EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
            [&] { qv_test::Click(order, res::order_page::kSupplierButton); },
            [&](CPartnerDlg& card) {
                EXPECT_EQ(card.ShownName(), U("甲配件")) << none;
                qv_test::Click(&card, kExitButton);
            }));
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

// 资料 on the ticket of a registered customer shows that customer's card, not a new
// record that would be refused as a duplicate.
TEST_F(PartnerOpenersTest, TheTicketsDataButtonShowsTheRegisteredCustomer) {
    using namespace res::partner_card;
    Insert("wlkf", {{{"单位", "甲公司"}, {"no", "1"}},
                    {{"单位", "张三汽修"}, {"联系电话", "8765"}, {"no", "2"}}});
    Insert(
        "zyxm",
        {{{"客户", "张三汽修"}, {"flag", "P"}, {"no", "1"}},
         {{"客户", "张三汽修"}, {"项目名称", "机油"}, {"数量", "1"}, {"flag", "P"}, {"no", "2"}}});
    frame_->ExecuteCommand(ID_SALES_SHEET);
    Pump();
    auto* sheet = dynamic_cast<CWorkSheet*>(frame_->GetSheet(CMainFrame::SheetKind::Sales));
    ASSERT_NE(sheet, nullptr);
    CWorkPage* page = sheet->FindWorkPage(U("张三汽修"));
    ASSERT_NE(page, nullptr);
    sheet->SelectWorkPage(page);
    Pump();
    EXPECT_TRUE(qv_test::AnswerModal<CPartnerDlg>(
        [&] { qv_test::Click(page, res::line_page::kCustomerButton); },
        [](CPartnerDlg& card) {
            EXPECT_EQ(card.ShownName(), U("张三汽修"));
            EXPECT_EQ(qv_test::Text(&card, kContactPhoneEdit), "8765");
            EXPECT_FALSE(res::FindControl(&card, kSaveButton)->IsEnabled()); // browsing
            qv_test::Click(&card, kExitButton);
        }));
    EXPECT_TRUE(boxes_.Shown().empty());
    EXPECT_EQ(Column(U("select 单位 from wlkf"), U("单位")).size(), 2u);
    frame_->CloseSheet(CMainFrame::SheetKind::Sales);
    Pump();
}

} // namespace
