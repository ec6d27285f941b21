#include "Liquidacion.h"

#include "Cuotas.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

// An amount with two decimals and no grouping, in the locale's form.
QString ImporteSinGrupos(Centimos c) {
    return Qs(ImporteDecimal::DesdeCentimos(c).Formateado({SeparadoresActuales().decimal, ""}));
}

FilaLiquidacion FilaDocumento(const Linea& linea) {
    const DocumentoTD& documento = *TablaTD.Fila(linea.fila);
    QString descripcion = Qs(documento.Descripcion);
    const auto opciones = DescuentosDe(linea.fila);
    if (linea.descontado && !opciones.empty()) {
        descripcion +=
            ", descontado el " + Qs(opciones[static_cast<std::size_t>(linea.opcion)].texto);
    }
    return {Qs(documento.Ref),
            descripcion,
            DelArchivo(linea.cantidad),
            Qs(UnidadDocumento(documento)),
            ImporteSinGrupos(linea.cuota),
            false};
}

FilaLiquidacion FilaPartida(const Linea& linea) {
    const TrabajoTT& trabajo = *TablaTT.Fila(linea.fila);
    return {Qs(trabajo.Ref),
            Qs(trabajo.Descripcion),
            DelArchivo(linea.cantidad),
            Qs(UnidadTrabajo(trabajo)),
            ImporteSinGrupos(linea.cuota),
            true};
}

// A field as RFC 4180 wants it: quoted, its quotes doubled, when it holds the separator, a
// quote or a line break.
QString CampoCsv(const QString& campo) {
    if (!campo.contains(';') && !campo.contains('"') && !campo.contains('\n') &&
        !campo.contains('\r')) {
        return campo;
    }
    return '"' + QString(campo).replace('"', "\"\"") + '"';
}

QString FilaCsv(const std::vector<QString>& campos) {
    QStringList texto;
    for (const QString& campo : campos) texto << CampoCsv(campo);
    return texto.join(';') + "\r\n";
}

}  // namespace

std::vector<FilaLiquidacion> FilasLiquidacion(const std::vector<LineaCompartida>& lineas,
                                              bool documentos) {
    std::vector<FilaLiquidacion> filas;
    for (const LineaCompartida& linea : lineas) {
        filas.push_back(documentos ? FilaDocumento(*linea) : FilaPartida(*linea));
        for (const LineaCompartida& partida : linea->partidas)
            filas.push_back(FilaPartida(*partida));
    }
    return filas;
}

const std::vector<QString>& EncabezadosLiquidacion() {
    static const std::vector<QString> encabezados{"Referencia", "Descripción", "Cantidad", "Unidad",
                                                  "Cuota"};
    return encabezados;
}

QByteArray LiquidacionCsv(const ContenidoSolicitud& contenido) {
    QString texto = FilaCsv(EncabezadosLiquidacion());
    Centimos total = 0;
    for (const LineaCompartida& documento : contenido.documentos) total += documento->cuota;
    for (const FilaLiquidacion& f : FilasLiquidacion(contenido.documentos, true)) {
        texto += FilaCsv({f.referencia, f.descripcion, f.cantidad, f.unidad, f.cuota});
    }
    texto += FilaCsv({"", "Total CDV", "", "", ImporteSinGrupos(total)});
    return "\xEF\xBB\xBF" + texto.toUtf8();
}

QString TablaHtml(const std::vector<FilaLiquidacion>& filas) {
    const auto fila = [](const std::vector<QString>& campos, const char* celda) {
        QString texto = "<tr>";
        for (const QString& campo : campos) {
            texto += QString("<%1>%2</%1>").arg(celda, campo.toHtmlEscaped());
        }
        return texto + "</tr>";
    };
    QString tabla = "<table>" + fila(EncabezadosLiquidacion(), "th");
    for (const FilaLiquidacion& f : filas) {
        tabla += fila({f.referencia, f.descripcion, f.cantidad, f.unidad, f.cuota}, "td");
    }
    return tabla + "</table>";
}

}  // namespace cdv
