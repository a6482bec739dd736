#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtShell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

using namespace tv;

namespace {

// Acts on the next modal window of type W once it shows.
template <typename W> void whenShown(std::function<void(W *)> act) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        if (auto *w = qobject_cast<W *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(w);
        }
    });
    poll->start(10);
}

bool writeText(const QString &path, const QByteArray &text, bool append = false) {
    QFile f(path);
    return f.open(append ? QIODevice::Append : QIODevice::WriteOnly) &&
           f.write(text) == text.size();
}

const QList<FileFilter> kAlbumFilters = {
    {QStringLiteral("Альбомы (*.alb)"), QStringLiteral("*.alb")},
    {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")},
};

// Another copy of the program: holds the guard for a folder until killed.
int holdGuard(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QtInstanceGuard guard;
    if (!guard.acquire(QString::fromLocal8Bit(argv[2])))
        return 3;
    std::puts("held");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class TestQtPorts : public QObject {
    Q_OBJECT
    DriveFileSystem fs{{Drive{QStringLiteral("Z"), QStringLiteral("/")}}};
    QtDialogs dialogs{fs};
    QList<QUrl> m_opened;

public slots: // the desktop's handler of the addresses the shell opens
    void open(const QUrl &url) { m_opened << url; }

private slots:
    // Answers are taken in order (a number, a word in any case, CR LF), one the
    // box lacks or none left gives its first button, an empty line cancels a
    // file dialog, answers added meanwhile are heard, and every question is logged.
    void scriptedAnswersInOrderAndLogged() {
        QTemporaryDir dir;
        const QString answers = dir.filePath("answers.txt"), log = dir.filePath("log.txt");
        qputenv("TONVELA_DIALOG_ANSWERS", answers.toUtf8());
        qputenv("TONVELA_DIALOG_LOG", log.toUtf8());
        const auto unset = qScopeGuard([] {
            qunsetenv("TONVELA_DIALOG_ANSWERS");
            qunsetenv("TONVELA_DIALOG_LOG");
        });
        QVERIFY(writeText(answers, "7\nCANCEL\r\n2\n/music/rock.alb\n\n"));
        QCOMPARE(dialogs.MsgBox("Z:/a.mp3\r\nis not found.", vbYesNoCancel | vbQuestion, "T"),
                 int(vbNo));
        QCOMPARE(dialogs.MsgBox("Save?", vbYesNoCancel, "T"), int(vbCancel));
        QCOMPARE(dialogs.MsgBox("Replace?", vbYesNo, "T"), int(vbYes));
        QCOMPARE(dialogs.fileDialog(false, "Z:/music/", "", kAlbumFilters),
                 QString("Z:/music/rock.alb"));
        QCOMPARE(dialogs.fileDialog(true, "Z:/music/", "New.alb", kAlbumFilters), QString());
        QVERIFY(writeText(answers, "No\n", true));
        QCOMPARE(dialogs.MsgBox("Replace?", vbYesNo, "T"), int(vbNo));
        QCOMPARE(dialogs.MsgBox("Replace?", vbYesNo | vbDefaultButton2, "T"), int(vbYes));
        QCOMPARE(dialogs.fileDialog(true, "Z:/x/", "y.alb", kAlbumFilters), QString());
        QFile logged(log);
        QVERIFY(logged.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(logged.readAll()).split('\n'),
                 QStringList({"MsgBox|35|T|Z:/a.mp3\\nis not found.", "MsgBox|3|T|Save?",
                              "MsgBox|4|T|Replace?", "FileDialog|open|Z:/music/|",
                              "FileDialog|save|Z:/music/|New.alb", "MsgBox|4|T|Replace?",
                              "MsgBox|260|T|Replace?", "FileDialog|save|Z:/x/|y.alb", ""}));
    }

    void messageBoxButtons_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Yes/No/Cancel, Escape")
            << int(vbYesNoCancel) << int(Qt::Key_Escape) << int(vbCancel);
        QTest::newRow("Yes/No, Escape") << int(vbYesNo) << int(Qt::Key_Escape) << int(vbNo);
        QTest::newRow("OK, Escape") << int(vbOKOnly) << int(Qt::Key_Escape) << int(vbOK);
        QTest::newRow("Yes/No, Enter") << int(vbYesNo) << int(Qt::Key_Return) << int(vbYes);
        QTest::newRow("second default, Enter")
            << int(vbYesNoCancel | vbDefaultButton2) << int(Qt::Key_Return) << int(vbNo);
    }
    void messageBoxButtons() {
        QFETCH(int, style);
        QFETCH(int, key);
        QFETCH(int, expected);
        QString shown;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            shown = box->windowTitle() + '|' + box->text();
            QTest::keyClick(box, Qt::Key(key));
            if (box->isVisible()) // a focused button takes Enter itself
                QTest::keyClick(box->focusWidget(), Qt::Key(key));
        });
        QCOMPARE(dialogs.MsgBox("Z:/a.mp3\r\nis not found.", style, "Tonvela"), expected);
        QCOMPARE(shown, QString("Tonvela|Z:/a.mp3\nis not found."));
    }

    void saveDialogGivesTheLetteredPath() {
        QTemporaryDir dir;
        const QString lettered = fs.fromNative(dir.path()) + "/";
        QString shownDir;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog *d) {
            shownDir = d->directory().absolutePath();
            filters = d->nameFilters();
            static_cast<QDialog *>(d)->accept(); // the Save button, with the proposed name
        });
        QCOMPARE(dialogs.fileDialog(true, lettered, lettered + "rock.alb", kAlbumFilters),
                 lettered + "rock.alb");
        QCOMPARE(shownDir, QDir(dir.path()).absolutePath());
        // "*.*" is every file, also those without a dot.
        QCOMPARE(filters, QStringList({"Альбомы (*.alb)", "All Files (*)"}));
        whenShown<QFileDialog>([](QFileDialog *d) { d->reject(); });
        QCOMPARE(dialogs.fileDialog(false, lettered, "", kAlbumFilters), QString());
    }

    void shellOpens_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("workDir");
        QTest::addColumn<QString>("url");
        const auto row = [](const char *name, const char *target, const char *dir,
                            const char *url) {
            QTest::newRow(name) << QString(target) << QString(dir) << QString(url);
        };
        row("bare name in workDir", "Help_en.htm", "Z:/opt/tv/", "file:///opt/tv/Help_en.htm");
        row("address as is", "https://example.org/x?a=1", "Z:/opt/", "https://example.org/x?a=1");
        row("unknown drive", "Q:/a.htm", "", "");
    }
    void shellOpens() {
        QFETCH(QString, target);
        QFETCH(QString, workDir);
        QFETCH(QString, url);
        m_opened.clear();
        QDesktopServices::setUrlHandler("file", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
        QCOMPARE(QtShell(fs).open(target, workDir), !url.isEmpty());
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(m_opened, url.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(url)});
    }

    void secondCopyIsRefusedAndRaisesTheFirst() {
        QTemporaryDir app, other;
        auto first = std::make_unique<QtInstanceGuard>();
        QSignalSpy raised(first.get(), &QtInstanceGuard::raiseRequested);
        QVERIFY(first->acquire(app.path()));
        QtInstanceGuard second(&fs), elsewhere;
        QVERIFY(!second.acquire(fs.fromNative(app.path()) + "/"));
        QTRY_COMPARE(raised.count(), 1);
        QVERIFY(elsewhere.acquire(other.path()));
        QCOMPARE(raised.count(), 1);
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(app.path()).entryList(all), QStringList());
        first.reset(); // a copy that ends frees its folder
        QVERIFY(QtInstanceGuard().acquire(app.path()));
    }

    void crashedCopyDoesNotBlockTheNextStart() {
        QTemporaryDir app;
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {"--hold", app.path()});
        QVERIFY(other.waitForReadyRead(10000));
        QVERIFY(!QtInstanceGuard().acquire(app.path()));
        other.kill(); // no clean-up: lock file and socket stay behind
        QVERIFY(other.waitForFinished(10000));
        QtInstanceGuard after;
        QSignalSpy raised(&after, &QtInstanceGuard::raiseRequested);
        QVERIFY(after.acquire(app.path()));
        QVERIFY(!QtInstanceGuard().acquire(app.path()));
        QTRY_COMPARE(raised.count(), 1);
    }
};

int main(int argc, char **argv) {
    if (argc == 3 && qstrcmp(argv[1], "--hold") == 0)
        return holdGuard(argc, argv);
    QApplication app(argc, argv);
    TestQtPorts tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_qtports.moc"
