#include "grid/report_settings.h"

#include "data/data_folders.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

#include <cstring>

ReportSettingsRecord CurrentReportSettings;

namespace {

struct Slot {
    size_t offset, size;
};

Slot TextSlot(ReportSettingsRecord::Text field) {
    using T = ReportSettingsRecord::Text;
    switch (field) {
    case T::Name:
        return {0x000, 13};
    case T::Title:
        return {0x00D, 30};
    case T::HiddenColumns:
        return {0x02B, 200};
    case T::Layout:
        return {0x0F3, 200};
    case T::Header:
        return {0x1BB, 200};
    case T::Footer:
        return {0x283, 200};
    case T::SubtitleFont:
        return {0x350, 80};
    case T::CustomPaperSize:
        return {0x3A0, 32};
    }
    return {0, 0};
}

size_t IntOffset(ReportSettingsRecord::Int field) {
    return 0x34C + (field == ReportSettingsRecord::Int::PaperCode
                        ? 0
                        : 0x74 + 4 * (static_cast<size_t>(field) - 1));
}

// Byte 29 of the paper size field is always a line feed, so its text ends before it.
constexpr size_t kPaperMarkIndex = 29;
// Longest name stored: 12 GBK bytes and the NUL.
constexpr size_t kNameBytes = 12;

std::string NameKey(const wxString& name) {
    return platform::CutGbkBytes(platform::Utf8ToGbk(name.utf8_string()), kNameBytes);
}

// The file of a report, or empty for a name that is empty or leads out of the
// report folder.
std::string ReportPath(const std::string& gbkName) {
    const std::string name = platform::GbkToUtf8(gbkName);
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos)
        return std::string();
    return ProgramPath("Report/" + wxString::FromUTF8(name));
}

} // namespace

ReportSettingsRecord::ReportSettingsRecord() {
    Set(Int::PaperCode, 9);
    ResetDistances();
}

wxString ReportSettingsRecord::Get(Text field) const {
    const Slot slot = TextSlot(field);
    const char* start = reinterpret_cast<const char*>(m_bytes.data()) + slot.offset;
    size_t length = strnlen(start, slot.size);
    return wxString::FromUTF8(platform::GbkToUtf8(std::string(start, length)));
}

size_t ReportSettingsRecord::Capacity(Text field) {
    if (field == Text::Name) return kNameBytes;
    if (field == Text::CustomPaperSize) return kPaperMarkIndex - 1;
    return TextSlot(field).size - 1;
}

void ReportSettingsRecord::Set(Text field, const wxString& text) {
    const Slot slot = TextSlot(field);
    const size_t room = Capacity(field);
    std::string bytes = platform::CutGbkBytes(platform::Utf8ToGbk(text.utf8_string()), room);
    unsigned char* out = m_bytes.data() + slot.offset;
    std::memset(out, 0, slot.size);
    std::memcpy(out, bytes.data(), bytes.size());
    if (field == Text::Layout && bytes.size() + 1 < slot.size) out[bytes.size() + 1] = '\n';
    if (field == Text::CustomPaperSize) out[kPaperMarkIndex] = '\n';
}

int ReportSettingsRecord::Get(Int field) const {
    const unsigned char* p = m_bytes.data() + IntOffset(field);
    uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return static_cast<int32_t>(v);
}

void ReportSettingsRecord::Set(Int field, int value) {
    unsigned char* p = m_bytes.data() + IntOffset(field);
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

void ReportSettingsRecord::ResetDistances() {
    Set(Int::HeaderGap, 3);
    Set(Int::FooterHeight, 2);
    Set(Int::LeftMargin, 4);
    Set(Int::RightMargin, 4);
    Set(Int::TopMargin, 1);
    Set(Int::BottomMargin, 2);
    Set(Int::TitleHeight, 2);
}

bool ReportSettingsRecord::HasDistanceOutOfRange() const {
    for (Int f :
         {Int::HeaderGap, Int::FooterHeight, Int::LeftMargin, Int::RightMargin, Int::TopMargin})
        if (Get(f) > 200) return true;
    return false;
}

ReportSettingsRecord ReportSettingsRecord::FromBytes(const std::string& bytes) {
    ReportSettingsRecord record;
    std::memcpy(record.m_bytes.data(), bytes.data(), std::min(bytes.size(), kSize));
    return record;
}

std::pair<wxString, wxString> ReportSettingsRecord::SplitAt(const wxString& text,
                                                            const wxString& mark) {
    int at = text.Find(mark);
    if (at == wxNOT_FOUND) return {text, wxString()};
    return {text.Left(at), text.Mid(at + mark.length())};
}

int SaveReportSettings(ReportSettingsRecord record) {
    if (record.HasDistanceOutOfRange()) {
        platform::ShowMessageBox("选择或输入内容不对或不完整！无法完成操作。");
        return 0;
    }
    const std::string path = ReportPath(NameKey(record.Get(ReportSettingsRecord::Text::Name)));
    if (path.empty() || !platform::CreateFolders(ProgramPath("Report"))) {
        platform::ShowMessageBox("Unable to open file");
        return 0;
    }
    const auto& bytes = record.Bytes();
    if (!platform::WriteFileAtomic(path, std::string(bytes.begin(), bytes.end()))) {
        platform::ShowMessageBox("file write error!");
        return 0;
    }
    return 1;
}

ReportSettingsRecord LoadReportSettings(const wxString& reportName) {
    // Only the final "O" marks the factory defaults; a report name may hold others.
    const bool factory = reportName.EndsWith("O");
    std::string wanted = NameKey(factory ? reportName.Left(reportName.length() - 1) : reportName);
    // The "O" follows the stored name: a report name of the full twelve bytes keeps
    // its defaults apart from its own file.
    const std::string path = ReportPath(factory ? wanted + "O" : wanted);
    std::string bytes;
    if (path.empty() || !platform::ReadFileBytes(path, bytes)) return ReportSettingsRecord();
    for (size_t at = 0; at + ReportSettingsRecord::kSize <= bytes.size();
         at += ReportSettingsRecord::kSize) {
        const char* name = bytes.data() + at;
        if (std::string(name, strnlen(name, 13)) != wanted) continue;
        ReportSettingsRecord record =
            ReportSettingsRecord::FromBytes(bytes.substr(at, ReportSettingsRecord::kSize));
        if (record.HasDistanceOutOfRange()) record.ResetDistances();
        return record;
    }
    return ReportSettingsRecord();
}
