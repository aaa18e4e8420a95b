#pragma once
// Bitmaps of the program, drawn in code (the original pictures are not kept).
#include <wx/bitmap.h>

namespace res {

// Bitmap 157: the grid's cell images, a strip of 16 x 16 pictures with white as
// the mask colour. Image 0 is the arrow that marks a looked-up row.
wxBitmap GridCellImagesBitmap();

// Bitmap 110: the light bulb of the tip of the day, 32 x 32 on white.
wxBitmap TipBulbBitmap();

// Bitmap 246: the program's picture in the about box, 48 x 48.
wxBitmap AboutPictureBitmap();

// Bitmap 242: a small book that stands for the help, 16 x 16 on white.
wxBitmap HelpBookBitmap();

} // namespace res
