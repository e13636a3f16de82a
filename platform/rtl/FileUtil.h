#pragma once
// Whole-file reading and atomic replacement, shared by every writer of files.

#include <sys/types.h>

#include "platform/rtl/Types.h"

namespace vcl {

// Reads a whole regular file. Raises EFOpenError `Cannot open file "<path>". <reason>`, also for a
// folder, a FIFO or a device in its place (never waiting on one).
String ReadFileBytes(const String& path);

// Replaces the file at `path` with `data` atomically: a temporary file "<path>.tmp-XXXXXX" in the same
// folder is written, flushed to disk and renamed over the target, so a reader sees the old or the new
// file and never a part of one. The file gets the permission bits `mode`. A symbolic link at `path` is
// replaced by a plain file, never followed. A writer holds a lock on its temporary file while it
// lives; after a successful write, the temporaries of `path` that nobody holds (left by a writer
// that was killed) are removed. Raises EFCreateError `Cannot create file "<path>". <reason>`.
void WriteFileAtomic(const String& path, const String& data, mode_t mode = 0644);

// An advisory lock (flock) on a lock file, created when missing (owner-only); released when the
// object goes. The lock file stays: removing it could let two writers lock two different files.
class TFileLock {
public:
    TFileLock() = default;
    ~TFileLock();
    TFileLock(const TFileLock&) = delete;
    TFileLock& operator=(const TFileLock&) = delete;
    // Waits for the lock; returns 0, or the errno of the failure.
    int Acquire(const String& lockPath, bool exclusive);

private:
    int FFd = -1;
};

bool FileExists(const String& path);
bool DirectoryExists(const String& path);
// Creates the folder and its missing parents; true when the folder exists afterwards.
bool ForceDirectories(const String& path, mode_t mode = 0755);

} // namespace vcl
