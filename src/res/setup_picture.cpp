#include "res/setup_picture.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace res {

bool WriteSetupPicture(const wxString& path) {
    const int width = 480, height = 300;
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.GradientFillLinear(wxRect(0, 0, width, height), wxColour(20, 60, 120),
                              wxColour(70, 140, 200), wxSOUTH);
        dc.SetPen(wxPen(wxColour(230, 180, 60), 3));
        dc.DrawLine(40, 190, width - 40, 190);
        dc.SetTextForeground(*wxWHITE);
        dc.SetFont(wxFont(wxFontInfo(34).Bold()));
        wxString title = wxString::FromUTF8("汽车维修管理系统");
        wxSize extent = dc.GetTextExtent(title);
        dc.DrawText(title, (width - extent.x) / 2, 110);
        dc.SetFont(wxFont(wxFontInfo(14)));
        wxString version = wxString("V9.15");
        extent = dc.GetTextExtent(version);
        dc.DrawText(version, (width - extent.x) / 2, 210);
    }
    return bitmap.ConvertToImage().SaveFile(path, wxBITMAP_TYPE_BMP);
}

} // namespace res
