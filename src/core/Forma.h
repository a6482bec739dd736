#pragma once

#include "core/ListModel.h"
#include "core/SongList.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace tv {

// The main window as the logic sees it: its controls and menu items, the
// rules that enable them, its commands and whether it is shown.

// A menu item as the logic sees it. The window binds an action to it.
class MenuItem : public QObject {
    Q_OBJECT
public:
    explicit MenuItem(const QString &name, const QString &caption, QObject *parent = nullptr)
        : QObject(parent), m_caption(caption) {
        setObjectName(name);
    }

    QString Caption() const { return m_caption; }
    bool Enabled() const { return m_enabled; }
    bool Checked() const { return m_checked; }

    void setCaption(const QString &c) { update(m_caption, c); }
    void setEnabled(bool e) { update(m_enabled, e); }
    void setChecked(bool c) { update(m_checked, c); }

signals:
    void changed();

private:
    template <class T> void update(T &field, const T &value) {
        if (field == value)
            return;
        field = value;
        emit changed();
    }

    QString m_caption;
    bool m_enabled = true;
    bool m_checked = false;
};

// A picture button: member 0 is the greyed look and always shows; members 1
// (raised, the only one that takes clicks) and 2 (pressed) lie in front of it.
struct PictureButton {
    bool visible1 = false;
    bool visible2 = false;
};

// The main window as the logic sees it: its lists, captions, menu items,
// picture buttons, timer and visibility. The widget window binds to this and
// forwards its events to the handlers; the logic never touches a widget.
class Forma : public QObject {
    Q_OBJECT
public:
    enum class Control { PlayList, lstAlbomy };

    Forma();

    ListBox lstAlbomy;
    SongList ListPath;
    PlayListModel PlayList{ListPath};

    QTimer tmrEndSound;
    int PlayKeyDown = 0;

    PictureButton pPlay, pPause;
    void setPictureButtons(const PictureButton &play, const PictureButton &pause);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    QString Label1() const { return m_label1; }
    void setLabel1(const QString &caption);

    // The title panel picNazvanie: cleared, then one text drawn at 2,0.
    QString nazvanie() const { return m_nazvanie; }
    void drawNazvanie(const QString &text);

    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    // The window tells what the user or the window manager did to it.
    void noteVisible(bool visible) { m_visible = visible; }
    void activate();
    void setFocusTo(Control control);
    void unload();

    // clang-format off
    MenuItem File{"File", "Файл"}, FileNew{"FileNew", "Создать"},
        FileOpen{"FileOpen", "Открыть..."}, FileSave{"FileSave", "Сохранить"},
        FileSaveAs{"FileSaveAs", "Сохранить как..."}, FileFound{"FileFound", "Поиск"},
        FileExit{"FileExit", "Выход"};
    MenuItem Edit{"Edit", "Правка"}, EditAddFile{"EditAddFile", "Добавить файл(ы)"},
        EditClear{"EditClear", "Очистить"}, EditDel{"EditDel", "Удалить файл"},
        EditChange{"EditChange", "Редактировать"}, EditSort{"EditSort", "Сортировать"},
        EditSortAlfavit{"EditSortAlfavit", "По алфавиту"},
        EditSortRevers{"EditSortRevers", "Перевернуть список"},
        EditSortRand{"EditSortRand", "Перемешать"},
        EditNewDisk{"EditNewDisk", "Сменить букву диска"};
    MenuItem Music{"Music", "Музыка"}, MusicPlay{"MusicPlay", "Воспроизведение"},
        MusicPausa{"MusicPausa", "Пауза"}, MusicStop{"MusicStop", "Стоп"},
        MusicGromkost{"MusicGromkost", "Регулятор громкости"},
        MusicNonStop{"MusicNonStop", "Non stop"};
    MenuItem Help{"Help", "Справка"}, HelpCallHelp{"HelpCallHelp", "Вызов справки"},
        HelpLang{"HelpLang", "Language"}, HelpAbout{"HelpAbout", "О программе"};
    MenuItem pMenu{"pMenu", "pMenu"}, pMenuShowHide{"pMenuShowHide", "Скрыть/Показать"},
        pMenuPlay{"pMenuPlay", "Воспроизведение"}, pMenuPauase{"pMenuPauase", "Пауза"},
        pMenuStop{"pMenuStop", "Стоп"},
        pMenuGromkost{"pMenuGromkost", "Регулятор громкости"},
        pMenuNonStop{"pMenuNonStop", "Non stop"},
        pMenuListAlbom{"pMenuListAlbom", "Список альбомов"}, pMenuExit{"pMenuExit", "Выход"};
    // clang-format on

    // The context of the player's connections to the window's handlers: they
    // die with the window, and a renewal drops the ones made before.
    QObject *renewPlaybackLinks();

    // Every item above, in menu order, for binding and for tests.
    QList<MenuItem *> menuItems();

signals:
    void captionChanged();
    void label1Changed();
    void nazvanieChanged();
    void pictureButtonsChanged();
    void visibilityRequested(bool visible);
    void activateRequested();
    void focusRequested(tv::Forma::Control control);
    void unloadRequested();

private:
    QString m_caption;
    QString m_label1 = QStringLiteral("Список альбомов");
    QString m_nazvanie;
    bool m_visible = false;
    QObject *m_playbackLinks = nullptr;
};

// The one main window of the process.
Forma &frmForma();
// Drops the main window's state and starts a fresh one (tests).
void resetForma();

// Menu commands of the main window that open another window or a document.
void EditAddFile_Click();
void FileFound_Click();
void EditChange_Click();
void EditNewDisk_Click();
void HelpAbout_Click();
void HelpCallHelp_Click();

// Menu items are enabled or disabled when their menu opens, and only then.
void File_Click();
void Edit_Click();
void Music_Click();

// Size or state of the main window changed; minimised hides it to the tray.
// Returns true when the window must be put back into its normal state (it was
// hidden to the tray and should come back unminimised).
bool Form_Resize(bool minimized);

// The main window shown, or hidden to the tray; ShowForm always says which.
void showForma(bool shown);
// Shown for a message that needs its owner on screen, as the album reader
// does: ShowForm keeps what the user chose.
void showFormaForMessage();
// Another copy of the program was started: a hidden window comes back, as
// with a double-click on the tray icon, and comes to the front.
void raiseForma();
// The program closes: ShowForm keeps whether the window is shown at this
// moment (hidden to the tray now means the next run starts hidden too).
void keepShownAtClose();

} // namespace tv
