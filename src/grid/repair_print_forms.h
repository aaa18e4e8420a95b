#pragma once
// The five repair-order forms and their template files Picture/WxQdfile1..5 (a
// comma list of 11 items: title, fault switch, terms, terms switch, remark, remark
// switch, hints switch, four head-row switches), and the last chosen form kept in
// Picture/WxQdType.
#include <vector>
#include <wx/string.h>

enum class RepairForm { Brief = 1, PreRepair = 2, RepairOrder = 3, SalesTicket = 4, Dispatch = 5 };

struct RepairFormTemplate {
    wxString title;
    bool faultOn = false;
    wxString terms;
    bool termsOn = false;
    wxString remark;
    bool remarkOn = false;
    bool hintsOn = false;
    bool rowOn[4] = {true, true, true, true};

    bool operator==(const RepairFormTemplate& other) const;
};

namespace repair_forms {

// "Picture/WxQdfile" + the form's digit.
wxString TemplatePath(RepairForm form);

// The template of the form; a missing file gives empty texts, switches off and all
// head rows on. Line ends inside texts come back as "\n".
RepairFormTemplate ReadTemplate(RepairForm form);
// Commas in the texts become "，" so each stays one item; a run of line ends becomes
// one, kept as CR LF in the file. False when the file could not be written.
bool WriteTemplate(RepairForm form, const RepairFormTemplate& form_template);

// Fills the texts a form shows when its template leaves them (nearly) empty; the
// brief list keeps its template as it is.
RepairFormTemplate WithDefaults(RepairForm form, RepairFormTemplate form_template);

// The form to open on: a work card with one record opens the dispatch list, else the
// digit of Picture/WxQdType, else the pre-repair form.
RepairForm FormOnOpen(long cardRecordCount);
// Stores the form for the next opening ("1", "3", or "2" for the others); the
// dispatch list is not stored. False after the write error message.
bool StoreLastForm(RepairForm form);

// Entry 17 of the print texts: the document kind the print code lays out.
wxString DocumentKind(RepairForm form);

// Puts the form's title, terms, remark, kind and switches into the print texts
// (resized to their full count); a switched-off fault, terms or remark becomes the
// no-print mark, a switched-off head row its row mark.
void ApplyToPrintTexts(RepairForm form, const RepairFormTemplate& form_template,
                       std::vector<wxString>& texts);

} // namespace repair_forms
