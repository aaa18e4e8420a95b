#include "res/control_ids.h"

#include <wx/defs.h>

namespace res {
namespace {
// A block no resource uses, below wx's limit of 32767 for window IDs.
constexpr int kReservedBlock = 20000;
// Control IDs 32768 to 32799 (the report settings dialog's arrow buttons) are above
// that limit and get a block of their own.
constexpr int kHighLowest = 32768;
constexpr int kHighCount = 32;
constexpr int kHighBlock = 21000;
} // namespace

int ToWxId(int resourceId) {
    if (resourceId == IDOK) return wxID_OK;
    if (resourceId == IDCANCEL) return wxID_CANCEL;
    if (resourceId >= wxID_LOWEST && resourceId <= wxID_HIGHEST)
        return kReservedBlock + (resourceId - wxID_LOWEST);
    if (resourceId >= kHighLowest && resourceId < kHighLowest + kHighCount)
        return kHighBlock + (resourceId - kHighLowest);
    return resourceId;
}

int FromWxId(int wxId) {
    if (wxId == wxID_OK) return IDOK;
    if (wxId == wxID_CANCEL) return IDCANCEL;
    if (wxId >= kReservedBlock && wxId <= kReservedBlock + (wxID_HIGHEST - wxID_LOWEST))
        return wxId - kReservedBlock + wxID_LOWEST;
    if (wxId >= kHighBlock && wxId < kHighBlock + kHighCount)
        return wxId - kHighBlock + kHighLowest;
    return wxId;
}

} // namespace res
