// The value-added tax (IVA) on a fee statement's total: its rates as dated values, the one in
// force on a day, and the tax itself, exact to the cent.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "TextoNumerico.h"

namespace cdv {

// A rate in hundredths of a percent (21 % is 2100), in force from `desde` ("YYYY-MM-DD"; empty:
// from the beginning) until the next one.
struct TipoIva {
    std::string desde;
    int centesimas = 0;
    bool operator==(const TipoIva&) const = default;
};

// Spain's general rate: 16 % until 30/06/2010, 18 % until 31/08/2012, 21 % from 01/09/2012.
// A schedule's file may give its own, which then take precedence.
inline const std::vector<TipoIva>& IvaIncorporado() {
    static const std::vector<TipoIva> tabla{{"", 1600}, {"2010-07-01", 1800}, {"2012-09-01", 2100}};
    return tabla;
}

// The rate in force on `dia` ("YYYY-MM-DD") in `tabla`, which is in order of date.
inline int IvaEnVigor(std::span<const TipoIva> tabla, std::string_view dia) {
    int centesimas = 0;
    for (const TipoIva& tipo : tabla) {
        if (tipo.desde > dia) break;
        centesimas = tipo.centesimas;
    }
    return centesimas;
}

// The tax on `base` at `centesimas` hundredths of a percent, rounded half up to the cent (half
// away from zero for a negative base), without overflow for any amount kept.
inline Centimos CuotaIva(Centimos base, int centesimas) {
    const std::int64_t magnitud = base < 0 ? -base : base;
    const std::int64_t cuota =
        magnitud / 10000 * centesimas + (magnitud % 10000 * centesimas + 5000) / 10000;
    return base < 0 ? -cuota : cuota;
}

}  // namespace cdv
