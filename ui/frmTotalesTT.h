// The project under construction: its work items, their total, and "Hecho", which charges
// the selected project document on that total into the visa summary.
#pragma once

#include "VentanaResumen.h"

class frmPrincipal;

class frmTotalesTT : public VentanaResumen {
    Q_OBJECT

  public:
    explicit frmTotalesTT(frmPrincipal* principal);

  private:
    void Hecho();

    frmPrincipal* principal_;
};
