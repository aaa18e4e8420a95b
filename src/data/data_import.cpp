// Importing rows. Nothing reaches the target table before the operator confirms the
// checked batch; every import stages afresh, so rows of an earlier import in the
// same dialog are never staged twice.
#include "data/data_import.h"

#include "platform/message_box.h"

#include <algorithm>

namespace {

const char* const kIncomplete = "选择或输入内容不对或不完整！无法完成操作。";
const char* const kArrow = "---->";

bool Has(const std::vector<wxString>& names, const wxString& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

const std::vector<wxString>& CDataImport::TargetCodes() {
    static const std::vector<wxString> codes = {
        "dhd",  "hyxm",  "gk",   "ljkc", "ljml", "ljsh", "ljth",      "jgk", "zyxm", "wlkf",
        "gys",  "wlzm",  "wxxm", "ygk",  "gdxm", "blp",  "byxmb",     "hy",  "jjl",  "hyzl",
        "jhda", "bdzxm", "tmlj", "jmb",  "LJDB", "tpk",  "fieldlong", "kzk"};
    return codes;
}

wxString CDataImport::TableName(const wxString& path) {
    return path.AfterLast('/').BeforeFirst('.');
}

wxString CDataImport::MappingLine(const wxString& sourceName, const wxString& sourceField,
                                  const wxString& targetName, const wxString& targetField) {
    return sourceName + "." + sourceField + kArrow + targetName + "." + targetField;
}

std::pair<wxString, wxString> CDataImport::MappedFields(const wxString& line) {
    const int arrow = line.Find(kArrow);
    if (arrow == wxNOT_FOUND) return {};
    const wxString source = line.Left(arrow);
    const wxString target = line.Mid(arrow + wxStrlen(kArrow));
    return {source.AfterLast('.'), target.AfterLast('.')};
}

std::vector<wxString> CDataImport::FieldNames(const ado::RecordsetPtr& recordset) {
    std::vector<wxString> names;
    if (!recordset || !recordset->IsOpen()) return names;
    for (int i = 0; i < recordset->Fields().Count(); ++i)
        names.push_back(wxString::FromUTF8(recordset->Fields().Item(i).Name()));
    return names;
}

bool CDataImport::OpenSource(const wxString& path) {
    return m_linkSource.OpenFile(path) == 1 && m_linkSource.recordset &&
           m_linkSource.recordset->IsOpen();
}

bool CDataImport::OpenTarget(const wxString& path) {
    m_strTargetCode = TableName(path);
    m_setStage.Open("select * from " + m_strTargetCode + " where no=0");
    return m_setStage.IsOpen();
}

std::vector<wxString> CDataImport::SourceFields() const {
    return FieldNames(m_linkSource.recordset);
}

std::vector<wxString> CDataImport::TargetFields() const {
    return m_setStage.IsOpen() ? FieldNames(m_setStage.m_pRecordset) : std::vector<wxString>();
}

std::vector<wxString> CDataImport::MatchFields(const wxString& sourceName,
                                               const wxString& targetName) const {
    std::vector<wxString> lines;
    const std::vector<wxString> targets = TargetFields();
    for (const wxString& field : SourceFields())
        if (field != "no" && field != "wx" && Has(targets, field))
            lines.push_back(MappingLine(sourceName, field, targetName, field));
    return lines;
}

ado::RecordsetPtr CDataImport::PrepareBatch(const std::vector<wxString>& lines) {
    const std::vector<wxString> sources = SourceFields();
    bool complete = !lines.empty() && !sources.empty() && m_setStage.IsOpen();
    for (const wxString& line : lines) {
        const auto [source, target] = MappedFields(line);
        complete = complete && Has(sources, source) && Has(TargetFields(), target);
    }
    if (!complete) {
        platform::ShowMessageBox(kIncomplete);
        return nullptr;
    }
    // A fresh staging set each time: nothing of an earlier import comes along.
    if (!OpenTarget(m_strTargetCode)) return nullptr;
    ado::RecordsetPtr stage = m_setStage.m_pRecordset;
    ado::RecordsetPtr source = m_linkSource.recordset;
    try {
        if (source->RecordCount() > 0) {
            for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
                stage->AddNew();
                for (const wxString& line : lines) {
                    const auto [from, to] = MappedFields(line);
                    const ado::Variant value = source->Fields().Item(from.utf8_string()).Value();
                    if (value.IsNull()) continue; // the target keeps its default
                    wxString text = wxString::FromUTF8(value.ToString());
                    m_setStage.PutFieldValue(text.Trim(true), to, stage);
                }
            }
        }
        auto batch = std::make_shared<ado::Recordset>();
        if (!m_setStage.OpenInto("select * from " + m_strTargetCode, batch)) return nullptr;
        if (stage->RecordCount() > 0) m_setStage.CopyRecords(stage, batch, 0, true);
        return batch;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return nullptr;
    }
}

bool CDataImport::Confirm(const ado::RecordsetPtr& batch) {
    try {
        m_setStage.NumberRows(batch, m_strTargetCode);
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return false;
    }
    if (m_setStage.Save(batch) != 1) return false; // reported
    platform::ShowMessageBox("操作完成 ");
    return true;
}

void CDataImport::Cancel(const ado::RecordsetPtr& batch) {
    batch->CancelBatch(ado::adAffectAll);
    platform::ShowMessageBox("操作已取消!");
}
