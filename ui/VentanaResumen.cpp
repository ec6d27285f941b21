#include "VentanaResumen.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <algorithm>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "Liquidacion.h"

namespace {

// How wide a line can be seen, scrolling: longer than any document's line, and than most
// projects' (a project line grows with its items; its tooltip shows it whole).
constexpr int kCaracteresVisibles = 160;

}  // namespace

VentanaResumen::VentanaResumen(QWidget* principal, const Diseno& diseno,
                               DocumentoSolicitud& documento, cdv::ListaLineas& lista)
    : QWidget(principal, Qt::Window), documento_(documento), lineas_(lista) {
    setObjectName(diseno.nombre);
    setWindowTitle(diseno.titulo);
    EstiloDeVentana(this);
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
    // A list of one-line rows. A table with rows and column of fixed size, unlike a list
    // view, does not lay out every row again when one is added or removed.
    lstVisados_ = new QTableView(this);
    lstVisados_->setObjectName("lstVisados");
    lstVisados_->horizontalHeader()->hide();
    lstVisados_->verticalHeader()->hide();
    lstVisados_->setShowGrid(false);
    lstVisados_->setWordWrap(false);
    lstVisados_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstVisados_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstVisados_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstVisados_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);  // within the line
    lstVisados_->setGeometry(Twips(360, 990, 9645, 1230));
    lstVisados_->setAccessibleName(diseno.textoLista);
    etiquetaLista->setBuddy(lstVisados_);
    // The lines are built in fixed-width columns: a monospace font lines them up.
    QFont columnas;
    columnas.setFamilies({"Consolas", "DejaVu Sans Mono", "Liberation Mono", "Courier New"});
    columnas.setStyleHint(QFont::Monospace);
    columnas.setFixedPitch(true);
    columnas.setPointSizeF(7.5);
    lstVisados_->setFont(columnas);
    const QFontMetrics medidas(columnas);
    lstVisados_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lstVisados_->verticalHeader()->setDefaultSectionSize(medidas.height() + 2);
    lstVisados_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lstVisados_->horizontalHeader()->setDefaultSectionSize(
        medidas.horizontalAdvance(QString(kCaracteresVisibles, '0')));
    lstVisados_->setModel(&lineas_);  // after the sizes, which its column and rows take
    cmbEliminar_ = CrearBoton(this, "cmbEliminar", "&Eliminar", diseno.botonEliminar);
    Anclar(lstVisados_, Anclaje::Crece);
    Anclar(cmbEliminar_, Anclaje::AbajoDerecha);
    connect(cmbEliminar_, &QPushButton::clicked, this, &VentanaResumen::Eliminar);

    lstVisados_->installEventFilter(this);
    for (const auto senal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(&lineas_, senal, this, &VentanaResumen::MostrarTotal);
    }
    connect(&lineas_, &QAbstractItemModel::modelReset, this, &VentanaResumen::MostrarTotal);
    MostrarTotal();
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
    datos->setHtml(cdv::TablaHtml(cdv::FilasLiquidacion(elegidas, lineas_.DeDocumentos())));
    QGuiApplication::clipboard()->setMimeData(datos);
}

void VentanaResumen::Abrir() {
    show();
    raise();
    activateWindow();
}

void VentanaResumen::MostrarTotal() {
    txtTotalCDV_->setText(Qs(cdv::TextoFormateado(lineas_.Suma(), cdv::SeparadoresActuales())));
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
        }
    }
    QWidget::resizeEvent(evento);
}

// Where the user left it last time, from its first showing on; remembered when hidden.
void VentanaResumen::showEvent(QShowEvent* evento) {
    if (!geometriaRestaurada_) {
        geometriaRestaurada_ = true;
        RestaurarGeometria(this, true);
    }
    QWidget::showEvent(evento);
}

void VentanaResumen::hideEvent(QHideEvent* evento) {
    GuardarGeometria(this, true);
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
