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

QString GuardarArchivo(const QString& ruta, const QByteArray& datos, Acceso acceso) {
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) return Motivo(archivo);
    if (acceso == Acceso::SoloElUsuario)
        archivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Every byte must reach the disk before the file takes the old one's place: commit()
    // alone can report success after its own flush failed (a full disk), so flush first.
    if (archivo.write(datos) != datos.size() || !archivo.flush()) {
        const QString error = Motivo(archivo);
        archivo.cancelWriting();
        return error;
    }
    if (!archivo.commit()) return Motivo(archivo);
    return {};
}

}  // namespace cdv
