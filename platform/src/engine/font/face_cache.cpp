// Realised faces shared between fonts, as GDI's font cache shares them: programs make a
// font, draw a line of text and delete it, over and over, and opening a face (fontconfig's
// match, FreeType's face, the TrueType programs run at the size) costs far more than the
// text. Faces in use are shared by every font of the same LOGFONT; a few idle ones are kept.
#include "engine/font/face_opening.h"

#include "engine/font/face.h"
#include "engine/font/font.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace figplat::font {
namespace {

constexpr size_t kIdleFacesKept = 16;

struct CachedFace {
    LOGFONTW request;
    Face *face;
    int users;
    uint64_t lastUse;
};

struct FaceCache {
    std::mutex mutex;
    std::vector<CachedFace> faces;
    uint64_t clock = 0;
};

FaceCache &Cache() {
    static FaceCache *cache = new FaceCache;  // lives to the end of the process
    return *cache;
}

// The same request: every field, the face name up to its terminator.
bool SameRequest(const LOGFONTW &a, const LOGFONTW &b) {
    if (std::memcmp(&a, &b, offsetof(LOGFONTW, lfFaceName)) != 0) return false;
    for (int i = 0; i < LF_FACESIZE; ++i) {
        if (a.lfFaceName[i] != b.lfFaceName[i]) return false;
        if (a.lfFaceName[i] == 0) return true;
    }
    return true;
}

Face *TakeCached(FaceCache &cache, const LOGFONTW &logfont) {
    for (CachedFace &entry : cache.faces)
        if (SameRequest(entry.request, logfont)) {
            ++entry.users;
            entry.lastUse = ++cache.clock;
            return entry.face;
        }
    return nullptr;
}

// Closes the least recently used idle faces beyond the few kept.
void TrimIdle(FaceCache &cache) {
    for (;;) {
        size_t idle = 0, oldest = cache.faces.size();
        for (size_t i = 0; i < cache.faces.size(); ++i) {
            if (cache.faces[i].users > 0) continue;
            ++idle;
            if (oldest == cache.faces.size() || cache.faces[i].lastUse < cache.faces[oldest].lastUse) oldest = i;
        }
        if (idle <= kIdleFacesKept) return;
        CloseUncached(cache.faces[oldest].face);
        cache.faces.erase(cache.faces.begin() + static_cast<std::ptrdiff_t>(oldest));
    }
}

}  // namespace

Face *Realize(const LOGFONTW &logfont) {
    FaceCache &cache = Cache();
    {
        std::lock_guard<std::mutex> guard(cache.mutex);
        if (Face *face = TakeCached(cache, logfont)) return face;
    }
    Face *face = OpenUncached(logfont);
    if (!face) return nullptr;
    std::lock_guard<std::mutex> guard(cache.mutex);
    if (Face *raced = TakeCached(cache, logfont)) {  // another thread opened it meanwhile
        CloseUncached(face);
        return raced;
    }
    try {
        cache.faces.push_back(CachedFace{logfont, face, 1, ++cache.clock});
    } catch (const std::bad_alloc &) {
        CloseUncached(face);
        return nullptr;
    }
    return face;
}

void Release(Face *face) {
    if (!face) return;
    FaceCache &cache = Cache();
    std::lock_guard<std::mutex> guard(cache.mutex);
    for (CachedFace &entry : cache.faces)
        if (entry.face == face) {
            --entry.users;
            entry.lastUse = ++cache.clock;
            break;
        }
    TrimIdle(cache);
}

}  // namespace figplat::font
