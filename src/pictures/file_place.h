// Puts a complete file's bytes at a path without losing what the user has there.
#pragma once

#include <windows.h>

#include <cstdint>

#include <figplot/host_api.h>

#include "protocol/host_text.h"

namespace fig {

// The bytes of one file, in the order they go out: a header, a description, the body
// (written in pieces of 4096 bytes and a remainder).
struct FileParts {
    const void *header;
    DWORD headerSize;
    const void *description;
    DWORD descriptionSize;
    const void *body;
    DWORD bodySize;
};

// Writes the file at `path` and answers 0 or 5. A symbolic link is followed and its
// target replaced; an existing file keeps its mode, owner, attributes and access control
// (the platform's ReplaceFile); a file with other hard links is written through, so that
// every name sees the new picture. Otherwise the bytes go to a temporary file beside the
// target, "<target>~figplot<n>.tmp", moved over the target only once whole; when no
// temporary can be made there (a name too long, a folder the caller may not write), the
// target itself is written. A read-only, hidden or system file, or a folder, is refused
// with 5 and left as it was, as CREATE_ALWAYS with FILE_ATTRIBUTE_NORMAL refuses it.
int16_t PlaceFile(const HostChar *path, const FileParts &parts);

}  // namespace fig
