#include "VentanaResumen.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "Diseno.h"
#include "Entorno.h"
#include "Mensajes.h"

namespace {

// Each store line keeps the cents its fee text held when it was added.
constexpr int kRolCentimos = Qt::UserRole;

}  // namespace

VentanaResumen::VentanaResumen(QWidget* principal, const Diseno& diseno,
                               std::vector<QListWidget*> almacenes, cdv::Centimos& suma)
    : QWidget(principal, Qt::Window | Qt::MSWindowsFixedSizeDialogHint),
      almacenes_(std::move(almacenes)),
      suma_(suma) {
    setObjectName(diseno.nombre);
    setWindowTitle(diseno.titulo);
    FondoBlanco(this);
    // Shown after each line added without taking the focus from the main window, so that
    // typing goes on there; the menu opens it to work in it (Abrir).
    setAttribute(Qt::WA_ShowWithoutActivating);
    TamanoFijo(this, diseno.anchoTwips, diseno.altoTwips);

    QLabel* etiquetaTotal =
        CrearEtiqueta(this, NombreIndexado("Label1", 1), "Total CDV", Twips(390, 270, 1005, 225));
    txtTotalCDV_ = CrearCaja(this, "txtTotalCDV", diseno.cajaTotal, true);
    txtTotalCDV_->setAccessibleName("Total CDV, en euros");
    etiquetaTotal->setBuddy(txtTotalCDV_);
    CrearEtiqueta(this, "lblEuroTd", diseno.textoEuro, diseno.etiquetaEuro);
    QLabel* etiquetaLista = CrearEtiqueta(this, NombreIndexado("Label1", 0), diseno.textoLista,
                                          Twips(390, 690, 4665, 225));
    lstVisados_ = new QListWidget(this);
    lstVisados_->setObjectName("lstVisados");
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
    lstVisados_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmbEliminar_ = CrearBoton(this, "cmbEliminar", "&Eliminar", diseno.botonEliminar);
    connect(cmbEliminar_, &QPushButton::clicked, this, &VentanaResumen::Eliminar);

    lstVisados_->installEventFilter(this);
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

bool VentanaResumen::Anotar(const QString& linea, const QStringList& valores) {
    const auto importe = cdv::LeerCentimos(Us(valores.value(0)), SeparadoresActuales());
    if (!importe || std::abs(suma_ + *importe) > cdv::kCentimosMaximos) {
        cdv::Avisar(kImporteDemasiadoGrande);
        return false;
    }
    for (std::size_t k = 0; k < almacenes_.size(); ++k) {
        almacenes_[k]->addItem(valores.value(static_cast<qsizetype>(k)));
    }
    almacenes_.front()
        ->item(almacenes_.front()->count() - 1)
        ->setData(kRolCentimos, QVariant::fromValue(*importe));
    suma_ += *importe;
    MostrarTotal();
    lstVisados_->addItem(linea);
    lstVisados_->item(lstVisados_->count() - 1)->setToolTip(linea);  // long lines, whole
    show();
    return true;
}

// The selected lines (the rows of the list), from the last, so that the rows before each
// stay where they are.
std::vector<int> VentanaResumen::FilasSeleccionadas() const {
    std::vector<int> filas;
    for (const QListWidgetItem* item : lstVisados_->selectedItems())
        filas.push_back(lstVisados_->row(item));
    std::sort(filas.begin(), filas.end(), std::greater<>());
    return filas;
}

void VentanaResumen::Eliminar() {
    const std::vector<int> filas = FilasSeleccionadas();
    if (filas.empty()) return;
    for (const int fila : filas) {
        delete lstVisados_->takeItem(fila);
        suma_ -= almacenes_.front()->item(fila)->data(kRolCentimos).value<cdv::Centimos>();
        for (QListWidget* almacen : almacenes_) delete almacen->takeItem(fila);
    }
    MostrarTotal();
    lstVisados_->clearSelection();
    lstVisados_->setCurrentRow(-1);
}

void VentanaResumen::Copiar() {
    QStringList lineas;
    for (const int fila : FilasSeleccionadas()) lineas.prepend(lstVisados_->item(fila)->text());
    if (!lineas.isEmpty()) QGuiApplication::clipboard()->setText(lineas.join('\n'));
}

void VentanaResumen::Abrir() {
    show();
    raise();
    activateWindow();
}

void VentanaResumen::MostrarTotal() {
    txtTotalCDV_->setText(Qs(cdv::TextoFormateado(suma_, SeparadoresActuales())));
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
