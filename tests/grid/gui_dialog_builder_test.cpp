// Dialog templates become wx controls in dialog units, with the resource IDs.
#include "gui_test_app.h"

#include "res/dialogs.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using DialogBuilder = GridWindowTest;

TEST_F(DialogBuilder, BuildsEveryKindAtItsPlaceInDialogUnits) {
    using K = res::ControlKind;
    const res::DialogTemplate input{
        300,
        wxString::FromUTF8("输入框"),
        182,
        93,
        {
            {K::Static, 1120, wxString::FromUTF8("输入内容"), 22, 16, 126, 8},
            {K::Edit, 10001, "", 24, 33, 124, 14, res::kStyleNumber},
            {K::Spin, 10064, "", 148, 33, 10, 14, res::kStyleAutoBuddy},
            {K::Radio, 1107, wxString::FromUTF8("打印"), 10, 50, 40, 10, res::kStyleGroup},
            {K::Radio, 1108, wxString::FromUTF8("预览"), 60, 50, 40, 10},
            {K::CheckBox, 1148, "x", 110, 50, 40, 10, res::kStyleDisabled},
            {K::DropList, 1032, "", 10, 62, 70, 60, res::kStyleSorted},
            {K::ListView, 1106, "", 90, 62, 40, 20, res::kStyleHidden},
            {K::Button, 5100, "reserved", 140, 62, 30, 14},
            {K::Custom, 1002, "", 10, 80, 60, 10, res::kStyleNone, "GridCtrl"},
            {K::Custom, 1003, "", 80, 80, 20, 10, res::kStyleNone, "NoSuchClass"},
            {K::DefButton, res::IDOK, wxString::FromUTF8("确定(&Y)"), 34, 67, 50, 14},
            {K::Button, res::IDCANCEL, wxString::FromUTF8("放弃(&X)"), 92, 67, 50, 14},
        },
    };
    CGridCtrl::RegisterGridClass();
    wxDialog dialog(frame, wxID_ANY, "");
    res::BuildDialog(&dialog, input);
    EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8("输入框"));
    EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(182, 93)));

    auto* edit = res::Control<wxTextCtrl>(&dialog, 10001);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetPosition(), dialog.ConvertDialogToPixels(wxPoint(24, 33)));
    EXPECT_EQ(edit->GetSize().GetHeight(), dialog.ConvertDialogToPixels(wxSize(124, 14)).y);
    // The up-down control keeps the pair's outer edges, taking room from the edit.
    auto* spin = res::Control<wxSpinButton>(&dialog, 10064);
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->GetRect().GetRight() + 1, dialog.ConvertDialogToPixels(wxPoint(158, 0)).x);
    EXPECT_LE(edit->GetRect().GetRight() + 1, spin->GetRect().x);
    EXPECT_NE(res::Control<wxStaticText>(&dialog, 1120), nullptr);
    EXPECT_NE(res::Control<wxRadioButton>(&dialog, 1108), nullptr);
    EXPECT_FALSE(res::Control<wxCheckBox>(&dialog, 1148)->IsEnabled());
    EXPECT_NE(res::Control<wxComboBox>(&dialog, 1032), nullptr);
    EXPECT_FALSE(res::Control<wxListCtrl>(&dialog, 1106)->IsShown());
    EXPECT_NE(res::Control<CGridCtrl>(&dialog, 1002), nullptr);
    EXPECT_NE(res::FindControl(&dialog, 1003), nullptr); // unknown class: a plain window
    // 5100 is wx's own OK: the resource's 5100 lives elsewhere.
    auto* reserved = res::Control<wxButton>(&dialog, 5100);
    ASSERT_NE(reserved, nullptr);
    EXPECT_EQ(reserved->GetLabel(), "reserved");
    EXPECT_NE(dialog.FindWindow(5100), reserved);
    EXPECT_EQ(res::FindControl(&dialog, res::IDOK)->GetId(), wxID_OK);

    // The up-down control writes its position into the edit before it.
    spin->SetRange(0, 80);
    edit->SetValue("41");
    EXPECT_EQ(spin->GetValue(), 41);
    spin->SetValue(42);
    wxSpinEvent step(wxEVT_SPIN, spin->GetId());
    step.SetEventObject(spin);
    spin->GetEventHandler()->ProcessEvent(step);
    EXPECT_EQ(edit->GetValue(), "42");
}
