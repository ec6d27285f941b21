#include "LectorJson.h"

#include <QDate>
#include <QJsonArray>
#include <array>
#include <charconv>
#include <cmath>

#include "TextoLocal.h"

namespace cdv {

QString En(const QString& lugar, const QString& clave) {
    return lugar.isEmpty() ? clave : lugar + u'.' + clave;
}

QString En(const QString& lugar, qsizetype indice) {
    return lugar + u'[' + QString::number(indice) + u']';
}

QJsonValue Valor(const QJsonObject& objeto, const char* clave) {
    return objeto.value(QLatin1StringView(clave));
}

void LectorJson::Falta(const QString& lugar, const QString& que) {
    faltas << (lugar.isEmpty() ? que : lugar + ": " + que);
}

void LectorJson::Falta(const QString& lugar, const char* clave, const QString& que) {
    Falta(clave != nullptr ? En(lugar, clave) : lugar, que);
}

void LectorJson::Conocidas(const QJsonObject& objeto, const QString& lugar, Claves obligatorias,
                           Claves opcionales) {
    // Counted, the keys known: any more in the object are unknown, and only then sought.
    qsizetype conocidas = 0;
    for (const char* clave : obligatorias) {
        if (objeto.contains(QLatin1StringView(clave))) {
            ++conocidas;
        } else {
            Falta(lugar, clave, "falta");
        }
    }
    for (const char* clave : opcionales) conocidas += objeto.contains(QLatin1StringView(clave));
    if (conocidas == objeto.size()) return;
    for (const QString& clave : objeto.keys()) {
        bool conocida = false;
        for (const Claves claves : {obligatorias, opcionales})
            for (const char* una : claves) conocida = conocida || clave == QLatin1StringView(una);
        if (!conocida) Falta(En(lugar, clave), "clave desconocida");
    }
}

QJsonObject LectorJson::Objeto(const QJsonObject& objeto, const char* clave, const QString& lugar) {
    const QJsonValue valor = Valor(objeto, clave);
    if (!valor.isUndefined() && !valor.isObject()) Falta(lugar, clave, "no es un objeto");
    return valor.toObject();
}

std::vector<std::pair<qsizetype, QJsonValue>> LectorJson::Elementos(const QJsonObject& objeto,
                                                                    const char* clave,
                                                                    const QString& lugar) {
    const QJsonValue valor = Valor(objeto, clave);
    if (valor.isUndefined()) return {};
    if (!valor.isArray() || valor.toArray().isEmpty()) {
        Falta(lugar, clave, "no es una lista con algún elemento");
        return {};
    }
    std::vector<std::pair<qsizetype, QJsonValue>> elementos;
    const QJsonArray lista = valor.toArray();
    for (qsizetype k = 0; k < lista.size(); ++k) elementos.emplace_back(k, lista[k]);
    return elementos;
}

QJsonObject LectorJson::Elemento(const QJsonValue& valor, const QString& lugar, Claves obligatorias,
                                 Claves opcionales) {
    if (!valor.isObject()) Falta(lugar, "no es un objeto");
    const QJsonObject objeto = valor.toObject();
    Conocidas(objeto, lugar, obligatorias, opcionales);
    return objeto;
}

QString LectorJson::Texto(const QJsonObject& objeto, const char* clave, const QString& lugar,
                          bool vacioValido) {
    const QJsonValue valor = Valor(objeto, clave);
    if (valor.isUndefined()) return {};
    if (!valor.isString()) {
        Falta(lugar, clave, "no es un texto");
    } else if (!vacioValido && valor.toString().trimmed().isEmpty()) {
        Falta(lugar, clave, "está vacío");
    }
    return valor.toString();
}

std::optional<qint64> LectorJson::Entero(const QJsonObject& objeto, const char* clave,
                                         const QString& lugar) {
    const QJsonValue valor = Valor(objeto, clave);
    if (valor.isUndefined()) return std::nullopt;
    const double x = valor.toDouble();
    if (!valor.isDouble() || x != std::floor(x) || std::fabs(x) > 2147483647.0) {
        Falta(lugar, clave, "no es un número entero");
        return std::nullopt;
    }
    return static_cast<qint64>(x);
}

std::string LectorJson::Fecha(const QJsonObject& objeto, const char* clave, const QString& lugar) {
    const QString texto = Texto(objeto, clave, lugar);
    if (Valor(objeto, clave).isString() && !QDate::fromString(texto, "yyyy-MM-dd").isValid()) {
        Falta(En(lugar, clave), QString("«%1» no es una fecha AAAA-MM-DD").arg(Recortado(texto)));
    }
    return Us(texto);
}

void LectorJson::Largo(const QString& texto, const QString& lugar, qsizetype largo) {
    if (texto.size() > largo) Falta(lugar, QString("tiene más de %1 caracteres").arg(largo));
    if (const QString impropio = CaracterImpropio(texto); !impropio.isEmpty())
        Falta(lugar, "tiene " + impropio);
}

std::string LectorJson::Linea(const QJsonObject& objeto, const char* clave, const QString& lugar,
                              qsizetype largo) {
    const QString texto = Texto(objeto, clave, lugar);
    Largo(texto, En(lugar, clave), largo);
    return Us(texto);
}

std::int32_t LectorJson::Hasta(const QJsonObject& objeto, const QString& lugar,
                               std::int32_t& anterior) {
    const auto hasta = Entero(objeto, "hasta", lugar);
    if (hasta && *hasta <= anterior)
        Falta(En(lugar, "hasta"), QString("no pasa del límite anterior (%1)").arg(anterior));
    if (hasta) anterior = static_cast<std::int32_t>(*hasta);
    return hasta ? static_cast<std::int32_t>(*hasta) : 0;
}

Decimal LectorJson::NumeroDecimal(const QJsonValue& valor, const QString& lugar, int decimales) {
    std::array<char, 64> texto{};
    const auto escrito =
        valor.isDouble() && valor.toDouble() >= 0
            ? std::to_chars(texto.begin(), texto.end(), valor.toDouble(), std::chars_format::fixed)
            : std::to_chars_result{texto.begin(), std::errc::invalid_argument};
    const auto d = escrito.ec == std::errc()
                       ? LeerDecimal(std::string_view(texto.data(), escrito.ptr - texto.data()))
                       : std::nullopt;
    if (!d || d->decimales > decimales) {
        Falta(lugar, QString("no es un número ≥ 0 con %1 decimales como mucho, y menos de 18 "
                             "cifras")
                         .arg(decimales));
        return {};
    }
    return *d;
}

}  // namespace cdv
