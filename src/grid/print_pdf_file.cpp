#include "grid/print_pdf_file.h"

#include "grid/print_job.h"
#include "platform/files.h"

#include <algorithm>
#include <cairo-pdf.h>
#include <cairo.h>
#include <cstdio>
#include <wx/dcgraph.h>
#include <wx/graphics.h>

namespace {

constexpr double kPointsPerTenthMm = 72.0 / 254.0;

// A graphics context made on a cairo surface knows no size of its own, and a DC
// without a size clips everything away when a clipping region ends. The size is a
// protected member of the context, reached through this accessor.
struct ContextSize : wxGraphicsContext {
    static void Set(wxGraphicsContext& gc, wxDouble width, wxDouble height) {
        gc.*(&ContextSize::m_width) = width;
        gc.*(&ContextSize::m_height) = height;
    }
};

} // namespace

bool PrintPagesToPdf(CGridPrinter& printer, int fromPage, int toPage, const wxString& path) {
    const int first = std::max(1, fromPage);
    const int last = std::min(printer.PageCount(), toPage);
    // Paper width and length as the job laid them out (already turned for landscape).
    const double width = printer.PaperWidth() * kPointsPerTenthMm;
    const double height = printer.PaperLength() * kPointsPerTenthMm;
    const std::string target = path.utf8_string();
    const std::string partial = target + ".part";
    cairo_surface_t* surface = cairo_pdf_surface_create(partial.c_str(), width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        std::remove(partial.c_str());
        return false;
    }
    cairo_t* cr = cairo_create(surface);
    {
        wxGraphicsContext* gc =
            wxGraphicsRenderer::GetCairoRenderer()->CreateContextFromNativeContext(cr);
        ContextSize::Set(*gc, width, height);
        wxGCDC dc(gc);
        const wxSize logical = printer.LogicalPageSize();
        const double scale =
            std::min(width / std::max(1, logical.x), height / std::max(1, logical.y));
        for (int page = first; page <= last; ++page) {
            dc.SetUserScale(scale, scale);
            printer.PrintPage(dc, page);
            dc.GetGraphicsContext()->Flush();
            cairo_show_page(cr);
        }
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!written || !platform::MoveFile(partial, target)) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}
