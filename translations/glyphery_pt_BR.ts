<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>frmMain</name>
    <message>
        <source>unused</source>
        <translation>não atribuído</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Space before</source>
        <translation>Espaço antes</translation>
    </message>
    <message>
        <source>Small sizes</source>
        <translation>Tamanhos pequenos</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Itálico</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Negrito</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Fonte</translation>
    </message>
    <message>
        <source>Choose font</source>
        <translation>Escolher a fonte</translation>
    </message>
    <message>
        <source>Character table</source>
        <translation>Tabela de caracteres</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Visualização</translation>
    </message>
    <message>
        <source>Character table: Tab to the first character</source>
        <translation>Tabela de caracteres: Tab para ir ao primeiro caractere</translation>
    </message>
    <message>
        <source>Normal, Bold, Italic, Space before, Small sizes</source>
        <translation>Normal, Negrito, Itálico, Espaço antes, Tamanhos pequenos</translation>
    </message>
    <message>
        <source>%1/%2 holds &quot;%3&quot;, which is no option value; using 0</source>
        <translation>%1/%2 contém “%3”, que não é um valor de opção; usando 0</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: glyphery [--help] [--version] [Qt options]</source>
        <translation>Uso: glyphery [--help] [--version] [opções do Qt]</translation>
    </message>
    <message>
        <source>A character map beside your editor: the 224 characters of Windows-1252.
Enter or a double-click copies a character to the clipboard;
Shift, Ctrl or Alt with Enter appends it.

  -h, --help     show this help and exit
  -v, --version  show the version and exit</source>
        <translation>Uma tabela de caracteres ao lado do seu editor: os 224 caracteres do Windows-1252.
Enter ou um clique duplo copia um caractere para a área de transferência;
Shift, Ctrl ou Alt com Enter o acrescenta ao final.

  -h, --help     mostra esta ajuda e sai
  -v, --version  mostra a versão e sai</translation>
    </message>
    <message>
        <source>unknown argument &apos;%1&apos;.</source>
        <translation>argumento desconhecido “%1”.</translation>
    </message>
</context>
<context>
    <name>platform::Clipboard</name>
    <message>
        <source>%1 could not be started (%2)</source>
        <translation>%1 não pôde ser iniciado (%2)</translation>
    </message>
    <message>
        <source>%1 ended with status %2</source>
        <translation>%1 terminou com o status de saída %2</translation>
    </message>
    <message>
        <source>%1 was ended by signal %2</source>
        <translation>%1 foi encerrado pelo sinal %2</translation>
    </message>
    <message>
        <source>%1, which keeps it,</source>
        <translation>%1, que o mantém,</translation>
    </message>
    <message>
        <source>%1 is not installed</source>
        <translation>%1 não está instalado</translation>
    </message>
    <message>
        <source>the copied text may be lost once the window is gone, unless the desktop keeps it: %1</source>
        <translation>o texto copiado pode se perder quando a janela fechar, a não ser que a área de trabalho o mantenha: %1</translation>
    </message>
    <message>
        <source>the copied text is lost as the window closes: no clipboard manager runs and %1</source>
        <translation>o texto copiado se perde quando a janela fecha: nenhum gerenciador de área de transferência está em execução e %1</translation>
    </message>
    <message>
        <source>Can&apos;t open Clipboard: %1</source>
        <translation>Não é possível abrir a área de transferência: %1</translation>
    </message>
    <message>
        <source>no connection to the X server</source>
        <translation>sem conexão com o servidor X</translation>
    </message>
    <message>
        <source>the connection to the X server broke</source>
        <translation>a conexão com o servidor X caiu</translation>
    </message>
    <message>
        <source>the X server refused to pass it on</source>
        <translation>o servidor X se recusou a repassar o conteúdo</translation>
    </message>
    <message>
        <source>the program that owns it does not answer</source>
        <translation>o programa que a detém não responde</translation>
    </message>
    <message>
        <source>the program that owns it stopped in the middle of its text</source>
        <translation>o programa que a detém parou no meio do texto</translation>
    </message>
</context>
<context>
    <name>platform::DisplayOpening</name>
    <message>
        <source>no display named</source>
        <translation>nenhuma tela indicada</translation>
    </message>
    <message>
        <source>Qt&apos;s platform plugin &quot;%1&quot; is not installed: it comes with the Debian package %2</source>
        <translation>o plugin de plataforma do Qt “%1” não está instalado: ele vem no pacote Debian %2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>nenhum</translation>
    </message>
    <message>
        <source>there is no Qt platform plugin &quot;%1&quot; (installed: %2)</source>
        <translation>não existe plugin de plataforma do Qt “%1” (instalados: %2)</translation>
    </message>
    <message>
        <source>cannot open the display (%1)</source>
        <translation>não é possível abrir a tela (%1)</translation>
    </message>
    <message>
        <source>no display: neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>sem tela: nem DISPLAY nem WAYLAND_DISPLAY está definida</translation>
    </message>
</context>
<context>
    <name>platform::RuntimeError</name>
    <message>
        <source>Run-time error &apos;%1&apos;: %2</source>
        <translation>Erro em tempo de execução &apos;%1&apos;: %2</translation>
    </message>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Chamada de procedimento ou argumento inválido</translation>
    </message>
    <message>
        <source>Invalid property value</source>
        <translation>Valor de propriedade inválido</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Memória insuficiente</translation>
    </message>
    <message>
        <source>Internal error: %1</source>
        <translation>Erro interno: %1</translation>
    </message>
    <message>
        <source>Internal error: an unknown exception</source>
        <translation>Erro interno: uma exceção desconhecida</translation>
    </message>
    <message>
        <source>Control array element &apos;%1&apos; doesn&apos;t exist</source>
        <translation>O elemento &apos;%1&apos; da matriz de controles não existe</translation>
    </message>
    <message>
        <source>No control named &apos;%1&apos;</source>
        <translation>Nenhum controle chamado &apos;%1&apos;</translation>
    </message>
    <message>
        <source>No control array named &apos;%1&apos;</source>
        <translation>Nenhuma matriz de controles chamada &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>platform::SafeFiles</name>
    <message>
        <source>a folder</source>
        <translation>uma pasta</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>um dispositivo de caractere</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>um dispositivo de bloco</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>um FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>um socket</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>um link simbólico</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>algo diferente de um arquivo comum</translation>
    </message>
    <message>
        <source>it is held by process %1 (%2)</source>
        <translation>ela está retida pelo processo %1 (%2)</translation>
    </message>
    <message>
        <source>it is held by another process (%1)</source>
        <translation>ela está retida por outro processo (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file (%2)</source>
        <translation>é %1, não um arquivo de trava (%2)</translation>
    </message>
    <message>
        <source>it is %1, not a lock file</source>
        <translation>é %1, não um arquivo de trava</translation>
    </message>
    <message>
        <source>the wait for it was ended by a termination signal (%1)</source>
        <translation>a espera por ela foi interrompida por um sinal de término (%1)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept as %1 (%2)</source>
        <translation>o arquivo ilegível não pode ser guardado como %1 (%2)</translation>
    </message>
    <message>
        <source>the unreadable file cannot be kept: %1 to %2 all exist (%3)</source>
        <translation>o arquivo ilegível não pode ser guardado: de %1 a %2, todos já existem (%3)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be made (%2)</source>
        <translation>o novo arquivo %1 não pode ser criado (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot be written (%2)</source>
        <translation>o novo arquivo %1 não pode ser gravado (%2)</translation>
    </message>
    <message>
        <source>the new file %1 cannot replace it (%2)</source>
        <translation>o novo arquivo %1 não pode substituí-lo (%2)</translation>
    </message>
    <message>
        <source>%1 is not a folder (%2)</source>
        <translation>%1 não é uma pasta (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be reached (%2)</source>
        <translation>a pasta %1 não está acessível (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be created (%2)</source>
        <translation>a pasta %1 não pode ser criada (%2)</translation>
    </message>
</context>
<context>
    <name>platform::SettingsStore</name>
    <message>
        <source>HOME is no absolute path, and the password database cannot be read (%1)</source>
        <translation>HOME não é um caminho absoluto e o banco de dados de senhas não pode ser lido (%1)</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and the password database gives user %1 no home folder</source>
        <translation>HOME não é um caminho absoluto e o banco de dados de senhas não dá ao usuário %1 uma pasta pessoal</translation>
    </message>
    <message>
        <source>HOME is no absolute path, and user %1 is not in the password database</source>
        <translation>HOME não é um caminho absoluto e o usuário %1 não está no banco de dados de senhas</translation>
    </message>
    <message>
        <source>no home folder: %1</source>
        <translation>sem pasta pessoal: %1</translation>
    </message>
    <message>
        <source>the settings cannot be found (%1); using the defaults</source>
        <translation>as configurações não foram encontradas (%1); usando os padrões</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2); using the defaults</source>
        <translation>%1 não pode ser lido (%2); usando os padrões</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; using the defaults</source>
        <translation>%1 é %2, não um arquivo de configurações; usando os padrões</translation>
    </message>
    <message>
        <source>%1 is not a valid settings file; its values are ignored</source>
        <translation>%1 não é um arquivo de configurações válido; seus valores são ignorados</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write the settings: %1</source>
        <translation>Erro de acesso a caminho/arquivo: não é possível gravar as configurações: %1</translation>
    </message>
    <message>
        <source>Path/File access error: cannot write %1: %2</source>
        <translation>Erro de acesso a caminho/arquivo: não é possível gravar %1: %2</translation>
    </message>
    <message>
        <source>%1 is %2, not a settings file; the settings were not written</source>
        <translation>%1 é %2, não um arquivo de configurações; as configurações não foram gravadas</translation>
    </message>
    <message>
        <source>cannot take the lock %1: %2</source>
        <translation>não é possível obter a trava %1: %2</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>ele não pode ser lido (%1)</translation>
    </message>
    <message>
        <source>kept the unreadable settings file as %1</source>
        <translation>o arquivo de configurações ilegível foi guardado como %1</translation>
    </message>
    <message>
        <source>%1, with the rights of %2, the owner of %3</source>
        <translation>%1, com as permissões de %2, proprietário de %3</translation>
    </message>
</context>
</TS>
