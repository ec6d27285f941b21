#include "AvisoRecuperar.h"

#include <QLabel>
#include <QPushButton>

#include "ComandosArchivo.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"

AvisoRecuperar::AvisoRecuperar(QWidget* ventana, DocumentoSolicitud& documento,
                               ComandosArchivo& archivo)
    : QToolBar(ventana), documento_(documento), texto_(new QLabel(this)) {
    setObjectName("avisoRecuperar");
    setMovable(false);
    setFloatable(false);
    toggleViewAction()->setVisible(false);
    texto_->setTextFormat(Qt::PlainText);
    addWidget(texto_);
    const auto boton = [this](const char* nombre, const QString& rotulo) {
        auto* b = new QPushButton(rotulo, this);
        b->setObjectName(nombre);
        b->setFocusPolicy(Qt::NoFocus);
        addWidget(b);
        return b;
    };
    connect(boton("cmbRecuperarAviso", "Recuperar…"), &QPushButton::clicked, this,
            [this, &archivo] {
                archivo.Recuperar();
                Mostrar();
            });
    connect(boton("cmbDescartarAviso", "Descartar"), &QPushButton::clicked, this, [this] {
        if (Confirmar(this, texto_->text() + " ¿Desea descartarla? Su solicitud se perderá."))
            documento_.DescartarSesion(esperando_);
        Mostrar();
    });
    connect(&archivo, &ComandosArchivo::abierta, this, &AvisoRecuperar::Mostrar);
    setVisible(false);
}

void AvisoRecuperar::Mostrar() {
    esperando_.clear();
    if (const std::optional<SesionAnterior> sesion = documento_.SesionEsperando()) {
        esperando_ = sesion->ruta;
        texto_->setText(QString("Hay una sesión sin guardar del %1 (%2).")
                            .arg(sesion->fecha.toString("dd/MM/yyyy HH:mm"), ContenidoDe(*sesion)));
    }
    setVisible(!esperando_.isEmpty());
}
