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

#include "Tarifa.h"

namespace cdv {

inline constexpr int kFormatoTarifa = 2;

struct LecturaTarifa {
    std::shared_ptr<const Tarifa> tarifa;  // nothing when the file is refused
    QStringList faltas;                    // each fault, or example that fails, with its place
};

// Whether a file's root object says it is of format 2 (whatever else is wrong with it).
bool EsDeFormatoTarifa(const QJsonObject& raiz);
LecturaTarifa LeerTarifa(const QByteArray& datos);
// The file at `ruta`, read once: when it is of format 2, the list read and checked, each fault
// beginning with the file's name; nothing for any other file, which the reader of format 1
// tells about (one that cannot be read, or is no JSON, included).
std::optional<LecturaTarifa> AbrirSiEsTarifa(const QString& ruta);

}  // namespace cdv
