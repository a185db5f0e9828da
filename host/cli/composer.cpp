#include "composer.h"

#include <strings.h>
#include <sys/stat.h>

#include <cstdio>

#include "command_list_rules.h"
#include "file_bytes.h"
#include "output_paths.h"
#include "result_codes.h"
#include "sim_files.h"
#include "source_error.h"

namespace figcli {
namespace {

constexpr const char *kListName = "drawCmds";

bool IsBitmapFile(const std::string &path) {
    return path.size() >= 4 && strcasecmp(path.c_str() + path.size() - 4, ".bmp") == 0;
}

std::string ListShownAs(const std::string &list) { return list == kStandardStream ? "<stdin>" : list; }

bool ReadList(const std::string &path, figsim::List *list, figsim::CsvError *csv) {
    if (path != kStandardStream) return figsim::LoadCsvList(path, list, csv, CheckCommandRow);
    std::vector<uint8_t> bytes;
    if (!figsim::ReadStreamBytes(stdin, "<stdin>", &bytes, &csv->message)) return false;
    return figsim::ParseCsvList(std::string(bytes.begin(), bytes.end()), list, csv, CheckCommandRow);
}

// What identifies the file at `path` now: the external replaces it with a new file or
// writes through it, so a success leaves another inode or another time.
struct FileStamp {
    bool exists = false;
    ino_t inode = 0;
    timespec modified{};
};
FileStamp StampOf(const std::string &path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return {};
    return FileStamp{true, st.st_ino, st.st_mtim};
}
bool Changed(const FileStamp &before, const FileStamp &after) {
    return after.exists && (!before.exists || before.inode != after.inode ||
                            before.modified.tv_sec != after.modified.tv_sec ||
                            before.modified.tv_nsec != after.modified.tv_nsec);
}

}  // namespace

Composer::Composer(figsim::External &external, CanvasSize canvas)
    : host_(external), table_(ReadFunctionTable(external)), canvas_(canvas) {
    host_.Open();
}

Composer::~Composer() { host_.Close(); }

bool Composer::Compose(const ComposeJob &job, std::string *problem) {
    problem_ = problem;
    if (!LoadList(job)) return false;
    return IsBitmapFile(job.output) ? ComposeFile(job) : ComposePict(job);
}

bool Composer::Fail(const std::string &message) {
    *problem_ = message;
    return false;
}

bool Composer::LoadList(const ComposeJob &job) {
    figsim::List list{kListName, {}, {}, {}};
    figsim::CsvError csv;
    if (!ReadList(job.list, &list, &csv)) {
        if (csv.line == 0) return Fail(csv.message);
        return Fail(FormatError(SourceError{ListShownAs(job.list), {csv.line, csv.column}, csv.message}));
    }
    if (figsim::List *held = host_.FindList(kListName)) *held = std::move(list);
    else host_.AddList(std::move(list));
    return true;
}

bool Composer::CallComposer(const char *function, const ComposeJob &job, std::vector<figsim::Value> &params) {
    const std::string name = table_.library + "." + function;
    const FunctionEntry *f = table_.Find(name);
    if (!f) return Fail("the external's function table has no " + name);
    params.insert(params.end(), {figsim::Value::Num(canvas_.width), figsim::Value::Num(canvas_.height),
                                 figsim::Value::Num(canvas_.depth), figsim::Value::Str(std::string(kListName))});
    const int16_t result = host_.Call(f->number, params);
    if (result == ResultDone) return true;
    return Fail(ListShownAs(job.list) + ": " + name + " answered ResultCode " + std::to_string(result) + ": " +
                ExplainResult(result, *f, params, host_));
}

bool Composer::ComposeFile(const ComposeJob &job) {
    const FileStamp before = StampOf(job.output);
    std::vector<figsim::Value> params{figsim::Value::Str(job.output)};
    {
        WritingTarget writing(job.output);
        if (!CallComposer("ComposeFile", job, params)) return false;
    }
    if (!Changed(before, StampOf(job.output)))
        return Fail(ListShownAs(job.list) + ": ComposeFile answered 0 but wrote no file");
    return true;
}

bool Composer::ComposePict(const ComposeJob &job) {
    std::vector<figsim::Value> params{figsim::Value::Pict()};
    if (!CallComposer("ComposePict", job, params)) return false;
    if (params[0].picture.empty()) return Fail(ListShownAs(job.list) + ": ComposePict answered 0 but stored no picture");
    std::string error;
    const bool written = job.output == kStandardStream ? WritePictureToStdout(params[0].picture, canvas_.format, &error)
                                                        : WritePictureSafely(job.output, params[0].picture, &error);
    return written || Fail(error);
}

}  // namespace figcli
