#include "app/Startup.h"
#include "core/Forma.h"
#include "core/Shutdown.h"
#include "editing/DropFiles.h"
#include "platform/Ports.h"
#include "platform/qt/CommandLine.h"
#include "platform/qt/DriveFileSystem.h"
#include "platform/qt/EndSignals.h"
#include "platform/qt/InstallFolders.h"
#include "platform/qt/LazyWebFetcher.h"
#include "platform/qt/MediaModule.h"
#include "platform/qt/ModuleLoader.h"
#include "platform/qt/PlayerBar.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtInstanceGuard.h"
#include "platform/qt/QtMediaBus.h"
#include "platform/qt/QtMediaPlayer.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtTrayIcon.h"
#include "platform/qt/WindowFrame.h"
#include "playback/Mpris.h"
#include "playback/PlayerCommands.h"
#include "playback/Tray.h"
#include "ui/Bitmaps.h"
#include "ui/FormaWindow.h"
#include "ui/ProgramStyle.h"
#include "ui/QtWindowPort.h"
#include "ui/WhenOnScreen.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QSessionManager>
#include <cstdio>
#include <utility>

namespace {

// The build says which layout this executable is installed in (the package's
// system layout, or the portable folder of `make run`).
tv::InstallFolders installFolders() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (TV_SYSTEM_INSTALL)
        return tv::InstallFolders::system(exeDir, QStringLiteral(TV_PROGRAM_DIR));
    return tv::InstallFolders::portable(exeDir);
}

// The command line's arguments, from argv as given or once Qt took its own.
QStringList argumentsOf(int argc, char **argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Help and version are answered before anything else starts: no display is
// needed for them.
bool answered(const tv::CommandLine &line) {
    if (line.what == tv::CommandLine::Help)
        std::fputs(tv::CommandLine::usage().toLocal8Bit().constData(), stdout);
    else if (line.what == tv::CommandLine::Version)
        std::fputs(tv::CommandLine::version().toLocal8Bit().constData(), stdout);
    return line.what == tv::CommandLine::Help || line.what == tv::CommandLine::Version;
}

// The files of the command line (the desktop's "Open with"), absolute: a
// running copy they are handed to works in another folder.
QStringList givenFiles(const QStringList &files) {
    QStringList absolute;
    for (const QString &file : files)
        absolute << QDir::cleanPath(QDir::current().absoluteFilePath(file));
    return absolute;
}

// The desktop session ends: a close, asked about only when the session lets
// the program ask; a Cancel there cancels the logout.
void endOfSession(QSessionManager &manager) {
    bool cancel = false;
    tv::SessionEndM([&manager] { return manager.allowsInteraction(); }, &cancel);
    if (cancel)
        manager.cancel();
}

// The folder of the sound and web modules, known before the application
// object.
QString moduleFolder() {
    return QDir::cleanPath(QDir(tv::executableFolder()).filePath(QStringLiteral(TV_MODULE_DIR)));
}

} // namespace

int main(int argc, char **argv) {
    if (answered(tv::CommandLine::read(argumentsOf(argc, argv))))
        return 0;
    // The media engine and its sound output come up on a thread of their own
    // while the toolkit and the window do; the player takes them in the
    // window's thread once both are ready.
    const QString modules = moduleFolder();
    tv::PreparedMediaModule media(modules);
    media.startEngine();
    QApplication app(argc, argv);
    // Qt has taken the options that are its own.
    const tv::CommandLine line = tv::CommandLine::read(argumentsOf(argc, argv));
    if (answered(line))
        return 0;
    if (line.what == tv::CommandLine::Wrong) {
        std::fprintf(stderr, "tonvela: unknown option '%s'\nTry 'tonvela --help'.\n",
                     line.wrong.toLocal8Bit().constData());
        return 2;
    }
    // The look the desktop or the user chose, without the image plugins it
    // would load first.
    app.setStyle(new tv::ui::ProgramStyle(QApplication::style()->name()));
    // The run ends in the close request alone, also while the window is
    // hidden in the tray and a dialog closes.
    app.setQuitOnLastWindowClosed(false);
    const QIcon icon(QPixmap::fromImage(tv::ui::programIcon()));
    app.setWindowIcon(icon);
    // The menu entry the desktop shows the window under.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tonvela.Tonvela"));

    const tv::InstallFolders folders = installFolders();
    tv::DriveFileSystem fs(tv::DriveFileSystem::systemDrives());
    tv::QtMediaPlayer player(fs, [&media](tv::MediaBackendEvents events, double volume) {
        return media.make(std::move(events), volume);
    });
    media.whenReady([&player] { player.setUp(); });
    tv::QtDialogs dialogs(fs);
    tv::QtEventLoop events;
    tv::QtShell shell(fs);
    tv::QtTrayIcon tray(icon);
    tv::QtInstanceGuard guard(&fs);
    tv::ui::QtWindowPort windows([&player] { return new tv::PlayerBar(player); },
                                 tv::keepMainFrame);
    // The process ends inside shutdown, with no destructor run after it.
    events.setLastStep([&guard, &fs] {
        guard.release();
        fs.removeLinks();
    });
    tv::P() = tv::Ports{&player, &dialogs, &fs, &events, &shell, &tray, &windows, &guard};
    tv::QtMediaBus bus;
    tv::P().bus = &bus;
    tv::LazyWebFetcher web(modules);
    tv::P().web = &web;
    QObject::connect(&guard, &tv::QtInstanceGuard::raiseRequested, &app, &tv::raiseForma);
    // Files handed over are opened one request after another, in order: a
    // long one lets events run, and those heard meanwhile wait their turn.
    QStringList handedOver;
    bool opening = false;
    QObject::connect(
        &guard, &tv::QtInstanceGuard::openRequested, &app,
        [&handedOver, &opening](const QStringList &files) {
            handedOver += files;
            if (std::exchange(opening, true))
                return;
            while (!handedOver.isEmpty())
                tv::OpenFilesM(std::exchange(handedOver, {}));
            opening = false;
        },
        Qt::QueuedConnection);
    tray.rightClick = [] { tv::TrayMouse(tv::WM_RBUTTONUP); };
    tray.doubleClick = [] { tv::TrayMouse(tv::WM_LBUTTONDBLCLK); };
    tv::connectPlayback();

    const tv::StartFolders start{folders.program, folders.user, folders.music,
                                 folders.userWritable};
    if (!tv::Main(start, givenFiles(line.files)))
        return folders.userWritable ? 0 : 1;
    // The window is up (or hidden in the tray): now the web, for the banner's
    // page.
    tv::ui::whenOnScreen(windows.forma(), [&web] { web.start(); });
    // Media keys and the desktop's player controls, when there is a session bus.
    tv::Mpris mpris;
    // Only now: a signal during start-up ends the run as before, with the
    // previous run's settings left whole rather than half of this one's.
    tv::EndSignals endSignals;
    QObject::connect(&endSignals, &tv::EndSignals::endRequested, &app, &tv::CloseUnaskedM);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, endOfSession,
                     Qt::DirectConnection);
    return app.exec();
}
