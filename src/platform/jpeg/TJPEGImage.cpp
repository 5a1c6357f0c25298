#include "platform/jpeg/TJPEGImage.h"

#include "platform/Error.h"
#include "platform/files/CourseFiles.h"
#include "platform/files/FileRefused.h"

#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, whose default ends the
// process. Ours jumps back to the setjmp of the decoding step that is running.
// Each step is a function whose frame holds nothing with a destructor, and
// whose C++ objects (the target image) live in the caller's frame, so the
// jump skips no destructor.

namespace lectern::platform {
namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    bool created;
    bool cmyk;
    bool invertedCmyk;
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// libjpeg would print its messages on stderr; warnings are only counted.
void outputMessage(j_common_ptr) {}

void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0)
        ++cinfo->err->num_warnings;
}

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE rgb32Space = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE rgb32Space = JCS_EXT_ARGB;
#endif

qint64 outputPixels(const jpeg_decompress_struct& cinfo) {
    return qint64(cinfo.output_width) * qint64(cinfo.output_height);
}

// Reads the header and settles the output's colour space and size.
bool readHeader(Decoder* d, const unsigned char* data, unsigned long size) {
    if (setjmp(d->err.jump))
        return false;
    jpeg_create_decompress(&d->cinfo);
    d->created = true;
    d->cinfo.mem->max_memory_to_use = TJPEGImage::MaxDecoderMemory;
    jpeg_mem_src(&d->cinfo, data, size);
    jpeg_read_header(&d->cinfo, TRUE);

    switch (d->cinfo.jpeg_color_space) {
        case JCS_CMYK:
        case JCS_YCCK:
            d->cinfo.out_color_space = JCS_CMYK;
            d->cmyk = true;
            d->invertedCmyk = d->cinfo.saw_Adobe_marker;
            break;
        default:
            d->cinfo.out_color_space = rgb32Space;
            break;
    }

    jpeg_calc_output_dimensions(&d->cinfo);
    for (unsigned int eighths = 7; outputPixels(d->cinfo) > TJPEGImage::MaxPixels && eighths > 0;
         --eighths) {
        d->cinfo.scale_num = eighths;
        d->cinfo.scale_denom = 8;
        jpeg_calc_output_dimensions(&d->cinfo);
    }
    if (outputPixels(d->cinfo) > TJPEGImage::MaxPixels)
        ERREXIT1(&d->cinfo, JERR_IMAGE_TOO_BIG, JPEG_MAX_DIMENSION);
    return true;
}

inline unsigned char scaled(unsigned int a, unsigned int b) {
    return (a * b + 127) / 255;
}

void cmykToRgb32(const unsigned char* in, quint32* out, unsigned int width, bool inverted) {
    for (unsigned int x = 0; x < width; ++x, in += 4) {
        unsigned int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // c, m, y, k now hold how much of each colour is left (255: none absorbed).
        out[x] = qRgb(scaled(c, k), scaled(m, k), scaled(y, k));
    }
}

// Decodes all rows into the target, one bytesPerLine apart.
bool decodeRows(Decoder* d, unsigned char* bits, qsizetype bytesPerLine) {
    if (setjmp(d->err.jump))
        return false;
    jpeg_decompress_struct& cinfo = d->cinfo;
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY cmykRow = nullptr;
    if (d->cmyk)
        cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                             cinfo.output_width * 4, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        unsigned char* line = bits + qsizetype(cinfo.output_scanline) * bytesPerLine;
        if (cmykRow) {
            if (jpeg_read_scanlines(&cinfo, cmykRow, 1) == 1)
                cmykToRgb32(cmykRow[0], reinterpret_cast<quint32*>(line), cinfo.output_width,
                            d->invertedCmyk);
        } else {
            JSAMPROW row = line;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

[[noreturn]] void raiseDecoderError(int code) {
    throw Error(QStringLiteral("JPEG error #%1").arg(code));
}

// Owns the libjpeg state of one decoding; releases it whatever happens.
class DecoderHolder {
  public:
    DecoderHolder() {
        d_.cinfo.err = jpeg_std_error(&d_.err.pub);
        d_.err.pub.error_exit = errorExit;
        d_.err.pub.output_message = outputMessage;
        d_.err.pub.emit_message = emitMessage;
    }
    ~DecoderHolder() {
        if (d_.created)
            jpeg_destroy_decompress(&d_.cinfo);
    }
    DecoderHolder(const DecoderHolder&) = delete;
    DecoderHolder& operator=(const DecoderHolder&) = delete;

    Decoder* get() { return &d_; }
    int code() const { return d_.err.pub.msg_code; }

  private:
    Decoder d_{};
};

}  // namespace

QImage TJPEGImage::decode(const QByteArray& bytes, PictureBudget* budget,
                          const QString& shownName) {
    DecoderHolder holder;
    Decoder* d = holder.get();
    if (!readHeader(d, reinterpret_cast<const unsigned char*>(bytes.constData()),
                    static_cast<unsigned long>(bytes.size())))
        raiseDecoderError(holder.code());
    if (budget && !budget->take(outputPixels(d->cinfo))) {
        const QString reason = QStringLiteral("%1 (this one is %2×%3 once decoded)")
                                   .arg(budget->exceeded())
                                   .arg(d->cinfo.output_width)
                                   .arg(d->cinfo.output_height);
        throw FileRefused(QStringLiteral("Cannot open file %1: %2").arg(shownName, reason), reason);
    }

    QImage image(int(d->cinfo.output_width), int(d->cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        raiseDecoderError(JERR_OUT_OF_MEMORY);
    if (!decodeRows(d, image.bits(), image.bytesPerLine()))
        raiseDecoderError(holder.code());
    return image;
}

void TJPEGImage::LoadFromBytes(const QByteArray& bytes) {
    image_ = decode(bytes);
}

void TJPEGImage::LoadFromFile(const CourseFiles& files, const QString& coursePath,
                              PictureBudget* budget) {
    image_ = decode(files.readBytes(coursePath, SafeFile::pictureLimit), budget,
                    CourseFiles::nativePath(coursePath));
}

}  // namespace lectern::platform
