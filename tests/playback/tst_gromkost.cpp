#include "LogicTest.h"

#include "playback/GromkostM.h"

using namespace tv;
using namespace tv::test;

class TestGromkost : public LogicTest {
    Q_OBJECT
public:
    TestGromkost() : LogicTest(Lang::Russian) {}

private slots:
    // The first mixer on the search path; otherwise a message.
    void theVolumeControlStarts_data() {
        // present: the programs installed
        columns<QStringList, QString>("present", "started");
        row("the Qt mixer first", QStringList{"pavucontrol", "pavucontrol-qt"},
            QString("start:/usr/bin/pavucontrol-qt|C:/Tonvela/"));
        row("GNOME's settings, on their sound page", QStringList{"gnome-control-center"},
            QString("start:/usr/bin/gnome-control-center sound|C:/Tonvela/"));
        row("the last of the list", QStringList{"xfce4-mixer", "alsamixer"},
            QString("start:/usr/bin/xfce4-mixer|C:/Tonvela/"));
        row("none: the user is told", QStringList{"alsamixer"}, QString());
    }
    // Either item, the menu's or the tray's, gets there.
    void theVolumeControlStarts() {
        QFETCH(QStringList, present);
        QFETCH(QString, started);
        env->shell.installed = present;
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
