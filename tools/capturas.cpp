// Draws each window in a typical state into PNG files, offscreen, for the README and for
// looking at the layout, and the main window under a dark desktop scheme: cdv_capturas <folder>.
#include <QDir>

#include "Ventanas.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    const QDir carpeta(argc > 1 ? argv[1] : ".");
    LocaleEspanol();
    const auto guardar = [&carpeta](QWidget* ventana, const char* archivo) {
        if (!ventana->grab().save(carpeta.filePath(archivo)))
            qFatal("No se puede escribir %s", archivo);
    };

    Banco b;
    const auto anadir = [&b](const char* selector, const char* ref, const char* cantidad) {
        b.elegir(selector, ref);
        const QString lado = QString(selector).right(2);
        if (cantidad) Escribir(b.caja("txtCantidad" + lado), cantidad);
        b.pulsar("cmbAñadir" + lado);
    };
    anadir("cbbRefTD", "EIA2", "250.000");
    anadir("cbbRefTD", "C", nullptr);
    guardar(b.p.get(), "principal-documento.png");
    b.elegir("cbbRefTD", "P");
    anadir("cbbRefTT", "INAC", "300");
    anadir("cbbRefTT", "INII", "1.250.000");
    anadir("cbbRefTT", "LAN", "750");
    b.pulsar("otbProyecto(2)");
    guardar(b.p.get(), "principal-proyecto.png");
    b.elegir("cbbRefTT", "INAC");  // the longest breakdown: base, minimum, a bracket
    Escribir(b.caja("txtCantidadTT"), "300");
    guardar(b.p.get(), "principal-desglose.png");
    guardar(b.ventana("frmTotalesTT"), "configuracion-proyecto.png");
    b.pulsarEn("frmTotalesTT", "cmbHecho");
    guardar(b.ventana("frmTotalesTD"), "resumen-cdv.png");
    b.menu("mnuAcerca");
    guardar(b.ventana("frmAcerca"), "acerca.png");
    b.menu("mnuInfo");
    Control<QLineEdit>(b.ventana("frmInfo"), "txtBuscar")->setText("agua");
    guardar(b.ventana("frmInfo"), "info.png");

    // The project window again, under a dark desktop scheme.
    QApplication::setPalette(PaletaOscura());
    Banco oscura;
    oscura.elegir("cbbRefTD", "P");
    oscura.elegir("cbbRefTT", "LAN");
    Escribir(oscura.caja("txtCantidadTT"), "750");
    oscura.pulsar("otbProyecto(2)");
    guardar(oscura.p.get(), "principal-oscura.png");
    return 0;
}
