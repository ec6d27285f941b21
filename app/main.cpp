#include <QApplication>

#include "frmPrincipal.h"

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    frmPrincipal principal;
    principal.show();
    return aplicacion.exec();
}
