#pragma once

#include <QImage>
#include <QWidget>

namespace lectern::platform {

// An image component: draws its picture (at its natural size, or stretched
// over the whole component) and reports clicks, mouse moves and the mouse
// leaving. Without a picture it is transparent, which is what a picture
// button's clickable layer is.
class TImage : public QWidget {
    Q_OBJECT
  public:
    explicit TImage(QWidget* parent = nullptr);

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    // The factor a picture at its natural size is drawn at (a skin scaled
    // down as a whole).
    void SetPictureScale(double scale);

    // The hint shown on hover; also the component's accessible name.
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& hint);

    // Width, height, top, left as a course's geometry gives them.
    void SetBounds(int width, int height, int top, int left);

    // Makes the image a button: hand cursor, reachable with Tab, Enter or
    // Space clicks it (a held key clicks once, its auto-repeats do not).
    void MakeClickable();
    // Clicks it as the mouse or the keyboard would (screen readers' press).
    void click();

  signals:
    void clicked();
    void mouseMoved();
    void mouseLeft();
    void mouseReleased();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    QImage picture_;
    bool stretch_ = false;
    double pictureScale_ = 1.0;
    bool keyboardFocus_ = false;
};

}  // namespace lectern::platform
