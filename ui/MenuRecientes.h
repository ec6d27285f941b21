// "Archivos recientes": the files last opened or saved, each with its name and folder, newest
// first. The list is read when the menu first opens or changes, never before the first frame.
#pragma once

#include <QObject>

class ComandosArchivo;
class QMenu;

class MenuRecientes : public QObject {
  public:
    // Its submenu, in `principal`, opening what `archivo` remembers.
    MenuRecientes(QMenu& principal, ComandosArchivo& archivo);

  private:
    void Mostrar();

    QMenu* menu_;
    ComandosArchivo& archivo_;
};
