#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace lexamo {

/// A file name as the program shows and uses it: UTF-8 when its bytes are valid UTF-8, otherwise
/// CP932, which is what archives made on Japanese Windows unpack to.
QString decodeFileName(QByteArrayView name);

/// The bytes to open for a path: each part of it is looked up under its UTF-8 name first and then
/// under its CP932 name, so a course finds its files whichever way they were named. Parts found
/// under neither name keep the UTF-8 one, so the failure is about the name as written.
QByteArray nativePath(const QString& path);

/// Whether an entry other than a folder exists under the path (a link that leads nowhere
/// counts, so that opening it reports why).
bool fileExists(const QString& path);
bool folderExists(const QString& path);

/// The immediate subfolders (hidden ones included) or the other entries of a folder, with their
/// names decoded by decodeFileName, in no particular order. A name that cannot be written back
/// to the same bytes is left out: the program could not open it.
QStringList subfolderNames(const QString& folder);
QStringList fileNames(const QString& folder);

/// The full path shown in messages: the path resolved against the working directory, with "."
/// and ".." parts resolved and never climbing above the root.
QString fullPath(const QString& path);

} // namespace lexamo
