// For the request file reader: any bytes are refused with a reason or read into a request,
// and a request read saves to a file that reads back with no fee changed and saves again to
// the very same bytes.
#include "ArchivoSolicitud.h"
#include "Comprobar.h"

std::string ComprobarEntrada(std::string_view datos) {
    PrepararBaremo();
    const cdv::LecturaSolicitud lectura =
        cdv::LeerSolicitud(QByteArray(datos.data(), static_cast<qsizetype>(datos.size())));
    if (!lectura.contenido) return lectura.error.isEmpty() ? "rechazado sin motivo" : "";
    const QByteArray guardado = cdv::EscribirSolicitud(*lectura.contenido);
    const cdv::LecturaSolicitud otra = cdv::LeerSolicitud(guardado);
    if (!otra.contenido) return "lo guardado no se abre: " + otra.error.toStdString();
    if (!otra.cambios.isEmpty()) return "lo guardado cambia cuotas";
    if (cdv::EscribirSolicitud(*otra.contenido) != guardado) return "se guarda distinto";
    return "";
}
