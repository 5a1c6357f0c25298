#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWebEnginePage;

namespace lectern::platform {

// Notices a renderer that stops answering and ends it, so that the pages it
// served can be shown again in a fresh one: renderers are shared, and one
// page in an endless loop would otherwise leave every later page blank.
// Each watched page is asked a trivial question twice a second; a renderer
// none of whose pages has answered for hangLimitMs is killed (one that has
// never answered yet is given startLimitMs from when it was first seen: a
// loaded machine may take a while to start one; a navigation committed into
// it ends that allowance). Before that,
// hung() names the page judged to have stopped it: of the renderer's pages,
// the one whose load began last before it stopped answering (a page loaded
// after that never ran). Once the killed renderer is gone, ended() names
// the pages it held and those still waiting for a renderer: the engine
// tells some of them, not all, that their renderer ended, and a page whose
// navigation was handed to the dying renderer hears nothing at all.
class RendererWatchdog : public QObject {
    Q_OBJECT
  public:
    static constexpr int pingIntervalMs = 500;
    static constexpr int hangLimitMs = 5000;
    static constexpr int startLimitMs = 15000;
    static constexpr int exitPollMs = 50;
    static constexpr int exitWaitTries = 100;

    explicit RendererWatchdog(QObject* parent = nullptr);

    // Watches the page until it is destroyed.
    void watch(QWebEnginePage* page);

  signals:
    void hung(QWebEnginePage* page);
    // The renderer of these pages (or the one they wait for) is about to be
    // ended; nothing they report until ended() names them again counts.
    void ending(const QList<QWebEnginePage*>& pages);
    void ended(const QList<QWebEnginePage*>& pages);

  private:
    struct Watched {
        QPointer<QWebEnginePage> page;
        qint64 loadStarted = 0;
        // The question asked and not yet answered, 0 when none.
        quint64 question = 0;
    };

    void tick();
    void ask(Watched& watched);
    void answered(QWebEnginePage* page, quint64 question);
    void forgetQuestion(QWebEnginePage* page);
    void started(QWebEnginePage* page);
    void end(qint64 pid, qint64 lastAnswer);
    void awaitExit(qint64 pid, QList<QPointer<QWebEnginePage>> pages, int triesLeft);

    struct Renderer {
        qint64 answeredAt = 0;  // or first seen, until it has answered
        bool answered = false;
    };

    QHash<QWebEnginePage*, Watched> pages_;
    QHash<qint64, Renderer> renderers_;
    quint64 questions_ = 0;
    QElapsedTimer clock_;
    QTimer timer_;
};

}  // namespace lectern::platform
