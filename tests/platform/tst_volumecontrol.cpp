#include "Fakes.h"

#include "core/Globals.h"
#include "core/Language.h"
#include "platform/qt/QtShell.h"
#include "playback/GromkostM.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tv;
using namespace tv::test;

// The volume control through the real shell: programs are looked for on the
// search path and started without waiting for them.
class TestVolumeControl : public QObject {
    Q_OBJECT
    QByteArray m_path = qgetenv("PATH");
    QTemporaryDir m_bin;

    // A mixer that tells it was started, and with what, by leaving a file;
    // one that cannot run is no mixer.
    void installMixer(const QString &name, bool runs) {
        QFile script(m_bin.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        const QByteArray log = m_bin.filePath("started").toUtf8();
        script.write("#!/bin/sh\necho \"$0 $*\" > \"" + log + ".tmp\"\n/bin/mv \"" + log +
                     ".tmp\" \"" + log + "\"\n");
        script.close();
        if (runs)
            QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

private slots:
    void init() { qputenv("PATH", m_bin.path().toUtf8()); }
    void cleanup() {
        qputenv("PATH", m_path);
        QDir(m_bin.path()).removeRecursively();
        QDir().mkpath(m_bin.path());
    }

    void theMixerOnTheSearchPathIsStarted_data() {
        columns<QString, QString>("file", "started");
        row("GNOME's settings", QString("gnome-control-center"),
            QString("gnome-control-center sound"));
        row("a file that cannot run: the user is told", QString("pavucontrol"), QString());
    }
    void theMixerOnTheSearchPathIsStarted() {
        QFETCH(QString, file);
        QFETCH(QString, started);
        LogicEnv env;
        QtShell shell(env.drives.fs());
        P().shell = &shell;
        LanguageEnM();
        installMixer(file, !started.isEmpty());
        MusicGromkost_Click();
        QFile log(m_bin.filePath("started"));
        if (!started.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(log.exists(), 10000);
            QVERIFY(log.open(QIODevice::ReadOnly));
            QCOMPARE(log.readAll().trimmed(), m_bin.filePath(started).toUtf8());
        } else {
            QVERIFY(!log.exists());
            QCOMPARE(env.dialogs.msgs.value(0).prompt, QString("is not found."));
        }
        QCOMPARE(env.dialogs.msgs.size(), int(started.isEmpty()));
    }
};

QTEST_GUILESS_MAIN(TestVolumeControl)
#include "tst_volumecontrol.moc"
