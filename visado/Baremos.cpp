#include "Baremos.h"

#include <QDir>
#include <QStandardPaths>

#include "ArchivoBaremo.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

constexpr char kSubcarpeta[] = "/cdv/baremos";

void Anadir(std::vector<BaremoHallado>& hallados, const QString& carpeta, Procedencia procedencia) {
    for (const QFileInfo& archivo :
         QDir(carpeta).entryInfoList({"*.json"}, QDir::Files | QDir::Readable, QDir::Name)) {
        LecturaBaremo lectura = AbrirBaremo(archivo.filePath());
        hallados.push_back({std::move(lectura.baremo), procedencia, archivo.filePath(),
                            std::move(lectura.faltas)});
    }
}

}  // namespace

Baremos::Baremos() : hallados_{{BaremoIncorporado(), Procedencia::Incorporado, {}, {}}} {}

Baremos Baremos::Buscar(const QStringList& carpetasSistema, const QString& carpetaUsuario) {
    Baremos baremos;
    for (const QString& carpeta : carpetasSistema)
        Anadir(baremos.hallados_, carpeta, Procedencia::Sistema);
    Anadir(baremos.hallados_, carpetaUsuario, Procedencia::Usuario);
    return baremos;
}

QString Baremos::CarpetaUsuario() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + kSubcarpeta;
}

QStringList Baremos::CarpetasSistema() {
    QStringList carpetas;
    const QString usuario = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    for (const QString& carpeta :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (carpeta != usuario) carpetas << carpeta + kSubcarpeta;
    }
    return carpetas;
}

std::shared_ptr<const Baremo> Baremos::EnVigor(const QDate& dia) const {
    const std::string hoy = Us(dia.toString("yyyy-MM-dd"));
    const BaremoHallado* elegido = nullptr;
    for (const BaremoHallado& hallado : hallados_) {
        if (!hallado.baremo || hallado.baremo->vigenteDesde > hoy) continue;
        if (elegido == nullptr ||
            std::pair(hallado.baremo->vigenteDesde, hallado.procedencia) >=
                std::pair(elegido->baremo->vigenteDesde, elegido->procedencia)) {
            elegido = &hallado;
        }
    }
    return elegido != nullptr ? elegido->baremo : hallados_.front().baremo;
}

std::shared_ptr<const Baremo> Baremos::ConHuella(const std::string& huella) const {
    for (const BaremoHallado& hallado : hallados_) {
        if (hallado.baremo && hallado.baremo->huella == huella) return hallado.baremo;
    }
    return nullptr;
}

QStringList Baremos::Rechazos() const {
    QStringList rechazos;
    for (const BaremoHallado& hallado : hallados_) rechazos << hallado.faltas;
    return rechazos;
}

QString NombreProcedencia(Procedencia procedencia) {
    constexpr const char* kNombres[] = {"incorporado", "del sistema", "del usuario"};
    return kNombres[static_cast<int>(procedencia)];
}

}  // namespace cdv
