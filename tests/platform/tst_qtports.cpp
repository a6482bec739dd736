#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtShell.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

using namespace tv;

namespace {

QList<Drive> rootDrive() {
    return {Drive{QStringLiteral("Z"), QStringLiteral("/")}};
}

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

QStringList readLines(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void writeText(const QString &path, const QByteArray &text, bool append = false) {
    QFile f(path);
    QVERIFY(f.open(append ? QIODevice::Append : QIODevice::WriteOnly));
    f.write(text);
}

// Sets the answer-file variables for one test and clears them after.
struct ScriptedDialogs {
    ScriptedDialogs() {
        answers = dir.filePath("answers.txt");
        log = dir.filePath("log.txt");
        qputenv("TONVELA_DIALOG_ANSWERS", answers.toUtf8());
        qputenv("TONVELA_DIALOG_LOG", log.toUtf8());
    }
    ~ScriptedDialogs() {
        qunsetenv("TONVELA_DIALOG_ANSWERS");
        qunsetenv("TONVELA_DIALOG_LOG");
    }
    QTemporaryDir dir;
    QString answers;
    QString log;
};

class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl &url) { urls << url; }

public:
    QList<QUrl> urls;
};

const QList<FileFilter> kAlbumFilters = {
    {QStringLiteral("Альбомы (*.alb)"), QStringLiteral("*.alb")},
    {QStringLiteral("All Files (*.*)"), QStringLiteral("*.*")},
};

// Reads the other process's output until it has said the word.
bool readUntil(QProcess &process, const QByteArray &word) {
    QByteArray said;
    while (!said.contains(word)) {
        if (!process.waitForReadyRead(10000))
            return false;
        said += process.readAllStandardOutput();
    }
    return true;
}

// Another copy of the program: holds the guard for a folder until killed and
// says on its output when it holds it and when it was asked to come forward.
int holdGuard(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QtInstanceGuard guard;
    if (!guard.acquire(QString::fromLocal8Bit(argv[2])))
        return 3;
    QObject::connect(&guard, &QtInstanceGuard::raiseRequested, [] {
        std::puts("raised");
        std::fflush(stdout);
    });
    std::puts("held");
    std::fflush(stdout);
    return app.exec();
}

} // namespace

class TestQtPorts : public QObject {
    Q_OBJECT
private slots:
    // --- message boxes and file dialogs answered from a file ---

    void scriptedMsgBoxAnswers_data() {
        QTest::addColumn<QByteArray>("answers");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << QByteArray("7\n") << int(vbYesNoCancel) << int(vbNo);
        QTest::newRow("word") << QByteArray("Cancel\n") << int(vbYesNoCancel) << int(vbCancel);
        QTest::newRow("word, any case, CR LF")
            << QByteArray("yes\r\n") << int(vbYesNo) << int(vbYes);
        QTest::newRow("answers run out: first button")
            << QByteArray() << int(vbYesNo) << int(vbYes);
        QTest::newRow("ok box") << QByteArray() << int(vbOKOnly | vbCritical) << int(vbOK);
        QTest::newRow("button the box lacks: first")
            << QByteArray("2\n") << int(vbYesNo) << int(vbYes);
        QTest::newRow("default button does not change it")
            << QByteArray("") << int(vbYesNo | vbDefaultButton2) << int(vbYes);
    }
    void scriptedMsgBoxAnswers() {
        QFETCH(QByteArray, answers);
        QFETCH(int, style);
        QFETCH(int, expected);
        ScriptedDialogs env;
        writeText(env.answers, answers);
        DriveFileSystem fs(rootDrive());
        QtDialogs dialogs(fs);
        QCOMPARE(dialogs.MsgBox("Save?", style, "Tonvela"), expected);
        QCOMPARE(readLines(env.log),
                 QStringList{QStringLiteral("MsgBox|%1|Tonvela|Save?").arg(style)});
    }

    void scriptedCallsTakeAnswersInOrderAndAreLogged() {
        ScriptedDialogs env;
        writeText(env.answers, "No\n/music/rock.alb\n\n");
        DriveFileSystem fs(rootDrive());
        QtDialogs dialogs(fs);
        QCOMPARE(dialogs.MsgBox("Z:/a.mp3\r\nis not found.", vbYesNoCancel | vbQuestion, "T"),
                 int(vbNo));
        QCOMPARE(dialogs.fileDialog(false, "Z:/music/", "", kAlbumFilters),
                 QString("Z:/music/rock.alb"));
        QCOMPARE(dialogs.fileDialog(true, "Z:/music/", "New.alb", kAlbumFilters), QString());
        // Answers added while the program runs are heard.
        writeText(env.answers, "6\n", true);
        QCOMPARE(dialogs.MsgBox("Replace?", vbYesNo, "T"), int(vbYes));
        QCOMPARE(dialogs.fileDialog(true, "Z:/x/", "y.alb", kAlbumFilters), QString());
        QCOMPARE(readLines(env.log), QStringList({
                                         "MsgBox|35|T|Z:/a.mp3\\nis not found.",
                                         "FileDialog|open|Z:/music/|",
                                         "FileDialog|save|Z:/music/|New.alb",
                                         "MsgBox|4|T|Replace?",
                                         "FileDialog|save|Z:/x/|y.alb",
                                     }));
    }

    // --- the real message box ---

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
        DriveFileSystem fs(rootDrive());
        QtDialogs dialogs(fs);
        whenShown<QMessageBox>([key](QMessageBox *box) {
            QTest::keyClick(box, Qt::Key(key));
            if (box->isVisible()) // a focused button takes Enter itself
                QTest::keyClick(box->focusWidget(), Qt::Key(key));
        });
        QCOMPARE(dialogs.MsgBox("?", style, "T"), expected);
    }

    void messageBoxShowsTextIconAndTitle_data() {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::newRow("critical") << int(vbCritical) << int(QMessageBox::Critical);
        QTest::newRow("question") << int(vbYesNo | vbQuestion) << int(QMessageBox::Question);
        QTest::newRow("exclamation") << int(vbExclamation) << int(QMessageBox::Warning);
        QTest::newRow("information") << int(vbInformation) << int(QMessageBox::Information);
    }
    void messageBoxShowsTextIconAndTitle() {
        QFETCH(int, style);
        QFETCH(int, icon);
        DriveFileSystem fs(rootDrive());
        QtDialogs dialogs(fs);
        QString text, title;
        int shownIcon = -1;
        whenShown<QMessageBox>([&](QMessageBox *box) {
            text = box->text();
            title = box->windowTitle();
            shownIcon = box->icon();
            box->buttons().first()->click();
        });
        dialogs.MsgBox("Z:/a.mp3\r\nis not found.", style, "Tonvela");
        QCOMPARE(text, QString("Z:/a.mp3\nis not found."));
        QCOMPARE(title, QString("Tonvela"));
        QCOMPARE(shownIcon, icon);
    }

    // --- the real file dialog ---

    void saveDialogProposesNameAndAsksNoOverwrite() {
        QTemporaryDir dir;
        writeText(dir.filePath("rock.alb"), "x");
        DriveFileSystem fs(rootDrive());
        QtDialogs dialogs(fs);
        const QString lettered = fs.fromNative(dir.path()) + "/";
        QString shownDir, filter;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog *d) {
            shownDir = d->directory().absolutePath();
            filters = d->nameFilters();
            filter = d->selectedNameFilter();
            static_cast<QDialog *>(d)->accept(); // the Save button, with the proposed name
        });
        QCOMPARE(dialogs.fileDialog(true, lettered, lettered + "rock.alb", kAlbumFilters),
                 lettered + "rock.alb");
        QCOMPARE(shownDir, QDir(dir.path()).absolutePath());
        QCOMPARE(filters, QStringList({"Альбомы (*.alb)", "All Files (*)"}));
        QCOMPARE(filter, filters.first());
    }

    void cancelledDialogGivesNothing() {
        QTemporaryDir dir;
        DriveFileSystem fs(rootDrive());
        QtDialogs dialogs(fs);
        whenShown<QFileDialog>([](QFileDialog *d) { d->reject(); });
        QCOMPARE(dialogs.fileDialog(false, fs.fromNative(dir.path()), "", kAlbumFilters),
                 QString());
    }

    // --- the shell ---

    void shellOpens_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("workDir");
        QTest::addColumn<QString>("url");
        QTest::newRow("lettered file") << "Z:/opt/tv/Help_ru.htm"
                                       << ""
                                       << "file:///opt/tv/Help_ru.htm";
        QTest::newRow("bare name in workDir") << "Help_en.htm"
                                              << "Z:/opt/tv/"
                                              << "file:///opt/tv/Help_en.htm";
        QTest::newRow("workDir without separator") << "a.htm"
                                                   << "Z:/opt"
                                                   << "file:///opt/a.htm";
        QTest::newRow("backslashes") << "Z:\\opt\\tv\\a.htm"
                                     << ""
                                     << "file:///opt/tv/a.htm";
        QTest::newRow("address as is") << "https://example.org/x?a=1"
                                       << "Z:/opt/"
                                       << "https://example.org/x?a=1";
        QTest::newRow("unknown drive") << "Q:/a.htm"
                                       << ""
                                       << "";
    }
    void shellOpens() {
        QFETCH(QString, target);
        QFETCH(QString, workDir);
        QFETCH(QString, url);
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("file", &catcher, "open");
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        DriveFileSystem fs(rootDrive());
        QtShell shell(fs);
        const bool opened = shell.open(target, workDir);
        QDesktopServices::unsetUrlHandler("file");
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(opened, !url.isEmpty());
        QCOMPARE(catcher.urls, url.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(url)});
    }

    // --- one copy per folder ---

    void secondCopyIsRefusedAndRaisesTheFirst() {
        QTemporaryDir app, other;
        QtInstanceGuard first;
        QSignalSpy raised(&first, &QtInstanceGuard::raiseRequested);
        QVERIFY(first.acquire(app.path()));
        QtInstanceGuard second;
        QVERIFY(!second.acquire(app.path() + "/"));
        QTRY_COMPARE(raised.count(), 1);
        DriveFileSystem fs(rootDrive());
        QtInstanceGuard lettered(&fs);
        QVERIFY(!lettered.acquire(fs.fromNative(app.path()) + "/"));
        QTRY_COMPARE(raised.count(), 2);
        QtInstanceGuard elsewhere;
        QVERIFY(elsewhere.acquire(other.path()));
        QCOMPARE(raised.count(), 2);
        // Nothing is written into the program folder.
        QVERIFY(
            QDir(app.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                .isEmpty());
    }

    void folderIsFreeAgainAfterTheFirstCopyEnds() {
        QTemporaryDir app;
        {
            QtInstanceGuard first;
            QVERIFY(first.acquire(app.path()));
        }
        QtInstanceGuard next;
        QVERIFY(next.acquire(app.path()));
    }

    void crashedCopyDoesNotBlockTheNextStart() {
        QTemporaryDir app;
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {"--hold", app.path()});
        QVERIFY(readUntil(other, "held"));
        QtInstanceGuard refused;
        QVERIFY(!refused.acquire(app.path()));
        QVERIFY(readUntil(other, "raised"));
        other.kill(); // no clean-up: lock file and socket stay behind
        QVERIFY(other.waitForFinished(10000));
        QtInstanceGuard after;
        QSignalSpy raised(&after, &QtInstanceGuard::raiseRequested);
        QVERIFY(after.acquire(app.path()));
        QtInstanceGuard third;
        QVERIFY(!third.acquire(app.path()));
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
