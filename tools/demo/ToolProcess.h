#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lectern::demo {

// Runs a command-line tool to its end; a tool that cannot start, fails or
// takes more than a minute ends the build of the course with its message.
QByteArray runTool(const QString& program, const QStringList& arguments);

}  // namespace lectern::demo
