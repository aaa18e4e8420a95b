#include "grid/grid_text.h"

#include "platform/gbk.h"

int GbkCompare(const wxString& a, const wxString& b) {
    // std::string compares its bytes as unsigned values, which is GBK order.
    const int result =
        platform::Utf8ToGbk(a.utf8_string()).compare(platform::Utf8ToGbk(b.utf8_string()));
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}
