// The exchange of pictures with the host's picture fields: the picture in parameter 1
// arrives as a bitmap, is copied onto a canvas, drawn on, and handed back.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "canvas.h"
#include "protocol/call_context.h"

namespace fig {

// Whether a byte length of 0 means "no picture" before the bitmap is asked for.
enum class EmptyField { NoPicture, AskAnyway };

// Fetches the picture of parameter 1 into call.picture (the common ending deletes it) and
// describes it. False when the field is empty, no bitmap comes, or the bitmap cannot be
// described: the callers answer that as an empty picture.
bool FetchPicture(CallContext &call, EmptyField rule, BITMAP &description);

// GetObject in the build's text width.
bool DescribeBitmap(HBITMAP bitmap, BITMAP &description);

// The depth a bitmap's pixels are counted in for sizes and files: the low 16 bits of
// planes x bits per pixel rounded up to 1, 4, 8, 16, 24 or 32.
inline int RoundedDepth(const BITMAP &bitmap) {
    const auto bits = static_cast<uint16_t>(bitmap.bmPlanes * bitmap.bmBitsPixel);
    if (bits == 1) return 1;
    for (int depth : {4, 8, 16, 24})
        if (bits <= depth) return depth;
    return 32;
}

// On a canvas whose DCs OpenCanvasDcs opened, makes canvas.canvasBitmap: width x height at
// `depth`, white, with the picture (as FetchPicture described it) copied to its top-left
// corner, selected into canvas.canvasDc. The header block stays locked. On failure the
// canvas has no bitmap (it may hold a header block for ReleaseCanvas).
void CanvasFromPicture(HBITMAP picture, const BITMAP &description, Canvas &canvas, int32_t width, int32_t height,
                       int16_t depth);

// Hands the bitmap to the host as parameter 1's new picture; the bitmap stays ours.
void StorePicture(HBITMAP bitmap, FigHostCallback cb);

// The whole exchange for functions that change a picture in place: fetch (empty: 4),
// canvas at the picture's size and depth, `draw`, store, release. Nothing is stored when
// a DC or the canvas cannot be had.
using CanvasDrawing = void (*)(const Canvas &canvas, const void *args);
void EditPicture(CallContext &call, CanvasDrawing draw, const void *args);

}  // namespace fig
