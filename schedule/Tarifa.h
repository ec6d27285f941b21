// An association's price list stated as data (a schedule of format 2): named tables shared by
// many rows, lists of factors the user chooses from, and rows whose rule is one of a closed set
// of kinds, with a minimum, a maximum and a surcharge that may differ by submission channel.
// Every amount is exact: quantities and rates are decimals as written, and each rule rounds
// once, to the cent, half up.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Exacto.h"

namespace cdv {

enum class Canal { Electronica, Papel };

// Each channel's key, in files and on the command line, and its name as the user reads it.
struct NombresDeCanal {
    Canal canal;
    std::string_view clave, nombre;
};
inline constexpr NombresDeCanal kCanales[] = {{Canal::Electronica, "electronica", "electrónica"},
                                              {Canal::Papel, "papel", "papel"}};
constexpr std::string_view ClaveCanal(Canal canal) {
    return kCanales[static_cast<int>(canal)].clave;
}
constexpr std::string_view NombreCanal(Canal canal) {
    return kCanales[static_cast<int>(canal)].nombre;
}
// The channel of key `clave`; nothing for any other text.
constexpr std::optional<Canal> CanalDeClave(std::string_view clave) {
    for (const NombresDeCanal& c : kCanales)
        if (c.clave == clave) return c.canal;
    return std::nullopt;
}

// An amount in cents that may differ by channel.
struct PorCanal {
    Centimos electronica = 0, papel = 0;
    Centimos En(Canal canal) const { return canal == Canal::Papel ? papel : electronica; }
    bool operator==(const PorCanal&) const = default;
};

// A table's kind, as tax and benefit engines name them: each band's rate applies to the part
// of the quantity inside it (a marginal rate scale), or the quantity's band gives one amount
// (a single amount scale).
enum class TipoTabla { Marginal, Escalonada };

struct Tramo {
    std::optional<Decimal> hasta;  // its upper bound, included; none for the last band
    Decimal coeficiente;           // Marginal: the rate of the part inside the band
    PorCanal importe;              // Escalonada: the band's amount
};

struct TablaTramos {
    TipoTabla tipo = TipoTabla::Marginal;
    std::vector<Tramo> tramos;  // in order, from 0
};

enum class TipoRegla {
    Fija,        // an amount per document
    PorUnidad,   // a price times the quantity
    Porcentaje,  // a share of the quantity (a budget)
    Tabla,       // a named table applied to the quantity
    Ponderada,   // the quantity times each factor chosen, times a unit price
    ParteDe,     // a share of another row's fee, as an add-on
    Deduccion,   // another row's fee less that of an earlier stage, never below 0
};

struct ReglaTarifa {
    TipoRegla tipo = TipoRegla::Fija;
    PorCanal importe;                   // Fija
    Decimal precio;                     // PorUnidad, Ponderada: euros per unit
    Decimal porcentaje;                 // Porcentaje, ParteDe
    std::string tabla;                  // Tabla
    std::vector<std::string> factores;  // Ponderada: the factor lists it asks for
    std::string fila, anterior;         // ParteDe: fila; Deduccion: fila less anterior
};

struct FilaTarifa {
    std::string referencia, descripcion, unidad;
    ReglaTarifa regla;
    std::optional<PorCanal> minimo, maximo;
    PorCanal recargo;          // added after the minimum and maximum
    std::string tablaRecargo;  // or a stepped table's amount for the quantity
};

// The user's choices for a row: quantity, channel, and an option of each factor list.
struct EntradaTarifa {
    std::string referencia;
    Decimal cantidad;
    Canal canal = Canal::Electronica;
    std::map<std::string, std::string> factores;  // list name → option name
};

// A worked example the association publishes: the inputs and the fee.
struct EjemploTarifa {
    EntradaTarifa entrada;
    Centimos cuota = 0;
};

struct Tarifa {
    std::string colegio, demarcacion, nombre, vigenteDesde;  // "YYYY-MM-DD"
    std::map<std::string, TablaTramos> tablas;
    std::map<std::string, std::map<std::string, Decimal>> factores;  // list → option → value
    std::vector<FilaTarifa> filas;
    std::vector<EjemploTarifa> ejemplos;
    // Each reference's row (the first where two share one), made by Indexar once the rows are
    // in place.
    std::map<std::string, std::size_t, std::less<>> indice;
    void Indexar();
    const FilaTarifa* Fila(std::string_view referencia) const;
};

struct TasacionTarifa {
    std::optional<Centimos> cuota;   // nothing when refused
    std::vector<std::string> pasos;  // how it was reached, when asked for
    std::string motivo;              // why it was refused
};

// What a row asks the user for: a quantity (every rule but a fixed amount's), and an option of
// each factor list it weighs by, those of the rows it takes its fee from included.
struct Necesidades {
    bool cantidad = false;
    std::vector<std::string> factores;  // in the order the rows name them, each once
};
Necesidades NecesidadesDe(const Tarifa& tarifa, std::string_view referencia);

// Whether the channel changes any fee: some amount, minimum, maximum or surcharge differs
// between "electrónica" and "papel".
bool DistingueCanales(const Tarifa& tarifa);

// "18,00 €" for both channels alike; "18,00 € electrónica, 25,00 € papel" otherwise.
std::string TextoPorCanales(const PorCanal& importe, const Separadores& s);
// A row's rule in words, for whoever reads the list, one line each: its kind and parameters,
// then its minimum, maximum and surcharge; numbers written with `s`. A table's bands likewise.
std::vector<std::string> DescripcionDeFila(const Tarifa& tarifa, const FilaTarifa& fila,
                                           const Separadores& s);
std::vector<std::string> DescripcionDeTabla(const std::string& nombre, const TablaTramos& tabla,
                                            const Separadores& s);

// The fee of the row the input names, with its steps (`conPasos`), numbers written with `s`.
TasacionTarifa Tasar(const Tarifa& tarifa, const EntradaTarifa& entrada, const Separadores& s,
                     bool conPasos = true);

// What makes the price list unusable, each with its place ("filas[3].regla.tabla: …"):
// tables out of order, unknown names, lists without options, add-ons that refer to themselves,
// a minimum above a maximum.
std::vector<std::string> FaltasDeTarifa(const Tarifa& tarifa);

// Each example whose fee differs from the published one, with both amounts.
std::vector<std::string> EjemplosQueFallan(const Tarifa& tarifa);
// What is wrong with example `k`, of row `referencia`, whose fee is `cuota` (nothing, and why:
// `motivo`) where the association publishes `publicada`; empty when they agree.
std::string FalloDeEjemplo(std::size_t k, std::string_view referencia,
                           std::optional<Centimos> cuota, std::string_view motivo,
                           Centimos publicada);

}  // namespace cdv
