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

// The user's data folder and settings folder: XDG_DATA_HOME and XDG_CONFIG_HOME where they
// are set, on every system alike, otherwise the system's own (~/.local/share and ~/.config;
// on Windows, the local application data).
QString CarpetaDatosUsuario();
QString CarpetaConfiguracionUsuario();

// Who may read a file written.
enum class Acceso { Comun, SoloElUsuario };

// Writes `datos` to `ruta` whole or not at all (an earlier file stays as it was); answers
// why it failed, or nothing. SoloElUsuario makes the file 0600 whatever the umask.
QString GuardarArchivo(const QString& ruta, const QByteArray& datos, Acceso acceso = Acceso::Comun);

}  // namespace cdv
