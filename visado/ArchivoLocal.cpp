#include "ArchivoLocal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace cdv {

namespace {

// The system's reason as a clause to end a sentence with: Windows ends its own with a period.
QString Motivo(const QFileDevice& archivo) {
    QString motivo = archivo.errorString().trimmed();
    while (motivo.endsWith(u'.')) motivo.chop(1);
    return motivo;
}

LecturaArchivo Rechazo(const QString& error) {
    return {std::nullopt, error};
}

// Opens `archivo` for reading only if it is a regular file. On Unix the file is opened without
// waiting (a pipe would block the open itself) and then asked what it is, so that nothing can
// be swapped in between.
QString AbrirNormal(QFile& archivo) {
#if defined(Q_OS_UNIX)
    const int fd = ::open(QFile::encodeName(archivo.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        archivo.open(QIODevice::ReadOnly);  // for the system's own words
        return Motivo(archivo);
    }
    struct stat datos {};
    if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode)) {
        ::close(fd);
        return "no es un archivo normal";
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Motivo(archivo);
    }
    return {};
#else
    const QFileInfo info(archivo.fileName());
    if (info.exists() && !info.isFile()) return "no es un archivo normal";
    return archivo.open(QIODevice::ReadOnly) ? QString() : Motivo(archivo);
#endif
}

}  // namespace

QString CarpetaDatosUsuario() {
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    return xdg.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         : xdg;
}

QString CarpetaConfiguracionUsuario() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    return xdg.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                         : xdg;
}

LecturaArchivo LeerArchivo(const QString& ruta, qint64 limite) {
    QFile archivo(ruta);
    if (!QFileInfo(ruta).exists()) {
        return Rechazo(QFileInfo(ruta).isSymLink() ? "es un enlace a nada" : "no existe");
    }
    // A socket or a device would answer the open itself with the system's riddle ("No existe
    // el dispositivo"); looked at first, without opening it.
    if (!QFileInfo(ruta).isFile()) return Rechazo("no es un archivo normal");
    if (const QString error = AbrirNormal(archivo); !error.isEmpty()) return Rechazo(error);
    const auto demasiado = [limite] {
        return QString("es demasiado grande (más de %1 MB)").arg(limite >> 20);
    };
    if (archivo.size() > limite) return Rechazo(demasiado());
    QByteArray datos = archivo.read(limite + 1);
    if (archivo.error() != QFile::NoError) return Rechazo(Motivo(archivo));
    if (datos.size() > limite) return Rechazo(demasiado());
    return {std::move(datos), {}};
}

Entrada EntradaDe(const QString& ruta, qint64 limite) {
    const QFileInfo info(ruta);  // stat() only: nothing is opened
    if (!info.exists()) return info.isSymLink() ? Entrada::Otra : Entrada::Ninguna;
    return info.isFile() && info.size() <= limite ? Entrada::Normal : Entrada::Otra;
}

void CrearCarpetaPropia(const QString& carpeta, Acceso acceso) {
    const QFileInfo info(carpeta);
    if (info.exists() || info.isSymLink()) return;
    CrearCarpetaPropia(info.absolutePath(), Acceso::Comun);
    if (!QDir().mkdir(carpeta)) return;
    QFileDevice::Permissions permisos =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    if (acceso == Acceso::Comun)
        permisos |= QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                    QFileDevice::ExeOther;
    QFile::setPermissions(carpeta, permisos);
}

namespace {

// Why a write failed: the system's words, but for a full disk, which Qt tells as an unknown
// error.
QString MotivoAlEscribir(const QFileDevice& archivo, const QString& ruta, qint64 bytes) {
    const QStorageInfo disco(QFileInfo(ruta).absolutePath());
    if (disco.isValid() && disco.bytesAvailable() >= 0 && disco.bytesAvailable() < bytes + 4096)
        return "no queda espacio en el disco";
    return Motivo(archivo);
}

#if defined(Q_OS_UNIX)
// A pipe or a character device at `ruta` takes the bytes as they come; nothing else there
// is written into.
QString EscribirEnFlujo(const QString& ruta, const QByteArray& datos) {
    const int fd =
        ::open(QFile::encodeName(ruta).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return errno == ENXIO ? QString("es una tubería de la que nadie lee")
                              : QString::fromLocal8Bit(std::strerror(errno));
    }
    struct stat datosEntrada {};
    if (::fstat(fd, &datosEntrada) != 0 ||
        !(S_ISFIFO(datosEntrada.st_mode) || S_ISCHR(datosEntrada.st_mode))) {
        ::close(fd);
        return "no es un archivo normal";
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile flujo;
    if (!flujo.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Motivo(flujo);
    }
    if (flujo.write(datos) != datos.size() || !flujo.flush()) return Motivo(flujo);
    return {};
}

bool EsFlujo(const QString& ruta) {
    struct stat datos {};
    return ::stat(QFile::encodeName(ruta).constData(), &datos) == 0 &&
           (S_ISFIFO(datos.st_mode) || S_ISCHR(datos.st_mode));
}
#endif

}  // namespace

QString GuardarArchivo(const QString& ruta, const QByteArray& datos, Acceso acceso) {
#if defined(Q_OS_UNIX)
    if (EsFlujo(ruta)) return EscribirEnFlujo(ruta, datos);
#endif
    const QFileInfo info(ruta);
    if ((info.exists() && !info.isFile()) || (!info.exists() && info.isSymLink()))
        return "no es un archivo normal";
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) return Motivo(archivo);
    archivo.setPermissions(acceso == Acceso::SoloElUsuario
                               ? QFileDevice::ReadOwner | QFileDevice::WriteOwner
                               : archivo.permissions() &
                                     ~(QFileDevice::WriteGroup | QFileDevice::WriteOther));
    // Every byte must reach the disk before the file takes the old one's place: commit()
    // alone can report success after its own flush failed (a full disk), so flush first.
    if (archivo.write(datos) != datos.size() || !archivo.flush()) {
        const QString error = MotivoAlEscribir(archivo, ruta, datos.size());
        archivo.cancelWriting();
        return error;
    }
    if (!archivo.commit()) return MotivoAlEscribir(archivo, ruta, datos.size());
    return {};
}

}  // namespace cdv
