#include "app/qv_doc.h"

#include "app/main_frame.h"
#include "data/data_file_open.h"
#include "data/data_set.h"
#include "data/setting_files.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/system_dir.h"

#include <filesystem>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/tokenzr.h>

namespace fs = std::filesystem;

namespace {

void Refuse(const char* text) {
    platform::ShowMessageBox(text);
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return text;
}

// The components of path below folder, or nothing when path does not lie inside
// it. Compared ignoring ASCII case, as the program finds its own files.
std::optional<std::vector<std::string>> PartsBelow(const std::string& path,
                                                   const std::string& folder) {
    fs::path p = fs::weakly_canonical(fs::path(path));
    fs::path f = fs::weakly_canonical(fs::path(folder));
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty()) continue; // the trailing separator of a folder
        if (pi == p.end() || Lower(pi->string()) != Lower(fi->string())) return std::nullopt;
    }
    std::vector<std::string> parts;
    for (; pi != p.end(); ++pi)
        parts.push_back(pi->string());
    return parts;
}

bool LiesIn(const std::string& path, const std::string& folder) {
    auto parts = PartsBelow(path, folder);
    return parts && !parts->empty();
}

// Whether path lies in the folder of an account set listed in Picture/ztfile. Set
// names count by their first 10 bytes, as the list keeps them.
bool LiesInAccountSet(const std::string& path, const std::string& program) {
    auto parts = PartsBelow(path, program);
    if (!parts || parts->size() < 2) return false;
    std::string folder = Lower(platform::CutToGbkBytes((*parts)[0], 10));
    wxStringTokenizer names(CSettingFiles::ReadSettingFile("ztfile"), ",");
    while (names.HasMoreTokens()) {
        std::string name = names.GetNextToken().Strip(wxString::both).utf8_string();
        if (!name.empty() && Lower(platform::CutToGbkBytes(name, 10)) == folder) return true;
    }
    return false;
}

} // namespace

std::optional<CQvDoc::SaveTarget> CQvDoc::PrepareSave(const wxString& chosenPath) {
    const std::string program = platform::ProgramFolder();
    wxFileName name(chosenPath);
    name.MakeAbsolute();
    if (name.GetName().Lower() == "printinfo" ||
        LiesIn(name.GetFullPath().utf8_string(), platform::JoinPath(program, "Picture"))) {
        Refuse("系统文件，不允许操作！");
        return std::nullopt;
    }
    if (name.GetExt().empty()) name.SetExt("adtg");
    // Workbooks are written as .xlsx; that content under an ".xls" name would be
    // refused by the programs that open it.
    if (name.GetExt().Lower() == "xls") name.SetExt("xlsx");
    SaveTarget target{name.GetFullPath(), name.GetExt().Lower()};
    if (target.ext != "adtg" && target.ext != "xlsx" && target.ext != "dwf" &&
        target.ext != "dbf") {
        Refuse("此版本不支持该功能,如果需要请与程序供应商联系.");
        return std::nullopt;
    }
    const std::string path = target.path.utf8_string();
    bool ownData = LiesIn(path, platform::JoinPath(platform::SystemDirectory(), "Data"));
    if (target.ext != "dwf")
        ownData = ownData || LiesIn(path, platform::JoinPath(program, "Data")) ||
                  LiesInAccountSet(path, program);
    if (ownData) {
        Refuse("不能选择本系统数据目录! ");
        return std::nullopt;
    }
    if (platform::FileExists(path)) {
        if (platform::ShowMessageBox("文件已经存在,是否覆盖?", "", platform::MB_YESNO) !=
            platform::IDYES)
            return std::nullopt;
        platform::SetReadOnly(path, false);
        if (!platform::DeleteFile(path)) {
            Refuse("文件删除失败,文件可能还正被占用.");
            return std::nullopt;
        }
    }
    return target;
}

std::optional<CQvDoc::SaveTarget> CQvDoc::OnFileSave() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return std::nullopt;
    if (frame->IsTokenDenied(56)) {
        Refuse("超出权限,无效操作!");
        return std::nullopt;
    }
    CGridCtrl* grid = CGridCtrl::GetCurrentGrid();
    if (!grid || !grid->GetGridRecordset() || !grid->GetGridRecordset()->IsOpen()) {
        Refuse("请先选取要保存的表格!");
        return std::nullopt;
    }
    wxFileDialog dialog(frame, wxEmptyString, wxEmptyString, grid->m_strTitle, DataFileSaveFilter(),
                        wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    auto target = PrepareSave(dialog.GetPath());
    if (target) SaveGrid(*grid, *target);
    return target;
}

void CQvDoc::SaveGrid(CGridCtrl& grid, const SaveTarget& target) {
    if (target.ext != "adtg") {
        if (CMainFrame* frame = CMainFrame::Get())
            frame->OpenForm(FormKind::SaveGridAs, 0, target.path);
        return;
    }
    ado::RecordsetPtr recordset = grid.GetGridRecordset();
    if (!recordset || !recordset->IsOpen()) return;
    try {
        recordset->Save(target.path.utf8_string(), ado::adPersistADTG);
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
    }
}
