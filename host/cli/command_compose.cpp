// figplot compose LIST.csv... -o OUT: plays command lists through ComposeFile (.bmp) or
// ComposePict (.png, through a picture field), one instance for the whole batch.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <set>
#include <thread>

#include "arguments.h"
#include "commands.h"
#include "compose_batch.h"
#include "composer.h"
#include "external_choice.h"
#include "output_paths.h"
#include "sim_files.h"

namespace figcli {

const char *const kComposeHelp =
    "usage: figplot compose LIST.csv... -o OUT [--width W] [--height H] [--depth D]\n"
    "                       [--format png|bmp] [--external figPlotU|figPlot|PATH]\n"
    "\n"
    "Plays each drawing command list (CSV, header row = column names) onto a blank picture\n"
    "of W x H pixels (1 to 32767) at D bits (1, 4, 8, 16, 24 or 32; default 640 x 480 at 24).\n"
    "A .bmp goes through figPlot.ComposeFile, which writes the file; a .png through\n"
    "figPlot.ComposePict, which fills a picture field that is then written as PNG.\n"
    "Colours in a list may be palette indexes, negated 0x00BBGGRR numbers, colour names\n"
    "(red, steelblue) or #RRGGBB. A list of - is read from standard input.\n"
    "\n"
    "  -o OUT         the picture file for one list (- for standard output; its folder is\n"
    "                 made when missing); with several lists, or when OUT ends in / or is a\n"
    "                 folder, the folder that gets LIST.png or LIST.bmp for each\n"
    "  --format FMT   png or bmp: the kind of file for a folder or standard output (default\n"
    "                 png); for one file it must agree with OUT's name\n"
    "  --jobs N       lists composed at once, each on its own thread with its own instance\n"
    "                 of the external (1 to 64; default: the number of cores)\n"
    "\n"
    "An existing picture is replaced only by a whole new one. On a terminal one progress\n"
    "line counts the whole batch.\n";

namespace {

namespace fs = std::filesystem;

constexpr int kMaxJobs = 64;  // as many as the signal handler follows at once

bool EndsWithSlash(const std::string &s) { return !s.empty() && s.back() == '/'; }

std::string Extension(const std::string &path) {
    std::string ext = fs::path(path).extension().string();
    for (char &c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext.empty() ? "" : ext.substr(1);
}

bool ParseCanvas(const Arguments &args, CanvasSize *canvas, std::string *error) {
    std::string depth = std::to_string(canvas->depth);
    if (!WholeNumberOption(args, "--width", 1, 32767, &canvas->width, error) ||
        !WholeNumberOption(args, "--height", 1, 32767, &canvas->height, error) ||
        !ChoiceOption(args, "--depth", {"1", "4", "8", "16", "24", "32"}, &depth, error) ||
        !ChoiceOption(args, "--format", {"png", "bmp"}, &canvas->format, error))
        return false;
    canvas->depth = std::stoi(depth);
    return true;
}

// One picture named by OUT: its name and --format must agree.
bool PlanOne(const Arguments &args, const std::string &out, std::vector<ComposeJob> *jobs, std::string *error) {
    if (out != kStandardStream && !figsim::IsPictureFileName(out)) {
        *error = "the output " + out + " must end in .png or .bmp (or be a folder ending in /)";
        return false;
    }
    if (out != kStandardStream && args.Has("--format") && Extension(out) != args.Value("--format")) {
        *error = "--format " + args.Value("--format") + " does not agree with the output " + out;
        return false;
    }
    jobs->push_back({args.positional[0], out});
    return true;
}

bool PlanFolder(const Arguments &args, const std::string &out, const std::string &format,
                std::vector<ComposeJob> *jobs, std::string *error) {
    std::error_code unknown;
    if (out == kStandardStream || (figsim::IsPictureFileName(out) && !fs::is_directory(out, unknown))) {
        *error = "-o " + out + " names one picture, and " + std::to_string(args.positional.size()) +
                 " lists need a folder: give a folder (ending in /) or one list";
        return false;
    }
    std::set<std::string> outputs;
    for (const std::string &list : args.positional) {
        if (list == kStandardStream) {
            *error = "a list from standard input needs one output file, not a folder";
            return false;
        }
        const std::string output = (fs::path(out) / fs::path(list).stem()).string() + "." + format;
        if (!outputs.insert(output).second) {
            *error = "two lists would both be written to " + output;
            return false;
        }
        jobs->push_back({list, output});
    }
    return true;
}

// The jobs, and whether they write into a folder; false for outputs that cannot be told apart.
bool PlanJobs(const Arguments &args, const std::string &format, std::vector<ComposeJob> *jobs, bool *intoFolder,
              std::string *error) {
    const std::string out = args.Value("-o");
    std::error_code unknown;
    *intoFolder = args.positional.size() > 1 || EndsWithSlash(out) || fs::is_directory(out, unknown);
    return *intoFolder ? PlanFolder(args, out, format, jobs, error) : PlanOne(args, out, jobs, error);
}

// A .bmp goes to the external, whose text buffer limits the path.
bool PathsFit(const std::vector<ComposeJob> &jobs) {
    for (const ComposeJob &job : jobs) {
        if (Extension(job.output) != "bmp") continue;
        const std::string tooLong = PathTooLong(job.output);
        if (tooLong.empty()) continue;
        std::fprintf(stderr, "figplot: %s: %s\n", job.list.c_str(), tooLong.c_str());
        return false;
    }
    return true;
}

bool MakeFolder(const std::string &folder) {
    if (folder.empty()) return true;
    std::error_code made;
    fs::create_directories(folder, made);
    if (!made) return true;
    std::fprintf(stderr, "figplot: cannot make the folder %s: %s\n", folder.c_str(), made.message().c_str());
    return false;
}

}  // namespace

int ComposeCommand(const std::vector<std::string> &args, const std::string &external) {
    Arguments parsed;
    std::string error;
    if (!ParseArguments(args, {"-o", "--width", "--height", "--depth", "--format", "--jobs"}, &parsed, &error))
        return UsageError(error, kComposeHelp);
    if (parsed.help) {
        std::fputs(kComposeHelp, stdout);
        return 0;
    }
    if (parsed.positional.empty()) return UsageError("compose takes at least one list", kComposeHelp);
    if (parsed.Value("-o").empty()) return UsageError("compose needs -o OUT", kComposeHelp);
    CanvasSize canvas;
    std::vector<ComposeJob> jobs;
    bool intoFolder = false;
    int workers = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned{kMaxJobs}));
    if (!ParseCanvas(parsed, &canvas, &error) || !WholeNumberOption(parsed, "--jobs", 1, kMaxJobs, &workers, &error) ||
        !PlanJobs(parsed, canvas.format, &jobs, &intoFolder, &error))
        return UsageError(error, kComposeHelp);
    const std::string out = parsed.Value("-o");
    const std::string folder = intoFolder ? out : fs::path(out).parent_path().string();
    if (!PathsFit(jobs) || (out != kStandardStream && !MakeFolder(folder))) return kExitFailure;
    if (out != kStandardStream) ReportStaleTemporaries(StaleTemporaries(folder, intoFolder ? "" : out));
    auto loaded = LoadExternal(external);
    if (!loaded) return kExitFailure;
    RemoveTemporariesOnSignal();
    const size_t failed = RunBatch(*loaded, canvas, jobs, static_cast<unsigned>(workers));
    return failed ? kExitFailure : 0;
}

}  // namespace figcli
