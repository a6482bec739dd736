#include "LogicTest.h"

#include "playback/GromkostM.h"

using namespace tv;
using namespace tv::test;

class TestGromkost : public LogicTest {
    Q_OBJECT
public:
    TestGromkost() : LogicTest(Lang::Russian) {}

private slots:
    // Without a Windows folder: the first mixer on the search path. With one:
    // sndvol32.exe from that folder first, then from its System32, however
    // long the folder's name, and never a Linux mixer. Otherwise a message.
    void theVolumeControlStarts_data() {
        // present: the programs installed, or with a Windows folder the files there
        columns<QString, QStringList, QString>("windows", "present", "started");
        row("the Qt mixer first", QString(), QStringList{"pavucontrol", "pavucontrol-qt"},
            QString("start:/usr/bin/pavucontrol-qt|C:/Tonvela/"));
        row("GNOME's settings, on their sound page", QString(), QStringList{"gnome-control-center"},
            QString("start:/usr/bin/gnome-control-center sound|C:/Tonvela/"));
        row("the last of the list", QString(), QStringList{"xfce4-mixer", "alsamixer"},
            QString("start:/usr/bin/xfce4-mixer|C:/Tonvela/"));
        row("none: the user is told", QString(), QStringList{"alsamixer"}, QString());
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
    // Either item, the menu's or the tray's, gets there.
    void theVolumeControlStarts() {
        QFETCH(QString, windows);
        QFETCH(QStringList, present);
        QFETCH(QString, started);
        env->shell.windowsDir = windows;
        env->shell.installed = windows.isEmpty() ? present : QStringList{"pavucontrol"};
        for (const QString &file : windows.isEmpty() ? QStringList() : present)
            env->drives.put(file);
        started.isEmpty() ? pMenuGromkost_Click() : MusicGromkost_Click();
        QCOMPARE(env->shell.calls.join(','), started);
        QCOMPARE(env->dialogs.msgs.size(), int(started.isEmpty()));
        if (started.isEmpty()) {
            const MsgCall msg = env->dialogs.msgs[0];
            QCOMPARE(msg.prompt + '|' + msg.title, QString("Файл не найден.|Тонвела для MP3"));
            QCOMPARE(msg.style, int(vbOKOnly | vbCritical));
        }
    }
};

QTEST_GUILESS_MAIN(TestGromkost)
#include "tst_gromkost.moc"
