#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QUrl>

namespace tv::ui {

// How the banner's browser gets a web page ready to show.

// Links that open a window of their own carry this in front of their address,
// so that a click on one is told from a click on a plain link.
inline constexpr char kNewWindowMark[] = "x-tonvela-new-window:";

// The page's markup as the banner shows it: scripts dropped (none runs in
// the banner), and links with a target of their own marked.
QString prepareBannerPage(const QString &html);

// The address of a link as the page spells it (an address of its own keeps
// the letter case of its scheme), or resolved against the page when it is
// relative; whether the link opens a window of its own.
QString linkAddress(const QString &href, const QUrl &page, bool *newWindow = nullptr);

// What the banner loads: its pages and their pictures over http and https
// only. Nothing comes from the disk, the program's resources or the page's
// own text (file:, qrc:, data:), nor over any other scheme.
bool isBannerResource(const QUrl &address);

// A picture of the page, decoded when it holds at most maxPixels; else (or
// when its size cannot be read before decoding, or it is no picture) a null
// image. The size is read first, so a refused picture costs no memory.
QImage decodeBannerPicture(const QByteArray &bytes, qint64 maxPixels);

// The page's text: in the character set its header or its own markup names,
// else UTF-8, else Windows-1251.
QString decodeBannerPage(const QByteArray &bytes, const QByteArray &contentType);

} // namespace tv::ui
