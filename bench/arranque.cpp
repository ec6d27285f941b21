// Starts, shows one window and ends once it has painted its first frame: `cdv_arranque cdv`
// with the calculator's main window, `cdv_arranque qt` with a bare QMainWindow holding one
// QComboBox, to compare what the calculator costs with what Qt itself costs, both to what the
// user first sees. `cdv_arranque formulario` shows the kinds of control the main window
// shows, at its size and in its font, made with Qt alone: what such a window costs in Qt
// before anything of the calculator's own. The process ends there and then, without tearing its
// windows down, so that neither the time nor the peak memory counts anything past that frame.
// `cdv_arranque cdv --codigo-propio-hasta KB` (Linux) ends with status 1 if more than KB
// kilobytes of its own code are resident at that frame: start-up code no longer together.
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
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "Entorno.h"
#include "frmPrincipal.h"

namespace {

// Ends the run as soon as the window it watches has painted, with the status `estado` gives.
class PrimerCuadro : public QObject {
  public:
    explicit PrimerCuadro(std::function<int()> estado) : estado_(std::move(estado)) {}

  protected:
    bool eventFilter(QObject*, QEvent* evento) override {
        if (evento->type() == QEvent::Paint)  // once this paint is done
            QTimer::singleShot(0, [this] { std::_Exit(estado_()); });
        return false;
    }

  private:
    std::function<int()> estado_;
};

// Kilobytes of this program's own code resident now, by the kernel's account of its mappings.
long CodigoPropioResidente() {
    const std::string programa = std::filesystem::read_symlink("/proc/self/exe").string();
    std::ifstream mapas("/proc/self/smaps");
    long kilobytes = 0;
    bool propio = false;
    for (std::string linea; std::getline(mapas, linea);) {
        if (linea.starts_with("Rss:")) {
            if (propio) kilobytes += std::stol(linea.substr(4));
        } else if (!linea.empty() && std::isxdigit(static_cast<unsigned char>(linea[0])) &&
                   !std::isupper(static_cast<unsigned char>(linea[0]))) {  // a mapping's header
            const std::size_t permisos = linea.find(' ') + 1;
            propio = linea.ends_with(programa) && linea.compare(permisos + 2, 1, "x") == 0;
        }
    }
    return kilobytes;
}

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
    std::function<int()> estado = [] { return 0; };
    if (argc == 4 && std::strcmp(argv[2], "--codigo-propio-hasta") == 0) {
        estado = [hasta = std::atol(argv[3])] {
            const long residente = CodigoPropioResidente();
            std::cout << "Código propio residente en el primer cuadro: " << residente
                      << " kB (hasta " << hasta << " kB)" << std::endl;
            return residente <= hasta ? 0 : 1;
        };
    }
    PrimerCuadro primero(std::move(estado));
    ventana->installEventFilter(&primero);
    ventana->show();
    return aplicacion.exec();
}
