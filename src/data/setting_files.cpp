#include "data/setting_files.h"

#include "data/data_folders.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/paths.h"

namespace {

std::string SettingPath(const wxString& name) {
    return ProgramPath("Picture/" + name);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind(platform::kSep);
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The bytes of the first line: up to the first line feed or NUL.
std::string FirstLine(const std::string& bytes) {
    size_t end = bytes.find_first_of(std::string("\n\0", 2));
    return end == std::string::npos ? bytes : bytes.substr(0, end);
}

} // namespace

wxString CSettingFiles::ReadSettingFile(const wxString& name) {
    std::string bytes;
    if (!platform::ReadFileBytes(SettingPath(name), bytes)) return wxString();
    if (bytes.size() > kBlockSize) bytes.resize(kBlockSize);
    return wxString::FromUTF8(platform::GbkToUtf8(FirstLine(bytes)));
}

int CSettingFiles::WriteSettingFile(const wxString& name, const wxString& text) {
    std::string path = SettingPath(name);
    std::string line =
        platform::CutGbkBytes(platform::Utf8ToGbk(text.utf8_string()), kBlockSize - 1);
    std::string block(kBlockSize, '\0');
    block.replace(0, line.size(), line);
    block[line.size()] = '\n';
    if (!platform::FolderExists(FolderOf(path))) {
        platform::ShowMessageBox("Unable to open file");
        return 0;
    }
    if (!platform::WriteFileAtomic(path, block)) {
        platform::ShowMessageBox("file write error!");
        return 0;
    }
    return 1;
}

int CSettingFiles::DeleteSettingFile(const wxString& name) {
    std::string path = SettingPath(name);
    if (!platform::FileExists(path)) return 1;
    platform::SetReadOnly(path, false);
    return platform::DeleteFile(path) ? 0 : 1;
}

wxString CSettingFiles::GetSettingValue(const wxString& text, const wxString& key) {
    if (text.empty() || key.empty()) return wxString();
    wxString item = key + "=";
    size_t from = 0;
    while (true) {
        size_t at = text.find(item, from);
        if (at == wxString::npos) return wxString();
        if (at == 0 || text[at - 1] == ',' || text[at - 1] == ' ') {
            wxString rest = text.Mid(at + item.length());
            size_t end = rest.find_first_of(", ");
            return end == wxString::npos ? rest : rest.Left(end);
        }
        from = at + 1;
    }
}

int CSettingFiles::WriteCsvLine(const wxString& path, const std::vector<wxString>& items) {
    std::string line;
    for (size_t i = 0; i < items.size(); ++i) {
        wxString item = items[i];
        item.Replace(",", wxString::FromUTF8("，"));
        item.Replace("\r", " ");
        item.Replace("\n", " ");
        line += platform::Utf8ToGbk(item.utf8_string());
        line += i + 1 < items.size() ? "," : "\r\n";
    }
    std::string file = ProgramPath(path);
    if (!platform::FolderExists(FolderOf(file))) return 0;
    if (!platform::WriteFileAtomic(file, line)) {
        platform::ShowMessageBox("Unable to save data");
        return 0;
    }
    return 1;
}

int CSettingFiles::ReadCsvLine(const wxString& path, std::vector<wxString>& items) {
    std::string bytes;
    if (!platform::ReadFileBytes(ProgramPath(path), bytes)) return 0;
    std::string line = FirstLine(bytes);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    int count = 0;
    size_t start = 0;
    while (true) {
        size_t comma = line.find(',', start);
        std::string item = line.substr(start, comma == std::string::npos ? comma : comma - start);
        if (items.size() <= size_t(count)) items.resize(count + 1);
        items[count++] = wxString::FromUTF8(platform::GbkToUtf8(item));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return count;
}

bool CSettingFiles::FileExists(const wxString& path) {
    std::string full = platform::NativeSeparators(path.utf8_string());
    if (full.empty() || full.front() != platform::kSep)
        full = platform::JoinPath(platform::ProgramFolder(), full);
    size_t slash = full.rfind(platform::kSep);
    std::string folder = platform::ResolvePathNoCase(full.substr(0, slash));
    std::string pattern = full.substr(slash + 1);
    if (pattern.empty()) return false;
    return !platform::ListFiles(folder, pattern).empty();
}

bool CSettingFiles::TableFileExists(const wxString& table) {
    return FileExists(g_strSetFolder + table + ".dbf");
}
