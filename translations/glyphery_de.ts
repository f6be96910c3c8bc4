<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>nicht belegt</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Leerzeichen davor</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Kleine Schriftgrößen</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Schriftart wählen</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Zeichentabelle</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Zeichentabelle: mit Tab zum ersten Zeichen</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normal, Fett, Kursiv, Leerzeichen davor, Kleine Schriftgrößen</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 enthält „%3“, keinen Optionswert; es gilt 0</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Aufruf: glyphery [--help] [--version] [Qt-Optionen]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Eine Zeichentabelle neben Ihrem Editor: die 224 Zeichen von Windows-1252.
Enter oder ein Doppelklick kopiert ein Zeichen in die Zwischenablage;
Umschalt, Strg oder Alt mit Enter hängt es an.

  -h, --help     diese Hilfe zeigen und beenden
  -v, --version  die Version zeigen und beenden</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>unbekanntes Argument „%1“.</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 konnte nicht gestartet werden (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 endete mit Status %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 wurde durch Signal %2 beendet</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, das ihn behält,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 ist nicht installiert</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>der kopierte Text geht mit dem Fenster vielleicht verloren, wenn die Arbeitsumgebung ihn nicht behält: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>der kopierte Text geht beim Schließen des Fensters verloren: keine Zwischenablage-Verwaltung läuft und %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Zwischenablage kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>keine Verbindung zum X-Server</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>die Verbindung zum X-Server brach ab</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>der X-Server gab ihren Inhalt nicht weiter</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>das Programm, dem sie gehört, antwortet nicht</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>das Programm, dem sie gehört, hörte mitten in seinem Text auf</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>keine Anzeige genannt</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>das Qt-Plattform-Plugin „%1“ ist nicht installiert: es kommt mit dem Debian-Paket %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keins</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>es gibt kein Qt-Plattform-Plugin „%1“ (installiert: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>die Anzeige kann nicht geöffnet werden (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>keine Anzeige: weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Laufzeitfehler &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Interner Fehler: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Interner Fehler: eine unbekannte Ausnahme</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>Element &apos;%1&apos; des Steuerelementfelds existiert nicht</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ungültiger Eigenschaftswert</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Kein Steuerelement namens &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Kein Steuerelementfeld namens &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>ein zeichenorientiertes Gerät</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>ein blockorientiertes Gerät</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>ein FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>ein symbolischer Link</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>sie wird von Prozess %1 gehalten (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>sie wird von einem anderen Prozess gehalten (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>sie ist %1, keine Sperrdatei (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>sie ist %1, keine Sperrdatei</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>das Warten auf sie wurde durch ein Beendigungssignal abgebrochen (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>die unlesbare Datei kann nicht als %1 aufbewahrt werden (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>die unlesbare Datei kann nicht aufbewahrt werden: %1 bis %2 gibt es alle schon (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>die neue Datei %1 kann nicht angelegt werden (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>die neue Datei %1 kann nicht geschrieben werden (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>die neue Datei %1 kann sie nicht ersetzen (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 ist kein Ordner (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>der Ordner %1 ist nicht erreichbar (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>der Ordner %1 kann nicht angelegt werden (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME ist kein absoluter Pfad, und die Passwortdatenbank kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME ist kein absoluter Pfad, und die Passwortdatenbank nennt für Benutzer %1 keinen persönlichen Ordner</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME ist kein absoluter Pfad, und Benutzer %1 steht nicht in der Passwortdatenbank</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>kein persönlicher Ordner: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>die Einstellungen sind nicht zu finden (%1); es gelten die Vorgaben</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>%1 kann nicht gelesen werden (%2); es gelten die Vorgaben</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 ist %2, keine Einstellungsdatei; es gelten die Vorgaben</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 ist keine gültige Einstellungsdatei; ihre Werte werden nicht beachtet</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei: die Einstellungen können nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei: %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 ist %2, keine Einstellungsdatei; die Einstellungen wurden nicht geschrieben</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>die Sperre %1 kann nicht genommen werden: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>sie kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>die unlesbare Einstellungsdatei wurde als %1 aufbewahrt</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, mit den Rechten von %2, dem Eigentümer von %3</translation>
    </message>
</context>
</TS>
