// The visa summary: the documents chosen for the visa and their total CDV.
#pragma once

#include "VentanaResumen.h"

class frmPrincipal;

class frmTotalesTD : public VentanaResumen {
    Q_OBJECT

  public:
    explicit frmTotalesTD(frmPrincipal* principal);
};
