#include "DocumentoSolicitud.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <string>

#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "TextoLocal.h"

namespace {

// A line put into a list at a place, and taken out again on undo.
class OrdenAnadir : public QUndoCommand {
  public:
    OrdenAnadir(cdv::ListaLineas& lista, cdv::LineaCompartida linea, const QString& texto)
        : QUndoCommand(texto), lista_(lista), fila_(lista.Cuantas()), linea_(std::move(linea)) {}
    void redo() override { lista_.Insertar(fila_, linea_); }
    void undo() override { lista_.Quitar(fila_); }

  private:
    cdv::ListaLineas& lista_;
    int fila_;
    cdv::LineaCompartida linea_;
};

// A line put in the place of another, and the other put back on undo.
class OrdenReemplazar : public QUndoCommand {
  public:
    OrdenReemplazar(cdv::ListaLineas& lista, int fila, cdv::LineaCompartida nueva,
                    const QString& texto)
        : QUndoCommand(texto),
          lista_(lista),
          fila_(fila),
          vieja_(lista.Todas()[static_cast<std::size_t>(fila)]),
          nueva_(std::move(nueva)) {}
    void redo() override { Poner(nueva_); }
    void undo() override { Poner(vieja_); }

  private:
    void Poner(const cdv::LineaCompartida& linea) {
        lista_.Quitar(fila_);
        lista_.Insertar(fila_, linea);
    }
    cdv::ListaLineas& lista_;
    int fila_;
    cdv::LineaCompartida vieja_, nueva_;
};

// Lines taken out of a list, and put back where they were on undo.
class OrdenEliminar : public QUndoCommand {
  public:
    OrdenEliminar(cdv::ListaLineas& lista, std::vector<int> filas)
        : QUndoCommand("Eliminar"), lista_(lista), filas_(std::move(filas)) {
        std::sort(filas_.begin(), filas_.end());
        for (const int fila : filas_)
            lineas_.push_back(lista_.Todas()[static_cast<std::size_t>(fila)]);
    }
    void redo() override {
        for (auto fila = filas_.rbegin(); fila != filas_.rend(); ++fila) lista_.Quitar(*fila);
    }
    void undo() override {
        for (std::size_t k = 0; k < filas_.size(); ++k) lista_.Insertar(filas_[k], lineas_[k]);
    }

  private:
    cdv::ListaLineas& lista_;
    std::vector<int> filas_;
    std::vector<cdv::LineaCompartida> lineas_;
};

// A value of the request changed from one to another: a discount option, or a text of the
// statement. Typing on in the same text is the same change.
template <typename Valor>
class OrdenCambiar : public QUndoCommand {
  public:
    using Poner = std::function<void(const Valor&)>;
    OrdenCambiar(const QString& texto, int id, Valor antes, Valor ahora, Poner poner)
        : QUndoCommand(texto),
          id_(id),
          antes_(std::move(antes)),
          ahora_(std::move(ahora)),
          poner_(std::move(poner)) {}
    void redo() override { poner_(ahora_); }
    void undo() override { poner_(antes_); }
    int id() const override { return id_; }
    // Typed back to where it started, the step changes nothing and goes.
    bool mergeWith(const QUndoCommand* otra) override {
        if (id_ < 0 || otra->id() != id_) return false;
        ahora_ = static_cast<const OrdenCambiar*>(otra)->ahora_;
        setObsolete(ahora_ == antes_);
        return true;
    }

  private:
    int id_;  // -1: never merged
    Valor antes_, ahora_;
    Poner poner_;
};

QString Nombre(const QString& ruta) {
    return QFileInfo(ruta).fileName();
}

}  // namespace

DocumentoSolicitud::DocumentoSolicitud(cdv::Baremos baremos, const QString& carpetaRecuperacion,
                                       QObject* padre)
    : QObject(padre),
      baremos_(std::move(baremos)),
      solicitud_(baremos_.EnVigor(cdv::Hoy())),
      recuperacion_(carpetaRecuperacion) {
    connect(&solicitud_, &cdv::SolicitudVisado::cambiada, this,
            &DocumentoSolicitud::ProgramarRecuperacion);
    connect(&pila_, &QUndoStack::cleanChanged, this, [this] {
        ProgramarRecuperacion();
        emit estadoCambiado();
    });
}

// A run that ends any other way than through Terminar (a crash, a logout that does not wait,
// a host program's end) leaves its unsaved request for the next.
DocumentoSolicitud::~DocumentoSolicitud() {
    blockSignals(true);  // the windows that listen are going too: nothing is told
    EscribirRecuperacion();
}

// Written as soon as control is back in the event loop, but no sooner than
// kPausaRecuperacion after the last write: a burst of changes (a file of thousands of lines,
// undoing many) writes a few times, not once per change.
void DocumentoSolicitud::ProgramarRecuperacion() {
    if (recuperacionPendiente_) return;
    recuperacionPendiente_ = true;
    const qint64 espera =
        ultimaRecuperacion_.isValid() ? kPausaRecuperacion - ultimaRecuperacion_.elapsed() : 0;
    QTimer::singleShot(std::max<qint64>(espera, 0), this,
                       &DocumentoSolicitud::EscribirRecuperacion);
}

void DocumentoSolicitud::EscribirRecuperacion() {
    if (!recuperacionPendiente_) return;
    recuperacionPendiente_ = false;
    if (!SinGuardar()) {  // the file holds it all: nothing to recover
        recuperacion_.Quitar();
        PonerEnRiesgo({});
        return;
    }
    const QString error =
        recuperacion_.Escribir(cdv::EscribirSolicitud(solicitud_.Contenido(), {ruta_, huella_}));
    ultimaRecuperacion_.start();
    PonerEnRiesgo(error);
    if (!error.isEmpty()) {  // tried again, until the disk takes it or the request is saved
        QTimer::singleShot(kReintentoRecuperacion, this,
                           &DocumentoSolicitud::ProgramarRecuperacion);
        return;
    }
    SoltarTomada();
    if (!reservaAvisada_ && !recuperacion_.ProblemaDeReserva().isEmpty()) {
        reservaAvisada_ = true;
        emit aviso(recuperacion_.ProblemaDeReserva());
    }
}

// Told each time the recovery starts failing; the title says so until a write succeeds.
void DocumentoSolicitud::PonerEnRiesgo(const QString& error) {
    const bool enRiesgo = !error.isEmpty();
    if (enRiesgo == enRiesgo_) return;
    enRiesgo_ = enRiesgo;
    if (enRiesgo) {
        emit aviso(QString("No se puede escribir la copia de recuperación de la solicitud (%1). "
                           "Guárdela con Guardar para no perderla.")
                       .arg(error));
    }
    emit estadoCambiado();
}

void DocumentoSolicitud::SoltarTomada() {
    if (!tomada_.isEmpty()) recuperacion_.Descartar(tomada_);
    tomada_.clear();
}

void DocumentoSolicitud::Terminar() {
    recuperacionPendiente_ = false;
    recuperacion_.Quitar();
    SoltarTomada();
}

bool DocumentoSolicitud::Anadir(cdv::ListaLineas& lista, const cdv::Tasacion& tasacion,
                                const QString& accion) {
    QString motivo = tasacion.motivo;
    if (tasacion.linea && !lista.Cabe(tasacion.linea->cuota))
        motivo = "el importe es demasiado grande";
    if (!tasacion.linea || !motivo.isEmpty()) {
        motivo[0] = motivo[0].toUpper();
        emit aviso(motivo + ": no se puede añadir a la lista.");
        return false;
    }
    pila_.push(new OrdenAnadir(lista, std::make_shared<const cdv::Linea>(*tasacion.linea), accion));
    return true;
}

bool DocumentoSolicitud::Reemplazar(cdv::ListaLineas& lista, int fila,
                                    const cdv::Tasacion& tasacion, const QString& accion) {
    if (fila < 0 || fila >= lista.Cuantas()) return false;
    QString motivo = tasacion.motivo;
    const auto sinLaVieja = cdv::SumaCentimos(lista.Suma(), -lista.En(fila).cuota);
    if (tasacion.linea && !cdv::SumaCentimos(sinLaVieja.value_or(0), tasacion.linea->cuota))
        motivo = "el importe es demasiado grande";
    if (!tasacion.linea || !motivo.isEmpty()) {
        motivo[0] = motivo[0].toUpper();
        emit aviso(motivo + ": no se puede cambiar la línea.");
        return false;
    }
    pila_.push(new OrdenReemplazar(lista, fila, std::make_shared<const cdv::Linea>(*tasacion.linea),
                                   accion));
    return true;
}

void DocumentoSolicitud::TraerProyecto(int fila) {
    const cdv::Linea& proyecto = solicitud_.Documentos().En(fila);
    const std::string ref = solicitud_.Baremo().TablaTD.Fila(proyecto.fila)->Ref;
    cdv::ContenidoSolicitud antes = solicitud_.Contenido();
    cdv::ContenidoSolicitud ahora = antes;
    ahora.partidas = proyecto.partidas;
    if (!solicitud_.Baremo().DescuentosDe(ref).empty())
        cdv::Elegir(ahora.opciones, ref, proyecto.opcion);
    pila_.push(new OrdenCambiar<cdv::ContenidoSolicitud>(
        "Traer " + Qs(ref) + " para modificarlo", -1, std::move(antes), std::move(ahora),
        [this](const cdv::ContenidoSolicitud& contenido) { solicitud_.Cargar(contenido); }));
}

void DocumentoSolicitud::Eliminar(cdv::ListaLineas& lista, std::vector<int> filas) {
    if (!filas.empty()) pila_.push(new OrdenEliminar(lista, std::move(filas)));
}

void DocumentoSolicitud::ElegirOpcion(std::string_view ref, int opcion) {
    const int antes = solicitud_.Opcion(ref);
    if (opcion == antes) return;
    const std::string clave(ref);
    pila_.push(new OrdenCambiar<int>("Descuento", -1, antes, opcion,
                                     [this, clave](int o) { solicitud_.ElegirOpcion(clave, o); }));
}

void DocumentoSolicitud::CambiarTrabajo(const QString& trabajo) {
    CambiarTexto("Trabajo", 1, solicitud_.Trabajo(), trabajo,
                 &cdv::SolicitudVisado::CambiarTrabajo);
}

void DocumentoSolicitud::CambiarColegiado(const QString& colegiado) {
    CambiarTexto("Colegiado/a", 2, solicitud_.Colegiado(), colegiado,
                 &cdv::SolicitudVisado::CambiarColegiado);
}

void DocumentoSolicitud::CambiarExpediente(const QString& expediente) {
    CambiarTexto("Expediente", 3, solicitud_.Expediente(), expediente,
                 &cdv::SolicitudVisado::CambiarExpediente);
}

void DocumentoSolicitud::CambiarTexto(const QString& accion, int id, const QString& antes,
                                      const QString& ahora, Poner poner) {
    if (ahora == antes) return;
    pila_.push(new OrdenCambiar<QString>(
        accion, id, antes, ahora,
        [this, poner](const QString& texto) { (solicitud_.*poner)(texto); }));
}

void DocumentoSolicitud::CambiarBaremos(cdv::Baremos baremos) {
    baremos_ = std::move(baremos);
    if (SinNada()) ActualizarBaremo();
}

bool DocumentoSolicitud::SinNada() const {
    return SinLineas() && pila_.count() == 0;
}

bool DocumentoSolicitud::SinLineas() const {
    return solicitud_.Documentos().Cuantas() == 0 && solicitud_.Partidas().Cuantas() == 0;
}

std::shared_ptr<const cdv::Baremo> DocumentoSolicitud::Vigente() const {
    return baremos_.EnVigor(Hoy(), SinLineas() ? colegio_ : cdv::ClaveColegio(solicitud_.Baremo()));
}

void DocumentoSolicitud::ElegirColegio(const std::string& colegio) {
    colegio_ = colegio;
    if (SinLineas()) ActualizarBaremo();
}

void DocumentoSolicitud::CambiarCanal(cdv::Canal canal) {
    cdv::ContenidoSolicitud antes = solicitud_.Contenido();
    if (canal == antes.canal) return;
    cdv::ContenidoSolicitud ahora = antes;
    ahora.canal = canal;
    for (cdv::LineaCompartida& linea : ahora.documentos) {
        if (solicitud_.Baremo().TablaTD.Fila(linea->fila)->Tipo != cdv::Regla::SegunTarifa)
            continue;
        const cdv::Tasacion tasacion = cdv::TasarDocumento(solicitud_.Baremo(), linea->fila,
                                                           linea->cantidad, canal, linea->factores);
        if (!tasacion.linea) {
            emit aviso("No se puede cambiar la presentación: " + tasacion.motivo + ".");
            return;
        }
        auto nueva = std::make_shared<cdv::Linea>(*tasacion.linea);
        nueva->antes = linea->antes;
        linea = std::move(nueva);
    }
    if (!cdv::SumaDe(ahora.documentos)) {
        emit aviso("No se puede cambiar la presentación: el importe es demasiado grande.");
        return;
    }
    pila_.push(new OrdenCambiar<cdv::ContenidoSolicitud>(
        "Presentación", -1, std::move(antes), std::move(ahora),
        [this](const cdv::ContenidoSolicitud& contenido) { solicitud_.Cargar(contenido); }));
}

bool DocumentoSolicitud::OtroBaremoVigente() const {
    return !SinLineas() && Vigente()->huella != solicitud_.Baremo().huella;
}

void DocumentoSolicitud::SeguirAlDia() {
    const QDate hoy = Hoy();
    if (hoy == dia_) return;
    dia_ = hoy;
    if (SinNada()) ActualizarBaremo();
    emit diaCambiado();
}

std::vector<SesionAnterior> DocumentoSolicitud::SesionesAnteriores() const {
    std::vector<SesionAnterior> sesiones = recuperacion_.Anteriores();
    for (SesionAnterior& sesion : sesiones) Recuperacion::Leer(sesion, baremos_);
    return sesiones;
}

std::optional<SesionAnterior> DocumentoSolicitud::SesionEsperando() const {
    for (SesionAnterior& sesion : recuperacion_.Anteriores()) {
        Recuperacion::Leer(sesion, baremos_);
        if (sesion.error.isEmpty()) return sesion;
    }
    return std::nullopt;
}

DocumentoSolicitud::Apertura DocumentoSolicitud::ActualizarBaremo() {
    const std::shared_ptr<const cdv::Baremo> vigente = Vigente();
    cdv::ContenidoSolicitud antes = solicitud_.Contenido();
    if (vigente == antes.baremo) return Hecha();
    if (SinNada()) {
        antes.baremo = vigente;
        solicitud_.Cargar(std::move(antes));
        return Hecha();
    }
    cdv::LecturaSolicitud lectura = cdv::LeerSolicitudCon(cdv::EscribirSolicitud(antes), vigente);
    if (!lectura.contenido) {
        emit aviso(QString("No se puede calcular la solicitud con el baremo vigente («%1», desde "
                           "el %2): %3.")
                       .arg(Qs(vigente->nombre), cdv::FechaDeVigencia(*vigente), lectura.error));
        return {};
    }
    pila_.push(new OrdenCambiar<cdv::ContenidoSolicitud>(
        "Actualizar al baremo vigente", -1, std::move(antes), std::move(*lectura.contenido),
        [this](const cdv::ContenidoSolicitud& contenido) { solicitud_.Cargar(contenido); }));
    return Hecha(lectura.cambios);
}

// Without a digest to compare, a file there counts as changed: nothing turns the check off.
bool DocumentoSolicitud::CambiadoEnDisco(const QString& ruta) const {
    return ruta == ruta_ && QFileInfo::exists(ruta) &&
           (huella_.isEmpty() || cdv::HuellaDeArchivo(ruta) != huella_);
}

DocumentoSolicitud::Guardado DocumentoSolicitud::Guardar(const QString& ruta,
                                                         bool aunqueHayaCambiado) {
    if (!aunqueHayaCambiado && CambiadoEnDisco(ruta)) return Guardado::CambiadoEnDisco;
    const QByteArray datos = cdv::EscribirSolicitud(solicitud_.Contenido());
    const QString error = cdv::GuardarSolicitud(ruta, datos);
    if (!error.isEmpty()) {
        emit aviso(QString("No se ha podido guardar «%1»: %2.").arg(ruta, error));
        return Guardado::Fallido;
    }
    ruta_ = ruta;
    huella_ = cdv::Huella(datos);
    rutaConfirmada_ = true;
    pila_.setClean();  // also ends the merging of typed text into the step before
    SoltarTomada();
    emit estadoCambiado();
    return Guardado::Hecho;
}

// The request in `ruta`; nothing when the reading was stopped, or refused, whose reason goes to
// `error` after `noSePuede`.
std::optional<cdv::LecturaSolicitud> DocumentoSolicitud::Leer(const QString& ruta,
                                                              const cdv::Progreso& progreso,
                                                              const QString& noSePuede,
                                                              QString& error) {
    cdv::LecturaSolicitud lectura = cdv::AbrirArchivo(ruta, baremos_, progreso);
    if (lectura.detenida) return std::nullopt;
    if (!lectura.contenido) {
        error = QString("%1: %2.").arg(noSePuede, lectura.error);
        return std::nullopt;
    }
    return lectura;
}

DocumentoSolicitud::Apertura DocumentoSolicitud::Abrir(const QString& ruta,
                                                       const cdv::Progreso& progreso) {
    Apertura fallida;
    std::optional<cdv::LecturaSolicitud> lectura =
        Leer(ruta, progreso, "No se puede abrir «" + Nombre(ruta) + "»", fallida.error);
    if (!lectura) return fallida;
    // Fees priced otherwise than the file says make a request that differs from its file.
    Cargar(std::move(*lectura->contenido), {ruta, lectura->huella}, !lectura->cambios.isEmpty());
    rutaConfirmada_ = true;
    return Abierta(*lectura);
}

DocumentoSolicitud::Apertura DocumentoSolicitud::Recuperar(const QString& ruta,
                                                           const cdv::Progreso& progreso) {
    Apertura fallida;
    std::optional<cdv::LecturaSolicitud> lectura = Leer(
        ruta, progreso, "No se puede recuperar la sesión anterior («" + ruta + "»)", fallida.error);
    if (!lectura) return fallida;
    Cargar(std::move(*lectura->contenido), lectura->origen, true);
    // The file it names is its own only if it still holds what the session started from.
    rutaConfirmada_ = !huella_.isEmpty() && cdv::HuellaDeArchivo(ruta_) == huella_;
    recuperacion_.Tomar(ruta);
    tomada_ = ruta;
    // This run's recovery holds it once written, as soon as control is back in the event loop
    // (after any progress window has gone), and then the session goes.
    ProgramarRecuperacion();
    return Abierta(*lectura);
}

DocumentoSolicitud::Apertura DocumentoSolicitud::Abierta(const cdv::LecturaSolicitud& lectura) {
    Apertura apertura = Hecha(lectura.cambios);
    apertura.baremoDisponible = lectura.baremoDisponible;
    apertura.baremoRegistrado = lectura.baremoRegistrado;
    apertura.otroSentido = lectura.otroSentido;
    return apertura;
}

DocumentoSolicitud::Apertura DocumentoSolicitud::Hecha(const QStringList& cambios) {
    Apertura apertura;
    apertura.abierta = true;
    apertura.cambios = cambios;
    return apertura;
}

void DocumentoSolicitud::Cargar(cdv::ContenidoSolicitud contenido,
                                const cdv::OrigenSolicitud& origen, bool sinGuardar) {
    SoltarTomada();
    pila_.clear();
    solicitud_.Cargar(std::move(contenido));
    ruta_ = origen.archivo;
    huella_ = origen.huella;
    if (sinGuardar) pila_.resetClean();
    emit estadoCambiado();
}
