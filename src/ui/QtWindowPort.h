#pragma once

#include "platform/WindowPort.h"

#include <QTranslator>
#include <functional>
#include <memory>

class QWidget;

namespace tv::ui {

class FormaWindow;

// The windows of the program on Qt widgets.
class QtWindowPort : public WindowPort {
public:
    // Makes the player's control bar for the main window; none in tests.
    using PlayerBarFactory = std::function<QWidget *()>;
    // What the window system is told of the main window once it is made
    // (its frame, its close request); nothing in tests.
    using WindowHook = std::function<void(QWidget *)>;

    explicit QtWindowPort(PlayerBarFactory makePlayerBar = {}, WindowHook keepMainFrame = {});
    ~QtWindowPort() override;

    void loadForma() override;
    void startBanner() override;
    void languageChanged(int language) override;
    void showAddFile() override;
    void showLang() override;
    void showListAlbom() override;
    void showFound() override;
    void showChange() override;
    void showNewDisk() override;
    void showOprog() override;
    void showTrayMenu() override;

    // The main window, once loaded.
    FormaWindow *forma() const { return m_forma.get(); }

private:
    PlayerBarFactory m_makePlayerBar;
    WindowHook m_keepMainFrame;
    std::unique_ptr<FormaWindow> m_forma;
    QTranslator m_qtRussian;
    bool m_qtRussianInstalled = false;
};

} // namespace tv::ui
