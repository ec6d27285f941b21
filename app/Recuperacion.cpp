#include "Recuperacion.h"

#include <QDir>
#include <QFileInfo>
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

// A lock that says nothing of who took it (empty, cut short) is stale once it is old enough
// not to be one a run is still writing.
constexpr qint64 kEdadCerrojoIlegible = 10;  // seconds

// Whether a lock that could not be taken was left by a run that has ended: its process is
// gone, or it does not say which it was, or there is none (where none could be made).
bool Abandonado(const QLockFile& cerrojo, const QString& ruta) {
    qint64 proceso = 0;
    QString maquina, programa;
    if (cerrojo.getLockInfo(&proceso, &maquina, &programa)) return !SigueEnMarcha(proceso, maquina);
    const QFileInfo archivo(ruta);  // no lock at all: nobody holds it
    return !archivo.exists() ||
           archivo.lastModified().secsTo(QDateTime::currentDateTime()) > kEdadCerrojoIlegible;
}

// What QLockFile writes is a few short lines.
constexpr qint64 kTamanoCerrojo = 4096;

// A lock is looked at as any file read is: one that is no small regular file (a pipe, a link
// to a device or to nothing, a huge file) was made by no run, and would hang or flood the
// lock's own reading; it goes. Whether it could go.
bool CerrojoLegible(const QString& cerrojo) {
    return cdv::EntradaDe(cerrojo, kTamanoCerrojo) != cdv::Entrada::Otra || QFile::remove(cerrojo);
}

// Taking the lock tells an ended run where the folder takes changes; a stale lock is taken
// over. Where the folder takes no changes (full or read-only), the lock its run left says
// whether that run goes on.
Estado EstadoDe(const QString& ruta) {
    const QString cerrojo = Cerrojo(ruta);
    if (!CerrojoLegible(cerrojo)) return Estado::SoloLectura;
    QLockFile otro(cerrojo);
    otro.setStaleLockTime(0);  // a long run's lock is never stale by its age alone
    if (otro.tryLock(0) ||
        (Abandonado(otro, cerrojo) && otro.removeStaleLockFile() && otro.tryLock(0))) {
        otro.unlock();
        return Estado::Terminada;
    }
    return Abandonado(otro, cerrojo) ? Estado::SoloLectura : Estado::EnCurso;
}

// The folder and the files of unsaved work are the user's alone, whatever the umask. A lock
// file is made by QLockFile, a folder found already there is the program's own when it is
// a real folder: a link's target is not changed.
void SoloDelUsuario(const QString& ruta) {
    if (QFileInfo(ruta).isSymLink()) return;
    QFileDevice::Permissions permisos = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (QFileInfo(ruta).isDir()) permisos |= QFileDevice::ExeOwner;
    QFile::setPermissions(ruta, permisos);
}

void CrearCarpeta(const QString& carpeta) {
    cdv::CrearCarpetaPropia(carpeta, cdv::Acceso::SoloElUsuario);
    SoloDelUsuario(carpeta);
}

}  // namespace

QString ContenidoDe(const SesionAnterior& sesion) {
    const auto contar = [](int cuantos, const char* uno, const char* varios) {
        return QString("%1 %2").arg(cuantos).arg(cuantos == 1 ? uno : varios);
    };
    QStringList partes;
    if (sesion.documentos > 0 || sesion.partidas == 0)
        partes << contar(sesion.documentos, "documento", "documentos");
    if (sesion.partidas > 0) partes << contar(sesion.partidas, "partida", "partidas");
    return partes.join(" y ");
}

// The user's local application data: on Windows, not the part that roams between machines.
QString Recuperacion::CarpetaPorDefecto() {
    return cdv::CarpetaDatosUsuario() + "/cdv/recuperacion";
}

Recuperacion::Recuperacion(const QString& carpeta) : carpeta_(carpeta) {}

Recuperacion::~Recuperacion() = default;

QString Recuperacion::Escribir(const QByteArray& datos) {
    const bool primera = nombre_.isEmpty();
    if (!cerrojo_) Reservar();
    if (primera) BorrarAntiguas();
    const QString error = cdv::GuardarSolicitud(ruta_, datos, cdv::Acceso::SoloElUsuario);
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
    CrearCarpeta(carpeta_);
    if (nombre_.isEmpty()) nombre_ = QUuid::createUuid().toString(QUuid::WithoutBraces) + ".cdv";
    const QString reservada = carpeta_ + "/" + nombre_;
    auto cerrojo = std::make_unique<QLockFile>(Cerrojo(reservada));
    cerrojo->setStaleLockTime(0);
    if (cerrojo->tryLock(0)) {
        SoloDelUsuario(Cerrojo(reservada));
        if (!ruta_.isEmpty()) apartada_ = ruta_;
        ruta_ = reservada;
        cerrojo_ = std::move(cerrojo);
        problemaReserva_.clear();
        return;
    }
    // Unreserved, a file there would look like an ended run's to the other runs: it goes
    // where none of them looks.
    const QString aparte = carpeta_ + "/sin-reserva";
    CrearCarpeta(aparte);
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

// Entries that are no file (a pipe, a link to a device) are listed too, each with why it
// cannot be read once it is, so that they can be seen and discarded.
std::vector<SesionAnterior> Recuperacion::Anteriores() const {
    std::vector<SesionAnterior> sesiones;
    for (const QFileInfo& archivo :
         QDir(carpeta_).entryInfoList({"*.cdv"}, QDir::Files | QDir::System, QDir::Time)) {
        if (archivo.filePath() == ruta_) continue;
        const Estado estado = EstadoDe(archivo.filePath());
        if (estado == Estado::EnCurso) continue;
        SesionAnterior sesion;
        sesion.ruta = archivo.filePath();
        sesion.fecha = archivo.lastModified();
        sesion.soloLectura = estado == Estado::SoloLectura;
        sesiones.push_back(std::move(sesion));
    }
    return sesiones;
}

void Recuperacion::Leer(SesionAnterior& sesion, const cdv::Baremos& baremos) {
    const cdv::LecturaSolicitud lectura = cdv::AbrirArchivo(sesion.ruta, baremos);
    if (!lectura.contenido) {
        sesion.error = lectura.error;
        return;
    }
    sesion.documentos = static_cast<int>(lectura.contenido->documentos.size());
    // Items a project line holds are in that line, not more lines.
    const auto& partidas = lectura.contenido->partidas;
    if (!cdv::PartidasEnDocumentos(lectura.contenido->documentos, partidas))
        sesion.partidas = static_cast<int>(partidas.size());
    sesion.total = cdv::SumaDe(lectura.contenido->documentos).value_or(0);
    sesion.archivo = lectura.origen.archivo;
}

void Recuperacion::Tomar(const QString& ruta) {
    if (!CerrojoLegible(Cerrojo(ruta))) return;
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
