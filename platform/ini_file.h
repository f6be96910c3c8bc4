#pragma once

// INI text in the format that Qt's QSettings (IniFormat) writes, read and
// written in memory, so that the close needs no temporary folder and keeps
// every other line of the file. It reads the text values QSettings reads,
// with faults mended: a UTF-8 byte order mark is skipped; a line that starts
// with '#' is a comment, as one that starts with ';' is; a ';' inside a word
// is text (one after a blank or right after '=' still begins a comment);
// commas in a value are text, not the separators of a list.

#include <QByteArray>
#include <QHash>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace platform {

// A value to write under a section and a key.
struct IniSetting
{
    QString section;
    QString key;
    QString value;
};

class IniFile
{
public:
    // An empty file.
    IniFile() = default;
    explicit IniFile(QByteArray bytes);

    // False where QSettings would report a FormatError (a section header
    // without ']', a line that is no comment and has no '='), unless the rules
    // above make the file valid.
    bool valid() const { return valid_; }

    // The key's text; nothing when the key is absent. The forms that
    // QSettings writes for what is not text (@Variant(...) and the like) are
    // text here: a face name or an option is never one.
    std::optional<QString> value(const QString &section, const QString &key) const;

    // The file with these values: the value of a key already there is
    // replaced, a key not there goes to the end of its section (a new one
    // at the end of the file when there is none), and every other byte
    // stays, comments and order included. Of an empty file this makes what
    // QSettings writes: sections and keys sorted, a blank line between sections.
    QByteArray withValues(const std::vector<IniSetting> &settings) const;

private:
    using ByPosition = std::map<qsizetype, QByteArray>;
    // A file of nothing but a byte order mark is an empty one.
    bool empty() const;
    // Places the lines of keys that are not there: in their section's block,
    // by position in `inserted`; what goes to the end of the file is returned.
    QByteArray placed(const std::map<QString, std::map<QString, QByteArray>> &added, const QByteArray &eol,
                      ByPosition &inserted) const;
    // The file with the values replaced, by entry, and the lines inserted.
    QByteArray spliced(const ByPosition &replaced, const ByPosition &inserted) const;

    struct Entry
    {
        int block; // the section block the line is in
        qsizetype value; // where the value starts, after the blanks behind '='
        qsizetype end; // where the line ends: at its line break, a comment or the end
    };
    struct Block
    {
        QString section; // as QSettings keys it: "" or "name/"
        qsizetype end; // where its last key line (or its header) ends
    };

    QByteArray bytes_;
    bool valid_ = true;
    std::vector<Block> blocks_{{QString(), 0}};
    std::vector<Entry> entries_;
    QHash<QString, qsizetype> entryOf_; // by section and key, the line QSettings reads
    // How the last line ends: at the end of the file, in quotes or after a
    // backslash that escapes nothing.
    bool openEnd_ = false, quotedEnd_ = false, backslashEnd_ = false;
};

} // namespace platform
