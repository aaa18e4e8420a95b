// What the template builder does beyond placing controls: texts and contents that
// need more room than the template gives grow into free room, and F1 asks for help.
#include "platform/wx_text.h"
#include "res/data_export_template.h"
#include "res/data_tidy_template.h"
#include "res/dialog_template.h"
#include "res/fuzzy_search_template.h"
#include "res/login_template.h"

#include <gtest/gtest.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

// The contents the program puts into template fields must show whole.
TEST(DialogBuilder, FieldsShowWhatTheProgramPutsIntoThem) {
    struct Case {
        const res::DialogTemplate& (*get)();
        int id;
        const char* content;
    };
    const Case cases[] = {
        {res::LoginTemplate, res::login::kSetCombo, "默认帐套"},
        {res::DataExportTemplate, res::data_export::kFromDateEdit, "2026-12-10"},
        {res::DataExportTemplate, res::data_export::kToDateEdit, "2026-12-10"},
        {res::DataTidyTemplate, res::data_tidy::kFromDateEdit, "2026-12-10"},
        {res::FuzzySearchTemplate, res::fuzzy_search::kStartDate, "2026-12-10"},
        {res::FuzzySearchTemplate, res::fuzzy_search::kEndDate, "2026-12-10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        wxDialog dialog(nullptr, wxID_ANY, "");
        res::BuildDialog(&dialog, c.get());
        wxWindow* field = res::FindControl(&dialog, c.id);
        ASSERT_NE(field, nullptr);
        wxSize needed;
        if (auto* combo = dynamic_cast<wxComboBox*>(field)) {
            combo->Append(U(c.content));
            needed = combo->GetSizeFromTextSize(combo->GetTextExtent(U(c.content)).x);
        } else {
            auto* edit = dynamic_cast<wxTextCtrl*>(field);
            ASSERT_NE(edit, nullptr);
            edit->ChangeValue(U(c.content));
            needed = edit->GetSizeFromTextSize(edit->GetTextExtent(U(c.content)).x);
        }
        EXPECT_LE(needed.x, field->GetSize().x) << c.id;
    }
}

TEST(DialogBuilder, GrowsIntoFreeRoomOnlyAndWrapsTallLabels) {
    using K = res::ControlKind;
    const wxString longText = U("一段很长很长很长很长很长的说明文字");
    const res::DialogTemplate layout{
        900,
        U("布局"),
        200,
        100,
        {
            {K::Static, 1001, longText, 4, 4, 20, 8},  // room to its right
            {K::Static, 1002, longText, 4, 20, 20, 8}, // a button beside it
            {K::Button, 1003, U("按钮"), 26, 18, 30, 14},
            {K::Static, 1004, longText, 4, 40, 60, 30}, // several lines high
            {K::Static, 1005, U("右对齐的标签"), 150, 80, 10, 8, res::kStyleRight},
            {K::ComboBox, 1006, "", 4, 80, 30, 60},
            {K::Button, 1007, U("右"), 36, 80, 20, 14},
        },
    };
    wxDialog dialog(nullptr, wxID_ANY, "");
    res::BuildDialog(&dialog, layout);
    const auto rect = [&dialog](int id) { return res::FindControl(&dialog, id)->GetRect(); };

    auto* free = res::FindControl(&dialog, 1001);
    EXPECT_GE(rect(1001).width, free->GetTextExtent(longText).x);
    EXPECT_EQ(rect(1001).x, dialog.ConvertDialogToPixels(wxPoint(4, 0)).x);
    EXPECT_LT(rect(1002).GetRight(), rect(1003).x); // stops short of the button
    // The button keeps its place: a label never pushes a neighbour.
    EXPECT_EQ(rect(1003).GetPosition(), dialog.ConvertDialogToPixels(wxPoint(26, 18)));
    // The tall label keeps its box and wraps inside it.
    EXPECT_EQ(rect(1004).width, dialog.ConvertDialogToPixels(wxSize(60, 0)).x);
    EXPECT_TRUE(res::Control<wxStaticText>(&dialog, 1004)->GetLabel().Contains("\n"));
    // A right-aligned label grows to the left, keeping its right edge.
    const int right = dialog.ConvertDialogToPixels(wxPoint(150, 0)).x +
                      dialog.ConvertDialogToPixels(wxSize(10, 0)).x;
    EXPECT_EQ(rect(1005).GetRight() + 1, right);
    EXPECT_LT(rect(1005).x, dialog.ConvertDialogToPixels(wxPoint(150, 0)).x);

    // The combo box is one line high, and its items widen it up to its neighbour.
    auto* combo = res::Control<wxComboBox>(&dialog, 1006);
    EXPECT_LE(combo->GetSize().y, dialog.ConvertDialogToPixels(wxSize(0, 14)).y);
    const int before = combo->GetSize().x;
    combo->Append(U("长一点的项目"));
    EXPECT_GT(combo->GetSize().x, before);
    EXPECT_LT(rect(1006).GetRight(), rect(1007).x);
}

TEST(DialogBuilder, F1AsksForTheTemplatesHelp) {
    using K = res::ControlKind;
    std::vector<int> asked;
    res::SetHelpHandler([&asked](int id) { asked.push_back(id); });
    res::DialogTemplate page{275, U("页"), 100, 40, {{K::Edit, 1001, "", 4, 4, 60, 14}}};
    page.helpId = 249;
    res::DialogTemplate plain{233, U("对话框"), 100, 40, {{K::Edit, 1001, "", 4, 4, 60, 14}}};
    for (const res::DialogTemplate* t : {&page, &plain}) {
        wxDialog dialog(nullptr, wxID_ANY, "");
        res::BuildDialog(&dialog, *t);
        wxWindow* edit = res::FindControl(&dialog, 1001);
        for (int key : {int(WXK_F1), int(WXK_F2)}) {
            wxKeyEvent press(wxEVT_CHAR_HOOK);
            press.m_keyCode = key;
            press.SetEventObject(edit);
            edit->GetEventHandler()->ProcessEvent(press);
        }
    }
    res::SetHelpHandler(nullptr);
    EXPECT_EQ(asked, (std::vector<int>{249, 233}));
}

} // namespace
