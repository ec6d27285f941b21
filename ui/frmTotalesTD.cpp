#include "frmTotalesTD.h"

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "frmPrincipal.h"

frmTotalesTD::frmTotalesTD(frmPrincipal* principal)
    : VentanaResumen(
          principal,
          {"frmTotalesTD", "   Resumen CDV", 10275, 2850, Twips(1530, 240, 1245, 285), "€",
           Twips(2880, 270, 315, 255), "Listado de documentos seleccionados para el visado",
           Twips(8220, 2370, 1845, 345)},
          principal->Documento(), principal->Documento().Solicitud().Documentos()) {}
