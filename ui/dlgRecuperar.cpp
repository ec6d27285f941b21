#include "dlgRecuperar.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "Diseno.h"
#include "Entorno.h"
#include "TextoLocal.h"

namespace {

constexpr int kRolIndice = Qt::UserRole + 1;  // the session of a row

QString Fecha(const QDateTime& fecha) {
    return fecha.toString("dd/MM/yyyy HH:mm:ss");
}

QTreeWidgetItem* Fila(const SesionAnterior& sesion, int indice) {
    const QString archivo =
        sesion.archivo.isEmpty() ? "(sin guardar nunca)" : QFileInfo(sesion.archivo).fileName();
    QString estado = sesion.error.isEmpty() ? QString() : "No se puede leer: " + sesion.error;
    if (sesion.soloLectura) estado += (estado.isEmpty() ? "" : "; ") + QString("solo lectura");
    auto* fila = new QTreeWidgetItem(
        {Fecha(sesion.fecha), sesion.error.isEmpty() ? ContenidoDe(sesion) : "",
         sesion.error.isEmpty() ? Qs(cdv::TextoFormateado(sesion.total, cdv::SeparadoresActuales()))
                                : "",
         archivo, estado});
    fila->setData(0, kRolIndice, indice);
    fila->setToolTip(3, cdv::AyudaLlana(sesion.archivo));
    fila->setToolTip(4, cdv::AyudaLlana(estado));
    for (const int columna : {1, 2}) fila->setTextAlignment(columna, Qt::AlignRight);
    return fila;
}

}  // namespace

dlgRecuperar::dlgRecuperar(QWidget* padre, const std::vector<SesionAnterior>& sesiones,
                           Descartador descartar)
    : QDialog(padre), sesiones_(sesiones), descartar_(std::move(descartar)) {
    setObjectName("dlgRecuperar");
    setWindowTitle("   Recuperar una sesión anterior");
    auto* explicacion = new QLabel(
        "Solicitudes que quedaron sin guardar al terminar el programa, de la más reciente a la "
        "más antigua:",
        this);
    lista_ = new QTreeWidget(this);
    lista_->setObjectName("lstSesiones");
    lista_->setAccessibleName("Sesiones anteriores");
    lista_->setRootIsDecorated(false);
    lista_->setHeaderLabels({"Fecha", "Contenido", "Total CDV (€)", "Archivo", "Estado"});
    for (std::size_t k = 0; k < sesiones_.size(); ++k)
        lista_->addTopLevelItem(Fila(sesiones_[k], static_cast<int>(k)));
    for (int columna = 0; columna < 4; ++columna) lista_->resizeColumnToContents(columna);
    explicacion->setBuddy(lista_);

    auto* botones = new QDialogButtonBox(this);
    recuperar_ = botones->addButton("&Recuperar", QDialogButtonBox::AcceptRole);
    recuperar_->setObjectName("cmbRecuperar");
    descartarBoton_ = botones->addButton("&Descartar", QDialogButtonBox::DestructiveRole);
    descartarBoton_->setObjectName("cmbDescartar");
    QPushButton* cancelar = botones->addButton("&Cancelar", QDialogButtonBox::RejectRole);
    cancelar->setObjectName("cmbCancelar");
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(descartarBoton_, &QPushButton::clicked, this, &dlgRecuperar::Descartar);
    connect(lista_, &QTreeWidget::currentItemChanged, this, &dlgRecuperar::MostrarEleccion);
    connect(lista_, &QTreeWidget::itemActivated, this, [this] {
        if (recuperar_->isEnabled()) accept();
    });

    auto* columna = new QVBoxLayout(this);
    columna->addWidget(explicacion);
    columna->addWidget(lista_, 1);
    columna->addWidget(botones);
    resize(720, 320);
    lista_->setCurrentItem(lista_->topLevelItem(0));
    MostrarEleccion();
}

QString dlgRecuperar::Elegida() const {
    const QTreeWidgetItem* fila = lista_->currentItem();
    if (fila == nullptr) return {};
    return sesiones_[static_cast<std::size_t>(fila->data(0, kRolIndice).toInt())].ruta;
}

void dlgRecuperar::MostrarEleccion() {
    const QTreeWidgetItem* fila = lista_->currentItem();
    const SesionAnterior* sesion =
        fila ? &sesiones_[static_cast<std::size_t>(fila->data(0, kRolIndice).toInt())] : nullptr;
    recuperar_->setEnabled(sesion && sesion->error.isEmpty());
    descartarBoton_->setEnabled(sesion && !sesion->soloLectura);
}

void dlgRecuperar::Descartar() {
    QTreeWidgetItem* fila = lista_->currentItem();
    if (fila == nullptr) return;
    const SesionAnterior& sesion =
        sesiones_[static_cast<std::size_t>(fila->data(0, kRolIndice).toInt())];
    if (!Confirmar(this, QString("¿Desea descartar la sesión del %1? Su solicitud se perderá.")
                             .arg(Fecha(sesion.fecha))))
        return;
    if (!descartar_(sesion.ruta)) {
        Advertir(this, QString("No se ha podido borrar «%1».").arg(Recortado(sesion.ruta)));
        return;
    }
    delete fila;
    if (lista_->topLevelItemCount() == 0) reject();
}
