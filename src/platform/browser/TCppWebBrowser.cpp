#include "platform/browser/TCppWebBrowser.h"

#include "platform/browser/DocumentModel.h"

namespace lectern::platform {

TCppWebBrowser::TCppWebBrowser(BrowserEngine& engine, QWidget* parent)
    : QWidget(parent), backend_(engine.createBackend(*this)) {}

TCppWebBrowser::~TCppWebBrowser() = default;

void TCppWebBrowser::Navigate(const QString& coursePath) {
    location_ = coursePath;
    backend_->navigate(coursePath);
}

Variant TCppWebBrowser::Document() const {
    return model_ ? model_->document() : Variant();
}

QWidget* TCppWebBrowser::view() const {
    return backend_->view();
}

void TCppWebBrowser::Release() {
    backend_->release();
}

void TCppWebBrowser::documentLoaded(std::shared_ptr<DocumentModel> model) {
    model_ = std::move(model);
    emit OnDocumentComplete();
}

void TCppWebBrowser::wordChosen(const PageWord& word) {
    PageWord global = word;
    if (!word.rect.isNull())
        global.rect = QRect(mapToGlobal(word.rect.topLeft()), word.rect.size());
    emit OnWordChosen(global);
}

void TCppWebBrowser::SetZoom(double factor) {
    zoom_ = factor;
    backend_->setZoom(factor);
}

}  // namespace lectern::platform
