#include "grid/grid_types.h"

#include <cstdlib>

wxFont LogFont::ToFont() const {
    const int pixels = lfHeight == 0 ? 12 : std::abs(lfHeight);
    wxFontInfo info(wxSize(0, pixels));
    if (!lfFaceName.empty()) info.FaceName(lfFaceName);
    info.Italic(lfItalic).Underlined(lfUnderline);
    wxFont font(info);
    font.SetNumericWeight(lfWeight > 0 ? lfWeight : 400);
    return font;
}

LogFont LogFont::FromFont(const wxFont& font) {
    LogFont lf;
    if (!font.IsOk()) return lf;
    const int pixels = font.GetPixelSize().GetHeight();
    lf.lfHeight = pixels > 0 ? -pixels : -12;
    lf.lfWeight = font.GetNumericWeight();
    lf.lfItalic = font.GetStyle() == wxFONTSTYLE_ITALIC;
    lf.lfUnderline = font.GetUnderlined();
    lf.lfFaceName = font.GetFaceName();
    return lf;
}
