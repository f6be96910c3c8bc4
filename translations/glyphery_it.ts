<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>non assegnato</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Spazio prima</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Dimensioni ridotte</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Corsivo</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Grassetto</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Tipo di carattere</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Scegli il tipo di carattere</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Tabella dei caratteri</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Anteprima</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Tabella dei caratteri: Tab per andare al primo carattere</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normale, Grassetto, Corsivo, Spazio prima, Dimensioni ridotte</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 contiene «%3», che non è un valore di opzione; si usa 0</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Uso: glyphery [--help] [--version] [opzioni di Qt]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Una tabella dei caratteri accanto al tuo editor: i 224 caratteri di Windows-1252.
Invio o un doppio clic copia un carattere negli appunti;
Maiusc, Ctrl o Alt con Invio lo aggiunge in fondo.

  -h, --help     mostra questo aiuto ed esce
  -v, --version  mostra la versione ed esce</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>argomento sconosciuto «%1».</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 non si è potuto avviare (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 è terminato con lo stato di uscita %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 è stato terminato dal segnale %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, che lo conserva,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 non è installato</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>il testo copiato potrebbe andare perso alla chiusura della finestra, a meno che il desktop non lo conservi: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>il testo copiato va perso alla chiusura della finestra: nessun gestore degli appunti è in esecuzione e %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Impossibile aprire gli appunti: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>nessuna connessione al server X</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>la connessione al server X si è interrotta</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>il server X ha rifiutato di trasmetterne il contenuto</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>il programma che li detiene non risponde</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>il programma che li detiene si è fermato a metà del testo</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>nessun display indicato</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>il plugin di piattaforma di Qt «%1» non è installato: è fornito dal pacchetto Debian %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nessuno</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>non esiste alcun plugin di piattaforma di Qt «%1» (installati: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>impossibile aprire il display (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>nessun display: né DISPLAY né WAYLAND_DISPLAY sono impostate</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Errore di run-time &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chiamata di routine o argomento non validi</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valore di proprietà non valido</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria esaurita</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Errore interno: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Errore interno: un’eccezione sconosciuta</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>L’elemento &apos;%1&apos; della matrice di controlli non esiste</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Nessun controllo di nome &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Nessuna matrice di controlli di nome &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>una cartella</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>un dispositivo a caratteri</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un dispositivo a blocchi</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>una FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>un collegamento simbolico</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>qualcosa di diverso da un file normale</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>è detenuto dal processo %1 (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>è detenuto da un altro processo (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>è %1, non un file di blocco (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>è %1, non un file di blocco</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>l’attesa è stata interrotta da un segnale di terminazione (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>il file illeggibile non può essere conservato come %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>il file illeggibile non può essere conservato: esistono già tutti, da %1 a %2 (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>impossibile creare il nuovo file %1 (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>impossibile scrivere il nuovo file %1 (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>il nuovo file %1 non può sostituirlo (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 non è una cartella (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>la cartella %1 non è raggiungibile (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>impossibile creare la cartella %1 (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME non è un percorso assoluto e il database delle password non può essere letto (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME non è un percorso assoluto e il database delle password non assegna una cartella home all’utente %1</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME non è un percorso assoluto e l’utente %1 non è nel database delle password</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>nessuna cartella home: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>le impostazioni non si trovano (%1); si usano i valori predefiniti</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>impossibile leggere %1 (%2); si usano i valori predefiniti</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 è %2, non un file di impostazioni; si usano i valori predefiniti</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 non è un file di impostazioni valido; i suoi valori vengono ignorati</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Errore di accesso al percorso/file: impossibile scrivere le impostazioni: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Errore di accesso al percorso/file: impossibile scrivere %1: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 è %2, non un file di impostazioni; le impostazioni non sono state salvate</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>impossibile acquisire il blocco %1: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>non può essere letto (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>il file di impostazioni illeggibile è stato conservato come %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, con i permessi di %2, proprietario di %3</translation>
    </message>
</context>
</TS>
