#include "reference_window/reference_picture.h"

#include <QResource>
#include <QtGlobal>

#include <utility>

#include <csetjmp>
// jpeglib.h needs size_t and FILE declared before it.
#include <cstdio>
#include <jpeglib.h>

namespace naklon {

namespace {

// libjpeg's default error handler prints and calls exit(). Ours jumps back
// to the decoding function with the message kept, and treats warnings
// (corrupt or missing data, which libjpeg would paper over with grey) as
// failures too, since the picture is ours and must be whole.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf back;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void failDecoding(j_common_ptr info)
{
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->back, 1);
}

extern "C" void noteMessage(j_common_ptr info, int level)
{
    // level < 0: a warning about the data; it is fatal for us. Trace
    // messages (level >= 0) are ignored.
    if (level < 0)
        failDecoding(info);
}

// The setjmp frame: only plain C data lives here, so the long jump skips no
// destructor. The caller owns the image the scanlines are written into.
bool decodeInto(const QByteArray &jpeg, QImage *out, char *message)
{
    jpeg_decompress_struct info;
    ErrorManager err;
    info.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = failDecoding;
    err.pub.emit_message = noteMessage;
    err.message[0] = '\0';

    if (setjmp(err.back)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(jpeg.constData()),
        static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);

    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    info.out_color_space = JCS_RGB;
    info.scale_num = 1;
    info.scale_denom = 1;
    jpeg_start_decompress(&info);

    if (info.output_components != 3) {
        std::snprintf(message, JMSG_LENGTH_MAX, "unexpected output of %d components", info.output_components);
        jpeg_destroy_decompress(&info);
        return false;
    }
    // The allocation may fail for an absurd size from a forged header.
    *out = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), QImage::Format_RGB888);
    if (out->isNull()) {
        std::snprintf(message, JMSG_LENGTH_MAX, "no memory for %u x %u pixels", info.output_width, info.output_height);
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out->scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

QImage decodeJpeg(const QByteArray &jpeg, QString *error)
{
    QImage image;
    char message[JMSG_LENGTH_MAX] = {};
    if (jpeg.isEmpty()) {
        if (error)
            *error = QStringLiteral("no JPEG data");
        return image;
    }
    if (!decodeInto(jpeg, &image, message)) {
        if (error)
            *error = QString::fromLocal8Bit(message);
        return QImage();
    }
    if (error)
        error->clear();
    return image;
}

QString ReferencePicture::resourcePath()
{
    return QStringLiteral(":/naklon/reference.jpg");
}

ReferencePicture::ReferencePicture()
{
    // The resource is stored uncompressed by rcc (a JPEG gains nothing from
    // zlib), so the bytes can be used where they lie; should that change,
    // take the unpacked copy.
    const QResource resource(resourcePath());
    if (resource.compressionAlgorithm() == QResource::NoCompression)
        jpeg_ = QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
            static_cast<qsizetype>(resource.size()));
    else
        jpeg_ = resource.uncompressedData();
}

ReferencePicture::ReferencePicture(QByteArray jpeg) : jpeg_(std::move(jpeg))
{
}

const QImage &ReferencePicture::image()
{
    if (decodeCount_ == 0) {
        ++decodeCount_;
        QString error;
        image_ = decodeJpeg(jpeg_, &error);
        Q_ASSERT_X(!image_.isNull(), "ReferencePicture::image", qPrintable(error));
    }
    return image_;
}

} // namespace naklon
