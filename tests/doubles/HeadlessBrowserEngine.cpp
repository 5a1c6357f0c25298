#include "doubles/HeadlessBrowserEngine.h"

#include "platform/browser/DocumentModel.h"
#include "platform/browser/PageFile.h"
#include "platform/files/CourseFiles.h"

#include <QFileInfo>
#include <QTimer>
#include <QWidget>

namespace lectern::test {

using namespace platform;

namespace {

class HeadlessBackend : public BrowserBackend, private PageEditSink {
  public:
    HeadlessBackend(CourseFiles& files, BrowserHost& host, QString& readingPoint)
        : files_(files), host_(host), readingPoint_(readingPoint) {}
    ~HeadlessBackend() override { detach(); }

    void navigate(const QString& coursePath) override {
        // The file is fixed now: the current folder may change before the load.
        const QString file = QFileInfo(files_.resolve(coursePath)).absoluteFilePath();
        const quint64 navigation = ++navigations_;
        QTimer::singleShot(0, &host_.hostWidget(), [this, file, navigation] {
            // A later navigation supersedes this one, as in a browser.
            if (navigation != navigations_)
                return;
            detach();
            std::shared_ptr<DocumentModel> model =
                readPageFile(file, files_.decoding(), files_.courseFolder());
            model->setSink(this);
            model_ = model;
            readingPoint_.clear();
            host_.documentLoaded(std::move(model));
        });
    }

    QWidget* view() const override { return nullptr; }
    void release() override { ++navigations_; }
    // Nothing is drawn; the browser component keeps the scale.
    void setZoom(double) override {}

  private:
    void pageEdited(const PageEdit& edit) override {
        if (edit.kind == PageEdit::Kind::Focus)
            readingPoint_ = edit.elementId;
    }
    void detach() {
        if (const std::shared_ptr<DocumentModel> model = model_.lock())
            model->setSink(nullptr);
    }

    CourseFiles& files_;
    BrowserHost& host_;
    QString& readingPoint_;
    std::weak_ptr<DocumentModel> model_;
    quint64 navigations_ = 0;
};

}  // namespace

HeadlessBrowserEngine::HeadlessBrowserEngine(CourseFiles& files) : files_(files) {}

std::unique_ptr<BrowserBackend> HeadlessBrowserEngine::createBackend(BrowserHost& host) {
    hosts_.push_back(&host);
    return std::make_unique<HeadlessBackend>(files_, host, readingPoints_[&host.hostWidget()]);
}

void HeadlessBrowserEngine::doubleClickWord(QWidget* browser, const PageWord& word) {
    for (BrowserHost* host : hosts_)
        if (&host->hostWidget() == browser)
            host->wordChosen(word);
}

}  // namespace lectern::test
