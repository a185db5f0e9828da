// Draws every scene onto DIB sections and writes the results for the comparator.
//
// Built twice from this one source: natively against the platform library and with
// mingw-w64 against the real Windows API (run under Wine). Usage:
//   scene_runner <output directory> [substring]     only scenes whose name contains it
//   scene_runner --smooth <output directory> [substring]
//                                                   the text scenes with font smoothing on
//   scene_runner --list
#include "record.h"
#include "scene.h"
#include "scenes_arcs.h"
#include "scenes_blit.h"
#include "scenes_boxes.h"
#include "scenes_colour.h"
#include "scenes_lines.h"
#include "scenes_objects.h"
#include "scenes_random.h"
#include "scenes_text.h"
#include "scenes_widepens.h"

#include <cstdio>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <figplatform.h>
#endif

namespace {

// Natively, every scene must give back every object it made: the platform's live-object
// count after a scene equals the count before it. (Windows has no such count.)
int LiveObjects() {
#ifdef _WIN32
    return 0;
#else
    return PlatformLiveTotal();
#endif
}

scenes::SceneList AllScenes() {
    scenes::SceneList list;
    scenes::AddLineScenes(list);
    scenes::AddBoxScenes(list);
    scenes::AddArcScenes(list);
    scenes::AddWidePenScenes(list);
    scenes::AddColourScenes(list);
    scenes::AddColourFlagScenes(list);
    scenes::AddBackgroundRuleScenes(list);
    scenes::AddPixelScenes(list);
    scenes::AddBlitScenes(list);
    scenes::AddTextScenes(list);
    scenes::AddRandomScenes(list);
    scenes::AddObjectScenes(list);
    return list;
}

// The text scenes again with font smoothing turned on, each class renamed "smooth..." so
// that the comparison reports them apart. Under Wine the prefix's fontconfig smooths
// (the setting alone does not reach Wine's outline faces); natively the setting does.
scenes::SceneList SmoothScenes() {
    SystemParametersInfoW(SPI_SETFONTSMOOTHING, TRUE, nullptr, 0);
    scenes::SceneList list;
    scenes::AddTextScenes(list);
    for (scenes::Scene& scene : list) scene.cls = "smooth" + scene.cls;
    return list;
}

// A scene whose objects could not be made still gets a record (with no pixels) so that
// the comparator reports it instead of silently losing it.
scenes::Record RunScene(const scenes::Scene& scene) {
    scenes::Record record;
    if (!scene.run(record)) {
        record = scenes::Record();
        record.width = 0;
        record.height = 0;
    }
    record.name = scene.name;
    record.cls = scene.cls;
    return record;
}

int WriteAll(const scenes::SceneList& list, const std::string& directory, const char* filter) {
    std::string path = directory + "/scenes.bin";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "scene_runner: cannot write %s\n", path.c_str());
        return 2;
    }
    int written = 0, leaking = 0;
    for (const scenes::Scene& scene : list) {
        if (filter && scene.name.find(filter) == std::string::npos) continue;
        const int before = LiveObjects();
        scenes::Record record = RunScene(scene);
        if (LiveObjects() != before) {
            std::fprintf(stderr, "scene_runner: %s left %d objects alive\n", scene.name.c_str(), LiveObjects() - before);
            ++leaking;
        }
        if (!scenes::WriteRecord(file, record)) {
            std::fprintf(stderr, "scene_runner: write failed at %s\n", scene.name.c_str());
            std::fclose(file);
            return 2;
        }
        ++written;
    }
    std::fclose(file);
    std::printf("scene_runner: %d scenes written to %s\n", written, path.c_str());
    if (leaking) std::fprintf(stderr, "scene_runner: %d scenes leaked objects\n", leaking);
    return leaking ? 3 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const scenes::Scene& scene : AllScenes()) std::printf("%s %s\n", scene.cls.c_str(), scene.name.c_str());
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "--smooth") == 0)
        return WriteAll(SmoothScenes(), argv[2], argc >= 4 ? argv[3] : nullptr);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scene_runner [--smooth] <output directory> [name substring] | --list\n");
        return 2;
    }
    return WriteAll(AllScenes(), argv[1], argc >= 3 ? argv[2] : nullptr);
}
