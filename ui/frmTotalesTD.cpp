#include "frmTotalesTD.h"

#include <QLabel>
#include <QLineEdit>

#include "ArchivoSolicitud.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"

frmTotalesTD::frmTotalesTD(QWidget* principal, DocumentoSolicitud& documento)
    : VentanaResumen(
          principal,
          {"frmTotalesTD", "   Resumen CDV", 10275, 2850, Twips(1530, 240, 1245, 285), "€",
           Twips(2880, 270, 315, 255), "Listado de documentos seleccionados para el visado",
           Twips(8220, 2370, 1845, 345), Twips(8220, 600, 1845, 345), true},
          documento, documento.Solicitud().Documentos()) {
    cdv::SolicitudVisado& solicitud = documento.Solicitud();
    const auto campo = [this](const char* nombre, const QString& rotulo, QRect zonaRotulo,
                              QRect zonaCaja, qsizetype largo = cdv::kLargoMaximoTexto,
                              bool debajoDeLaLista = true) {
        QLabel* etiqueta =
            CrearEtiqueta(this, QString(nombre).replace("txt", "lbl"), rotulo, zonaRotulo);
        QLineEdit* caja = CrearCaja(this, nombre, zonaCaja, false);
        caja->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        caja->setMaxLength(static_cast<int>(largo));  // as much as a file keeps
        caja->setAccessibleName(QString(rotulo).remove('&') + " (para la liquidación)");
        etiqueta->setBuddy(caja);
        if (debajoDeLaLista) {  // goes down as the list grows
            Anclar(etiqueta, Anclaje::Abajo);
            Anclar(caja, Anclaje::Abajo);
        }
        return caja;
    };
    txtTrabajo_ =
        campo("txtTrabajo", "&Trabajo", Twips(390, 2430, 700, 255), Twips(1110, 2400, 3300, 300));
    txtColegiado_ = campo("txtColegiado", "Co&legiado/a", Twips(4530, 2430, 1000, 255),
                          Twips(5550, 2400, 2500, 300));
    txtExpediente_ = campo("txtExpediente", "E&xpediente", Twips(6000, 270, 1050, 255),
                           Twips(7110, 240, 2955, 285), cdv::kLargoMaximoExpediente, false);
    connect(txtTrabajo_, &QLineEdit::textEdited, &documento, &DocumentoSolicitud::CambiarTrabajo);
    connect(txtExpediente_, &QLineEdit::textEdited, &documento,
            &DocumentoSolicitud::CambiarExpediente);
    connect(txtColegiado_, &QLineEdit::textEdited, &documento,
            &DocumentoSolicitud::CambiarColegiado);
    connect(&solicitud, &cdv::SolicitudVisado::cambiada, this, &frmTotalesTD::MostrarDatos);
    Tabular({txtExpediente_, txtTrabajo_, txtColegiado_}, {});
    MostrarDatos();
}

void frmTotalesTD::MostrarDatos() {
    const cdv::SolicitudVisado& solicitud = documento().Solicitud();
    for (const auto& [caja, texto] : {std::pair{txtTrabajo_, &solicitud.Trabajo()},
                                      std::pair{txtColegiado_, &solicitud.Colegiado()},
                                      std::pair{txtExpediente_, &solicitud.Expediente()}}) {
        if (caja->text() != *texto) caja->setText(*texto);
    }
}
