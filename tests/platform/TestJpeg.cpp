#include "platform/Jpeg.h"

#include <QTest>

#include <cstdio>

#include <jpeglib.h>

// Pictures made with libjpeg's own encoder: a gradient, so every row differs.
static QByteArray encode(bool grey, bool progressive, int width = 40, int height = 24)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    QByteArray row(width * cinfo.input_components, 0);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int i = 0; i < row.size(); ++i)
            row[i] = char((i * 5 + int(cinfo.next_scanline) * 9) & 0xff);
        JSAMPROW p = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&cinfo, &p, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char*>(buffer), int(size));
    std::free(buffer);
    jpeg_destroy_compress(&cinfo);
    return out;
}

class TestJpeg : public QObject
{
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void shippedPictures();
};

void TestJpeg::decode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QImage::Format>("format");
    const QByteArray colour = encode(false, false);
    QTest::newRow("baseline colour") << colour << true << QImage::Format_RGB888;
    QTest::newRow("progressive") << encode(false, true) << true << QImage::Format_RGB888;
    QTest::newRow("greyscale") << encode(true, false) << true << QImage::Format_Grayscale8;
    QTest::newRow("progressive greyscale")
        << encode(true, true) << true << QImage::Format_Grayscale8;
    // The library pads a cut stream and only warns: the picture is refused.
    QTest::newRow("truncated") << colour.left(colour.size() * 2 / 3) << false
                               << QImage::Format_Invalid;
    QTest::newRow("truncated progressive")
        << encode(false, true).chopped(40) << false << QImage::Format_Invalid;
    QTest::newRow("header only") << colour.left(20) << false << QImage::Format_Invalid;
    QTest::newRow("garbage") << QByteArray("GIF89a not a jpeg at all") << false
                             << QImage::Format_Invalid;
    QByteArray corrupt = colour;
    for (int i = corrupt.size() / 2; i < corrupt.size() / 2 + 30; ++i)
        corrupt[i] = char(0xff);
    QTest::newRow("corrupt middle") << corrupt << false << QImage::Format_Invalid;
    QTest::newRow("empty") << QByteArray() << false << QImage::Format_Invalid;
}

void TestJpeg::decode()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, ok);
    QFETCH(QImage::Format, format);
    QString error;
    const QImage image = Jpeg::decode(data, &error);
    QCOMPARE(!image.isNull(), ok);
    QCOMPARE(error.isEmpty(), ok);
    if (!ok)
        return;
    QCOMPARE(image.format(), format);
    QCOMPARE(image.size(), QSize(40, 24));
    // The gradient survives: the bottom row is not a copy of the top one.
    QVERIFY(image.pixel(10, 0) != image.pixel(10, 23));
}

void TestJpeg::shippedPictures()
{
    for (const char* name : {"quickstart", "bestway", "example1", "example2"}) {
        QString error;
        const QImage image =
            Jpeg::load(QStringLiteral(":/tools/%1.jpg").arg(QLatin1String(name)), &error);
        QVERIFY2(!image.isNull(), qPrintable(QLatin1String(name) + ": " + error));
    }
}

QTEST_GUILESS_MAIN(TestJpeg)
#include "TestJpeg.moc"
