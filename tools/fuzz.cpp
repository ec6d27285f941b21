// The libFuzzer program of a fuzz target: the property it is linked with (tests/fuzz/
// Comprobar.h), on any input; built with -DCDV_FUZZ=ON by fuzz.sh.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "Comprobar.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const std::string fallo = ComprobarEntrada({reinterpret_cast<const char*>(datos), largo});
    if (!fallo.empty()) {
        std::fprintf(stderr, "%s\n", fallo.c_str());
        std::abort();
    }
    return 0;
}
