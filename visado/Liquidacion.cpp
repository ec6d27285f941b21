#include "Liquidacion.h"

#include <utility>

#include "Cuotas.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

// An amount with two decimals and no grouping, in the locale's form.
QString ImporteSinGrupos(Centimos c) {
    return Qs(ImporteDecimal::DesdeCentimos(c).Formateado({SeparadoresActuales().decimal, ""}));
}

FilaLiquidacion Fila(std::string_view ref, const QString& descripcion, std::string_view unidad,
                     const Linea& linea, bool partida) {
    return {.referencia = Qs(ref),
            .descripcion = descripcion,
            .cantidad = DelArchivo(linea.cantidad),
            .unidad = Qs(unidad),
            .cuota = DelArchivo(linea.texto),
            .centimos = linea.cuota,
            .partida = partida};
}

FilaLiquidacion FilaDocumento(const Linea& linea) {
    const DocumentoTD& documento = *TablaTD.Fila(linea.fila);
    QString descripcion = Qs(documento.Descripcion);
    if (const std::string_view descuento = DescuentoTomado(linea); !descuento.empty()) {
        descripcion += ", descontado el " + Qs(descuento);
    }
    return Fila(documento.Ref, descripcion, UnidadDocumento(documento), linea, false);
}

FilaLiquidacion FilaPartida(const Linea& linea) {
    const TrabajoTT& trabajo = *TablaTT.Fila(linea.fila);
    return Fila(trabajo.Ref, Qs(trabajo.Descripcion), UnidadTrabajo(trabajo), linea, true);
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
        texto += FilaCsv(
            {f.referencia, f.descripcion, f.cantidad, f.unidad, ImporteSinGrupos(f.centimos)});
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
        tabla +=
            fila({f.referencia, f.descripcion, f.cantidad, f.unidad, ImporteSinGrupos(f.centimos)},
                 "td");
    }
    return tabla + "</table>";
}

QString LiquidacionHtml(const ContenidoSolicitud& contenido, const QString& archivo,
                        const QString& fecha) {
    Centimos total = 0;
    for (const LineaCompartida& documento : contenido.documentos) total += documento->cuota;
    QString html =
        "<h2>Liquidación de cuotas de visado (CDV)</h2><p>Fecha: " + fecha.toHtmlEscaped();
    if (!archivo.isEmpty()) html += "<br>Solicitud: " + archivo.toHtmlEscaped();
    for (const auto& [rotulo, valor] :
         {std::pair{"Trabajo", contenido.trabajo}, std::pair{"Colegiado/a", contenido.colegiado}}) {
        if (!valor.trimmed().isEmpty())
            html += QString("<br>%1: %2").arg(rotulo, valor.toHtmlEscaped());
    }
    html +=
        "</p><table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
        "<thead><tr><th>Referencia</th><th>Descripción</th><th>Cantidad</th>"
        "<th>Cuota (€)</th></tr></thead>";
    for (const FilaLiquidacion& f : FilasLiquidacion(contenido.documentos, true)) {
        // A project's work items in italics, under their document.
        const QString estilo = f.partida ? "<i>%1</i>" : "%1";
        html += QString(
                    "<tr><td>%1</td><td>%2</td><td align=\"right\">%3 %4</td>"
                    "<td align=\"right\">%5</td></tr>")
                    .arg(estilo.arg(f.referencia.toHtmlEscaped()),
                         estilo.arg(f.descripcion.toHtmlEscaped()), f.cantidad.toHtmlEscaped(),
                         f.unidad.toHtmlEscaped(), f.cuota);
    }
    return html + QString(
                      "<tr><td></td><td><b>Total CDV</b></td><td></td>"
                      "<td align=\"right\"><b>%1</b></td></tr></table>")
                      .arg(Qs(TextoFormateado(total, SeparadoresActuales())));
}

}  // namespace cdv
