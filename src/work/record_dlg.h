#pragma once
// CRecordDlg: the base of the record dialogs (customer record, member card, partner
// card). One record of a table at a time in the dialog's controls, stepped through
// with the record navigation bar, found through the bar's filter and the item pick
// list, added, modified and deleted in the dialog's batch recordset and saved as one
// batch with 存档 (1076); 取消 (1077) drops what is pending; 退出 (1078) ends. The edit
// state is a CRecordEditSession; the derived dialog names its fields and adds its
// own defaults and checks.
#include "data/data_set.h"
#include "res/dialog_template.h"
#include "work/record_edit_session.h"

#include <vector>
#include <wx/dialog.h>

class COwnerNoticeEvent;
class CItemPickDlg;
class CRecordNavBar;

class CRecordDlg : public wxDialog {
public:
    enum : int { kSaveButton = 1076, kCancelButton = 1077, kExitButton = 1078 };

    enum class FieldKind {
        Text,
        Date,    // shown "%Y-%m-%d", empty for an empty date
        Integer, // shown "%d"
        Percent, // an integer percentage, shown "100" when empty or 0
    };
    struct FieldBinding {
        int controlId;
        const char* field;
        FieldKind kind;
    };

    ~CRecordDlg() override;

    // 存档 and 取消 enabled while editing, 退出 while not; no other control changes.
    void EnableEditButtons(bool editing);

    // The buttons and the navigation bar's notices.
    void OnNew();
    void OnModify();
    void OnDelete();
    void OnSave();
    void OnUndo();
    void OnExit();
    void Go(CRecordEditSession::Step step);
    void ApplyFilter(const wxString& condition);
    void OnPickChoice(const wxString& choice);

    // Fills the controls from the current record (nothing when there is none).
    void ShowRecord();
    // Stores the controls into the record being edited; false (reported) when they
    // cannot be stored, and then nothing is written.
    bool WriteRecord();

    CRecordNavBar* GetNavBar() const { return m_pNavBar; }
    CItemPickDlg* GetPickList() const { return m_pPickList; }

    CDataSet m_ds;
    CRecordEditSession m_session;
    wxString m_strPickField;

protected:
    // Builds the template; `keyControl` shows the key field (the plate unless named),
    // checked for duplicates when `uniqueKey`. The bar opens at height navY over the
    // main window.
    CRecordDlg(wxWindow* parent, const res::DialogTemplate& dialogTemplate, const wxString& table,
               std::vector<FieldBinding> fields, int keyControl, bool uniqueKey, int navY,
               const char* keyField = "车牌号码");

    // Opens the table, goes to the sheet customer's record, opens the bar.
    void Open();

    // Extended lists of the combo boxes, the first time an edit starts.
    virtual void FillEditLists() {}
    // Values of a fresh entry after the form was cleared.
    virtual void PrepareNewEntry() {}
    // Why the form cannot be stored, once every bound field fits its column; empty
    // when it can.
    virtual wxString FormProblem() { return wxString(); }
    // Why the key cannot be stored (empty, a quote, ...); empty when it can.
    virtual wxString KeyProblem(const wxString& key) const;
    // What the key control keeps of the shown key when the form is cleared for a new entry.
    virtual wxString NewEntryKey(const wxString& shownKey) const;
    // Whether a field left empty keeps what its column holds (else it is emptied).
    virtual bool KeepsEmptiedFields() const { return false; }
    // Controls beyond the bound fields: shown with the record, written with it, and
    // enabled with the bound ones.
    virtual void ShowExtra(const ado::RecordsetPtr&) {}
    virtual void WriteExtra(const ado::RecordsetPtr&) {}
    virtual void EnableExtra(bool) {}
    virtual wxString DeleteQuestion(const wxString& key) const = 0;
    virtual wxString DeleteFailedText() const = 0;

    wxString ControlText(int controlId) const;
    void SetControlText(int controlId, const wxString& text);
    // Enables or disables every bound control and switches the buttons.
    void SetEditable(bool enable);
    // Empties the form for a new entry: the key keeps its first 4 bytes.
    void ClearForNew();
    wxWindow* Control(int controlId) const;

    const wxString m_strKeyField; // the field the key control shows

private:
    // Why a bound control's text cannot go into its column as typed (a quote, more
    // bytes than the column holds, no number, no date), naming the field; empty when
    // every one fits.
    wxString ColumnProblem() const;
    void OnNotice(COwnerNoticeEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnDestroyWindow(wxWindowDestroyEvent& event);
    void UpdateNavButtons(const CRecordEditSession::Position& at);
    void ClosePickList();
    // After a failed save (reported, batch dropped): the table read again and the
    // typed values left in the form for another try.
    void ReloadAfterFailedSave(bool wasAdding);

    std::vector<FieldBinding> m_fields;
    int m_nKeyControl;
    bool m_bUniqueKey;
    int m_nNavY;
    int m_nDeletedNo = -1;                      // the record a pending deletion removes
    CRecordEditSession::Values m_deletedValues; // the deleted record as it was read
    CRecordNavBar* m_pNavBar = nullptr;         // owned, destroyed with the window
    CItemPickDlg* m_pPickList = nullptr;        // owned
};
