#include "settings/IniText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace quiverel {
namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";
constexpr char32_t replacementCharacter = 0xFFFD;
constexpr char32_t pastUnicode = 0x110000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isHexDigit(QChar c) {
    return c.unicode() < 0x80 && hexValue(char(c.unicode())) >= 0;
}

// The single-letter escapes of INI text, with the character each stands for.
constexpr std::array<std::pair<char, char>, 7> letterEscapes = {{
    {'a', '\a'},
    {'b', '\b'},
    {'f', '\f'},
    {'n', '\n'},
    {'r', '\r'},
    {'t', '\t'},
    {'v', '\v'},
}};

// Collects a text from raw UTF-8 bytes, escaped characters and blanks, and remembers where its
// significant part ends: blanks outside quotes at its end are not part of it.
class TextBuilder {
public:
    void raw(char byte) { m_run += byte; }
    void blank(char c) {
        flush();
        m_text += QLatin1Char(c);
    }
    void character(char32_t c) {
        flush();
        if (c >= pastUnicode || (c >= 0xD800 && c <= 0xDFFF)) {
            c = replacementCharacter;
        }
        m_text += QString::fromUcs4(&c, 1);
        m_significantEnd = m_text.size();
    }
    void markSignificant() {
        flush();
        m_significantEnd = m_text.size();
    }
    QString finish() {
        flush();
        m_text.truncate(m_significantEnd);
        return m_text;
    }

private:
    void flush() {
        if (!m_run.isEmpty()) {
            m_text += QString::fromUtf8(m_run);
            m_significantEnd = m_text.size();
            m_run.clear();
        }
    }

    QByteArray m_run;
    QString m_text;
    qsizetype m_significantEnd = 0;
};

// Reads the escape after a backslash at text[i]; returns the index after it.
qsizetype readEscape(QByteArrayView text, qsizetype i, TextBuilder& builder) {
    const char letter = text[i++];
    for (const auto& [escape, meaning] : letterEscapes) {
        if (letter == escape) {
            builder.character(char32_t(meaning));
            return i;
        }
    }
    if (letter == 'x') {
        char32_t value = 0;
        const qsizetype first = i;
        for (; i < text.size() && hexValue(text[i]) >= 0; ++i) {
            value = value >= pastUnicode ? pastUnicode : value * 16 + char32_t(hexValue(text[i]));
        }
        if (i > first) {
            builder.character(value);
        }
        return i;
    }
    if (letter >= '0' && letter <= '7') {
        char32_t value = char32_t(letter - '0');
        for (int digits = 1; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7';
             ++digits, ++i) {
            value = value * 8 + char32_t(text[i] - '0');
        }
        builder.character(value);
        return i;
    }
    // Any other character stands for itself: \" \\ \; \, and the rest.
    builder.raw(letter);
    return i;
}

// QSettings keeps a leading "@" for its forms of other types; text that starts with "@" is
// written with a second one.
std::optional<QString> fromStoredForm(const QString& text) {
    if (!text.startsWith(QLatin1Char('@'))) {
        return text;
    }
    if (text.startsWith(QLatin1String("@@"))) {
        return text.mid(1);
    }
    if (text == QLatin1String("@Invalid()")) {
        return std::nullopt;
    }
    if (text.endsWith(QLatin1Char(')'))) {
        if (text.startsWith(QLatin1String("@String("))) {
            return text.mid(8, text.size() - 9);
        }
        for (const char* form :
             {"@ByteArray(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
            if (text.startsWith(QLatin1String(form))) {
                return std::nullopt;
            }
        }
    }
    return text;
}

std::optional<QString> unescapedValue(QByteArrayView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    TextBuilder builder;
    bool inQuotes = false;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '"') {
            inQuotes = !inQuotes;
            builder.markSignificant();
        } else if (c == '\\') {
            if (i < text.size()) {
                i = readEscape(text, i, builder);
            }
        } else if (!inQuotes && isBlank(c)) {
            builder.blank(c);
        } else {
            builder.raw(c);
        }
    }
    return fromStoredForm(builder.finish());
}

// Keys and section names: "%XX" and "%UXXXX" stand for characters, "\" for "/".
QString unescapedKey(QByteArrayView text) {
    QString key;
    QByteArray run;
    const auto flush = [&key, &run] {
        key += QString::fromUtf8(run);
        run.clear();
    };
    const auto hexAt = [text](qsizetype from, int digits) {
        int value = 0;
        for (qsizetype i = from; i < from + digits; ++i) {
            if (i >= text.size() || hexValue(text[i]) < 0) {
                return -1;
            }
            value = value * 16 + hexValue(text[i]);
        }
        return value;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const int wide =
            c == '%' && i + 1 < text.size() && text[i + 1] == 'U' ? hexAt(i + 2, 4) : -1;
        const int narrow = c == '%' ? hexAt(i + 1, 2) : -1;
        if (wide >= 0) {
            flush();
            key += QChar(char16_t(wide));
            i += 5;
        } else if (narrow >= 0) {
            flush();
            key += QChar(char16_t(narrow));
            i += 2;
        } else if (c == '\\') {
            flush();
            key += QLatin1Char('/');
        } else {
            run += c;
        }
    }
    flush();
    return key;
}

QByteArrayView trimmed(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front())) {
        text = text.sliced(1);
    }
    while (!text.isEmpty() && isBlank(text.back())) {
        text.chop(1);
    }
    return text;
}

QString sectionName(QByteArrayView text) {
    if (text.compare("General", Qt::CaseInsensitive) == 0) {
        return {};
    }
    if (text.compare("%General", Qt::CaseInsensitive) == 0) {
        return QStringLiteral("General");
    }
    return unescapedKey(text);
}

void parseLine(QByteArrayView line, QString& section, IniValues& values) {
    // Blanks at the end belong to the value, which drops them unless quoted or escaped.
    while (!line.isEmpty() && isBlank(line.front())) {
        line = line.sliced(1);
    }
    if (line.isEmpty() || line.front() == ';') {
        return;
    }
    if (line.front() == '[') {
        const qsizetype close = line.indexOf(']');
        section = sectionName(trimmed(line.sliced(1, (close < 0 ? line.size() : close) - 1)));
        return;
    }
    const qsizetype equals = line.indexOf('=');
    const QByteArrayView key = trimmed(line.first(equals < 0 ? 0 : equals));
    if (key.isEmpty()) {
        return;
    }
    if (const std::optional<QString> value = unescapedValue(line.sliced(equals + 1))) {
        values[section][unescapedKey(key)] = *value;
    }
}

QByteArray escapedKey(const QString& key) {
    QByteArray escaped;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if (u == '/') {
            escaped += '\\';
        } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                   u == '_' || u == '-' || u == '.') {
            escaped += char(u);
        } else if (u <= 0xFF) {
            escaped += '%';
            escaped += hexDigits[u / 16];
            escaped += hexDigits[u % 16];
        } else {
            escaped += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                escaped += hexDigits[(u >> shift) & 0xF];
            }
        }
    }
    return escaped;
}

QByteArray escapedSection(const QString& section) {
    if (section.isEmpty()) {
        return "General";
    }
    if (section == QLatin1String("General")) {
        return "%General";
    }
    return escapedKey(section);
}

QByteArray escapedValue(const QString& value) {
    QString escaped;
    bool needsQuotes = value.startsWith(QLatin1Char(' ')) || value.endsWith(QLatin1Char(' '));
    // A hex digit right after a \x escape would be read as part of it: it is escaped too.
    bool afterHexEscape = false;
    if (value.startsWith(QLatin1Char('@'))) {
        escaped += QLatin1Char('@');
    }
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        const auto letter = std::find_if(letterEscapes.begin(), letterEscapes.end(),
                                         [u](const auto& escape) { return escape.second == u; });
        if (letter != letterEscapes.end()) {
            escaped += QLatin1Char('\\');
            escaped += QLatin1Char(letter->first);
            afterHexEscape = false;
        } else if (u < 0x20 || (afterHexEscape && isHexDigit(c))) {
            escaped += QStringLiteral("\\x") + QString::number(u, 16);
            afterHexEscape = true;
        } else {
            if (u == '"' || u == '\\') {
                escaped += QLatin1Char('\\');
            }
            needsQuotes = needsQuotes || u == ';' || u == ',' || u == '=';
            escaped += c;
            afterHexEscape = false;
        }
    }
    if (needsQuotes) {
        escaped = QLatin1Char('"') + escaped + QLatin1Char('"');
    }
    return escaped.toUtf8();
}

} // namespace

IniValues parseIni(QByteArrayView text) {
    if (text.startsWith("\xEF\xBB\xBF")) {
        text = text.sliced(3);
    }
    IniValues values;
    QString section;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') {
            ++end;
        }
        parseLine(text.sliced(start, end - start), section, values);
        start = end + 1;
    }
    return values;
}

FittedIni formatIniWithin(IniValues values, qsizetype limit, const QString& keepSection,
                          const QString& keepKey) {
    struct Entry {
        QString section;
        QString key;
        qsizetype size;
    };
    std::vector<Entry> others;
    // Each section counts a blank line before it: the estimate is never short of the text.
    QMap<QString, qsizetype> sectionSizes;
    qsizetype size = 0;
    for (auto section = values.cbegin(); section != values.cend(); ++section) {
        const qsizetype header = escapedSection(section.key()).size() + 4;
        sectionSizes[section.key()] = header;
        size += section->isEmpty() ? 0 : header;
        for (auto value = section->cbegin(); value != section->cend(); ++value) {
            const qsizetype line = escapedKey(value.key()).size() + escapedValue(*value).size() + 2;
            size += line;
            if (section.key() != keepSection || value.key() != keepKey) {
                others.push_back({section.key(), value.key(), line});
            }
        }
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const Entry& a, const Entry& b) { return a.size > b.size; });
    FittedIni fitted;
    for (auto entry = others.cbegin(); size > limit && entry != others.cend(); ++entry) {
        IniSection& section = values[entry->section];
        section.remove(entry->key);
        size -= entry->size + (section.isEmpty() ? sectionSizes[entry->section] : 0);
        ++fitted.leftOut;
    }
    fitted.text = formatIni(values);
    return fitted;
}

QByteArray formatIni(const IniValues& values) {
    QByteArray text;
    for (auto section = values.begin(); section != values.end(); ++section) {
        if (section->isEmpty()) {
            continue;
        }
        if (!text.isEmpty()) {
            text += '\n';
        }
        text += '[' + escapedSection(section.key()) + "]\n";
        for (auto value = section->begin(); value != section->end(); ++value) {
            text += escapedKey(value.key()) + '=' + escapedValue(*value) + '\n';
        }
    }
    return text;
}

} // namespace quiverel
