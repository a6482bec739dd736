#pragma once

#include <QByteArray>
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

// The address of a link as the page gives it, resolved against the page;
// whether the link opens a window of its own.
QString linkAddress(const QUrl &link, const QUrl &page, bool *newWindow = nullptr);

// The page's text: in the character set its header or its own markup names,
// else UTF-8, else Windows-1251.
QString decodeBannerPage(const QByteArray &bytes, const QByteArray &contentType);

} // namespace tv::ui
