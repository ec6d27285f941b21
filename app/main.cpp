#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <string_view>
#include <vector>

#include "Diseno.h"
#include "Entorno.h"
#include "Lote.h"
#include "frmPrincipal.h"

namespace {

// The options that open no window, and so need no display: the exports, help and version.
bool SinVentana(std::string_view argumento) {
    constexpr std::string_view kExportaciones[] = {"--pdf", "--csv"};
    constexpr std::string_view kInformativas[] = {"-h", "--help", "-?", "-v", "--version"};
    for (const std::string_view opcion : kExportaciones) {
        if (argumento.starts_with(opcion)) return true;
    }
    for (const std::string_view opcion : kInformativas) {
        if (argumento == opcion) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    for (int k = 1; k < argc; ++k) {
        if (SinVentana(argv[k]) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication aplicacion(argc, argv);
    PrepararPrograma(CDV_VERSION);

    QCommandLineParser opciones;
    opciones.setApplicationDescription("Calculadora de cuotas de visado (CDV)");
    // Qt's own help option is described in English even with its translations loaded.
    const QCommandLineOption ayuda({"h", "help", "?"}, "Muestra esta ayuda y termina.");
    opciones.addOption(ayuda);
    opciones.addVersionOption();
    opciones.addOption({"pdf",
                        "Escribe la liquidación de la solicitud en un PDF y termina, sin ventana.",
                        "salida.pdf"});
    opciones.addOption({"csv",
                        "Escribe la liquidación de la solicitud en una hoja de cálculo (CSV) "
                        "y termina, sin ventana.",
                        "salida.csv"});
    opciones.addPositionalArgument("archivo", "Solicitud de visado (.cdv) que abrir.", "[archivo]");
    opciones.process(aplicacion);
    if (opciones.isSet(ayuda)) opciones.showHelp();
    const QStringList archivos = opciones.positionalArguments();

    std::vector<Exportacion> exportaciones;
    for (const auto& [opcion, formato] :
         {std::pair{"pdf", FormatoLote::Pdf}, std::pair{"csv", FormatoLote::Csv}}) {
        if (opciones.isSet(opcion)) exportaciones.push_back({formato, opciones.value(opcion)});
    }
    if (!exportaciones.empty()) {
        if (archivos.size() != 1) {
            std::fprintf(stderr,
                         "cdv: --pdf y --csv piden una solicitud (.cdv) de la que "
                         "exportar.\n");
            return 2;
        }
        return ExportarEnLote(archivos.constFirst(), exportaciones);
    }
    frmPrincipal principal;
    principal.show();
    // Opened once the window shows, framed, so that the summary windows go beside it.
    if (!archivos.isEmpty()) {
        AlMostrarse(&principal,
                    [&principal, ruta = archivos.constFirst()] { principal.AbrirArchivo(ruta); });
    }
    return aplicacion.exec();
}
