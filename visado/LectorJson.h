// The shared part of the readers of the program's JSON files: every key known, every value of
// its kind, and every fault noted with its place ("filas[3].regla.tabla: falta"), so that a
// file is refused with all its faults at once and nothing of it is used.
#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Exacto.h"
#include "Iva.h"

namespace cdv {

using Claves = std::initializer_list<const char*>;

// The place of `clave` inside `lugar` ("filas[3].tabla"), and of an element of a list.
QString En(const QString& lugar, const QString& clave);
QString En(const QString& lugar, qsizetype indice);
QJsonValue Valor(const QJsonObject& objeto, const char* clave);

class LectorJson {
  public:
    QStringList faltas;

  protected:
    void Falta(const QString& lugar, const QString& que);
    // The place is only written out when there is a fault.
    void Falta(const QString& lugar, const char* clave, const QString& que);
    // Every key of `objeto` is one of `obligatorias` or `opcionales`, and every one of
    // `obligatorias` is there.
    void Conocidas(const QJsonObject& objeto, const QString& lugar, Claves obligatorias,
                   Claves opcionales);
    // Present keys of the wrong kind are faults; a missing one was noted by Conocidas.
    QJsonObject Objeto(const QJsonObject& objeto, const char* clave, const QString& lugar);
    std::vector<std::pair<qsizetype, QJsonValue>> Elementos(const QJsonObject& objeto,
                                                            const char* clave,
                                                            const QString& lugar);
    // A value that must be an object with `obligatorias` and perhaps `opcionales` (an element of
    // a list, a rule, a table).
    QJsonObject Elemento(const QJsonValue& valor, const QString& lugar, Claves obligatorias,
                         Claves opcionales = {});
    QString Texto(const QJsonObject& objeto, const char* clave, const QString& lugar,
                  bool vacioValido = false);
    std::optional<qint64> Entero(const QJsonObject& objeto, const char* clave,
                                 const QString& lugar);
    std::string Fecha(const QJsonObject& objeto, const char* clave, const QString& lugar = {});
    // A text of one line, within `largo` characters; its place `clave` in `lugar`.
    void Largo(const QString& texto, const QString& lugar, const char* clave, qsizetype largo);
    // The text of `clave`, not empty, of one line within `largo` characters.
    std::string Linea(const QJsonObject& objeto, const char* clave, const QString& lugar,
                      qsizetype largo);
    // A band's upper limit "hasta": a whole number above `anterior`, which it then becomes.
    std::int32_t Hasta(const QJsonObject& objeto, const QString& lugar, std::int32_t& anterior);
    // A number ≥ 0, as the decimal it is written as (its shortest exact form), with at most
    // `decimales` decimals; 0 when it is not one.
    Decimal NumeroDecimal(const QJsonValue& valor, const QString& lugar, int decimales);
    // An amount in euros ≥ 0 with at most two decimals, in cents; 0 when it is not one.
    Centimos Euros(const QJsonValue& valor, const QString& lugar);
    // The schedule's own IVA rates ("iva"), optional: each from a date, later than the one
    // before, a percentage from 0 to 100 in hundredths at most; the first from the schedule's
    // first day.
    std::vector<TipoIva> TiposIva(const QJsonObject& raiz, const std::string& vigenteDesde);
};

}  // namespace cdv
