// One list of a visa request (its documents, or the project's work items) with its exact
// total, as an item model that the summary windows show: one summary line per row.
#pragma once

#include <QAbstractListModel>
#include <memory>
#include <vector>

#include "Linea.h"

namespace cdv {

class ListaLineas : public QAbstractListModel {
    Q_OBJECT

  public:
    enum class Clase { Documentos, Partidas };
    // Lines of rows of `baremo`.
    ListaLineas(Clase clase, std::shared_ptr<const Baremo> baremo, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    // The summary line, as text and as tooltip (long lines whole).
    QVariant data(const QModelIndex& indice, int rol) const override;

    bool DeDocumentos() const { return clase_ == Clase::Documentos; }
    int Cuantas() const { return static_cast<int>(lineas_.size()); }
    const Linea& En(int fila) const { return *lineas_[static_cast<std::size_t>(fila)]; }
    const std::vector<LineaCompartida>& Todas() const { return lineas_; }
    QString Texto(int fila) const;
    // The sum of the fees of the lines, exact.
    Centimos Suma() const { return suma_; }
    // Whether `cuota` can join without taking the total past what is kept.
    bool Cabe(Centimos cuota) const;

    // Edits, each at constant cost but for the shift of the rows after it.
    void Insertar(int fila, LineaCompartida linea);
    LineaCompartida Quitar(int fila);
    // Every line at once, of rows of `baremo`.
    void Reemplazar(std::vector<LineaCompartida> lineas, std::shared_ptr<const Baremo> baremo);

  private:
    Clase clase_;
    std::shared_ptr<const Baremo> baremo_;
    std::vector<LineaCompartida> lineas_;
    Centimos suma_ = 0;
};

}  // namespace cdv
