#include "Linea.h"

#include <algorithm>

#include "Cuotas.h"
#include "Lineas.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

// What the fee rules answer, as a line or as the reason it cannot be added. The user has
// already seen this fee, and any scale message with it: pricing again says nothing.
Tasacion DeCuota(int fila, const QString& cantidad, const CuotaCalculada& cuota,
                 const char* sinCuota) {
    if (cuota.resultado == Resultado::SinCuota) return {{}, sinCuota};
    if (cuota.resultado == Resultado::Invalida) {
        return {{}, QString("la cantidad «%1» no es un número").arg(cantidad)};
    }
    if (cuota.resultado == Resultado::Imprecisa) {
        return {{},
                QString("la cantidad «%1» tiene más cifras de las que se calculan con exactitud")
                    .arg(cantidad)};
    }
    if (cuota.resultado == Resultado::Excesiva || !cuota.centimos)
        return {{}, "la cuota pasa del mayor importe que el programa calcula"};
    return {Linea{fila, cantidad, *cuota.centimos, Qs(cuota.texto), {}, 0, 0, {}, {}}, {}};
}

// A quantity below zero prices (the rules allow it) but is no quantity of a real document.
bool Negativa(const QString& cantidad) {
    const auto q = LeerNumero(Us(cantidad), kSeparadoresArchivo);
    return q && *q < 0;
}

// What a price list's row is asked: its quantity (as a line keeps it, empty when it asks for
// none) and its factors' options; or why it cannot be priced.
struct Pedido {
    std::optional<EntradaTarifa> entrada;
    QString cantidad, motivo;
};

Pedido PedidoDe(const Tarifa& tarifa, int fila, const QString& cantidad, Canal canal,
                const Factores& factores) {
    const FilaTarifa& f = tarifa.filas[static_cast<std::size_t>(fila - 1)];
    const Necesidades necesidades = NecesidadesDe(tarifa, f.referencia);
    EntradaTarifa entrada{f.referencia, {}, canal, {}};
    if (necesidades.cantidad) {
        const auto leida = LeerCantidad(Us(cantidad), kSeparadoresArchivo);
        if (!leida) {
            return {{},
                    {},
                    QString("la cantidad «%1» no es un número de 0 en adelante con %2 decimales "
                            "como mucho")
                        .arg(cantidad)
                        .arg(kDecimalesMaximos)};
        }
        entrada.cantidad = *leida;
    }
    for (const std::string& lista : necesidades.factores) {
        const auto elegida = factores.find(lista);
        if (elegida == factores.end()) return {{}, {}, QString("falta elegir «%1»").arg(Qs(lista))};
        entrada.factores.insert(*elegida);
    }
    return {std::move(entrada), necesidades.cantidad ? cantidad.trimmed() : QString(), {}};
}

Tasacion TasarSegunTarifa(const Tarifa& tarifa, int fila, const QString& cantidad, Canal canal,
                          const Factores& factores) {
    Pedido pedido = PedidoDe(tarifa, fila, cantidad, canal, factores);
    if (!pedido.entrada) return {{}, pedido.motivo};
    const TasacionTarifa tasacion = Tasar(tarifa, *pedido.entrada, kSeparadoresArchivo, false);
    if (!tasacion.cuota) return {{}, Qs(tasacion.motivo)};
    Linea linea{fila,
                std::move(pedido.cantidad),
                *tasacion.cuota,
                Qs(TextoFormateado(*tasacion.cuota, kSeparadoresArchivo)),
                {},
                0,
                0,
                std::move(pedido.entrada->factores),
                {}};
    return {std::move(linea), {}};
}

}  // namespace

Tasacion TasarDocumento(const Baremo& baremo, int fila, const QString& cantidad, Canal canal,
                        const Factores& factores) {
    const DocumentoTD* documento = baremo.TablaTD.Fila(fila);
    if (documento == nullptr) return {{}, "no hay tipo de documento"};
    if (documento->Tipo == Regla::SegunTarifa && baremo.tarifa)
        return TasarSegunTarifa(*baremo.tarifa, fila, cantidad, canal, factores);
    if (documento->Tipo == Regla::ParteDelProyecto) return {{}, "un proyecto se añade con Hecho"};
    if (documento->Tipo == Regla::PorPresupuesto && cantidad.trimmed().isEmpty()) {
        return {Linea{fila, {}, 0, "0", {}, 0, 0, {}, {}}, {}};
    }
    if (Negativa(cantidad)) return {{}, "la cantidad es negativa"};
    return DeCuota(fila, cantidad,
                   CuotaDocumento(baremo, documento, Us(cantidad), kSeparadoresArchivo),
                   "el documento no tiene cuota");
}

Tasacion TasarPartida(const Baremo& baremo, int fila, const QString& cantidad) {
    const TrabajoTT* trabajo = baremo.TablaTT.Fila(fila);
    if (trabajo == nullptr) return {{}, "no hay tipo de trabajo"};
    if (Negativa(cantidad)) return {{}, "la cantidad es negativa"};
    return DeCuota(fila, cantidad, CuotaTrabajo(baremo, trabajo, Us(cantidad), kSeparadoresArchivo),
                   "el trabajo no tiene cuota");
}

std::optional<Centimos> SumaDe(const std::vector<LineaCompartida>& lineas) {
    std::optional<Centimos> suma = 0;
    for (auto linea = lineas.begin(); suma && linea != lineas.end(); ++linea)
        suma = SumaCentimos(*suma, (*linea)->cuota);
    return suma;
}

bool MismaLinea(const Linea& a, const Linea& b) {
    return a.fila == b.fila && a.cantidad == b.cantidad && a.cuota == b.cuota &&
           a.texto == b.texto && a.opcion == b.opcion && a.descuento == b.descuento &&
           a.factores == b.factores && MismasLineas(a.partidas, b.partidas);
}

bool MismasLineas(const std::vector<LineaCompartida>& a, const std::vector<LineaCompartida>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const LineaCompartida& x, const LineaCompartida& y) {
                          return x == y || MismaLinea(*x, *y);
                      });
}

bool PartidasEnDocumentos(const std::vector<LineaCompartida>& documentos,
                          const std::vector<LineaCompartida>& partidas) {
    return partidas.empty() ||
           std::any_of(documentos.begin(), documentos.end(), [&partidas](const auto& documento) {
               return !documento->partidas.empty() && MismasLineas(documento->partidas, partidas);
           });
}

std::span<const OpcionDescuento> DescuentosDe(const Baremo& baremo, int fila) {
    const DocumentoTD* documento = baremo.TablaTD.Fila(fila);
    return documento == nullptr ? std::span<const OpcionDescuento>{}
                                : baremo.DescuentosDe(documento->Ref);
}

Tasacion TasarProyecto(const Baremo& baremo, int fila, std::vector<LineaCompartida> partidas,
                       int opcion) {
    const DocumentoTD* documento = baremo.TablaTD.Fila(fila);
    if (documento == nullptr || documento->Tipo != Regla::ParteDelProyecto)
        return {{}, "no es un documento de proyecto"};
    if (partidas.empty()) return {{}, "el proyecto no tiene partidas"};
    const auto opciones = DescuentosDe(baremo, fila);
    if (opciones.empty()) opcion = 0;
    if (opcion < 0 || (!opciones.empty() && opcion >= static_cast<int>(opciones.size()))) {
        return {{}, "la opción de descuento no existe"};
    }
    const auto suma = SumaDe(partidas);
    if (!suma) return {{}, "el importe es demasiado grande"};
    const float fraccion =
        opciones.empty() ? 0.0f : opciones[static_cast<std::size_t>(opcion)].fraccion;
    const auto cuota = CuotaDocumento(*documento, *suma, fraccion, kSeparadoresArchivo);
    if (!cuota) return {{}, "el importe es demasiado grande"};
    return {Linea{fila,
                  {},
                  cuota->cuota,
                  Qs(cuota->texto),
                  std::move(partidas),
                  opcion,
                  cuota->descuento,
                  {},
                  {}},
            {}};
}

QStringList PasosDe(const Baremo& baremo, const Linea& linea, Canal canal) {
    const DocumentoTD* documento = baremo.TablaTD.Fila(linea.fila);
    if (documento == nullptr || documento->Tipo != Regla::SegunTarifa || !baremo.tarifa) return {};
    const Pedido pedido =
        PedidoDe(*baremo.tarifa, linea.fila, linea.cantidad, canal, linea.factores);
    if (!pedido.entrada) return {};
    QStringList pasos;
    for (const std::string& paso :
         Tasar(*baremo.tarifa, *pedido.entrada, SeparadoresActuales(), true).pasos)
        if (paso.rfind("Cuota: ", 0) != 0) pasos << Qs(paso);
    return pasos;
}

std::string_view DescuentoTomado(const Baremo& baremo, const Linea& linea) {
    const auto opciones = DescuentosDe(baremo, linea.fila);
    if (linea.descuento == 0 || opciones.empty()) return {};
    return opciones[static_cast<std::size_t>(linea.opcion)].texto;
}

QString TextoLineaDocumento(const Baremo& baremo, const Linea& linea) {
    const DocumentoTD& documento = *baremo.TablaTD.Fila(linea.fila);
    const std::string cuota = Us(DelArchivo(linea.texto));
    if (documento.Tipo != Regla::ParteDelProyecto) {
        // The factors a price list's line was weighed by go with its quantity.
        std::string cantidad = Us(DelArchivo(linea.cantidad));
        for (auto f = linea.factores.begin(); f != linea.factores.end(); ++f)
            cantidad += (f == linea.factores.begin() ? " (" : ", ") + f->first + ": " + f->second;
        if (!linea.factores.empty()) cantidad += ")";
        return Qs(LineaPartida(documento.Ref, documento.Descripcion, UnidadDocumento(documento),
                               cantidad, cuota));
    }
    std::vector<PartidaProyecto> partidas;
    partidas.reserve(linea.partidas.size());
    for (const LineaCompartida& p : linea.partidas) {
        partidas.push_back({baremo.TablaTT.Fila(p->fila)->Ref, Us(DelArchivo(p->cantidad))});
    }
    return Qs(LineaProyecto(documento.Ref, documento.Descripcion, partidas,
                            DescuentoTomado(baremo, linea), cuota));
}

QString TextoLineaPartida(const Baremo& baremo, const Linea& linea) {
    const TrabajoTT& trabajo = *baremo.TablaTT.Fila(linea.fila);
    return Qs(LineaPartida(trabajo.Ref, trabajo.Descripcion, UnidadTrabajo(trabajo),
                           Us(DelArchivo(linea.cantidad)), Us(DelArchivo(linea.texto))));
}

}  // namespace cdv
