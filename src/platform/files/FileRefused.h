#pragma once

#include "platform/Error.h"

namespace lectern::platform {

// A course file that cannot be read, or is refused: the message names the
// file, reason() tells why on its own (empty when the file does not exist).
class FileRefused : public Error {
  public:
    FileRefused(QString message, QString reason)
        : Error(std::move(message)), reason_(std::move(reason)) {}

    const QString& reason() const noexcept { return reason_; }

  private:
    QString reason_;
};

}  // namespace lectern::platform
