#pragma once

#include <QString>
#include <QWidget>

namespace lectern::platform {

class BrowserEngine;

// The embedded browser of the windows. Navigate returns at once; the page
// loads afterwards and OnDocumentComplete fires when it has.
class TCppWebBrowser : public QWidget {
    Q_OBJECT
public:
    TCppWebBrowser(BrowserEngine& engine, QWidget* parent = nullptr);

    void Navigate(const QString& coursePath);
    // The last address navigated to.
    QString LocationURL() const { return location_; }

signals:
    void OnDocumentComplete();

private:
    BrowserEngine& engine_;
    QString location_;
};

}  // namespace lectern::platform
