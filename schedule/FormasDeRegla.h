// How a schedule file of format 2 computed in floating point (as the built-in schedule is)
// names each of the fee rules of its catalogues: a kind, the kind of the table it names, and the
// parameter it gives. The file's reader and the built-in schedule's generated code both take the
// rule from this one table.
#pragma once

#include <optional>
#include <string_view>

#include "Catalogos.h"
#include "Tarifa.h"

namespace cdv {

enum class Catalogo { Trabajos, Documentos };
enum class Parametro { Ninguno, Precio, Porcentaje };

struct FormaDeRegla {
    Catalogo catalogo;
    std::string_view tipo;
    std::optional<TipoTabla> tabla;  // the kind of the table it names; none: it names none
    Parametro parametro;
    Regla regla;
};

inline constexpr FormaDeRegla kFormasDeRegla[] = {
    {Catalogo::Trabajos, "por_unidad", std::nullopt, Parametro::Precio, Regla::PorUnidad},
    {Catalogo::Trabajos, "tabla", TipoTabla::Marginal, Parametro::Precio, Regla::PorMagnitud},
    {Catalogo::Trabajos, "tabla", TipoTabla::Marginal, Parametro::Porcentaje,
     Regla::PorPresupuesto},
    {Catalogo::Trabajos, "tabla", TipoTabla::Escalonada, Parametro::Ninguno, Regla::PorSuperficie},
    {Catalogo::Documentos, "sin_cuota", std::nullopt, Parametro::Ninguno, Regla::SinCuota},
    {Catalogo::Documentos, "por_unidad", std::nullopt, Parametro::Precio, Regla::PorUnidad},
    {Catalogo::Documentos, "porcentaje", std::nullopt, Parametro::Porcentaje,
     Regla::PorPresupuesto},
    {Catalogo::Documentos, "parte_del_proyecto", std::nullopt, Parametro::Porcentaje,
     Regla::ParteDelProyecto},
};

// The form of a rule so stated; nothing when the catalogue has no such rule.
constexpr const FormaDeRegla* FormaDe(Catalogo catalogo, std::string_view tipo,
                                      std::optional<TipoTabla> tabla, Parametro parametro) {
    for (const FormaDeRegla& forma : kFormasDeRegla)
        if (forma.catalogo == catalogo && forma.tipo == tipo && forma.tabla == tabla &&
            forma.parametro == parametro)
            return &forma;
    return nullptr;
}

// The form a catalogue states rule `regla` in; nothing for a rule it has not.
constexpr const FormaDeRegla* FormaDe(Catalogo catalogo, Regla regla) {
    for (const FormaDeRegla& forma : kFormasDeRegla)
        if (forma.catalogo == catalogo && forma.regla == regla) return &forma;
    return nullptr;
}

// The rule of a form that must exist (the built-in schedule's, checked by its tests).
constexpr Regla ReglaDeForma(Catalogo catalogo, std::string_view tipo,
                             std::optional<TipoTabla> tabla, Parametro parametro) {
    const FormaDeRegla* forma = FormaDe(catalogo, tipo, tabla, parametro);
    return forma != nullptr ? forma->regla : Regla::SinCuota;
}

}  // namespace cdv
