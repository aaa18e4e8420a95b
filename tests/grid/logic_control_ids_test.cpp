// Resource IDs and wx IDs: OK and Cancel become wx's own, IDs in wx's reserved
// range move out of it and come back unchanged.
#include "res/control_ids.h"

#include <gtest/gtest.h>
#include <wx/defs.h>

TEST(ControlIds, MapOnceAndBack) {
    EXPECT_EQ(res::ToWxId(res::IDOK), wxID_OK);
    EXPECT_EQ(res::ToWxId(res::IDCANCEL), wxID_CANCEL);
    for (int id : {1002, 9926, 10011, 28909, 32825, 57670, res::IDC_STATIC})
        EXPECT_EQ(res::ToWxId(id), id) << id;
    for (int id : {int(wxID_LOWEST), 5100, 5101, int(wxID_HIGHEST)}) {
        const int mapped = res::ToWxId(id);
        EXPECT_TRUE(mapped < wxID_LOWEST || mapped > wxID_HIGHEST) << id;
        EXPECT_EQ(res::FromWxId(mapped), id) << id;
    }
    EXPECT_EQ(res::FromWxId(wxID_OK), res::IDOK);
    EXPECT_EQ(res::FromWxId(wxID_CANCEL), res::IDCANCEL);
}
