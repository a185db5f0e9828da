// The files the command-line host writes: never a partial file or a lost old one. A picture
// goes into a temporary "<target>~figplotN.tmp" beside its target (the name the external's
// ComposeFile also uses) and is renamed over the target once whole; SIGINT and SIGTERM
// remove the temporaries of the targets being written, the external's too.
#pragma once

#include <string>
#include <vector>

namespace figcli {

// Why the external cannot take `path` whole (its text buffer holds 255 units, and a path
// that fills it may have been cut), or empty.
std::string PathTooLong(const std::string &path);

// Writes `picture` (.png or .bmp by the name) to `path` through a temporary and a rename,
// keeping the old file's mode, writing through a symbolic link to its target and through
// a file with several hard links. False with `error` set; the old file is then intact.
bool WritePictureSafely(const std::string &path, const std::vector<uint8_t> &picture, std::string *error);

// Writes `picture` to standard output as a .png or .bmp file ("png" or "bmp").
bool WritePictureToStdout(const std::vector<uint8_t> &picture, const std::string &format, std::string *error);

// Temporaries ("...~figplot*.tmp") in `folder` left by a run that was killed; with
// `target` set, only that target's.
std::vector<std::string> StaleTemporaries(const std::string &folder, const std::string &target = "");
// Prints a note for each on stderr, and remembers them as the only temporaries there before
// the batch, so that a signal leaves them and writing a picture need not look for them.
void ReportStaleTemporaries(const std::vector<std::string> &stale);

// Makes SIGINT and SIGTERM remove the temporaries of the targets being written, then end
// the process as the signal would.
void RemoveTemporariesOnSignal();

// While it lives, a signal removes the temporaries of `target` that did not exist when it
// was made. One per thread writing.
class WritingTarget {
public:
    explicit WritingTarget(const std::string &target);
    ~WritingTarget();
    WritingTarget(const WritingTarget &) = delete;
    WritingTarget &operator=(const WritingTarget &) = delete;

private:
    int slot_ = -1;
};

}  // namespace figcli
