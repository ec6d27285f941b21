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
    const QString texto = valor.toString();
    if (!valor.isString()) {
        Falta(lugar, clave, "no es un texto");
    } else if (!vacioValido && texto.trimmed().isEmpty()) {
        Falta(lugar, clave, "está vacío");
    }
    return texto;
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
    if (Valor(objeto, clave).isString() && !FechaDeArchivo(texto).isValid()) {
        Falta(En(lugar, clave), QString("«%1» no es una fecha AAAA-MM-DD").arg(Recortado(texto)));
    }
    return Us(texto);
}

void LectorJson::Largo(const QString& texto, const QString& lugar, const char* clave,
                       qsizetype largo) {
    if (texto.size() > largo) Falta(lugar, clave, QString("tiene más de %1 caracteres").arg(largo));
    if (const QString impropio = CaracterImpropio(texto); !impropio.isEmpty())
        Falta(lugar, clave, "tiene " + impropio);
}

std::string LectorJson::Linea(const QJsonObject& objeto, const char* clave, const QString& lugar,
                              qsizetype largo) {
    const QString texto = Texto(objeto, clave, lugar);
    Largo(texto, lugar, clave, largo);
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

namespace {

// A JSON number ≥ 0 as the decimal it is written as (its shortest exact form).
std::optional<Decimal> DecimalEscrito(const QJsonValue& valor) {
    std::array<char, 64> texto{};
    if (!valor.isDouble() || !(valor.toDouble() >= 0)) return std::nullopt;
    const auto escrito =
        std::to_chars(texto.begin(), texto.end(), valor.toDouble(), std::chars_format::fixed);
    if (escrito.ec != std::errc()) return std::nullopt;
    return LeerDecimal(std::string_view(texto.data(), escrito.ptr - texto.data()));
}

// A percentage from 0 to 100 with two decimals at most, in hundredths (8.2 is 820).
std::optional<int> Centesimas(const QJsonValue& valor) {
    const auto d = DecimalEscrito(valor);
    if (!d || d->decimales > 2 || Comparar(*d, {100, 0}) > 0) return std::nullopt;
    return static_cast<int>(d->mantisa * (d->decimales == 0 ? 100 : d->decimales == 1 ? 10 : 1));
}

}  // namespace

Decimal LectorJson::NumeroDecimal(const QJsonValue& valor, const QString& lugar, int decimales) {
    const auto d = DecimalEscrito(valor);
    if (!d || d->decimales > decimales) {
        Falta(lugar, QString("no es un número ≥ 0 con %1 decimales como mucho, y menos de 18 "
                             "cifras")
                         .arg(decimales));
        return {};
    }
    return *d;
}

Centimos LectorJson::Euros(const QJsonValue& valor, const QString& lugar) {
    const auto c = Exacto::De(NumeroDecimal(valor, lugar, 2)).AlCentimo();  // two decimals: exact
    if (!c) Falta(lugar, "pasa del importe más alto que se guarda");
    return c.value_or(0);
}

std::vector<TipoIva> LectorJson::TiposIva(const QJsonObject& raiz,
                                          const std::string& vigenteDesde) {
    std::vector<TipoIva> tipos;
    for (const auto& [k, valor] : Elementos(raiz, "iva", {})) {
        const QString lugar = En("iva", k);
        const QJsonObject t = Elemento(valor, lugar, {"desde", "porcentaje"});
        const std::string desde = Fecha(t, "desde", lugar);
        if (!tipos.empty() && desde <= tipos.back().desde)
            Falta(En(lugar, "desde"), "no es posterior a la fecha anterior");
        const auto centesimas = Centesimas(Valor(t, "porcentaje"));
        if (!centesimas)
            Falta(En(lugar, "porcentaje"), "no es un porcentaje de 0 a 100 con dos decimales");
        tipos.push_back({desde, centesimas.value_or(0)});
    }
    // Before their first, the statement would charge no IVA at all.
    if (!tipos.empty() && !vigenteDesde.empty() && tipos.front().desde > vigenteDesde)
        Falta(En(En("iva", 0), "desde"),
              QString("empieza después que el baremo (vigente desde %1): sus tipos deben "
                      "cubrirlo desde su primer día")
                  .arg(Qs(vigenteDesde)));
    return tipos;
}

}  // namespace cdv
