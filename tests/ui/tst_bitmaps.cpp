#include "ui/Bitmaps.h"

#include <QTest>
#include <cstdlib>

using namespace tv::ui;

namespace {

// Mean difference of two equally sized images, per colour channel (0..255),
// each pixel taken over a grey background.
double meanDifference(const QImage &a, const QImage &b) {
    const auto over = [](QRgb c, int channel) {
        const int alpha = qAlpha(c);
        return (channel * alpha + 192 * (255 - alpha)) / 255;
    };
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(over(p, qRed(p)) - over(q, qRed(q))) +
                   std::abs(over(p, qGreen(p)) - over(q, qGreen(q))) +
                   std::abs(over(p, qBlue(p)) - over(q, qBlue(q)));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class TestBitmaps : public QObject {
    Q_OBJECT
private slots:
    // Each look of each symbol fills its button and can be told from the
    // others; the greyed one holds no black, so it reads as unavailable.
    void buttonLooksAreDistinct() {
        QList<QImage> seen;
        for (Symbol s : {Symbol::Play, Symbol::Pause})
            for (Look l : {Look::Greyed, Look::Raised, Look::Pressed}) {
                const QImage image = buttonBitmap(s, l);
                QCOMPARE(image.size(), QSize(kButtonWidth, kButtonHeight));
                QVERIFY(!seen.contains(image));
                seen << image;
                if (l == Look::Greyed)
                    for (int y = 2; y < kButtonHeight - 2; ++y)
                        for (int x = 2; x < kButtonWidth - 2; ++x)
                            QVERIFY(image.pixelColor(x, y) != QColor(Qt::black));
            }
    }

    // The icon for the desktop's theme is the program icon at every size:
    // brought to the same size, it differs only by its smoothing.
    void programIconAtOtherSizes_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 48, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    void programIconAtOtherSizes() {
        QFETCH(int, size);
        const QImage icon = programIcon(size);
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(icon.pixelColor(size / 2, size / 2), QColor(Qt::white));
        const int common = qMin(size, kIconSize);
        const auto at = [common](const QImage &image) {
            return image.scaled(common, common, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        // (Smoothing alone differs by about 16; the icon mirrored, by 35.)
        const double difference = meanDifference(at(icon), at(programIcon()));
        QVERIFY2(difference < 22, qPrintable(QString::number(difference)));
    }
};

QTEST_MAIN(TestBitmaps)
#include "tst_bitmaps.moc"
