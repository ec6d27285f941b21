// The catalogues of a fee schedule: work types (TT) and document types (TD), and the fee
// rules their rows are priced by.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cdv {

// How a row's fee is reached. Its number is the code the schedule's data gives each row: it
// is read and written there, and compared nowhere else.
enum class Regla : std::int32_t {
    SinCuota = 0,          // no fee data ("OD")
    PorUnidad = 1,         // a number of units
    PorMagnitud = 2,       // a magnitude in the row's unit, through the DV scale (work items)
    PorPresupuesto = 3,    // a budget
    PorSuperficie = 4,     // a surface, through the surface scale (work items)
    ParteDelProyecto = 5,  // a share of the project's fees (documents)
    SegunTarifa = 6,       // its price list's rule (documents); no code of a file of format 1
};

// The rule of a code in the schedule's data; nothing for a code no rule has.
std::optional<Regla> ReglaDeCodigo(std::int64_t codigo);
constexpr std::int32_t CodigoDeRegla(Regla regla) {
    return static_cast<std::int32_t>(regla);
}

// The rule in words, as the schedule window shows it, for a work type or a document type.
std::string_view NombreReglaTrabajo(Regla regla);
std::string_view NombreReglaDocumento(Regla regla);

// One work type of which a project can be made.
struct TrabajoTT {
    std::string Ref;
    std::string Descripcion;
    Regla Tipo = Regla::SinCuota;  // PorUnidad, PorMagnitud, PorPresupuesto or PorSuperficie
    std::string Unidad;
    float Tasa = 0.0f;
    float Minimo = 0.0f;
    std::string Grupo;
    std::string Comentario;  // lines separated by a single carriage return
    bool operator==(const TrabajoTT&) const = default;
};

// One document type that can be presented for the visa.
struct DocumentoTD {
    std::string Ref;
    std::string Descripcion;
    Regla Tipo = Regla::SinCuota;  // PorUnidad, PorPresupuesto, ParteDelProyecto, SinCuota
                                   // or SegunTarifa
    float Tasa = 0.0f;
    float Minimo = 0.0f;
    std::string Comentario;  // lines separated by a single carriage return
    std::string Unidad;      // SegunTarifa: its row's unit
    bool operator==(const DocumentoTD&) const = default;
};

// A catalogue of rows numbered 1 to N. There is no row 0: a row is only reachable through
// Fila(), which answers nullptr for any number outside 1..N.
template <typename Registro>
class TablaCatalogo {
  public:
    TablaCatalogo() = default;
    explicit TablaCatalogo(std::vector<Registro> filas) : filas_(std::move(filas)) {}

    const Registro* Fila(int numero) const noexcept {
        return numero >= 1 && numero <= Filas() ? &filas_[static_cast<std::size_t>(numero - 1)]
                                                : nullptr;
    }
    int Filas() const noexcept { return static_cast<int>(filas_.size()); }
    // The number of the row with reference `ref`; 0 when there is none.
    int Buscar(std::string_view ref) const noexcept {
        for (int numero = 1; numero <= Filas(); ++numero) {
            if (filas_[static_cast<std::size_t>(numero - 1)].Ref == ref) return numero;
        }
        return 0;
    }
    // The number of the first row whose rule is `regla`; 0 when there is none.
    int PrimeraDeRegla(Regla regla) const noexcept {
        for (int numero = 1; numero <= Filas(); ++numero) {
            if (filas_[static_cast<std::size_t>(numero - 1)].Tipo == regla) return numero;
        }
        return 0;
    }

    bool operator==(const TablaCatalogo&) const = default;

  private:
    std::vector<Registro> filas_;
};

using TablaTrabajos = TablaCatalogo<TrabajoTT>;
using TablaDocumentos = TablaCatalogo<DocumentoTD>;

// Reference codes that the project rules compare by value.
inline constexpr std::string_view kRefProyecto = "P";
inline constexpr std::string_view kRefProyectoBasico = "PB";

}  // namespace cdv
