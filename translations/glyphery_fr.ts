<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>non attribué</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Espace avant</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Petites tailles</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italique</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Police</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Choisir une police</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Table de caractères</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Table de caractères&#xa0;: Tab pour aller au premier caractère</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normal, Gras, Italique, Espace avant, Petites tailles</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 contient «&#xa0;%3&#xa0;», qui n’est pas une valeur d’option&#xa0;; 0 est utilisé</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Utilisation&#xa0;: glyphery [--help] [--version] [options de Qt]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Une table de caractères à côté de votre éditeur&#xa0;: les 224 caractères de Windows-1252.
Entrée ou un double-clic copie un caractère dans le presse-papiers&#xa0;;
Maj, Ctrl ou Alt avec Entrée l’ajoute à la suite.

  -h, --help     afficher cette aide et quitter
  -v, --version  afficher la version et quitter</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>argument inconnu «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 n’a pas pu être lancé (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 s’est terminé avec le code de sortie %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 a été arrêté par le signal %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, qui le conserve,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 n’est pas installé</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>le texte copié risque d’être perdu une fois la fenêtre fermée, à moins que le bureau ne le conserve&#xa0;: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>le texte copié est perdu à la fermeture de la fenêtre&#xa0;: aucun gestionnaire de presse-papiers n’est lancé et %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Impossible d’ouvrir le presse-papiers&#xa0;: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>pas de connexion au serveur X</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>la connexion au serveur X a été interrompue</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>le serveur X a refusé d’en transmettre le contenu</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>le programme qui le détient ne répond pas</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>le programme qui le détient s’est arrêté au milieu de son texte</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>aucun affichage indiqué</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>le greffon de plateforme Qt «&#xa0;%1&#xa0;» n’est pas installé&#xa0;: il est fourni par le paquet Debian %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>il n’existe pas de greffon de plateforme Qt «&#xa0;%1&#xa0;» (installés&#xa0;: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>impossible d’ouvrir l’affichage (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>pas d’affichage&#xa0;: ni DISPLAY ni WAYLAND_DISPLAY n’est défini</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Erreur d’exécution &apos;%1&apos;&#xa0;: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Appel de procédure ou argument incorrect</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valeur de propriété incorrecte</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Erreur interne&#xa0;: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Erreur interne&#xa0;: une exception inconnue</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>L’élément &apos;%1&apos; du groupe de contrôles n’existe pas</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Aucun contrôle nommé &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Aucun groupe de contrôles nommé &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>un périphérique caractère</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un périphérique bloc</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>une FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>un lien symbolique</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>autre chose qu’un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>il est détenu par le processus %1 (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>il est détenu par un autre processus (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>c’est %1 et non un fichier de verrou (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>c’est %1 et non un fichier de verrou</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>son attente a été interrompue par un signal de fin (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>le fichier illisible ne peut pas être conservé sous le nom %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>le fichier illisible ne peut pas être conservé&#xa0;: %1 à %2 existent tous déjà (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>le nouveau fichier %1 ne peut pas être créé (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>le nouveau fichier %1 ne peut pas être écrit (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>le nouveau fichier %1 ne peut pas le remplacer (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 n’est pas un dossier (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>le dossier %1 est inaccessible (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>le dossier %1 ne peut pas être créé (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME n’est pas un chemin absolu, et la base des mots de passe ne peut pas être lue (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME n’est pas un chemin absolu, et la base des mots de passe ne donne pas de dossier personnel à l’utilisateur %1</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME n’est pas un chemin absolu, et l’utilisateur %1 n’est pas dans la base des mots de passe</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>pas de dossier personnel&#xa0;: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>les paramètres sont introuvables (%1)&#xa0;; les valeurs par défaut sont utilisées</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>%1 ne peut pas être lu (%2)&#xa0;; les valeurs par défaut sont utilisées</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 est %2 et non un fichier de paramètres&#xa0;; les valeurs par défaut sont utilisées</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 n’est pas un fichier de paramètres valide&#xa0;; ses valeurs sont ignorées</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Erreur d’accès au chemin/fichier&#xa0;: impossible d’écrire les paramètres&#xa0;: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Erreur d’accès au chemin/fichier&#xa0;: impossible d’écrire %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 est %2 et non un fichier de paramètres&#xa0;; les paramètres n’ont pas été enregistrés</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>impossible de prendre le verrou %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>il ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>le fichier de paramètres illisible a été conservé sous le nom %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, avec les droits de %2, propriétaire de %3</translation>
    </message>
</context>
</TS>
