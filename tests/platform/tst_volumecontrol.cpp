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

    void theMixerOnTheSearchPathIsStarted() {
        LogicEnv env;
        QtShell shell(env.drives.fs());
        P().shell = &shell;
        installMixer("gnome-control-center");
        MusicGromkost_Click();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_bin.filePath("started")), 10000);
        QFile started(m_bin.filePath("started"));
        QVERIFY(started.open(QIODevice::ReadOnly));
        QCOMPARE(started.readAll().trimmed(),
                 m_bin.filePath("gnome-control-center").toUtf8() + " sound");
        QCOMPARE(env.dialogs.msgs.size(), 0);
    }

    // A file of the name that cannot run is no mixer.
    void withNoMixerTheUserIsTold() {
        LogicEnv env;
        QtShell shell(env.drives.fs());
        P().shell = &shell;
        LanguageEnM();
        QFile notRunnable(m_bin.filePath("pavucontrol"));
        QVERIFY(notRunnable.open(QIODevice::WriteOnly));
        notRunnable.close();
        GromkostM();
        QCOMPARE(env.dialogs.msgs.size(), 1);
        QCOMPARE(env.dialogs.msgs[0].prompt, QString("is not found."));
        QVERIFY(!QFile::exists(m_bin.filePath("started")));
    }
};

QTEST_GUILESS_MAIN(TestVolumeControl)
#include "tst_volumecontrol.moc"
