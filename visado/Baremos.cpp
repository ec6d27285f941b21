#include "Baremos.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <span>
#include <tuple>

#include "ArchivoBaremo.h"
#include "ArchivoLocal.h"
#include "JsonEstricto.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

constexpr char kSubcarpeta[] = "/cdv/baremos";

// Two schedules of one association in one folder in force from the same day: neither is used.
void RechazarEmpates(std::span<BaremoHallado> carpeta) {
    std::vector<QString> faltas(carpeta.size());
    for (std::size_t a = 0; a < carpeta.size(); ++a) {
        for (std::size_t b = 0; b < carpeta.size(); ++b) {
            if (a == b || carpeta[a].vigenteDesde.empty() ||
                carpeta[a].vigenteDesde != carpeta[b].vigenteDesde ||
                carpeta[a].colegio != carpeta[b].colegio || !faltas[a].isEmpty())
                continue;
            faltas[a] = QString(
                            "«%1»: es de la misma fecha (%2) que «%3», en la misma carpeta; "
                            "no se usa ninguno de los dos hasta que quite uno")
                            .arg(QFileInfo(carpeta[a].ruta).fileName(), Qs(carpeta[a].vigenteDesde),
                                 QFileInfo(carpeta[b].ruta).fileName());
        }
    }
    for (std::size_t k = 0; k < carpeta.size(); ++k)
        if (!faltas[k].isEmpty()) carpeta[k].Rechazar(faltas[k]);
}

// Every *.json of `carpeta`, links that lead nowhere and entries that are no file included,
// so that each is told rather than passed over.
void Anadir(std::vector<BaremoHallado>& hallados, const QString& carpeta, Procedencia procedencia,
            int numero) {
    const QDir::Filters filtro = QDir::Files | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot;
    const std::size_t primero = hallados.size();
    for (const QFileInfo& archivo : QDir(carpeta).entryInfoList({"*.json"}, filtro, QDir::Name))
        hallados.emplace_back(procedencia, archivo.filePath(), numero);
    RechazarEmpates(std::span(hallados).subspan(primero));
}

// Which of two schedules in force on the same day wins.
auto Preferencia(const BaremoHallado& h, std::size_t indice) {
    return std::tuple(h.vigenteDesde, h.procedencia, -h.carpeta, indice);
}

}  // namespace

QDate Hoy() {
    return QDate::currentDate();
}

BaremoHallado::BaremoHallado(std::shared_ptr<const cdv::Baremo> incorporado)
    : nombre(incorporado->nombre),
      vigenteDesde(incorporado->vigenteDesde),
      colegio(ClaveColegio(*incorporado)),
      estado_(std::make_shared<Estado>(Estado{true, std::move(incorporado), {}})) {}

BaremoHallado::BaremoHallado(Procedencia procedencia, const QString& ruta, int carpeta)
    : procedencia(procedencia), ruta(ruta), carpeta(carpeta), estado_(std::make_shared<Estado>()) {
    const LecturaArchivo archivo = LeerArchivo(ruta, kTamanoMaximoBaremo);
    ComprobacionJson json;
    if (archivo.datos)
        json = ComprobarJson(std::string_view(archivo.datos->constData(), archivo.datos->size()));
    const QString falta = archivo.datos ? json.falta : archivo.error;
    if (!falta.isEmpty()) {
        *estado_ = {true, nullptr, {"«" + QFileInfo(ruta).fileName() + "»: " + falta}};
        return;
    }
    nombre = json.textosRaiz["nombre"];
    vigenteDesde = json.textosRaiz["vigente_desde"];
    colegio = ClaveColegio(json.textosRaiz["colegio"], json.textosRaiz["demarcacion"]);
    // Without a date it cannot be placed among the others: read whole now, it tells why.
    if (!FechaDeArchivo(Qs(vigenteDesde)).isValid()) Baremo();
}

std::shared_ptr<const Baremo> BaremoHallado::Baremo() const {
    if (!estado_->leido) {
        LecturaBaremo lectura = AbrirBaremo(ruta);
        *estado_ = {true, std::move(lectura.baremo), std::move(lectura.faltas)};
    }
    return estado_->baremo;
}

Baremos::Baremos() : hallados_{BaremoHallado(BaremoIncorporado())} {}

Baremos Baremos::Buscar(const QStringList& carpetasSistema, const QString& carpetaUsuario) {
    Baremos baremos;
    for (int k = 0; k < carpetasSistema.size(); ++k)
        Anadir(baremos.hallados_, carpetasSistema[k], Procedencia::Sistema, k);
    Anadir(baremos.hallados_, carpetaUsuario, Procedencia::Usuario, 0);
    return baremos;
}

QString Baremos::CarpetaUsuario() {
    return CarpetaDatosUsuario() + kSubcarpeta;
}

QStringList Baremos::CarpetasSistema() {
    QStringList carpetas;
    // The user's own folders are not among the system's.
    const QStringList usuario{QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                              CarpetaDatosUsuario()};
    for (const QString& carpeta :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (!usuario.contains(carpeta)) carpetas << carpeta + kSubcarpeta;
    }
    return carpetas;
}

// The candidates in order of preference, each read only when those before it were refused.
std::shared_ptr<const Baremo> Baremos::EnVigor(const QDate& dia, const std::string& colegio) const {
    const std::string hoy = Us(FechaAlArchivo(dia));
    std::vector<std::size_t> candidatos;
    for (std::size_t k = 0; k < hallados_.size(); ++k) {
        const BaremoHallado& h = hallados_[k];
        if (!h.Rechazado() && !h.vigenteDesde.empty() && h.vigenteDesde <= hoy &&
            h.colegio == colegio)
            candidatos.push_back(k);
    }
    std::sort(candidatos.begin(), candidatos.end(), [this](std::size_t a, std::size_t b) {
        return Preferencia(hallados_[a], a) > Preferencia(hallados_[b], b);
    });
    for (const std::size_t k : candidatos) {
        if (auto baremo = hallados_[k].Baremo()) return baremo;
    }
    return hallados_.front().Baremo();
}

std::shared_ptr<const Baremo> Baremos::ConHuella(const std::string& huella,
                                                 const std::string& nombre,
                                                 const std::string& vigenteDesde) const {
    for (const BaremoHallado& hallado : hallados_) {
        // What a schedule says of itself is part of its digest: only those that say the same
        // can have it, and only they are read.
        if (hallado.nombre != nombre || hallado.vigenteDesde != vigenteDesde) continue;
        if (const auto baremo = hallado.Baremo(); baremo && baremo->huella == huella) return baremo;
    }
    return nullptr;
}

std::vector<std::string> Baremos::Colegios() const {
    std::vector<std::string> colegios;
    for (const BaremoHallado& hallado : hallados_)
        if (!hallado.Rechazado()) colegios.push_back(hallado.colegio);
    std::sort(colegios.begin(), colegios.end());
    colegios.erase(std::unique(colegios.begin(), colegios.end()), colegios.end());
    return colegios;
}

void Baremos::LeerTodos() const {
    for (const BaremoHallado& hallado : hallados_) hallado.Baremo();
}

QStringList Baremos::Rechazos() const {
    QStringList rechazos;
    for (const BaremoHallado& hallado : hallados_) rechazos << hallado.Faltas();
    return rechazos;
}

QString NombreProcedencia(Procedencia procedencia) {
    constexpr const char* kNombres[] = {"incorporado", "del sistema", "del usuario"};
    return kNombres[static_cast<int>(procedencia)];
}

}  // namespace cdv
