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
    constexpr std::string_view kExportaciones[] = {"--pdf", "--csv", "--comprobar-baremo",
                                                   "--exportar-baremo"};
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
        if (!SinVentana(argv[k]) || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) continue;
        qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_WIN)
        // Windows's offscreen platform finds faces only in the folder it is given.
        if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
            qputenv("QT_QPA_FONTDIR", (qEnvironmentVariable("WINDIR") + "\\Fonts").toUtf8());
#endif
    }
    QApplication aplicacion(argc, argv);
    PrepararPrograma(CDV_VERSION);

    QCommandLineParser opciones;
    opciones.setApplicationDescription(
        "Calculadora de cuotas de visado (CDV)\n\n"
        "Estado de salida de --pdf y --csv: 0, todo escrito; 1, la solicitud no se puede abrir; "
        "2, alguna salida no se ha podido escribir; 3, todo escrito, pero calculado con otro "
        "baremo que el que la solicitud registra, que no está instalado (el aviso va a la salida "
        "de errores).");
    // Qt's own help option is described in English even with its translations loaded.
    const QCommandLineOption ayuda({"h", "help", "?"}, "Muestra esta ayuda y termina.");
    opciones.addOption(ayuda);
    opciones.addVersionOption();
    AnadirOpcionesSinVentana(opciones);
    opciones.addPositionalArgument("archivo", "Solicitud de visado (.cdv) que abrir.", "[archivo]");
    opciones.process(aplicacion);
    if (opciones.isSet(ayuda)) opciones.showHelp();
    if (const std::optional<int> estado = EjecutarSinVentana(opciones)) return *estado;
    const QStringList archivos = opciones.positionalArguments();

    frmPrincipal principal;
    principal.show();
    // Opened once the window shows, framed, so that the summary windows go beside it.
    if (!archivos.isEmpty()) {
        AlMostrarse(&principal,
                    [&principal, ruta = archivos.constFirst()] { principal.AbrirArchivo(ruta); });
    }
    return aplicacion.exec();
}
