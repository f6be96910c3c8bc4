// Fails when a text in one of the given files has no finished translation:
// in a Qt .ts file a translation that is empty, marked unfinished, vanished
// or obsolete, or that lacks a placeholder of its source (%1) or adds one;
// in a gettext .po file an entry that is empty or fuzzy. Each such text is
// named on stderr.
//
//   check_translations translations/glyphery_fr.ts translations/man/fr.po ...
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

int problems = 0;

void report(const QString &file, const QString &text, const char *problem)
{
    std::fprintf(stderr, "%s: \"%s\": %s\n", qUtf8Printable(file), qUtf8Printable(text.left(60)), problem);
    ++problems;
}

QSet<QString> placeholders(const QString &text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+|n)"));
    QSet<QString> found;
    for (const QRegularExpressionMatch &match : placeholder.globalMatch(text))
        found.insert(match.captured());
    return found;
}

void checkTs(const QString &name, QFile &file)
{
    QXmlStreamReader xml(&file);
    QString source;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (type == QLatin1String("unfinished"))
                report(name, source, "unfinished");
            else if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                report(name, source, "left over from a text the sources no longer have");
            else if (text.trimmed().isEmpty())
                report(name, source, "empty translation");
            else if (placeholders(text) != placeholders(source))
                report(name, source, "the translation's placeholders (%1, ...) differ from the source's");
        }
    }
    if (xml.hasError()) {
        std::fprintf(stderr, "%s:%lld: %s\n", qUtf8Printable(name), xml.lineNumber(),
                     qUtf8Printable(xml.errorString()));
        ++problems;
    } else if (messages == 0) {
        report(name, QString(), "no texts at all");
    }
}

// The text of a quoted PO string, escapes left as they are: only emptiness counts.
QString quoted(const QString &line)
{
    const qsizetype open = line.indexOf(QLatin1Char('"'));
    return open < 0 ? QString() : line.mid(open + 1).chopped(1);
}

void checkPo(const QString &name, QFile &file)
{
    QString msgid, msgstr, *current = nullptr;
    bool fuzzy = false;
    int entries = 0;
    const auto finish = [&] {
        if (!msgid.isEmpty()) { // the header's msgid is empty
            ++entries;
            if (fuzzy)
                report(name, msgid, "fuzzy");
            else if (msgstr.isEmpty())
                report(name, msgid, "untranslated");
        }
        msgid.clear(), msgstr.clear(), current = nullptr, fuzzy = false;
    };
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty()) {
            finish();
        } else if (line.startsWith(QLatin1String("#,"))) {
            fuzzy = fuzzy || line.contains(QLatin1String("fuzzy"));
        } else if (line.startsWith(QLatin1String("msgid "))) {
            current = &msgid, msgid = quoted(line);
        } else if (line.startsWith(QLatin1String("msgstr"))) { // msgstr[n] for plural forms
            current = &msgstr, msgstr += quoted(line);
        } else if (line.startsWith(QLatin1Char('"')) && current) {
            *current += quoted(line);
        } else if (!line.startsWith(QLatin1Char('#'))) { // comments, and "#~" for texts the page no longer has
            current = nullptr;
        }
    }
    finish();
    if (entries == 0)
        report(name, QString(), "no texts at all");
}

} // namespace

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "%s: %s\n", argv[i], qUtf8Printable(file.errorString()));
            ++problems;
        } else if (name.endsWith(QLatin1String(".po"))) {
            checkPo(name, file);
        } else {
            checkTs(name, file);
        }
    }
    if (problems)
        std::fprintf(stderr, "%d texts without a finished translation\n", problems);
    return problems ? 1 : 0;
}
