#pragma once

// The base of a test class that wants a fresh process for every case: the
// globals reset, every port a fake, the texts in the language it names.

#include "Fakes.h"
#include "MemoryFs.h"

#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"

#include <QObject>
#include <memory>

namespace tv::test {

enum class Lang { AsStarted, Russian, English };

class LogicTest : public QObject {
    Q_OBJECT
public:
    explicit LogicTest(Lang texts = Lang::AsStarted) : m_texts(texts) {}

protected:
    std::unique_ptr<LogicEnv> env;
    std::unique_ptr<MemoryFs> fs;

    // Run after the fresh process is made, before each case; and after each
    // case, before the process goes.
    virtual void setUp() {}
    virtual void tearDown() {}

    // The albums' drives in memory instead of the temporary folders.
    MemoryFs &useMemoryFs(const QStringList &letters = {"C:", "Z:"}) {
        fs = std::make_unique<MemoryFs>(letters);
        P().fs = fs.get();
        return *fs;
    }

    // The Language folder beside the program, where the link pages go.
    void makeLanguageFolder() { env->drives.put(G().AppDir + "Language/.keep", ""); }

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        if (m_texts == Lang::Russian)
            LanguageRuM();
        else if (m_texts == Lang::English)
            LanguageEnM();
        setUp();
    }
    void cleanup() {
        tearDown();
        fs.reset();
        env.reset();
    }

private:
    Lang m_texts;
};

// The album open with these entries, one row selected, nothing changed yet.
inline void openSongs(const QStringList &entries, int selected) {
    frmForma().ListPath = entries;
    frmForma().PlayList.rebuild();
    frmForma().PlayList.setListIndex(selected);
    G().AlbomChanged = 0;
}

// Album files in AppDir with the registry naming them, in this order; a null
// file is registered but not on the disk.
inline void putAlbums(MemoryFs &fs, const QList<QPair<QString, QByteArray>> &albums) {
    QVector<AlbomInfo> entries;
    for (const auto &[name, bytes] : albums) {
        if (!bytes.isNull())
            fs.addFile(G().AppDir + name, bytes);
        entries.append({name, 0});
    }
    setAlbumList(entries);
}

} // namespace tv::test
