#include "platform/browser/TCppWebBrowser.h"

// Placeholder until the browser backends land: remembers the address only.
namespace lectern::platform {

TCppWebBrowser::TCppWebBrowser(BrowserEngine& engine, QWidget* parent)
    : QWidget(parent), engine_(engine) {}

void TCppWebBrowser::Navigate(const QString& coursePath) { location_ = coursePath; }

}  // namespace lectern::platform
