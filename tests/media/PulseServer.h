#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace lectern::test {

// A private PulseAudio server with one null sink (whose monitor is the
// default source), reached through this process's environment: ALSA's
// "pulse" plugin, and so PortAudio, talk to it. Stops the server on
// destruction.
class PulseServer {
  public:
    PulseServer();
    ~PulseServer();

    // Empty when the server runs; else why it could not start.
    QString failure() const { return failure_; }
    // Kills the server without warning, as when the sound system dies.
    void kill();
    // Starts it again on the same socket, as when the sound system comes back.
    void restart();

  private:
    void start();

    QTemporaryDir runtime_;
    QProcess process_;
    QString failure_;
    QByteArray oldRuntime_, oldServer_;
};

// Runs pactl against the server this process's environment names; its
// output, or nothing when it fails.
QString pactl(const QStringList& arguments);

}  // namespace lectern::test
