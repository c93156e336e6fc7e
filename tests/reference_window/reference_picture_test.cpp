// The reference picture and its libjpeg decoder: the compiled-in JPEG must
// decode whole, once, to the drawing we ship; bad data must come back as an
// error, never end the program.
#include "reference_window/reference_picture.h"

#include <QFile>
#include <QtTest>

#include <cstdio>
#include <jpeglib.h>

#include <vector>

using naklon::decodeJpeg;
using naklon::ReferencePicture;

namespace {

// Encodes pixels with libjpeg itself (quality 100, no subsampling), so the
// decoder is checked against data whose content we know exactly.
QByteArray encode(int width, int height, int components, const std::vector<unsigned char> &pixels)
{
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = components;
    info.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int c = 0; c < info.num_components; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto *row = const_cast<JSAMPROW>(pixels.data() + info.next_scanline * width * components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray out(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return out;
}

QByteArray shippedJpeg()
{
    return ReferencePicture().compressed();
}

} // namespace

class ReferencePictureTest : public QObject {
    Q_OBJECT

private slots:
    void shippedFileIsTheDescribedJpeg()
    {
        // Baseline (SOF0), 8 bits, 800 x 600, three components, JFIF at 96 dpi.
        const QByteArray jpeg = shippedJpeg();
        QVERIFY(jpeg.startsWith("\xFF\xD8\xFF\xE0"));
        QCOMPARE(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
        QCOMPARE(jpeg.mid(13, 5), QByteArray("\x01\x00\x60\x00\x60", 5));
        const qsizetype sof = jpeg.indexOf("\xFF\xC0");
        QVERIFY(sof > 0);
        QCOMPARE(jpeg.mid(sof + 4, 6), QByteArray("\x08\x02\x58\x03\x20\x03", 6));
        QVERIFY(!jpeg.contains("\xFF\xC2"));
    }

    void decodesOnceOnFirstRequest()
    {
        ReferencePicture picture;
        QVERIFY(!picture.isDecoded());
        QCOMPARE(picture.decodeCount(), 0);

        const QImage &first = picture.image();
        QCOMPARE(first.size(), QSize(800, 600));
        QCOMPARE(first.format(), QImage::Format_RGB888);
        QCOMPARE(first.depth(), 24);
        const qint64 key = first.cacheKey();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(picture.image().cacheKey(), key);
        QCOMPARE(picture.decodeCount(), 1);
    }

    void knownPixels_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("black");
        QTest::newRow("top-left margin") << QPoint(2, 2) << false;
        QTest::newRow("bottom-right margin") << QPoint(797, 597) << false;
        QTest::newRow("below the caption") << QPoint(400, 596) << false;
        QTest::newRow("between the rows") << QPoint(400, 556) << false;
        QTest::newRow("inside the caption's first letter") << QPoint(66, 575) << false;
        QTest::newRow("stem of the caption's first letter") << QPoint(61, 575) << true;
        QTest::newRow("stem of the caption's second letter") << QPoint(77, 576) << true;
        QTest::newRow("descender of the caption's third letter") << QPoint(89, 584) << true;
        QTest::newRow("wall outline of the first sketch") << QPoint(200, 70) << true;
    }

    void knownPixels()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, black);
        static ReferencePicture picture;
        const QImage &image = picture.image();
        const QRgb pixel = image.pixel(at);
        const int lightest = qMax(qRed(pixel), qMax(qGreen(pixel), qBlue(pixel)));
        const int darkest = qMin(qRed(pixel), qMin(qGreen(pixel), qBlue(pixel)));
        if (black)
            QVERIFY2(lightest <= 60, qPrintable(QString::number(pixel, 16)));
        else
            QVERIFY2(darkest >= 235, qPrintable(QString::number(pixel, 16)));
    }

    void decodesKnownContent_data()
    {
        QTest::addColumn<int>("components");
        QTest::newRow("colour") << 3;
        QTest::newRow("grey") << 1;
    }

    void decodesKnownContent()
    {
        // Four flat 8 x 8 blocks: row order, channel order and the grey to
        // RGB expansion all show in the block centres.
        QFETCH(int, components);
        const unsigned char colours[4][3] = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {240, 240, 240}};
        const int width = 16, height = 16;
        std::vector<unsigned char> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned char *c = colours[(y / 8) * 2 + x / 8];
                if (components == 3)
                    pixels.insert(pixels.end(), c, c + 3);
                else
                    pixels.push_back(c[0]);
            }
        QString error;
        const QImage image = decodeJpeg(encode(width, height, components, pixels), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.format(), QImage::Format_RGB888);
        QCOMPARE(image.size(), QSize(width, height));
        for (int block = 0; block < 4; ++block) {
            const QRgb got = image.pixel((block % 2) * 8 + 4, (block / 2) * 8 + 4);
            const unsigned char *c = colours[block];
            const int want[3] = {c[0], components == 3 ? c[1] : c[0], components == 3 ? c[2] : c[0]};
            QVERIFY(qAbs(qRed(got) - want[0]) <= 4);
            QVERIFY(qAbs(qGreen(got) - want[1]) <= 4);
            QVERIFY(qAbs(qBlue(got) - want[2]) <= 4);
        }
    }

    void badDataIsAnError_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = shippedJpeg();
        const qsizetype sof = good.indexOf("\xFF\xC0");
        QByteArray twelveBit = good;
        twelveBit[sof + 4] = 12;
        QByteArray noScan = good.left(good.indexOf("\xFF\xDA"));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a JPEG") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("header cut short") << good.left(300);
        QTest::newRow("no scan") << noScan;
        QTest::newRow("scan cut in half") << good.left(good.size() / 2);
        QTest::newRow("12-bit samples") << twelveBit;
    }

    void badDataIsAnError()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        const QImage image = decodeJpeg(bytes, &error);
        QVERIFY(image.isNull());
        QVERIFY(!error.isEmpty());
    }

    void goodDataAfterBadDecodes()
    {
        // A failed decode leaves nothing behind that spoils the next one.
        QString error;
        QVERIFY(decodeJpeg(shippedJpeg().left(1000), &error).isNull());
        const QImage image = decodeJpeg(shippedJpeg(), &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QVERIFY(error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ReferencePictureTest)
#include "reference_picture_test.moc"
