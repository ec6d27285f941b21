#include "Entorno.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "Diseno.h"

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

void Avisar(QWidget* sobre, const QString& texto, const QString& titulo) {
    QWidget* activa = QApplication::activeWindow();
    QMessageBox cuadro(QMessageBox::NoIcon, titulo, texto, QMessageBox::Ok,
                       activa != nullptr ? activa : sobre);
    cuadro.setObjectName("CuadroMensaje");
    cuadro.exec();
}
