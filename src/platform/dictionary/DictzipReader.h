#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace lectern::platform {

// The text of a dictd dictionary, read a piece at a time. A ".dict.dz" file
// is gzip with a random-access table in the header's extra field (subfield
// "RA": version 1, the uncompressed chunk length, the chunk count, then each
// chunk's compressed size); every chunk is compressed on its own, so a piece
// is read by inflating only the chunks it spans. Anything that is not gzip
// is a plain ".dict", read as it is.
//
// The bytes are untrusted: every size is checked against the file before it
// is used, and a piece is at most maxPiece bytes.
class DictzipReader {
  public:
    static constexpr quint64 maxPiece = 1 << 20;

    explicit DictzipReader(QByteArrayView bytes);

    // Why the file cannot be read ("its chunk table is cut short"); empty
    // when it can.
    const QString& failure() const { return failure_; }
    bool isCompressed() const { return !chunks_.empty(); }

    // The bytes [offset, offset + length) of the text; false with `why` set
    // when they lie outside it, are too long or do not inflate.
    bool read(quint64 offset, quint64 length, QByteArray& out, QString& why) const;

  private:
    void readHeader();
    bool inflateChunk(std::size_t chunk, QByteArray& out, QString& why) const;

    struct Chunk {
        qsizetype start = 0;  // in the file
        qsizetype size = 0;   // compressed
    };

    QByteArrayView bytes_;
    std::vector<Chunk> chunks_;
    quint64 chunkLength_ = 0;
    QString failure_;
    // The last chunk inflated: the entries of one lookup sit close together.
    mutable std::size_t cachedChunk_ = std::size_t(-1);
    mutable QByteArray cached_;
};

}  // namespace lectern::platform
