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
// one of QSettings' non-text forms ("@Rect(...)", "@Variant(...)"). A value runs to the end of
// its line: an unquoted ";" or "," is an ordinary character, so a hand-edited list reads as
// the one text it was. Only a line that starts with ";" is a comment.
IniValues parseIni(QByteArrayView text);

// The INI text of values, escaped as QSettings escapes it, so that QSettings reads the same
// texts back: UTF-8 with no control characters but the line ends.
QByteArray formatIni(const IniValues& values);

struct FittedIni {
    QByteArray text;
    qsizetype leftOut = 0; // how many values did not fit
};

// The INI text of values in at most limit bytes: when all of them do not fit, the values with
// the longest lines are left out, one after the other, until the rest fits. The value of
// keepKey in keepSection is never left out: the text is longer than limit only when that value
// alone does not fit.
FittedIni formatIniWithin(IniValues values, qsizetype limit, const QString& keepSection,
                          const QString& keepKey);

} // namespace quiverel
