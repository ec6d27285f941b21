// The visa summary: the documents chosen for the visa and their total CDV, and the work, the
// member and the file number that the fee statement names.
#pragma once

#include "VentanaResumen.h"

class QLineEdit;

class frmTotalesTD : public VentanaResumen {
    Q_OBJECT

  public:
    // Over the documents of `documento`'s request.
    frmTotalesTD(QWidget* principal, DocumentoSolicitud& documento);

  private:
    void MostrarDatos();  // the request's work and member in their boxes
    void Cambiar(QLineEdit* caja, void (DocumentoSolicitud::*cambiar)(const QString&));

    QLineEdit* txtTrabajo_ = nullptr;
    QLineEdit* txtColegiado_ = nullptr;
    QLineEdit* txtExpediente_ = nullptr;
};
