#include "Recuperacion.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>

#include "ArchivoSolicitud.h"

#if defined(Q_OS_UNIX)
#include <signal.h>

#include <cerrno>
#endif

namespace {

QString Cerrojo(const QString& ruta) {
    return ruta.left(ruta.size() - 4) + ".lock";
}

enum class Estado {
    Terminada,    // its run has ended, and its file can be taken and removed
    EnCurso,      // its run goes on
    SoloLectura,  // its run has ended, but the folder takes no changes
};

// Whether the process that took a lock still runs, as far as this machine can tell; a lock
// taken on another machine (a shared home folder) is taken as held.
bool SigueEnMarcha(qint64 proceso, const QString& maquina) {
    if (maquina != QSysInfo::machineHostName()) return true;
#if defined(Q_OS_UNIX)
    return ::kill(static_cast<pid_t>(proceso), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(proceso);
    return true;
#endif
}

// Taking the lock tells an ended run where the folder takes changes. Where it does not (a
// full or read-only folder), the lock its run left says whether that run goes on.
Estado EstadoDe(const QString& ruta) {
    QLockFile otro(Cerrojo(ruta));
    otro.setStaleLockTime(0);
    if (otro.tryLock(0)) {
        otro.unlock();
        return Estado::Terminada;
    }
    qint64 proceso = 0;
    QString maquina, programa;
    if (otro.getLockInfo(&proceso, &maquina, &programa) && SigueEnMarcha(proceso, maquina)) {
        return Estado::EnCurso;
    }
    return Estado::SoloLectura;
}

}  // namespace

QString Recuperacion::CarpetaPorDefecto() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recuperacion";
}

Recuperacion::Recuperacion(const QString& carpeta) : carpeta_(carpeta) {}

Recuperacion::~Recuperacion() = default;

QString Recuperacion::Escribir(const QByteArray& datos) {
    const bool primera = nombre_.isEmpty();
    if (!cerrojo_) Reservar();
    if (primera) BorrarAntiguas();
    const QString error = cdv::GuardarSolicitud(ruta_, datos);
    if (error.isEmpty() && !apartada_.isEmpty()) {
        QFile::remove(apartada_);  // the reserved file holds it now
        apartada_.clear();
    }
    return error;
}

void Recuperacion::Quitar() {
    for (const QString& ruta : {ruta_, apartada_}) {
        if (!ruta.isEmpty()) QFile::remove(ruta);
    }
}

// On the first write, so that a run that changes nothing costs nothing and leaves nothing;
// again at each write while the folder refuses the lock.
void Recuperacion::Reservar() {
    QDir().mkpath(carpeta_);
    if (nombre_.isEmpty()) nombre_ = QUuid::createUuid().toString(QUuid::WithoutBraces) + ".cdv";
    const QString reservada = carpeta_ + "/" + nombre_;
    auto cerrojo = std::make_unique<QLockFile>(Cerrojo(reservada));
    cerrojo->setStaleLockTime(0);
    if (cerrojo->tryLock(0)) {
        if (!ruta_.isEmpty()) apartada_ = ruta_;
        ruta_ = reservada;
        cerrojo_ = std::move(cerrojo);
        problemaReserva_.clear();
        return;
    }
    // Unreserved, a file there would look like an ended run's to the other runs: it goes
    // where none of them looks.
    const QString aparte = carpeta_ + "/sin-reserva";
    QDir().mkpath(aparte);
    ruta_ = aparte + "/" + nombre_;
    problemaReserva_ = QString(
                           "No se puede reservar la copia de recuperación en «%1». Se escribe "
                           "aparte, en «%2», donde «Recuperar la sesión anterior» no la buscará: "
                           "si el programa se cierra de forma inesperada, ábrala con Abrir.")
                           .arg(carpeta_, ruta_);
}

void Recuperacion::BorrarAntiguas() const {
    const QDateTime limite = QDateTime::currentDateTime().addDays(-kDiasGuardadas);
    for (const QFileInfo& archivo :
         QDir(carpeta_).entryInfoList({"*.cdv"}, QDir::Files, QDir::Time)) {
        if (archivo.filePath() != ruta_ && archivo.lastModified() < limite &&
            EstadoDe(archivo.filePath()) == Estado::Terminada) {
            QFile::remove(archivo.filePath());
        }
    }
}

std::vector<SesionAnterior> Recuperacion::Anteriores(const cdv::Baremos& baremos) const {
    std::vector<SesionAnterior> sesiones;
    for (const QFileInfo& archivo :
         QDir(carpeta_).entryInfoList({"*.cdv"}, QDir::Files, QDir::Time)) {
        if (archivo.filePath() == ruta_) continue;
        const Estado estado = EstadoDe(archivo.filePath());
        if (estado == Estado::EnCurso) continue;
        SesionAnterior sesion;
        sesion.ruta = archivo.filePath();
        sesion.fecha = archivo.lastModified();
        sesion.soloLectura = estado == Estado::SoloLectura;
        const cdv::LecturaSolicitud lectura = cdv::AbrirArchivo(sesion.ruta, baremos);
        if (lectura.contenido) {
            sesion.lineas = static_cast<int>(lectura.contenido->documentos.size() +
                                             lectura.contenido->partidas.size());
            sesion.total = cdv::SumaDe(lectura.contenido->documentos).value_or(0);
            sesion.archivo = lectura.origen.archivo;
        } else {
            sesion.error = lectura.error;
        }
        sesiones.push_back(std::move(sesion));
    }
    return sesiones;
}

void Recuperacion::Tomar(const QString& ruta) {
    tomada_ = std::make_unique<QLockFile>(Cerrojo(ruta));
    tomada_->setStaleLockTime(0);
    rutaTomada_ = ruta;
    if (!tomada_->tryLock(0)) tomada_.reset();
}

bool Recuperacion::Descartar(const QString& ruta) {
    const bool quitada = !QFile::exists(ruta) || QFile::remove(ruta);
    if (ruta == rutaTomada_) tomada_.reset();
    return quitada;
}
