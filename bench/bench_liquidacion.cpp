// The fee statement of a request that repeats one document, laid out and written as a PDF at
// 100, 1,000 and 10,000 lines: the time of each (best of a few runs), its cost per line, and
// the peak memory of the whole run, which the 10,000-line statement sets.
#include <sys/resource.h>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>

#include "ArchivoSolicitud.h"
#include "Impresion.h"

namespace {

constexpr int kVeces = 3;

cdv::ContenidoSolicitud Solicitud(int lineas) {
    QByteArray documentos;
    for (int k = 0; k < lineas; ++k) {
        documentos += QByteArray(k ? "," : "") +
                      R"({"referencia": "ESS2", "cantidad": "1", "cuota": "45.04"})";
    }
    const QByteArray datos = R"({"formato": 1, "documentos": [)" + documentos + "]}";
    return *cdv::LeerSolicitud(datos, cdv::Baremos()).contenido;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication aplicacion(argc, argv);
    std::printf("%8s %10s %14s %10s\n", "líneas", "ms", "µs por línea", "KB de PDF");
    for (const int lineas : {100, 1000, 10000}) {
        const cdv::ContenidoSolicitud contenido = Solicitud(lineas);
        qint64 mejor = std::numeric_limits<qint64>::max();
        qsizetype tamano = 0;
        for (int vez = 0; vez < kVeces; ++vez) {
            QElapsedTimer reloj;
            reloj.start();
            const auto pdf =
                LiquidacionPdf(cdv::Liquidacion(contenido, "largo.cdv", QDate(2026, 12, 7)));
            mejor = std::min(mejor, reloj.nsecsElapsed());
            tamano = pdf->size();
        }
        std::printf("%8d %10.1f %14.1f %10lld\n", lineas, mejor / 1e6, mejor / 1e3 / lineas,
                    static_cast<long long>(tamano / 1024));
    }
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("memoria máxima: %ld MB\n", uso.ru_maxrss / 1024);
}
