// The table of live platform objects, shared by every API family of the platform.
//
// Windows hands out opaque handles and rejects stale ones; so do we. A handle is a key
// into one table: a synthetic number that is never reused (so a deleted handle stays
// invalid forever), or for fixed memory blocks the block's own address, since Windows
// code passes GlobalAlloc(GMEM_FIXED) results to GlobalFree and uses them as pointers.
#pragma once

#include <figplatform.h>

#include <cstdint>

namespace figplat {

// Registers an object under a fresh synthetic handle.
HANDLE RegisterObject(PlatformObjectKind kind, void *object);
// Registers an object under a handle the caller chooses (fixed memory: its address).
// Returns false when the key is already taken.
bool RegisterObjectAt(HANDLE handle, PlatformObjectKind kind, void *object);
// Stock objects live forever, are not counted and cannot be unregistered.
HANDLE RegisterStockObject(PlatformObjectKind kind, void *object);

// The object behind a live handle of that kind, or null for a stale, foreign or
// other-kind handle.
void *LookupObject(const void *handle, PlatformObjectKind kind);
// Kind of a live handle; false when the handle is not live.
bool KindOfHandle(const void *handle, PlatformObjectKind *kind);

// Removes a live, non-stock handle and returns its object (null if there was none).
void *UnregisterObject(const void *handle, PlatformObjectKind kind);

// A release call was given `handle` and found nothing to release: counted when the handle
// is not live at all (a second release of one object), for PlatformStaleReleases.
void NoteFailedRelease(const void *handle);

}  // namespace figplat
