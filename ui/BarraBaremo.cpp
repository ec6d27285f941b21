#include "BarraBaremo.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

#include "ArchivoBaremo.h"
#include "ComandosArchivo.h"
#include "DocumentoSolicitud.h"
#include "TextoLocal.h"

BarraBaremo::BarraBaremo(QStatusBar& barra, DocumentoSolicitud& documento, ComandosArchivo& archivo)
    : QObject(&barra),
      documento_(documento),
      baremo_(new QLabel(&barra)),
      actualizar_(new QPushButton("Actualizar al baremo vigente", &barra)) {
    baremo_->setTextFormat(Qt::PlainText);
    baremo_->setObjectName("lblBaremo");
    baremo_->setAccessibleName("Baremo con que se calcula la solicitud");
    barra.addWidget(baremo_, 1);
    actualizar_->setObjectName("cmbActualizarBaremo");
    actualizar_->setFocusPolicy(Qt::NoFocus);
    barra.addPermanentWidget(actualizar_);
    barra.setSizeGripEnabled(false);
    const cdv::SolicitudVisado& solicitud = documento_.Solicitud();
    connect(&solicitud, &cdv::SolicitudVisado::baremoCambiado, this, &BarraBaremo::MostrarBaremo);
    connect(&solicitud, &cdv::SolicitudVisado::cambiada, this, &BarraBaremo::OfrecerActualizacion);
    connect(&documento_, &DocumentoSolicitud::diaCambiado, this,
            &BarraBaremo::OfrecerActualizacion);
    connect(actualizar_, &QPushButton::clicked, &archivo, &ComandosArchivo::ActualizarBaremo);
    MostrarBaremo();
}

void BarraBaremo::MostrarBaremo() {
    const cdv::Baremo& b = documento_.Solicitud().Baremo();
    baremo_->setText(QString("Baremo: «%1», vigente desde el %2")
                         .arg(cdv::Recortado(Qs(b.nombre)), cdv::FechaDeVigencia(b)));
    OfrecerActualizacion();
}

void BarraBaremo::OfrecerActualizacion() {
    const bool ofrecer = documento_.OtroBaremoVigente();
    actualizar_->setVisible(ofrecer);
    if (!ofrecer) return;
    const auto vigente = documento_.Vigente();
    actualizar_->setToolTip(
        QString("Hoy está en vigor el baremo «%1», desde el %2.")
            .arg(cdv::Recortado(Qs(vigente->nombre)), cdv::FechaDeVigencia(*vigente)));
}
