// The project under construction: its work items, their total, and "Hecho", which charges
// the selected project document on that total into the visa summary.
#pragma once

#include <functional>

#include "Linea.h"

class FilaSeguida;
#include "VentanaResumen.h"

class frmTotalesTT : public VentanaResumen {
    Q_OBJECT

  public:
    // Over the project under way in `documento`; `proyecto` answers the document chosen in
    // the main window, which "Hecho" charges.
    frmTotalesTT(QWidget* principal, DocumentoSolicitud& documento, std::function<int()> proyecto);

    // "Hecho" puts the project document in the place of the document at `fila` of the
    // request, which was brought back into the project under way; "Cancelar" leaves it.
    void Modificar(int fila);
    void TerminarModificacion();

  signals:
    // The project document was added to the request, and this window hid.
    void hecho();

  private:
    void Hecho();
    bool AnadirOtraVez(const cdv::Tasacion& tasacion);

    std::function<int()> proyecto_;
    QPushButton* cmbCancelar_ = nullptr;
    FilaSeguida* modificando_ = nullptr;  // the document being changed, if any
};
