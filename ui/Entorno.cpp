#include "Entorno.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

#include "Diseno.h"
#include "Mensajes.h"

void PrepararPrograma(const char* version) {
    QApplication::setApplicationName("cdv");
    QApplication::setApplicationVersion(version);
    TraducirQt();
    QApplication::setStyle(EstiloFormulario());
}

void TraducirQt() {
    if (qApp->findChild<QTranslator*>("TraduccionQt") != nullptr) return;
    auto* traduccion = new QTranslator(qApp);
    traduccion->setObjectName("TraduccionQt");
    if (traduccion->load(QLocale(QLocale::Spanish, QLocale::Spain), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(traduccion);
    }
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
