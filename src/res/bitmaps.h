#pragma once
// Bitmaps of the program, drawn in code (the original pictures are not kept).
#include <wx/bitmap.h>

namespace res {

// Bitmap 157: the grid's cell images, a strip of 16 x 16 pictures with white as
// the mask colour. Image 0 is the arrow that marks a looked-up row.
wxBitmap GridCellImagesBitmap();

// Bitmap 110: the light bulb of the tip of the day, 32 x 32 on white.
wxBitmap TipBulbBitmap();

} // namespace res
