// Every platform call on every function's path fails in turn, alone. The calls are found
// by counting what a successful run entered, so a new call on a path cannot slip by: one
// the tables below do not know fails the test by name. Each failure must give its answer,
// leave the field or file as it must be, leave nothing behind and release nothing twice.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "library_test_util.h"

namespace {

using figsim::Host;
using figsim::Value;
namespace fs = std::filesystem;

// What one failing call may lead to, as flags: a call may allow more than one.
enum Outcome : unsigned {
    Kept = 1,         // nothing made or stored: answer 0, field or file as before
    Empty = 2,        // the picture or pixel never arrived: answer 4 (GetPictSize, GetPixelColor: 0 and
                      // a 0 written), field as before
    Drawn = 4,        // a drawing aid missing: answer 0, a picture or file of the clean one's shape
    Released = 8,     // a release refused: the clean answer and result, that one object left
    BadList = 16,     // the list's name buffer missing: answer 2, nothing made
    NoMemory = 32,    // ComposeFile: answer 3, the old file intact, no other file
    FileFailed = 64,  // ComposeFile: answer 5, the old file intact, no other file
};

// The outcomes of a function's calls of one platform function, in call order; the last
// entry stands for every later call.
struct SiteEffects {
    const char *site;
    std::vector<unsigned> byCall;
};

enum class Path { Edit, Describe, ComposePict, ComposeFile, PixelQuery };

Path PathOf(int function) {
    switch (function) {
        case FnComposeFile: return Path::ComposeFile;
        case FnComposePict: return Path::ComposePict;
        case FnGetPictBounds:
        case FnGetPictSize: return Path::Describe;
        case FnGetPixelColor: return Path::PixelQuery;
        default: return Path::Edit;
    }
}

// Pens, brushes, fonts, colours, modes and drawing calls: their failure is not reported. Nor
// is the memory figure's: without it a canvas is tried as the platform allows.
const char *const kDrawingAids[] = {"GlobalMemoryStatusEx", "Arc", "Ellipse", "Pie", "Rectangle", "LineTo", "MoveToEx", "TextOutW", "TextOutA",
                                    "GetTextMetricsW", "GetTextMetricsA", "CreatePen", "CreateSolidBrush",
                                    "CreateFontIndirectW", "CreateFontIndirectA", "SetBkColor", "SetBkMode",
                                    "SetTextColor", "GetStockObject", "GetSystemPaletteEntries", "DPtoLP", "FillRect"};
const char *const kReleases[] = {"DeleteDC", "DeleteObject", "ReleaseDC"};

// The acquisitions whose failure decides the answer, per path. The host's own calls are
// on the path too: it makes the picture's bitmap (the first section) and reads the stored
// one back (the second GetDC, GetDIBits, GetObjectW).
std::vector<SiteEffects> Acquisitions(Path path, bool wide) {
    const char *describe = wide ? "GetObjectW" : "GetObjectA";
    switch (path) {
        case Path::Edit: {
            std::vector<SiteEffects> sites = {{"BitBlt", {Kept}},        {"CreateCompatibleDC", {Kept}},
                                              {"CreateDIBSection", {Empty, Kept}}, {"GetDC", {Kept, Kept | Drawn}},
                                              // The picture's own colour table (call 1): without it the
                                              // depth's table stands in; the host's read of the result (2).
                                              {"GetDIBits", {Drawn, Kept}}, {"GlobalAlloc", {Kept}},
                                              {"GlobalLock", {Kept}},    {"SelectObject", {Kept | Drawn}}};
            if (wide) sites.push_back({"GetObjectW", {Empty, Kept}});
            else sites.insert(sites.end(), {{"GetObjectA", {Empty}}, {"GetObjectW", {Kept}}});
            return sites;
        }
        case Path::Describe: return {{"CreateDIBSection", {Empty}}, {describe, {Empty}}};
        case Path::ComposePict:
            return {{"GetDC", {Kept, Kept | Drawn}}, {"CreateCompatibleDC", {Kept}}, {"CreateDIBSection", {Kept}},
                    {"GlobalAlloc", {BadList, Kept}}, {"GlobalLock", {Kept}},      {"GetDIBits", {Kept}},
                    {"GetObjectW", {Kept}},           {"SelectObject", {Kept | Drawn}}};
        case Path::ComposeFile:
            return {{"GetDC", {Kept}},         {"CreateCompatibleDC", {Kept}}, {"CreateDIBSection", {Kept}},
                    {"GlobalAlloc", {BadList, Kept, NoMemory}}, {"GlobalLock", {Kept}},
                    {"LocalAlloc", {NoMemory}}, {describe, {NoMemory}},      {"GetDIBits", {FileFailed}},
                    // The old file is examined through a query handle first (call 1), whose
                    // close decides nothing; without a temporary (call 2) the file itself is written.
                    {"GetFileAttributesW", {FileFailed}}, {"GetFileAttributesA", {FileFailed}},
                    {"GetFileInformationByHandle", {FileFailed}},
                    {"GetFinalPathNameByHandleW", {FileFailed}}, {"GetFinalPathNameByHandleA", {FileFailed}},
                    {"CreateFileW", {FileFailed, Drawn}}, {"CreateFileA", {FileFailed, Drawn}}, {"WriteFile", {FileFailed}},
                    {"CloseHandle", {Drawn, FileFailed}}, {"ReplaceFileW", {FileFailed}}, {"ReplaceFileA", {FileFailed}},
                    {"SelectObject", {Kept | Drawn}}};
        case Path::PixelQuery: return {{"GetDC", {Empty}}, {"GetPixel", {Drawn}}};
    }
    return {};
}

// The outcomes allowed for call `n` of `site`; 0 when the tables do not know the site.
unsigned AllowedOutcomes(Path path, bool wide, const std::string &site, int n) {
    for (const SiteEffects &e : Acquisitions(path, wide))
        if (site == e.site) return e.byCall[std::min<size_t>(static_cast<size_t>(n), e.byCall.size()) - 1];
    for (const char *aid : kDrawingAids)
        if (site == aid) return Drawn;
    for (const char *release : kReleases)
        if (site == release) return Released;
    return 0;
}

// ---- the calls driven, and what they leave ----

figsim::List CommandList() {
    figsim::List list;
    list.name = "cmds";
    list.columnNames = {"code", "top", "left", "bottom", "right", "color", "size", "extra", "start", "span"};
    list.columnTypes.assign(list.columnNames.size(), 5);
    list.columnTypes[7] = FieldTypeText;
    // One line of every code, so that every drawing aid is on the path.
    const double lines[7][10] = {{0, 20, 3, 28, 25, 13, 1, 0, 0, 0},  {1, 2, 3, 28, 35, -255, 2, 0, 0, 0},
                                 {2, 4, 4, 20, 30, 5, 1, 0, 0, 0},    {3, 6, 6, 12, 14, 9, 0, 0, 0, 0},
                                 {4, 1, 1, 25, 38, 13, 1, 0, 0, 90},  {5, 2, 2, 20, 30, 3, 0, 90, 0, 0},
                                 {6, 20, 3, 2, 12, 13, 1, 0, 0, 0}};
    for (const auto &cells : lines) {
        std::vector<Value> line;
        for (double cell : cells) line.push_back(Value::Num(cell));
        line[7] = cells[0] == 6 ? Value::Str("Ab") : Value::Num(cells[7]);
        list.lines.push_back(line);
    }
    return list;
}

std::vector<Value> Params(int function, const std::vector<uint8_t> &picture, const std::string &path) {
    std::vector<Value> p;
    auto add = [&p](std::initializer_list<double> numbers) {
        for (double n : numbers) p.push_back(Value::Num(n));
    };
    switch (function) {
        case FnComposeFile: p = {Value::Str(path)}, add({40, 30, 8}), p.push_back(Value::Str("cmds")); break;
        case FnComposePict: p = {Value::Pict(picture)}, add({40, 30, 8}), p.push_back(Value::Str("cmds")); break;
        case FnDrawText:
            p = {Value::Pict(picture), Value::Str("Ab")}, add({20, 2, 1, 12, 0, 13});
            break;
        case FnFillOval: p = {Value::Pict(picture)}, add({13, 2, 2, 20, 30, 0, 90}); break;
        case FnDrawOval: p = {Value::Pict(picture)}, add({1, 13, 2, 2, 20, 30, 0, 0, 90}); break;
        case FnFillRect: p = {Value::Pict(picture)}, add({13, 2, 2, 20, 30}); break;
        case FnDrawRect:
        case FnDrawLine: p = {Value::Pict(picture)}, add({2, 13, 2, 2, 20, 30}); break;
        case FnErasePict: p = {Value::Pict(picture)}, add({13}); break;
        case FnSetPictBounds: p = {Value::Pict(picture)}, add({50, 40}); break;
        case FnGetPictBounds: p = {Value::Pict(picture)}, add({-7, -7}); break;
        case FnGetPictSize: p = {Value::Pict(picture)}, add({-7}); break;
        case FnGetPixelColor: add({3, 4, -7}); break;
    }
    return p;
}

std::string FileBytes(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// What a call left where it delivers: exactly (`bytes`) and in outline (`shape`: the
// pictures' sizes and depths, the files' names and lengths).
struct Snapshot {
    std::string bytes, shape;
    bool operator==(const Snapshot &) const = default;
};

Snapshot Take(const std::vector<Value> &params, const std::string &folder) {
    Snapshot s;
    for (const Value &v : params) {
        std::ostringstream shape;
        if (v.kind == Value::Kind::Picture && v.picture.size() >= sizeof(BITMAPINFOHEADER)) {
            BITMAPINFOHEADER h;
            std::memcpy(&h, v.picture.data(), sizeof h);
            shape << h.biWidth << "x" << h.biHeight << "x" << h.biBitCount;
            s.bytes.append(v.picture.begin(), v.picture.end());
        } else {
            shape << v.number << "/" << v.text.size();  // texts in full below only
            s.bytes += shape.str() + figsim::Utf32ToUtf8(v.text);
        }
        s.shape += shape.str() + ";";
    }
    if (folder.empty()) return s;
    for (const auto &entry : fs::directory_iterator(folder)) {
        s.shape += entry.path().filename().string() + ":" + std::to_string(entry.file_size()) + ";";
        s.bytes += entry.path().filename().string() + FileBytes(entry.path());
    }
    return s;
}

// The numbers GetPictBounds, GetPictSize and GetPixelColor write for a picture or a
// pixel that never arrived.
std::vector<Value> WithEmptyAnswers(int function, std::vector<Value> params) {
    if (function == FnGetPictBounds) params[1] = Value::Num(0), params[2] = Value::Num(0);
    if (function == FnGetPictSize) params[1] = Value::Num(0);
    if (function == FnGetPixelColor) params[2] = Value::Num(0);
    return params;
}

struct RunResult {
    int16_t answer;
    Snapshot after;
    int liveDelta;
};

struct Expectations {
    int16_t cleanAnswer;
    Snapshot before, empty, clean;
};

// Empty when the run fits the outcome, else what differs.
std::string Mismatch(unsigned outcome, int function, const RunResult &run, const Expectations &e) {
    int16_t answer = 0;
    int live = 0;
    const Snapshot *exact = &e.before;
    switch (outcome) {
        case Empty:
            answer = function == FnGetPictSize || function == FnGetPixelColor ? 0 : ResultEmptyPicture;
            exact = &e.empty;
            break;
        case Drawn: exact = nullptr; break;
        case Released: answer = e.cleanAnswer, live = 1, exact = &e.clean; break;
        case BadList: answer = ResultBadParameters; break;
        case NoMemory: answer = ResultNoMemory; break;
        case FileFailed: answer = ResultFileFailure; break;
        default: break;
    }
    std::ostringstream why;
    if (run.answer != answer) why << " answer " << run.answer << " where " << answer << " was due;";
    if (run.liveDelta != live) why << " " << run.liveDelta << " objects left where " << live << ";";
    if (exact && !(run.after == *exact)) why << " result " << run.after.shape << " where " << exact->shape << ";";
    if (!exact && run.after.shape != e.clean.shape) why << " result " << run.after.shape << " where " << e.clean.shape << ";";
    return why.str();
}

std::string OutcomeNames(unsigned outcomes) {
    static const char *const kNames[] = {"kept", "empty", "drawn", "released", "bad list", "no memory", "file failed"};
    std::string names;
    for (int bit = 0; bit < 7; ++bit)
        if (outcomes & (1u << bit)) names += std::string(names.empty() ? "" : " or ") + kNames[bit];
    return names;
}

class FailureMatrix : public ::testing::TestWithParam<std::string> {};

TEST_P(FailureMatrix, EveryCallOnEveryPathFailsAlone) {
    figsim::External &external = libtest::LoadExternal(GetParam());
    const bool wide = external.width() == figsim::TextWidth::Wide;
    Host host(external);
    host.Open();
    host.AddList(CommandList());
    const std::string folder = libtest::TestFolder(GetParam());
    const fs::path target = fs::path(folder) / "picture.bmp";
    const std::vector<uint8_t> original = libtest::PatternPicture(31, 19, 8);
    const int last = wide ? FnGetPictSize : FnGetPixelColor;
    int driven = 0;
    for (int function = FnComposeFile; function <= last; ++function) {
        const Path path = PathOf(function);
        const std::string files = path == Path::ComposeFile ? folder : "";
        // An old file at the target: a failure must leave it whole and add nothing beside it.
        auto reset = [&] { std::ofstream(target, std::ios::binary | std::ios::trunc) << "an older picture"; };
        const std::vector<Value> params = Params(function, original, target.string());
        reset();
        Expectations e;
        e.before = Take(params, files);
        e.empty = Take(WithEmptyAnswers(function, params), files);
        std::vector<Value> clean = params;
        PlatformResetCallCounts();
        e.cleanAnswer = host.Call(function, clean);
        e.clean = Take(clean, files);
        std::vector<const char *> sites(128);
        sites.resize(static_cast<size_t>(PlatformCalledFunctions(sites.data(), static_cast<int>(sites.size()))));
        std::vector<int> counts;
        for (const char *site : sites) counts.push_back(PlatformCallCount(site));
        for (size_t k = 0; k < sites.size(); ++k)
            for (int n = 1; n <= counts[k]; ++n) {
                const std::string label = GetParam() + " function " + std::to_string(function) + ", " + sites[k] +
                                          " call " + std::to_string(n) + ":";
                const unsigned allowed = AllowedOutcomes(path, wide, sites[k], n);
                if (!allowed) {
                    ADD_FAILURE() << label << " a platform call the failure tables do not know";
                    break;
                }
                reset();
                std::vector<Value> run = params;
                host.ClearTrace();
                const int live = PlatformLiveTotal(), stale = PlatformStaleReleases();
                PlatformFailNthCall(sites[k], n);
                const int16_t answer = host.Call(function, run);
                PlatformClearFaults();
                ++driven;
                const RunResult result{answer, Take(run, files), PlatformLiveTotal() - live};
                std::string why;
                bool fits = false;
                for (unsigned outcome = 1; outcome <= FileFailed && !fits; outcome <<= 1)
                    if (allowed & outcome) {
                        const std::string mismatch = Mismatch(outcome, function, result, e);
                        fits = mismatch.empty();
                        why += " as " + OutcomeNames(outcome) + ":" + mismatch;
                    }
                EXPECT_TRUE(fits) << label << " not " << OutcomeNames(allowed) << ";" << why;
                EXPECT_EQ(PlatformStaleReleases(), stale) << label << " something released twice";
                int alive = 0;
                for (HBITMAP delivered : host.deliveredBitmaps()) alive += GetObjectType(delivered) != 0;
                EXPECT_LE(alive, allowed == Released ? 1 : 0) << label << " the picture bitmap kept";
            }
    }
    std::printf("[ failure matrix ] %s: %d paths driven\n", GetParam().c_str(), driven);
    EXPECT_GT(driven, 400);
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, FailureMatrix, ::testing::Values("figPlotU", "figPlot"),
                         [](const auto &info) { return info.param; });

}  // namespace
