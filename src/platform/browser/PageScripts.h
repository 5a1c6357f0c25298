#pragma once

#include "platform/browser/PageEdit.h"
#include "platform/browser/PageWord.h"

#include <QString>
#include <vector>

namespace lectern::platform {

// The scripts the web engine backend runs in a shown page.
namespace PageScripts {

// Gives [markup, static]: the page's markup as the engine holds it, with
// the learner's ticks and typed text written into it (a plain outerHTML
// would lose them), and whether nothing but the page's file shapes its
// document (no script, no inline handler, no input).
QString serialize();
// Installed at document creation: reports every change to an input or
// textarea through the console, as a line that inputReport understands.
QString inputBridge();
// Installed for when the document is parsed: reports its address through
// the console, as a line that readyReport understands.
QString readyNotice();
// The address of a ready notice; empty when the console line is something
// else.
QString readyReport(const QString& consoleLine);
// Repeats one change of the document model in the page.
QString edit(const PageEdit& edit);
// Installed at document creation, in the world of the ready notice: makes
// the changes of the document model that were made before the page existed,
// in order, as the page is parsed. All are in when the ready notice runs;
// one whose element the page lacks is dropped, as edit() drops it.
QString earlyEdits(const std::vector<PageEdit>& edits);
// Installed at document creation in the player's own world, which page
// scripts cannot reach: reports a double-click of the learner (never one a
// script makes) on a word outside the form controls, through the console,
// as a line that wordReport understands only with the same `token`.
QString wordReporter(const QString& token);
// The word of a reporter's line; false when the line is something else or
// lacks the token. The rectangle is in the page's CSS pixels.
bool wordReport(const QString& consoleLine, const QString& token, PageWord& word);
// The input states of a bridge report; false when the console line is
// something else.
bool inputReport(const QString& consoleLine, std::vector<InputState>& states);

}  // namespace PageScripts

}  // namespace lectern::platform
