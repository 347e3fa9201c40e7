#include "Jpeg.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace Jpeg {

namespace {
// Larger pictures than this are refused before any memory is taken for them.
constexpr qint64 kMaxPixels = qint64(16384) * 16384;

struct ErrorManager
{
    jpeg_error_mgr base; // first, so the library's pointer is ours
    std::jmp_buf escape;
    int warnings = 0;
    char message[JMSG_LENGTH_MAX] = {};
};

void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->base.format_message(cinfo, err->message);
    // Never the library's default, which ends the process.
    std::longjmp(err->escape, 1);
}

void emitMessage(j_common_ptr cinfo, int level)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0 && err->warnings++ == 0)
        err->base.format_message(cinfo, err->message);
}

void outputMessage(j_common_ptr) {}

// Everything touched after setjmp lives behind these pointers, so its value
// is defined after a longjmp.
bool decodeInto(jpeg_decompress_struct* cinfo, ErrorManager* err, const QByteArray& data,
                QImage* image)
{
    if (setjmp(err->escape))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(cinfo, TRUE);
    if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK) {
        std::snprintf(err->message, sizeof err->message, "CMYK pictures are not supported");
        return false;
    }
    const bool grey = cinfo->num_components == 1;
    cinfo->out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    if (qint64(cinfo->image_width) * cinfo->image_height > kMaxPixels) {
        std::snprintf(err->message, sizeof err->message, "Picture too large");
        return false;
    }
    jpeg_start_decompress(cinfo);
    *image = QImage(int(cinfo->output_width), int(cinfo->output_height),
                    grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    if (image->isNull()) {
        std::snprintf(err->message, sizeof err->message, "Not enough memory for the picture");
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = image->scanLine(int(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return err->warnings == 0;
}
} // namespace

QImage decode(const QByteArray& data, QString* error)
{
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = errorExit;
    err.base.emit_message = emitMessage;
    err.base.output_message = outputMessage;
    QImage image;
    const bool ok = !data.isEmpty() && decodeInto(&cinfo, &err, data, &image);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        if (error)
            *error = data.isEmpty() ? QStringLiteral("Empty JPEG file")
                                    : QString::fromLocal8Bit(err.message);
        return QImage();
    }
    return image;
}

QImage load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return QImage();
    }
    return decode(file.readAll(), error);
}

} // namespace Jpeg
