// The figplot program run as a process, as a user runs it: what scripts print, every kind
// of error with its message and exit status, and the function table each build shows.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "picture_compare.h"
#include "sim_files.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exit = -1;
    std::string out, err;
};

std::string ReadText(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string FirstLine(const std::string &text) { return text.substr(0, text.find('\n')); }

class FigplotProcess : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "figplot_cli_XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        Write("bad.csv", "code,top\n1,2\n3, 4x\n");
        Write("fake.png", "this is text\n");
        Write("good.csv", "code,top,left,bottom,right,color,c7\n3,0,0,10,10,13,0\n");
        Write("short.csv", "code,top\n3,0\n");
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string &name, const std::string &text) {
        fs::create_directories((dir_ / name).parent_path());
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    // Runs figplot in the test's folder with `args` (shell words) and `env` (NAME=value words).
    Outcome Run(const std::string &args, const std::string &env = "") {
        const std::string command =
            "cd '" + dir_.string() + "' && env " + env + " '" FIGPLOT_CLI "' " + args + " >out.txt 2>err.txt";
        const int status = std::system(command.c_str());
        return Outcome{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(dir_ / "out.txt"), ReadText(dir_ / "err.txt")};
    }

    fs::path dir_;
};

// Every script starts with line 1 below, so the case's own first line is line 2.
TEST_F(FigplotProcess, Scripts) {
    struct Case {
        const char *name;
        std::string script;
        int exit;
        const char *out;
        std::string err;
        const char *external = "figPlotU";
    } cases[] = {
        {"variables passed are written back", "Number w\nNumber h\nDo figPlot.GetPictBounds(p, w, h)\nNumber size\n"
         "Do figPlot.GetPictSize(p, size)\nPrint \"bounds\", w, h, size, p",
         0, "bounds 20 10 720 picture 20x10, 24 bits\n", ""},
        {"a ResultCode is reported with its meaning and the script goes on",
         "Picture e\nDo figPlot.DrawLine(e, 1, 1, 0, 0, 5, 5) Returns rc\nPrint rc", 1, "4\n",
         "figplot: s.fig:3:4: figPlot.DrawLine answered ResultCode 4: empty picture (the picture parameter holds no "
         "picture)\n"},
        {"a file the external cannot write", "List l = Csv(\"good.csv\")\nDo figPlot.ComposeFile(\"nope/x.bmp\", 10, 10, 24, l)",
         1, "",
         "figplot: s.fig:3:4: figPlot.ComposeFile answered ResultCode 5: file write failure: cannot write nope/x.bmp: No "
         "such file or directory\n"},
        {"the cause of a ResultCode 2 the host can see", "List l = Csv(\"short.csv\")\nDo figPlot.ComposePict(p, 10, 10, 24, l)",
         1, "", "figplot: s.fig:3:4: figPlot.ComposePict answered ResultCode 2: bad parameters: the list 'l' has 2 "
         "columns; a command list needs at least 7\n"},
        {"too few parameters named", "Do figPlot.ErasePict(p)", 1, "",
         "figplot: s.fig:2:4: figPlot.ErasePict answered ResultCode 2: bad parameters: figPlot.ErasePict needs 2 "
         "parameters, 1 given\n"},
        {"an output path the external would cut", (std::string("Do figPlot.ComposeFile(\"") + std::string(251, 'n') +
         ".bmp\", 10, 10, 24, \"x\")").c_str(), 1, "",
         "figplot: s.fig:2:24: parameter 1 of figPlot.ComposeFile (outputPath) the path " + std::string(251, 'n') +
         ".bmp has 255 characters; the external takes at most 254\n"},
        {"colours by name, #RRGGBB and number, one bit", "Picture m = Blank(3, 2, 1)\nNumber c = Red\n"
         "Do figPlot.ErasePict(p, steelblue)\nDo figPlot.FillRect(p, #FF8000, 0, 0, 5, 5)\n"
         "Do figPlot.FillRect(p, \"navy\", 0, 0, 2, 2)\nPrint c, m",
         0, "-255 picture 3x2, 1 bit\n", ""},
        {"an unknown colour word", "Do figPlot.ErasePict(p, reed)", 1, "",
         "figplot: s.fig:2:25: 'reed' is neither a variable nor a colour: a colour is a palette index, a negated "
         "0x00BBGGRR number, a colour name such as red or #RRGGBB\n"},
        {"a text that names no colour", "Do figPlot.ErasePict(p, \"#12345\")", 1, "",
         "figplot: s.fig:2:25: parameter 2 of figPlot.ErasePict (color) takes a colour, and '#12345' names none: a "
         "colour is a palette index, a negated 0x00BBGGRR number, a colour name such as red or #RRGGBB\n"},
        {"a character outside the language, quoted readably", "Number n = 1 \xC3\xA9", 1, "",
         "figplot: s.fig:2:14: unexpected character '\xC3\xA9' (U+00E9)\n"},
        {"a byte that is not UTF-8", "Number n = 1 \xFF", 1, "",
         "figplot: s.fig:2:14: unexpected character byte 0xFF (not UTF-8)\n"},
        {"unknown function", "Do figPlot.DrawLines(p)", 1, "",
         "figplot: s.fig:2:4: unknown function 'figPlot.DrawLines': the external's table does not list it\n"},
        {"a name that differs in case is not taken", "Do figplot.drawLine(p)", 1, "",
         "figplot: s.fig:2:4: unknown function 'figplot.drawLine' (did you mean figPlot.DrawLine?)\n"},
        {"function 13 is not in the table", "Do figPlot.GetPixelColor(1, 2, 3)", 1, "",
         "figplot: s.fig:2:4: unknown function 'figPlot.GetPixelColor': the external's table does not list it\n",
         "figPlot"},
        {"wrong parameter type", "Do figPlot.DrawLine(p, \"2\", 13, 0, 0, 5, 5)", 1, "",
         "figplot: s.fig:2:24: parameter 2 of figPlot.DrawLine (lineSize) takes a number, not the text \"2\"\n"},
        {"a text's bytes that are not UTF-8 shown escaped", "Do figPlot.DrawLine(p, \"\xFF\x01\", 13, 0, 0, 5, 5)", 1, "",
         "figplot: s.fig:2:24: parameter 2 of figPlot.DrawLine (lineSize) takes a number, not the text \"\\xFF\\x01\"\n"},
        {"a number for a picture", "Do figPlot.ErasePict(3, 1)", 1, "",
         "figplot: s.fig:2:22: parameter 1 of figPlot.ErasePict (pictureField) takes a picture variable, not the "
         "number 3\n"},
        {"too many parameters", "Do figPlot.ErasePict(p, 1, 2)", 1, "",
         "figplot: s.fig:2:28: figPlot.ErasePict takes at most 2 parameters (pictureField,color)\n"},
        {"unknown variable", "Do figPlot.ErasePict(q, 1)", 1, "", "figplot: s.fig:2:22: unknown variable 'q'\n"},
        {"bad number", "Number n = 12x", 1, "", "figplot: s.fig:2:12: bad number '12x'\n"},
        {"text never ends", "Text t = \"open", 1, "", "figplot: s.fig:2:10: text has no closing quote\n"},
        {"unreadable file", "Picture x = Load(\"missing.png\")", 1, "",
         "figplot: s.fig:2:18: cannot read missing.png: No such file or directory\n"},
        {"not a picture file", "Picture x = Load(\"fake.png\")", 1, "",
         "figplot: s.fig:2:18: cannot read fake.png: not a PNG file\n"},
        {"a fault in a list names the list's line and column", "List l = Csv(\"bad.csv\")", 1, "",
         "figplot: bad.csv:3:4: bad number '4x'\n"},
        {"Returns takes a number variable", "Do figPlot.ErasePict(p, 1) Returns p", 1, "",
         "figplot: s.fig:2:36: Returns needs a number variable; 'p' is a picture variable\n"},
        {"an empty picture is not saved", "Picture e\nSave(e, \"e.png\")", 1, "",
         "figplot: s.fig:3:6: 'e' is an empty picture: nothing to save\n"},
        {"save into a missing folder", "Save(p, \"nope/p.png\")", 1, "",
         "figplot: s.fig:2:9: cannot write nope/p.png: No such file or directory\n"},
        {"depth", "Picture b = Blank(10, 10, 3)", 1, "",
         "figplot: s.fig:2:27: depth must be 1, 4, 8, 16, 24 or 32, not 3\n"},
        {"declared twice", "Picture p", 1, "", "figplot: s.fig:2:9: 'p' is already declared on line 1\n"},
        {"a keyword is no name", "Number Print", 1, "", "figplot: s.fig:2:8: 'Print' is a keyword, not a variable name\n"},
        {"not a statement", "Draw p", 1, "",
         "figplot: s.fig:2:1: expected a statement (Number, Text, Picture, List, Do, Save or Print), found 'Draw'\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Write("s.fig", "Picture p = Blank(20, 10, 24)\n" + c.script + "\n");
        const Outcome o = Run(std::string("--external ") + c.external + " run s.fig");
        EXPECT_EQ(o.exit, c.exit);
        EXPECT_EQ(o.out, c.out);
        EXPECT_EQ(o.err, c.err);
    }
}

TEST_F(FigplotProcess, CommandLines) {
    Write("stdin.fig", "List l = Csv(\"good.csv\")\nPicture p = Blank(3, 3, 8)\n"
                       "Do figPlot.ComposeFile(\"s.bmp\", 3, 3, 8, l) Returns rc\nPrint \"from stdin\", rc\n");
    Write("a/l.csv", "code,top\n");
    Write("b/l.csv", "code,top\n");
    struct Case {
        const char *args;
        int exit;
        const char *firstLine;  // of stderr, or of stdout for help
    } cases[] = {
        {"", 2, "figplot: no command given"},
        {"draw", 2, "figplot: unknown command 'draw'"},
        {"run", 2, "figplot: run takes one script"},
        {"run s.fig --width 3", 2, "figplot: unknown option --width"},
        {"run missing.fig", 1, "figplot: cannot read missing.fig: No such file or directory"},
        {"compose a/l.csv", 2, "figplot: compose needs -o OUT"},
        {"compose a/l.csv -o x.png --width 12x", 2, "figplot: --width takes a whole number from 1 to 32767, not '12x'"},
        {"compose a/l.csv -o x.png --width=", 2, "figplot: --width takes a whole number from 1 to 32767, not ''"},
        {"compose a/l.csv -o x.png --height 32768", 2,
         "figplot: --height takes a whole number from 1 to 32767, not '32768'"},
        {"compose good.csv -o g.png --width 0", 2, "figplot: --width takes a whole number from 1 to 32767, not '0'"},
        {"compose a/l.csv -o x.png --depth 7", 2, "figplot: --depth takes 1, 4, 8, 16, 24 or 32, not '7'"},
        {"compose a/l.csv -o x.png --depth=64", 2, "figplot: --depth takes 1, 4, 8, 16, 24 or 32, not '64'"},
        {"compose a/l.csv -o x.png --format gif", 2, "figplot: --format takes png or bmp, not 'gif'"},
        {"compose a/l.csv -o x.png --jobs 0", 2, "figplot: --jobs takes a whole number from 1 to 64, not '0'"},
        {"compose a/l.csv -o --width 5", 2, "figplot: option -o needs a value"},
        {"compose a/l.csv -o x.gif", 2, "figplot: the output x.gif must end in .png or .bmp (or be a folder ending in /)"},
        {"compose a/l.csv b/l.csv -o out", 2, "figplot: two lists would both be written to out/l.png"},
        {"compose bad.csv -o x.png", 1, "figplot: bad.csv:3:4: bad number '4x'"},
        {"compose good.csv -o g.bmp --width=10 --height 10", 0, ""},
        {"compose short.csv -o g.png", 1,
         "figplot: short.csv: figPlot.ComposePict answered ResultCode 2: bad parameters: the list 'drawCmds' has 2 "
         "columns; a command list needs at least 7"},
        {"--external /nowhere/x.so info", 1,
         "figplot: cannot load the external /nowhere/x.so: /nowhere/x.so: cannot open shared object file: No such file "
         "or directory"},
        {"--external", 2, "figplot: --external needs a value"},
        {"run --help", 0, "usage: figplot run SCRIPT [-o DIR] [--external figPlotU|figPlot|PATH]"},
        {"help compose", 0, "usage: figplot compose LIST.csv... -o OUT [--width W] [--height H] [--depth D]"},
        {"info --help", 0, "usage: figplot info [--external figPlotU|figPlot|PATH]"},
        {"--version", 0, "figplot " FIGPLOT_VERSION},
        {"run - <stdin.fig", 0, "from stdin 0"},
        {"run - -o out <stdin.fig", 0, "from stdin 0"},
        // Standard input that cannot be read is an error, not an empty script or list.
        {"run - <.", 1, "figplot: cannot read <stdin>: Is a directory"},
        {"compose - -o x.png <.", 1, "figplot: cannot read <stdin>: Is a directory"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.exit, c.exit);
        EXPECT_EQ(FirstLine(c.exit == 0 ? o.out : o.err), c.firstLine);
    }
}

TEST_F(FigplotProcess, InfoPrintsEachBuildsFunctionTable) {
    for (const char *build : {"figPlotU", "figPlot"}) {
        SCOPED_TRACE(build);
        const Outcome o = Run(std::string("--external ") + build + " info");
        EXPECT_EQ(o.exit, 0);
        std::string out = o.out;
        const std::string dir = FIGPLOT_EXTERNAL_DIR;
        out.replace(out.find(dir), dir.size(), "BUILD");
        EXPECT_EQ(out, ReadText(fs::path(FIGPLOT_SOURCE_DIR) / "tests/cli/expected" / (std::string("info_") + build + ".txt")));
    }
}

// Text is smoothed only when the command line says so, wherever the flag stands and whatever
// the environment's default: the last of --smooth and --no-smooth counts.
TEST_F(FigplotProcess, SmoothingFlagsDecideWhateverTheEnvironment) {
    struct Case {
        const char *env, *before, *after, *expected;
    };
    const Case cases[] = {
        {"FIGPLOT_FONT_SMOOTHING=1", "", "", "bar_chart.png"},
        {"", "--smooth", "", "bar_chart_smooth.png"},
        {"", "", "--smooth", "bar_chart_smooth.png"},
        {"FIGPLOT_FONT_SMOOTHING=1", "--smooth", "--no-smooth", "bar_chart.png"},
    };
    const std::string list = FIGPLOT_SOURCE_DIR "/examples/charts/bar_chart.csv";
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.env) + " " + c.before + " ... " + c.after);
        const Outcome outcome = Run(std::string(c.before) + " compose '" + list + "' -o made.png --width 480 --height 320 --depth 24 " + c.after, c.env);
        ASSERT_EQ(outcome.exit, 0) << outcome.err;
        std::vector<uint8_t> expected, actual;
        std::string error;
        ASSERT_TRUE(figsim::ReadPictureFile((fs::path(FIGPLOT_SOURCE_DIR) / "docs/pictures/gallery" / c.expected).string(), &expected, &error)) << error;
        ASSERT_TRUE(figsim::ReadPictureFile((dir_ / "made.png").string(), &actual, &error)) << error;
        EXPECT_TRUE(clitest::Colours(actual) == clitest::Colours(expected));
    }
}

// Every example renders, and into exactly the pictures docs/ shows.
TEST_F(FigplotProcess, ExamplesRenderAsTheDocsShowThem) {
    const fs::path stored = fs::path(FIGPLOT_SOURCE_DIR) / "docs/pictures";
    const fs::path rendered = dir_ / "pictures";
    const std::string command = "FIGPLOT='" FIGPLOT_CLI "' bash '" FIGPLOT_SOURCE_DIR "/scripts/render-gallery.sh' '" +
                                rendered.string() + "' >/dev/null 2>'" + (dir_ / "err.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(dir_ / "err.txt");
    const auto files = [](const fs::path &root) {
        std::set<std::string> names;
        if (!fs::is_directory(root)) return names;
        for (const auto &entry : fs::recursive_directory_iterator(root))
            if (entry.is_regular_file()) names.insert(fs::relative(entry.path(), root).string());
        return names;
    };
    const std::set<std::string> made = files(rendered);
    EXPECT_EQ(made, files(stored)) << "run: cmake --build build --target gallery";
    for (const std::string &name : made) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> expected, actual;
        std::string error;
        if (!figsim::ReadPictureFile((stored / name).string(), &expected, &error)) continue;  // reported above
        ASSERT_TRUE(figsim::ReadPictureFile((rendered / name).string(), &actual, &error)) << error;
        EXPECT_EQ(clitest::Depth(actual), clitest::Depth(expected));
        EXPECT_TRUE(clitest::Colours(actual) == clitest::Colours(expected)) << "the picture differs from docs/pictures";
    }
}

// The bash completion offers each command's options and the values the program takes.
TEST_F(FigplotProcess, BashCompletion) {
    Write("c/one.csv", "");
    Write("c/two.fig", "");
    struct Case {
        const char *words;  // the command line so far; the last word is completed
        const char *offered;
    } cases[] = {
        {"figplot co", "compose"},
        {"figplot compose --d", "--depth"},
        {"figplot compose x.csv --depth \"\"", "1 4 8 16 24 32"},
        {"figplot --external figPlotU compose --format \"\"", "png bmp"},
        {"figplot compose c/", "c/one.csv"},
        {"figplot run -", "-o --external --smooth --no-smooth --help"},
        {"figplot help \"\"", "run compose info"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.words);
        const std::string script = "cd '" + dir_.string() + "' && bash -c 'source \"$0\"; COMP_WORDS=(" + c.words +
                                   "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _figplot; echo \"${COMPREPLY[*]}\"' '" +
                                   FIGPLOT_SOURCE_DIR "/scripts/figplot-completion.bash' >out.txt 2>err.txt";
        ASSERT_EQ(std::system(script.c_str()), 0) << ReadText(dir_ / "err.txt");
        EXPECT_EQ(ReadText(dir_ / "out.txt"), std::string(c.offered) + "\n");
    }
}

// Command-list cells by what their column takes: colour words drawn as their colours,
// texts where numbers belong refused with the cell's place. The picture is 5 x 3; its
// top-left pixel is painted white by the list's second line.
TEST_F(FigplotProcess, CommandListCells) {
    struct Case {
        const char *name, *colour, *extra;  // the first line's colour cell, then a line of its own
        int exit;
        const char *err;
        COLORREF corner;  // the bottom-right pixel
    } cases[] = {
        {"a colour name", "red", "", 0, "", 0x0000FF},
        {"names match without regard to case", "SteelBlue", "", 0, "", 0xB48246},
        {"#RRGGBB", "#123456", "", 0, "", 0x563412},
        {"a palette index stays", "3", "", 0, "", 0x008000},
        {"a negated 0x00BBGGRR", "-3368601", "", 0, "", 0x336699},
        {"a quoted number is read as the number", "\"-3368601\"", "", 0, "", 0x336699},
        {"texts in the columns of a text command are free", "teal", "6,2,0,Arial,5,1,0,\"hi\"\n", 0, "", 0x808000},
        {"an unknown colour word", "#12345", "", 1,
         "figplot: l.csv:2:11: unknown colour '#12345' in column 6 (color): a colour is a palette index, a negated "
         "0x00BBGGRR number, a colour name such as red or #RRGGBB", 0},
        {"a text where a number belongs", "red", "2,0,0,4,6,red,wide,0\n", 1,
         "figplot: l.csv:4:15: column 7 (lineSize) takes a number, not the text 'wide'", 0},
        {"a text as the code", "red", "draw,0,0,4,6,red,0\n", 1,
         "figplot: l.csv:4:1: column 1 (code) takes a command code from 0 to 6, not the text 'draw'", 0},
        {"non-ASCII text quoted readably", "r\xC3\xA9" "d\x01", "", 1,
         "figplot: l.csv:2:11: unknown colour 'r\xC3\xA9" "d\\x01' in column 6 (color): a colour is a palette index, a "
         "negated 0x00BBGGRR number, a colour name such as red or #RRGGBB", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // Spreadsheets end each row with a comma, the header too.
        Write("l.csv", std::string("code,top,left,bottom,right,color,c7,c8,\n0,0,0,4,6,") + c.colour +
                           ",0,,\n3,0,0,2,2,1,,,\n" + c.extra);
        fs::remove(dir_ / "l.png");
        const Outcome o = Run("compose l.csv -o l.png --width 5 --height 3");
        EXPECT_EQ(o.exit, c.exit);
        EXPECT_EQ(FirstLine(o.err), c.err);
        if (c.exit != 0) {
            EXPECT_FALSE(fs::exists(dir_ / "l.png"));
            continue;
        }
        std::vector<uint8_t> picture;
        std::string error;
        ASSERT_TRUE(figsim::ReadPictureFile((dir_ / "l.png").string(), &picture, &error)) << error;
        EXPECT_EQ(figsim::PackedDibPixel(picture, 4, 2), c.corner);
        EXPECT_EQ(figsim::PackedDibPixel(picture, 0, 0), 0xFFFFFFu);
    }
}

// What compose leaves in the folder: an old picture intact when anything fails, a new
// one whole, nothing where the command line is refused.
TEST_F(FigplotProcess, ComposeOutputs) {
    // Kept: a file left as it was made before the run; Stdout: the picture figplot printed
    enum State { Absent, Old, Picture, Kept, Stdout };
    struct Case {
        std::string args;
        int exit;
        std::string err;  // a line stderr holds, or empty for none at all
        std::vector<std::pair<std::string, State>> files;
        const char *before = "";  // a file made before the run, holding "old"
    } cases[] = {
        {"compose bad.csv -o x.png", 1, "figplot: bad.csv:3:4: bad number '4x'", {{"x.png", Old}}, "x.png"},
        {"compose short.csv -o x.bmp", 1,
         "figplot: short.csv: figPlot.ComposeFile answered ResultCode 2: bad parameters: the list 'drawCmds' has 2 "
         "columns; a command list needs at least 7",
         {{"x.bmp", Old}}, "x.bmp"},
        {"compose good.csv -o x.bmp --width 7 --height 5", 0, "", {{"x.bmp", Picture}}, "x.bmp"},
        {"compose good.csv -o x.png --width 7 --height 5", 0, "", {{"x.png", Picture}}, "x.png"},
        {"compose good.csv short.csv -o out/combined.png", 2,
         "figplot: -o out/combined.png names one picture, and 2 lists need a folder: give a folder (ending in /) or "
         "one list",
         {{"out", Absent}}},
        {"compose good.csv --format bmp -o x.png", 2, "figplot: --format bmp does not agree with the output x.png",
         {{"x.png", Absent}}},
        {"compose good.csv -o new/er/x.bmp --width 3", 0, "", {{"new/er/x.bmp", Picture}}},
        {"compose good.csv short.csv bad.csv -o out/ --jobs 3 --format bmp", 1, "figplot: bad.csv:3:4: bad number '4x'",
         {{"out/good.bmp", Picture}, {"out/short.bmp", Absent}, {"out/bad.bmp", Absent}}},
        {"compose good.csv -o x.png", 0,
         "figplot: note: x.png~figplot3.tmp is left from a run that was stopped; remove it unless a figplot is "
         "writing there now",
         {{"x.png", Picture}, {"x.png~figplot3.tmp", Kept}}, "x.png~figplot3.tmp"},
        {"compose good.csv -o x.bmp", 0, "", {{"x.bmp", Picture}, {"x.bmp~figplot1.tmp", Absent}}},
        {"compose - -o - --width 3 --height 5 <good.csv", 0, "", {{"x.png", Stdout}}},
        {"compose - -o - --format bmp <good.csv", 0, "", {{"x.bmp", Stdout}}},
        {"compose good.csv -o " + std::string(251, 'n') + ".bmp", 1,
         "figplot: good.csv: the path " + std::string(251, 'n') + ".bmp has 255 characters; the external takes at most 254",
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args);
        for (const auto &entry : fs::directory_iterator(dir_))
            if (entry.path().extension() != ".csv") fs::remove_all(entry.path());
        if (*c.before) Write(c.before, "old");
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.exit, c.exit);
        if (c.err.empty()) EXPECT_EQ(o.err, "");
        else EXPECT_NE(o.err.find(c.err + "\n"), std::string::npos) << o.err;
        for (const auto &[name, state] : c.files) {
            SCOPED_TRACE(name);
            const fs::path path = dir_ / name;
            std::vector<uint8_t> picture;
            std::string error;
            if (state == Stdout) std::ofstream(path, std::ios::binary) << o.out;
            switch (state) {
                case Absent: EXPECT_FALSE(fs::exists(path)); break;
                case Old:
                case Kept: EXPECT_EQ(ReadText(path), "old"); break;
                case Picture:
                case Stdout: EXPECT_TRUE(figsim::ReadPictureFile(path.string(), &picture, &error)) << error; break;
            }
        }
    }
}

// A picture replaced by figplot keeps what users rely on: the file's mode, a symbolic
// link (its target gets the picture), hard links (still one file).
TEST_F(FigplotProcess, ReplacedPicturesKeepModeAndLinks) {
    for (const char *save : {"compose good.csv -o link.png", "run s.fig"}) {
        SCOPED_TRACE(save);
        Write("s.fig", "Picture p = Blank(5, 3, 24)\nSave(p, \"link.png\")\n");
        for (const char *name : {"target.png", "link.png", "hard.png"}) fs::remove(dir_ / name);
        Write("target.png", "old");
        fs::permissions(dir_ / "target.png", fs::perms::owner_read | fs::perms::owner_write);
        fs::create_symlink("target.png", dir_ / "link.png");
        fs::create_hard_link(dir_ / "target.png", dir_ / "hard.png");
        const Outcome o = Run(save);
        ASSERT_EQ(o.exit, 0) << o.err;
        EXPECT_TRUE(fs::is_symlink(dir_ / "link.png"));
        EXPECT_EQ(fs::status(dir_ / "target.png").permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(fs::hard_link_count(dir_ / "target.png"), 2u);
        std::vector<uint8_t> picture;
        std::string error;
        EXPECT_TRUE(figsim::ReadPictureFile((dir_ / "hard.png").string(), &picture, &error)) << error;
    }
}

// A batch stopped by SIGTERM or SIGINT while a temporary exists leaves none behind,
// figplot's (.png) or ComposeFile's (.bmp). The process is paused as soon as a temporary
// shows, so that the signal always lands while one exists.
TEST_F(FigplotProcess, StoppedBatchLeavesNoTemporaries) {
    std::string lists;
    for (int i = 0; i < 12; ++i) {
        Write("big" + std::to_string(i) + ".csv", "code,top,left,bottom,right,color,c7\n0,0,0,3001,2401,#123456,0\n");
        lists += " big" + std::to_string(i) + ".csv";
    }
    for (const char *format : {"png", "bmp"}) {
        for (const char *signal : {"TERM", "INT"}) {
            SCOPED_TRACE(std::string(format) + " " + signal);
            std::string seen;
            for (int attempt = 0; attempt < 3 && seen.find("~figplot") == std::string::npos; ++attempt) {
                fs::remove_all(dir_ / "out");
                const std::string script = "cd '" + dir_.string() + "' && { '" FIGPLOT_CLI "' compose" + lists +
                                           " -o out/ --format " + format + " --width 2399 --height 2999 2>err.txt & " +
                                           "p=$!; n=0; until ls out 2>/dev/null | grep -q figplot || [ $n -gt 5000 ]; " +
                                           "do n=$((n+1)); done; kill -STOP $p; ls out >seen.txt; kill -" + signal +
                                           " $p; kill -CONT $p; wait $p; echo $? >rc.txt; }";
                ASSERT_EQ(std::system(script.c_str()), 0);
                seen = ReadText(dir_ / "seen.txt");
            }
            ASSERT_NE(seen.find("~figplot"), std::string::npos) << "no temporary was ever seen";
            EXPECT_NE(ReadText(dir_ / "rc.txt"), "0\n");
            for (const auto &entry : fs::directory_iterator(dir_ / "out"))
                EXPECT_EQ(entry.path().extension(), std::string(".") + format) << entry.path();
        }
    }
}

}  // namespace
