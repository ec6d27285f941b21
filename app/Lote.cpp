#include "Lote.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFile>
#include <QFileInfo>

#include "Ajustes.h"
#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "Baremo.h"
#include "Consola.h"
#include "Cuotas.h"
#include "Impresion.h"
#include "Liquidacion.h"
#include "Tasar.h"
#include "TextoLocal.h"

QDate FechaLiquidacion() {
    return cdv::Hoy();
}

namespace {

// "-" is standard output; any other name is written as every file of the program is.
QString EscribirSalida(const QString& salida, const QByteArray& datos) {
    if (salida != "-") return cdv::GuardarArchivo(salida, datos);
    if (!Escribir(Flujo::Salida, QByteArrayView(datos)))
        return "no se puede escribir en la salida estándar";
    return {};
}

// Why the options cannot be run together, if they cannot: an option given twice would have
// only its last value used, and the schedule's commands would skip the exports given with
// them.
QString Incompatibles(const QCommandLineParser& opciones) {
    constexpr const char* kOpciones[] = {"pdf", "csv", "comprobar-baremo", "exportar-baremo"};
    int ordenes = 0;
    for (const char* opcion : kOpciones) {
        if (opciones.values(opcion).size() > 1)
            return QString("--%1 se da más de una vez; dé una salida de cada clase.").arg(opcion);
    }
    for (const char* opcion : {"comprobar-baremo", "exportar-baremo", "tasar"}) {
        ordenes += opciones.isSet(opcion) ? 1 : 0;
    }
    const bool exporta = opciones.isSet("pdf") || opciones.isSet("csv");
    const bool deTasar =
        opciones.isSet("canal") || opciones.isSet("factor") || opciones.isSet("baremo");
    if (deTasar && !opciones.isSet("tasar")) return "--canal, --factor y --baremo van con --tasar.";
    if (ordenes > 1 || (ordenes == 1 && exporta) ||
        (ordenes == 1 && !opciones.isSet("tasar") && !opciones.positionalArguments().isEmpty()))
        return "--comprobar-baremo, --exportar-baremo y --tasar van solos, sin exportaciones.";
    return {};
}

}  // namespace

int ExportarEnLote(const QString& entrada, const std::vector<Exportacion>& exportaciones) {
    const cdv::LecturaSolicitud lectura = cdv::AbrirArchivo(entrada, cdv::Baremos::Instalados());
    if (!lectura.contenido) {
        Avisar("no se puede abrir «" + entrada + "»: " + lectura.error + ".");
        return 1;
    }
    // Priced under another schedule than the one it records: written all the same, and said.
    const bool otroBaremo = !lectura.baremoDisponible;
    if (otroBaremo) {
        const auto vigente = lectura.contenido->baremo;
        Avisar("la solicitud se calculó con el baremo " + lectura.baremoRegistrado +
               ", que no está instalado; se calcula con «" + Qs(vigente->nombre) +
               "», vigente desde el " + cdv::FechaDeVigencia(*vigente) + ".");
        for (const QString& linea : lectura.otroSentido)
            Avisar("la referencia significa ahora otra cosa, " + linea);
    }
    for (const QString& cambio : lectura.cambios) {
        Avisar("cuota calculada de nuevo con el baremo, " + cambio);
    }
    int estado = otroBaremo ? 3 : 0;
    for (const auto& [formato, salida] : exportaciones) {
        const QByteArray datos =
            formato == FormatoLote::Csv
                ? *cdv::LiquidacionCsv(*lectura.contenido, FechaLiquidacion())
                : *LiquidacionPdf(cdv::Liquidacion(
                      *lectura.contenido, QFileInfo(entrada).fileName(), FechaLiquidacion()));
        const QString fallo = EscribirSalida(salida, datos);
        if (!fallo.isEmpty()) {
            Avisar("no se puede escribir «" + salida + "»: " + fallo + ".");
            estado = 2;
        }
    }
    return estado;
}

int ComprobarBaremo(const QString& ruta) {
    const cdv::LecturaBaremo lectura = cdv::AbrirBaremo(ruta);
    Escribir(Flujo::Salida,
             (lectura.baremo ? QString("correcto") : lectura.faltas.join('\n')) + "\n");
    return lectura.baremo ? 0 : 1;
}

int ExportarBaremo(const QString& ruta) {
    const auto vigente =
        cdv::Baremos::Instalados().EnVigor(cdv::Hoy(), ColegioRecordado().value_or(""));
    QStringList faltas;
    const std::optional<QByteArray> datos = cdv::EscribirBaremo(*vigente, &faltas);
    if (!datos) {
        Avisar("el baremo vigente, «" + Qs(vigente->nombre) +
               "», no se puede escribir en el formato 2 tal como es: " + faltas.join("; ") + ".");
        return 1;
    }
    if (const QString fallo = EscribirSalida(ruta, *datos); !fallo.isEmpty()) {
        Avisar("no se puede escribir «" + ruta + "»: " + fallo + ".");
        return 2;
    }
    return 0;
}

void AnadirOpcionesSinVentana(QCommandLineParser& opciones) {
    opciones.addOption(
        {"pdf",
         "Escribe la liquidación de la solicitud en un PDF («-»: la salida estándar) y "
         "termina, sin ventana.",
         "salida.pdf"});
    opciones.addOption(
        {"csv",
         "Escribe la liquidación de la solicitud en una hoja de cálculo (CSV; «-»: la "
         "salida estándar) y termina, sin ventana.",
         "salida.csv"});
    opciones.addOption({"comprobar-baremo",
                        "Comprueba un archivo de baremo: escribe «correcto» o cada falta que "
                        "tenga, y termina.",
                        "baremo.json"});
    opciones.addOption({"exportar-baremo",
                        "Escribe el baremo vigente del colegio elegido en un archivo («-»: la "
                        "salida estándar), punto de partida de una revisión, y termina.",
                        "baremo.json"});
    AnadirOpcionesDeTasar(opciones);
}

std::optional<int> EjecutarSinVentana(const QCommandLineParser& opciones) {
    if (const QString motivo = Incompatibles(opciones); !motivo.isEmpty()) {
        Avisar(motivo);
        return 2;
    }
    if (opciones.isSet("comprobar-baremo"))
        return ComprobarBaremo(opciones.value("comprobar-baremo"));
    if (opciones.isSet("exportar-baremo")) return ExportarBaremo(opciones.value("exportar-baremo"));
    if (opciones.isSet("tasar")) return TasarEnLote(opciones);
    std::vector<Exportacion> exportaciones;
    for (const auto& [opcion, formato] :
         {std::pair{"pdf", FormatoLote::Pdf}, std::pair{"csv", FormatoLote::Csv}}) {
        if (opciones.isSet(opcion)) exportaciones.push_back({formato, opciones.value(opcion)});
    }
    if (exportaciones.empty()) return std::nullopt;
    if (opciones.positionalArguments().size() != 1) {
        Avisar("--pdf y --csv piden una solicitud (.cdv) de la que exportar.");
        return 2;
    }
    return ExportarEnLote(opciones.positionalArguments().constFirst(), exportaciones);
}
