// The function table: every host function by number, with the checks the dispatcher
// makes before it runs one. It lives above the four folders so that the protocol layer
// dispatches without depending on the functions it calls.
#include "library_functions.h"

#include "protocol/messages.h"

namespace fig {

const LibraryFunction kLibraryFunctions[kLibraryFunctionCount] = {
    {5, false, ComposeFile},   // 1
    {5, true, ComposePict},    // 2
    {8, true, DrawTextLine},   // 3
    {6, true, FillOval},       // 4
    {7, true, DrawOval},       // 5
    {6, true, FillRect},       // 6
    {7, true, DrawRect},       // 7
    {7, true, DrawLine},       // 8
    {2, true, ErasePict},      // 9
    {3, true, SetPictBounds},  // 10
    {3, true, GetPictBounds},  // 11
    {2, true, GetPictSize},    // 12
#if !FIGPLOT_WIDE
    {0, false, GetPixelColor},  // 13, not in the function table's strings
#endif
};

}  // namespace fig
