#pragma once

#include <QString>

namespace lectern::platform {

// Where a recording's bytes go: a file the sound writer seeks in, reads back
// and writes, as a descriptor would. Calls return what they did (bytes, an
// offset) or -1; after a failure, failure() says why.
class RecordingTarget {
  public:
    virtual ~RecordingTarget() = default;

    virtual long long length() = 0;
    virtual long long seek(long long offset, int whence) = 0;
    virtual long long read(void* data, long long bytes) = 0;
    // May write fewer bytes than asked (a full disk).
    virtual long long write(const void* data, long long bytes) = 0;
    virtual long long tell() = 0;
    // Lets the file go; false when the system could not keep what was written.
    virtual bool close() = 0;
    virtual QString failure() const = 0;
};

}  // namespace lectern::platform
