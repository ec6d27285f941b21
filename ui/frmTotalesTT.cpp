#include "frmTotalesTT.h"

#include <QPushButton>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "FilaSeguida.h"

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
                      "Partidas que componen el Proyecto", Twips(6210, 2340, 1845, 345),
                      Twips(4110, 2340, 1845, 345), false},
                     documento, documento.Solicitud().Partidas()),
      proyecto_(std::move(proyecto)) {
    auto* cmbHecho = CrearBoton(this, "cmbHecho", "&Hecho", Twips(8310, 2340, 1755, 345));
    connect(cmbHecho, &QPushButton::clicked, this, &frmTotalesTT::Hecho);
    Anclar(cmbHecho, Anclaje::AbajoDerecha);
    cmbCancelar_ = CrearBoton(this, "cmbCancelar", "&Cancelar", Twips(2010, 2340, 1845, 345));
    cmbCancelar_->setVisible(false);
    Anclar(cmbCancelar_, Anclaje::AbajoDerecha);
    connect(cmbCancelar_, &QPushButton::clicked, this, &frmTotalesTT::TerminarModificacion);
    Tabular({}, {cmbCancelar_, cmbHecho});
    // The document being changed moves with the documents added or removed before it; once
    // it is gone (undone, removed, another file opened), there is none to change.
    modificando_ = new FilaSeguida(
        documento.Solicitud().Documentos(),
        [this](bool sigue) {
            if (!sigue) TerminarModificacion();
        },
        this);
}

void frmTotalesTT::Modificar(int fila) {
    modificando_->Seguir(fila);
    cmbCancelar_->setVisible(true);
}

void frmTotalesTT::TerminarModificacion() {
    modificando_->Soltar();
    cmbCancelar_->setVisible(false);
}

// The same project line twice charges the project twice: only when the user says so.
bool frmTotalesTT::AnadirOtraVez(const cdv::Tasacion& tasacion) {
    const cdv::SolicitudVisado& solicitud = documento().Solicitud();
    const auto igual = tasacion.linea ? solicitud.Igual(*tasacion.linea) : std::nullopt;
    if (!igual) return true;
    const QString ref = Qs(solicitud.Baremo().TablaTD.Fila(tasacion.linea->fila)->Ref);
    return Confirmar(
        this, QString("La línea %1 de «Resumen CDV» ya es este mismo proyecto (%2, con las mismas "
                      "partidas y el mismo descuento, %3 €). ¿Desea añadirlo otra vez y cobrarlo "
                      "dos veces?")
                  .arg(QString::number(*igual + 1), ref, cdv::DelArchivo(tasacion.linea->texto)));
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
    const int modificando = modificando_->Fila();
    const cdv::Tasacion tasacion = solicitud.TasarProyecto(fila);
    if (modificando < 0 && !AnadirOtraVez(tasacion)) return;
    modificando_->Soltar();  // its own replacement is no loss of the line
    const bool cargado =
        modificando >= 0 ? this->documento().Reemplazar(solicitud.Documentos(), modificando,
                                                        tasacion, "Modificar " + Qs(documento->Ref))
                         : this->documento().Anadir(solicitud.Documentos(), tasacion, "Hecho");
    if (!cargado) {
        modificando_->Seguir(modificando);
        return;
    }
    TerminarModificacion();
    hide();
    emit hecho();
}
