#include "VentanaResumen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdlib>

#include "Diseno.h"
#include "Entorno.h"
#include "Mensajes.h"

namespace {

constexpr std::string_view kImporteDemasiadoGrande =
    "El importe es demasiado grande: no se puede añadir a la lista.";

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
    TamanoFijo(this, diseno.anchoTwips, diseno.altoTwips);

    CrearEtiqueta(this, NombreIndexado("Label1", 1), "Total CDV", Twips(390, 270, 1005, 225));
    txtTotalCDV_ = CrearCaja(this, "txtTotalCDV", diseno.cajaTotal, true);
    CrearEtiqueta(this, "lblEuroTd", diseno.textoEuro, diseno.etiquetaEuro);
    CrearEtiqueta(this, NombreIndexado("Label1", 0), diseno.textoLista, Twips(390, 690, 4665, 225));
    lstVisados_ = new QListWidget(this);
    lstVisados_->setObjectName("lstVisados");
    lstVisados_->setGeometry(Twips(360, 990, 9645, 1230));
    cmbEliminar_ = CrearBoton(this, "cmbEliminar", "Eliminar", diseno.botonEliminar);
    connect(cmbEliminar_, &QPushButton::clicked, this, &VentanaResumen::Eliminar);
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
    show();
    return true;
}

void VentanaResumen::Eliminar() {
    const auto seleccion = lstVisados_->selectedItems();
    if (seleccion.isEmpty()) return;
    const int fila = lstVisados_->row(seleccion.front());
    delete lstVisados_->takeItem(fila);
    const auto importe = almacenes_.front()->item(fila)->data(kRolCentimos).value<cdv::Centimos>();
    for (QListWidget* almacen : almacenes_) delete almacen->takeItem(fila);
    suma_ -= importe;
    MostrarTotal();
    lstVisados_->clearSelection();
    lstVisados_->setCurrentRow(-1);
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
