#include "res/control_fit.h"

#include <algorithm>
#include <wx/control.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/tokenzr.h>

namespace res {
namespace {

// Room a push button's frame and its narrowed padding take beside its text.
constexpr int kButtonMargin = 10;
// Room a group box's frame takes beside its title.
constexpr int kGroupMargin = 16;

int TextWidth(const wxWindow* control, const wxString& text) {
    int widest = 0;
    for (const wxString& line : wxStringTokenize(wxControl::RemoveMnemonics(text), "\n"))
        widest = std::max(widest, control->GetTextExtent(line).x);
    return widest;
}

// Breaks a text into lines no wider than `width`: between any two Chinese
// characters, and at the last blank for other words.
wxString WrapText(const wxWindow* control, const wxString& text, int width) {
    wxString wrapped;
    for (const wxString& paragraph : wxStringTokenize(text, "\n", wxTOKEN_RET_EMPTY_ALL)) {
        if (!wrapped.empty()) wrapped += '\n';
        wxString line;
        for (wxUniChar ch : paragraph) {
            if (!line.empty() && control->GetTextExtent(line + ch).x > width) {
                const size_t blank = ch.GetValue() < 0x2E80 ? line.rfind(' ') : wxString::npos;
                if (blank != wxString::npos && blank > 0) {
                    wrapped += line.substr(0, blank) + '\n';
                    line = line.substr(blank + 1);
                } else {
                    wrapped += line + '\n';
                    line.clear();
                }
            }
            line += ch;
        }
        wrapped += line;
    }
    return wrapped;
}

// Whether a sibling limits a control's growth: group boxes, and windows that hold
// the control (a drawn area under a label), lie behind it and do not.
bool Blocks(const wxWindow* sibling, const wxWindow* control) {
    if (sibling == control || !sibling->IsShown() || dynamic_cast<const wxStaticBox*>(sibling))
        return false;
    const wxRect rect = control->GetRect();
    const wxRect other = sibling->GetRect();
    return !other.Contains(rect) && other.y < rect.GetBottom() && rect.y < other.GetBottom();
}

// Widens `control` towards `width` into the free room beside it, keeping its left
// edge, right edge or centre as its text is aligned: it never covers a neighbour or
// leaves its parent.
void Widen(wxWindow* control, int width, unsigned style) {
    const wxRect rect = control->GetRect();
    if (width <= rect.width) return;
    int leftRoom = rect.x;
    int rightRoom = control->GetParent()->GetClientSize().x - rect.GetRight() - 1;
    for (const wxWindow* sibling : control->GetParent()->GetChildren()) {
        if (!Blocks(sibling, control)) continue;
        const wxRect other = sibling->GetRect();
        if (other.x > rect.GetRight())
            rightRoom = std::min(rightRoom, other.x - rect.GetRight() - 1);
        if (other.GetRight() < rect.x) leftRoom = std::min(leftRoom, rect.x - other.GetRight() - 1);
    }
    const int extra = width - rect.width;
    int left = 0;
    int right = 0;
    if (style & kStyleRight) {
        left = std::min(extra, leftRoom);
    } else if (style & kStyleCentre) {
        left = std::min(extra / 2, leftRoom);
        right = std::min(extra - left, rightRoom);
        left = std::min(extra - right, leftRoom);
    } else {
        right = std::min(extra, rightRoom);
    }
    if (left > 0 || right > 0)
        control->SetSize(rect.x - left, rect.y, rect.width + left + right, rect.height);
}

// The free room right of a control, up to its nearest neighbour or its parent's edge.
int RoomAtRight(const wxWindow* control, const wxWindow* besides) {
    const wxRect rect = control->GetRect();
    int room = control->GetParent()->GetClientSize().x - rect.GetRight() - 1;
    for (const wxWindow* sibling : control->GetParent()->GetChildren()) {
        if (sibling == besides || !Blocks(sibling, control)) continue;
        const wxRect other = sibling->GetRect();
        if (other.x > rect.GetRight()) room = std::min(room, other.x - rect.GetRight() - 1);
    }
    return std::max(room, 0);
}

} // namespace

int NumberEditWidth(wxTextCtrl* edit) {
    // The toolkit's own answer is its entry's natural width, far more than a number
    // needs; the edit's frame and narrow padding take 12 pixels beside the text.
    return edit->GetTextExtent("200").x + 12;
}

void FitBesideBuddy(wxSpinButton* spin, wxTextCtrl* buddy) {
    const wxRect spinRect = spin->GetRect();
    const wxRect buddyRect = buddy->GetRect();
    const int width = spin->GetBestSize().GetWidth();
    int right = std::max(spinRect.GetRight(), buddyRect.GetRight());
    const int needed = NumberEditWidth(buddy) + width;
    if (right - buddyRect.x + 1 < needed) {
        // The spin is the pair's right end; it moves right as far as its neighbours let it.
        const int extra = needed - (right - buddyRect.x + 1);
        spin->SetSize(right - spinRect.width + 1, spinRect.y, spinRect.width, spinRect.height);
        right += std::min(extra, RoomAtRight(spin, buddy));
    }
    const int left = std::max(right - width + 1, buddyRect.x + 1);
    spin->SetSize(left, spinRect.y, right - left + 1, spinRect.height);
    buddy->SetSize(buddyRect.x, buddyRect.y, left - buddyRect.x, buddyRect.height);
}

int NeededTextWidth(wxWindow* control, ControlKind kind) {
    switch (kind) {
    case ControlKind::Static:
        return TextWidth(control, control->GetLabel());
    case ControlKind::Button:
    case ControlKind::DefButton:
        return TextWidth(control, control->GetLabel()) + kButtonMargin;
    case ControlKind::CheckBox:
    case ControlKind::Radio:
        return control->GetBestSize().x;
    case ControlKind::GroupBox:
        return control->GetLabel().empty() ? 0
                                           : TextWidth(control, control->GetLabel()) + kGroupMargin;
    default:
        return 0;
    }
}

void FitToText(wxWindow* control, const ControlTemplate& c) {
    if (c.text.empty()) return;
    if (c.kind == ControlKind::Static) {
        const int lineHeight = control->GetCharHeight();
        const wxSize size = control->GetSize();
        if (size.y >= 2 * lineHeight) {
            // A label drawn several lines high wraps at its width, as it did there.
            control->SetLabel(WrapText(control, c.text, size.x));
            return;
        }
        if (size.y < lineHeight) control->SetSize(size.x, lineHeight);
    }
    const unsigned align = (c.kind == ControlKind::Button || c.kind == ControlKind::DefButton)
                               ? kStyleCentre
                               : c.style;
    Widen(control, NeededTextWidth(control, c.kind), align);
}

void LineUpLabels(const std::vector<wxWindow*>& controls, const DialogTemplate& dialogTemplate) {
    const auto isField = [](ControlKind kind) {
        return kind == ControlKind::Edit || kind == ControlKind::ComboBox ||
               kind == ControlKind::DropList;
    };
    for (size_t i = 0; i < controls.size(); ++i) {
        const ControlTemplate& c = dialogTemplate.controls[i];
        if (!controls[i] || c.kind != ControlKind::Static || c.text.empty()) continue;
        const wxRect label = controls[i]->GetRect();
        const int lineHeight = controls[i]->GetCharHeight();
        if (label.height >= 2 * lineHeight) continue;
        // The field to the right of the label on its row, nearest first.
        const wxWindow* field = nullptr;
        for (size_t j = 0; j < controls.size(); ++j) {
            const ControlTemplate& f = dialogTemplate.controls[j];
            if (!controls[j] || !isField(f.kind) || (f.style & kStyleMultiline)) continue;
            const wxRect rect = controls[j]->GetRect();
            const int gap = rect.x - label.GetRight();
            if (gap < 0 || gap > lineHeight * 2 || rect.y > label.GetBottom() ||
                rect.GetBottom() < label.y)
                continue;
            if (!field || rect.x < field->GetRect().x) field = controls[j];
        }
        if (!field) continue;
        const wxRect rect = field->GetRect();
        const int height = std::max(label.height, lineHeight);
        controls[i]->SetSize(label.x, rect.y + (rect.height - height) / 2, label.width, height);
    }
}

FittingComboBox::FittingComboBox(wxWindow* parent, int id, const wxString& value,
                                 const wxPoint& pos, const wxSize& templateSize, long style)
    : wxComboBox(parent, id, value, pos, wxSize(templateSize.x, -1), 0, nullptr, style) {
    // The template's height is that of the open list; the field itself is one line.
    const int oneLine = parent->ConvertDialogToPixels(wxSize(0, 14)).y;
    SetSize(templateSize.x, std::min({GetBestSize().y, oneLine, templateSize.y}));
}

void FittingComboBox::SetValue(const wxString& value) {
    wxComboBox::SetValue(value);
    GrowToContent();
}

int FittingComboBox::DoInsertItems(const wxArrayStringsAdapter& items, unsigned int pos,
                                   void** clientData, wxClientDataType type) {
    const int result = wxComboBox::DoInsertItems(items, pos, clientData, type);
    GrowToContent();
    return result;
}

void FittingComboBox::DoSetValue(const wxString& value, int flags) {
    wxComboBox::DoSetValue(value, flags);
    GrowToContent();
}

void FittingComboBox::GrowToContent() {
    int text = GetTextExtent(GetValue()).x;
    for (unsigned i = 0; i < GetCount(); ++i)
        text = std::max(text, GetTextExtent(GetString(i)).x);
    Widen(this, GetSizeFromTextSize(text).x, kStyleNone);
}

TemplateButton::TemplateButton(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
                               const wxSize& size)
    : wxButton(parent, id, label, pos, size) {
#ifdef __WXGTK3__
    GTKApplyCssStyle("* { padding-left: 4px; padding-right: 4px; }");
#endif
}

#ifdef __WXGTK3__
namespace {
// Without padding and minimum sizes the two buttons need about half the width.
constexpr char kNarrowSpin[] = "* { padding: 0; min-width: 0; min-height: 0; }";
} // namespace
#endif

TemplateSpin::TemplateSpin(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size)
    : wxSpinButton(parent, id, pos, size, wxSP_VERTICAL | wxSP_ARROW_KEYS) {
#ifdef __WXGTK3__
    GTKApplyCssStyle(kNarrowSpin);
#endif
}

void TemplateSpin::FitAgain() {
    if (!m_buddy) return;
    InvalidateBestSize();
    FitBesideBuddy(this, m_buddy);
}

TemplateEdit::TemplateEdit(wxWindow* parent, int id, const wxString& value, const wxPoint& pos,
                           const wxSize& size, long style)
    : wxTextCtrl(parent, id, value, pos, size, style) {
#ifdef __WXGTK3__
    if (!(style & wxTE_MULTILINE)) GTKApplyCssStyle("* { padding-left: 3px; padding-right: 3px; }");
#endif
}

} // namespace res
