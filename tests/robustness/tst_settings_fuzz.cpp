// Start-up and close against settings files from a generator with a fixed
// seed: random bytes, broken sections and lines, and every key given letters,
// signs, fractions, huge numbers, empty text, invalid UTF-8, NUL bytes, a
// megabyte face name, text like QSettings' @Variant(...) forms, quotes and
// backslashes. For each file: start-up neither crashes nor hangs nor reports
// an error, every option is what the file says when that is 0, 1 or 2 and
// 0 otherwise (with one warning per bad value), the display follows, and the
// next close writes a valid file that holds the five values shown.
//
// A file reaches the window only through the settings store and the option
// parser, so every file is read and written through those alone, as
// Form_Load and the close use them. Every `windowEvery`-th file also runs
// through a new window, shown and closed: its display must follow the file,
// and it must write the same bytes.
//
// What a file says is what Qt 6.4's QSettings reads in it, except where the
// store reads otherwise on purpose: a byte order mark, '#' comment lines, and
// commas and semicolons as text. For those alone the file is respelled so
// that QSettings reads them the store's way (forQSettings) before it answers.

#include "../support.h"
#include "rng.h"

#include "app/main_window.h"
#include "app/settings.h"
#include "platform/conversions.h"
#include "platform/runtime_error.h"
#include "platform/settings_store.h"

#include <QElapsedTimer>
#include <QSet>
#include <QSettings>
#include <QtTest>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <optional>

using glyphery::frmMain;

namespace {

constexpr std::uint64_t seed = 0x61796870'6c796721ull;
constexpr int fileCount = 10000;
constexpr int windowEvery = 13; // odd: both halves of a two-way share get some

QByteArray lit(const char *text, int size) { return QByteArray(text, size); }

QByteArray valueText(Rng &r, bool forName, bool megabyte = false)
{
    static const std::array<QByteArray, 8> digits = {"0", "1", "2", "3", "9", "10", "00002", "000001"};
    static const std::array<QByteArray, 10> signs = {"+1", "-1", "-0", "+", "-", "--1", "1-", "+0", "-2", "+2"};
    static const std::array<QByteArray, 10> fractions = {"1.0", "0.5", ".5", "1.", "1,5", "2.00", "1e0", "0x1", "1/2",
                                                         "0.0"};
    static const std::array<QByteArray, 6> huge = {"99999999999999999999", "4294967297", "65538", "-32769", "32768",
                                                   "18446744073709551617"};
    static const std::array<QByteArray, 7> spaced = {" 1", "1 ", "\t2\t", "  0  ", " ", "\t", "1 1"};
    static const std::array<QByteArray, 8> badUtf8 = {"\xff", "\xc3", "\xc0\xb1", "\xed\xa0\x80", "1\xff",
                                                      "\xe2\x82", "\xf4\x90\x80\x80", "\xfe\xfe"};
    static const std::array<QByteArray, 5> nul = {lit("\0", 1), lit("1\0", 2), lit("\0" "1", 2), lit("a\0b", 3),
                                                  lit("2\0\0", 3)};
    static const std::array<QByteArray, 8> byteArrays = {"@ByteArray(1)", "@ByteArray()", "@ByteArray(\xff)",
                                                         "@ByteArray(2", "@ByteArray(@Variant(x))",
                                                         "@ByteArray( 1 )", "@ByteArray(\\0)", "@bytearray(1)"};
    static const std::array<QByteArray, 9> otherForms = {"@Invalid()", "@Rect(1 2 3 4)", "@Size(1 2)", "@Point(1 2)",
                                                         "@@1", "@", "@Foo(1)", "@Variant(", "@Variant()"};
    static const std::array<QByteArray, 9> quotes = {"\"1\"", "\"1", "1\"", "\"\"", "'1'", "\" 1 \"", "\"a,b\"",
                                                     "\"\\\"\"", "\"2\"\"0\""};
    static const std::array<QByteArray, 11> backslashes = {"\\", "1\\", "\\1", "\\x31", "\\x0031", "\\0", "\\n1",
                                                           "\\\"", "\\u0031", "\\\\", "\\xd800"};
    static const std::array<QByteArray, 9> lists = {"1,2", "1, 2", ",", "a,", "1,", "0,0,0", "1;2", ";1", "1 ; 2"};
    static const std::array<QByteArray, 4> unicodeDigits = {"\xef\xbc\x91", "\xd9\xa1", "\xc2\xb9",
                                                            "\xf0\x9d\x9f\x8f"};
    static const std::array<QByteArray, 5> controls = {"\x01", "1\x7f", "\x1b[1m", "\x0b", "\x0c"};
    static const std::array<QByteArray, 10> faces = {"DejaVu Sans", "Liberation Mono", " ", "Arial", "Courier New",
                                                     "DejaVu Serif", "No Such Face", "\xc3\x9c" "ber Sans",
                                                     "DejaVu Sans,Bold", "Deja;Vu"};

    switch (megabyte ? 21 : r.below(forName ? 21 : 20)) {
    case 0: return QByteArray(1, char('0' + r.below(3)));
    case 1: return r.pick(digits);
    case 2: {
        QByteArray letters;
        for (int i = 0, n = 1 + r.below(8); i < n; ++i)
            letters += char((r.percent(50) ? 'a' : 'A') + r.below(26));
        return letters;
    }
    case 3: return r.pick(signs);
    case 4: return r.pick(fractions);
    case 5: return r.pick(huge);
    case 6: return {};
    case 7: return r.pick(spaced);
    case 8: return r.pick(badUtf8);
    case 9: return r.pick(nul);
    case 10: return "@Variant(" + r.bytes(r.below(24)) + ")";
    case 11:
    case 12: return r.pick(byteArrays);
    case 13: return r.pick(otherForms);
    case 14: return r.pick(quotes);
    case 15: return r.pick(backslashes);
    case 16: return r.pick(lists);
    case 17: return r.pick(unicodeDigits);
    case 18: return r.pick(controls);
    case 19: return r.bytes(1 + r.below(40));
    case 20: return r.pick(faces);
    default: {
        // A megabyte name: mostly letters, with a few random bytes, none of
        // them a line break (which would end the value).
        QByteArray name(1 << 20, 'a');
        for (char &c : name) {
            c = r.percent(98) ? char('a' + r.below(26)) : char(r.next());
            if (c == '\n' || c == '\r')
                c = ' ';
        }
        return name;
    }
    }
}

QByteArray someValue(Rng &r, bool forName)
{
    if (forName && r.percent(1))
        return valueText(r, true, true);
    QByteArray value = valueText(r, forName && r.percent(12));
    if (r.percent(15))
        value += valueText(r, false);
    return value;
}

// In whichever section the generator happens to be.
constexpr const char *knownKeys[] = {"Name", "B", "I", "Space", "Size"};

QByteArray generateFile(Rng &r)
{
    if (r.percent(2))
        return {};
    if (r.percent(3))
        return r.bytes(r.below(3000));
    static const std::array<QByteArray, 12> headers = {"[Font]", "[Options]", "[font]", "[Font", "Font]", "[]", "[[Font]]",
                                                       "[Fo\x01nt]", " [Font] ", "[General]", "[Options]x", "[%U0046ont]"};
    static const std::array<QByteArray, 10> noise = {"; comment", "# comment", "", "   ", "=1", "B", "[", "]",
                                                     "Name", "==="};
    static const std::array<QByteArray, 6> separators = {"=", " = ", "==", "\t=\t", " =", "= "};
    static const std::array<QByteArray, 4> endings = {"\n", "\r\n", "\r", "\n\n"};
    const QByteArray ending = r.percent(80) ? QByteArray("\n") : r.pick(endings);

    QByteArray file;
    if (r.percent(5))
        file += "\xef\xbb\xbf";
    const int blocks = 1 + r.below(4);
    for (int b = 0; b < blocks; ++b) {
        const bool fontBlock = r.percent(50);
        file += (r.percent(75) ? QByteArray(fontBlock ? "[Font]" : "[Options]") : r.pick(headers)) + ending;
        for (int line = 0, lines = r.below(6); line < lines; ++line) {
            if (r.percent(8)) {
                file += (r.percent(70) ? r.pick(noise) : r.bytes(r.below(30))) + ending;
                continue;
            }
            QByteArray name = knownKeys[r.below(5)];
            if (r.percent(5))
                name = name.toLower();
            if (r.percent(5))
                name = " " + name + " ";
            file += name + (r.percent(90) ? QByteArray("=") : r.pick(separators))
                + someValue(r, name.trimmed() == "Name") + ending;
        }
    }
    if (r.percent(5))
        file.chop(1);
    return file;
}

// The same file, spelled so that QSettings reads it by the store's rules:
// the byte order mark dropped, a '#' comment line made a ';' one, a comma or
// a semicolon outside quotes escaped as \x2c or \x3b in a value (with "\z",
// an escape of nothing, to end the number before a hex digit) and as %3B in a
// key or a section name, and a value's '@' at its start made "@@", which
// QSettings reads as text; a ';' after a blank or right after '=' begins a
// comment for both. It follows the lines as QSettings splits them.
QByteArray forQSettings(QByteArray file)
{
    if (file.startsWith("\xef\xbb\xbf"))
        file.remove(0, 3);
    const auto lineBreak = [](char c) { return c == '\n' || c == '\r'; };
    QByteArray out;
    bool lineStart = true, quoted = false, value = false, equalsSeen = false, afterEquals = false, header = false,
         valueStart = false;
    for (qsizetype i = 0; i < file.size(); ++i) {
        const char c = file[i];
        if (lineStart) {
            if (c == ' ' || c == '\t' || lineBreak(c)) {
                out += c;
                continue;
            }
            if (c == '#' || c == ';') {
                out += ';';
                while (i + 1 < file.size() && !lineBreak(file[i + 1]))
                    out += file[++i];
                continue;
            }
            lineStart = quoted = value = equalsSeen = afterEquals = valueStart = false;
            header = c == '[';
        }
        if (c == '\\') {
            out += c;
            afterEquals = valueStart = false;
            if (i + 1 < file.size()) {
                const char escaped = file[++i];
                out += escaped;
                if (i + 1 < file.size() && lineBreak(escaped) && lineBreak(file[i + 1]) && file[i + 1] != escaped)
                    out += file[++i];
            }
            continue;
        }
        // A ';' after a blank or right after '=' begins a comment to the end
        // of the line by both rules.
        if (c == ';' && !quoted && (afterEquals || file[i - 1] == ' ' || file[i - 1] == '\t')) {
            out += c;
            while (i + 1 < file.size() && !lineBreak(file[i + 1]))
                out += file[++i];
            continue;
        }
        // QSettings takes "@@" for '@' and any other '@' first for a form.
        if (c == '@' && value && valueStart) {
            out += (i + 1 < file.size() && file[i + 1] == '@') ? QByteArray(1, file[++i]) + '@' : QByteArray("@@");
            valueStart = afterEquals = false;
            continue;
        }
        valueStart = value && valueStart && (c == '"' || ((c == ' ' || c == '\t') && !quoted));
        afterEquals = c == '=' && !quoted && !equalsSeen;
        equalsSeen = equalsSeen || afterEquals;
        if ((c == ',' || c == ';') && !quoted && value) {
            out += c == ',' ? "\\x2c" : "\\x3b";
            if (i + 1 < file.size() && std::isxdigit(uchar(file[i + 1])))
                out += "\\z";
            continue;
        }
        out += c == ';' && !quoted ? QByteArray("%3B") : QByteArray(1, c);
        if (c == '"')
            quoted = !quoted;
        else if (c == '=' && !quoted && !header && !value)
            value = valueStart = true;
        else if (lineBreak(c) && !quoted)
            lineStart = true;
    }
    return out;
}

// The text of a stored value; nothing when the key is absent.
std::optional<QString> storedText(const QSettings &file, const QString &key)
{
    const QVariant value = file.value(key);
    return value.isValid() ? std::optional(value.toString()) : std::nullopt;
}

struct Expected
{
    bool broken = false;
    QString name = QStringLiteral("Arial");
    std::array<std::int16_t, 4> options{}; // B, I, Space, Size
    int badOptions = 0;                     // each warned about
    QStringList keys;                       // of the file as read
};

// An option is a whole number 0..2, blanks around it allowed: ASCII digits only,
// at most five of them.
std::int16_t optionOf(const QString &text, bool *bad)
{
    const QString t = text.trimmed();
    bool whole = !t.isEmpty() && t.size() <= 5;
    for (QChar c : t)
        whole = whole && c.unicode() >= '0' && c.unicode() <= '9';
    const int value = whole ? t.toInt() : -1;
    *bad = value < 0 || value > 2;
    return *bad ? 0 : std::int16_t(value);
}

void writeCopy(const QString &path, const QByteArray &content)
{
    QFile copy(path);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate) || copy.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Reads a copy of the file at `path`: QSettings shares what it parsed between
// objects of one path, and the store must find the file as a new program would.
Expected expectedFrom(const QByteArray &content, const QString &path)
{
    Expected e;
    writeCopy(path, forQSettings(content));
    QSettings file(path, QSettings::IniFormat);
    // Sections are parsed on first use; only then is a bad line reported.
    e.keys = file.allKeys();
    if (file.status() == QSettings::FormatError) {
        e.broken = true;
        e.keys.clear();
        return e;
    }
    if (const auto name = storedText(file, QStringLiteral("Font/Name")))
        e.name = *name;
    const char *optionKeys[] = {"Font/B", "Font/I", "Options/Space", "Options/Size"};
    for (int i = 0; i < 4; ++i) {
        if (const auto text = storedText(file, QLatin1String(optionKeys[i]))) {
            bool bad = false;
            e.options[std::size_t(i)] = optionOf(*text, &bad);
            e.badOptions += bad;
        }
    }
    return e;
}

int &settingsWarnings()
{
    static int count = 0;
    return count;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.left(120).toHex(' ')) + (bytes.size() > 120 ? QStringLiteral(" ...") : QString());
}

} // namespace

class TestSettingsFuzz : public QObject
{
    Q_OBJECT

private slots:
    void generatedFiles();

private:
    bool checkOne(int index, const QByteArray &content);
    void checkRead(const QString &name, const std::array<std::int16_t, 4> &options, const Expected &e, int index);
    void checkLoaded(const frmMain &form, const Expected &e, int index);
    void checkWritten(const QString &name, const std::array<std::int16_t, 4> &options, const Expected &e,
                      const QByteArray &content, int index);

    testing::Sandbox *sandbox_ = nullptr; // that of the file under test
    int brokenFiles_ = 0, badValues_ = 0, bigNames_ = 0, windowRuns_ = 0;
};

void TestSettingsFuzz::checkRead(const QString &name, const std::array<std::int16_t, 4> &got, const Expected &e,
                                 int index)
{
    QVERIFY2(name == e.name, qPrintable(QStringLiteral("file %1: face").arg(index)));
    for (std::size_t i = 0; i < 4; ++i) {
        QVERIFY2(got[i] >= 0 && got[i] <= 2, qPrintable(QStringLiteral("file %1: option %2 is %3").arg(index).arg(i).arg(got[i])));
        QVERIFY2(got[i] == e.options[i],
                 qPrintable(QStringLiteral("file %1: option %2 is %3, not %4").arg(index).arg(i).arg(got[i]).arg(e.options[i])));
    }
}

void TestSettingsFuzz::checkLoaded(const frmMain &form, const Expected &e, int index)
{
    const int limit = platform::TextBox::maxLength;
    QVERIFY2(form.FSel.text() == e.name.left(limit), qPrintable(QStringLiteral("file %1: face").arg(index)));
    const std::array<std::int16_t, 4> got = {form.chkB.value(), form.chkI.value(), form.chkSpace.value(),
                                             form.chkSize.value()};
    QVERIFY2(got == e.options, qPrintable(QStringLiteral("file %1: the window's options").arg(index)));
    // The display follows: face unless blank, bold and italic when on, small
    // sizes when on, the blank before the preview once or twice.
    const QString face = form.FSel.text() == QLatin1String(" ") ? QStringLiteral("Arial") : form.FSel.text();
    const auto [bold, italic, space, small] = e.options;
    for (std::int16_t k = 1; k <= 224; ++k) {
        const platform::TextBox &cell = form.Char(k);
        QVERIFY2(cell.fontName() == face && cell.fontBold() == (bold != 0) && cell.fontItalic() == (italic != 0)
                     && cell.fontSize() == (small != 0 ? 8.0f : 13.5f),
                 qPrintable(QStringLiteral("file %1: cell %2 shows the wrong style").arg(index).arg(k)));
    }
    QVERIFY2(form.CharXXL.fontSize() == (small != 0 ? 32.0f : 60.0f) && form.CharXXL.fontBold() == (bold != 0)
                 && form.CharXXL.fontItalic() == (italic != 0),
             qPrintable(QStringLiteral("file %1: preview style").arg(index)));
    QCOMPARE(form.CharXXL.text(), space == 1 ? QStringLiteral("  ") : space == 2 ? QStringLiteral(" ") : QString());
    QCOMPARE(form.SpacePrefix, space != 0 ? QStringLiteral(" ") : QString());
}

void TestSettingsFuzz::checkWritten(const QString &name, const std::array<std::int16_t, 4> &shown, const Expected &e,
                                    const QByteArray &content, int index)
{
    const QString path = sandbox_->confPath();
    // Read back from the disk as the next start reads it, under a path of its own.
    const QString oracle = sandbox_->root() + QStringLiteral("/written-oracle.conf");
    writeCopy(oracle, forQSettings(sandbox_->readConf()));
    QSettings written(oracle, QSettings::IniFormat);
    const QStringList all = written.allKeys();
    QVERIFY2(written.status() == QSettings::NoError, qPrintable(QStringLiteral("file %1: written file does not parse").arg(index)));
    const std::array<std::pair<const char *, std::int16_t>, 4> options = {
        {{"Font/B", shown[0]}, {"Font/I", shown[1]}, {"Options/Space", shown[2]}, {"Options/Size", shown[3]}}};
    for (const auto &[key, value] : options) {
        const QVariant stored = written.value(QLatin1String(key));
        QVERIFY2(stored.typeId() == QMetaType::QString && stored.toString() == QString::number(value),
                 qPrintable(QStringLiteral("file %1: %2 written as '%3'").arg(index).arg(QLatin1String(key), stored.toString())));
    }
    // Every name comes back exactly as it went in.
    const QVariant storedName = written.value(QStringLiteral("Font/Name"));
    QVERIFY2(storedName.typeId() == QMetaType::QString && storedName.toString() == name,
             qPrintable(QStringLiteral("file %1: the face written is not the one shown").arg(index)));
    // The rest of a readable file stays; a broken one is kept beside the new one.
    QSet<QString> keys(e.keys.begin(), e.keys.end());
    for (const char *key : {"Font/Name", "Font/B", "Font/I", "Options/Space", "Options/Size"})
        keys.insert(QLatin1String(key));
    QVERIFY2(QSet<QString>(all.begin(), all.end()) == keys,
             qPrintable(QStringLiteral("file %1: keys written: %2").arg(index).arg(all.join(QLatin1Char('|')))));
    QFile kept(path + QStringLiteral(".broken"));
    QCOMPARE(kept.exists(), e.broken);
    if (e.broken) {
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QVERIFY2(kept.readAll() == content, qPrintable(QStringLiteral("file %1: the broken file was not kept as it was").arg(index)));
    }
}

bool TestSettingsFuzz::checkOne(int index, const QByteArray &content)
{
    using glyphery::Setting;
    const auto fail = [&](const char *what) {
        std::fprintf(stderr, "file %d (%s), %lld bytes: %s\n", index, what, qlonglong(content.size()),
                     qPrintable(hex(content)));
        return false;
    };
    // A folder of its own for every run: QSettings keeps what it parsed by
    // path, and a new program starts without that.
    auto sandbox = std::make_unique<testing::Sandbox>();
    sandbox_ = sandbox.get();
    sandbox->writeConf(content);
    const Expected e = expectedFrom(content, sandbox->root() + QStringLiteral("/oracle.conf"));
    settingsWarnings() = 0;
    brokenFiles_ += e.broken;
    badValues_ += e.badOptions;
    bigNames_ += e.name.size() > 100000;

    // Read and written as start-up and the close do.
    std::array<std::int16_t, 4> options{};
    QString name;
    {
        platform::SettingsStore store(QFile::encodeName(sandbox->confPath()));
        name = glyphery::readSetting(store, Setting::FontName);
        const Setting order[] = {Setting::Bold, Setting::Italic, Setting::Space, Setting::Size};
        for (std::size_t i = 0; i < 4; ++i)
            options[i] = glyphery::readOption(store, order[i]);
        checkRead(name, options, e, index);
        if (QTest::currentTestFailed())
            return fail("reading");
        if (settingsWarnings() != e.badOptions + (e.broken ? 1 : 0)) {
            std::fprintf(stderr, "file %d: %d warnings, %d bad values\n", index, settingsWarnings(), e.badOptions);
            return fail("warnings");
        }
        name = name.left(platform::TextBox::maxLength); // what the face box holds
        glyphery::saveSetting(store, Setting::FontName, name);
        for (std::size_t i = 0; i < 4; ++i)
            glyphery::saveSetting(store, order[i], platform::integerText(options[i]));
        try {
            store.commit();
        } catch (const platform::RuntimeError &error) {
            return fail(qPrintable(error.message()));
        }
    }
    checkWritten(name, options, e, content, index);
    if (QTest::currentTestFailed())
        return fail("written file");
    if (index % windowEvery != 0)
        return true;

    // The same file, the whole way: a new window, shown and closed.
    ++windowRuns_;
    const QByteArray writtenByStore = sandbox->readConf();
    sandbox.reset();
    sandbox = std::make_unique<testing::Sandbox>();
    sandbox_ = sandbox.get();
    sandbox->writeConf(content);
    {
        frmMain form;
        if (!form.show() || !testing::reportedErrors().isEmpty())
            return fail(qPrintable(QStringLiteral("start-up: ") + testing::reportedErrors().join(QLatin1Char(' '))));
        checkLoaded(form, e, index);
        if (QTest::currentTestFailed())
            return fail("start-up");
        if (!form.widget()->close() || !testing::reportedErrors().isEmpty())
            return fail(qPrintable(QStringLiteral("close: ") + testing::reportedErrors().join(QLatin1Char(' '))));
    }
    if (sandbox->readConf() != writtenByStore)
        return fail("the window wrote other bytes");
    return true;
}

void TestSettingsFuzz::generatedFiles()
{
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                                                                const QString &) {
        // The store and the option reader warn in their categories; Qt's own
        // complaints about the bytes it reads are not counted.
        if (type == QtWarningMsg && context.category
            && (qstrcmp(context.category, "glyphery.settings") == 0 || qstrcmp(context.category, "platform.settings") == 0))
            ++settingsWarnings();
        else if (type == QtFatalMsg)
            std::abort();
    });
    QElapsedTimer timer;
    timer.start();
    // GLYPHERY_FUZZ_SHARD=k/n checks the files k, k+n, k+2n, ... of the same
    // sequence, so that n processes share the work.
    int shard = 0, shards = 1;
    if (const QByteArray share = qgetenv("GLYPHERY_FUZZ_SHARD"); !share.isEmpty()) {
        const QList<QByteArray> parts = share.split('/');
        shard = parts.value(0).toInt();
        shards = parts.value(1).toInt();
        QVERIFY2(parts.size() == 2 && shards > 0 && shard >= 0 && shard < shards, "GLYPHERY_FUZZ_SHARD is k/n");
    }
    Rng rng(seed);
    int checked = 0, due = 0;
    for (int index = 0; index < fileCount; ++index) {
        const QByteArray content = generateFile(rng);
        if (index % shards != shard)
            continue;
        ++due;
        if (!checkOne(index, content))
            break;
        ++checked;
    }
    qInstallMessageHandler(previous);
    qInfo("%d files of %d in %.1f s: %d not valid INI, %d bad option values, %d names over 100,000 characters, "
          "%d also through a new window",
          checked, fileCount, double(timer.elapsed()) / 1000, brokenFiles_, badValues_, bigNames_, windowRuns_);
    QCOMPARE(checked, due);
    // The generator reaches the cases it is meant to.
    QVERIFY(brokenFiles_ > due / 20);
    QVERIFY(badValues_ > due / 5);
    QVERIFY(bigNames_ > due / 2000);
}

QTEST_MAIN(TestSettingsFuzz)
#include "tst_settings_fuzz.moc"
