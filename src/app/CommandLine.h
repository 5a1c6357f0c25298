#pragma once

#include <QString>
#include <QStringList>

namespace lectern::app {

// The player's command line: `lectern [--choose] [COURSE_FOLDER]`. Parsing
// needs no application object, so that --version and mistakes are answered
// without a display; only the help text needs a QCoreApplication.
class CommandLine {
  public:
    enum class Action {
        Run,          // start in `folder`, or in the current folder when it is empty
        Choose,       // ask for the course folder first
        ShowHelp,     // print helpText() and end with status 0
        ShowVersion,  // print versionText() and end with status 0
        Misuse,       // print `error` and the usage, end with UsageStatus
    };

    // The exit status of a mistaken command line and of a folder that cannot
    // be used.
    static constexpr int UsageStatus = 2;

    // The arguments as the program got them, its own name first.
    explicit CommandLine(const QStringList& arguments);

    Action action() const { return action_; }
    const QString& folder() const { return folder_; }
    const QString& error() const { return error_; }

    QString helpText() const;
    static QString versionText();

    // Makes `folder` the current folder, as if the player had been started
    // there. Empty text on success, else the reason for the learner, naming
    // the folder.
    static QString enterCourseFolder(const QString& folder);

  private:
    Action action_ = Action::Run;
    QString folder_;
    QString error_;
};

}  // namespace lectern::app
