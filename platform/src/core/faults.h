// Fault injection points. Every API function that can fail on Windows starts with
//
//     if (FIG_FAULT_POINT("GlobalAlloc")) return nullptr;   // fail as Windows does
//
// The site is a function-local static, so the hot path is one atomic increment and one
// relaxed load; the name is looked up only once per site. Fault points exist only in the
// test build of the platform (FIGPLOT_TEST_HOOKS); the shipped library's are `false`, so a
// release call pays no counter.
#pragma once

#ifdef FIGPLOT_TEST_HOOKS

#include <atomic>

namespace figplat {

class FaultSite {
public:
    explicit FaultSite(const char *function);
    // Counts the call; true when an armed fault fires on it.
    bool Enter();

    const char *name() const { return name_; }
    std::atomic<int> calls{0};
    std::atomic<int> failAt{0};  // 0: disarmed; else the call number (counted from arming) that fails

private:
    const char *name_;
};

}  // namespace figplat

#define FIG_FAULT_POINT(function)                              \
    ([]() -> bool {                                            \
        static ::figplat::FaultSite figFaultSite_(function);   \
        return figFaultSite_.Enter();                          \
    }())
#else
#define FIG_FAULT_POINT(function) false
#endif
