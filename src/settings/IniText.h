#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>

namespace quiverel {

// The values of an INI file: section → key → text. Keys outside any section (QSettings calls
// them [General]) are in the section "".
using IniSection = QMap<QString, QString>;
using IniValues = QMap<QString, IniSection>;

// Reads INI text as QSettings writes it (its escapes, quotes and "@@" for a leading "@"), and
// reads whatever else a damaged file holds without failing: bytes that are not UTF-8 become
// U+FFFD, and a line that is neither a [section] nor a key=value is skipped, as is a value in
// one of QSettings' non-text forms ("@Rect(...)", "@Variant(...)"). An unquoted comma is an
// ordinary character: a hand-edited list reads as the one text it was.
IniValues parseIni(QByteArrayView text);

// The INI text of values, escaped as QSettings escapes it, so that QSettings reads the same
// texts back: UTF-8 with no control characters but the line ends.
QByteArray formatIni(const IniValues& values);

} // namespace quiverel
