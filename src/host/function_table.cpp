#include "functions.h"

namespace fig {

const FunctionEntry kFunctions[kFunctionCount] = {
    {5, false, nullptr},  // 1 ComposeFile
    {5, true, nullptr},   // 2 ComposePict
    {8, true, nullptr},   // 3 DrawText
    {6, true, nullptr},   // 4 FillOval
    {7, true, nullptr},   // 5 DrawOval
    {6, true, nullptr},   // 6 FillRect
    {7, true, nullptr},   // 7 DrawRect
    {7, true, nullptr},   // 8 DrawLine
    {2, true, nullptr},   // 9 ErasePict
    {3, true, nullptr},   // 10 SetPictBounds
    {3, true, nullptr},   // 11 GetPictBounds
    {2, true, nullptr},   // 12 GetPictSize
#if !FIGPLOT_WIDE
    {0, false, nullptr},  // 13 GetPixelColor
#endif
};

}  // namespace fig
