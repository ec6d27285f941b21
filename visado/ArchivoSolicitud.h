// The request's file: JSON in UTF-8 with a format number, the same whatever the user's
// locale. Reading checks everything and prices every line again before anything is used.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

#include "SolicitudVisado.h"

namespace cdv {

inline constexpr int kFormatoArchivo = 1;
inline constexpr qint64 kTamanoMaximoArchivo = 64 * 1024 * 1024;

QByteArray EscribirSolicitud(const ContenidoSolicitud& contenido);

struct LecturaSolicitud {
    std::optional<ContenidoSolicitud> contenido;  // nothing when the file is refused
    QString error;                                // why it was refused
    QStringList cambios;  // each saved fee that the schedule prices otherwise: old → new
};

LecturaSolicitud LeerSolicitud(const QByteArray& datos);

// Writes `datos` to `ruta` whole or not at all (an earlier file stays as it was); answers
// why it failed, or nothing.
QString GuardarArchivo(const QString& ruta, const QByteArray& datos);
// Reads the whole file at `ruta` and then the request in it.
LecturaSolicitud AbrirArchivo(const QString& ruta);

}  // namespace cdv
