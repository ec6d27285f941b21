#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>

#include "Entorno.h"
#include "Lote.h"
#include "frmPrincipal.h"

int main(int argc, char* argv[]) {
    // An export without a window needs no display.
    for (int k = 1; k < argc; ++k) {
        const bool lote =
            std::strncmp(argv[k], "--csv", 5) == 0 || std::strncmp(argv[k], "--pdf", 5) == 0;
        if (lote && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication aplicacion(argc, argv);
    PrepararPrograma(CDV_VERSION);

    QCommandLineParser opciones;
    opciones.setApplicationDescription("Calculadora de cuotas de visado (CDV)");
    opciones.addHelpOption();
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
    if (!archivos.isEmpty()) principal.AbrirArchivo(archivos.constFirst());
    return aplicacion.exec();
}
