#include "EleccionTarifa.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"

namespace {

// Each factor's label and selector, side by side where a row's note would be.
// As many as a row asks for share the frame's width, each at most kAnchoFactor wide.
constexpr int kAnchoFactor = 2250, kIzquierda = 360, kArribaEtiqueta = 810, kArribaSelector = 1065;
constexpr int kAnchoFactores = 9135;  // twips, from kIzquierda to the frame's right edge

QComboBox* CrearLista(QWidget* padre, const QString& nombre, QRect zona) {
    auto* selector = new QComboBox(padre);
    selector->setObjectName(nombre);
    selector->setGeometry(zona);
    selector->setStyle(EstiloFormulario());
    return selector;
}

}  // namespace

EleccionTarifa::EleccionTarifa(QWidget* marco, DocumentoSolicitud& documento)
    : QObject(marco), marco_(marco), documento_(documento) {
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::cambiada, this,
            &EleccionTarifa::MostrarCanal);
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::baremoCambiado, this,
            &EleccionTarifa::Olvidar);
    MostrarCanal();
}

// Made the first time a schedule asks for it: a start with the built-in one does not pay for it.
void EleccionTarifa::CrearCanal() {
    etiquetaCanal_ =
        CrearEtiqueta(marco_, "lblCanal", "Presentación:", Twips(kIzquierda, 1455, 1230, 255));
    canal_ = CrearLista(marco_, "cbbCanal", Twips(1620, 1425, 1800, 315));
    for (const cdv::NombresDeCanal& canal : cdv::kCanales)
        canal_->addItem(Qs(canal.nombre), static_cast<int>(canal.canal));
    canal_->setAccessibleName("Presentación de la solicitud");
    etiquetaCanal_->setBuddy(canal_);
    connect(canal_, &QComboBox::currentIndexChanged, this, [this] {
        documento_.CambiarCanal(static_cast<cdv::Canal>(canal_->currentData().toInt()));
        MostrarCanal();
        emit cambiada();
    });
}

void EleccionTarifa::Olvidar() {
    for (auto& [lista, controles] : factores_) {
        delete controles.first;
        delete controles.second;
    }
    factores_.clear();
    pedidos_.clear();
}

// The request's channel, where its price list tells one from the other.
void EleccionTarifa::MostrarCanal() {
    const cdv::Baremo& baremo = documento_.Solicitud().Baremo();
    const bool mostrar = baremo.tarifa && cdv::DistingueCanales(*baremo.tarifa);
    if (!mostrar && canal_ == nullptr) return;
    if (canal_ == nullptr) CrearCanal();
    etiquetaCanal_->setVisible(mostrar);
    canal_->setVisible(mostrar);
    const QSignalBlocker bloqueo(canal_);
    const int actual = canal_->findData(static_cast<int>(documento_.Solicitud().Canal()));
    if (actual != canal_->currentIndex()) {
        canal_->setCurrentIndex(actual);
        emit cambiada();
    }
}

QComboBox* EleccionTarifa::Selector(const std::string& lista, int orden, int cuantos) {
    auto& [etiqueta, selector] = factores_[lista];
    const int ancho = std::min(kAnchoFactor, kAnchoFactores / std::max(cuantos, 1));
    const int izquierda = kIzquierda + orden * ancho;
    if (selector == nullptr) {
        etiqueta = CrearEtiqueta(marco_, "lblFactor" + Qs(lista), Qs(lista) + ":", {});
        selector = CrearLista(marco_, "cbbFactor" + Qs(lista), {});
        selector->setAccessibleName(Qs(lista));
        etiqueta->setBuddy(selector);
        const auto& opciones = documento_.Solicitud().Baremo().tarifa->factores.at(lista);
        for (const auto& [opcion, valor] : opciones) selector->addItem(Qs(opcion));
        selector->setCurrentIndex(-1);
        selector->setPlaceholderText("(elija)");
        connect(selector, &QComboBox::currentIndexChanged, this, &EleccionTarifa::cambiada);
    }
    etiqueta->setGeometry(Twips(izquierda, kArribaEtiqueta, ancho - 120, 255));
    selector->setGeometry(Twips(izquierda, kArribaSelector, ancho - 120, 315));
    etiqueta->setVisible(true);
    selector->setVisible(true);
    return selector;
}

void EleccionTarifa::MostrarPara(int fila) {
    const cdv::Baremo& baremo = documento_.Solicitud().Baremo();
    const cdv::DocumentoTD* documento = baremo.TablaTD.Fila(fila);
    for (auto& [lista, controles] : factores_) {
        controles.first->setVisible(false);
        controles.second->setVisible(false);
    }
    pedidos_.clear();
    pideCantidad_ = true;
    if (documento == nullptr || documento->Tipo != cdv::Regla::SegunTarifa || !baremo.tarifa)
        return;
    const cdv::Necesidades necesidades = cdv::NecesidadesDe(*baremo.tarifa, documento->Ref);
    pideCantidad_ = necesidades.cantidad;
    int orden = 0;
    const int cuantos = static_cast<int>(necesidades.factores.size());
    for (const std::string& lista : necesidades.factores) Selector(lista, orden++, cuantos);
    pedidos_ = necesidades.factores;
}

cdv::Factores EleccionTarifa::Factores() const {
    cdv::Factores elegidos;
    for (const std::string& lista : pedidos_)
        if (const QComboBox* selector = factores_.at(lista).second; selector->currentIndex() >= 0)
            elegidos[lista] = Us(selector->currentText());
    return elegidos;
}

void EleccionTarifa::Poner(const cdv::Factores& factores) {
    for (const auto& [lista, opcion] : factores) {
        const auto controles = factores_.find(lista);
        if (controles != factores_.end())
            controles->second.second->setCurrentIndex(
                controles->second.second->findText(Qs(opcion)));
    }
}
