#include "work/code_table_copy.h"

#include "work/line_fields.h"

#include "data/data_file_open.h"
#include "data/data_folders.h"
#include "data/data_set.h"
#include "platform/files.h"
#include "platform/log.h"

namespace {

bool IsNewLine(const ado::RecordsetPtr& rs) {
    return work::IsNullField(rs, "no") || work::FieldNumber(rs, "no") < 0;
}

} // namespace

CCodeTableCopy::CCodeTableCopy(const wxString& heading, const wxString& table)
    : m_strHeading(heading), m_strTable(table) {}

std::string CCodeTableCopy::Path() const {
    return ProgramPath(m_strHeading + ".adtg");
}

bool CCodeTableCopy::Exists() const {
    return platform::FileExists(Path());
}

void CCodeTableCopy::Keep(CDataSet& data, const ado::RecordsetPtr& lines) {
    if (!lines || !lines->IsOpen()) return;
    CDataSet kept;
    kept.Open("select * from " + m_strTable + " where no=0");
    if (!kept.IsOpen()) return;
    bool any = false;
    if (lines->RecordCount() > 0) {
        const ado::Variant place = lines->EndOfFile() || lines->BOF() ? ado::Variant::Null()
                                                                        : lines->Bookmark();
        for (lines->MoveFirst(); !lines->EndOfFile(); lines->MoveNext())
            if (IsNewLine(lines)) {
                data.CopyRecordsQuiet(lines, kept.m_pRecordset, true, wxString());
                any = true;
            }
        if (!place.IsNull()) lines->PutBookmark(place);
    }
    if (!any) {
        Drop();
        return;
    }
    try {
        SaveRecordsetAdtg(wxString::FromUTF8(ProgramPath(m_strHeading)), kept.m_pRecordset);
    } catch (const ado::ComError& error) {
        platform::AppendLog("code table lines not kept: " + error.Description());
    }
}

int CCodeTableCopy::Restore(CDataSet& data, const ado::RecordsetPtr& lines, long& lastNo) {
    if (!Exists() || !lines || !lines->IsOpen()) return 0;
    CDataSet kept;
    kept.Open(wxString::FromUTF8(Path()));
    if (!kept.IsOpen()) return 0;
    const ado::RecordsetPtr& source = kept.m_pRecordset;
    int added = 0;
    if (source->RecordCount() > 0)
        for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
            data.CopyRecordsQuiet(source, lines, true, wxString());
            work::PutNumber(lines, "no", -(++lastNo));
            lines->Update();
            ++added;
        }
    return added;
}

void CCodeTableCopy::Drop() {
    platform::DeleteFile(Path());
}
