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
    return f.clase == ClaseFila::Documento || f.clase == ClaseFila::Paso
               ? QString()
               : Importe(f.importe, agrupado);
}

// What each kind of row is, as the Clase column says it.
constexpr const char* kClases[] = {"documento",          "partida",   "suma del proyecto",
                                   "parte del proyecto", "descuento", "paso"};

// "25", "10,5": a percentage with the locale's decimal separator.
QString Porcentaje(double porcentaje) {
    return QString::number(porcentaje, 'g', 6).replace(u'.', Qs(SeparadoresActuales().decimal));
}

// A quantity as printed: a budget as an amount in euros, any other grouped, with its unit.
QString CantidadImpresa(const QString& cantidad, Regla regla, std::string_view unidad) {
    if (regla == Regla::PorPresupuesto) {
        const auto centimos = LeerCentimos(Us(cantidad), kSeparadoresArchivo);
        if (centimos) return Qs(TextoFormateado(*centimos, SeparadoresActuales())) + " €";
    }
    return (CantidadAgrupada(cantidad) + " " + Qs(unidad)).trimmed();
}

FilaLiquidacion Fila(ClaseFila clase, std::string_view ref, const QString& descripcion, Regla regla,
                     std::string_view unidad, const Linea& linea) {
    return {.clase = clase,
            .referencia = Qs(ref),
            .descripcion = descripcion,
            .cantidad = linea.cantidad,
            .unidad = Qs(unidad),
            .importe = linea.cuota,
            .cantidadImpresa = linea.cantidad.isEmpty()
                                   ? QString()
                                   : CantidadImpresa(linea.cantidad, regla, unidad)};
}

// The discount a project document took, with its share: "Anteproyecto (25 %)"; empty when
// it took none.
QString Descuento(const Baremo& baremo, const Linea& linea) {
    const std::string_view texto = DescuentoTomado(baremo, linea);
    if (texto.empty()) return {};
    const auto opciones = DescuentosDe(baremo, linea.fila);
    const float fraccion = opciones[static_cast<std::size_t>(linea.opcion)].fraccion;
    return QString("%1 (%2 %)").arg(Qs(texto), Porcentaje(double(fraccion) * 100));
}

FilaLiquidacion FilaDocumento(const Baremo& baremo, const Linea& linea) {
    const DocumentoTD& documento = *baremo.TablaTD.Fila(linea.fila);
    QString descripcion = Qs(documento.Descripcion);
    if (const QString descuento = Descuento(baremo, linea); !descuento.isEmpty())
        descripcion += ", descontado el " + descuento;
    return Fila(ClaseFila::Documento, documento.Ref, descripcion, documento.Tipo,
                UnidadDocumento(documento), linea);
}

FilaLiquidacion FilaPartida(const Baremo& baremo, const Linea& linea) {
    const TrabajoTT& trabajo = *baremo.TablaTT.Fila(linea.fila);
    return Fila(ClaseFila::Partida, trabajo.Ref, Qs(trabajo.Descripcion), trabajo.Tipo,
                UnidadTrabajo(trabajo), linea);
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
        const QString parte =
            QString("%1 % (%2)")
                .arg(Porcentaje(double(documento.Tasa) * 100), Qs(documento.Descripcion));
        filas.push_back(FilaDetalle(ClaseFila::Parte, parte, proyecto.cuota + proyecto.descuento));
    }
    if (proyecto.descuento != 0) {
        filas.push_back(FilaDetalle(ClaseFila::Descuento,
                                    "Descontado el " + Descuento(baremo, proyecto),
                                    -proyecto.descuento));
    }
}

// A quantity in the form of the amounts beside it: grouped, or not.
QString Cantidad(const FilaLiquidacion& f, bool agrupado) {
    if (agrupado) return CantidadAgrupada(f.cantidad);
    return DelArchivo(QString(f.cantidad).remove(Qs(kSeparadoresArchivo.grupo)));
}

std::vector<QString> Campos(const FilaLiquidacion& f, bool agrupado) {
    return {f.referencia,          f.descripcion,
            Cantidad(f, agrupado), f.unidad,
            Cuota(f, agrupado),    kClases[static_cast<int>(f.clase)],
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

// Which schedule priced the statement, and whose it is when it is another association's.
QString Calculada(const Baremo& baremo) {
    QString texto = QString("Calculada con el baremo «%1», vigente desde el %2")
                        .arg(Qs(baremo.nombre), FechaDeVigencia(baremo));
    if (!baremo.colegio.empty()) texto += ", de " + NombreColegio(baremo);
    return texto;
}

// How the request is submitted, where its price list tells the channels apart; else empty.
QString Presentacion(const ContenidoSolicitud& contenido) {
    const Baremo& b = *contenido.baremo;
    if (!b.tarifa || !DistingueCanales(*b.tarifa)) return {};
    return Qs(NombreCanal(contenido.canal));
}

// The fees of the documents, which the request's reader and lists keep within range, the IVA
// in force on the statement's day, on that total, and the total with it.
struct Totales {
    Centimos cdv = 0, iva = 0, conIva = 0;
    QString rotuloIva;  // "IVA (21 %)"
};

Totales TotalesDe(const ContenidoSolicitud& contenido, const QDate& fecha) {
    Totales t;
    t.cdv = SumaDe(contenido.documentos).value_or(0);
    const int centesimas = IvaEnVigor(contenido.baremo->TiposIva(), Us(FechaAlArchivo(fecha)));
    t.iva = CuotaIva(t.cdv, centesimas);
    t.conIva = t.cdv + t.iva;  // each within ten trillion euros: no overflow
    t.rotuloIva = QString("IVA (%1 %)").arg(Porcentaje(centesimas / 100.0));
    return t;
}

}  // namespace

std::vector<FilaLiquidacion> FilasLiquidacion(const Baremo& baremo,
                                              const std::vector<LineaCompartida>& lineas,
                                              bool documentos, Canal canal) {
    std::vector<FilaLiquidacion> filas;
    for (const LineaCompartida& linea : lineas) {
        if (!documentos) {
            filas.push_back(FilaPartida(baremo, *linea));
            continue;
        }
        filas.push_back(FilaDocumento(baremo, *linea));
        for (const QString& paso : PasosDe(baremo, *linea, canal))
            filas.push_back(FilaDetalle(ClaseFila::Paso, paso, 0));
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

std::optional<QByteArray> LiquidacionCsv(const ContenidoSolicitud& contenido, const QDate& fecha,
                                         const Progreso& progreso) {
    QString texto = FilaCsv(EncabezadosLiquidacion());
    // The particulars first, each a row of its own class, out of the Cuota column.
    for (const auto& [valor, clase] :
         {std::pair{contenido.expediente, "expediente"}, std::pair{contenido.trabajo, "trabajo"},
          std::pair{contenido.colegiado, "colegiado"}, std::pair{FechaDiaMesAno(fecha), "fecha"},
          std::pair{Calculada(*contenido.baremo), "baremo"},
          std::pair{Presentacion(contenido), "presentacion"}})
        if (clase != std::string_view("presentacion") || !valor.isEmpty())
            texto += FilaCsv({"", valor, "", "", "", clase, ""});
    const std::vector<FilaLiquidacion> filas =
        FilasLiquidacion(*contenido.baremo, contenido.documentos, true, contenido.canal);
    for (std::size_t k = 0; k < filas.size(); ++k) {
        if (!Seguir(progreso, qint64(k), qint64(filas.size()))) return std::nullopt;
        texto += FilaCsv(Campos(filas[k], false));
    }
    const Totales t = TotalesDe(contenido, fecha);
    texto += FilaCsv({"", "Total CDV", "", "", Importe(t.cdv, false), "total", ""});
    texto += FilaCsv({"", t.rotuloIva, "", "", "", "iva", Importe(t.iva, false)});
    texto += FilaCsv({"", "Total con IVA", "", "", "", "total con iva", Importe(t.conIva, false)});
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
                               const QDate& fecha) {
    LiquidacionImpresa liquidacion;
    liquidacion.datos << "Fecha: " + FechaDiaMesAno(fecha);
    if (!archivo.isEmpty()) liquidacion.datos << "Solicitud: " + archivo;
    liquidacion.datos << Calculada(*contenido.baremo);
    for (const auto& [rotulo, valor] :
         {std::pair{"Presentación", Presentacion(contenido)},
          std::pair{"Expediente", contenido.expediente}, std::pair{"Trabajo", contenido.trabajo},
          std::pair{"Colegiado/a", contenido.colegiado}}) {
        if (!valor.trimmed().isEmpty()) liquidacion.datos << QString("%1: %2").arg(rotulo, valor);
    }
    liquidacion.filas =
        FilasLiquidacion(*contenido.baremo, contenido.documentos, true, contenido.canal);
    const Totales t = TotalesDe(contenido, fecha);
    liquidacion.totales = {{"Total CDV", Importe(t.cdv, true)},
                           {t.rotuloIva, Importe(t.iva, true)},
                           {"Total con IVA", Importe(t.conIva, true)}};
    return liquidacion;
}

std::array<QString, kColumnasImpresas> CeldasImpresas(const FilaLiquidacion& fila) {
    return {fila.referencia, fila.descripcion, fila.cantidadImpresa, Detalle(fila, true),
            Cuota(fila, true)};
}

}  // namespace cdv
