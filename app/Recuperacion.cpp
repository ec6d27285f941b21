#include "Recuperacion.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include "ArchivoSolicitud.h"

namespace {

constexpr int kArchivosGuardados = 20;  // of finished runs; older ones are dropped

QString Cerrojo(const QString& ruta) {
    return ruta.left(ruta.size() - 4) + ".lock";
}

}  // namespace

QString Recuperacion::CarpetaPorDefecto() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recuperacion";
}

Recuperacion::Recuperacion(const QString& carpeta) : carpeta_(carpeta) {}

QString Recuperacion::Escribir(const QByteArray& datos) {
    if (ruta_.isEmpty()) Empezar();
    return cdv::GuardarArchivo(ruta_, datos);
}

// On the first write, so that a run that changes nothing costs nothing and leaves nothing.
void Recuperacion::Empezar() {
    QDir().mkpath(carpeta_);
    ruta_ = carpeta_ + "/" + QUuid::createUuid().toString(QUuid::WithoutBraces) + ".cdv";
    cerrojo_ = std::make_unique<QLockFile>(Cerrojo(ruta_));
    cerrojo_->setStaleLockTime(0);
    cerrojo_->tryLock(0);
    // Old files of finished runs go, beyond the newest few.
    const QFileInfoList archivos = QDir(carpeta_).entryInfoList({"*.cdv"}, QDir::Files, QDir::Time);
    for (qsizetype k = kArchivosGuardados; k < archivos.size(); ++k) {
        if (!EnCurso(archivos[k].filePath())) Descartar(archivos[k].filePath());
    }
}

bool Recuperacion::EnCurso(const QString& ruta) const {
    if (ruta == ruta_) return true;
    QLockFile otro(Cerrojo(ruta));
    otro.setStaleLockTime(0);
    if (!otro.tryLock(0)) return true;
    otro.unlock();
    return false;
}

QString Recuperacion::Anterior() const {
    for (const QFileInfo& archivo :
         QDir(carpeta_).entryInfoList({"*.cdv"}, QDir::Files, QDir::Time)) {
        if (!EnCurso(archivo.filePath())) return archivo.filePath();
    }
    return {};
}

void Recuperacion::Descartar(const QString& ruta) const {
    QFile::remove(ruta);
}
