#include "parts/bin_allocation.h"

#include "platform/message_box.h"
#include "platform/wx_text.h"

namespace parts {

wxString ProposeBin(const PartLine& row, const wxString& store, bool anyBin,
                    const std::vector<StockEntry>& stock) {
    if (*row.KeyField() == '\0') return row.bin;
    for (const StockEntry& entry : stock) {
        if (entry.deleted || entry.bin.empty()) continue;
        const bool key = row.code.empty() ? entry.name == row.name : entry.code == row.code;
        if (!key || entry.name != row.name || entry.brand != row.brand || entry.model != row.model)
            continue;
        if (anyBin || entry.bin.Contains(store)) return entry.bin;
    }
    return row.bin;
}

std::vector<PartLine> AllocateBins(const std::vector<PartLine>& lines,
                                   const std::vector<wxString>& stores,
                                   const std::vector<StockEntry>& stock) {
    std::vector<PartLine> rows;
    const bool configured = !stores.empty();
    for (const PartLine& line : lines) {
        double allocated = 0;
        size_t next = 0; // 1-based: the warehouse after the last one given a quantity
        bool proposed = false;
        for (size_t i = 0; i < stores.size() && i < line.stores.size(); ++i) {
            const std::optional<double>& v = line.stores[i];
            if (!v || *v <= 0) continue;
            next = i + 2;
            allocated += *v;
            PartLine row = line;
            row.stores.clear();
            row.bin = stores[i];
            row.quantity = *v;
            row.bin = ProposeBin(row, stores[i], false, stock);
            rows.push_back(row);
            proposed = true;
        }
        if (!line.quantity) continue;
        if (allocated > *line.quantity) {
            platform::ShowMessageBox(U("入库总数量与库房分配数量不相符!").utf8_string());
            continue;
        }
        const double rest = *line.quantity - allocated;
        if (rest <= 0) continue;
        PartLine row = line;
        row.stores.clear();
        row.quantity = rest;
        if (next <= stores.size() && row.bin.empty() && next > 0) row.bin = stores[next - 1];
        if (!row.bin.empty() || !configured) {
            row.bin = ProposeBin(row, row.bin, !configured, stock);
            proposed = true;
        }
        if (!proposed) row.bin = ProposeBin(row, wxString(), false, stock);
        rows.push_back(row);
    }
    return rows;
}

} // namespace parts
