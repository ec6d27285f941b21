// Starts, shows one window and quits as soon as it is shown: `cdv_arranque cdv` with the
// calculator's main window, `cdv_arranque qt` with a bare QMainWindow holding one QComboBox,
// to compare what the calculator costs with what Qt itself costs.
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QTimer>
#include <cstring>
#include <memory>

#include "Entorno.h"
#include "frmPrincipal.h"

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    std::unique_ptr<QMainWindow> ventana;
    if (argc > 1 && std::strcmp(argv[1], "cdv") == 0) {
        PrepararPrograma("");  // as the program does
        ventana = std::make_unique<frmPrincipal>();
    } else {
        ventana = std::make_unique<QMainWindow>();
        ventana->setCentralWidget(new QComboBox);
    }
    ventana->show();
    QTimer::singleShot(0, &aplicacion, &QCoreApplication::quit);
    return aplicacion.exec();
}
