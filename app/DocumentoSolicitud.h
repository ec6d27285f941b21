// The request the run works on, as a document: its file, its undo history and its
// recovery. Every change goes through the undo stack, and the request is saved exactly when
// the stack is at its clean state. While it is not, the request is written for recovery
// after each change, at most kPausaRecuperacion later; once it is, the recovery goes.
#pragma once

#include <QDate>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <functional>
#include <optional>
#include <vector>

#include "ArchivoSolicitud.h"
#include "Progreso.h"
#include "Recuperacion.h"
#include "SolicitudVisado.h"

namespace cdv {
struct OrigenSolicitud;
}

class DocumentoSolicitud : public QObject {
    Q_OBJECT

  public:
    static constexpr qint64 kPausaRecuperacion = 250;    // ms
    static constexpr int kReintentoRecuperacion = 5000;  // ms, after a failed write

    // An empty request priced by the schedule in force of `baremos`, recovered from
    // `carpetaRecuperacion`.
    DocumentoSolicitud(cdv::Baremos baremos, const QString& carpetaRecuperacion,
                       QObject* padre = nullptr);
    ~DocumentoSolicitud() override;

    cdv::SolicitudVisado& Solicitud() { return solicitud_; }
    const cdv::SolicitudVisado& Solicitud() const { return solicitud_; }
    // The schedules known, with which files are read and requests priced.
    const cdv::Baremos& Baremos() const { return baremos_; }
    // Another set of schedules (one was installed): an empty request takes the one in force.
    void CambiarBaremos(cdv::Baremos baremos);
    QUndoStack& Pila() { return pila_; }
    // The file the request was last opened from or saved to; empty for a new one.
    const QString& Ruta() const { return ruta_; }
    // Whether Guardar may write to Ruta() without asking where: it was opened or saved there,
    // or recovered with the digest of what is there now.
    bool RutaConfirmada() const { return !ruta_.isEmpty() && rutaConfirmada_; }
    // Whether the request differs from its file (or, without one, from an empty request).
    bool SinGuardar() const { return !pila_.isClean(); }
    // Whether unsaved changes have no recovery copy, since the last write of it failed.
    bool EnRiesgo() const { return enRiesgo_; }

    // Adds a priced line at the end of `lista`, or says why it cannot be.
    bool Anadir(cdv::ListaLineas& lista, const cdv::Tasacion& tasacion, const QString& accion);
    // Puts a priced line in the place of the line at `fila` of `lista`, as one change named
    // `accion` ("Modificar C"), or says why it cannot be.
    bool Reemplazar(cdv::ListaLineas& lista, int fila, const cdv::Tasacion& tasacion,
                    const QString& accion);
    // Makes the project document at `fila` of the documents the project under way again (its
    // work items and its discount), to be changed and charged again in its place; one change.
    void TraerProyecto(int fila);
    // Removes the lines at `filas` (any order) from `lista`, as one change.
    void Eliminar(cdv::ListaLineas& lista, std::vector<int> filas);
    // Chooses the discount option of the project document `ref`, as one change.
    void ElegirOpcion(std::string_view ref, int opcion);
    // Changes the work or the member the statement names; consecutive edits of one field
    // are one change, until the request is saved.
    void CambiarTrabajo(const QString& trabajo);
    void CambiarColegiado(const QString& colegiado);
    void CambiarExpediente(const QString& expediente);

    // Each says what went wrong through `aviso`; a failure leaves the request and the files
    // as they were.
    enum class Guardado { Hecho, Fallido, CambiadoEnDisco };
    // Saves to `ruta`; a file changed on disk since this request last opened or saved it is
    // not overwritten unless `aunqueHayaCambiado`.
    Guardado Guardar(const QString& ruta, bool aunqueHayaCambiado = false);
    struct Apertura {
        bool abierta = false;
        QStringList cambios;  // each fee the schedule prices otherwise than the file: old → new
        bool baremoDisponible = true;  // the schedule it records was found
        QString baremoRegistrado;      // that schedule, when it was not
        QStringList otroSentido;       // each line whose reference now means something else
        QString error;                 // why it could not be opened, to be told
    };
    // Opens `ruta`, telling `progreso` of each document read; stopped, it leaves the request
    // as it was and says nothing. A refusal is answered, to be told once the progress is
    // gone.
    Apertura Abrir(const QString& ruta, const cdv::Progreso& progreso = {});
    // The sessions that ended runs left, newest first, each read.
    std::vector<SesionAnterior> SesionesAnteriores() const;
    // The newest of them that can be read, if any: only as many are read as it takes.
    std::optional<SesionAnterior> SesionEsperando() const;
    // Takes over the session at `ruta`, with the file it belonged to; the session goes once
    // this run holds its request safely. Stopped by `progreso`, as Abrir.
    Apertura Recuperar(const QString& ruta, const cdv::Progreso& progreso = {});
    bool DescartarSesion(const QString& ruta) { return recuperacion_.Descartar(ruta); }
    // Prices every line and the project under way again with the schedule in force, as one
    // change; `abierta` says whether it was done (an unknown reference refuses it). A request
    // with no lines and no history simply takes it: that is no change.
    Apertura ActualizarBaremo();
    // The day the request is priced on, from the program's clock, which tests may replace.
    QDate Hoy() const { return reloj_(); }
    void PonerReloj(std::function<QDate()> reloj) { reloj_ = std::move(reloj); }
    // The schedule in force today for the request's association (for an empty one, the
    // association chosen).
    std::shared_ptr<const cdv::Baremo> Vigente() const;
    // The association whose schedule a new request takes (empty: the program's own).
    const std::string& Colegio() const { return colegio_; }
    // Chooses it; an empty request takes its schedule at once.
    void ElegirColegio(const std::string& colegio);
    // Submits the request by another channel: its price list's lines are priced again, as one
    // change, or it says why they cannot be.
    void CambiarCanal(cdv::Canal canal);
    // Whether a request with lines is priced by another schedule than today's.
    bool OtroBaremoVigente() const;
    // Called now and then, as the day may have changed: when it has, an empty request follows
    // the schedule in force, and `diaCambiado` is told.
    void SeguirAlDia();
    // The run ends with nothing unsaved that the user wants kept: its recovery goes, and so
    // does a session it took over.
    void Terminar();

    // Writes the recovery now if a change is waiting for it.
    void EscribirRecuperacion();

  signals:
    // The file, whether the request is saved in it, or whether it is at risk changed.
    void estadoCambiado();
    // Something went wrong, or is at risk: the user must be told, before the call returns.
    void aviso(const QString& texto);
    // The program's clock passed to another day.
    void diaCambiado();

  private:
    std::optional<cdv::LecturaSolicitud> Leer(const QString& ruta, const cdv::Progreso& progreso,
                                              const QString& noSePuede, QString& error);
    // A text of the statement changed; typing on in the same text (`id`) is the same undo step.
    using Poner = void (cdv::SolicitudVisado::*)(const QString&);
    void CambiarTexto(const QString& accion, int id, const QString& antes, const QString& ahora,
                      Poner poner);
    void Cargar(cdv::ContenidoSolicitud contenido, const cdv::OrigenSolicitud& origen,
                bool sinGuardar);
    static Apertura Abierta(const cdv::LecturaSolicitud& lectura);
    static Apertura Hecha(const QStringList& cambios = {});
    // No lines and no history: taking another schedule is no change.
    bool SinLineas() const;
    bool SinNada() const;
    void ProgramarRecuperacion();
    void PonerEnRiesgo(const QString& error);
    // The session taken over is held again (by this run's recovery or a save): it goes.
    void SoltarTomada();
    bool CambiadoEnDisco(const QString& ruta) const;

    cdv::Baremos baremos_;
    std::string colegio_;
    cdv::SolicitudVisado solicitud_;
    QUndoStack pila_;
    Recuperacion recuperacion_;
    QString ruta_;
    QByteArray huella_;  // of the file as last opened or saved
    bool rutaConfirmada_ = false;
    std::function<QDate()> reloj_ = cdv::Hoy;
    QDate dia_ = reloj_();  // the day last seen
    QString tomada_;        // the session taken over, until its request is held again
    bool recuperacionPendiente_ = false;
    bool enRiesgo_ = false;
    bool reservaAvisada_ = false;
    QElapsedTimer ultimaRecuperacion_;
};
