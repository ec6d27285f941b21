// A price list's file (schedule format 2), as an association's staff write it: JSON in UTF-8,
// every key known, every number read as the decimal it is written as, every fault told with its
// place, and the association's own worked examples priced before the list is taken.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

#include "Tarifa.h"

namespace cdv {

inline constexpr int kFormatoTarifa = 2;

struct LecturaTarifa {
    std::shared_ptr<const Tarifa> tarifa;  // nothing when the file is refused
    QStringList faltas;                    // each fault, or example that fails, with its place
};

// Whether `datos` is a file of format 2 (whatever else is wrong with it).
bool EsTarifa(const QByteArray& datos);
LecturaTarifa LeerTarifa(const QByteArray& datos);
// Reads the file at `ruta`; each fault begins with the file's name.
LecturaTarifa AbrirTarifa(const QString& ruta);

}  // namespace cdv
