// Below everything the main window holds: the schedule that prices the request, and the
// update to the schedule in force, offered while a request with lines is priced by another
// (the day is checked each minute, as it may change under a running program).
#pragma once

#include <QObject>

class ComandosArchivo;
class DocumentoSolicitud;
class QLabel;
class QPushButton;
class QStatusBar;

class BarraBaremo : public QObject {
  public:
    BarraBaremo(QStatusBar& barra, DocumentoSolicitud& documento, ComandosArchivo& archivo);

  private:
    void MostrarBaremo();
    void OfrecerActualizacion();

    DocumentoSolicitud& documento_;
    QLabel* baremo_;
    QPushButton* actualizar_;
};
