#include <QApplication>
#include <QCommandLineParser>

#include "Entorno.h"
#include "frmPrincipal.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    PrepararPrograma(CDV_VERSION);

    QCommandLineParser opciones;
    opciones.setApplicationDescription("Calculadora de cuotas de visado (CDV)");
    opciones.addHelpOption();
    opciones.addVersionOption();
    opciones.addPositionalArgument("archivo", "Solicitud de visado (.cdv) que abrir.", "[archivo]");
    opciones.process(aplicacion);

    frmPrincipal principal;
    principal.show();
    if (!opciones.positionalArguments().isEmpty()) {
        principal.AbrirArchivo(opciones.positionalArguments().constFirst());
    }
    return aplicacion.exec();
}
