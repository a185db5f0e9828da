#include "output_paths.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "file_bytes.h"
#include "figsim.h"
#include "sim_files.h"

namespace figcli {
namespace {

namespace fs = std::filesystem;

constexpr size_t kPathUnitsLimit = 254;  // a 255-unit buffer less the terminating zero
constexpr int kTemporaryNumbers = 100;   // ComposeFile's names run from ~figplot1 to ~figplot100
constexpr int kSlots = 64;               // targets written at once
constexpr size_t kSlotPath = 4096;

// What a signal handler may read: fixed storage, each slot published with an atomic flag.
// The flags lie together and the rest is plain zeroed storage, so that it costs a process
// nothing until it is used.
struct SlotFlags {
    std::atomic<bool> claimed;
    std::atomic<bool> active;
};
struct Slot {
    char target[kSlotPath];
    bool existed[kTemporaryNumbers + 1];
};
SlotFlags g_flags[kSlots];
Slot g_slots[kSlots];

// The temporaries a batch found before it began, when it looked; otherwise each target's
// are looked for one by one.
bool g_folderScanned = false;
std::set<std::string> g_foundTemporaries;

bool TemporaryExisted(const char *name) {
    if (g_folderScanned) return g_foundTemporaries.count(name) != 0;
    return access(name, F_OK) == 0;
}

// "<target>~figplot<n>.tmp" into `out`, with nothing a signal handler may not call.
bool TemporaryName(const char *target, int n, char *out, size_t size) {
    const size_t length = std::strlen(target);
    char digits[8];
    int count = 0;
    do digits[count++] = static_cast<char>('0' + n % 10), n /= 10;
    while (n > 0);
    if (length + 8 + count + 4 + 1 > size) return false;
    std::memcpy(out, target, length);
    std::memcpy(out + length, "~figplot", 8);
    size_t at = length + 8;
    while (count > 0) out[at++] = digits[--count];
    std::memcpy(out + at, ".tmp", 5);
    return true;
}

void RemoveTemporaries(int signal) {
    char name[kSlotPath + 32];
    for (int i = 0; i < kSlots; ++i) {
        const Slot &slot = g_slots[i];
        if (!g_flags[i].active.load()) continue;
        for (int n = 1; n <= kTemporaryNumbers; ++n)
            if (!slot.existed[n] && TemporaryName(slot.target, n, name, sizeof name)) unlink(name);
    }
    ::signal(signal, SIG_DFL);
    raise(signal);
}

std::string SystemReason(const std::string &path, int error) {
    return "cannot write " + path + ": " + std::strerror(error);
}

// A temporary beside `target` that no one else has: made empty here, filled by the writer.
// 0, or the system's reason when none can be made.
int MakeTemporary(const std::string &target, std::string *temporary) {
    char name[kSlotPath + 32];
    for (int n = 1; n <= kTemporaryNumbers; ++n) {
        if (!TemporaryName(target.c_str(), n, name, sizeof name)) return ENAMETOOLONG;
        const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) {
            close(fd);
            *temporary = name;
            return 0;
        }
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// The file a write replaces: a symbolic link's target, since replacing the link itself
// leaves its target with the old picture.
std::string FileBehindLinks(const std::string &path) {
    std::error_code failed;
    if (!fs::is_symlink(fs::symlink_status(path, failed))) return path;
    const fs::path resolved = fs::weakly_canonical(path, failed);
    return failed ? path : resolved.string();
}

// Several names share the file: writing through it keeps them one file.
bool WriteThroughLinks(const std::string &target, const std::string &temporary, std::string *error) {
    std::vector<uint8_t> bytes;
    const bool written = figsim::ReadFileBytes(temporary, &bytes, error) && figsim::WriteFileBytes(target, bytes, error);
    unlink(temporary.c_str());
    return written;
}

// The temporary's name ends in .tmp: the target's name says which format it holds.
bool WriteByExtension(const std::string &target, const std::string &temporary, const std::vector<uint8_t> &picture,
                      std::string *error) {
    std::string ext = fs::path(target).extension().string();
    for (char &c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".bmp") return figsim::WriteBmpFile(temporary, picture, error);
    if (ext == ".png") return figsim::WritePngFile(temporary, picture, error);
    *error = "cannot write " + target + ": a picture file name ends in .bmp or .png";
    return false;
}

}  // namespace

std::string PathTooLong(const std::string &path) {
    const size_t units = figsim::Utf8ToUtf32(path).size();
    if (units <= kPathUnitsLimit) return "";
    return "the path " + path + " has " + std::to_string(units) + " characters; the external takes at most " +
           std::to_string(kPathUnitsLimit);
}

bool WritePictureSafely(const std::string &path, const std::vector<uint8_t> &picture, std::string *error) {
    const std::string target = FileBehindLinks(path);
    struct stat old;
    const bool existed = stat(target.c_str(), &old) == 0;
    WritingTarget writing(target);
    std::string temporary;
    if (const int reason = MakeTemporary(target, &temporary)) {
        // A name too long for the suffix, or a folder that takes no new file while the file
        // itself is writable: the file is written in place, as Windows programs do.
        if ((reason == ENAMETOOLONG || reason == EACCES) && existed && access(target.c_str(), W_OK) == 0)
            return WriteByExtension(path, target, picture, error);
        *error = SystemReason(path, reason);
        return false;
    }
    if (!WriteByExtension(path, temporary, picture, error)) {
        unlink(temporary.c_str());
        if (error->find(temporary) != std::string::npos) error->replace(error->find(temporary), temporary.size(), path);
        return false;
    }
    if (existed && old.st_nlink > 1) return WriteThroughLinks(target, temporary, error);
    if (existed) chmod(temporary.c_str(), old.st_mode & 07777);
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        *error = SystemReason(path, errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool WritePictureToStdout(const std::vector<uint8_t> &picture, const std::string &format, std::string *error) {
    std::string name = (fs::temp_directory_path() / "figplot-stdoutXXXXXX.").string() + format;
    const int fd = mkstemps(name.data(), static_cast<int>(format.size() + 1));
    if (fd < 0) return (*error = SystemReason(name, errno)), false;
    close(fd);
    std::vector<uint8_t> bytes;
    bool written = figsim::WritePictureFile(name, picture, error) && figsim::ReadFileBytes(name, &bytes, error);
    unlink(name.c_str());
    if (written && (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() || std::fflush(stdout) != 0)) {
        *error = SystemReason("standard output", errno);
        written = false;
    }
    return written;
}

std::vector<std::string> StaleTemporaries(const std::string &folder, const std::string &target) {
    std::vector<std::string> stale;
    std::error_code failed;
    const std::string prefix = target.empty() ? "" : fs::path(target).filename().string();
    for (const auto &entry : fs::directory_iterator(folder.empty() ? "." : folder, failed)) {
        const std::string name = entry.path().filename().string();
        const size_t mark = name.rfind("~figplot");
        if (mark == std::string::npos || name.size() < 4 || name.compare(name.size() - 4, 4, ".tmp") != 0) continue;
        if (!target.empty() && name.compare(0, mark, prefix) != 0) continue;
        stale.push_back(folder.empty() ? name : entry.path().string());
    }
    return stale;
}

void ReportStaleTemporaries(const std::vector<std::string> &stale) {
    g_folderScanned = true;
    g_foundTemporaries.insert(stale.begin(), stale.end());
    for (const std::string &name : stale)
        std::fprintf(stderr, "figplot: note: %s is left from a run that was stopped; remove it unless a figplot is "
                             "writing there now\n", name.c_str());
}

void RemoveTemporariesOnSignal() {
    struct sigaction action {};
    action.sa_handler = RemoveTemporaries;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

WritingTarget::WritingTarget(const std::string &target) {
    if (target.size() >= kSlotPath) return;
    for (int i = 0; i < kSlots && slot_ < 0; ++i) {
        bool expected = false;
        Slot &slot = g_slots[i];
        if (!g_flags[i].claimed.compare_exchange_strong(expected, true)) continue;
        std::memcpy(slot.target, target.c_str(), target.size() + 1);
        char name[kSlotPath + 32];
        for (int n = 1; n <= kTemporaryNumbers; ++n)
            slot.existed[n] = (!g_folderScanned || !g_foundTemporaries.empty()) &&
                              TemporaryName(slot.target, n, name, sizeof name) && TemporaryExisted(name);
        slot_ = i;
        g_flags[i].active.store(true);
    }
}

WritingTarget::~WritingTarget() {
    if (slot_ < 0) return;
    g_flags[slot_].active.store(false);
    g_flags[slot_].claimed.store(false);
}

}  // namespace figcli
