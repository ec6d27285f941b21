#include "OpcionesDescuento.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <vector>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "TextoLocal.h"

namespace {

// The reference whose discounts each frame holds.
constexpr std::string_view kRefs[] = {cdv::kRefProyecto, cdv::kRefProyectoBasico};

}  // namespace

OpcionesDescuento::OpcionesDescuento(QWidget* cliente, DocumentoSolicitud& documento)
    : QObject(cliente), documento_(documento) {
    CrearMarco(0, "Proyecto", "Descuentos al Proyecto   ", 7155, {480, 1860, 3630, 5220});
    CrearMarco(1, "ProyectoBasico", "Descuentos al Proyecto Básico   ", 5565, {480, 1860, 3630});
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::cambiada, this,
            &OpcionesDescuento::MostrarSolicitud);
    MostrarSolicitud();
}

// Each option reaches to the next one, the last to the frame's edge.
void OpcionesDescuento::CrearMarco(int cual, const char* nombre, const QString& titulo, int ancho,
                                   std::initializer_list<int> izquierdas) {
    auto* marco = new QGroupBox(titulo, static_cast<QWidget*>(parent()));
    marco->setObjectName(QLatin1String("fraDesc") + nombre);
    marco->setStyle(EstiloFormulario());
    marco->setGeometry(Twips(390, 6780, ancho, 825));
    marco->setVisible(false);
    auto* grupo = new QButtonGroup(marco);
    std::vector<int> bordes(izquierdas);
    bordes.push_back(ancho - 60);
    for (std::size_t indice = 0; indice + 1 < bordes.size(); ++indice) {
        auto* opcion = new QRadioButton(marco);
        opcion->setObjectName(
            NombreIndexado(QByteArray("otb").append(nombre), static_cast<int>(indice)));
        opcion->setGeometry(Twips(bordes[indice], 330, bordes[indice + 1] - bordes[indice], 315));
        grupo->addButton(opcion, static_cast<int>(indice));
    }
    connect(grupo, &QButtonGroup::idClicked, &documento_,
            [this, cual](int indice) { documento_.ElegirOpcion(kRefs[cual], indice); });
    marcos_[cual] = marco;
    grupos_[cual] = grupo;
}

void OpcionesDescuento::MostrarPara(std::string_view ref) {
    for (int cual = 0; cual < 2; ++cual) marcos_[cual]->setVisible(ref == kRefs[cual]);
}

void OpcionesDescuento::MostrarSolicitud() {
    const cdv::SolicitudVisado& solicitud = documento_.Solicitud();
    for (int cual = 0; cual < 2; ++cual) {
        const auto opciones = solicitud.Baremo().DescuentosDe(kRefs[cual]);
        for (QAbstractButton* boton : grupos_[cual]->buttons()) {
            const auto indice = static_cast<std::size_t>(grupos_[cual]->id(boton));
            boton->setText(indice < opciones.size() ? Qs(opciones[indice].texto) : QString());
        }
        grupos_[cual]->button(solicitud.Opcion(kRefs[cual]))->setChecked(true);
    }
}
