#include "Lote.h"

#include <QTextStream>

#include "ArchivoSolicitud.h"
#include "Catalogos.h"
#include "Liquidacion.h"

int ExportarCsvEnLote(const QString& entrada, const QString& salida) {
    cdv::CargarTablaTT();
    cdv::CargarTablaTD();
    QTextStream error(stderr);
    const cdv::LecturaSolicitud lectura = cdv::AbrirArchivo(entrada);
    if (!lectura.contenido) {
        error << "cdv: no se puede abrir «" << entrada << "»: " << lectura.error << ".\n";
        return 1;
    }
    for (const QString& cambio : lectura.cambios) {
        error << "cdv: cuota calculada de nuevo con el baremo, " << cambio << "\n";
    }
    const QString fallo = cdv::GuardarArchivo(salida, cdv::LiquidacionCsv(*lectura.contenido));
    if (!fallo.isEmpty()) {
        error << "cdv: no se puede escribir «" << salida << "»: " << fallo << ".\n";
        return 2;
    }
    return 0;
}
