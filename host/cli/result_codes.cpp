#include "result_codes.h"

#include <figplot/host_api.h>

namespace figcli {

std::string ResultMeaning(int code) {
    switch (code) {
        case ResultDone: return "done";
        case ResultBadParameters:
            return "bad parameters (too few; a picture parameter that is not a picture; a width or height below 1; "
                   "a command list that is unknown, has fewer than 7 columns or no lines; an empty path)";
        case ResultNoMemory: return "no memory";
        case ResultEmptyPicture: return "empty picture (the picture parameter holds no picture)";
        case ResultFileFailure: return "file write failure (the bitmap file could not be created or written)";
        default: return "a code figPlot does not document";
    }
}

}  // namespace figcli
