#pragma once
// How a control made from a template fits the toolkit: the template's rectangles
// were drawn for another platform's fonts and frames, so a control whose text needs
// more room grows (to the side its text is aligned to), moving nothing else.
#include "res/dialog_template.h"

#include <vector>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

namespace res {

// Grows a control whose template text needs more room than its rectangle into the
// free room beside it; a label taller than one line wraps instead.
void FitToText(wxWindow* control, const ControlTemplate& c);

// Moves each one-line label that stands left of a field on its row so that its text
// is level with the field's text; `controls` are the built controls in template order.
void LineUpLabels(const std::vector<wxWindow*>& controls, const DialogTemplate& dialogTemplate);

// Fits an up-down control beside its edit: the up-down control takes the width the
// toolkit needs (no more), the edit keeps the width a three-digit number needs, and the pair
// grows into the free room at its right when the template's rectangles hold less.
void FitBesideBuddy(wxSpinButton* spin, wxTextCtrl* buddy);

// The width an edit needs to show a three-digit number (100, 200) whole.
int NumberEditWidth(wxTextCtrl* edit);

// The width a control needs for its text (labels, buttons, check boxes, group boxes).
int NeededTextWidth(wxWindow* control, ControlKind kind);

// A combo box one line high that grows, into the free room beside it, to show its
// longest item or value as they are added or set.
class FittingComboBox : public wxComboBox {
public:
    FittingComboBox(wxWindow* parent, int id, const wxString& value, const wxPoint& pos,
                    const wxSize& templateSize, long style);
    void SetValue(const wxString& value) override;

protected:
    int DoInsertItems(const wxArrayStringsAdapter& items, unsigned int pos, void** clientData,
                      wxClientDataType type) override;
    void DoSetValue(const wxString& value, int flags) override;

private:
    void GrowToContent();
};

// A push button with the narrow inner margins the templates were drawn for.
class TemplateButton : public wxButton {
public:
    TemplateButton(wxWindow* parent, int id, const wxString& label, const wxPoint& pos,
                   const wxSize& size);
};

// An up-down control as narrow as the toolkit can draw it: GTK 3 lays its two
// buttons side by side, each with wide padding.
class TemplateSpin : public wxSpinButton {
public:
    TemplateSpin(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size);

    // The edit whose number the control sets (an auto-buddy), or null.
    void SetBuddy(wxTextCtrl* buddy) { m_buddy = buddy; }
    wxTextCtrl* GetBuddy() const { return m_buddy; }
    // Fits the control beside its buddy again (FitBesideBuddy): the toolkit gives the
    // control its narrow style only once its window is in place on the screen, so a
    // page built before it is shown fits its up-down controls again when laid out.
    void FitAgain();

private:
    wxTextCtrl* m_buddy = nullptr;
};

// A single-line edit with the narrow inner margins the templates were drawn for,
// so that a date or a number fills its field as it did there.
class TemplateEdit : public wxTextCtrl {
public:
    TemplateEdit(wxWindow* parent, int id, const wxString& value, const wxPoint& pos,
                 const wxSize& size, long style);
};

} // namespace res
