#include "ui/Bitmaps.h"

#include <QTest>

using namespace tv::ui;

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
};

QTEST_MAIN(TestBitmaps)
#include "tst_bitmaps.moc"
