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

class HeadlessBackend : public BrowserBackend {
  public:
    HeadlessBackend(CourseFiles& files, BrowserHost& host) : files_(files), host_(host) {}

    void navigate(const QString& coursePath) override {
        // The file is fixed now: the current folder may change before the load.
        const QString file = QFileInfo(files_.resolve(coursePath)).absoluteFilePath();
        const quint64 navigation = ++navigations_;
        QTimer::singleShot(0, &host_.hostWidget(), [this, file, navigation] {
            // A later navigation supersedes this one, as in a browser.
            if (navigation == navigations_)
                host_.documentLoaded(readPageFile(file, files_.decoding(), files_.courseFolder()));
        });
    }

    QWidget* view() const override { return nullptr; }
    void release() override { ++navigations_; }
    // Nothing is drawn; the browser component keeps the scale.
    void setZoom(double) override {}

  private:
    CourseFiles& files_;
    BrowserHost& host_;
    quint64 navigations_ = 0;
};

}  // namespace

HeadlessBrowserEngine::HeadlessBrowserEngine(CourseFiles& files) : files_(files) {}

std::unique_ptr<BrowserBackend> HeadlessBrowserEngine::createBackend(BrowserHost& host) {
    hosts_.push_back(&host);
    return std::make_unique<HeadlessBackend>(files_, host);
}

void HeadlessBrowserEngine::doubleClickWord(QWidget* browser, const PageWord& word) {
    for (BrowserHost* host : hosts_)
        if (&host->hostWidget() == browser)
            host->wordChosen(word);
}

}  // namespace lectern::test
