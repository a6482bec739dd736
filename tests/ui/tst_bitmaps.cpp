#include "ui/Bitmaps.h"

#include <QTest>

using namespace tv::ui;

class TestBitmaps : public QObject {
    Q_OBJECT

    static QColor at(const QImage &image, int x, int y) { return image.pixelColor(x, y); }

private slots:
    void sizes() {
        QCOMPARE(programIcon().size(), QSize(32, 32));
        QCOMPARE(ornamentStrip().size(), QSize(780, 16));
        for (Symbol s : {Symbol::Play, Symbol::Pause})
            for (Look l : {Look::Greyed, Look::Raised, Look::Pressed})
                QCOMPARE(buttonBitmap(s, l).size(), QSize(25, 21));
    }

    void looks_data() {
        QTest::addColumn<int>("symbol");
        QTest::newRow("play") << int(Symbol::Play);
        QTest::newRow("pause") << int(Symbol::Pause);
    }
    // Raised: light upper and left edges; pressed: dark ones and a dithered
    // face; greyed: the symbol in grey, never black.
    void looks() {
        QFETCH(int, symbol);
        const QImage raised = buttonBitmap(Symbol(symbol), Look::Raised);
        const QImage pressed = buttonBitmap(Symbol(symbol), Look::Pressed);
        const QImage greyed = buttonBitmap(Symbol(symbol), Look::Greyed);
        QCOMPARE(at(raised, 5, 0), QColor(Qt::white));
        QCOMPARE(at(raised, 0, 5), QColor(Qt::white));
        QVERIFY(at(pressed, 5, 0).lightness() < 160);
        QVERIFY(at(pressed, 0, 5).lightness() < 160);
        QVERIFY(at(pressed, 1, 5).lightness() < 160);
        QVERIFY(at(pressed, 4, 4) != at(pressed, 5, 4)); // checkerboard
        QCOMPARE(at(raised, 4, 4), at(raised, 5, 4));
        int black = 0, greyedBlack = 0;
        for (int y = 2; y < 19; ++y)
            for (int x = 2; x < 23; ++x) {
                black += at(raised, x, y) == QColor(Qt::black);
                greyedBlack += at(greyed, x, y) == QColor(Qt::black);
            }
        QVERIFY(black > 30);
        QCOMPARE(greyedBlack, 0);
    }

    void playAndPauseDiffer() {
        QVERIFY(buttonBitmap(Symbol::Play, Look::Raised) !=
                buttonBitmap(Symbol::Pause, Look::Raised));
    }

    // The icon's corners stay clear so it sits on any background.
    void iconHasATransparentOutside() {
        const QImage icon = programIcon();
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(icon.pixelColor(31, 31).alpha(), 0);
        QCOMPARE(icon.pixelColor(16, 3).alpha(), 255);
    }
};

QTEST_MAIN(TestBitmaps)
#include "tst_bitmaps.moc"
