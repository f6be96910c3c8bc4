<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da_DK">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>ikke tildelt</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Mellemrum foran</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Små skriftstørrelser</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fed</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Skrifttype</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Vælg skrifttype</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Tegntabel</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Forhåndsvisning</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Tegntabel: Tab til det første tegn</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normal, Fed, Kursiv, Mellemrum foran, Små skriftstørrelser</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 indeholder »%3«, som ikke er en gyldig værdi for et tilvalg; 0 bruges</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Brug: glyphery [--help] [--version] [Qt-tilvalg]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>En tegntabel ved siden af din editor: de 224 tegn i Windows-1252.
Enter eller et dobbeltklik kopierer et tegn til udklipsholderen;
Skift, Ctrl eller Alt med Enter tilføjer det til sidst.

  -h, --help     vis denne hjælp og afslut
  -v, --version  vis versionen og afslut</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>ukendt argument »%1«.</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 kunne ikke startes (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 sluttede med afslutningsstatus %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 blev afsluttet af signal %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, som gemmer den,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 er ikke installeret</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>den kopierede tekst kan gå tabt, når vinduet er væk, medmindre skrivebordet gemmer den: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>den kopierede tekst går tabt, når vinduet lukkes: der kører ingen udklipsholderhåndtering, og %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Kan ikke åbne udklipsholderen: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>ingen forbindelse til X-serveren</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>forbindelsen til X-serveren blev afbrudt</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>X-serveren nægtede at videregive indholdet</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>programmet, der ejer den, svarer ikke</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>programmet, der ejer den, stoppede midt i sin tekst</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>ingen skærm angivet</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>Qt-platformsudvidelsesmodulet »%1« er ikke installeret: det følger med Debian-pakken %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ingen</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>der findes intet Qt-platformsudvidelsesmodul »%1« (installeret: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>kan ikke åbne skærmen (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>ingen skærm: hverken DISPLAY eller WAYLAND_DISPLAY er sat</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Kørselsfejl &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ugyldigt procedurekald eller argument</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ugyldig egenskabsværdi</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Ikke mere hukommelse</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Intern fejl: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Intern fejl: en ukendt undtagelse</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>Element &apos;%1&apos; i kontrolelementarrayet findes ikke</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Intet kontrolelement med navnet &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Intet kontrolelementarray med navnet &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>en mappe</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>en tegnenhed</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>en blokenhed</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>en FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>en socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>et symbolsk link</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>ikke en almindelig fil</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>den holdes af proces %1 (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>den holdes af en anden proces (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>det er %1, ikke en låsefil (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>det er %1, ikke en låsefil</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>ventetiden blev afbrudt af et afslutningssignal (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>den ulæselige fil kan ikke gemmes som %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>den ulæselige fil kan ikke gemmes: %1 til %2 findes allerede alle (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>den nye fil %1 kan ikke oprettes (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>den nye fil %1 kan ikke skrives (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>den nye fil %1 kan ikke erstatte den (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 er ikke en mappe (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>mappen %1 kan ikke nås (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>mappen %1 kan ikke oprettes (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME er ikke en absolut sti, og adgangskodedatabasen kan ikke læses (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME er ikke en absolut sti, og adgangskodedatabasen giver ikke bruger %1 nogen hjemmemappe</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME er ikke en absolut sti, og bruger %1 findes ikke i adgangskodedatabasen</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>ingen hjemmemappe: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>indstillingerne kan ikke findes (%1); standardværdierne bruges</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>%1 kan ikke læses (%2); standardværdierne bruges</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 er %2, ikke en indstillingsfil; standardværdierne bruges</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 er ikke en gyldig indstillingsfil; dens værdier ignoreres</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Fejl ved adgang til sti/fil: kan ikke skrive indstillingerne: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Fejl ved adgang til sti/fil: kan ikke skrive %1: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 er %2, ikke en indstillingsfil; indstillingerne blev ikke skrevet</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>kan ikke tage låsen %1: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>den kan ikke læses (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>den ulæselige indstillingsfil blev gemt som %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, med rettighederne for %2, ejeren af %3</translation>
    </message>
</context>
</TS>
