#include "Entorno.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>

#include "Mensajes.h"

cdv::Separadores SeparadoresActuales() {
    const QLocale locale;
    return {Us(locale.decimalPoint()), Us(locale.groupSeparator())};
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
