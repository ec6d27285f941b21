#include "MenuRecientes.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "ComandosArchivo.h"

MenuRecientes::MenuRecientes(QMenu& principal, ComandosArchivo& archivo)
    : QObject(&principal), menu_(principal.addMenu("Archivos recien&tes")), archivo_(archivo) {
    menu_->setObjectName("mnuRecientes");
    connect(&archivo_, &ComandosArchivo::recientesCambiados, this, &MenuRecientes::Mostrar);
    connect(menu_, &QMenu::aboutToShow, this, [this] {
        if (menu_->isEmpty()) Mostrar();
    });
}

void MenuRecientes::Mostrar() {
    menu_->clear();
    const QStringList rutas = archivo_.Recientes();
    for (qsizetype k = 0; k < rutas.size(); ++k) {
        const QFileInfo archivo(rutas[k]);
        const QString texto = QString("&%1 %2 — %3")
                                  .arg(k + 1)
                                  .arg(QString(archivo.fileName()).replace("&", "&&"),
                                       QDir::toNativeSeparators(archivo.path()).replace("&", "&&"));
        connect(menu_->addAction(texto), &QAction::triggered, &archivo_,
                [this, ruta = rutas[k]] { archivo_.AbrirReciente(ruta); });
    }
    if (rutas.isEmpty()) menu_->addAction("(ninguno)")->setEnabled(false);
}
