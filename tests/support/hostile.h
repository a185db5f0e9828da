// The hostile host: a seeded, deterministic generator of calls drawn to hurt. While one
// lives, the host it was given also bends name references, "#LN" line counts, byte lengths
// and field information now and then, as a careless or hostile host's would, though never
// beyond the buffers the library offers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "figsim.h"

namespace figsim {

class Hostile {
public:
    Hostile(Host &host, uint32_t seed);
    ~Hostile();  // the host answers honestly again
    Hostile(const Hostile &) = delete;
    Hostile &operator=(const Hostile &) = delete;

    // The next call's parameters for `function`, with the host's quirks and command list
    // drawn for it; a file path it draws lies in `fileFolder` or is relative.
    std::vector<Value> NextCall(int function, const std::string &fileFolder);

    // A number below `bound` (any 32-bit number for 0), and a roll of the dice.
    uint32_t Random(uint32_t bound);
    bool Chance(int percent) { return Random(100) < static_cast<uint32_t>(percent); }

private:
    double Number();
    double Pen();
    std::u32string Text();
    Value Picture(bool mayBeLarge);
    void DrawQuirks();
    void DrawList(const std::u32string &name);

    Host &host_;
    uint64_t state_;
};

}  // namespace figsim
