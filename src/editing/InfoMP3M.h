#pragma once

#include <QString>

namespace tv {

// The display title of an MP3 file: "artist - title" from its ID3v1 tag, else
// from its ID3v2 tag, else its file name without the last four characters.
// Empty when the file cannot be opened. Reads the file's last 128 bytes, and
// its first tag's bytes only when the last ones hold no usable tag.
QString InfoMP3M(const QString &path);

// A song's artist and title as its tags give them, cleaned.
struct TagTexts {
    QString artist;
    QString title;
    bool isEmpty() const { return artist.isEmpty() && title.isEmpty(); }
};
// v1 first, then v2; both empty when neither gives a text.
TagTexts readTagTexts(const QString &path);

// A tag's text as a title holds it: no blanks around it, no zero characters.
QString cleanTagText(QString text);

} // namespace tv
