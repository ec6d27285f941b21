// The request the run works on, as a document: its file, its undo history and its
// recovery. Every change goes through the undo stack; after each one the request is written
// for recovery, at most kPausaRecuperacion later.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QUndoStack>
#include <vector>

#include "Recuperacion.h"
#include "SolicitudVisado.h"

class DocumentoSolicitud : public QObject {
    Q_OBJECT

  public:
    static constexpr qint64 kPausaRecuperacion = 250;  // ms

    explicit DocumentoSolicitud(const QString& carpetaRecuperacion, QObject* padre = nullptr);
    ~DocumentoSolicitud() override;

    cdv::SolicitudVisado& Solicitud() { return solicitud_; }
    QUndoStack& Pila() { return pila_; }
    // The file the request was last opened from or saved to; empty for a new one.
    const QString& Ruta() const { return ruta_; }
    // Whether the request has changed since it was last opened or saved.
    bool SinGuardar() const { return sinGuardar_; }

    // Adds a priced line at the end of `lista`, or says why it cannot be.
    bool Anadir(cdv::ListaLineas& lista, const cdv::Tasacion& tasacion, const QString& accion);
    // Removes the lines at `filas` (any order) from `lista`, as one change.
    void Eliminar(cdv::ListaLineas& lista, std::vector<int> filas);
    // Chooses the discount option of a kind of project ("P" or "PB").
    void ElegirOpcion(std::string_view ref, int opcion);
    // Changes the work or the member the statement names; consecutive edits of one field
    // are one change.
    void CambiarTrabajo(const QString& trabajo);
    void CambiarColegiado(const QString& colegiado);

    // Each says what went wrong through the message service and answers whether it worked;
    // a failure leaves the request and the files as they were.
    bool Guardar(const QString& ruta);
    bool Abrir(const QString& ruta);
    bool Recuperar();

    // Writes the recovery now if a change is waiting for it.
    void EscribirRecuperacion();

  signals:
    // The file, or whether the request is saved in it, changed.
    void estadoCambiado();

  private:
    // A text of the statement changed; typing on in the same text (`id`) is the same undo step.
    using Poner = void (cdv::SolicitudVisado::*)(const QString&);
    void CambiarTexto(const QString& accion, int id, const QString& antes, const QString& ahora,
                      Poner poner);
    void Cargar(cdv::ContenidoSolicitud contenido, const QString& ruta, bool sinGuardar);
    void Cambio();

    cdv::SolicitudVisado solicitud_;
    QUndoStack pila_;
    Recuperacion recuperacion_;
    QString ruta_;
    bool sinGuardar_ = false;
    bool recuperacionPendiente_ = false;
    bool recuperacionFallida_ = false;
    QElapsedTimer ultimaRecuperacion_;
};
