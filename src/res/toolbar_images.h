#pragma once
// The pictures of the toolbar and of the outlook bar, drawn by code: a coloured
// tile with one character, on the mask colour of its image list.
#include <vector>
#include <wx/bitmap.h>

enum : int {
    IDB_OUTBAR_LARGE = 130, // 32-pixel outlook-bar images, mask RGB 128,128,128
    IDB_OUTBAR_SMALL = 131, // 16-pixel outlook-bar images, mask RGB 128,128,0
    kOutBarImageCount = 13, // 11 and 12: a catalogue-tree node, closed and open
};

namespace res {

// The images of bitmap IDB_OUTBAR_LARGE or IDB_OUTBAR_SMALL, in image-index order,
// each with its mask set; empty for another ID.
std::vector<wxBitmap> LoadOutBarImages(int bitmapId);

// The 16-pixel picture of a toolbar button; an invalid bitmap for an unknown command.
wxBitmap LoadToolbarImage(int commandId);

} // namespace res
