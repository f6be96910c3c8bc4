#include "platform/ini_file.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <map>

namespace platform {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isSpace(char c) { return isBlank(c) || c == '\n' || c == '\r'; }
bool isLineBreak(char c) { return c == '\n' || c == '\r'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int octValue(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

struct Line
{
    qsizetype start = 0, end = 0, equals = -1;
    bool quoted = false, backslash = false;
};

// The next logical line at or after pos, as QSettings splits them: a line
// break in quotes or after a backslash does not end a line. Comment lines
// are skipped. A ';' outside quotes after a blank or right after '=' begins a
// comment that ends the line ("B=1 ; bold"); one inside a word ("Deja;Vu")
// is text.
bool nextLine(QByteArrayView data, qsizetype &pos, Line &line)
{
    const qsizetype size = data.size();
    qsizetype start = pos;
    while (start < size && isSpace(data[start]))
        ++start;
    while (start < size && (data[start] == ';' || data[start] == '#')) {
        while (start < size && !isLineBreak(data[start]))
            ++start;
        while (start < size && isSpace(data[start]))
            ++start;
    }
    line = Line{start, start};
    qsizetype i = start;
    while (i < size) {
        const char c = data[i++];
        if (c == '=' && !line.quoted && line.equals < 0) {
            line.equals = i - 1;
        } else if (isLineBreak(c) && !line.quoted) {
            --i;
            break;
        } else if (c == ';' && !line.quoted && i - 1 > start && (isBlank(data[i - 2]) || line.equals == i - 2)) {
            --i;
            break;
        } else if (c == '"') {
            line.quoted = !line.quoted;
        } else if (c == '\\') {
            line.backslash = i == size;
            if (i < size) {
                const char escaped = data[i++];
                // \r\n and \n\r are one line break.
                if (i < size && isLineBreak(escaped) && isLineBreak(data[i]) && data[i] != escaped)
                    ++i;
            }
        }
    }
    pos = line.end = i;
    return i > start;
}

// A key or section name: UTF-8, '\' for '/', %XX and %UXXXX for a character.
QString unescapedKey(QByteArrayView key)
{
    const QString text = QString::fromUtf8(key);
    const qsizetype size = text.size();
    QString result;
    result.reserve(size);
    for (qsizetype i = 0; i < size;) {
        const QChar c = text[i];
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        const qsizetype first = i + 1 < size && text[i + 1] == u'U' ? i + 2 : i + 1;
        const qsizetype digits = first == i + 2 ? 4 : 2;
        bool ok = false;
        const ushort code
            = c == u'%' && first + digits <= size ? QStringView(text).sliced(first, digits).toUShort(&ok, 16) : 0;
        if (ok) {
            result += QChar(code);
            i = first + digits;
        } else {
            result += c;
            ++i;
        }
    }
    return result;
}

// Reads a value's text: QSettings' escapes and quotes, blanks trimmed around
// what is not quoted. A comma or a semicolon outside quotes is text, taken as
// it stands, as an escape is.
class ValueReader
{
public:
    explicit ValueReader(QByteArrayView value) : value_(value) { result_.reserve(value.size()); }

    QString read()
    {
        skipBlanks();
        while (i_ < value_.size()) {
            const char c = value_[i_];
            if (c == '\\') {
                if (!escape())
                    return result_; // the end: trailing blanks stay, as in QSettings
            } else if (c == '"') {
                quote();
            } else if ((c == ',' || c == ';') && !quoted_) {
                result_ += QLatin1Char(c);
                ++i_;
                chopLimit_ = result_.size();
            } else {
                plainRun();
            }
        }
        if (!anyQuote_) {
            qsizetype n = result_.size();
            while (n > chopLimit_ && (result_[n - 1] == u' ' || result_[n - 1] == u'\t'))
                --n;
            result_.truncate(n);
        }
        return result_;
    }

private:
    void skipBlanks()
    {
        while (i_ < value_.size() && isBlank(value_[i_]))
            ++i_;
    }

    // An escape's number; false at the end of the value.
    bool number(char16_t code, int (*digit)(char), int shift)
    {
        for (int d; i_ < value_.size() && (d = digit(value_[i_])) >= 0; ++i_)
            code = char16_t((code << shift) + d);
        result_ += QChar(code);
        chopLimit_ = result_.size();
        return i_ < value_.size();
    }

    // The escape at the backslash; false when it ends the value. What it
    // stands for is never trimmed, an escaped blank or tab included.
    bool escape()
    {
        static constexpr char escapes[][2]
            = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},  {'r', '\r'}, {'t', '\t'},
               {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
        if (++i_ >= value_.size())
            return false;
        const char e = value_[i_++];
        const auto *named = std::find_if(std::begin(escapes), std::end(escapes), [e](auto &x) { return x[0] == e; });
        if (named != std::end(escapes)) {
            result_ += QLatin1Char(named[0][1]);
        } else if (e == 'x') {
            if (i_ >= value_.size() || (hexValue(value_[i_]) >= 0 && !number(0, hexValue, 4)))
                return false;
        } else if (octValue(e) >= 0) {
            if (!number(char16_t(octValue(e)), octValue, 3))
                return false;
        } else if (isLineBreak(e) && i_ < value_.size() && isLineBreak(value_[i_]) && value_[i_] != e) {
            ++i_; // an escaped line break of two characters
        }
        chopLimit_ = result_.size();
        return true;
    }

    void quote()
    {
        ++i_;
        anyQuote_ = true;
        quoted_ = !quoted_;
        if (!quoted_) {
            skipBlanks();
            chopLimit_ = result_.size();
        }
    }

    // Text up to the next escape, quote or separator. Cut where QSettings
    // cuts: its decoder drops a byte that follows an incomplete sequence at
    // the end of a piece.
    void plainRun()
    {
        qsizetype j = i_ + 1;
        while (j < value_.size() && value_[j] != '\\' && value_[j] != '"' && value_[j] != ','
               && (quoted_ || value_[j] != ';'))
            ++j;
        result_ += fromUtf8_(value_.sliced(i_, j - i_));
        i_ = j;
    }

    QByteArrayView value_;
    QString result_;
    QStringDecoder fromUtf8_{QStringDecoder::Utf8};
    qsizetype i_ = 0, chopLimit_ = 0;
    bool quoted_ = false, anyQuote_ = false;
};

QString unescapedValue(QByteArrayView value) { return ValueReader(value).read(); }

QByteArray escapedKey(const QString &key)
{
    QByteArray result;
    for (const QChar c : key) {
        const char16_t ch = c.unicode();
        const bool plain = (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9')
            || ch == u'_' || ch == u'-' || ch == u'.';
        if (ch == u'/')
            result += '\\';
        else if (plain)
            result += char(ch);
        else if (ch <= 0xff)
            result += '%' + QByteArray::number(ch, 16).toUpper().rightJustified(2, '0');
        else
            result += "%U" + QByteArray::number(ch, 16).toUpper().rightJustified(4, '0');
    }
    return result;
}

// A value as QSettings writes text, so that QSettings and this reader both
// read it back exactly: quoted when it has a comma, a semicolon, '=' or
// blanks at either end, control characters and lone surrogates escaped.
QByteArray escapedValue(const QString &value)
{
    const QString text = value.startsWith(u'@') ? u'@' + value : value;
    QByteArray result;
    result.reserve(text.size() + 2);
    bool quote = false;
    bool escapeHexDigit = false; // after \x.. or \0, a hex digit would be read as more of it
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        quote = quote || ch == u';' || ch == u',' || ch == u'=';
        if (escapeHexDigit && ch < 0x80 && hexValue(char(ch)) >= 0) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeHexDigit = false;
        static constexpr char named[] = "\a\b\f\n\r\t\v";
        static constexpr char letters[] = "abfnrtv";
        if (ch == 0) {
            result += "\\0";
            escapeHexDigit = true;
        } else if (ch < 0x80 && ch && std::strchr(named, char(ch))) {
            result += '\\';
            result += letters[std::strchr(named, char(ch)) - named];
        } else if (ch == u'"' || ch == u'\\') {
            result += '\\';
            result += char(ch);
        } else if (ch <= 0x1f
                   || (QChar::isSurrogate(ch)
                       && !(QChar::isHighSurrogate(ch) && i + 1 < text.size() && text[i + 1].isLowSurrogate()))) {
            result += "\\x" + QByteArray::number(ch, 16);
            escapeHexDigit = true;
        } else {
            const qsizetype length = QChar::isHighSurrogate(ch) ? 2 : 1;
            result += QStringView(text).sliced(i, length).toUtf8();
            i += length - 1;
        }
    }
    if (quote || result.startsWith(' ') || result.endsWith(' '))
        result = '"' + result + '"';
    return result;
}

QString keyOf(const QString &section, const QString &key) { return section + u'/' + key; }

} // namespace

IniFile::IniFile(QByteArray bytes) : bytes_(std::move(bytes))
{
    const QByteArrayView data(bytes_);
    qsizetype pos = data.startsWith("\xef\xbb\xbf") ? 3 : 0;
    Line line;
    while (nextLine(data, pos, line)) {
        const QByteArrayView text = data.sliced(line.start, line.end - line.start);
        // Where the line ends on the page, after a comment that follows it.
        qsizetype lineEnd = line.end;
        while (lineEnd < data.size() && !isLineBreak(data[lineEnd]))
            ++lineEnd;
        openEnd_ = line.end == data.size();
        quotedEnd_ = line.quoted;
        backslashEnd_ = line.backslash;
        if (text.startsWith('[')) {
            qsizetype close = text.indexOf(']');
            if (close < 0) {
                valid_ = false;
                close = text.size();
            }
            const QByteArrayView name = text.sliced(1, close - 1).trimmed();
            QString section;
            if (name.compare("general", Qt::CaseInsensitive) != 0) {
                section = name.compare("%general", Qt::CaseInsensitive) == 0 ? QString::fromLatin1(name.sliced(1))
                                                                             : unescapedKey(name);
                section += u'/';
            }
            blocks_.push_back({section, lineEnd});
            continue;
        }
        if (line.equals < 0) {
            valid_ = false;
            continue;
        }
        const int block = int(blocks_.size() - 1);
        qsizetype value = line.equals + 1;
        while (value < line.end && isBlank(data[value]))
            ++value;
        entries_.push_back({block, value, line.end});
        blocks_[std::size_t(block)].end = lineEnd;
        const QString key = blocks_[std::size_t(block)].section
            + unescapedKey(data.sliced(line.start, line.equals - line.start).trimmed());
        // QSettings parses the sections in the order of their names, and a key
        // read later replaces the same key read before.
        const auto earlier = entryOf_.find(key);
        if (earlier == entryOf_.end())
            entryOf_.insert(key, qsizetype(entries_.size() - 1));
        else if (blocks_[std::size_t(entries_[std::size_t(*earlier)].block)].section
                 <= blocks_[std::size_t(block)].section)
            *earlier = qsizetype(entries_.size() - 1);
    }
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const auto found = entryOf_.constFind(keyOf(section, key));
    if (found == entryOf_.cend())
        return std::nullopt;
    const Entry &entry = entries_[std::size_t(*found)];
    const qsizetype start = entry.value;
    // The value as QSettings reads it begins right after '='; the blanks
    // there are skipped either way.
    // A text that begins with '@' is written with one more in front, as
    // QSettings writes it.
    QString text = unescapedValue(QByteArrayView(bytes_).sliced(start, entry.end - start));
    if (text.startsWith(QLatin1String("@@")))
        text.remove(0, 1);
    return text;
}

QByteArray IniFile::withValues(const std::vector<IniSetting> &settings) const
{
    // New lines end as the file's first line does (CRLF, or CR alone, say).
    const auto firstBreak = std::find_if(bytes_.cbegin(), bytes_.cend(), isLineBreak);
    const QByteArray eol = firstBreak == bytes_.cend() || *firstBreak == '\n' ? "\n"
        : firstBreak + 1 != bytes_.cend() && firstBreak[1] == '\n'            ? "\r\n"
                                                                              : "\r";
    ByPosition replaced; // by entry
    std::map<QString, std::map<QString, QByteArray>> added; // by section and key, sorted as QSettings sorts
    for (const IniSetting &setting : settings) {
        const auto found = entryOf_.constFind(keyOf(setting.section, setting.key));
        if (found != entryOf_.cend())
            replaced[*found] = escapedValue(setting.value);
        else
            added[setting.section][setting.key] = escapedKey(setting.key) + '=' + escapedValue(setting.value) + eol;
    }
    ByPosition inserted;
    const QByteArray tail = placed(added, eol, inserted);
    QByteArray result = spliced(replaced, inserted);
    if (tail.isEmpty())
        return result;
    // What is appended must start a line of its own, outside any quote.
    const bool lastReplaced
        = !entries_.empty() && replaced.count(qsizetype(entries_.size() - 1)) && entries_.back().end == bytes_.size();
    if (openEnd_ && !lastReplaced)
        result += QByteArray(backslashEnd_ ? " " : "") + (quotedEnd_ ? "\"" : "") + eol;
    else if (!empty() && !isLineBreak(result.back()))
        result += eol;
    return result + tail;
}

bool IniFile::empty() const { return bytes_.isEmpty() || bytes_ == "\xef\xbb\xbf"; }

QByteArray IniFile::placed(const std::map<QString, std::map<QString, QByteArray>> &added, const QByteArray &eol,
                           ByPosition &inserted) const
{
    QByteArray tail; // for the end of the file
    for (const auto &[section, lines] : added) {
        QByteArray text;
        for (const auto &line : lines)
            text += line.second;
        const auto block = std::find_if(blocks_.rbegin(), blocks_.rend() - 1,
                                        [&](const Block &b) { return b.section == section + u'/'; });
        if (block == blocks_.rend() - 1) {
            QByteArray header = escapedKey(section);
            if (header.isEmpty())
                header = "General";
            else if (QByteArrayView(header).compare("general", Qt::CaseInsensitive) == 0)
                header.prepend('%');
            tail += (empty() && tail.isEmpty() ? QByteArray() : eol) + '[' + header + ']' + eol + text;
        } else if (block->end < bytes_.size()) {
            // After the line break that ends the block's last line.
            qsizetype at = block->end + 1;
            if (at < bytes_.size() && isLineBreak(bytes_[at]) && bytes_[at] != bytes_[block->end])
                ++at;
            inserted[at] += text;
        } else {
            tail.prepend(text);
        }
    }
    return tail;
}

QByteArray IniFile::spliced(const ByPosition &replaced, const ByPosition &inserted) const
{
    QByteArray result;
    result.reserve(bytes_.size() + 256);
    qsizetype at = 0;
    const auto copyTo = [&](qsizetype end) {
        result += QByteArrayView(bytes_).sliced(at, end - at);
        at = end;
    };
    auto insertion = inserted.begin();
    const auto insertUpTo = [&](qsizetype position) {
        for (; insertion != inserted.end() && insertion->first <= position; ++insertion) {
            copyTo(insertion->first);
            result += insertion->second;
        }
    };
    for (const auto &[entry, value] : replaced) {
        const Entry &e = entries_[std::size_t(entry)];
        insertUpTo(e.value);
        copyTo(e.value);
        result += value;
        // A comment after the value stays, with the blanks before it; one
        // that began the value must still follow a blank.
        qsizetype end = e.end;
        if (end < bytes_.size() && bytes_[end] == ';') {
            while (end > e.value && isBlank(bytes_[end - 1]))
                --end;
            if (bytes_[end] == ';')
                result += ' ';
        }
        at = end;
    }
    insertUpTo(bytes_.size());
    copyTo(bytes_.size());
    return result;
}

} // namespace platform
