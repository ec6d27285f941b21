// Draws each window in a typical state into PNG files, offscreen, for the README and for
// looking at the layout: cdv_capturas <folder>.
#include <QDir>
#include <QLocale>

#include "Usuario.h"
#include "frmPrincipal.h"

namespace {

void Guardar(QWidget* ventana, const QString& archivo) {
    if (!ventana->grab().save(archivo)) qFatal("No se puede escribir %s", qPrintable(archivo));
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    const QDir carpeta(argc > 1 ? argv[1] : ".");
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));

    frmPrincipal principal;
    principal.show();
    Elegir(Control<QComboBox>(&principal, "cbbRefTD"), "EIA2");
    Escribir(Control<QLineEdit>(&principal, "txtCantidadTD"), "250.000");
    Pulsar(Control<QPushButton>(&principal, "cmbAñadirTD"));
    Elegir(Control<QComboBox>(&principal, "cbbRefTD"), "C");
    Pulsar(Control<QPushButton>(&principal, "cmbAñadirTD"));
    Guardar(&principal, carpeta.filePath("principal-documento.png"));

    Elegir(Control<QComboBox>(&principal, "cbbRefTD"), "P");
    Elegir(Control<QComboBox>(&principal, "cbbRefTT"), "INAC");
    Escribir(Control<QLineEdit>(&principal, "txtCantidadTT"), "300");
    Pulsar(Control<QPushButton>(&principal, "cmbAñadirTT"));
    Elegir(Control<QComboBox>(&principal, "cbbRefTT"), "INII");
    Escribir(Control<QLineEdit>(&principal, "txtCantidadTT"), "1.250.000");
    Pulsar(Control<QPushButton>(&principal, "cmbAñadirTT"));
    Elegir(Control<QComboBox>(&principal, "cbbRefTT"), "LAN");
    Escribir(Control<QLineEdit>(&principal, "txtCantidadTT"), "750");
    Pulsar(Control<QPushButton>(&principal, "cmbAñadirTT"));
    QTest::mouseClick(Control<QRadioButton>(&principal, "otbProyecto(2)"), Qt::LeftButton);
    Guardar(&principal, carpeta.filePath("principal-proyecto.png"));
    auto* proyecto = principal.findChild<QWidget*>("frmTotalesTT");
    Guardar(proyecto, carpeta.filePath("configuracion-proyecto.png"));

    Pulsar(Control<QPushButton>(proyecto, "cmbHecho"));
    Guardar(principal.findChild<QWidget*>("frmTotalesTD"), carpeta.filePath("resumen-cdv.png"));

    Control<QAction>(&principal, "mnuAcerca")->trigger();
    Guardar(principal.findChild<QWidget*>("frmAcerca"), carpeta.filePath("acerca.png"));
    return 0;
}
