#pragma once

#include "platform/desktop/Shell.h"

#include <QStringList>

namespace lectern::test {

// Records the files the windows ask the shell to open.
class RecordingShell : public platform::Shell {
  public:
    void open(const QString& coursePath) override { opened.append(coursePath); }
    QStringList opened;
};

}  // namespace lectern::test
