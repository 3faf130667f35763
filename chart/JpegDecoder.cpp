// SPDX-License-Identifier: MIT
#include "JpegDecoder.h"

#include <QtEndian>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
#include <jerror.h>

namespace helune {
namespace {

constexpr JDIMENSION kLargestSide = 4096;
constexpr int kBytesPerPixel = 4;

// libjpeg reports a fatal error by calling error_exit, which must not return; ours jumps
// back to the decoding step that called libjpeg. Its messages are kept, never printed.
struct JpegErrors {
    jpeg_error_mgr manager;  // first, so that libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf failed;
    char message[JMSG_LENGTH_MAX];
    void (*emitDefault)(j_common_ptr, int);
};

// Everything libjpeg works on. Plain data only: a jump out of libjpeg skips no destructor.
struct JpegSession {
    jpeg_decompress_struct decompress;
    JpegErrors errors;
};

JpegErrors& ErrorsOf(j_common_ptr common) {
    return *reinterpret_cast<JpegErrors*>(common->err);
}

void RecordMessage(j_common_ptr common) {
    common->err->format_message(common, ErrorsOf(common).message);
}

[[noreturn]] void FailDecoding(j_common_ptr common) {
    RecordMessage(common);
    std::longjmp(ErrorsOf(common).failed, 1);
}

// libjpeg only warns when the data ends early and then pads the picture with grey; a
// picture cut short is an error here.
void EmitMessage(j_common_ptr common, int level) {
    constexpr int kWarning = -1;
    if (level == kWarning && common->err->msg_code == JWRN_JPEG_EOF)
        FailDecoding(common);
    ErrorsOf(common).emitDefault(common, level);
}

// The session must be zeroed first, so that jpeg_destroy_decompress is safe whatever
// step failed.
void PrepareSession(JpegSession& session) {
    std::memset(&session, 0, sizeof session);
    session.decompress.err = jpeg_std_error(&session.errors.manager);
    session.errors.manager.error_exit = FailDecoding;
    session.errors.manager.output_message = RecordMessage;
    session.errors.emitDefault = session.errors.manager.emit_message;
    session.errors.manager.emit_message = EmitMessage;
}

// RGB32 pixels are 0xffRRGGBB words in the machine's byte order.
constexpr J_COLOR_SPACE kRgb32Order = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

bool IsFourInkPicture(const jpeg_decompress_struct& decompress) {
    return decompress.jpeg_color_space == JCS_CMYK || decompress.jpeg_color_space == JCS_YCCK;
}

// libjpeg turns these, and only these, into four bytes a pixel of our choice.
bool HasKnownColours(const jpeg_decompress_struct& decompress) {
    switch (decompress.jpeg_color_space) {
        case JCS_GRAYSCALE:
        case JCS_RGB:
        case JCS_YCbCr:
        case JCS_CMYK:
        case JCS_YCCK:
            return true;
        default:
            return false;
    }
}

// Reads the header and chooses the output colours. False when libjpeg failed.
bool ReadHeader(JpegSession& session, const unsigned char* data, unsigned long size) {
    if (setjmp(session.errors.failed))
        return false;
    jpeg_create_decompress(&session.decompress);
    jpeg_mem_src(&session.decompress, data, size);
    jpeg_read_header(&session.decompress, TRUE);
    session.decompress.out_color_space = IsFourInkPicture(session.decompress) ? JCS_CMYK : kRgb32Order;
    return true;
}

// Decodes every row into rows of four bytes a pixel. False when libjpeg failed.
bool ReadRows(JpegSession& session, unsigned char* firstRow, std::ptrdiff_t bytesPerRow) {
    if (setjmp(session.errors.failed))
        return false;
    jpeg_decompress_struct& decompress = session.decompress;
    jpeg_start_decompress(&decompress);
    while (decompress.output_scanline < decompress.output_height) {
        JSAMPROW row = firstRow + bytesPerRow * decompress.output_scanline;
        jpeg_read_scanlines(&decompress, &row, 1);
    }
    jpeg_finish_decompress(&decompress);
    return true;
}

void DestroySession(JpegSession& session) {
    jpeg_destroy_decompress(&session.decompress);
}

QString LibraryMessage(const JpegSession& session) {
    return QString::fromLocal8Bit(session.errors.message);
}

QString FailureText(const JpegSession& session) {
    switch (session.errors.manager.msg_code) {
        case JWRN_JPEG_EOF:
            return QStringLiteral("truncated JPEG picture: the data ends before the picture does");
        case JERR_NO_SOI:
            return QStringLiteral("not a JPEG picture: %1").arg(LibraryMessage(session));
        default:
            return QStringLiteral("damaged JPEG picture: %1").arg(LibraryMessage(session));
    }
}

// Pictures keep their inks inverted, as the programs that write four-ink JPEG files do; each
// colour is what is left of white after its ink and the black ink.
void ConvertInksToRgb32(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        uchar* pixel = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x, pixel += kBytesPerPixel) {
            const int black = pixel[3];
            const QRgb rgb = qRgb(pixel[0] * black / 255, pixel[1] * black / 255, pixel[2] * black / 255);
            std::memcpy(pixel, &rgb, sizeof rgb);
        }
    }
}

DecodedJpeg Failure(const QString& error) {
    return DecodedJpeg{QImage(), error};
}

// The session's libjpeg state is released by the caller, whatever this returns.
DecodedJpeg DecodeInSession(JpegSession& session, const QByteArray& data) {
    if (!ReadHeader(session, reinterpret_cast<const unsigned char*>(data.constData()),
                    static_cast<unsigned long>(data.size())))
        return Failure(FailureText(session));
    const jpeg_decompress_struct& decompress = session.decompress;
    if (!HasKnownColours(decompress))
        return Failure(QStringLiteral("unsupported JPEG picture: colours in %1 components of no known model")
                           .arg(decompress.num_components));
    if (decompress.image_width > kLargestSide || decompress.image_height > kLargestSide)
        return Failure(QStringLiteral("JPEG picture too large: %1 × %2 pixels, at most %3 × %3")
                           .arg(decompress.image_width)
                           .arg(decompress.image_height)
                           .arg(kLargestSide));

    QImage image(static_cast<int>(decompress.image_width), static_cast<int>(decompress.image_height),
                 QImage::Format_RGB32);
    if (image.isNull())
        return Failure(QStringLiteral("not enough memory for a JPEG picture of %1 × %2 pixels")
                           .arg(decompress.image_width)
                           .arg(decompress.image_height));
    if (!ReadRows(session, image.bits(), image.bytesPerLine()))
        return Failure(FailureText(session));
    if (decompress.out_color_space == JCS_CMYK)
        ConvertInksToRgb32(image);
    return DecodedJpeg{image, QString()};
}

}  // namespace

DecodedJpeg DecodeJpeg(const QByteArray& data) {
    if (data.isEmpty())
        return Failure(QStringLiteral("empty JPEG picture: there is no data"));
    JpegSession session;
    PrepareSession(session);
    DecodedJpeg decoded = DecodeInSession(session, data);
    DestroySession(session);
    return decoded;
}

}  // namespace helune
