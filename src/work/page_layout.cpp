#include "work/page_layout.h"

#include "res/control_fit.h"
#include "res/dialog_template.h"

#include <algorithm>
#include <vector>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/window.h>

namespace work {
namespace {

std::vector<wxWindow*> ShownControls(wxWindow* page, const std::vector<int>& ids) {
    std::vector<wxWindow*> shown;
    for (int id : ids)
        if (wxWindow* control = res::FindControl(page, id); control && control->IsShown())
            shown.push_back(control);
    return shown;
}

wxSize ButtonSizeOf(wxWindow* button) {
    const wxSize size = button->GetSize();
    return {std::max(size.x, res::NeededTextWidth(button, res::ControlKind::Button)), size.y};
}

} // namespace

wxSize ButtonSize(wxWindow* page, int id) {
    wxWindow* button = res::FindControl(page, id);
    return button ? ButtonSizeOf(button) : wxSize();
}

wxRect PlaceButtonRow(wxWindow* page, const std::vector<int>& ids, int y, int centreX) {
    const std::vector<wxWindow*> buttons = ShownControls(page, ids);
    if (buttons.empty()) return wxRect(centreX, y, 0, 0);
    int width = -kButtonGap, height = 0;
    for (wxWindow* button : buttons) {
        const wxSize size = ButtonSizeOf(button);
        width += size.x + kButtonGap;
        height = std::max(height, size.y);
    }
    const int pageWidth = page->GetClientSize().x;
    int x = std::min(centreX - width / 2, pageWidth - kPageMargin - width);
    x = std::max(x, kPageMargin);
    const wxRect filled(x, y, width, height);
    for (wxWindow* button : buttons) {
        const wxSize size = ButtonSizeOf(button);
        button->SetSize(x, y, size.x, height);
        x += size.x + kButtonGap;
    }
    return filled;
}

wxRect PlaceButtonColumn(wxWindow* page, const std::vector<int>& ids, int right, int top) {
    const std::vector<wxWindow*> buttons = ShownControls(page, ids);
    int width = 0, height = 0;
    for (wxWindow* button : buttons) {
        const wxSize size = ButtonSizeOf(button);
        width = std::max(width, size.x);
        height = std::max(height, size.y);
    }
    const int x = std::max(right - width + 1, kPageMargin);
    int y = top;
    for (wxWindow* button : buttons) {
        button->SetSize(x, y, width, height);
        y += height + kButtonGap / 2;
    }
    return wxRect(x, top, width, std::max(0, y - top - kButtonGap / 2));
}

wxRect PlaceFootRow(wxWindow* page, const std::vector<int>& ids, int frameId) {
    int height = 0;
    for (int id : ids)
        height = std::max(height, ButtonSize(page, id).y);
    const wxSize client = page->GetClientSize();
    const wxRect row =
        PlaceButtonRow(page, ids, client.y - height - kFramePad - kPageMargin, client.x / 2);
    FrameAround(page, frameId, row);
    return row;
}

void PlaceGrid(wxWindow* page, wxWindow* grid, int top, int bottom, int right) {
    if (right <= 0) right = page->GetClientSize().x;
    grid->SetSize(kPageMargin, top, std::max(right - 2 * kPageMargin, 40),
                  std::max(bottom - kPageMargin - top, 40));
}

wxRect PlaceRightOf(wxWindow* page, int id, const wxRect& left, int gap) {
    wxWindow* control = res::FindControl(page, id);
    if (!control || !control->IsShown()) return wxRect(left.GetRight() + 1, left.y, 0, left.height);
    const wxSize size = control->GetSize();
    const int width =
        dynamic_cast<wxStaticText*>(control)
            ? std::max(size.x, res::NeededTextWidth(control, res::ControlKind::Static))
            : size.x;
    const wxRect placed(left.GetRight() + 1 + gap, left.y + (left.height - size.y) / 2, width,
                        size.y);
    control->SetSize(placed);
    return placed;
}

int BelowHeader(wxWindow* page, wxWindow* grid) {
    const int gridTop = grid->GetRect().y;
    int bottom = 0;
    for (wxWindow* child : page->GetChildren())
        if (child != grid && child->IsShown() && child->GetRect().y < gridTop &&
            !dynamic_cast<wxStaticBox*>(child))
            bottom = std::max(bottom, child->GetRect().GetBottom() + 1);
    return bottom + kPageMargin;
}

void FitSpinButtons(wxWindow* page) {
    for (wxWindow* child : page->GetChildren())
        if (auto* spin = dynamic_cast<res::TemplateSpin*>(child)) spin->FitAgain();
}

void FrameAround(wxWindow* page, int frameId, const wxRect& inner) {
    if (wxWindow* frame = res::FindControl(page, frameId))
        frame->SetSize(inner.x - kFramePad, inner.y - 2 * kFramePad, inner.width + 2 * kFramePad,
                       inner.height + 3 * kFramePad);
}

} // namespace work
