#include "Tasar.h"

#include <QCommandLineParser>
#include <algorithm>
#include <iterator>

#include "Ajustes.h"
#include "ArchivoBaremo.h"
#include "Baremos.h"
#include "Consola.h"
#include "Cuotas.h"
#include "TextoLocal.h"

namespace {

int Rechazar(const QString& motivo) {
    Avisar(motivo);
    return 1;
}

// The steps, then the fee alone on the last line.
int EscribirTasacion(const std::vector<std::string>& pasos, const std::string& cuota) {
    QString texto;
    for (const std::string& paso : pasos)
        if (paso.rfind("Cuota: ", 0) != 0) texto += Qs(paso) + "\n";
    Escribir(Flujo::Salida, texto + Qs(cuota) + "\n");
    return 0;
}

// A row of a schedule of format 1, by its own fee rules: a document's or a work item's.
int TasarBaremo(const cdv::Baremo& baremo, const QString& ref, const QString& cantidad,
                const QCommandLineParser& opciones) {
    if (opciones.isSet("canal") || opciones.isSet("factor"))
        return Rechazar("este baremo no tiene canales ni factores que elegir.");
    const cdv::Separadores s = cdv::SeparadoresActuales();
    cdv::Desglose pasos;
    const cdv::DocumentoTD* documento = baremo.TablaTD.Fila(baremo.TablaTD.Buscar(Us(ref)));
    const cdv::TrabajoTT* trabajo = baremo.TablaTT.Fila(baremo.TablaTT.Buscar(Us(ref)));
    const cdv::CuotaCalculada cuota =
        documento != nullptr ? cdv::CuotaDocumento(baremo, documento, Us(cantidad), s, &pasos)
                             : cdv::CuotaTrabajo(baremo, trabajo, Us(cantidad), s, &pasos);
    if (documento == nullptr && trabajo == nullptr)
        return Rechazar("no hay ninguna fila «" + ref + "» en el baremo.");
    if (cuota.resultado != cdv::Resultado::Cuota)
        return Rechazar("«" + ref + "» no da cuota para «" + cantidad + "».");
    return EscribirTasacion(pasos, cuota.texto);
}

// The choices of a price list of format 2: its channel and its factors.
std::optional<cdv::EntradaTarifa> Entrada(const QString& ref, const QString& cantidad,
                                          const QCommandLineParser& opciones, QString& motivo) {
    cdv::EntradaTarifa entrada;
    entrada.referencia = Us(ref);
    const auto leida = cdv::LeerCantidad(Us(cantidad), cdv::SeparadoresActuales());
    if (!leida) motivo = "«" + cantidad + "» no es una cantidad.";
    entrada.cantidad = leida.value_or(cdv::Decimal{});
    // Its key, or as the user reads it ("electrónica").
    const QString canal = opciones.value("canal");
    const auto elegido = std::find_if(std::begin(cdv::kCanales), std::end(cdv::kCanales),
                                      [clave = Us(canal)](const cdv::NombresDeCanal& c) {
                                          return clave == c.clave || clave == c.nombre;
                                      });
    if (elegido != std::end(cdv::kCanales))
        entrada.canal = elegido->canal;
    else if (!canal.isEmpty())
        motivo = "el canal es «electronica» o «papel», no «" + canal + "».";
    for (const QString& factor : opciones.values("factor")) {
        const qsizetype igual = factor.indexOf(u'=');
        if (igual <= 0) motivo = "--factor se da como NOMBRE=OPCION, no «" + factor + "».";
        entrada.factores[Us(factor.left(igual))] = Us(factor.mid(igual + 1));
    }
    if (!motivo.isEmpty()) return std::nullopt;
    return entrada;
}

int TasarTarifa(const cdv::Tarifa& tarifa, const QString& ref, const QString& cantidad,
                const QCommandLineParser& opciones) {
    QString motivo;
    const auto entrada = Entrada(ref, cantidad, opciones, motivo);
    if (!entrada) return Rechazar(motivo);
    const cdv::TasacionTarifa tasacion = cdv::Tasar(tarifa, *entrada, cdv::SeparadoresActuales());
    if (!tasacion.cuota) return Rechazar(Qs(tasacion.motivo) + ".");
    return EscribirTasacion(tasacion.pasos,
                            cdv::TextoFormateado(*tasacion.cuota, cdv::SeparadoresActuales()));
}

}  // namespace

void AnadirOpcionesDeTasar(QCommandLineParser& opciones) {
    opciones.addOption({"tasar",
                        "Escribe la cuota de la fila REF para la CANTIDAD dada (cdv --tasar REF "
                        "CANTIDAD), con cómo se llega a ella, y termina."});
    opciones.addOption({"canal", "Con --tasar: «electronica» (si no se da) o «papel».", "canal"});
    opciones.addOption({"factor",
                        "Con --tasar: la opción elegida de un factor, NOMBRE=OPCION; "
                        "una vez por factor.",
                        "factor"});
    opciones.addOption({"baremo",
                        "Con --tasar: el archivo de baremo con que tasar (si no se da, "
                        "el vigente del colegio elegido).",
                        "baremo.json"});
}

int TasarEnLote(const QCommandLineParser& opciones) {
    const QStringList argumentos = opciones.positionalArguments();
    if (argumentos.size() != 2)
        return Rechazar("--tasar pide una referencia y una cantidad: cdv --tasar REF CANTIDAD.");
    std::shared_ptr<const cdv::Baremo> baremo;
    if (opciones.isSet("baremo")) {
        const cdv::LecturaBaremo lectura = cdv::AbrirBaremo(opciones.value("baremo"));
        if (!lectura.baremo) return Rechazar(lectura.faltas.join("\ncdv: "));
        baremo = lectura.baremo;
    } else {
        baremo = cdv::Baremos::Instalados().EnVigor(cdv::Hoy(), ColegioRecordado().value_or(""));
    }
    if (baremo->tarifa) return TasarTarifa(*baremo->tarifa, argumentos[0], argumentos[1], opciones);
    return TasarBaremo(*baremo, argumentos[0], argumentos[1], opciones);
}
