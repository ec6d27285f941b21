#include "frmTotalesTT.h"

#include <QPushButton>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Mensajes.h"
#include "MisFunciones.h"
#include "frmPrincipal.h"
#include "frmTotalesTD.h"

namespace {

constexpr std::string_view kFaltaProyecto =
    "Para pulsar Hecho, elija en la ventana principal un documento que se calcule sobre el "
    "proyecto (Proyecto, Proyecto básico, Anteproyecto, Memoria valorada, Proyecto reformado "
    "o Separata).";
constexpr std::string_view kProyectoVacio =
    "El proyecto no tiene partidas: añada al menos una antes de pulsar Hecho.";

}  // namespace

frmTotalesTT::frmTotalesTT(frmPrincipal* principal)
    : VentanaResumen(principal,
                     {"frmTotalesTT", "   Configuración del Proyecto", 10290, 2820,
                      Twips(1500, 240, 1245, 285), "€ (Proyecto)", Twips(2910, 270, 1005, 255),
                      "Partidas que componen el Proyecto", Twips(6210, 2340, 1845, 345)},
                     principal->Documento(), principal->Documento().Solicitud().Partidas()),
      principal_(principal) {
    auto* cmbHecho = CrearBoton(this, "cmbHecho", "&Hecho", Twips(8310, 2340, 1755, 345));
    connect(cmbHecho, &QPushButton::clicked, this, &frmTotalesTT::Hecho);
    Anclar(cmbHecho, Anclaje::AbajoDerecha);
}

void frmTotalesTT::Hecho() {
    const cdv::DocumentoTD* fila = cdv::TablaTD.Fila(MisFunciones::IndiceTD);
    if (fila == nullptr || fila->Tipo != 5) {
        cdv::Avisar(kFaltaProyecto);
        return;
    }
    cdv::SolicitudVisado& solicitud = documento().Solicitud();
    if (solicitud.Partidas().Cuantas() == 0) {
        cdv::Avisar(kProyectoVacio);
        return;
    }
    if (documento().Anadir(solicitud.Documentos(), solicitud.TasarProyecto(MisFunciones::IndiceTD),
                           "Hecho")) {
        hide();
        principal_->ResumenCDV().show();
    }
}
