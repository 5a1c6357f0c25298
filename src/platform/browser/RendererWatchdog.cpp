#include "platform/browser/RendererWatchdog.h"

#include "platform/browser/BrowserLog.h"

#include <QSet>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <sys/types.h>
#include <cerrno>
#include <csignal>

namespace lectern::platform {

RendererWatchdog::RendererWatchdog(QObject* parent) : QObject(parent) {
    clock_.start();
    timer_.setInterval(pingIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &RendererWatchdog::tick);
}

void RendererWatchdog::watch(QWebEnginePage* page) {
    Watched& watched = pages_[page];
    watched.page = page;
    watched.loadStarted = clock_.elapsed();
    // A load may drop the answer to a question asked of the document it
    // replaces: the next tick asks again.
    connect(page, &QWebEnginePage::loadStarted, this, [this, page] {
        if (auto it = pages_.find(page); it != pages_.end())
            it->loadStarted = clock_.elapsed();
        forgetQuestion(page);
    });
    // A finished load is as good an answer: a page that starts its loop
    // before it was first asked must not pass for a renderer still starting.
    connect(page, &QWebEnginePage::loadFinished, this, [this, page] {
        forgetQuestion(page);
        if (const qint64 pid = page->renderProcessPid(); pid > 0)
            renderers_.insert(pid, Renderer{clock_.elapsed(), true});
    });
    // A navigation committed into a renderer that has not answered yet shows
    // it has started: a page that loops while it is parsed never answers, and
    // must not be given the start-up allowance of a slow machine.
    connect(page, &QWebEnginePage::urlChanged, this, [this, page] { started(page); });
    connect(page, &QWebEnginePage::titleChanged, this, [this, page] { started(page); });
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this, page] { forgetQuestion(page); });
    connect(page, &QObject::destroyed, this, [this, page] { pages_.remove(page); });
    if (!timer_.isActive())
        timer_.start();
}

void RendererWatchdog::forgetQuestion(QWebEnginePage* page) {
    if (auto it = pages_.find(page); it != pages_.end())
        it->question = 0;
}

void RendererWatchdog::started(QWebEnginePage* page) {
    const qint64 pid = page->renderProcessPid();
    if (pid <= 0)
        return;
    const auto it = renderers_.constFind(pid);
    if (it == renderers_.cend() || !it->answered)
        renderers_.insert(pid, Renderer{clock_.elapsed(), true});
}

void RendererWatchdog::tick() {
    const qint64 now = clock_.elapsed();
    QSet<qint64> live;
    for (Watched& watched : pages_) {
        const qint64 pid = watched.page ? watched.page->renderProcessPid() : 0;
        if (pid <= 0)
            continue;
        live.insert(pid);
        if (!renderers_.contains(pid))
            renderers_.insert(pid, Renderer{now, false});
        if (!watched.question)
            ask(watched);
    }
    for (auto it = renderers_.begin(); it != renderers_.end();) {
        const qint64 limit = it->answered ? hangLimitMs : startLimitMs;
        if (!live.contains(it.key())) {
            it = renderers_.erase(it);
        } else if (now - it->answeredAt >= limit) {
            const qint64 pid = it.key();
            const qint64 lastAnswer = it->answeredAt;
            it = renderers_.erase(it);
            end(pid, lastAnswer);
        } else {
            ++it;
        }
    }
    if (pages_.isEmpty())
        timer_.stop();
}

void RendererWatchdog::ask(Watched& watched) {
    const quint64 question = ++questions_;
    watched.question = question;
    QWebEnginePage* page = watched.page;
    QPointer<RendererWatchdog> self(this);
    page->runJavaScript(QStringLiteral("0"), QWebEngineScript::ApplicationWorld,
                        [self, page, question](const QVariant&) {
                            if (self)
                                self->answered(page, question);
                        });
}

void RendererWatchdog::answered(QWebEnginePage* page, quint64 question) {
    const auto it = pages_.find(page);
    if (it == pages_.end() || it->question != question || !it->page)
        return;
    it->question = 0;
    if (const qint64 pid = it->page->renderProcessPid(); pid > 0)
        renderers_.insert(pid, Renderer{clock_.elapsed(), true});
}

void RendererWatchdog::end(qint64 pid, qint64 lastAnswer) {
    // A free renderer answers the question of the next tick: a load begun
    // after that found it stuck already.
    const qint64 stuck = lastAnswer + pingIntervalMs;
    QWebEnginePage* culprit = nullptr;
    qint64 culpritLoad = -1;
    QList<QPointer<QWebEnginePage>> affected;
    for (const Watched& watched : std::as_const(pages_)) {
        if (!watched.page)
            continue;
        const qint64 rendererPid = watched.page->renderProcessPid();
        if (rendererPid <= 0 || rendererPid == pid)
            affected.push_back(watched.page);
        if (rendererPid != pid)
            continue;
        if (watched.loadStarted <= stuck && watched.loadStarted > culpritLoad) {
            culprit = watched.page;
            culpritLoad = watched.loadStarted;
        }
    }
    qCDebug(browserLog) << "renderer" << pid << "ended: last answer" << lastAnswer << "ms, now"
                        << clock_.elapsed() << "ms, pages" << affected.size();
    if (culprit)
        emit hung(culprit);
    QList<QWebEnginePage*> pages;
    for (const QPointer<QWebEnginePage>& page : affected)
        pages.push_back(page);
    emit ending(pages);
    ::kill(static_cast<pid_t>(pid), SIGKILL);
    awaitExit(pid, std::move(affected), exitWaitTries);
}

void RendererWatchdog::awaitExit(qint64 pid, QList<QPointer<QWebEnginePage>> pages, int triesLeft) {
    // Until the engine has reaped the renderer it may still hand a new page
    // to it; once reaped, its next page starts a renderer of its own.
    if (triesLeft > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)) {
        QTimer::singleShot(exitPollMs, this,
                           [this, pid, pages, triesLeft] { awaitExit(pid, pages, triesLeft - 1); });
        return;
    }
    QList<QWebEnginePage*> live;
    for (const QPointer<QWebEnginePage>& page : pages)
        if (page)
            live.push_back(page);
    emit ended(live);
}

}  // namespace lectern::platform
