<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>niet toegewezen</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normaal</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Spatie ervoor</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Kleine lettergroottes</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Cursief</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Vet</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Lettertype</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Lettertype kiezen</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Tekentabel</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Voorbeeld</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Tekentabel: met Tab naar het eerste teken</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normaal, Vet, Cursief, Spatie ervoor, Kleine lettergroottes</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 bevat ‘%3’, wat geen optiewaarde is; 0 wordt gebruikt</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Gebruik: glyphery [--help] [--version] [Qt-opties]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Een tekentabel naast uw editor: de 224 tekens van Windows-1252.
Enter of dubbelklikken kopieert een teken naar het klembord;
Shift, Ctrl of Alt met Enter voegt het achteraan toe.

  -h, --help     deze hulp tonen en afsluiten
  -v, --version  de versie tonen en afsluiten</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>onbekend argument ‘%1’.</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 kon niet worden gestart (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 eindigde met afsluitstatus %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 werd beëindigd door signaal %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, dat hem bewaart,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 is niet geïnstalleerd</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>de gekopieerde tekst kan verloren gaan zodra het venster weg is, tenzij het bureaublad hem bewaart: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>de gekopieerde tekst gaat verloren bij het sluiten van het venster: er draait geen klembordbeheerder en %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Kan het klembord niet openen: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>geen verbinding met de X-server</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>de verbinding met de X-server is verbroken</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>de X-server weigerde de inhoud door te geven</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>het programma dat het klembord bezit reageert niet</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>het programma dat het klembord bezit stopte midden in de tekst</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>geen beeldscherm opgegeven</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>de Qt-platformplug-in ‘%1’ is niet geïnstalleerd: die zit in het Debian-pakket %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>geen</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>er is geen Qt-platformplug-in ‘%1’ (geïnstalleerd: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>kan het beeldscherm niet openen (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>geen beeldscherm: DISPLAY noch WAYLAND_DISPLAY is ingesteld</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Fout &apos;%1&apos; tijdens uitvoering: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ongeldige procedureaanroep of ongeldig argument</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Ongeldige eigenschapswaarde</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Onvoldoende geheugen</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Interne fout: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Interne fout: een onbekende uitzondering</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>Element &apos;%1&apos; van de besturingselementenmatrix bestaat niet</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Geen besturingselement met de naam &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Geen besturingselementenmatrix met de naam &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>een map</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>een tekenapparaat</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>een blokapparaat</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>een FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>een socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>een symbolische koppeling</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>geen gewoon bestand</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>proces %1 houdt deze vast (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>een ander proces houdt deze vast (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>het is %1, geen vergrendelingsbestand (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>het is %1, geen vergrendelingsbestand</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>het wachten erop werd afgebroken door een beëindigingssignaal (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>het onleesbare bestand kan niet worden bewaard als %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>het onleesbare bestand kan niet worden bewaard: %1 tot en met %2 bestaan allemaal al (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>het nieuwe bestand %1 kan niet worden aangemaakt (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>het nieuwe bestand %1 kan niet worden geschreven (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>het nieuwe bestand %1 kan het niet vervangen (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 is geen map (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>de map %1 is niet bereikbaar (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>de map %1 kan niet worden aangemaakt (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME is geen absoluut pad en de wachtwoorddatabase kan niet worden gelezen (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME is geen absoluut pad en de wachtwoorddatabase geeft gebruiker %1 geen persoonlijke map</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME is geen absoluut pad en gebruiker %1 staat niet in de wachtwoorddatabase</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>geen persoonlijke map: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>de instellingen zijn niet te vinden (%1); de standaardwaarden worden gebruikt</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>%1 kan niet worden gelezen (%2); de standaardwaarden worden gebruikt</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 is %2, geen instellingenbestand; de standaardwaarden worden gebruikt</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 is geen geldig instellingenbestand; de waarden erin worden genegeerd</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Fout bij toegang tot pad/bestand: kan de instellingen niet schrijven: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Fout bij toegang tot pad/bestand: kan %1 niet schrijven: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 is %2, geen instellingenbestand; de instellingen zijn niet geschreven</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>kan de vergrendeling %1 niet verkrijgen: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>het kan niet worden gelezen (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>het onleesbare instellingenbestand is bewaard als %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, met de rechten van %2, de eigenaar van %3</translation>
    </message>
</context>
</TS>
