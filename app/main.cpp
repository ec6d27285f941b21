#include <QApplication>
#include <QCommandLineParser>
#include <optional>
#include <string_view>
#include <vector>

#include "Consola.h"
#include "Diseno.h"
#include "Entorno.h"
#include "Lote.h"
#include "frmPrincipal.h"

namespace {

// The options that open no window, and so need no display: the exports, help and version.
bool SinVentana(std::string_view argumento) {
    constexpr std::string_view kExportaciones[] = {"--pdf", "--csv", "--comprobar-baremo",
                                                   "--exportar-baremo", "--tasar"};
    constexpr std::string_view kInformativas[] = {"-h", "--help", "-?", "-v", "--version"};
    for (const std::string_view opcion : kExportaciones) {
        if (argumento.starts_with(opcion)) return true;
    }
    for (const std::string_view opcion : kInformativas) {
        if (argumento == opcion) return true;
    }
    return false;
}

// Whether there is no display to open a window on (a console over ssh).
bool SinPantalla() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

// Without a window, the offscreen platform: no display is needed. Without a display, any
// option too, so that one mistyped is told as such instead of ending in Qt's abort; answers
// whether that was why. Run from a console on Windows, where a windowed program has none of
// its own, it writes in its parent's; Windows's offscreen platform finds faces only in the
// folder it is given.
bool PrepararSinVentana(int argc, char* argv[]) {
    bool sinVentana = false, opciones = false;
    for (int k = 1; k < argc; ++k) {
        sinVentana = sinVentana || SinVentana(argv[k]);
        opciones = opciones || (argv[k][0] == '-' && argv[k][1] != '\0');
    }
    const bool porOpciones = !sinVentana && opciones && SinPantalla();
    if (!(sinVentana || porOpciones) || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_WIN)
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", (qEnvironmentVariable("WINDIR") + "\\Fonts").toUtf8());
#endif
    EscribirEnLaConsolaDelPadre();
    return porOpciones;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool sinPantalla = PrepararSinVentana(argc, argv);
    QApplication aplicacion(argc, argv);
    PrepararPrograma(CDV_VERSION);

    QCommandLineParser opciones;
    opciones.setApplicationDescription(
        "Calculadora de cuotas de visado (CDV)\n\n"
        "Estado de salida de --pdf y --csv: 0, todo escrito; 1, la solicitud no se puede abrir; "
        "2, alguna salida no se ha podido escribir; 3, todo escrito, pero calculado con otro "
        "baremo que el que la solicitud registra, que no está instalado (el aviso va a la salida "
        "de errores).");
    // Qt's own help and version options are described in English even with its translations.
    const QCommandLineOption ayuda({"h", "help", "?"}, "Muestra esta ayuda y termina.");
    const QCommandLineOption version({"v", "version"}, "Muestra la versión y termina.");
    opciones.addOptions({ayuda, version});
    AnadirOpcionesSinVentana(opciones);
    opciones.addPositionalArgument("archivo", "Solicitud de visado (.cdv) que abrir.", "[archivo]");
    // Help, version and a mistaken option are written on every system as every other text
    // (Qt would show them in a message box on Windows, or in the wrong code page).
    if (!opciones.parse(QCoreApplication::arguments())) {
        Avisar(opciones.errorText());
        return 1;
    }
    if (opciones.isSet(ayuda)) Escribir(Flujo::Salida, opciones.helpText());
    if (opciones.isSet(version)) Escribir(Flujo::Salida, QString("cdv %1\n").arg(CDV_VERSION));
    if (opciones.isSet(ayuda) || opciones.isSet(version)) return 0;
    if (const std::optional<int> estado = EjecutarSinVentana(opciones)) return *estado;
    const QStringList archivos = opciones.positionalArguments();
    if (sinPantalla) {
        Avisar("no hay pantalla en la que abrir la ventana.");
        return 1;
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
