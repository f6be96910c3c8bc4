<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>ei käytössä</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normaali</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Välilyönti eteen</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Pienet fonttikoot</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursivoitu</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Lihavoitu</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Fontti</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Valitse fontti</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Merkkitaulukko</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Esikatselu</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Merkkitaulukko: sarkaimella ensimmäiseen merkkiin</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normaali, Lihavoitu, Kursivoitu, Välilyönti eteen, Pienet fonttikoot</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 sisältää arvon ”%3”, joka ei ole valinnan arvo; käytetään arvoa 0</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Käyttö: glyphery [--help] [--version] [Qt-valitsimet]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Merkkitaulukko editorisi rinnalle: Windows-1252:n 224 merkkiä.
Enter tai kaksoisnapsautus kopioi merkin leikepöydälle;
Vaihto, Ctrl tai Alt yhdessä Enterin kanssa lisää sen loppuun.

  -h, --help     näytä tämä ohje ja lopeta
  -v, --version  näytä versio ja lopeta</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>tuntematon argumentti ”%1”.</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 ei käynnistynyt (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 päättyi paluuarvolla %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 päättyi signaaliin %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, joka säilyttää sen,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 ei ole asennettu</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>kopioitu teksti voi kadota ikkunan sulkeuduttua, ellei työpöytä säilytä sitä: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>kopioitu teksti katoaa ikkunan sulkeutuessa: leikepöydän hallintaohjelma ei ole käynnissä ja %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Leikepöytää ei voi avata: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>ei yhteyttä X-palvelimeen</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>yhteys X-palvelimeen katkesi</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>X-palvelin kieltäytyi välittämästä sisältöä</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>leikepöydän omistava ohjelma ei vastaa</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>leikepöydän omistava ohjelma pysähtyi kesken tekstinsä</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>näyttöä ei ole annettu</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>Qt:n alustaliitännäistä ”%1” ei ole asennettu: se tulee Debian-paketissa %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ei yhtään</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>Qt:n alustaliitännäistä ”%1” ei ole (asennettuina: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>näyttöä ei voi avata (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>ei näyttöä: kumpaakaan muuttujista DISPLAY ja WAYLAND_DISPLAY ei ole asetettu</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Suorituksenaikainen virhe &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Virheellinen proseduurikutsu tai argumentti</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Virheellinen ominaisuuden arvo</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Muisti loppui</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Sisäinen virhe: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Sisäinen virhe: tuntematon poikkeus</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>Ohjausobjektitaulukon elementtiä &apos;%1&apos; ei ole</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Ei ohjausobjektia nimeltä &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Ei ohjausobjektitaulukkoa nimeltä &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>kansio</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>merkkilaite</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>lohkolaite</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>pistoke</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>symbolinen linkki</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>jokin muu kuin tavallinen tiedosto</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>sen pitää prosessi %1 (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>sen pitää toinen prosessi (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>se on %1 eikä lukitustiedosto (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>se on %1 eikä lukitustiedosto</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>lopetussignaali keskeytti sen odottamisen (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>lukukelvotonta tiedostoa ei voi säilyttää nimellä %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>lukukelvotonta tiedostoa ei voi säilyttää: %1–%2 ovat kaikki jo olemassa (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>uutta tiedostoa %1 ei voi luoda (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>uuteen tiedostoon %1 ei voi kirjoittaa (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>uusi tiedosto %1 ei voi korvata sitä (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 ei ole kansio (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>kansioon %1 ei päästä (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>kansiota %1 ei voi luoda (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME ei ole absoluuttinen polku, eikä salasanatietokantaa voi lukea (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME ei ole absoluuttinen polku, eikä salasanatietokanta anna käyttäjälle %1 kotikansiota</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME ei ole absoluuttinen polku, eikä käyttäjää %1 ole salasanatietokannassa</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>ei kotikansiota: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>asetuksia ei löydy (%1); käytetään oletuksia</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>tiedostoa %1 ei voi lukea (%2); käytetään oletuksia</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 on %2 eikä asetustiedosto; käytetään oletuksia</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 ei ole kelvollinen asetustiedosto; sen arvot ohitetaan</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Polun tai tiedoston käyttövirhe: asetuksia ei voi kirjoittaa: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Polun tai tiedoston käyttövirhe: tiedostoon %1 ei voi kirjoittaa: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 on %2 eikä asetustiedosto; asetuksia ei kirjoitettu</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>lukkoa %1 ei voi ottaa: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>sitä ei voi lukea (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>lukukelvoton asetustiedosto säilytettiin nimellä %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, käyttäjän %2 oikeuksin, joka omistaa kohteen %3</translation>
    </message>
</context>
</TS>
