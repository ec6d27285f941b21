#include "frmTotalesTT.h"

#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "Descuentos.h"
#include "Diseno.h"
#include "Entorno.h"
#include "Lineas.h"
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

// The discount chosen for a project document: "P" and "PB" each have their own options;
// other documents take none.
struct DescuentoElegido {
    float fraccion = 0.0f;
    std::string_view opcion;
};

DescuentoElegido DescuentoPara(std::string_view ref) {
    using namespace MisFunciones;
    if (ref == cdv::kRefProyecto) {
        return {DescuentoProyecto, cdv::kDescuentosProyecto.at(OpcionProyecto).texto};
    }
    if (ref == cdv::kRefProyectoBasico) {
        return {DescuentoProyectoBasico,
                cdv::kDescuentosProyectoBasico.at(OpcionProyectoBasico).texto};
    }
    return {};
}

}  // namespace

frmTotalesTT::frmTotalesTT(frmPrincipal* principal)
    : VentanaResumen(
          principal,
          {"frmTotalesTT", "   Configuración del Proyecto", 10290, 2820,
           Twips(1500, 240, 1245, 285), "€ (Proyecto)", Twips(2910, 270, 1005, 255),
           "Partidas que componen el Proyecto", Twips(6210, 2340, 1845, 345)},
          {principal->lstProyectos(), principal->lstReferencias(), principal->lstMediciones()},
          MisFunciones::SumaTT),
      principal_(principal) {
    auto* cmbHecho = CrearBoton(this, "cmbHecho", "&Hecho", Twips(8310, 2340, 1755, 345));
    connect(cmbHecho, &QPushButton::clicked, this, &frmTotalesTT::Hecho);
    if (const QScreen* pantalla = principal->screen()) {
        move(pantalla->availableGeometry().center() - rect().center());
    }
}

void frmTotalesTT::Hecho() {
    const cdv::DocumentoTD* fila = cdv::TablaTD.Fila(MisFunciones::IndiceTD);
    if (fila == nullptr || fila->Tipo != 5) {
        cdv::Avisar(kFaltaProyecto);
        return;
    }
    const QListWidget* referencias = almacenes()[1];
    const QListWidget* mediciones = almacenes()[2];
    if (referencias->count() == 0) {
        cdv::Avisar(kProyectoVacio);
        return;
    }
    const DescuentoElegido descuento = DescuentoPara(fila->Ref);
    const auto cuota =
        cdv::CuotaDocumento(*fila, MisFunciones::SumaTT, descuento.fraccion, SeparadoresActuales());
    if (!cuota) {
        cdv::Avisar(kImporteDemasiadoGrande);
        return;
    }
    std::vector<cdv::PartidaProyecto> partidas;
    partidas.reserve(static_cast<std::size_t>(referencias->count()));
    for (int k = 0; k < referencias->count(); ++k) {
        partidas.push_back({Us(referencias->item(k)->text()), Us(mediciones->item(k)->text())});
    }
    const std::string linea =
        cdv::LineaProyecto(fila->Ref, fila->Descripcion, partidas,
                           cuota->descuento != 0 ? descuento.opcion : "", cuota->texto);
    if (principal_->ResumenCDV().Anotar(Qs(linea), {Qs(cuota->texto)})) hide();
}
