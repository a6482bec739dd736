#include "core/Language.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "platform/Ports.h"

#include <array>

namespace tv {

namespace {

enum class Target { Text, Item, Caption, Label1 };

// One row of the language table: what it sets, the Russian and the English text.
struct Row {
    Target target;
    QString Texts::*text;
    MenuItem Forma::*item;
    const char *column[2];
};

constexpr Row text(QString Texts::*member, const char *ru, const char *en) {
    return {Target::Text, member, nullptr, {ru, en}};
}
constexpr Row item(MenuItem Forma::*member, const char *ru, const char *en) {
    return {Target::Item, nullptr, member, {ru, en}};
}

// The rows in the order they are applied: the caption needs strTitle first.
// FileFound, pMenuListAlbom, pMenuExit and pMenu keep their captions in both
// languages, so they have no row.
const std::array kTable = {
    text(&Texts::strHelpFile, "Help_ru.htm", "Help_en.htm"),
    text(&Texts::strTitle, "Тонвела для MP3", "Tonvela for MP3"),
    Row{Target::Caption, nullptr, nullptr, {nullptr, nullptr}},
    item(&Forma::File, "Файл", "File"),
    item(&Forma::FileNew, "Создать", "New"),
    item(&Forma::FileOpen, "Открыть", "Open"),
    item(&Forma::FileSave, "Сохранить", "Save"),
    item(&Forma::FileSaveAs, "Сохранить как...", "Save as..."),
    item(&Forma::FileExit, "Выход", "Exit"),
    item(&Forma::Edit, "Правка", "Edit"),
    item(&Forma::EditAddFile, "Добавить файл(ы)", "Add file(s)"),
    item(&Forma::EditClear, "Очистить", "Clear"),
    item(&Forma::EditDel, "Удалить файл", "Remove file"),
    item(&Forma::EditChange, "Редактировать", "Edit title"),
    item(&Forma::EditSort, "Сортировать", "Sort"),
    item(&Forma::EditSortAlfavit, "По алфавиту", "Under the alphabet"),
    item(&Forma::EditSortRevers, "Перевернуть список", "Revers list"),
    item(&Forma::EditSortRand, "Перемешать", "Randomize list"),
    item(&Forma::EditNewDisk, "Сменить букву диска", "Replace the letter of a disk"),
    item(&Forma::Music, "Музыка", "Music"),
    item(&Forma::MusicPlay, "Воспроизведение", "Play"),
    item(&Forma::pMenuPlay, "Воспроизведение", "Play"),
    item(&Forma::MusicPausa, "Пауза", "Pause"),
    item(&Forma::pMenuPauase, "Пауза", "Pause"),
    item(&Forma::MusicStop, "Стоп", "Stop"),
    item(&Forma::pMenuStop, "Стоп", "Stop"),
    item(&Forma::MusicGromkost, "Регулятор громкости", "Regulator of loudness"),
    item(&Forma::pMenuGromkost, "Регулятор громкости", "Regulator of loudness"),
    item(&Forma::Help, "Справка", "Help"),
    item(&Forma::HelpCallHelp, "Вызов справки", "Call of the help"),
    item(&Forma::HelpLang, "Language: Русский язык", "Language: English"),
    item(&Forma::HelpAbout, "О программе", "About the program"),
    item(&Forma::pMenuShowHide, "Скрыть/Показать", "Hide/Show"),
    item(&Forma::MusicNonStop, "Играть без остановки", "Play non stop"),
    item(&Forma::pMenuNonStop, "Играть без остановки", "Play non stop"),
    Row{Target::Label1, nullptr, nullptr, {"Список альбомов", "List of playlist"}},
    text(&Texts::strAddAll, "Добавить всё", "Add all"),
    text(&Texts::strAddFile, "Добавить файл", "Add file"),
    text(&Texts::strFileExists, "Файл уже существует.", "File already exists."),
    text(&Texts::strReplaceIt, "Заменить его?", "Replace him?"),
    text(&Texts::strWriteProtected, "Файл защищён от записи.", "File is protected from recording."),
    text(&Texts::strCantSave, "Файл сохранить не возможно.", "File save not probably."),
    text(&Texts::strNotFound, "Файл не найден.", "is not found."),
    text(&Texts::strCantOpen, "Файл открыть не возможно.", "File open not probably."),
    text(&Texts::strChange, "Изменить", "Change"),
    text(&Texts::strCancel, "Отмена", "Cancel"),
    text(&Texts::strSelectLang, "Выбор языка", "Select of language"),
    text(&Texts::strAlboms, "Альбомы", "Playlists"),
    text(&Texts::strSaveChanges, "Сохранить изменения в альбоме?", "Save changes in playlist?"),
    text(&Texts::strFrom, "С", "With"),
    text(&Texts::strTo, "на", "on"),
    text(&Texts::strReplaceCount, "Количество замен:", "Quantity of replacements:"),
    text(&Texts::strNameFromFile, "Взять название песни из имени файла",
         "Take the title song from the filename"),
    text(&Texts::strAdding, "Добавление файлов:", "Adding files:"),
    text(&Texts::strNoSongs, "В списке нет ни одной песни.", "The list names no song."),
};

void applyRow(const Row &row, int column) {
    Forma &forma = frmForma();
    const QString value = row.column[column] ? QString::fromUtf8(row.column[column]) : QString();
    switch (row.target) {
    case Target::Text:
        G().*row.text = value;
        break;
    case Target::Item:
        (forma.*row.item).setCaption(value);
        break;
    case Target::Caption:
        forma.setCaption(G().strTitle + QStringLiteral(" - ") + G().NameAlbom);
        break;
    case Target::Label1:
        forma.setLabel1(value);
        break;
    }
}

void applyColumn(int column) {
    for (const Row &row : kTable)
        applyRow(row, column);
    P().windows->languageChanged(column);
}

} // namespace

void LanguageRuM() {
    applyColumn(0);
}

void LanguageEnM() {
    applyColumn(1);
}

void applyLanguage() {
    if (G().Language != 0)
        LanguageEnM();
    else
        LanguageRuM();
}

LangDialogState frmLang_Load() {
    return {G().Language, G().strSelectLang, G().strCancel};
}

void frmLang_OK(int selectedRow) {
    // Only the two rows of the list are languages; with no row chosen nothing changes.
    if (selectedRow != 0 && selectedRow != 1)
        return;
    G().Language = selectedRow;
    applyLanguage();
}

void HelpLang_Click() {
    P().windows->showLang();
}

} // namespace tv
