#pragma once

#include "core/ListBox.h"
#include "core/MenuItem.h"
#include "core/PlayListModel.h"
#include "core/SongList.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace tv {

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

} // namespace tv
