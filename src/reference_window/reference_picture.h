#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace naklon {

// Decodes a JPEG held in memory with libjpeg into a 24-bit image
// (QImage::Format_RGB888), at full size, with the accurate integer DCT and
// fancy upsampling. Grey-scale and YCbCr files both come out as RGB.
// Never goes through Qt's image plugins.
//
// A file that libjpeg rejects, or that it decodes only with warnings
// (truncated data, a corrupt segment), gives a null image and, in *error,
// libjpeg's message; libjpeg itself never ends the program.
//   decodeJpeg(bytes of an 800 x 600 baseline JPEG) -> 800 x 600 RGB888 image
//   decodeJpeg("")                                  -> null image, *error set
QImage decodeJpeg(const QByteArray &jpeg, QString *error = nullptr);

// The picture of the reference window: its JPEG bytes, kept compressed from
// the start, and the image decoded from them the first time it is asked for.
// Every later call hands out the same decoded image.
class ReferencePicture {
public:
    // The picture compiled into the program (resource :/naklon/reference.jpg).
    // Takes the bytes in place; nothing is decoded yet.
    ReferencePicture();
    // Any JPEG bytes, for tests and measurements.
    explicit ReferencePicture(QByteArray jpeg);

    ReferencePicture(const ReferencePicture &) = delete;
    ReferencePicture &operator=(const ReferencePicture &) = delete;

    // The decoded picture; decodes on the first call. A picture that does
    // not decode is a fault of the program's own resources: it asserts in a
    // debug build and yields a null image otherwise.
    const QImage &image();

    const QByteArray &compressed() const { return jpeg_; }
    bool isDecoded() const { return decodeCount_ > 0; }
    // How many times the bytes went through the decoder: 0 or 1.
    int decodeCount() const { return decodeCount_; }

private:
    // The resource path of the compiled-in picture.
    static QString resourcePath();

    QByteArray jpeg_;
    QImage image_;
    int decodeCount_ = 0;
};

} // namespace naklon
