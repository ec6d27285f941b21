// Adding and removing lines through the real windows, offscreen, as the list grows to 10,000
// lines and shrinks again: the cost per line at 100, 1,000 and 10,000 lines. Each action is
// followed by the event loop's turn, so that the recovery written after it counts too.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "DocumentoSolicitud.h"
#include "frmPrincipal.h"

namespace {

constexpr int kMuestra = 50;  // lines timed at each size

double MicrosegundosPorLinea(const QElapsedTimer& reloj) {
    return static_cast<double>(reloj.nsecsElapsed()) / 1000.0 / kMuestra;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir datos;  // the recoveries go here, not to the user's folder
    qputenv("XDG_DATA_HOME", datos.path().toUtf8());
    QApplication aplicacion(argc, argv);
    frmPrincipal principal;
    principal.show();
    auto* selector = principal.findChild<QComboBox*>("cbbRefTD");
    selector->setCurrentIndex(selector->findText("AAP"));
    emit selector->activated(selector->currentIndex());
    auto* anadir = principal.findChild<QPushButton*>("cmbAñadirTD");
    const cdv::ListaLineas& lineas = principal.Documento().Solicitud().Documentos();

    std::printf("%8s %22s %22s\n", "líneas", "añadir (µs/línea)", "eliminar (µs/línea)");
    double anadirEn[3] = {}, eliminarEn[3] = {};
    const int kTamanos[] = {100, 1000, 10000};
    for (int k = 0; k < 3; ++k) {
        while (lineas.Cuantas() < kTamanos[k] - kMuestra) {
            anadir->click();
            QCoreApplication::processEvents();
        }
        QElapsedTimer reloj;
        reloj.start();
        while (lineas.Cuantas() < kTamanos[k]) {
            anadir->click();
            QCoreApplication::processEvents();
        }
        anadirEn[k] = MicrosegundosPorLinea(reloj);
    }
    auto* resumen = principal.findChild<QWidget*>("frmTotalesTD");
    auto* lista = resumen->findChild<QAbstractItemView*>("lstVisados");
    auto* eliminar = resumen->findChild<QPushButton*>("cmbEliminar");
    const auto quitarDelMedio = [&] {
        lista->selectionModel()->select(lista->model()->index(lineas.Cuantas() / 2, 0),
                                        QItemSelectionModel::ClearAndSelect);
        eliminar->click();
        QCoreApplication::processEvents();
    };
    for (int k = 2; k >= 0; --k) {
        while (lineas.Cuantas() > kTamanos[k]) quitarDelMedio();
        QElapsedTimer reloj;
        reloj.start();
        for (int n = 0; n < kMuestra; ++n) quitarDelMedio();
        eliminarEn[k] = MicrosegundosPorLinea(reloj);
    }
    for (int k = 0; k < 3; ++k)
        std::printf("%8d %22.1f %22.1f\n", kTamanos[k], anadirEn[k], eliminarEn[k]);
    return 0;
}
