#include "ui/QtWindowPort.h"

#include "editing/AddFileModel.h"
#include "editing/ChangeModel.h"
#include "editing/NewDiskModel.h"
#include "platform/Ports.h"
#include "playback/FoundModel.h"
#include "playback/ListAlbomModel.h"
#include "ui/BannerView.h"
#include "ui/FormaWindow.h"
#include "ui/FrmAddFile.h"
#include "ui/FrmChange.h"
#include "ui/FrmFound.h"
#include "ui/FrmLang.h"
#include "ui/FrmListAlbom.h"
#include "ui/FrmNewDisk.h"
#include "ui/FrmOprog.h"
#include "ui/Placement.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QLibraryInfo>
#include <QMenu>

namespace tv::ui {

QtWindowPort::QtWindowPort(PlayerBarFactory makePlayerBar, WindowHook keepMainFrame)
    : m_makePlayerBar(std::move(makePlayerBar)), m_keepMainFrame(std::move(keepMainFrame)) {}

QtWindowPort::~QtWindowPort() {
    languageChanged(1);
}

void QtWindowPort::loadForma() {
    if (m_forma)
        return;
    m_forma = std::make_unique<FormaWindow>(m_makePlayerBar ? m_makePlayerBar() : nullptr);
    if (m_keepMainFrame)
        m_keepMainFrame(m_forma.get());
    centreOnScreen(m_forma.get());
}

void QtWindowPort::startBanner() {
    loadForma();
    m_forma->usrReklamaX1()->Start();
}

// Qt's own texts (the buttons of message boxes and dialogs) follow the
// interface: Russian from Qt's translations, English as built in.
void QtWindowPort::languageChanged(int language) {
    if (language == 0 && !m_qtRussianInstalled) {
        if (m_qtRussian.isEmpty())
            (void)m_qtRussian.load(QStringLiteral("qtbase_ru"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        if (!m_qtRussian.isEmpty())
            m_qtRussianInstalled = QCoreApplication::installTranslator(&m_qtRussian);
    } else if (language != 0 && m_qtRussianInstalled) {
        QCoreApplication::removeTranslator(&m_qtRussian);
        m_qtRussianInstalled = false;
    }
}

void QtWindowPort::showOprog() {
    FrmOprog dialog(m_forma.get());
    dialog.exec();
}

void QtWindowPort::showChange() {
    ChangeModel model;
    FrmChange dialog(model, m_forma.get());
    dialog.exec();
}

void QtWindowPort::showNewDisk() {
    NewDiskModel model;
    FrmNewDisk dialog(model, m_forma.get());
    dialog.exec();
}

void QtWindowPort::showLang() {
    FrmLang dialog(m_forma.get());
    dialog.exec();
}

// Made afresh on every opening: it starts in its design state.
void QtWindowPort::showFound() {
    FoundModel model;
    FrmFound dialog(&model, m_forma.get());
    dialog.exec();
}

// The browser's drive box opens on the drive of the working folder.
void QtWindowPort::showAddFile() {
    AddFileModel model(P().fs->fromNative(QDir::currentPath()));
    FrmAddFile dialog(&model, m_forma.get());
    dialog.exec();
}

// Modeless and without an owner: the main window is hidden meanwhile, and
// the tray goes on working.
void QtWindowPort::showListAlbom() {
    auto *window = new FrmListAlbom(new ListAlbomModel);
    window->show();
}

void QtWindowPort::showTrayMenu() {
    if (!m_forma)
        return;
    // The menu's items act on the main window: make it the active one first.
    m_forma->activateWindow();
    m_forma->pMenu()->exec(QCursor::pos());
}

} // namespace tv::ui
