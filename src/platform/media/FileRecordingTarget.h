#pragma once

#include "platform/files/SafeFile.h"
#include "platform/media/RecordingTarget.h"

namespace lectern::platform {

// A recording target on an open file of the course.
class FileRecordingTarget : public RecordingTarget {
  public:
    explicit FileRecordingTarget(SafeFile file) : fd_(file.release()) {}
    ~FileRecordingTarget() override;

    long long length() override;
    long long seek(long long offset, int whence) override;
    long long read(void* data, long long bytes) override;
    long long write(const void* data, long long bytes) override;
    long long tell() override;
    bool close() override;
    QString failure() const override { return failure_; }

  private:
    long long failed();

    int fd_ = -1;
    QString failure_;
};

}  // namespace lectern::platform
