// The request's file: JSON in UTF-8 with a format number, the same whatever the user's
// locale. Reading checks everything and prices every line again before anything is used.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "ArchivoLocal.h"
#include "Baremos.h"
#include "Progreso.h"
#include "SolicitudVisado.h"

namespace cdv {

inline constexpr int kFormatoArchivo = 1;
// The largest file read, and so the largest written: every request saved opens again.
inline constexpr qint64 kTamanoMaximoArchivo = 64 * 1024 * 1024;
// The longest quantity (what its box takes) and the longest text of the statement.
inline constexpr qsizetype kLargoMaximoCantidad = 64;
inline constexpr qsizetype kLargoMaximoTexto = 200;
// The longest file number the association gives.
inline constexpr qsizetype kLargoMaximoExpediente = 40;

// Where a request in the works comes from, as its recovery keeps it: the file it was last
// opened from or saved to, and that file's digest then (empty for a new request).
struct OrigenSolicitud {
    QString archivo;
    QByteArray huella;
};

// The request as a file, compact; with `origen` too, as a recovery.
QByteArray EscribirSolicitud(const ContenidoSolicitud& contenido,
                             const OrigenSolicitud& origen = {});

struct LecturaSolicitud {
    std::optional<ContenidoSolicitud> contenido;  // nothing when the file is refused
    QString error;                                // why it was refused
    QStringList cambios;           // each saved fee that the schedule prices otherwise: old → new
    QStringList otroSentido;       // each line whose reference the schedule reads otherwise
    OrigenSolicitud origen;        // what a recovery says of its request's file
    QByteArray huella;             // the digest of the bytes read
    bool baremoDisponible = true;  // the schedule the request records is among those known
    QString baremoRegistrado;      // that schedule, "«nombre» del dd/MM/yyyy", when it is not
    bool detenida = false;         // `progreso` stopped the reading
};

// Reads a request, its lines rows of the schedule it records, when it is among `baremos` (a
// request that records none was priced with the built-in one); otherwise every line is
// priced again with the schedule in force, and each fee that changes is listed. `progreso` is
// told of each document read.
LecturaSolicitud LeerSolicitud(const QByteArray& datos, const Baremos& baremos,
                               const Progreso& progreso = {});
// Reads a request pricing every line with `baremo`, whatever it records.
LecturaSolicitud LeerSolicitudCon(const QByteArray& datos, std::shared_ptr<const Baremo> baremo);

// The digest by which a file is known to be unchanged.
QByteArray Huella(const QByteArray& datos);

// Writes a request as GuardarArchivo does, refused when it could not be opened again.
QString GuardarSolicitud(const QString& ruta, const QByteArray& datos,
                         Acceso acceso = Acceso::Comun);
// Reads the whole file at `ruta` and then the request in it.
LecturaSolicitud AbrirArchivo(const QString& ruta, const Baremos& baremos,
                              const Progreso& progreso = {});
// The digest of the file at `ruta` as it is now; empty when it cannot be read.
QByteArray HuellaDeArchivo(const QString& ruta);

}  // namespace cdv
