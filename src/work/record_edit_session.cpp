#include "work/record_edit_session.h"

#include "data/data_set.h"

const wxString CRecordEditSession::kAddNew = "ADDNEW";
const wxString CRecordEditSession::kReplace = "Repla";
const wxString CRecordEditSession::kDelete = "DELETE";

namespace {

std::string NumberCriterion(int no) {
    return wxString::Format("no=%d", no).utf8_string();
}

} // namespace

bool CRecordEditSession::OnRecord(const ado::RecordsetPtr& recordset) {
    return recordset && recordset->IsOpen() && !recordset->EndOfFile() && !recordset->BOF();
}

int CRecordEditSession::CurrentNumber(const ado::RecordsetPtr& recordset) {
    if (!OnRecord(recordset)) return -1;
    const ado::Variant no = recordset->Fields().Item("no").Value();
    return no.IsNull() || no.IsEmpty() ? -1 : no.ToLong();
}

int CRecordEditSession::NextTemporaryNumber(const ado::RecordsetPtr& recordset) {
    long last = 0;
    if (recordset && recordset->RecordCount() > 0) {
        recordset->MoveLast();
        const ado::Variant no = recordset->Fields().Item("no").Value();
        last = no.IsNull() || no.IsEmpty() ? recordset->RecordCount() : no.ToLong();
        // A row added earlier in this batch already carries a negative number.
        if (last < 0) last = -last;
    }
    return static_cast<int>(-(last + 1));
}

bool CRecordEditSession::IsDuplicate(const ado::RecordsetPtr& recordset, const wxString& keyField,
                                     const wxString& value, bool adding, int curNo) {
    if (!recordset || recordset->RecordCount() == 0) return false;
    const ado::Variant place =
        OnRecord(recordset) ? recordset->Bookmark() : ado::Variant::Missing();
    const std::string criterion = CSqlText::Criterion(keyField, value).utf8_string();
    int found = 0;
    bool other = false;
    recordset->MoveFirst();
    for (recordset->Find(criterion); !recordset->EndOfFile(); recordset->Find(criterion, 1)) {
        ++found;
        if (CurrentNumber(recordset) != curNo) other = true;
    }
    if (!place.IsMissing()) recordset->PutBookmark(place);
    if (adding) return found > 0;
    return found > 1 || other;
}

bool CRecordEditSession::MoveToNumber(const ado::RecordsetPtr& recordset, int no) {
    if (!recordset || recordset->RecordCount() == 0) return false;
    recordset->MoveFirst();
    recordset->Find(NumberCriterion(no));
    return !recordset->EndOfFile();
}

bool CRecordEditSession::BeginWrite(const ado::RecordsetPtr& recordset) {
    if (!HasFormToWrite() || !recordset) return false;
    if (IsAdding()) {
        const int number = NextTemporaryNumber(recordset);
        recordset->AddNew();
        recordset->Fields().Item("no").PutValue(ado::Variant(number));
        m_nCurNo = number;
        m_strMode = wxString::Format("%d", number);
        return true;
    }
    return MoveToNumber(recordset, m_nCurNo);
}

CRecordEditSession::Position CRecordEditSession::Move(const ado::RecordsetPtr& recordset,
                                                      Step step) {
    Position at;
    if (!recordset || recordset->RecordCount() == 0) return at;
    switch (step) {
    case Step::First:
        recordset->MoveFirst();
        break;
    case Step::Last:
        recordset->MoveLast();
        break;
    case Step::Next:
        if (!recordset->EndOfFile()) recordset->MoveNext();
        if (recordset->EndOfFile()) recordset->MoveLast();
        break;
    case Step::Previous:
        if (!recordset->BOF()) recordset->MovePrevious();
        if (recordset->BOF()) recordset->MoveFirst();
        break;
    }
    const long position = recordset->AbsolutePosition();
    at.onRecord = true;
    at.atFirst = position == 1;
    at.atLast = position == recordset->RecordCount();
    return at;
}

CRecordEditSession::Values CRecordEditSession::CurrentValues(const ado::RecordsetPtr& recordset) {
    Values values;
    if (!OnRecord(recordset)) return values;
    ado::Fields& fields = recordset->Fields();
    for (long i = 0; i < fields.Count(); ++i) {
        ado::Field& field = fields.Item(static_cast<int>(i));
        values.emplace_back(field.Name(), field.Value());
    }
    return values;
}

bool CRecordEditSession::StillInTable(const wxString& table, int no, const Values& values) {
    CDataSet now;
    now.Open(wxString::Format("select * from %s where no=%d", table, no));
    if (!now.IsOpen() || now.m_pRecordset->RecordCount() != 1) return false;
    now.m_pRecordset->MoveFirst();
    for (const auto& [name, value] : values) {
        const ado::Variant stored = now.m_pRecordset->Fields().Item(name).Value();
        const bool storedEmpty = stored.IsNull() || stored.IsEmpty();
        const bool valueEmpty = value.IsNull() || value.IsEmpty();
        if (storedEmpty != valueEmpty) return false;
        if (!storedEmpty && wxString::FromUTF8(stored.ToString()).Trim() !=
                                wxString::FromUTF8(value.ToString()).Trim())
            return false;
    }
    return true;
}
