#include "app/tips_file.h"

#include "platform/files.h"
#include "platform/gbk.h"

#include <ctime>
#include <sys/stat.h>

namespace {

bool IsTipLine(const std::string& line) {
    return !line.empty() && line[0] != ' ' && line[0] != '\t' && line[0] != ';';
}

wxString Decode(const std::string& bytes) {
    wxString text = wxString::FromUTF8(bytes);
    if (text.empty() && !bytes.empty()) text = wxString::FromUTF8(platform::GbkToUtf8(bytes));
    return text;
}

} // namespace

bool CTipsFile::Open(const std::string& path) {
    m_bOpen = platform::ReadFileBytes(path, m_bytes);
    if (!m_bOpen) return false;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        const std::time_t modified = info.st_mtime;
        m_strTimeStamp = wxString(std::asctime(std::localtime(&modified)));
        m_strTimeStamp.Trim(true);
    }
    m_nPos = 0;
    return true;
}

bool CTipsFile::Seek(long offset) {
    if (offset < 0 || static_cast<size_t>(offset) > m_bytes.size()) return false;
    m_nPos = static_cast<size_t>(offset);
    return true;
}

bool CTipsFile::ReadNext(wxString& tip) {
    // From the position to the end, then once from the start up to where it began.
    const size_t start = m_nPos;
    bool wrapped = false;
    while (!wrapped || m_nPos < start) {
        if (m_nPos >= m_bytes.size()) {
            if (wrapped) break;
            wrapped = true;
            m_nPos = 0;
            continue;
        }
        size_t end = m_bytes.find('\n', m_nPos);
        const size_t next = end == std::string::npos ? m_bytes.size() : end + 1;
        std::string line = m_bytes.substr(m_nPos, next - m_nPos);
        m_nPos = next;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (IsTipLine(line)) {
            tip = Decode(line);
            return true;
        }
    }
    return false;
}
