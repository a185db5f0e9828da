// figplot compose LIST.csv... -o OUT: plays command lists through ComposeFile (.bmp) or
// ComposePict (.png, through a picture field), one instance for the whole batch.
#include <strings.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <set>

#include "arguments.h"
#include "commands.h"
#include "external_choice.h"
#include "function_table.h"
#include "result_codes.h"
#include "sim_files.h"
#include "source_error.h"

namespace figcli {

const char *const kComposeHelp =
    "usage: figplot compose LIST.csv... -o OUT [--width W] [--height H] [--depth D]\n"
    "                       [--format png|bmp] [--external figPlotU|figPlot|PATH]\n"
    "\n"
    "Plays each drawing command list (CSV, header row = column names) onto a blank picture\n"
    "of W x H pixels at D bits (1, 4, 8, 16, 24 or 32; default 640 x 480 at 24).\n"
    "A .bmp goes through figPlot.ComposeFile, which writes the file; a .png through\n"
    "figPlot.ComposePict, which fills a picture field that is then written as PNG.\n"
    "\n"
    "  -o OUT         the picture file for one list; with several lists (or when OUT ends in\n"
    "                 / or is a folder) the folder that gets LIST.png or LIST.bmp for each\n"
    "  --format FMT   png (default) or bmp, for a folder\n"
    "\n"
    "On a terminal a progress line shows. To use several cores, run several at once:\n"
    "  ls lists/*.csv | xargs -P 4 -n 16 figplot compose -o out/\n";

namespace {

constexpr const char *kListName = "drawCmds";

struct ComposeJob {
    std::string list;
    std::string output;
};

struct Canvas {
    double width = 640, height = 480, depth = 24;
};

bool ParseNumberOption(const Arguments &args, const std::string &option, double *value, std::string *error) {
    const std::string text = args.Value(option);
    if (text.empty()) return true;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), *value);
    if (status == std::errc() && end == text.data() + text.size()) return true;
    *error = "bad number '" + text + "' for " + option;
    return false;
}

bool EndsWithSlash(const std::string &s) { return !s.empty() && s.back() == '/'; }

// The jobs, and whether they write into a folder; false for outputs that cannot be told apart.
bool PlanJobs(const Arguments &args, std::vector<ComposeJob> *jobs, bool *intoFolder, std::string *error) {
    const std::string out = args.Value("-o");
    const std::string format = args.Value("--format", "png");
    if (format != "png" && format != "bmp") {
        *error = "--format is png or bmp, not " + format;
        return false;
    }
    const bool folder = args.positional.size() > 1 || EndsWithSlash(out) || std::filesystem::is_directory(out);
    *intoFolder = folder;
    std::set<std::string> outputs;
    for (const std::string &list : args.positional) {
        const std::string output =
            folder ? (std::filesystem::path(out) / std::filesystem::path(list).stem()).string() + "." + format : out;
        if (!outputs.insert(output).second) {
            *error = "two lists would both be written to " + output;
            return false;
        }
        jobs->push_back({list, output});
    }
    if (!folder && !figsim::IsPictureFileName(out)) {
        *error = "the output " + out + " must end in .png or .bmp";
        return false;
    }
    return true;
}

class Composer {
public:
    Composer(figsim::External &external, Canvas canvas)
        : host_(external), table_(ReadFunctionTable(external)), canvas_(canvas) {
        host_.Open();
    }
    ~Composer() { host_.Close(); }

    // False with `problem` set when the list cannot be read or the picture not made.
    bool Compose(const ComposeJob &job, std::string *problem) {
        problem_ = problem;
        figsim::List list{kListName, {}, {}, {}};
        figsim::CsvError csv;
        if (!figsim::LoadCsvList(job.list, &list, &csv)) {
            if (csv.line == 0) return Fail(csv.message);
            return Fail(FormatError(SourceError{job.list, {csv.line, csv.column}, csv.message}));
        }
        if (figsim::List *held = host_.FindList(kListName)) *held = std::move(list);
        else host_.AddList(std::move(list));
        const bool toBitmapFile = job.output.size() >= 4 && strcasecmp(job.output.c_str() + job.output.size() - 4, ".bmp") == 0;
        return toBitmapFile ? ComposeFile(job) : ComposePict(job);
    }

private:
    bool Fail(const std::string &message) {
        *problem_ = message;
        return false;
    }

    bool CallComposer(const char *function, const ComposeJob &job, std::vector<figsim::Value> &params) {
        const std::string name = table_.library + "." + function;
        const FunctionEntry *f = table_.Find(name);
        if (!f) return Fail("the external's function table has no " + name);
        params.insert(params.end(), {figsim::Value::Num(canvas_.width), figsim::Value::Num(canvas_.height),
                                     figsim::Value::Num(canvas_.depth), figsim::Value::Str(std::string(kListName))});
        const int16_t result = host_.Call(f->number, params);
        if (result == ResultDone) return true;
        return Fail(job.list + ": " + name + " answered ResultCode " + std::to_string(result) + ": " + ResultMeaning(result));
    }

    bool ComposeFile(const ComposeJob &job) {
        std::error_code ignored;
        std::filesystem::remove(job.output, ignored);  // so that a file left from before cannot pass for this one
        std::vector<figsim::Value> params{figsim::Value::Str(job.output)};
        if (!CallComposer("ComposeFile", job, params)) return false;
        if (!std::filesystem::exists(job.output)) return Fail(job.list + ": ComposeFile answered 0 but wrote no file");
        return true;
    }

    bool ComposePict(const ComposeJob &job) {
        std::vector<figsim::Value> params{figsim::Value::Pict()};
        if (!CallComposer("ComposePict", job, params)) return false;
        if (params[0].picture.empty()) return Fail(job.list + ": ComposePict answered 0 but stored no picture");
        std::string error;
        if (!figsim::WritePngFile(job.output, params[0].picture, &error)) return Fail(error);
        return true;
    }

    figsim::Host host_;
    FunctionTable table_;
    Canvas canvas_;
    std::string *problem_ = nullptr;
};

// A line on the terminal that says how far the batch has come.
class Progress {
public:
    explicit Progress(size_t total) : total_(total), shown_(total > 1 && isatty(fileno(stderr))) {}
    void Start(size_t index, const std::string &name) {
        if (shown_) std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", index + 1, total_, name.c_str());
    }
    void Report(const std::string &problem) {
        std::fprintf(stderr, "%sfigplot: %s\n", shown_ ? "\r\033[K" : "", problem.c_str());
    }
    void Finish(size_t failed) {
        if (shown_) std::fprintf(stderr, "\r\033[K%zu lists composed, %zu failed\n", total_ - failed, failed);
    }

private:
    size_t total_;
    bool shown_;
};

}  // namespace

int ComposeCommand(const std::vector<std::string> &args, const std::string &external) {
    Arguments parsed;
    std::string error;
    if (!ParseArguments(args, {"-o", "--width", "--height", "--depth", "--format"}, &parsed, &error))
        return UsageError(error, kComposeHelp);
    if (parsed.help) {
        std::fputs(kComposeHelp, stdout);
        return 0;
    }
    if (parsed.positional.empty()) return UsageError("compose takes at least one list", kComposeHelp);
    if (parsed.Value("-o").empty()) return UsageError("compose needs -o OUT", kComposeHelp);
    Canvas canvas;
    std::vector<ComposeJob> jobs;
    bool intoFolder = false;
    if (!ParseNumberOption(parsed, "--width", &canvas.width, &error) ||
        !ParseNumberOption(parsed, "--height", &canvas.height, &error) ||
        !ParseNumberOption(parsed, "--depth", &canvas.depth, &error) || !PlanJobs(parsed, &jobs, &intoFolder, &error))
        return UsageError(error, kComposeHelp);
    if (intoFolder) {
        std::error_code made;
        std::filesystem::create_directories(parsed.Value("-o"), made);
        if (made) {
            std::fprintf(stderr, "figplot: cannot make the folder %s: %s\n", parsed.Value("-o").c_str(), made.message().c_str());
            return kExitFailure;
        }
    }
    auto loaded = LoadExternal(external);
    if (!loaded) return kExitFailure;
    Composer composer(*loaded, canvas);
    Progress progress(jobs.size());
    size_t failed = 0;
    for (size_t i = 0; i < jobs.size(); ++i) {
        progress.Start(i, jobs[i].list);
        std::string problem;
        if (composer.Compose(jobs[i], &problem)) continue;
        ++failed;
        progress.Report(problem);
    }
    progress.Finish(failed);
    return failed ? kExitFailure : 0;
}

}  // namespace figcli
