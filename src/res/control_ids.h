#pragma once
// Control and command IDs keep the numbers of the program's resources. IDOK and
// IDCANCEL become wx's own; an ID inside wx's reserved range (wxID_LOWEST to
// wxID_HIGHEST) is moved once, here, to a block no resource uses.
namespace res {

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDC_STATIC = -1;

// The wx window or command ID for a resource ID.
int ToWxId(int resourceId);
// The resource ID for a wx window or command ID (the inverse of ToWxId).
int FromWxId(int wxId);

} // namespace res
