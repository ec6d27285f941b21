// The project under construction: its work items, their total, and "Hecho", which charges
// the selected project document on that total into the visa summary.
#pragma once

#include <functional>

#include "VentanaResumen.h"

class frmTotalesTT : public VentanaResumen {
    Q_OBJECT

  public:
    // Over the project under way in `documento`; `proyecto` answers the document chosen in
    // the main window, which "Hecho" charges.
    frmTotalesTT(QWidget* principal, DocumentoSolicitud& documento, std::function<int()> proyecto);

  signals:
    // The project document was added to the request, and this window hid.
    void hecho();

  private:
    void Hecho();

    std::function<int()> proyecto_;
};
