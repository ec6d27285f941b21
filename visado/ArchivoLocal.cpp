#include "ArchivoLocal.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace cdv {

namespace {

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
        return archivo.errorString();
    }
    struct stat datos {};
    if (::fstat(fd, &datos) != 0 || !S_ISREG(datos.st_mode)) {
        ::close(fd);
        return "no es un archivo normal";
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!archivo.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return archivo.errorString();
    }
    return {};
#else
    const QFileInfo info(archivo.fileName());
    if (info.exists() && !info.isFile()) return "no es un archivo normal";
    return archivo.open(QIODevice::ReadOnly) ? QString() : archivo.errorString();
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
    if (const QString error = AbrirNormal(archivo); !error.isEmpty()) return Rechazo(error);
    const auto demasiado = [limite] {
        return QString("es demasiado grande (más de %1 MB)").arg(limite >> 20);
    };
    if (archivo.size() > limite) return Rechazo(demasiado());
    QByteArray datos = archivo.read(limite + 1);
    if (archivo.error() != QFile::NoError) return Rechazo(archivo.errorString());
    if (datos.size() > limite) return Rechazo(demasiado());
    return {std::move(datos), {}};
}

QString GuardarArchivo(const QString& ruta, const QByteArray& datos, Acceso acceso) {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) return archivo.errorString();
    if (acceso == Acceso::SoloElUsuario)
        archivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Every byte must reach the disk before the file takes the old one's place: commit()
    // alone can report success after its own flush failed (a full disk), so flush first.
    if (archivo.write(datos) != datos.size() || !archivo.flush()) {
        const QString error = archivo.errorString();
        archivo.cancelWriting();
        return error;
    }
    if (!archivo.commit()) return archivo.errorString();
    return {};
}

}  // namespace cdv
