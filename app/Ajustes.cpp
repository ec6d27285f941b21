#include "Ajustes.h"

#include "ArchivoLocal.h"
#include "TextoLocal.h"

namespace {

constexpr char kClaveColegio[] = "colegio";

}  // namespace

QSettings Ajustes() {
    constexpr qint64 kTamanoMaximoAjustes = 1 << 20;
    const QString carpeta = cdv::CarpetaConfiguracionUsuario() + "/cdv";
    const QString ruta = carpeta + "/ventanas.conf";
    const bool legible = cdv::EntradaDe(ruta, kTamanoMaximoAjustes) != cdv::Entrada::Otra &&
                         cdv::EntradaDe(ruta + ".lock", kTamanoMaximoAjustes) != cdv::Entrada::Otra;
    if (legible) cdv::CrearCarpetaPropia(carpeta);
    return QSettings(legible ? ruta : QString(), QSettings::IniFormat);
}

std::optional<std::string> ColegioRecordado() {
    const QVariant recordado = Ajustes().value(kClaveColegio);
    if (!recordado.isValid()) return std::nullopt;
    return Us(recordado.toString());
}

void RecordarColegio(const std::string& colegio) {
    Ajustes().setValue(kClaveColegio, Qs(colegio));
}
