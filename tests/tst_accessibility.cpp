#include "support.h"

#include "app/main_window.h"
#include "platform/font_dialog.h"
#include "platform/runtime_error.h"
#include "platform/translations.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDialog>
#include <QHelpEvent>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

using glyphery::frmMain;

class TestAccessibility : public testing::SandboxTest
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cells_data();
    void cells();
    void optionControls_data();
    void optionControls();
    void previewAndCodeExposeTheirText();
    void noNameHoldsAControlCharacter();
    void roles_data();
    void roles();
    void textInterface_data();
    void textInterface();
    void typefaceBoxPressOpensTheDialog();
    void startBoxIsOneNode();
    void namesInEnglish_data();
    void namesInEnglish();
    void languages_data();
    void languages();
    void textsInTheUsersLanguage();
};

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QStringLiteral("<no interface>");
}

QString toolTipShownFor(QWidget *widget)
{
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &help);
    return widget->toolTip();
}

// The program's texts in a language, as LANG would choose it.
void useLanguage(const char *name)
{
    QLocale::setDefault(QLocale(QLatin1String(name)));
    platform::useTranslation("glyphery");
}

} // namespace

// German, in which the names read as they always have; the Unicode names stay ICU's.
void TestAccessibility::initTestCase() { useLanguage("de_DE"); }

void TestAccessibility::cells_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("description");
    QTest::newRow("space") << 1 << "SPACE, 32, U+0020"; // a blank is named, not shown
    QTest::newRow("A") << 34 << "A, LATIN CAPITAL LETTER A, 65, U+0041";
    QTest::newRow("euro") << 97 << "\u20AC, EURO SIGN, 128, U+20AC";
    QTest::newRow("undefined") << 98 << "nicht belegt, 129, U+0081";
    QTest::newRow("DELETE") << 96 << "DELETE, 127, U+007F";
    QTest::newRow("undefined 141") << 110 << "nicht belegt, 141, U+008D";
    QTest::newRow("undefined 143") << 112 << "nicht belegt, 143, U+008F";
    QTest::newRow("undefined 144") << 113 << "nicht belegt, 144, U+0090";
    QTest::newRow("undefined 157") << 126 << "nicht belegt, 157, U+009D";
    QTest::newRow("nbsp") << 129 << "NO-BREAK SPACE, 160, U+00A0";
    QTest::newRow("y") << 224 << "\u00FF, LATIN SMALL LETTER Y WITH DIAERESIS, 255, U+00FF";
}

void TestAccessibility::cells()
{
    QFETCH(int, cell);
    QFETCH(QString, description);
    frmMain form;
    QVERIFY(form.show());
    QWidget *widget = form.Char(std::int16_t(cell)).widget();
    // Nothing is computed before someone asks.
    QCOMPARE(widget->toolTip(), QString());
    QCOMPARE(accessibleText(widget, QAccessible::Name), description);
    QCOMPARE(accessibleText(widget, QAccessible::Value), form.Char(std::int16_t(cell)).text());
    QVERIFY(QAccessible::queryAccessibleInterface(widget)->state().readOnly);
    QCOMPARE(toolTipShownFor(widget), description);
}

void TestAccessibility::optionControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("cmdN") << "cmdN"
                          << "Normal";
    QTest::newRow("chkB") << "chkB"
                          << "Fett";
    QTest::newRow("chkI") << "chkI"
                          << "Kursiv";
    QTest::newRow("chkSpace") << "chkSpace"
                              << "Leerzeichen davor";
    QTest::newRow("chkSize") << "chkSize"
                             << "Kleine Schriftgr\u00F6\u00DFen";
}

void TestAccessibility::optionControls()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    frmMain form;
    QVERIFY(form.show());
    QWidget *widget = form.widget()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(accessibleText(widget, QAccessible::Name), text);
    QCOMPARE(toolTipShownFor(widget), text);
}

void TestAccessibility::previewAndCodeExposeTheirText()
{
    frmMain form;
    QVERIFY(form.show());
    form.Char(97).setFocus();
    QCOMPARE(accessibleText(form.CharXXL.widget(), QAccessible::Name), QStringLiteral("Vorschau"));
    QCOMPARE(accessibleText(form.CharXXL.widget(), QAccessible::Value), QStringLiteral("\u20AC"));
    QCOMPARE(accessibleText(form.Code.widget(), QAccessible::Name), QStringLiteral(" 128 (\u20AC)"));
    QCOMPARE(accessibleText(form.FSel.widget(), QAccessible::Name), QStringLiteral("Schriftart"));
    QCOMPARE(accessibleText(form.FSel.widget(), QAccessible::Value), QStringLiteral("Arial"));
}

void TestAccessibility::noNameHoldsAControlCharacter()
{
    frmMain form;
    QVERIFY(form.show());
    for (std::int16_t cell = 1; cell <= 224; ++cell) {
        const QString name = accessibleText(form.Char(cell).widget(), QAccessible::Name);
        QVERIFY2(!name.contains(QLatin1String("<control")), qPrintable(name));
        for (QChar c : name)
            QVERIFY2(c.category() != QChar::Other_Control, qPrintable(QString::number(cell)));
    }
}

void TestAccessibility::roles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::newRow("window") << "frmMain" << int(QAccessible::Window);
    QTest::newRow("FSel") << "FSel" << int(QAccessible::ComboBox);
    QTest::newRow("CharXXL") << "CharXXL" << int(QAccessible::EditableText);
    QTest::newRow("cell") << "Char_34" << int(QAccessible::ListItem);
    QTest::newRow("Char_0") << "Char_0" << int(QAccessible::EditableText); // not locked: no item
    QTest::newRow("Dummy") << "Dummy" << int(QAccessible::EditableText);
    QTest::newRow("Frame1") << "Frame1" << int(QAccessible::List);
    QTest::newRow("Symbol") << "Symbol" << int(QAccessible::Graphic);
    QTest::newRow("Line1") << "Line1" << int(QAccessible::Separator);
    QTest::newRow("Line6") << "Line6" << int(QAccessible::Separator);
}

void TestAccessibility::roles()
{
    QFETCH(QString, name);
    QFETCH(int, role);
    frmMain form;
    QVERIFY(form.show());
    QWidget *widget = form.widget()->objectName() == name ? form.widget() : form.widget()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(int(QAccessible::queryAccessibleInterface(widget)->role()), role);
}

void TestAccessibility::textInterface_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("CharXXL") << "CharXXL"
                             << "\u20AC";
    QTest::newRow("FSel") << "FSel"
                          << "Arial";
    QTest::newRow("Dummy") << "Dummy"
                           << ""; // it lies beneath the preview: never seen, not read
}

void TestAccessibility::textInterface()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    frmMain form;
    QVERIFY(form.show());
    form.Char(97).setFocus();
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(form.widget()->findChild<QWidget *>(name));
    // A cell is read by its name alone: a screen reader would read its text instead.
    QVERIFY(!QAccessible::queryAccessibleInterface(form.Char(97).widget())->textInterface());
    QAccessibleTextInterface *textFace = face->textInterface();
    QVERIFY(textFace);
    QCOMPARE(textFace->characterCount(), text.size());
    QCOMPARE(textFace->text(0, textFace->characterCount()), text);
    QCOMPARE(textFace->text(1, 3), text.mid(1, 2));
    QCOMPARE(textFace->selectionCount(), 0);
    QVERIFY(face->state().readOnly != (name == QLatin1String("Dummy")));
    QCOMPARE(face->state().editable, name == QLatin1String("Dummy"));
}

void TestAccessibility::typefaceBoxPressOpensTheDialog()
{
    QStringList calls;
    platform::FontDialog::setRunner([&](QWidget *, const QString &last) {
        calls << last;
        return std::optional<QString>(QStringLiteral("DejaVu Serif"));
    });
    frmMain form;
    QVERIFY(form.show());
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(form.FSel.widget());
    QAccessibleActionInterface *actions = face->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames().value(0), QAccessibleActionInterface::pressAction());
    QCOMPARE(actions->localizedActionDescription(QAccessibleActionInterface::pressAction()),
             QStringLiteral("Schriftart w\u00E4hlen"));
    QVERIFY(face->state().hasPopup);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(calls.size(), 1);
    QCOMPARE(form.FSel.text(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(form.Char(34).fontName(), QStringLiteral("DejaVu Serif"));
    // No other box offers it.
    QVERIFY(!QAccessible::queryAccessibleInterface(form.CharXXL.widget())
                 ->actionInterface()
                 ->actionNames()
                 .contains(QAccessibleActionInterface::pressAction()));
    platform::FontDialog::setRunner({});
}

void TestAccessibility::startBoxIsOneNode()
{
    frmMain form;
    QVERIFY(form.show());
    QAccessibleInterface *dummy = QAccessible::queryAccessibleInterface(form.Dummy.widget());
    form.widget()->activateWindow(); // the focus, which builds its line edit
    QVERIFY(QTest::qWaitForWindowActive(form.widget()));
    QVERIFY(form.Dummy.widget()->findChild<QLineEdit *>());
    QCOMPARE(dummy->childCount(), 0);
    QCOMPARE(dummy->text(QAccessible::Name), QStringLiteral("Zeichentabelle: mit Tab zum ersten Zeichen"));
    QVERIFY(dummy->state().focused);
    // It keeps its text for the program, which is not read.
    QCOMPARE(form.Dummy.text(), QStringLiteral("Text1"));
    QCOMPARE(dummy->text(QAccessible::Value), QString());
    // Coming back, the focus is on the box, the node the tree lists: Qt
    // reports the focus on the focus widget.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QAccessible::queryAccessibleInterface(QApplication::focusWidget()), dummy);
    QVERIFY(!QAccessible::queryAccessibleInterface(form.Dummy.widget()->findChild<QLineEdit *>())->state().focused);
    // Backtab goes on to the last control and past it; Tab comes back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), form.chkSpace.widget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QAccessible::queryAccessibleInterface(QApplication::focusWidget()), dummy);
    // The hidden Char(0) is not showing.
    QVERIFY(QAccessible::queryAccessibleInterface(form.Char(0).widget())->state().invisible);
    QVERIFY(!QAccessible::queryAccessibleInterface(form.Char(1).widget())->state().invisible);
}

void TestAccessibility::namesInEnglish_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("Dummy") << "Dummy" << "Character table: Tab to the first character";
    QTest::newRow("unused") << "Char_98" << "unused, 129, U+0081";
    QTest::newRow("Label1") << "Label1" << "Normal, Bold, Italic, Space before, Small sizes";
    // clang-format on
}

void TestAccessibility::namesInEnglish()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    useLanguage("en_US");
    const auto german = qScopeGuard([] { useLanguage("de_DE"); });
    frmMain form;
    QVERIFY(form.show());
    QCOMPARE(accessibleText(form.widget()->findChild<QWidget *>(name), QAccessible::Name), text);
}

namespace {

// What a user of one language reads: the first line of --help, the grid's
// name, the bold box's tooltip, a run-time error and the title of Qt's font
// dialog. The words in double quotes of the window ("Kopiert", the legend)
// are the same in every language and not translated at all.
struct Texts
{
    const char *usage, *grid, *bold, *error, *dialog;
};

constexpr Texts english{"Usage: glyphery [--help] [--version] [Qt options]", "Character table", "Bold",
                        "Run-time error '380': Invalid property value", "Select Font"};
constexpr Texts german{"Aufruf: glyphery [--help] [--version] [Qt-Optionen]", "Zeichentabelle", "Fett",
                       "Laufzeitfehler '380': Ung\u00FCltiger Eigenschaftswert", "Schriftart ausw\u00E4hlen"};
constexpr Texts french{"Utilisation\u00A0: glyphery [--help] [--version] [options de Qt]", "Table de caract\u00E8res",
                       "Gras", "Erreur d\u2019ex\u00E9cution '380'\u00A0: Valeur de propri\u00E9t\u00E9 incorrecte",
                       "Choisir une police"};
constexpr Texts spanish{"Uso: glyphery [--help] [--version] [opciones de Qt]", "Tabla de caracteres", "Negrita",
                        "Error en tiempo de ejecuci\u00F3n '380': Valor de propiedad no v\u00E1lido",
                        "Seleccionar un tipo de letra"};
constexpr Texts italian{"Uso: glyphery [--help] [--version] [opzioni di Qt]", "Tabella dei caratteri", "Grassetto",
                        "Errore di run-time '380': Valore di propriet\u00E0 non valido", "Seleziona carattere"};
constexpr Texts portuguese{"Uso: glyphery [--help] [--version] [op\u00E7\u00F5es do Qt]", "Tabela de caracteres",
                           "Negrito", "Erro em tempo de execu\u00E7\u00E3o '380': Valor de propriedade inv\u00E1lido",
                           "Selecionar fonte"};
constexpr Texts dutch{"Gebruik: glyphery [--help] [--version] [Qt-opties]", "Tekentabel", "Vet",
                      "Fout '380' tijdens uitvoering: Ongeldige eigenschapswaarde", "Lettertype selecteren"};
constexpr Texts danish{"Brug: glyphery [--help] [--version] [Qt-tilvalg]", "Tegntabel", "Fed",
                       "K\u00F8rselsfejl '380': Ugyldig egenskabsv\u00E6rdi", "V\u00E6lg skrifttype"};
constexpr Texts finnish{"K\u00E4ytt\u00F6: glyphery [--help] [--version] [Qt-valitsimet]", "Merkkitaulukko",
                        "Lihavoitu", "Suorituksenaikainen virhe '380': Virheellinen ominaisuuden arvo",
                        "Valitse fontti"};

// The environment of a process as a user's session gives it: only the
// variables named, of those that choose the language.
QProcessEnvironment sessionWith(const QStringList &variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QLatin1String(name));
    for (const QString &variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    return environment;
}

QString outputOf(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

// One table for every language: each language, its regional variants and
// LANGUAGE lists read the texts of ours and Qt's own in one language.
void TestAccessibility::languages_data()
{
    QTest::addColumn<QStringList>("environment");
    for (const char *column : {"usage", "grid", "bold", "error", "dialog"})
        QTest::addColumn<QString>(column);
    const auto row = [](const char *name, const char *environment, const Texts &texts) {
        QTest::newRow(name) << QString::fromLatin1(environment).split(QLatin1Char(' '))
                            << QString::fromUtf8(texts.usage) << QString::fromUtf8(texts.grid)
                            << QString::fromUtf8(texts.bold) << QString::fromUtf8(texts.error)
                            << QString::fromUtf8(texts.dialog);
    };
    row("de_DE", "LANG=de_DE.UTF-8", german);
    row("de_AT", "LANG=de_AT.UTF-8", german);
    row("fr_FR", "LANG=fr_FR.UTF-8", french);
    row("fr_CA", "LANG=fr_CA.UTF-8", french);
    row("fr_BE", "LANG=fr_BE.UTF-8", french);
    row("es_ES", "LANG=es_ES.UTF-8", spanish);
    row("es_MX", "LANG=es_MX.UTF-8", spanish);
    row("it_IT", "LANG=it_IT.UTF-8", italian);
    row("pt_BR", "LANG=pt_BR.UTF-8", portuguese);
    row("pt_PT reads the Brazilian file", "LANG=pt_PT.UTF-8", portuguese);
    row("nl_NL", "LANG=nl_NL.UTF-8", dutch);
    row("nl_BE", "LANG=nl_BE.UTF-8", dutch);
    row("da_DK", "LANG=da_DK.UTF-8", danish);
    row("fi_FI", "LANG=fi_FI.UTF-8", finnish);
    row("LC_MESSAGES before LANG", "LANG=de_DE.UTF-8 LC_MESSAGES=it_IT.UTF-8", italian);
    row("LANGUAGE pt_PT:de", "LANGUAGE=pt_PT:de LANG=de_DE.UTF-8", portuguese);
    row("LANGUAGE da:fr", "LANGUAGE=da:fr LANG=fr_FR.UTF-8", danish);
    // Qt has Polish, we have not: the first language we have, for Qt's too.
    row("LANGUAGE pl:fi", "LANGUAGE=pl:fi LANG=pl_PL.UTF-8", finnish);
    row("LANGUAGE en_GB:de", "LANGUAGE=en_GB:de LANG=de_DE.UTF-8", english);
    row("pl_PL: English, Qt's too", "LANG=pl_PL.UTF-8", english);
    row("C", "LANG=C.UTF-8", english);
}

void TestAccessibility::languages()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, usage);
    QFETCH(QString, grid);
    QFETCH(QString, bold);
    QFETCH(QString, error);
    QFETCH(QString, dialog);
    QProcessEnvironment session = sessionWith(environment);
    const QString help = outputOf(QStringLiteral(GLYPHERY_PROGRAM), {QStringLiteral("--help")}, session);
    QCOMPARE(help.section(QLatin1Char('\n'), 0, 0), usage);

    // The rest from the window, made by this test run again in that session.
    QTemporaryDir folder;
    const QString said = folder.filePath(QStringLiteral("texts"));
    session.insert(QStringLiteral("GLYPHERY_TEXTS"), said);
    outputOf(QCoreApplication::applicationFilePath(), {QStringLiteral("textsInTheUsersLanguage")}, session);
    QFile file(said);
    QVERIFY2(file.open(QIODevice::ReadOnly), "the run in that session wrote nothing");
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), grid);
    QCOMPARE(lines.value(1), bold);
    QCOMPARE(lines.value(2), error);
    QCOMPARE(lines.value(3), dialog);
}

void TestAccessibility::textsInTheUsersLanguage()
{
    // A process of languages: the texts as its session's language chooses them.
    const QString said = qEnvironmentVariable("GLYPHERY_TEXTS");
    if (said.isEmpty())
        QSKIP("a process of languages");
    QLocale::setDefault(QLocale::system());
    platform::useTranslation("glyphery");
    frmMain form;
    QVERIFY(form.show());
    QString error;
    try {
        platform::raiseInvalidPropertyValue();
    } catch (const platform::RuntimeError &raised) {
        error = QString::fromUtf8(raised.what());
    }
    const QStringList texts{
        accessibleText(form.widget()->findChild<QWidget *>(QStringLiteral("Frame1")), QAccessible::Name),
        toolTipShownFor(form.chkB.widget()), error,
        platform::FontDialog::qtDialog(form.widget(), QStringLiteral(" "))->windowTitle()};
    QFile file(said);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(texts.join(QLatin1Char('\n')).toUtf8()) > 0);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
