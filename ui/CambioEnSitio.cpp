#include "CambioEnSitio.h"

#include <QWidget>

#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "PanelEntrada.h"
#include "frmTotalesTT.h"

namespace {

constexpr char kProyectoSinGuardar[] =
    "El proyecto en curso tiene partidas que no están en ninguna línea de la lista. "
    "Añádalas como un proyecto nuevo con Hecho, o elimínelas en «Resumen Proyecto», antes de "
    "modificar un proyecto de la lista.";

// "P", or the schedule's first project document when it has no "P".
std::string_view DocumentoDeProyecto(const cdv::TablaDocumentos& documentos) {
    if (documentos.Buscar(cdv::kRefProyecto) != 0) return cdv::kRefProyecto;
    const cdv::DocumentoTD* primero =
        documentos.Fila(documentos.PrimeraDeRegla(cdv::Regla::ParteDelProyecto));
    return primero != nullptr ? std::string_view(primero->Ref) : std::string_view();
}

}  // namespace

CambioEnSitio::CambioEnSitio(QWidget* ventana, DocumentoSolicitud& documento,
                             PanelEntrada& documentos, std::function<PanelEntrada&()> trabajos,
                             std::function<frmTotalesTT&()> resumenProyecto)
    : QObject(ventana),
      ventana_(ventana),
      documento_(documento),
      documentos_(documentos),
      trabajos_(std::move(trabajos)),
      resumenProyecto_(std::move(resumenProyecto)) {}

// Items under way that some line of the list holds (as "Hecho" leaves them) are no loss;
// others are, and the user decides what becomes of them first.
void CambioEnSitio::Documento(int fila) {
    const cdv::SolicitudVisado& solicitud = documento_.Solicitud();
    const cdv::DocumentoTD& tipo =
        *solicitud.Baremo().TablaTD.Fila(solicitud.Documentos().En(fila).fila);
    ventana_->activateWindow();
    ventana_->raise();
    if (tipo.Tipo != cdv::Regla::ParteDelProyecto) {
        documentos_.Modificar(fila);
        return;
    }
    if (!solicitud.ProyectoEnCursoGuardado() &&
        !cdv::MismasLineas(solicitud.Partidas().Todas(),
                           solicitud.Documentos().En(fila).partidas)) {
        Informar(ventana_, kProyectoSinGuardar);
        return;
    }
    documentos_.Elegir(tipo.Ref);
    documento_.TraerProyecto(fila);
    resumenProyecto_().Modificar(fila);
    resumenProyecto_().Adelantar();
}

// A work item comes back to the work side, shown for the project document chosen (or "P").
void CambioEnSitio::Partida(int fila) {
    const cdv::TablaDocumentos& tabla = documento_.Solicitud().Baremo().TablaTD;
    const cdv::DocumentoTD* elegido = tabla.Fila(documentos_.Fila());
    if (elegido == nullptr || elegido->Tipo != cdv::Regla::ParteDelProyecto)
        documentos_.Elegir(DocumentoDeProyecto(tabla));
    ventana_->activateWindow();
    ventana_->raise();
    trabajos_().Modificar(fila);
}
