// The discount options of a project for an earlier stage: one frame for "P" (Proyecto) and
// one for "PB" (Proyecto básico), in the same place, at most one of them shown. They show the
// request's choices and the captions of its schedule, and choosing one is a change of it.
#pragma once

#include <QObject>
#include <string_view>

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
    void CrearMarco(int cual, const char* nombre, const QString& titulo, int ancho,
                    std::initializer_list<int> izquierdas);
    void MostrarSolicitud();  // the options chosen and their captions

    DocumentoSolicitud& documento_;
    QGroupBox* marcos_[2] = {};
    QButtonGroup* grupos_[2] = {};
};
