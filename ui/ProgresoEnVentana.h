// The progress of long work in a dialog with "Cancelar", shown once the work has gone on for
// half a second; while it shows, the other windows wait.
#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

#include "Progreso.h"

class ProgresoEnVentana {
  public:
    // `texto` says what is being done.
    ProgresoEnVentana(QWidget* ventana, const QString& texto);

    // What the work tells how far it has gone; it answers false once "Cancelar" is pressed.
    cdv::Progreso Progreso();

  private:
    bool Seguir(qint64 hecho, qint64 total);

    QProgressDialog dialogo_;
    QElapsedTimer desdeElInicio_, desdeLaUltima_;
};
