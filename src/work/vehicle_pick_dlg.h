#pragma once
// CVehiclePickDlg: the small captionless picker floating over a work sheet. The
// operator types part of a plate (repair sheet) or of a partner's name (sales sheet);
// the matches are listed under the box as the operator types; Enter or a chosen match
// binds the customer to a page: the customer's suspended card is resumed, or a new
// card starts with its head line. The box's own list holds the suspended customers;
// choosing one resumes that card.
#include <wx/dialog.h>
#include <wx/weakref.h>

class CItemPickDlg;
class COwnerNoticeEvent;
class CWorkSheet;
class wxComboBox;

class CVehiclePickDlg : public wxDialog {
public:
    static const char* const kHint; // "客户名车牌"

    explicit CVehiclePickDlg(CWorkSheet* sheet);
    ~CVehiclePickDlg() override;

    // Places the picker over the lower pane, lists the suspended customers of the
    // sheet's kind and shows the hint.
    void Start();
    // A card suspended meanwhile joins the list.
    void AddSuspended(const wxString& customer);

    // Binds a customer key to a page: refused with a message when the sheet is full or
    // the customer has a page; a suspended card is resumed, else a new card starts.
    void BindCustomer(const wxString& customer);
    // Adds the customer's page, makes it the shown one and runs the binding checks.
    void AddCustomerPage(const wxString& customer);
    // Binds the typed text: its first match, or, when nothing matches and the operator
    // does not want a record made first, the text itself.
    void ChooseTyped();
    // Resumes the suspended card chosen in the box's list.
    void OnSelChangeCustomer();
    // Search as the operator types.
    void OnEditChangeCustomer();
    // Every key into the match list.
    void OnListAll();

    // The member card of the plate: its discounts into the head line, a warning near
    // its expiry, the card type once into the remark.
    void ApplyMemberCard(const wxString& plate);
    // The partner's open balances shown; the net balance (payables and advances
    // received less receivables and advances paid), 0 when nothing is open.
    double ShowBalances(const wxString& unit);

    wxComboBox* m_comboCustomer = nullptr;
    CItemPickDlg* GetMatchList() const { return m_pMatchList; }

private:
    wxString SearchStatement(const wxString& typed) const;
    wxString KeyField() const;
    // Why the key cannot get a page now (the sheet is full, or it has one), or empty.
    wxString Refusal(const wxString& key) const;
    void CloseMatchList();
    void KeepTypingFocus();
    // Removes a customer from the suspended list; true when it was there.
    bool TakeSuspended(const wxString& customer);
    // Clears the suspend mark of the customer's card in the sheet's lines and saves.
    void Resume(const wxString& customer);
    void OnOwnerNotice(COwnerNoticeEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);

    CWorkSheet* m_pSheet;
    wxWeakRef<CItemPickDlg> m_pMatchList;
    bool m_bSearchPending = false;
    wxString m_strLastSql;
    wxPoint m_dragStart;
    wxPoint m_place = wxDefaultPosition; // where Start() puts the picker
    bool m_bPlacing = false;              // shown, not yet placed by the window manager
};
