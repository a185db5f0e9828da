// The function table: every host function by number, with the checks the dispatcher
// makes before it runs one. It lives above the four subsystems so that the host layer
// dispatches without depending on the functions it calls.
#include "bitmap/picture_functions.h"
#include "compose/compose_functions.h"
#include "draw/draw_functions.h"
#include "host/functions.h"

namespace fig {

const FunctionEntry kFunctions[kFunctionCount] = {
    {5, false, ComposeFile},   // 1
    {5, true, ComposePict},    // 2
    {8, true, DrawText},       // 3
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
