// A fee schedule as a value: its catalogues, its scales, its update factors and the discount
// options of its project documents, with its name and the date from which it applies. The fee rules
// read everything they use from it; nothing of it is global.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Catalogos.h"
#include "Descuentos.h"
#include "Escalas.h"
#include "FormasDeRegla.h"
#include "Iva.h"
#include "Tarifa.h"

namespace cdv {

// A worked example the association publishes: the fee of a document or work type of reference
// `ref` for a quantity. It proves the schedule, and is no part of its fees or its digest.
struct EjemploBaremo {
    Catalogo catalogo = Catalogo::Documentos;
    std::string ref;
    Decimal cantidad;
    Centimos cuota = 0;
    bool operator==(const EjemploBaremo&) const = default;
};

struct Baremo {
    std::string nombre;
    std::string vigenteDesde;      // "YYYY-MM-DD"
    std::string fuente;            // the agreement that approved it; may be empty
    std::vector<double> factores;  // the update factors, applied one after the other
    TablaTrabajos TablaTT;
    TablaDocumentos TablaTD;
    std::vector<TramoDV> tramosDV;
    std::vector<ClaseSuperficie> clasesSuperficie;
    std::vector<DescuentosDeDocumento> descuentos;  // in the order of their rows
    std::vector<TipoIva> iva;  // its own IVA rates, in order of date; empty: the built-in ones
    std::string huella;        // what tells this schedule from any other: a digest of its content
    // The association whose schedule it is, and its branch; empty for the program's own.
    std::string colegio, demarcacion;
    // A price list of format 2, whose rows are the documents (SegunTarifa); none for format 1.
    std::shared_ptr<const Tarifa> tarifa;
    std::string textoTarifa;              // and its file, as it was read, to write it out again
    std::vector<EjemploBaremo> ejemplos;  // the association's worked examples, if it gives any

    // x through every update factor, left to right, each multiplication in double precision:
    // with 1.28 and 1.035, (x × 1.28) × 1.035.
    double Actualizar(double x) const {
        for (const double factor : factores) x = x * factor;
        return x;
    }
    // The discount options of the document of reference `ref`; none for most.
    std::span<const OpcionDescuento> DescuentosDe(std::string_view ref) const {
        for (const DescuentosDeDocumento& d : descuentos)
            if (d.ref == ref) return d.opciones;
        return {};
    }
    // The IVA rates a statement priced by it takes.
    std::span<const TipoIva> TiposIva() const {
        return iva.empty() ? std::span<const TipoIva>(IvaIncorporado()) : iva;
    }
    bool operator==(const Baremo&) const = default;
};

// The schedule built into the program, as compiled from its file; without its digest, which
// the request's files name it by (BaremoIncorporado adds it).
std::shared_ptr<const Baremo> BaremoCompilado();

}  // namespace cdv
