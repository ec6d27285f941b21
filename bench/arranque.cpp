// Starts, shows one window and ends once it has painted its first frame: `cdv_arranque cdv`
// with the calculator's main window, `cdv_arranque qt` with a bare QMainWindow holding one
// QComboBox, to compare what the calculator costs with what Qt itself costs, both to what the
// user first sees. The process ends there and then, without tearing its windows down, so
// that neither the time nor the peak memory counts anything past that frame.
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "Entorno.h"
#include "frmPrincipal.h"

namespace {

// Ends the run as soon as the window it watches has painted.
class PrimerCuadro : public QObject {
  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { std::_Exit(0); });  // once this paint is done
        return false;
    }
};

}  // namespace

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
    PrimerCuadro primero;
    ventana->installEventFilter(&primero);
    ventana->show();
    return aplicacion.exec();
}
