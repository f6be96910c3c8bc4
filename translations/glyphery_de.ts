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
        <source>No control named &apos;%1&apos;</source>
        <translation>Kein Steuerelement namens &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Kein Steuerelementfeld namens &apos;%1&apos;</translation>
    </message>
</context>
</TS>
