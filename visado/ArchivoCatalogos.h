// A schedule of format 2 computed in floating point ("calculo": "coma_flotante"), as the built-in
// one is: work types and document types whose rules are named as a price list names them, a
// marginal table and a stepped one, update factors, and the discount options of the project
// documents. It gives the same schedule, to the last bit and digest, as the same content in
// format 1.
#pragma once

#include <QJsonObject>

#include "ArchivoBaremo.h"

namespace cdv {

// Whether a file of format 2 says it is computed in floating point.
bool EsDeCalculoEnComaFlotante(const QJsonObject& raiz);
// Its root object, read and checked, every fault with its place.
LecturaBaremo LeerBaremoDeCatalogos(const QJsonObject& raiz);
// A schedule of catalogues as such a file, a row's fields on their lines and a rule, a band or
// an option on one line; it reads back as the same schedule.
QByteArray EscribirCatalogos(const Baremo& baremo);

}  // namespace cdv
