// What a price list's row asks the user for besides its quantity, in the document side's frame:
// an option of each factor list the row weighs by (a selector named "cbbFactor" and the list's
// name), and the request's channel ("cbbCanal"), shown only when the price list prices the
// channels differently. A schedule of format 1 shows neither.
#pragma once

#include <QObject>
#include <map>
#include <string>
#include <vector>

#include "Linea.h"

class DocumentoSolicitud;
class QComboBox;
class QLabel;
class QWidget;

class EleccionTarifa : public QObject {
    Q_OBJECT

  public:
    EleccionTarifa(QWidget* marco, DocumentoSolicitud& documento);

    // The selectors the row `fila` of the request's schedule asks for; none for another kind.
    void MostrarPara(int fila);
    // The options chosen, as a line keeps them.
    cdv::Factores Factores() const;
    // Chooses the options a line was priced with.
    void Poner(const cdv::Factores& factores);
    // Whether the row shown asks for a quantity.
    bool PideCantidad() const { return pideCantidad_; }

  signals:
    // An option or the channel changed: the fee shown is to be priced again.
    void cambiada();

  private:
    void MostrarCanal();
    void CrearCanal();
    // The selector of `lista`, the `orden`th of the `cuantos` the row asks for, made once.
    QComboBox* Selector(const std::string& lista, int orden, int cuantos);
    // Another schedule: its lists may hold other options.
    void Olvidar();

    QWidget* marco_;
    DocumentoSolicitud& documento_;
    QLabel* etiquetaCanal_ = nullptr;
    QComboBox* canal_ = nullptr;
    std::map<std::string, std::pair<QLabel*, QComboBox*>> factores_;  // list → its selector
    std::vector<std::string> pedidos_;  // the lists the row shown asks for
    bool pideCantidad_ = true;
};
