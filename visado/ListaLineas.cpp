#include "ListaLineas.h"

#include "TextoLocal.h"

namespace cdv {

ListaLineas::ListaLineas(Clase clase, std::shared_ptr<const Baremo> baremo, QObject* padre)
    : QAbstractListModel(padre), clase_(clase), baremo_(std::move(baremo)) {}

int ListaLineas::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : Cuantas();
}

QVariant ListaLineas::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid() || indice.row() >= Cuantas()) return {};
    if (rol != Qt::DisplayRole && rol != Qt::ToolTipRole) return {};
    const Linea& linea = En(indice.row());
    if (linea.antes.isEmpty())
        return rol == Qt::ToolTipRole ? AyudaLlana(Texto(indice.row())) : Texto(indice.row());
    // A line whose reference now means something else is marked, and its tooltip says why.
    if (rol == Qt::DisplayRole) return "(!) " + Texto(indice.row());
    return AyudaLlana(Texto(indice.row()) + "\n(!) Guardada como «" + linea.antes +
                      "»: en este baremo, su referencia significa otra cosa.");
}

QString ListaLineas::Texto(int fila) const {
    return clase_ == Clase::Documentos ? TextoLineaDocumento(*baremo_, En(fila))
                                       : TextoLineaPartida(*baremo_, En(fila));
}

bool ListaLineas::Cabe(Centimos cuota) const {
    return SumaCentimos(suma_, cuota).has_value();
}

void ListaLineas::Insertar(int fila, LineaCompartida linea) {
    beginInsertRows({}, fila, fila);
    suma_ += linea->cuota;
    lineas_.insert(lineas_.begin() + fila, std::move(linea));
    endInsertRows();
}

LineaCompartida ListaLineas::Quitar(int fila) {
    beginRemoveRows({}, fila, fila);
    LineaCompartida linea = std::move(lineas_[static_cast<std::size_t>(fila)]);
    lineas_.erase(lineas_.begin() + fila);
    suma_ -= linea->cuota;
    endRemoveRows();
    return linea;
}

void ListaLineas::Reemplazar(std::vector<LineaCompartida> lineas,
                             std::shared_ptr<const Baremo> baremo) {
    beginResetModel();
    lineas_ = std::move(lineas);
    baremo_ = std::move(baremo);
    suma_ = SumaDe(lineas_).value_or(0);  // a request read is checked whole
    endResetModel();
}

}  // namespace cdv
