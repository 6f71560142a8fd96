#pragma once
#include <QtGlobal>

// Decodes one frame of 8-bit run-length encoded bitmap data onto a frame of palette
// indexes. Rows are counted from the bottom, as the data counts them: row 0 of pixels is
// the bottom row. Pixels the data does not reach keep their index, which is how a clip's
// later frames build on the one before.
class TRle8Decoder
{
public:
    // Codes: a count byte > 0 followed by an index repeats that index; a zero byte
    // followed by 0 ends the line, 1 ends the bitmap, 2 moves right and up by the next two
    // bytes, 3..255 copies that many indexes that follow, padded to a 16-bit boundary.
    // Pixels falling outside the frame are dropped. True when the data ends the bitmap
    // or runs out between two codes; false when it breaks off inside a code.
    static bool Decode(const uchar* data, qsizetype size, uchar* pixels, int width, int height,
                       qsizetype stride);
};
