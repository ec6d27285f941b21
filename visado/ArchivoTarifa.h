// A price list's file (schedule format 2), as an association's staff write it: JSON in UTF-8,
// every key known, every number read as the decimal it is written as, every fault told with its
// place, and the association's own worked examples priced before the list is taken.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "ArchivoBaremo.h"
#include "Tarifa.h"

namespace cdv {

inline constexpr int kFormatoTarifa = 2;

struct LecturaTarifa {
    std::shared_ptr<const Tarifa> tarifa;  // nothing when the file is refused
    QStringList faltas;                    // each fault, or example that fails, with its place
};

// Whether a file's root object says it is of format 2 (whatever else is wrong with it).
bool EsDeFormatoTarifa(const QJsonObject& raiz);
// A price list's root object (of the file `datos`), read and checked, as a schedule whose
// documents are its rows (Regla::SegunTarifa). Its digest is that of the list's content,
// whatever the file's blanks and order of keys.
LecturaBaremo LeerBaremoDeTarifa(const QJsonObject& raiz, const QByteArray& datos);

}  // namespace cdv
