#include "platform/dictionary/DictzipReader.h"

#include <zlib.h>

namespace lectern::platform {

namespace {

constexpr unsigned char flagHeaderCrc = 2;
constexpr unsigned char flagExtra = 4;
constexpr unsigned char flagName = 8;
constexpr unsigned char flagComment = 16;

quint32 little16(QByteArrayView bytes, qsizetype at) {
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8;
}

// dictzip writes chunks of about 58 KB; far smaller ones would only make a
// piece cost many inflations.
constexpr quint64 minChunkLength = 64;

}  // namespace

DictzipReader::DictzipReader(QByteArrayView bytes) : bytes_(bytes) {
    if (bytes_.size() >= 2 && quint8(bytes_[0]) == 0x1f && quint8(bytes_[1]) == 0x8b)
        readHeader();
}

void DictzipReader::readHeader() {
    const qsizetype size = bytes_.size();
    auto fail = [this](const char* why) {
        failure_ = QString::fromLatin1(why);
        chunks_.clear();
    };
    if (size < 10 || bytes_[2] != 8)
        return fail("its gzip header is not one of deflate");
    const unsigned char flags = quint8(bytes_[3]);
    if (!(flags & flagExtra))
        return fail("it is gzip without dictzip's chunk table (compress it with dictzip)");
    if (size < 12)
        return fail("its gzip header is cut short");
    const qsizetype extraLength = little16(bytes_, 10);
    qsizetype at = 12;
    const qsizetype extraEnd = at + extraLength;
    if (extraEnd > size)
        return fail("its gzip header is cut short");
    bool found = false;
    while (at + 4 <= extraEnd) {
        const bool isTable = bytes_[at] == 'R' && bytes_[at + 1] == 'A';
        const qsizetype length = little16(bytes_, at + 2);
        const qsizetype body = at + 4;
        if (body + length > extraEnd)
            return fail("its chunk table is cut short");
        if (isTable) {
            if (length < 6 || little16(bytes_, body) != 1)
                return fail("its chunk table is not of version 1");
            chunkLength_ = little16(bytes_, body + 2);
            const qsizetype count = little16(bytes_, body + 4);
            if (chunkLength_ < minChunkLength || count == 0 || 6 + 2 * count > length)
                return fail("its chunk table is cut short");
            chunks_.resize(std::size_t(count));
            for (qsizetype i = 0; i < count; ++i)
                chunks_[std::size_t(i)].size = little16(bytes_, body + 6 + 2 * i);
            found = true;
        }
        at = body + length;
    }
    if (!found)
        return fail("it is gzip without dictzip's chunk table (compress it with dictzip)");
    at = extraEnd;
    for (const unsigned char flag : {flagName, flagComment}) {
        if (!(flags & flag))
            continue;
        const qsizetype end = bytes_.indexOf('\0', at);
        if (end < 0)
            return fail("its gzip header is cut short");
        at = end + 1;
    }
    if (flags & flagHeaderCrc)
        at += 2;
    for (Chunk& chunk : chunks_) {
        chunk.start = at;
        at += chunk.size;
        if (at > size)
            return fail("its chunks run past its end");
    }
}

bool DictzipReader::inflateChunk(std::size_t index, QByteArray& out, QString& why) const {
    if (index == cachedChunk_) {
        out = cached_;
        return true;
    }
    const Chunk& chunk = chunks_[index];
    out.resize(qsizetype(chunkLength_));
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        why = QStringLiteral("zlib could not start");
        return false;
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes_.data() + chunk.start));
    stream.avail_in = uInt(chunk.size);
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(chunkLength_);
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    const uInt produced = uInt(chunkLength_) - stream.avail_out;
    inflateEnd(&stream);
    if (result != Z_OK && result != Z_STREAM_END) {
        why = QStringLiteral("chunk %1 does not inflate").arg(index);
        return false;
    }
    out.truncate(qsizetype(produced));
    cachedChunk_ = index;
    cached_ = out;
    return true;
}

bool DictzipReader::read(quint64 offset, quint64 length, QByteArray& out, QString& why) const {
    out.clear();
    if (!failure_.isEmpty()) {
        why = failure_;
        return false;
    }
    if (length > maxPiece) {
        why = QStringLiteral("an entry is longer than %1 bytes").arg(maxPiece);
        return false;
    }
    if (chunks_.empty()) {
        const auto size = quint64(bytes_.size());
        if (offset > size || length > size - offset) {
            why = QStringLiteral("an entry lies past its end");
            return false;
        }
        out = bytes_.sliced(qsizetype(offset), qsizetype(length)).toByteArray();
        return true;
    }
    const quint64 total = chunkLength_ * chunks_.size();
    if (offset > total || length > total - offset) {
        why = QStringLiteral("an entry lies past its end");
        return false;
    }
    std::size_t chunk = std::size_t(offset / chunkLength_);
    quint64 skip = offset % chunkLength_;
    QByteArray piece;
    while (quint64(out.size()) < length) {
        if (chunk >= chunks_.size() || !inflateChunk(chunk, piece, why)) {
            if (why.isEmpty())
                why = QStringLiteral("an entry lies past its end");
            return false;
        }
        if (skip >= quint64(piece.size())) {
            why = QStringLiteral("an entry lies past its end");
            return false;
        }
        const quint64 take = std::min(quint64(piece.size()) - skip, length - quint64(out.size()));
        out.append(piece.constData() + skip, qsizetype(take));
        skip = 0;
        ++chunk;
    }
    return true;
}

}  // namespace lectern::platform
