#include "frmTotalesTT.h"

#include <QPushButton>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"

namespace {

constexpr char kFaltaProyecto[] =
    "Para pulsar Hecho, elija en la ventana principal un documento que se calcule sobre el "
    "proyecto (Proyecto, Proyecto básico, Anteproyecto, Memoria valorada, Proyecto reformado "
    "o Separata).";
constexpr char kProyectoVacio[] =
    "El proyecto no tiene partidas: añada al menos una antes de pulsar Hecho.";

}  // namespace

frmTotalesTT::frmTotalesTT(QWidget* principal, DocumentoSolicitud& documento,
                           std::function<int()> proyecto)
    : VentanaResumen(principal,
                     {"frmTotalesTT", "   Configuración del Proyecto", 10290, 2820,
                      Twips(1500, 240, 1245, 285), "€ (Proyecto)", Twips(2910, 270, 1005, 255),
                      "Partidas que componen el Proyecto", Twips(6210, 2340, 1845, 345)},
                     documento, documento.Solicitud().Partidas()),
      proyecto_(std::move(proyecto)) {
    auto* cmbHecho = CrearBoton(this, "cmbHecho", "&Hecho", Twips(8310, 2340, 1755, 345));
    connect(cmbHecho, &QPushButton::clicked, this, &frmTotalesTT::Hecho);
    Anclar(cmbHecho, Anclaje::AbajoDerecha);
}

void frmTotalesTT::Hecho() {
    cdv::SolicitudVisado& solicitud = documento().Solicitud();
    const int fila = proyecto_();
    const cdv::DocumentoTD* documento = solicitud.Baremo().TablaTD.Fila(fila);
    if (documento == nullptr || documento->Tipo != cdv::Regla::ParteDelProyecto) {
        Avisar(this, kFaltaProyecto);
        return;
    }
    if (solicitud.Partidas().Cuantas() == 0) {
        Avisar(this, kProyectoVacio);
        return;
    }
    if (this->documento().Anadir(solicitud.Documentos(), solicitud.TasarProyecto(fila), "Hecho")) {
        hide();
        emit hecho();
    }
}
