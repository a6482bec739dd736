#include "LogicTest.h"

#include "playback/GromkostM.h"

using namespace tv;
using namespace tv::test;

class TestGromkost : public LogicTest {
    Q_OBJECT
public:
    TestGromkost() : LogicTest(Lang::Russian) {}

private slots:
    // Where the desktop has no sndvol32.exe: the first mixer on the search path, or a message.
    void theFirstMixerFoundStarts_data() {
        columns<QStringList, QString>("installed", "started");
        row("the Qt mixer first", QStringList{"pavucontrol", "pavucontrol-qt"},
            QString("start:/usr/bin/pavucontrol-qt|C:/Tonvela/"));
        row("GNOME's settings, on their sound page", QStringList{"gnome-control-center"},
            QString("start:/usr/bin/gnome-control-center sound|C:/Tonvela/"));
        row("the last of the list", QStringList{"xfce4-mixer", "alsamixer"},
            QString("start:/usr/bin/xfce4-mixer|C:/Tonvela/"));
        row("none: the user is told", QStringList{"alsamixer"}, QString());
    }
    // Either item, the menu's or the tray's, gets there.
    void theFirstMixerFoundStarts() {
        QFETCH(QStringList, installed);
        QFETCH(QString, started);
        env->shell.installed = installed;
        started.isEmpty() ? pMenuGromkost_Click() : MusicGromkost_Click();
        QCOMPARE(env->shell.calls.join(','), started);
        QCOMPARE(env->dialogs.msgs.size(), int(started.isEmpty()));
        if (started.isEmpty()) {
            const MsgCall msg = env->dialogs.msgs[0];
            QCOMPARE(msg.prompt + '|' + msg.title, QString("Файл не найден.|Тонвела для MP3"));
            QCOMPARE(msg.style, int(vbOKOnly | vbCritical));
        }
    }

    // On Windows: the Windows folder first, then its System32, however long
    // the folder's name.
    void sndvolFromTheWindowsFolder_data() {
        columns<QString, QStringList, QString>("windows", "files", "opened");
        row("in System32 only", QString("C:/WINDOWS"),
            QStringList{"C:/WINDOWS/System32/sndvol32.exe"},
            QString("C:/WINDOWS/System32/sndvol32.exe|C:/Tonvela"));
        row("in both", QString("C:/WINDOWS"),
            QStringList{"C:/WINDOWS/sndvol32.exe", "C:/WINDOWS/System32/sndvol32.exe"},
            QString("C:/WINDOWS/sndvol32.exe|C:/Tonvela"));
        row("in neither", QString("C:/WINDOWS"), QStringList{"C:/WINDOWS/notepad.exe"}, QString());
        row("a folder name of 20 and more", QString("E:/Operating Systems/Windows"),
            QStringList{"E:/Operating Systems/Windows/sndvol32.exe"},
            QString("E:/Operating Systems/Windows/sndvol32.exe|C:/Tonvela"));
    }
    void sndvolFromTheWindowsFolder() {
        QFETCH(QString, windows);
        QFETCH(QStringList, files);
        QFETCH(QString, opened);
        env->shell.windowsDir = windows;
        env->shell.installed = QStringList{"pavucontrol"};
        for (const QString &file : files)
            env->drives.put(file);
        GromkostM();
        QCOMPARE(env->shell.calls.join(','), opened);
        QCOMPARE(env->dialogs.msgs.size(), opened.isEmpty() ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestGromkost)
#include "tst_gromkost.moc"
