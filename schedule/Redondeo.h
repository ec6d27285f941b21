// Rounding exactly where the fee rules store a value, whatever floating-point unit runs them.
// SSE2 and every 64-bit target round each double operation to double and each float store to
// float. The 32-bit x87 unit keeps 80-bit values in its registers instead; there a guard makes
// it round every operation to double precision while a rule runs, and float stores go through
// memory so that they really round to single precision.
#pragma once

#include <limits>

#if (defined(__i386__) && !defined(__SSE2_MATH__)) || (defined(_M_IX86) && _M_IX86_FP < 2)
#define CDV_X87 1
#if defined(_MSC_VER)
#include <float.h>
#endif
#endif

namespace cdv {

#if defined(CDV_X87)
class PrecisionDoble {
  public:
#if defined(_MSC_VER)
    PrecisionDoble() {
        _controlfp_s(&antes_, _PC_53, _MCW_PC);
    }
    ~PrecisionDoble() {
        unsigned int ahora = 0;
        _controlfp_s(&ahora, antes_, _MCW_PC);
    }

  private:
    unsigned int antes_ = 0;
#else
    PrecisionDoble() {
        __asm__ __volatile__("fnstcw %0" : "=m"(antes_));
        const unsigned short doble = static_cast<unsigned short>((antes_ & ~0x0300) | 0x0200);
        __asm__ __volatile__("fldcw %0" : : "m"(doble));
    }
    ~PrecisionDoble() {
        __asm__ __volatile__("fldcw %0" : : "m"(antes_));
    }

  private:
    unsigned short antes_ = 0;
#endif
    PrecisionDoble(const PrecisionDoble&) = delete;
    PrecisionDoble& operator=(const PrecisionDoble&) = delete;
};
#else
// Nothing to set where every operation already rounds to its type.
class PrecisionDoble {};
#endif

// Stores x as a float: to nearest, and to infinity past the largest float (which a plain
// conversion would leave undefined). The store goes through memory, so it rounds on x87 too.
inline float EnSimple(double x) {
    constexpr double kDesborde = 0x1.ffffffp127;  // halfway between FLT_MAX and 2^128
    volatile float guardado = 0.0f;
    if (x >= kDesborde) {
        guardado = std::numeric_limits<float>::infinity();
    } else if (x <= -kDesborde) {
        guardado = -std::numeric_limits<float>::infinity();
    } else {
        guardado = static_cast<float>(x);
    }
    return guardado;
}

}  // namespace cdv
