// Prints every fee the rules give for every row and a spread of quantities, with the exact
// bits of each value: two builds agree to the last bit exactly when their outputs are equal.
#include <cstdio>
#include <string>

#include "Cuotas.h"
#include "Escalas.h"

int main() {
    const cdv::Baremo& b = *cdv::BaremoCompilado();
    const cdv::Separadores es{",", "."};
    const char* const cantidades[] = {"1",   "3",          "7,25",    "100",    "176",
                                      "300", "1000",       "4.000,5", "100000", "1234567,89",
                                      "3e7", "2000000000", "-12",     "0,001",  "1e12"};
    const auto imprimir = [](const char* regla, int fila, const char* cantidad,
                             const cdv::CuotaCalculada& c) {
        std::printf("%s %2d %-12s %d %a %s\n", regla, fila, cantidad, static_cast<int>(c.resultado),
                    c.importe, c.texto.c_str());
    };
    for (int fila = 1; fila <= b.TablaTT.Filas(); ++fila)
        for (const char* q : cantidades)
            imprimir("TT", fila, q, cdv::CuotaTrabajo(b, b.TablaTT.Fila(fila), q, es));
    for (int fila = 1; fila <= b.TablaTD.Filas(); ++fila)
        for (const char* q : cantidades)
            imprimir("TD", fila, q, cdv::CuotaDocumento(b, b.TablaTD.Fila(fila), q, es));
    for (const cdv::Centimos suma :
         {1LL, 2LL, 3LL, 4501LL, 4502LL, 34154LL, 15589007LL, 123456789012LL})
        for (const float fraccion : {0.0f, 0.25f, 0.5f})
            for (int fila = 1; fila <= b.TablaTD.Filas(); ++fila) {
                const cdv::DocumentoTD& proyecto = *b.TablaTD.Fila(fila);
                if (proyecto.Tipo != cdv::Regla::ParteDelProyecto) continue;
                // A discount of that fraction, taken where the row offers discounts.
                const float tomada = b.DescuentosDe(proyecto.Ref).empty() ? 0.0f : fraccion;
                const auto p = cdv::CuotaDocumento(proyecto, suma, tomada, es);
                std::printf("P5 %2d %lld %a %lld %lld %s\n", fila, static_cast<long long>(suma),
                            fraccion, static_cast<long long>(p->cuota),
                            static_cast<long long>(p->descuento), p->texto.c_str());
            }
    for (float dv = 1.0f; dv < 3e9f; dv *= 1.37f)
        std::printf("DV %a %a\n", dv, cdv::EscalaDV(b.tramosDV, dv).importe);
    return 0;
}
