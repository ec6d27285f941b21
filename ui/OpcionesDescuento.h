// The discount options of the project documents for an earlier stage: one frame for each
// project document of the schedule that offers them, all in the same place, at most one shown.
// They show the request's choices and the captions of its schedule, and choosing one is a
// change of it; a request priced by another schedule gets that schedule's frames.
#pragma once

#include <QObject>
#include <string>
#include <string_view>
#include <vector>

#include "Descuentos.h"

class DocumentoSolicitud;
class QButtonGroup;
class QGroupBox;
class QWidget;

class OpcionesDescuento : public QObject {
    Q_OBJECT

  public:
    OpcionesDescuento(QWidget* cliente, DocumentoSolicitud& documento);

    // Shows the frame of the project document `ref`, or none.
    void MostrarPara(std::string_view ref);

  private:
    struct Marco {
        std::string ref;
        QGroupBox* marco;
        QButtonGroup* grupo;
    };
    void CrearMarcos();  // those of the request's schedule, in place of any before
    Marco CrearMarco(const cdv::DescuentosDeDocumento& descuentos);
    void MostrarSolicitud();  // the options chosen

    DocumentoSolicitud& documento_;
    std::vector<Marco> marcos_;
    std::string mostrado_;  // the document whose frame is shown; empty for none
};
