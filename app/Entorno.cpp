#include "Entorno.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "Diseno.h"
#include "Mensajes.h"

void PrepararPrograma(const char* version) {
    QApplication::setApplicationName("cdv");
    QApplication::setApplicationVersion(version);
    QApplication::setStyle(EstiloFormulario());
}

void InstalarCuadroDeMensajes(QWidget* principal) {
    cdv::InstalarServicioMensajes([principal = QPointer<QWidget>(principal)](
                                      std::string_view texto, std::string_view titulo) {
        QWidget* sobre = QApplication::activeWindow();
        QMessageBox cuadro(QMessageBox::NoIcon, Qs(titulo), Qs(texto), QMessageBox::Ok,
                           sobre ? sobre : principal.data());
        cuadro.setObjectName("CuadroMensaje");
        cuadro.exec();
    });
}

void RetirarCuadroDeMensajes() {
    cdv::InstalarServicioMensajes({});
}
