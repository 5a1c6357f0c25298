#pragma once

#include <QString>
#include <exception>
#include <string>

namespace lectern::platform {

// The one error kind of the program. Handlers let it escape; the guard around
// every event handler turns it into the standard error box.
class Error : public std::exception {
  public:
    explicit Error(QString message) : message_(std::move(message)), utf8_(message_.toStdString()) {}

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

  private:
    QString message_;
    std::string utf8_;
};

// Raised by the media player: a player that is not open, or a file the
// sound system cannot open.
class EMCIDeviceError : public Error {
  public:
    using Error::Error;
};

}  // namespace lectern::platform
