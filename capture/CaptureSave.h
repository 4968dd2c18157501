// Writing a captured bitmap to a file, as BMP or (through the system's imaging codecs) as PNG.
#pragma once

#include <windows.h>

// Writes the bitmap, read through dc, as an uncompressed BMP file: 24-bit from a true-colour
// display, 8-bit with the system palette from a palette display. The bitmap is left as it was
// and must not be selected into a DC. True when the file was written completely; false when it
// could not be created or a write failed, and an existing file of that name is then untouched.
bool SaveBitmapToFile(HDC dc, HBITMAP bitmap, const char* fileName);

// The same as a 24-bit PNG file, encoded by the system's PNG encoder. COM is started for the
// call and ended after it; its libraries are loaded on the first call.
bool SaveBitmapAsPng(HDC dc, HBITMAP bitmap, const char* fileName);
