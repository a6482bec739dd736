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

    // A mixer that tells it was started, and with what, by leaving a file.
    void installMixer(const QString &name) {
        QFile script(m_bin.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$0 $*\" > \"" + m_bin.filePath("started").toUtf8() +
                     ".tmp\"\n/bin/mv \"" + m_bin.filePath("started").toUtf8() + ".tmp\" \"" +
                     m_bin.filePath("started").toUtf8() + "\"\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

private slots:
    void init() { qputenv("PATH", m_bin.path().toUtf8()); }
    void cleanup() {
        qputenv("PATH", m_path);
        QDir(m_bin.path()).removeRecursively();
        QDir().mkpath(m_bin.path());
    }

    // A file of the name that cannot run is no mixer: the user is told.
    void theMixerOnTheSearchPathIsStarted_data() {
        columns<QString, bool, QString>("file", "runs", "started");
        row("GNOME's settings", QString("gnome-control-center"), true,
            QString("gnome-control-center sound"));
        row("not runnable", QString("pavucontrol"), false, QString());
    }
    void theMixerOnTheSearchPathIsStarted() {
        QFETCH(QString, file);
        QFETCH(bool, runs);
        QFETCH(QString, started);
        LogicEnv env;
        QtShell shell(env.drives.fs());
        P().shell = &shell;
        LanguageEnM();
        QFile mixer(m_bin.filePath(file));
        if (runs)
            installMixer(file);
        else
            QVERIFY(mixer.open(QIODevice::WriteOnly));
        mixer.close();
        MusicGromkost_Click();
        if (!started.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_bin.filePath("started")), 10000);
        QFile log(m_bin.filePath("started"));
        const QByteArray seen =
            log.open(QIODevice::ReadOnly) ? log.readAll().trimmed() : QByteArray();
        QCOMPARE(seen, started.isEmpty() ? QByteArray() : m_bin.filePath(started).toUtf8());
        QCOMPARE(env.dialogs.msgs.size(), int(started.isEmpty()));
        if (started.isEmpty())
            QCOMPARE(env.dialogs.msgs[0].prompt, QString("is not found."));
    }
};

QTEST_GUILESS_MAIN(TestVolumeControl)
#include "tst_volumecontrol.moc"
