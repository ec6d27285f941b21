// The two built-in catalogues of the fee schedule: work types (TT) and document types (TD).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace cdv {

// One work type of which a project can be made.
struct TrabajoTT {
    std::string_view Ref;
    std::string_view Descripcion;
    std::int32_t Tipo = 0;  // fee rule: 1 per unit, 2 magnitude, 3 budget, 4 surface
    std::string_view Unidad;
    float Tasa = 0.0f;
    float Minimo = 0.0f;
    std::string_view Grupo;
    std::string_view Comentario;  // lines separated by a single carriage return
};

// One document type that can be presented for the visa.
struct DocumentoTD {
    std::string_view Ref;
    std::string_view Descripcion;
    std::int32_t Tipo = 0;  // fee rule: 1 per unit, 3 budget, 5 project share, 0 none
    float Tasa = 0.0f;
    float Minimo = 0.0f;
    std::string_view Comentario;  // lines separated by a single carriage return
};

// A catalogue of N rows numbered 1 to N. There is no row 0: a row is only reachable
// through Fila(), which answers nullptr for any number outside 1..N.
template <typename Registro, int N>
class TablaCatalogo {
  public:
    static constexpr int kFilas = N;

    const Registro* Fila(int numero) const noexcept {
        return numero >= 1 && numero <= N ? &filas_[static_cast<std::size_t>(numero - 1)] : nullptr;
    }
    static constexpr int Filas() noexcept { return N; }
    // The number of the row with reference `ref`; 0 when there is none.
    int Buscar(std::string_view ref) const noexcept {
        for (int numero = 1; numero <= N; ++numero) {
            if (filas_[static_cast<std::size_t>(numero - 1)].Ref == ref) return numero;
        }
        return 0;
    }

    void Cargar(const std::array<Registro, N>& filas) noexcept { filas_ = filas; }

  private:
    std::array<Registro, N> filas_{};
};

using TablaTrabajos = TablaCatalogo<TrabajoTT, 39>;
using TablaDocumentos = TablaCatalogo<DocumentoTD, 49>;

// Empty until the loaders run at start-up; read-only afterwards.
extern TablaTrabajos TablaTT;
extern TablaDocumentos TablaTD;

void CargarTablaTT();
void CargarTablaTD();

// Reference codes that the project rules compare by value.
inline constexpr std::string_view kRefProyecto = "P";
inline constexpr std::string_view kRefProyectoBasico = "PB";

}  // namespace cdv
