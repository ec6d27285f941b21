#include <gtest/gtest.h>

#include <cmath>

#include "Escalas.h"
#include "RegistroMensajes.h"

namespace {

using cdv::EscalaDV;
using cdv::EscalaSuperficie;

struct Caso {
    float entrada;
    float esperado;
};

TEST(EscalaDV, ValoresDeLaTabla) {
    const Caso casos[] = {
        {175.0f, 175.0f},
        {176.0f, 175.899994f},
        {350.0f, 332.5f},
        {1'000.0f, 783.75f},
        {1'750.0f, 1'233.75f},
        {10'000.0f, 4'690.0f},
        {100'000.0f, 19'890.0f},
        {1'000'000.0f, 140'290.0f},
        {1'120'000.0f, 155'890.0f},
        {2e9f, 250'015'888.0f},
        {2'000'000'001.0f, 250'015'888.0f},
        {1.0f, 1.0f},
        {0.01f, 0.01f},
    };
    RegistroMensajes registro;
    for (const auto& c : casos) EXPECT_EQ(EscalaDV(c.entrada), c.esperado) << c.entrada;
    EXPECT_TRUE(registro.mensajes.empty());
}

TEST(EscalaDV, NoPositivoDaCeroSinMensaje) {
    RegistroMensajes registro;
    for (const float x : {0.0f, -0.0f, -5.0f, -1e30f, NAN, -INFINITY})
        EXPECT_EQ(EscalaDV(x), 0.0f) << x;
    EXPECT_TRUE(registro.mensajes.empty());
}

TEST(EscalaDV, MasAllaDelUltimoTramoAvisaYDaCero) {
    for (const float x : {3e9f, std::nextafter(2e9f, INFINITY), 1e30f, INFINITY}) {
        RegistroMensajes registro;
        EXPECT_EQ(EscalaDV(x), 0.0f) << x;
        ASSERT_EQ(registro.mensajes.size(), 1u) << x;
        EXPECT_EQ(registro.mensajes[0].first, "La Cuota de Visado (DV) es demasiado alta");
        EXPECT_EQ(registro.mensajes[0].second, "   ERROR");
    }
    EXPECT_EQ(std::nextafter(2e9f, INFINITY), 2'000'000'128.0f);
}

TEST(EscalaDV, ContinuaEnCadaLimite) {
    // Just past a limit the next bracket takes over; the fee may only move by the step itself.
    for (const float limite :
         {175.f, 350.f, 525.f, 700.f, 875.f, 1750.f, 2625.f, 3500.f, 5250.f, 7000.f, 10500.f,
          14000.f, 17500.f, 35000.f, 70000.f, 140000.f, 280000.f, 560000.f, 1120000.f}) {
        const float despues = std::nextafter(limite, INFINITY);
        const float salto = EscalaDV(despues) - EscalaDV(limite);
        EXPECT_GE(salto, 0.0f) << limite;
        EXPECT_LE(salto, 2 * (despues - limite)) << limite;
    }
}

TEST(EscalaSuperficie, Clases) {
    const Caso casos[] = {
        {0.5f, 30.0f},     {500.0f, 30.0f},   {500.5f, 36.0f},   {1'000.0f, 36.0f},
        {4'000.0f, 48.0f}, {4'000.5f, 60.0f}, {8'000.0f, 60.0f}, {8'000.5f, 90.0f},
        {1e6f, 90.0f},     {0.0f, 0.0f},      {-3.0f, 0.0f},     {NAN, 0.0f},
    };
    RegistroMensajes registro;
    for (const auto& c : casos) EXPECT_EQ(EscalaSuperficie(c.entrada), c.esperado) << c.entrada;
    EXPECT_TRUE(registro.mensajes.empty());
}

TEST(EscalaSuperficie, DemasiadoAltaAvisaYDaCero) {
    RegistroMensajes registro;
    EXPECT_EQ(EscalaSuperficie(1'000'001.0f), 0.0f);
    ASSERT_EQ(registro.mensajes.size(), 1u);
    EXPECT_EQ(registro.mensajes[0].first, "La Superficie es demasiado alta");
    EXPECT_EQ(registro.mensajes[0].second, "   ERROR");
}

}  // namespace
