#include "ui/QtWindowPort.h"

#include "playback/ListAlbomModel.h"
#include "ui/FormaWindow.h"
#include "ui/FrmLang.h"
#include "ui/FrmListAlbom.h"
#include "ui/Placement.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLibraryInfo>
#include <QMenu>

namespace tv::ui {

QtWindowPort::QtWindowPort(PlayerBarFactory makePlayerBar)
    : m_makePlayerBar(std::move(makePlayerBar)) {}

QtWindowPort::~QtWindowPort() {
    languageChanged(1);
}

void QtWindowPort::loadForma() {
    if (m_forma)
        return;
    m_forma = std::make_unique<FormaWindow>(m_makePlayerBar ? m_makePlayerBar() : nullptr);
    centreOnScreen(m_forma.get());
}

void QtWindowPort::startBanner() {
    loadForma();
    m_forma->showTitlePage();
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

// Windows that are not built yet: the add-files browser, the search, the
// title editor, the drive-letter window and the about box.
void QtWindowPort::showAddFile() {}
void QtWindowPort::showFound() {}
void QtWindowPort::showChange() {}
void QtWindowPort::showNewDisk() {}
void QtWindowPort::showOprog() {}

void QtWindowPort::showLang() {
    FrmLang dialog(m_forma.get());
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
