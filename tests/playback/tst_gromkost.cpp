#include "LogicTest.h"

#include "playback/PlayerCommands.h"

using namespace tv;
using namespace tv::test;

class TestGromkost : public LogicTest {
    Q_OBJECT
public:
    TestGromkost() : LogicTest(Lang::Russian) {}

private slots:
    // The first mixer on the search path; otherwise a message.
    void theVolumeControlStarts_data() {
        // present: the programs installed; seen: what was started, or the
        // message with its title and style
        columns<QStringList, QString>("present", "seen");
        row("the Qt mixer first", QStringList{"pavucontrol", "pavucontrol-qt"},
            QString("start:/usr/bin/pavucontrol-qt|C:/Tonvela/"));
        row("GNOME's settings, on their sound page", QStringList{"gnome-control-center"},
            QString("start:/usr/bin/gnome-control-center sound|C:/Tonvela/"));
        row("the last of the list", QStringList{"xfce4-mixer", "alsamixer"},
            QString("start:/usr/bin/xfce4-mixer|C:/Tonvela/"));
        row("none: the user is told", QStringList{"alsamixer"},
            QString("Файл не найден.|Тонвела для MP3|%1").arg(vbOKOnly | vbCritical));
    }
    // Either item, the menu's or the tray's, gets there.
    void theVolumeControlStarts() {
        QFETCH(QStringList, present);
        env->shell.installed = present;
        present.size() == 1 ? pMenuGromkost_Click() : MusicGromkost_Click();
        QStringList seen = env->shell.calls;
        for (const MsgCall &m : env->dialogs.msgs)
            seen << QString("%1|%2|%3").arg(m.prompt, m.title).arg(m.style);
        QTEST(seen.join(','), "seen");
    }
};

QTEST_GUILESS_MAIN(TestGromkost)
#include "tst_gromkost.moc"
