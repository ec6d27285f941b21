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
        caja->setProperty("largo", largo);  // as much as a file keeps
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
    for (const auto& [caja, cambiar] :
         {std::pair{txtTrabajo_, &DocumentoSolicitud::CambiarTrabajo},
          std::pair{txtColegiado_, &DocumentoSolicitud::CambiarColegiado},
          std::pair{txtExpediente_, &DocumentoSolicitud::CambiarExpediente}}) {
        connect(caja, &QLineEdit::textEdited, this,
                [this, caja = caja, cambiar = cambiar] { Cambiar(caja, cambiar); });
    }
    connect(&solicitud, &cdv::SolicitudVisado::cambiada, this, &frmTotalesTD::MostrarDatos);
    Tabular({txtExpediente_, txtTrabajo_, txtColegiado_}, {});
    MostrarDatos();
}

// A text longer than the file keeps (a paste) is cut there, and the box says so until the
// next edit: what the statement prints is what the box shows.
void frmTotalesTD::Cambiar(QLineEdit* caja, void (DocumentoSolicitud::*cambiar)(const QString&)) {
    const qsizetype largo = caja->property("largo").value<qsizetype>();
    const QString texto = caja->text();
    if (texto.size() > largo) {
        const int cursor = caja->cursorPosition();
        caja->setText(texto.left(largo));
        caja->setCursorPosition(std::min<int>(cursor, static_cast<int>(largo)));
    }
    MarcarCaja(caja, texto.size() > largo
                         ? QString("Se han cortado %1 caracteres: caben %2, y la liquidación "
                                   "imprime lo que muestra la casilla.")
                               .arg(QString::number(texto.size() - largo), QString::number(largo))
                         : QString());
    (documento().*cambiar)(caja->text());
}

void frmTotalesTD::MostrarDatos() {
    const cdv::SolicitudVisado& solicitud = documento().Solicitud();
    for (const auto& [caja, texto] : {std::pair{txtTrabajo_, &solicitud.Trabajo()},
                                      std::pair{txtColegiado_, &solicitud.Colegiado()},
                                      std::pair{txtExpediente_, &solicitud.Expediente()}}) {
        if (caja->text() != *texto) caja->setText(*texto);
    }
}
