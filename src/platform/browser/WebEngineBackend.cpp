#include "platform/browser/WebEngineBackend.h"

#include "platform/browser/BrowserLog.h"
#include "platform/browser/CoursePage.h"
#include "platform/browser/CourseRequestInterceptor.h"
#include "platform/browser/CourseResources.h"
#include "platform/browser/CourseScheme.h"
#include "platform/browser/DocumentModel.h"
#include "platform/browser/PageScripts.h"
#include "platform/browser/RendererWatchdog.h"
#include "platform/browser/ViewCover.h"
#include "platform/browser/WebEngineBrowserEngine.h"
#include "platform/files/CourseFiles.h"
#include "platform/files/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <utility>

namespace lectern::platform {

namespace {

// Chromium's name of the course's legacy code page ("CP1251" → "windows-1251").
QString webEncoding(const QByteArray& codePage) {
    QString name = QString::fromLatin1(codePage);
    if (name.startsWith(QLatin1String("CP"), Qt::CaseInsensitive))
        name = QStringLiteral("windows-") + name.mid(2);
    return name;
}

// The engine's markup is UTF-8, which a page in a legacy code page takes up
// to twice its size in; a document that outgrows this (its scripts made it)
// is not modelled.
constexpr qsizetype modelLimit = 2 * SafeFile::pageLimit;

// How often one navigation's page is shown again after its renderer died
// before a notice takes its place.
constexpr int maxRecoveries = 2;

// How long a page whose renderer ended waits before a new one replaces it.
constexpr int replaceDelayMs = 100;

}  // namespace

WebEngineBackend::WebEngineBackend(WebEngineBrowserEngine& engine, BrowserHost& host)
    : engine_(engine), host_(host) {
    RendererWatchdog& watchdog = engine_.watchdog();
    connect(&watchdog, &RendererWatchdog::hung, this, [this](QWebEnginePage* page) {
        if (page && page == page_)
            hung_ = true;
    });
    connect(&watchdog, &RendererWatchdog::ending, this,
            [this](const QList<QWebEnginePage*>& pages) {
                if (page_ && pages.contains(page_))
                    rendererLost_ = true;
            });
    connect(&watchdog, &RendererWatchdog::ended, this, [this](const QList<QWebEnginePage*>& pages) {
        if (page_ && pages.contains(page_))
            replacePage();
    });
}

WebEngineBackend::~WebEngineBackend() {
    detachModel();
    delete view_;
}

QWidget* WebEngineBackend::view() const {
    return view_;
}

void WebEngineBackend::ensureView() {
    if (view_)
        return;
    QWidget& host = host_.hostWidget();
    view_ = new QWebEngineView(&host);
    page_ = new CoursePage(
        &engine_.profile(),
        [&engine = engine_](const QUrl& url) {
            return engine.interceptor().decide(url).kind !=
                   CourseRequestInterceptor::Decision::Block;
        },
        view_);
    view_->setPage(page_);
    page_->setZoomFactor(zoom_);
    QWebEngineSettings* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    // No link hands an address to the desktop (mailto:, smb:, ...).
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    settings->setDefaultTextEncoding(webEncoding(engine_.files().decoding().legacyCodePage()));
    connect(page_, &QWebEnginePage::loadStarted, this, &WebEngineBackend::loadStarted);
    connect(page_, &QWebEnginePage::loadFinished, this, &WebEngineBackend::loadFinished);
    connect(page_, &CoursePage::inputsChanged, this, &WebEngineBackend::inputsChanged);
    connect(page_, &CoursePage::documentReady, this, &WebEngineBackend::documentReady);
    connect(page_, &CoursePage::wordChosen, this, [this](const PageWord& word) {
        if (!view_)
            return;
        PageWord shown = word;
        const double zoom = page_->zoomFactor();
        const QRect css = word.rect;
        shown.rect = QRect(
            view_->mapTo(&host_.hostWidget(), QPoint(int(css.x() * zoom), int(css.y() * zoom))),
            QSize(int(css.width() * zoom), int(css.height() * zoom)));
        host_.wordChosen(shown);
    });
    connect(page_, &QWebEnginePage::renderProcessTerminated, this,
            &WebEngineBackend::rendererEnded);
    engine_.watchdog().watch(page_);
    // The host's layout holds the notice that stands in for a failed page;
    // the view covers the host by itself.
    if (!host.layout())
        (new QVBoxLayout(&host))->setContentsMargins(0, 0, 0, 0);
    keepViewCoveringHost(host, *view_);
    view_->show();
}

void WebEngineBackend::release() {
    if (!view_)
        return;
    ++loads_;        // a load under way no longer reports
    ++navigations_;  // nor does a page being prepared
    detachModel();
    held_.reset();
    if (notice_)
        notice_->hide();
    dropView();
}

void WebEngineBackend::dropView() {
    replacing_ = false;
    rendererLost_ = false;
    page_->disconnect(this);
    // Later: this runs while the view's window is being hidden, perhaps from
    // one of the page's own signals.
    view_->deleteLater();
    view_ = nullptr;
    page_ = nullptr;
}

void WebEngineBackend::navigate(const QString& coursePath) {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "navigate"
                        << coursePath;
    ensureView();
    engine_.beginNavigation();
    detachModel();
    held_.reset();
    page_->withdrawEarlyEdits();
    const quint64 navigation = ++navigations_;
    preparing_ = false;
    adoptedEarly_ = false;
    fresh_ = true;
    hung_ = false;
    recoveries_ = 0;
    if (notice_) {
        notice_->hide();
        view_->show();
    }
    file_ = QDir::cleanPath(QFileInfo(CourseFiles::nativePath(coursePath)).absoluteFilePath());
    const CourseResources& resources = engine_.resources();
    const QString relative = resources.relativePathOf(file_);
    url_ = relative.isEmpty() ? QUrl() : CourseScheme::urlOf(relative);
    trouble_ = relative.isEmpty()
                   ? QStringLiteral("the page %1 is outside the course folder").arg(file_)
                   : resources.pageTrouble(relative, file_);
    if (!trouble_.isEmpty()) {
        // The course's handler shows a page's trouble in its place.
        const bool shown = !url_.isEmpty() && CourseResources::isPage(relative);
        page_->load(shown ? url_ : QUrl(QStringLiteral("about:blank")));
        return;
    }
    const QByteArray* kept = engine_.markupCache().find(file_);
    if (!kept) {
        page_->load(url_);
        return;
    }
    // Parsed on a worker: the engine's side of a load runs on this thread.
    preparing_ = true;
    QtConcurrent::run([markup = *kept, file = file_]() -> std::shared_ptr<DocumentModel> {
        try {
            return DocumentModel::parse(markup, "UTF-8", file);
        } catch (const std::exception&) {
            return nullptr;  // the page is loaded as one not seen before
        }
    }).then(this, [this, navigation](std::shared_ptr<DocumentModel> model) {
        // A continuation attached after the worker has finished runs at
        // once, inside this call; the document is never complete before
        // navigate() has returned to its caller.
        QMetaObject::invokeMethod(
            this,
            [this, navigation, model = std::move(model)]() mutable {
                if (navigation == navigations_)
                    loadPrepared(std::move(model));
            },
            Qt::QueuedConnection);
    });
}

void WebEngineBackend::loadPrepared(std::shared_ptr<DocumentModel> model) {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "kept markup parsed"
                        << bool(model);
    // A page kept from its last showing is static: its document is whole
    // once parsed and is what its kept markup says. So the lesson starts on
    // the model before the page exists, and the edits it makes at once go
    // into the page as the engine parses it, in time for the first paint
    // (the engine lays out and paints a long page as a whole only when its
    // load ends, a second or more later).
    preparing_ = false;
    if (model) {
        const quint64 navigation = navigations_;
        held_.emplace();
        adoptedEarly_ = true;
        adopt(std::move(model));
        if (navigation != navigations_)
            return;  // the lesson went on to another page
        page_->setEarlyEdits(*held_);
        held_->clear();
    }
    page_->load(url_);
}

void WebEngineBackend::detachModel() {
    if (model_)
        model_->setSink(nullptr);
    model_.reset();
    shownEdits_.clear();
}

void WebEngineBackend::loadStarted() {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "load started";
    // The model stays attached: a load may keep the document (a jump to an
    // anchor), and changes must not be lost meanwhile. A new model replaces
    // it when the load finishes.
    ++loads_;
}

void WebEngineBackend::documentReady(const QUrl& url) {
    if (!url_.isEmpty() && CourseScheme::relativePathOf(url) == CourseScheme::relativePathOf(url_))
        releaseHeldEdits();
}

void WebEngineBackend::releaseHeldEdits() {
    if (!held_)
        return;
    page_->withdrawEarlyEdits();
    const std::vector<PageEdit> edits = std::move(*held_);
    held_.reset();
    for (const PageEdit& edit : edits)
        forward(edit);
}

void WebEngineBackend::setZoom(double factor) {
    zoom_ = factor;
    if (page_)
        page_->setZoomFactor(zoom_);
}

void WebEngineBackend::loadFinished(bool ok) {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "load finished" << ok
                        << "lost" << rendererLost_ << "replacing" << replacing_ << "preparing"
                        << preparing_;
    // A load may bring the page back to its own scale.
    if (page_ && page_->zoomFactor() != zoom_)
        page_->setZoomFactor(zoom_);
    if (rendererLost_ || replacing_)
        return;  // the load is made again in a new page
    if (preparing_)
        return;  // the end of the last page's load: the next one has not begun
    const quint64 load = loads_;
    if (std::exchange(adoptedEarly_, false)) {
        releaseHeldEdits();  // in case the page never said it was whole
        return;
    }
    if (!ok) {
        modelArrived(load, QVariant(), false);
        return;
    }
    serializePage(load);
}

void WebEngineBackend::serializePage(quint64 load) {
    QPointer<WebEngineBackend> self(this);
    page_->runJavaScript(PageScripts::serialize(), [self, load](const QVariant& result) {
        if (self)
            self->modelArrived(load, result, true);
    });
}

void WebEngineBackend::modelArrived(quint64 load, const QVariant& result, bool ok) {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "model arrived"
                        << load << "of" << loads_ << ok;
    if (load != loads_ || rendererLost_ || replacing_)
        return;  // a later load has begun, or the page's is made again; it will report
    const QVariantList parts = result.toList();
    const QByteArray markup = parts.value(0).toString().toUtf8();
    const bool isStatic = parts.value(1).toBool();
    std::shared_ptr<DocumentModel> model;
    if (!trouble_.isEmpty()) {
        model = DocumentModel::blank(file_, trouble_);
    } else if (!ok || markup.isEmpty()) {
        model = DocumentModel::blank(file_,
                                     QStringLiteral("the page %1 could not be shown").arg(file_));
    } else if (markup.size() > modelLimit) {
        model = DocumentModel::blank(
            file_, QStringLiteral("the page %1 cannot be read: its document is larger than %2 MB")
                       .arg(file_)
                       .arg(modelLimit >> 20));
    } else {
        model = DocumentModel::parse(markup, "UTF-8", file_);
        // Only a page just loaded is as its file makes it; a later load of
        // the same document (a jump to an anchor) holds the lesson's changes.
        if (fresh_ && isStatic)
            engine_.markupCache().store(file_, markup);
    }
    adopt(std::move(model));
}

void WebEngineBackend::adopt(std::shared_ptr<DocumentModel> model) {
    // From here on the lesson may change the page.
    fresh_ = false;
    detachModel();
    model_ = model;
    model_->setSink(this);
    host_.documentLoaded(std::move(model));
}

void WebEngineBackend::pageEdited(const PageEdit& edit) {
    shownEdits_.push_back(edit);
    forward(edit);
}

void WebEngineBackend::forward(const PageEdit& edit) {
    if (held_)
        held_->push_back(edit);
    else
        page_->runJavaScript(PageScripts::edit(edit));
}

void WebEngineBackend::inputsChanged(const std::vector<InputState>& states) {
    if (!model_)
        return;
    for (const InputState& state : states)
        model_->applyInputState(state);
}

void WebEngineBackend::rendererEnded() {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "renderer ended";
    if (!page_ || replacing_ || rendererLost_)
        return;  // the watchdog replaces the page once the renderer is gone
    // A page whose renderer ended is not told of everything that follows
    // (a load handed to the dying renderer never ends), so a new page takes
    // its place, once the engine is through with the renderer's end: a page
    // made while it tells the pages would be handed the dying renderer.
    replacing_ = true;
    QTimer::singleShot(replaceDelayMs, this, [this, ended = QPointer<CoursePage>(page_)] {
        if (ended && page_ == ended)
            replacePage();
    });
}

void WebEngineBackend::replacePage() {
    qCDebug(browserLog) << this << (page_ ? page_->renderProcessPid() : 0) << "page replaced"
                        << "hung" << hung_ << "recoveries" << recoveries_;
    dropView();
    ensureView();
    if (std::exchange(hung_, false)) {
        stopShowing(QStringLiteral("the page %1 stopped answering and was closed").arg(file_));
        return;
    }
    if (++recoveries_ > maxRecoveries) {
        stopShowing(QStringLiteral("the page %1 ended its display process again and was closed")
                        .arg(file_));
        return;
    }
    showAgain();
}

void WebEngineBackend::showAgain() {
    if (!trouble_.isEmpty()) {
        page_->load(QUrl(QStringLiteral("about:blank")));
        return;
    }
    if (preparing_)
        return;  // its load has not begun: it goes to a new renderer
    if (!model_) {
        page_->load(url_);
        return;
    }
    // The model and the lesson's changes outlive the renderer: the page is
    // parsed again with them made as it goes, and the lesson goes on.
    held_.emplace();
    page_->setEarlyEdits(shownEdits_);
    adoptedEarly_ = true;
    page_->load(url_);
}

void WebEngineBackend::stopShowing(const QString& reason) {
    ++navigations_;  // a page being prepared is dropped
    preparing_ = false;
    adoptedEarly_ = false;
    held_.reset();
    page_->withdrawEarlyEdits();
    showNotice(reason);
    // The navigation completes, with a document that names the trouble.
    if (!model_)
        adopt(DocumentModel::blank(file_, reason));
}

void WebEngineBackend::showNotice(const QString& text) {
    if (!notice_) {
        notice_ = new QLabel(&host_.hostWidget());
        notice_->setAlignment(Qt::AlignCenter);
        notice_->setWordWrap(true);
        notice_->setMargin(12);
        host_.hostWidget().layout()->addWidget(notice_);
    }
    QString sentence = text;
    sentence[0] = sentence[0].toUpper();
    notice_->setText(sentence + QLatin1Char('.'));
    view_->hide();
    notice_->show();
}

}  // namespace lectern::platform
