#include "grid/grid_settings.h"

#include "data/setting_files.h"

#include <cstdlib>

namespace {

// A whole decimal number, optionally signed; anything else is no number.
std::optional<long> ParseNumber(const wxString& text) {
    wxString t = text;
    t.Trim(true).Trim(false);
    if (t.empty()) return std::nullopt;
    long value = 0;
    if (!t.ToLong(&value, 10)) return std::nullopt;
    return value;
}

std::optional<COLORREF> ParseColour(const wxString& line, const char* key) {
    auto value = ParseNumber(CSettingFiles::GetSettingValue(line, key));
    if (!value) return std::nullopt;
    const long magnitude = std::labs(*value);
    if (magnitude > 0xFFFFFF) return std::nullopt;
    return static_cast<COLORREF>(magnitude);
}

} // namespace

GridSetValues ParseGridSet(const wxString& line) {
    GridSetValues v;
    if (line.empty()) return v;
    v.present = true;
    v.headBack = ParseColour(line, "BtBj");
    v.headText = ParseColour(line, "BtYs");
    v.cellBack = ParseColour(line, "MxBj");
    v.cellText = ParseColour(line, "MxYs");
    v.lines = ParseColour(line, "WgBj");
    v.gridBack = ParseColour(line, "BgBj");
    if (auto n = ParseNumber(CSettingFiles::GetSettingValue(line, "Linehight")))
        v.lineValue = static_cast<int>(std::min(std::labs(*n), 3L));
    if (auto n = ParseNumber(CSettingFiles::GetSettingValue(line, "rowhight")))
        v.rowHeight = static_cast<int>(std::min(std::labs(*n), 80L));
    v.linkUpper = CSettingFiles::GetSettingValue(line, "AutoRe") != "1";
    if (auto n = ParseNumber(CSettingFiles::GetSettingValue(line, "MxZt")))
        if (*n != 0 && std::labs(*n) <= 200) v.fontHeight = static_cast<int>(*n);
    return v;
}

wxString FormatGridSet(const GridSetChoice& c) {
    auto abs = [](long v) { return std::labs(v); };
    return wxString::Format("MxZt=%d,MxYs=%ld,BtYs=%ld,BgBj=%ld,MxBj=%ld,WgBj=%ld,BtBj=%ld,"
                            "rowhight=%ld,Linehight=%ld,AutoRe=%s,",
                            c.fontHeight, abs(static_cast<long>(c.cellText)),
                            abs(static_cast<long>(c.headText)), abs(static_cast<long>(c.gridBack)),
                            abs(static_cast<long>(c.cellBack)), abs(static_cast<long>(c.lines)),
                            abs(static_cast<long>(c.headBack)), abs(c.rowHeight), abs(c.lineValue),
                            c.linkUpper ? "0" : "1");
}

GridSetValues ReadGridSetFile() {
    return ParseGridSet(CSettingFiles::ReadSettingFile("GridSet"));
}

int WriteGridSetFile(const GridSetChoice& choice) {
    return CSettingFiles::WriteSettingFile("GridSet", FormatGridSet(choice));
}
