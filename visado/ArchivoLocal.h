// What every reader and writer of the program's files shares: reading only a regular file,
// and no more of it than a bound, so that a link to a pipe or a device never hangs or floods
// the program; writing a file whole or not at all.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace cdv {

struct LecturaArchivo {
    std::optional<QByteArray> datos;  // nothing when refused
    QString error;                    // why, as a clause: "no es un archivo normal"
};

// The whole file at `ruta`, after following links, when it is a regular file of at most
// `limite` bytes. Never waits on a pipe or a device.
LecturaArchivo LeerArchivo(const QString& ruta, qint64 limite);

// What stands at a path, told without opening it (a pipe is never waited on): nothing, a
// regular file of at most a given size (links followed), or something else (a pipe, a device,
// a folder, a link to nothing, a larger file).
enum class Entrada { Ninguna, Normal, Otra };
Entrada EntradaDe(const QString& ruta, qint64 limite);

// The user's data folder and settings folder: XDG_DATA_HOME and XDG_CONFIG_HOME where they
// are set, on every system alike, otherwise the system's own (~/.local/share and ~/.config;
// on Windows, the local application data).
QString CarpetaDatosUsuario();
QString CarpetaConfiguracionUsuario();

// Who may read a file written.
enum class Acceso { Comun, SoloElUsuario };

// Makes `carpeta` and any folder above it that is missing, each writable by the user alone
// whatever the umask (SoloElUsuario: `carpeta` readable by the user alone too). A folder that is a
// link is used as it is: the mode of what it points to is not the program's to change.
void CrearCarpetaPropia(const QString& carpeta, Acceso acceso = Acceso::Comun);

// Writes `datos` to `ruta` whole or not at all (an earlier file stays as it was); answers
// why it failed, or nothing. The file is never group- or world-writable, whatever the umask;
// SoloElUsuario makes it 0600. A pipe or a character device already at `ruta` (standard
// output, a printer's port) is written into as a stream, never replaced; a pipe nobody reads
// from is refused rather than waited on, and so is any other entry that is no regular file.
QString GuardarArchivo(const QString& ruta, const QByteArray& datos, Acceso acceso = Acceso::Comun);

}  // namespace cdv
