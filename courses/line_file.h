#pragma once

#include "string_list.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace lexamo {

/// Decodes a text file's bytes (the encoding chosen from its mark) and cuts the text into lines,
/// all held in one buffer. Throws lexamo::Error when the bytes cannot be decoded or hold more
/// than kMaxCourseFileLines lines.
StringList decodeLines(QByteArrayView bytes);

/// Reads a whole text file into a list of its lines. Only a regular file of at most
/// kMaxCourseFileBytes is read, and opening never waits (a named pipe, a device or a folder is
/// refused at once). Throws lexamo::Error, whose message names the file's full path, when the
/// file cannot be opened, is too large or cannot be decoded.
StringList readLines(const QString& path);

/// The bytes of a file as readLines reads them, under the same rules, not decoded.
QByteArray readFileBytes(const QString& path);

/// Reads no more of a text file than its first two lines need, and returns at most those two.
/// The same files are refused as by readLines.
StringList readFirstTwoLines(const QString& path);

/// decodeLines as a QStringList, one string per line.
QStringList decodeLineFile(QByteArrayView bytes);

/// Cuts text into lines: CR LF, LF and CR each end a line, a break at the very end adds no empty
/// line, and the first NUL ends the text. Nothing is trimmed.
QStringList cutLines(QStringView text);

/// readLines as a QStringList, one string per line.
QStringList readLineFile(const QString& path);

/// Replaces the list's content with the file's lines; on failure the list is left as it was.
void LoadFromFile(StringList& list, const QString& path);

} // namespace lexamo
