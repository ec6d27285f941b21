#include "Liquidacion.h"

#include <utility>

#include "ArchivoBaremo.h"
#include "Cuotas.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

// An amount with two decimals: grouped, as the statement prints it, or not, as a spreadsheet
// reads it.
QString Importe(Centimos c, bool agrupado) {
    const Separadores s = SeparadoresActuales();
    return Qs(ImporteDecimal::DesdeCentimos(c).Formateado({s.decimal, agrupado ? s.grupo : ""}));
}

// The amount in the Cuota column (a document's fee) or in the Importe column (a detail).
QString Cuota(const FilaLiquidacion& f, bool agrupado) {
    return f.clase == ClaseFila::Documento ? Importe(f.importe, agrupado) : QString();
}
QString Detalle(const FilaLiquidacion& f, bool agrupado) {
    return f.clase == ClaseFila::Documento ? QString() : Importe(f.importe, agrupado);
}

// What each kind of row is, as the Clase column says it.
constexpr const char* kClases[] = {"documento", "partida", "suma del proyecto",
                                   "parte del proyecto", "descuento"};

FilaLiquidacion Fila(ClaseFila clase, std::string_view ref, const QString& descripcion,
                     std::string_view unidad, const Linea& linea) {
    return {.clase = clase,
            .referencia = Qs(ref),
            .descripcion = descripcion,
            .cantidad = DelArchivo(linea.cantidad),
            .unidad = Qs(unidad),
            .importe = linea.cuota};
}

FilaLiquidacion FilaDocumento(const Baremo& baremo, const Linea& linea) {
    const DocumentoTD& documento = *baremo.TablaTD.Fila(linea.fila);
    QString descripcion = Qs(documento.Descripcion);
    if (const std::string_view descuento = DescuentoTomado(baremo, linea); !descuento.empty()) {
        descripcion += ", descontado el " + Qs(descuento);
    }
    return Fila(ClaseFila::Documento, documento.Ref, descripcion, UnidadDocumento(documento),
                linea);
}

FilaLiquidacion FilaPartida(const Baremo& baremo, const Linea& linea) {
    const TrabajoTT& trabajo = *baremo.TablaTT.Fila(linea.fila);
    return Fila(ClaseFila::Partida, trabajo.Ref, Qs(trabajo.Descripcion), UnidadTrabajo(trabajo),
                linea);
}

FilaLiquidacion FilaDetalle(ClaseFila clase, const QString& descripcion, Centimos importe) {
    FilaLiquidacion fila;
    fila.clase = clase;
    fila.descripcion = descripcion;
    fila.importe = importe;
    return fila;
}

// A project document's detail: its work items, their sum and the discount it took.
void AnadirDetalle(const Baremo& baremo, const Linea& proyecto,
                   std::vector<FilaLiquidacion>& filas) {
    for (const LineaCompartida& partida : proyecto.partidas)
        filas.push_back(FilaPartida(baremo, *partida));
    filas.push_back(FilaDetalle(ClaseFila::SumaProyecto, "Suma de las partidas",
                                SumaDe(proyecto.partidas).value_or(0)));
    // The share the document takes of the sum, exact: its fee before the discount.
    const DocumentoTD& documento = *baremo.TablaTD.Fila(proyecto.fila);
    if (documento.Tasa != 1.0f) {
        const QString porcentaje = QString::number(double(documento.Tasa) * 100, 'g', 6)
                                       .replace('.', Qs(SeparadoresActuales().decimal));
        filas.push_back(FilaDetalle(ClaseFila::Parte,
                                    QString("%1 % (%2)").arg(porcentaje, Qs(documento.Descripcion)),
                                    proyecto.cuota + proyecto.descuento));
    }
    if (proyecto.descuento != 0) {
        filas.push_back(FilaDetalle(ClaseFila::Descuento,
                                    "Descontado el " + Qs(DescuentoTomado(baremo, proyecto)),
                                    -proyecto.descuento));
    }
}

std::vector<QString> Campos(const FilaLiquidacion& f, bool agrupado) {
    return {f.referencia,        f.descripcion,
            f.cantidad,          f.unidad,
            Cuota(f, agrupado),  kClases[static_cast<int>(f.clase)],
            Detalle(f, agrupado)};
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

// A text that a spreadsheet would take for a formula starts with an apostrophe; a number
// ("-920,61") stays a number.
QString SinFormula(const QString& campo) {
    static constexpr char16_t kInicios[] = u"=+-@\t\r";
    if (campo.isEmpty() || !QStringView(kInicios).contains(campo[0])) return campo;
    if (LeerNumero(Us(campo), SeparadoresActuales())) return campo;
    return u'\'' + campo;
}

QString FilaCsv(const std::vector<QString>& campos) {
    QStringList texto;
    for (const QString& campo : campos) texto << CampoCsv(SinFormula(campo));
    return texto.join(';') + "\r\n";
}

// Which schedule priced the statement.
QString Calculada(const Baremo& baremo) {
    return QString("Calculada con el baremo «%1», vigente desde el %2")
        .arg(Qs(baremo.nombre), FechaDeVigencia(baremo));
}

// The fees of the documents, which the request's reader and lists keep within range.
Centimos Total(const ContenidoSolicitud& contenido) {
    return SumaDe(contenido.documentos).value_or(0);
}

}  // namespace

std::vector<FilaLiquidacion> FilasLiquidacion(const Baremo& baremo,
                                              const std::vector<LineaCompartida>& lineas,
                                              bool documentos) {
    std::vector<FilaLiquidacion> filas;
    for (const LineaCompartida& linea : lineas) {
        if (!documentos) {
            filas.push_back(FilaPartida(baremo, *linea));
            continue;
        }
        filas.push_back(FilaDocumento(baremo, *linea));
        if (baremo.TablaTD.Fila(linea->fila)->Tipo == Regla::ParteDelProyecto)
            AnadirDetalle(baremo, *linea, filas);
    }
    return filas;
}

const std::vector<QString>& EncabezadosLiquidacion() {
    static const std::vector<QString> encabezados{"Referencia", "Descripción", "Cantidad", "Unidad",
                                                  "Cuota",      "Clase",       "Importe"};
    return encabezados;
}

std::optional<QByteArray> LiquidacionCsv(const ContenidoSolicitud& contenido,
                                         const Progreso& progreso) {
    QString texto = FilaCsv(EncabezadosLiquidacion());
    const std::vector<FilaLiquidacion> filas =
        FilasLiquidacion(*contenido.baremo, contenido.documentos, true);
    for (std::size_t k = 0; k < filas.size(); ++k) {
        if (!Seguir(progreso, qint64(k), qint64(filas.size()))) return std::nullopt;
        texto += FilaCsv(Campos(filas[k], false));
    }
    texto += FilaCsv({"", "Total CDV", "", "", Importe(Total(contenido), false), "total", ""});
    texto += FilaCsv({"", Calculada(*contenido.baremo), "", "", "", "baremo", ""});
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
    for (const FilaLiquidacion& f : filas) tabla += fila(Campos(f, true), "td");
    return tabla + "</table>";
}

LiquidacionImpresa Liquidacion(const ContenidoSolicitud& contenido, const QString& archivo,
                               const QString& fecha) {
    LiquidacionImpresa liquidacion;
    liquidacion.datos << "Fecha: " + fecha;
    if (!archivo.isEmpty()) liquidacion.datos << "Solicitud: " + archivo;
    liquidacion.datos << Calculada(*contenido.baremo);
    for (const auto& [rotulo, valor] :
         {std::pair{"Trabajo", contenido.trabajo}, std::pair{"Colegiado/a", contenido.colegiado}}) {
        if (!valor.trimmed().isEmpty()) liquidacion.datos << QString("%1: %2").arg(rotulo, valor);
    }
    liquidacion.filas = FilasLiquidacion(*contenido.baremo, contenido.documentos, true);
    liquidacion.total = Importe(Total(contenido), true);
    return liquidacion;
}

std::array<QString, kColumnasImpresas> CeldasImpresas(const FilaLiquidacion& fila) {
    return {fila.referencia, fila.descripcion, (fila.cantidad + " " + fila.unidad).trimmed(),
            Detalle(fila, true), Cuota(fila, true)};
}

}  // namespace cdv
