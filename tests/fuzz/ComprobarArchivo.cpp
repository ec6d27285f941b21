// For the request file reader: any bytes are refused with a reason or read into a request,
// and a request read saves to a file that reads back with no fee changed and saves again to
// the very same bytes.
#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "Comprobar.h"

std::string ComprobarEntrada(std::string_view datos) {
    const cdv::LecturaSolicitud lectura = cdv::LeerSolicitud(
        QByteArray(datos.data(), static_cast<qsizetype>(datos.size())), cdv::Baremos());
    if (!lectura.contenido) return lectura.error.isEmpty() ? "rechazado sin motivo" : "";
    const QByteArray guardado = cdv::EscribirSolicitud(*lectura.contenido);
    const cdv::LecturaSolicitud otra = cdv::LeerSolicitud(guardado, cdv::Baremos());
    if (!otra.contenido) return "lo guardado no se abre: " + otra.error.toStdString();
    if (!otra.cambios.isEmpty()) return "lo guardado cambia cuotas";
    if (cdv::EscribirSolicitud(*otra.contenido) != guardado) return "se guarda distinto";
    return "";
}

// A request that holds every kind of line and field, with a few of its values swapped for
// others (references, quantities, fees, discounts, texts, wrong kinds), lines repeated, and
// now and then cut short.
std::string EntradaAlAzar(std::mt19937_64& azar) {
    static const std::string_view kSolicitud =
        R"({"formato": 1, "trabajo": "Nave", "colegiado": "Ana", "documentos": [)"
        R"({"referencia": "AAP", "cantidad": "3", "cuota": "79.49"}, )"
        R"({"referencia": "EIA2", "cantidad": "1,500.5", "cuota": "59.62"}, )"
        R"({"referencia": "P", "descuento": "Anteproyecto", "partidas": [)"
        R"({"referencia": "INAC", "cantidad": "300", "cuota": "296.5"}, )"
        R"({"referencia": "DVPG", "cantidad": "1", "cuota": "45.04"}], "cuota": "256.15"}, )"
        R"({"referencia": "V", "partidas": [)"
        R"({"referencia": "DVPG", "cantidad": "2", "cuota": "90.09"}], "cuota": "22.52"}], )"
        R"("proyecto": {"partidas": [{"referencia": "LAN", "cantidad": "750", "cuota": "47.69"}], )"
        R"("descuentoProyecto": "Ninguno", "descuentoProyectoBasico": "Anteproyecto"}})";
    // clang-format off
    static const std::string_view kValores[] = {
        R"("AAP")", R"("P")", R"("PB")", R"("V")", R"("OD")", R"("DVPG")", R"("LAN")", R"("XYZ")",
        R"("-3")", R"("1e30")", R"("tres")", R"("")", R"("0")", R"("1e39")", R"("1,000.5")",
        R"("45.04")", R"("2e11")", R"("99999999999999")", R"("Proyecto básico")",
        R"("Anteproyecto")", R"("Ninguno")", "3", "-1", "2", "1.5", "null", "true", "[]", "{}"};
    // clang-format on
    return MutarJson(std::string(kSolicitud), kValores, azar);
}
