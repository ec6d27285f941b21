// The bar under the menu that offers a session another run left unsaved, while one waits. A
// bar, not a dialog: it never takes the focus nor stops the typing.
#pragma once

#include <QString>
#include <QToolBar>

class ComandosArchivo;
class DocumentoSolicitud;
class QLabel;

class AvisoRecuperar : public QToolBar {
  public:
    AvisoRecuperar(QWidget* ventana, DocumentoSolicitud& documento, ComandosArchivo& archivo);

    // Looks for the newest session waiting, and shows the bar while there is one.
    void Mostrar();

  private:
    DocumentoSolicitud& documento_;
    QLabel* texto_;
    QString esperando_;  // the recovery file the bar offers
};
