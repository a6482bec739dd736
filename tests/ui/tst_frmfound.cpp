// The search window on widgets: typing, Enter, clicks and the port that opens it.
#include "MemoryFs.h"
#include "WindowKit.h"

#include "core/AlbumList.h"
#include "core/Language.h"
#include "playback/FoundModel.h"
#include "ui/FrmFound.h"
#include "ui/QtWindowPort.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace tv;
using namespace tv::test;
using ui::FrmFound;

namespace {

// Which of Search, Add all and Add file are enabled, as "SAF" with "-" for off.
QString buttons(const FrmFound &d) {
    QString s;
    s += d.kFound()->isEnabled() ? 'S' : '-';
    s += d.kAddPapka()->isEnabled() ? 'A' : '-';
    s += d.KAddFile()->isEnabled() ? 'F' : '-';
    return s;
}

QPoint rowCentre(QListView *list, int row) {
    return list->visualRect(list->model()->index(row, 0)).center();
}

} // namespace

class TestFrmFound : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;
    std::unique_ptr<MemoryFs> fs;

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        fs = std::make_unique<MemoryFs>();
        P().fs = fs.get();
        fs->addFile(G().AppDir + "rock.alb",
                    albumFile(" 2 ", {"DawnC:/m/beatles/dawn.mp3", "DuskC:/m/beatles/dusk.mp3"}));
        setAlbumList({{"rock.alb", 0}});
        LanguageEnM();
    }
    void cleanup() {
        fs.reset();
        env.reset();
    }

    // The buttons follow the text, the search and the pick, as a user drives them.
    void buttonsAsTheUserGoes() {
        FoundModel model;
        FrmFound d(&model);
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(buttons(d), "---");
        QCOMPARE(d.lblInfo()->text(), "Альбом:");
        d.Text1()->setFocus();
        QTest::keyClicks(d.Text1(), "BEATLES");
        QCOMPARE(buttons(d), "S--");
        QTest::keyClick(d.Text1(), Qt::Key_Return);
        QCOMPARE(d.List1()->model()->rowCount(), 2);
        QCOMPARE(buttons(d), "SA-");
        QCOMPARE(d.lblInfo()->text(), "Альбом: ");
        QVERIFY(d.isEnabled());
        QCOMPARE(QApplication::focusWidget(), d.Text1());
        QVERIFY(!QApplication::overrideCursor());

        QTest::mouseClick(d.List1()->viewport(), Qt::LeftButton, {}, rowCentre(d.List1(), 1));
        QCOMPARE(buttons(d), "SAF");
        QCOMPARE(d.lblInfo()->text(), "Альбом: rock.alb");

        QTest::mouseClick(d.KAddFile(), Qt::LeftButton);
        QCOMPARE(frmForma().ListPath, QStringList{"DuskC:/m/beatles/dusk.mp3"});
        // Enter in the list adds the picked song again (it is there: nothing)
        // and presses no button: Add all stays enabled, nothing else is added.
        d.List1()->setFocus();
        QTest::keyClick(d.List1(), Qt::Key_Return);
        QCOMPARE(frmForma().ListPath.size(), 1);
        QCOMPARE(buttons(d), "SAF");

        QTest::mouseClick(d.kAddPapka(), Qt::LeftButton);
        QCOMPARE(playListRows(), (QStringList{"1.Dusk", "2.Dawn"}));
        QCOMPARE(buttons(d), "S-F");

        d.Text1()->clear();
        QCOMPARE(buttons(d), "--F");
        QVERIFY(d.isVisible());
    }

    // The window's texts are its own Russian ones in either language.
    void fixedTexts() {
        FoundModel model;
        FrmFound d(&model);
        QCOMPARE(d.windowTitle(), "Поиск");
        QCOMPARE(d.kFound()->text(), "Искать");
        QCOMPARE(d.kAddPapka()->text(), "Добавить всё");
        QCOMPARE(d.KAddFile()->text(), "Добавить файл");
        QCOMPARE(d.size(), QSize(327, 406));
    }

    // F3's window: modal, centred, and in its design state on every opening
    // even though the last search's results are still kept.
    void thePortOpensItModallyAndAfresh() {
        ui::QtWindowPort port;
        port.loadForma();
        QStringList seen;
        auto look = [&seen](const QString &type) {
            QTimer::singleShot(0, [&seen, type] {
                auto *d = qobject_cast<FrmFound *>(QApplication::activeModalWidget());
                if (!d)
                    return;
                const QPoint centre = d->screen()->availableGeometry().center();
                seen << QString("%1 rows=%2 centred=%3")
                            .arg(d->isModal())
                            .arg(d->List1()->model()->rowCount())
                            .arg((d->geometry().center() - centre).manhattanLength() < 40);
                QTest::keyClicks(d->Text1(), type);
                QTest::keyClick(d->Text1(), Qt::Key_Return);
                QTest::keyClick(d, Qt::Key_Escape);
            });
        };
        look("dawn");
        port.showFound();
        look("");
        port.showFound();
        QCOMPARE(seen, (QStringList{"1 rows=0 centred=1", "1 rows=0 centred=1"}));
        QCOMPARE(G().FoundUB, 0);
    }
};

QTEST_MAIN(TestFrmFound)
#include "tst_frmfound.moc"
