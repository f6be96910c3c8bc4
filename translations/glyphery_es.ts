<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>sin asignar</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Espacio delante</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Tamaños pequeños</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Cursiva</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Negrita</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Tipo de letra</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Elegir el tipo de letra</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Tabla de caracteres</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Tabla de caracteres: Tab para ir al primer carácter</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normal, Negrita, Cursiva, Espacio delante, Tamaños pequeños</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 contiene «%3», que no es un valor de opción; se usa 0</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Uso: glyphery [--help] [--version] [opciones de Qt]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Una tabla de caracteres junto a su editor: los 224 caracteres de Windows-1252.
Intro o un doble clic copia un carácter al portapapeles;
Mayús, Ctrl o Alt con Intro lo añade al final.

  -h, --help     muestra esta ayuda y sale
  -v, --version  muestra la versión y sale</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>argumento desconocido «%1».</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 no se pudo iniciar (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 terminó con el estado de salida %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 fue terminado por la señal %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, que lo conserva,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 no está instalado</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>el texto copiado puede perderse al cerrarse la ventana, salvo que el escritorio lo conserve: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>el texto copiado se pierde al cerrarse la ventana: no hay ningún gestor del portapapeles en marcha y %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>No se puede abrir el portapapeles: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>no hay conexión con el servidor X</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>se interrumpió la conexión con el servidor X</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>el servidor X se negó a transmitir su contenido</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>el programa que lo tiene no responde</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>el programa que lo tiene se detuvo a mitad de su texto</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>no se indicó ninguna pantalla</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>el complemento de plataforma de Qt «%1» no está instalado: viene en el paquete de Debian %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguno</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>no existe ningún complemento de plataforma de Qt «%1» (instalados: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>no se puede abrir la pantalla (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>no hay pantalla: no está definida ni DISPLAY ni WAYLAND_DISPLAY</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Error en tiempo de ejecución &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Llamada a procedimiento o argumento no válidos</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valor de propiedad no válido</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Error interno: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Error interno: una excepción desconocida</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>El elemento &apos;%1&apos; de la matriz de controles no existe</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>No hay ningún control llamado &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>No hay ninguna matriz de controles llamada &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>un dispositivo de caracteres</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>un dispositivo de bloques</translation>
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
        <translation>un enlace simbólico</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>algo distinto de un archivo normal</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>lo tiene el proceso %1 (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>lo tiene otro proceso (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>es %1, no un archivo de bloqueo (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>es %1, no un archivo de bloqueo</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>una señal de terminación interrumpió la espera (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>el archivo ilegible no se puede guardar como %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>el archivo ilegible no se puede guardar: ya existen todos, de %1 a %2 (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>no se puede crear el archivo nuevo %1 (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>no se puede escribir el archivo nuevo %1 (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>el archivo nuevo %1 no puede reemplazarlo (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 no es una carpeta (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>no se puede acceder a la carpeta %1 (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>no se puede crear la carpeta %1 (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME no es una ruta absoluta y no se puede leer la base de datos de contraseñas (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME no es una ruta absoluta y la base de datos de contraseñas no da ninguna carpeta personal al usuario %1</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME no es una ruta absoluta y el usuario %1 no está en la base de datos de contraseñas</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>no hay carpeta personal: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>no se encuentra la configuración (%1); se usan los valores predeterminados</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>no se puede leer %1 (%2); se usan los valores predeterminados</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 es %2, no un archivo de configuración; se usan los valores predeterminados</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 no es un archivo de configuración válido; se ignoran sus valores</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Error de acceso a ruta o archivo: no se puede escribir la configuración: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Error de acceso a ruta o archivo: no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 es %2, no un archivo de configuración; no se ha guardado la configuración</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>no se puede obtener el bloqueo %1: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>no se puede leer (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>el archivo de configuración ilegible se ha guardado como %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, con los permisos de %2, propietario de %3</translation>
    </message>
</context>
</TS>
