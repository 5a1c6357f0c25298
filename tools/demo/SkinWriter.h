#pragma once

#include <QImage>
#include <QString>

namespace lectern::demo {

// Writes every skin picture the player loads from "gdata", sized and laid
// out after Geometry: bars with their resting buttons painted in, edges, and
// the lit pictures of every button.
class SkinWriter {
  public:
    // title and tagline: the two lines beside the emblem on the main window.
    SkinWriter(QString folder, QString title, QString tagline);

    void writeAll() const;

    // Saves as JPEG; a failure ends the build of the course.
    static void saveJpeg(const QImage& image, const QString& path);

  private:
    void save(const QImage& image, const QString& name) const;

    QString folder_;
    QString title_;
    QString tagline_;
};

}  // namespace lectern::demo
