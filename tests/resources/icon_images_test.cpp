// The icon as Qt decodes it from the program's resources, against the
// hicolor PNGs the desktop shows: one picture everywhere.

#include <QImage>
#include <QImageReader>
#include <QString>
#include <QTest>

namespace {

QString IconPng(int side) {
    return QStringLiteral(QUORVEL_ICON_DIR "/quorvel-%1.png").arg(side);
}

// Where the two differ, the first such pixel, or an empty string.
QString FirstDifference(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return QStringLiteral("pixel %1,%2: %3 against %4")
                    .arg(x)
                    .arg(y)
                    .arg(a.pixel(x, y), 8, 16)
                    .arg(b.pixel(x, y), 8, 16);
            }
        }
    }
    return {};
}

}  // namespace

class IconImagesTest : public QObject {
    Q_OBJECT

private slots:
    void resourceHoldsBothImagesLargeFirst() {
        QImageReader reader(QStringLiteral(":/quorvel.ico"));
        QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
        QCOMPARE(reader.imageCount(), 2);
        QCOMPARE(reader.read().size(), QSize(32, 32));
        QVERIFY(reader.jumpToNextImage());
        QCOMPARE(reader.read().size(), QSize(16, 16));
    }

    void pngMatchesIconImage_data() {
        QTest::addColumn<int>("image");
        QTest::addColumn<int>("side");
        QTest::newRow("32x32 PNG is the first icon image") << 0 << 32;
        QTest::newRow("16x16 PNG is the second icon image") << 1 << 16;
    }

    void pngMatchesIconImage() {
        QFETCH(int, image);
        QFETCH(int, side);
        QImageReader reader(QStringLiteral(":/quorvel.ico"));
        QVERIFY(reader.jumpToImage(image));
        const QImage ico = reader.read().convertToFormat(QImage::Format_ARGB32);
        const QImage png = QImage(IconPng(side)).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(ico.size(), QSize(side, side));
        QCOMPARE(png.size(), QSize(side, side));
        const QString difference = FirstDifference(ico, png);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                QVERIFY2(qAlpha(ico.pixel(x, y)) == 255, "every pixel of the icon is opaque");
            }
        }
    }

    void largestPngIsTheLargeArtScaledUp() {
        const QImage big = QImage(IconPng(48)).convertToFormat(QImage::Format_RGB32);
        const QImage art = QImage(IconPng(32)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(big.size(), QSize(48, 48));
        // Scaled back down it must be the 32x32 picture, give or take the
        // blending of edges: compare colour by colour with a tolerance.
        const QImage back = big.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        int far = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb a = back.pixel(x, y);
                const QRgb b = art.pixel(x, y);
                const int d = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                              qAbs(qBlue(a) - qBlue(b));
                far += d > 3 * 96 ? 1 : 0;
            }
        }
        QVERIFY2(far < 32 * 32 / 10, qPrintable(QStringLiteral("%1 pixels far off").arg(far)));
    }
};

QTEST_GUILESS_MAIN(IconImagesTest)
#include "icon_images_test.moc"
