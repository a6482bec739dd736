#pragma once

#include "platform/FileSystem.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// How the drives of this machine name their files, shared by the file
// system's parts for each kind of system: native names to the names the
// program holds and back, and the order a folder lists them in.
namespace tv::drive {

// A native folder without its trailing separators.
QString cleanRoot(QString root);
// Whether the native path lies in the folder root (or is it).
bool underRoot(const QString &native, const QString &root);
// Whether root is where a removable volume is mounted.
bool isRemovableMount(const QString &root);

// A native path's names as the program holds them, each character a lettered
// path cannot hold as its stand-in; "/" stays the separator.
QString nameFromNative(QStringView native);
// The same for a name as the disk holds it, bytes that are no part of UTF-8
// included.
QString nameFromNativeBytes(QByteArrayView bytes);
// The other way: both separators become "/", the stand-ins their
// characters. False when a stand-in is a byte, which no QString holds; then
// nameToNativeBytes gives the name.
bool nameToNative(QStringView lettered, QString *out);
QByteArray nameToNativeBytes(QStringView lettered);
// Whether the lettered text is one name whose native form is its UTF-8: no
// separator, no stand-in.
bool plainName(QStringView lettered);

// Names in the order a folder lists them, their ids (when given) moved along.
void sortNames(QStringList &names, QList<FileId> *ids = nullptr);

} // namespace tv::drive
