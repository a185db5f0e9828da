// One instance of an external composing command lists into picture files, for
// figplot compose: a .bmp through ComposeFile, a .png (or standard output) through
// ComposePict and the host's own writer.
#pragma once

#include <string>

#include "figsim.h"
#include "function_table.h"

namespace figcli {

constexpr const char *kStandardStream = "-";  // a list read from stdin, a picture written to stdout

struct ComposeJob {
    std::string list;    // a CSV file, or "-"
    std::string output;  // a .png or .bmp file, or "-"
};

struct CanvasSize {
    int width = 640, height = 480, depth = 24;
    std::string format = "png";  // of a picture written to standard output
};

class Composer {
public:
    Composer(figsim::External &external, CanvasSize canvas);
    ~Composer();
    Composer(const Composer &) = delete;
    Composer &operator=(const Composer &) = delete;

    // False with `problem` set when the list cannot be read or the picture not made; an
    // old file at the output is then left as it was.
    bool Compose(const ComposeJob &job, std::string *problem);

private:
    bool Fail(const std::string &message);
    bool LoadList(const ComposeJob &job);
    bool CallComposer(const char *function, const ComposeJob &job, std::vector<figsim::Value> &params);
    bool ComposeFile(const ComposeJob &job);
    bool ComposePict(const ComposeJob &job);

    figsim::Host host_;
    FunctionTable table_;
    CanvasSize canvas_;
    std::string *problem_ = nullptr;
};

}  // namespace figcli
