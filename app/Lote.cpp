#include "Lote.h"

#include <QDate>
#include <QFileInfo>
#include <QTextStream>

#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "Baremo.h"
#include "Impresion.h"
#include "Liquidacion.h"

QString FechaLiquidacion() {
    return QDate::currentDate().toString("dd/MM/yyyy");
}

int ExportarEnLote(const QString& entrada, const std::vector<Exportacion>& exportaciones) {
    QTextStream error(stderr);
    const cdv::LecturaSolicitud lectura = cdv::AbrirArchivo(
        entrada,
        cdv::Baremos::Buscar(cdv::Baremos::CarpetasSistema(), cdv::Baremos::CarpetaUsuario()));
    if (!lectura.contenido) {
        error << "cdv: no se puede abrir «" << entrada << "»: " << lectura.error << ".\n";
        return 1;
    }
    for (const QString& cambio : lectura.cambios) {
        error << "cdv: cuota calculada de nuevo con el baremo, " << cambio << "\n";
    }
    int estado = 0;
    for (const auto& [formato, salida] : exportaciones) {
        const QString fallo =
            formato == FormatoLote::Csv
                ? cdv::GuardarArchivo(salida, cdv::LiquidacionCsv(*lectura.contenido))
                : GuardarPdf(cdv::LiquidacionHtml(*lectura.contenido, QFileInfo(entrada).fileName(),
                                                  FechaLiquidacion()),
                             salida);
        if (!fallo.isEmpty()) {
            error << "cdv: no se puede escribir «" << salida << "»: " << fallo << ".\n";
            estado = 2;
        }
    }
    return estado;
}
