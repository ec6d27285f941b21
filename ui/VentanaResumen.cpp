#include "VentanaResumen.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "Liquidacion.h"

namespace {

int Solape(const QRect& a, const QRect& b) {
    const QRect comun = a.intersected(b);
    return comun.isEmpty() ? 0 : comun.width() * comun.height();
}

// What a window would cover where it stands: the main window's menu and the other summary
// window weigh most (never covered where there is any other place), its controls less, the
// rest of it least.
struct Cubierto {
    QRect menu;
    std::vector<QRect> controles, otras;
    QRect marco;
    long long En(const QRect& lugar) const {
        long long cubierto = 1000LL * Solape(lugar, menu) + Solape(lugar, marco);
        for (const QRect& otra : otras) cubierto += 1000LL * Solape(lugar, otra);
        for (const QRect& control : controles) cubierto += 1000LL * Solape(lugar, control);
        return cubierto;
    }
};

// The frame's top left for a window of frame size `tamano` beside `marco`, within `zona`:
// below, right, left or above it, the first that covers nothing; where none is free (a small
// screen), the place along the screen's edges and the main window's that covers least.
QPoint Junto(const QRect& marco, QSize tamano, const QRect& zona, const Cubierto& cubierto) {
    const auto dentro = [&](QPoint p) {
        return QPoint(std::clamp(p.x(), zona.left(),
                                 std::max(zona.left(), zona.right() + 1 - tamano.width())),
                      std::clamp(p.y(), zona.top(),
                                 std::max(zona.top(), zona.bottom() + 1 - tamano.height())));
    };
    // A few pixels apart: window systems frame a resizable window a little wider.
    constexpr int kHueco = 6;
    const int equis[] = {marco.left(), marco.right() + kHueco,
                         marco.left() - tamano.width() - kHueco, zona.left(), zona.right()};
    // Also just below the menu, over the logo and title, where the screen has no other room.
    std::vector<int> ies{
        marco.bottom() + kHueco, marco.top(), marco.top() - tamano.height() - kHueco,
        zona.bottom(),           zona.top(),  cubierto.menu.bottom() + 1};
    for (const QRect& otra : cubierto.otras)  // above or below the other window
        ies.insert(ies.end(), {otra.top() - tamano.height() - kHueco, otra.bottom() + kHueco});
    std::vector<QPoint> candidatos{
        {equis[0], ies[0]}, {equis[1], ies[1]}, {equis[2], ies[1]}, {equis[0], ies[2]}};
    for (const int y : ies)
        for (const int x : equis) candidatos.emplace_back(x, y);
    QPoint mejor;
    long long menor = -1;
    for (const QPoint candidato : candidatos) {
        const QRect lugar(dentro(candidato), tamano);
        const long long cubre = cubierto.En(lugar);
        if (menor < 0 || cubre < menor) {
            menor = cubre;
            mejor = lugar.topLeft();
        }
    }
    return mejor;
}

}  // namespace

VentanaResumen::VentanaResumen(QWidget* principal, const Diseno& diseno,
                               DocumentoSolicitud& documento, cdv::ListaLineas& lista)
    : QWidget(principal, Qt::Window), documento_(documento), lineas_(lista) {
    setObjectName(diseno.nombre);
    setWindowTitle(diseno.titulo);
    EstiloDeVentana(this);
    VentanaIndependiente(this);  // the main window can come in front of it
    // Shown after each line added without taking the focus from the main window, so that
    // typing goes on there; the menu opens it to work in it (Abrir).
    setAttribute(Qt::WA_ShowWithoutActivating);
    // As designed at the least; larger, the list grows and shows long lines whole.
    tamanoDiseno_ = QSize(Px(diseno.anchoTwips), Px(diseno.altoTwips));
    resize(tamanoDiseno_);
    setMinimumSize(tamanoDiseno_);

    QLabel* etiquetaTotal =
        CrearEtiqueta(this, NombreIndexado("Label1", 1), "Total CDV", Twips(390, 270, 1005, 225));
    txtTotalCDV_ = CrearCaja(this, "txtTotalCDV", diseno.cajaTotal, true);
    TextoQueCabe(txtTotalCDV_);
    txtTotalCDV_->setAccessibleName("Total CDV, en euros");
    etiquetaTotal->setBuddy(txtTotalCDV_);
    CrearEtiqueta(this, "lblEuroTd", diseno.textoEuro, diseno.etiquetaEuro);
    QLabel* etiquetaLista = CrearEtiqueta(this, NombreIndexado("Label1", 0), diseno.textoLista,
                                          Twips(390, 690, 4665, 225));
    lstVisados_ = CrearLista(diseno.textoLista);
    etiquetaLista->setBuddy(lstVisados_);
    cmbEliminar_ = CrearBoton(this, "cmbEliminar", "&Eliminar", diseno.botonEliminar);
    Anclar(lstVisados_, Anclaje::Crece);
    Anclar(cmbEliminar_, Anclaje::AbajoDerecha);
    connect(cmbEliminar_, &QPushButton::clicked, this, &VentanaResumen::Eliminar);
    cmbModificar_ = CrearBoton(this, "cmbModificar", "&Modificar", diseno.botonModificar);
    Anclar(cmbModificar_, diseno.modificarArriba ? Anclaje::Derecha : Anclaje::AbajoDerecha);
    connect(cmbModificar_, &QPushButton::clicked, this, &VentanaResumen::Modificar);
    connect(lstVisados_, &QAbstractItemView::doubleClicked, this, &VentanaResumen::Modificar);

    lstVisados_->installEventFilter(this);
    for (const auto senal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&lineas_, senal, this, &VentanaResumen::MostrarTotal);
    }
    connect(&lineas_, &QAbstractItemModel::modelReset, this, &VentanaResumen::MostrarTotal);
    connect(&lineas_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int, int ultima) { Anadidas(ultima); });
    connect(&lineas_, &QAbstractItemModel::modelReset, this, [this] {
        caracteres_ = 0;
        Medir(0, lineas_.Cuantas() - 1);
    });
    Medir(0, lineas_.Cuantas() - 1);
    MostrarTotal();
}

// A list of one-line rows. A table with rows and column of fixed size, unlike a list view,
// does not lay out every row again when one is added or removed.
QTableView* VentanaResumen::CrearLista(const QString& nombre) {
    auto* lista = new QTableView(this);
    lista->setObjectName("lstVisados");
    lista->horizontalHeader()->hide();
    lista->verticalHeader()->hide();
    lista->setShowGrid(false);
    lista->setWordWrap(false);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);  // within the line
    lista->setGeometry(Twips(360, 990, 9645, 1230));
    lista->setAccessibleName(nombre);
    // The lines are built in fixed-width columns: a monospace font lines them up.
    QFont columnas;
    columnas.setFamilies({"Consolas", "DejaVu Sans Mono", "Liberation Mono", "Courier New"});
    columnas.setStyleHint(QFont::Monospace);
    columnas.setFixedPitch(true);
    columnas.setPointSizeF(7.5);
    lista->setFont(columnas);
    const QFontMetrics medidas(columnas);
    lista->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lista->verticalHeader()->setDefaultSectionSize(medidas.height() + 2);
    lista->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lista->setTextElideMode(Qt::ElideNone);
    lista->setModel(&lineas_);  // after the sizes, which its column and rows take
    return lista;
}

// The column as wide as the longest line, so that no line is cut short: followed as lines
// come, measured again when the list is replaced.
void VentanaResumen::Medir(int primera, int ultima) {
    for (int fila = primera; fila <= ultima; ++fila)
        caracteres_ = std::max(
            caracteres_, lineas_.data(lineas_.index(fila), Qt::DisplayRole).toString().size());
    const QFontMetrics medidas(lstVisados_->font());
    lstVisados_->horizontalHeader()->setDefaultSectionSize(
        medidas.horizontalAdvance(QString(caracteres_ + 2, '0')));
}

// The line just added in view.
void VentanaResumen::Anadidas(int ultima) {
    Medir(ultima, ultima);
    lstVisados_->scrollTo(lineas_.index(ultima));
}

// In the list, Delete removes as "Eliminar" does and Ctrl+C copies every selected line (the
// list by itself would copy only the current one).
bool VentanaResumen::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto != lstVisados_ || evento->type() != QEvent::KeyPress) return false;
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    if (tecla->matches(QKeySequence::Delete)) {
        Eliminar();
        return true;
    }
    if (tecla->matches(QKeySequence::Copy)) {
        Copiar();
        return true;
    }
    return false;
}

// Escape hides the window, as its close box does.
void VentanaResumen::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        hide();
    } else {
        QWidget::keyPressEvent(evento);
    }
}

// The selected lines (the rows of the list), in order.
std::vector<int> VentanaResumen::FilasSeleccionadas() const {
    std::vector<int> filas;
    for (const QModelIndex& indice : lstVisados_->selectionModel()->selectedRows())
        filas.push_back(indice.row());
    std::sort(filas.begin(), filas.end());
    return filas;
}

void VentanaResumen::Eliminar() {
    documento_.Eliminar(lineas_, FilasSeleccionadas());
    lstVisados_->clearSelection();
    lstVisados_->setCurrentIndex({});
}

// The selected lines as text, and as an HTML table of their fields, so that a spreadsheet
// pastes them into columns.
void VentanaResumen::Copiar() {
    const std::vector<int> filas = FilasSeleccionadas();
    if (filas.empty()) return;
    QStringList lineas;
    std::vector<cdv::LineaCompartida> elegidas;
    for (const int fila : filas) {
        lineas << lineas_.Texto(fila);
        elegidas.push_back(lineas_.Todas()[static_cast<std::size_t>(fila)]);
    }
    auto* datos = new QMimeData;
    datos->setText(lineas.join('\n'));
    const cdv::SolicitudVisado& solicitud = documento_.Solicitud();
    datos->setHtml(cdv::TablaHtml(cdv::FilasLiquidacion(
        solicitud.Baremo(), elegidas, lineas_.DeDocumentos(), solicitud.Canal())));
    QGuiApplication::clipboard()->setMimeData(datos);
}

void VentanaResumen::Modificar() {
    const QModelIndex actual = lstVisados_->currentIndex();
    const std::vector<int> filas = FilasSeleccionadas();
    const int fila = filas.size() == 1 ? filas.front() : actual.isValid() ? actual.row() : -1;
    if (fila >= 0 && fila < lineas_.Cuantas()) emit modificar(fila);
}

void VentanaResumen::Adelantar() {
    show();
    raise();
}

void VentanaResumen::Abrir() {
    show();
    raise();
    activateWindow();
}

void VentanaResumen::MostrarTotal() {
    txtTotalCDV_->setText(Qs(cdv::TextoFormateado(lineas_.Suma(), cdv::SeparadoresActuales())));
}

void VentanaResumen::Tabular(const std::vector<QWidget*>& antes,
                             const std::vector<QWidget*>& despues) {
    std::vector<QWidget*> orden = antes;
    orden.insert(orden.end(), {lstVisados_, cmbModificar_, cmbEliminar_});
    orden.insert(orden.end(), despues.begin(), despues.end());
    orden.push_back(txtTotalCDV_);
    for (std::size_t k = 1; k < orden.size(); ++k) setTabOrder(orden[k - 1], orden[k]);
}

void VentanaResumen::Anclar(QWidget* control, Anclaje anclaje) {
    anclados_.push_back({control, control->geometry(), anclaje});
}

void VentanaResumen::resizeEvent(QResizeEvent* evento) {
    const QSize crecido = size() - tamanoDiseno_;
    for (const Anclado& a : anclados_) {
        switch (a.anclaje) {
            case Anclaje::Crece:
                a.control->setGeometry(a.zona.adjusted(0, 0, crecido.width(), crecido.height()));
                break;
            case Anclaje::Abajo:
                a.control->setGeometry(a.zona.translated(0, crecido.height()));
                break;
            case Anclaje::AbajoDerecha:
                a.control->setGeometry(a.zona.translated(crecido.width(), crecido.height()));
                break;
            case Anclaje::Derecha:
                a.control->setGeometry(a.zona.translated(crecido.width(), 0));
                break;
        }
    }
    QWidget::resizeEvent(evento);
}

// Where the user left it last time, from its first showing on; remembered when hidden. The
// first time ever, beside the main window.
void VentanaResumen::showEvent(QShowEvent* evento) {
    if (!geometriaRestaurada_) {
        geometriaRestaurada_ = true;
        if (!RestaurarGeometria(this)) {
            AnchoDeLasLineas();
            ColocarJuntoAPrincipal();
        }
    }
    QWidget::showEvent(evento);
}

// On the main window's screen, beside it, covering none of its controls nor the other summary
// window where there is room.
void VentanaResumen::ColocarJuntoAPrincipal() {
    const auto* principal = static_cast<const QMainWindow*>(parentWidget());
    const QScreen* pantalla = principal->screen();
    if (pantalla == nullptr) return;
    const auto global = [](const QWidget* w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
    // This window has no frame before it first shows: it will have the main window's, and is
    // placed by its inside, which the window system frames where it stands.
    const QRect marco = principal->frameGeometry();
    // The menu with the title bar above it.
    Cubierto cubierto{
        global(principal->menuBar()).united(QRect(marco.topLeft(), QSize(marco.width(), 1))),
        {},
        {},
        marco};
    // What the user works with (boxes, selectors, buttons, options): what takes the focus.
    // The frames' empty margins and the logo may be covered where the screen has no room.
    for (const QWidget* control :
         principal->findChild<QWidget*>("cliente")->findChildren<QWidget*>()) {
        if (control->isVisible() && control->focusPolicy() != Qt::NoFocus)
            cubierto.controles.push_back(global(control));
    }
    for (const VentanaResumen* otra : principal->findChildren<VentanaResumen*>()) {
        if (otra != this && otra->isVisible()) cubierto.otras.push_back(otra->frameGeometry());
    }
    const QPoint lugar = Junto(marco, size() + marco.size() - principal->size(),
                               pantalla->availableGeometry(), cubierto);
    setGeometry(QRect(lugar + principal->geometry().topLeft() - marco.topLeft(), size()));
}

// Wide enough to show every line whole, its fee included, within the screen.
void VentanaResumen::AnchoDeLasLineas() {
    const int alrededor = width() - lstVisados_->width() + 2 * lstVisados_->frameWidth() +
                          lstVisados_->verticalScrollBar()->sizeHint().width();
    int ancho =
        std::max(width(), lstVisados_->horizontalHeader()->defaultSectionSize() + alrededor);
    if (const QScreen* pantalla = parentWidget()->screen())
        ancho = std::min(ancho, pantalla->availableGeometry().width() - 16);
    resize(std::max(ancho, minimumWidth()), height());
}

void VentanaResumen::hideEvent(QHideEvent* evento) {
    GuardarGeometria(this);
    QWidget::hideEvent(evento);
}

void VentanaResumen::closeEvent(QCloseEvent* evento) {
    // The user's close only hides the window, so that its list lasts for the run; the
    // program's own close (at its end) goes ahead.
    if (evento->spontaneous()) {
        hide();
        evento->ignore();
    } else {
        evento->accept();
    }
}
