#include "SolicitudVisado.h"

namespace cdv {

SolicitudVisado::SolicitudVisado(std::shared_ptr<const cdv::Baremo> baremo, QObject* padre)
    : QObject(padre),
      baremo_(std::move(baremo)),
      documentos_(ListaLineas::Clase::Documentos, baremo_),
      partidas_(ListaLineas::Clase::Partidas, baremo_) {
    for (ListaLineas* lista : {&documentos_, &partidas_}) {
        connect(lista, &QAbstractItemModel::rowsInserted, this, &SolicitudVisado::cambiada);
        connect(lista, &QAbstractItemModel::rowsRemoved, this, &SolicitudVisado::cambiada);
        connect(lista, &QAbstractItemModel::modelReset, this, &SolicitudVisado::cambiada);
    }
}

int OpcionDe(const OpcionesElegidas& opciones, std::string_view ref) {
    const auto elegida = opciones.find(ref);
    return elegida == opciones.end() ? 0 : elegida->second;
}

void Elegir(OpcionesElegidas& opciones, std::string_view ref, int opcion) {
    if (opcion == 0) {
        if (const auto elegida = opciones.find(ref); elegida != opciones.end())
            opciones.erase(elegida);
    } else {
        opciones.insert_or_assign(std::string(ref), opcion);
    }
}

int SolicitudVisado::Opcion(std::string_view ref) const {
    return OpcionDe(opciones_, ref);
}

void SolicitudVisado::ElegirOpcion(std::string_view ref, int opcion) {
    const auto opciones = baremo_->DescuentosDe(ref);
    if (opcion < 0 || opcion >= static_cast<int>(opciones.size()) || Opcion(ref) == opcion) return;
    Elegir(opciones_, ref, opcion);
    emit cambiada();
}

void SolicitudVisado::CambiarTrabajo(const QString& trabajo) {
    if (trabajo == trabajo_) return;
    trabajo_ = trabajo;
    emit cambiada();
}

void SolicitudVisado::CambiarColegiado(const QString& colegiado) {
    if (colegiado == colegiado_) return;
    colegiado_ = colegiado;
    emit cambiada();
}

void SolicitudVisado::CambiarExpediente(const QString& expediente) {
    if (expediente == expediente_) return;
    expediente_ = expediente;
    emit cambiada();
}

Tasacion SolicitudVisado::TasarProyecto(int fila) const {
    const DocumentoTD* documento = baremo_->TablaTD.Fila(fila);
    return cdv::TasarProyecto(*baremo_, fila, partidas_.Todas(),
                              documento != nullptr ? Opcion(documento->Ref) : 0);
}

std::optional<int> SolicitudVisado::Igual(const Linea& linea) const {
    for (int k = 0; k < documentos_.Cuantas(); ++k)
        if (MismaLinea(documentos_.En(k), linea)) return k;
    return std::nullopt;
}

bool SolicitudVisado::ProyectoEnCursoGuardado() const {
    return PartidasEnDocumentos(documentos_.Todas(), partidas_.Todas());
}

ContenidoSolicitud SolicitudVisado::Contenido() const {
    return {baremo_,  documentos_.Todas(), partidas_.Todas(), opciones_,
            trabajo_, colegiado_,          expediente_,       canal_};
}

void SolicitudVisado::Cargar(ContenidoSolicitud contenido) {
    const bool otroBaremo = contenido.baremo != baremo_;
    QSignalBlocker bloqueo(this);
    opciones_ = std::move(contenido.opciones);
    trabajo_ = contenido.trabajo;
    colegiado_ = contenido.colegiado;
    expediente_ = contenido.expediente;
    canal_ = contenido.canal;
    baremo_ = contenido.baremo;
    documentos_.Reemplazar(std::move(contenido.documentos), baremo_);
    partidas_.Reemplazar(std::move(contenido.partidas), baremo_);
    bloqueo.unblock();
    if (otroBaremo) emit baremoCambiado();
    emit cambiada();
}

}  // namespace cdv
