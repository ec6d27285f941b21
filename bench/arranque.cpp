// Starts, shows one window and ends once it has painted its first frame: `cdv_arranque cdv`
// with the calculator's main window, `cdv_arranque qt` with a bare QMainWindow holding one
// QComboBox, to compare what the calculator costs with what Qt itself costs, both to what the
// user first sees. `cdv_arranque formulario` shows the kinds of control the main window
// shows, at its size and in its font, made with Qt alone: what such a window costs in Qt
// before anything of the calculator's own. The process ends there and then, without tearing its
// windows down, so that neither the time nor the peak memory counts anything past that frame.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
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

// The main window's controls, each kind as the calculator shows it at start, in plain Qt.
std::unique_ptr<QMainWindow> Formulario() {
    auto ventana = std::make_unique<QMainWindow>();
    QFont letra(QStringLiteral("Arial"));
    letra.setPointSizeF(8.25);
    ventana->setFont(letra);
    for (const char* menu : {"&Principal", "&Edición", "&Ver", "A&yuda"})
        ventana->menuBar()->addMenu(menu)->addAction("&Salir");
    auto* cliente = new QWidget;
    cliente->setFixedSize(735, 551);
    ventana->setCentralWidget(cliente);
    auto* titulo = new QLabel("QUENDAL (CDV)", cliente);
    QFont negrita(QStringLiteral("Arial"), 14, QFont::Bold);
    titulo->setFont(negrita);
    titulo->setGeometry(78, 156, 573, 41);
    auto* marco = new QGroupBox("Tipo de Documento", cliente);
    marco->setGeometry(26, 200, 628, 118);
    for (const auto& [indicacion, x, ancho] :
         {std::tuple{"Referencias", 24, 85}, std::tuple{"Descripciones", 122, 365}}) {
        auto* selector = new QComboBox(marco);
        selector->setEditable(true);
        selector->lineEdit()->setPlaceholderText(indicacion);
        selector->setGeometry(x, 26, ancho, 21);
    }
    for (const int y : {26, 54}) (new QLineEdit(marco))->setGeometry(502, y, 67, 19);
    (new QPlainTextEdit(marco))->setGeometry(24, 54, 461, 57);
    (new QLabel("€", marco))->setGeometry(580, 56, 20, 17);
    (new QPushButton("Añadir", marco))->setGeometry(498, 86, 75, 21);
    ventana->statusBar()->addWidget(new QLabel("Baremo: «Baremo de derechos de visado»"));
    return ventana;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication aplicacion(argc, argv);
    std::unique_ptr<QMainWindow> ventana;
    if (argc > 1 && std::strcmp(argv[1], "cdv") == 0) {
        PrepararPrograma("");  // as the program does
        ventana = std::make_unique<frmPrincipal>();
    } else if (argc > 1 && std::strcmp(argv[1], "formulario") == 0) {
        ventana = Formulario();
    } else {
        ventana = std::make_unique<QMainWindow>();
        ventana->setCentralWidget(new QComboBox);
    }
    PrimerCuadro primero;
    ventana->installEventFilter(&primero);
    ventana->show();
    return aplicacion.exec();
}
