// Price lists stated as data: each kind of rule, table and limit on amounts worked out by hand
// from the published structures, and the faults a list is refused for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Tarifa.h"

namespace {

using cdv::Canal;
using cdv::Decimal;

const cdv::Separadores kEs{",", "."};

Decimal D(std::string_view texto) {
    return *cdv::LeerDecimal(texto);
}

cdv::Tramo Marginal(std::optional<std::string_view> hasta, std::string_view coeficiente) {
    return {hasta ? std::optional(D(*hasta)) : std::nullopt, D(coeficiente), {}};
}

cdv::Tramo Escalon(std::optional<std::string_view> hasta, cdv::Centimos e, cdv::Centimos p) {
    return {hasta ? std::optional(D(*hasta)) : std::nullopt, {}, {e, p}};
}

// A row of kind `tipo` added to `t`, its rule's fields set by the caller.
cdv::FilaTarifa& Anadir(cdv::Tarifa& t, std::string ref, cdv::TipoRegla tipo) {
    cdv::FilaTarifa& f = t.filas.emplace_back();
    f.referencia = std::move(ref);
    f.regla.tipo = tipo;
    return f;
}

// The same, referring to other rows: `fila`, and `anterior` for a deduction.
void Referida(cdv::Tarifa& t, std::string ref, cdv::TipoRegla tipo, const char* porcentaje,
              std::string fila, std::string anterior = {}) {
    cdv::ReglaTarifa& r = Anadir(t, std::move(ref), tipo).regla;
    if (porcentaje != nullptr) r.porcentaje = D(porcentaje);
    r.fila = std::move(fila);
    r.anterior = std::move(anterior);
}

// One list holding each of the published structures: a budget by marginal bands with minimums
// by channel, fixed amounts by surface band and channel, weighted units with a paper charge,
// a service as a share of a fee, and a later stage less an earlier one.
cdv::Tarifa Ejemplo() {
    cdv::Tarifa t;
    t.tablas["presupuesto"] = {
        cdv::TipoTabla::Marginal,
        {Marginal("30000", "0.0029"), Marginal("60000", "0.00247"), Marginal("90000", "0.00203"),
         Marginal("150000", "0.00162"), Marginal("200000", "0.00135"),
         Marginal("300000", "0.00108"), Marginal("600000", "0.00075"),
         Marginal("1500000", "0.0005"), Marginal("3000000", "0.0002"),
         Marginal("6000000", "0.0001"), Marginal("60000000", "0.00001")}};
    t.tablas["superficie"] = {cdv::TipoTabla::Escalonada,
                              {Escalon("50", 6000, 10000), Escalon("100", 10500, 17500),
                               Escalon("500", 18000, 30000), Escalon({}, 27000, 45000)}};
    t.tablas["archivo"] = {
        cdv::TipoTabla::Escalonada,
        {Escalon("100", 0, 1000), Escalon("500", 0, 2500), Escalon({}, 0, 5000)}};
    t.factores["Tamaño"] = {{"pequeño", D("1")}, {"grande", D("0.9")}};
    t.factores["Complejidad"] = {{"baja", D("0.8")}, {"media", D("1")}, {"alta", D("1.2")}};
    using enum cdv::TipoRegla;
    cdv::FilaTarifa& proyecto = Anadir(t, "PRY", Tabla);
    proyecto.regla.tabla = "presupuesto";
    proyecto.minimo = cdv::PorCanal{1800, 2500};
    Anadir(t, "EJE", Tabla).regla.tabla = "superficie";
    Anadir(t, "PSS", Fija).regla.importe = {2000, 3333};
    Anadir(t, "UD", PorUnidad).regla.precio = D("0.835");
    for (const auto& [ref, precio] : {std::pair{"UP", "1.25"}, std::pair{"UPB", "0.5"}}) {
        cdv::FilaTarifa& ponderada = Anadir(t, ref, Ponderada);
        ponderada.regla.precio = D(precio);
        ponderada.regla.factores = {"Tamaño", "Complejidad"};
    }
    t.filas[4].tablaRecargo = "archivo";  // UP's archive charge on paper
    Referida(t, "SRV", ParteDe, "24", "PRY");
    Referida(t, "UPE", Deduccion, nullptr, "UP", "UPB");
    cdv::FilaTarifa& acotada = Anadir(t, "PCT", Porcentaje);
    acotada.regla.porcentaje = D("1.5");
    acotada.maximo = cdv::PorCanal{50000, 50000};
    acotada.recargo = cdv::PorCanal{0, 1200};
    t.Indexar();
    return t;
}

struct Caso {
    const char* ref;
    const char* cantidad;
    Canal canal;
    std::map<std::string, std::string> factores;
    std::optional<cdv::Centimos> cuota;
};

TEST(Tarifa, CadaReglaSeCalculaAMano) {
    const cdv::Tarifa t = Ejemplo();
    ASSERT_TRUE(cdv::FaltasDeTarifa(t).empty());
    const std::map<std::string, std::string> grandeAlta{{"Tamaño", "grande"},
                                                        {"Complejidad", "alta"}};
    const Caso casos[] = {
        // 30.000 × 0,0029 + 30.000 × 0,00247 + 30.000 × 0,00203 + 10.000 × 0,00162
        {"PRY", "100000", Canal::Electronica, {}, 23820},
        {"PRY", "30000", Canal::Electronica, {}, 8700},
        {"PRY", "1000000", Canal::Electronica, {}, 91970},
        {"PRY", "12345.67", Canal::Electronica, {}, 3580},  // 35,802443
        {"PRY", "5000", Canal::Electronica, {}, 1800},      // 14,50: the minimum
        {"PRY", "5000", Canal::Papel, {}, 2500},
        {"EJE", "50", Canal::Electronica, {}, 6000},  // a band's bound is inside it
        {"EJE", "50.01", Canal::Electronica, {}, 10500},
        {"EJE", "120", Canal::Papel, {}, 30000},
        {"EJE", "1000", Canal::Papel, {}, 45000},
        {"PSS", "1", Canal::Papel, {}, 3333},
        {"UD", "3", Canal::Electronica, {}, 251},  // 2,505: half up
        {"UD", "0.005", Canal::Electronica, {}, 0},
        // 250 × 0,9 × 1,2 × 1,25 = 337,50; on paper the archive charge of its band, 25,00
        {"UP", "250", Canal::Electronica, grandeAlta, 33750},
        {"UP", "250", Canal::Papel, grandeAlta, 36250},
        {"UP", "250", Canal::Electronica, {{"Tamaño", "grande"}}, std::nullopt},
        {"UPE", "250", Canal::Electronica, grandeAlta, 20250},  // 337,50 − 135,00
        {"SRV", "100000", Canal::Electronica, {}, 5717},        // 24 % of 238,20 = 57,168
        {"PCT", "10000", Canal::Papel, {}, 16200},              // 150,00 and 12,00 on paper
        {"PCT", "100000", Canal::Electronica, {}, 50000},       // 1.500,00: the maximum
        {"NADA", "1", Canal::Electronica, {}, std::nullopt},
    };
    for (const Caso& c : casos) {
        const cdv::TasacionTarifa tasacion =
            cdv::Tasar(t, {c.ref, D(c.cantidad), c.canal, c.factores}, kEs);
        EXPECT_EQ(tasacion.cuota, c.cuota) << c.ref << " " << c.cantidad;
        // Without its steps, the same fee, or the same refusal.
        const cdv::TasacionTarifa sola =
            cdv::Tasar(t, {c.ref, D(c.cantidad), c.canal, c.factores}, kEs, false);
        EXPECT_EQ(sola.cuota, c.cuota);
        EXPECT_EQ(sola.motivo, tasacion.motivo);
        EXPECT_TRUE(sola.pasos.empty());
        if (c.cuota) {
            EXPECT_EQ(tasacion.pasos.back(), "Cuota: " + cdv::TextoFormateado(*c.cuota, kEs));
        }
    }
}

TEST(Tarifa, LosPasosDicenComoSeLlega) {
    const cdv::TasacionTarifa tasacion =
        cdv::Tasar(Ejemplo(), {"PRY", D("5000"), Canal::Papel, {}}, kEs);
    EXPECT_EQ(tasacion.pasos,
              (std::vector<std::string>{"Tabla «presupuesto», de 0 a 5000: 5000 × 0,0029",
                                        "Redondeada al céntimo: 14,50", "Mínimo (papel): 25,00",
                                        "Cuota: 25,00"}));
}

TEST(Tarifa, LasFaltasSeDicenConSuLugar) {
    cdv::Tarifa t = Ejemplo();
    t.tablas["superficie"].tramos[2].hasta = D("80");  // below the band before it
    t.tablas["vacia"] = {};
    t.factores["Calidad"] = {};
    t.filas[0].maximo = cdv::PorCanal{1000, 1000};  // below its minimum
    t.filas[1].regla.tabla = "superficies";
    t.filas[3].referencia = "PSS";
    Referida(t, "A", cdv::TipoRegla::ParteDe, "10", "B");
    Referida(t, "B", cdv::TipoRegla::Deduccion, nullptr, "PRY", "A");
    t.Indexar();
    EXPECT_EQ(cdv::FaltasDeTarifa(t),
              (std::vector<std::string>{
                  "tablas.superficie.tramos[2]: «hasta» no pasa del tramo anterior (tramos "
                  "desordenados o solapados)",
                  "tablas.vacia.tramos: no tiene tramos", "factores.Calidad: no tiene opciones",
                  "filas[0]: el mínimo pasa del máximo",
                  "filas[1].regla.tabla: no hay ninguna tabla «superficies»",
                  "filas[3].referencia: «PSS» ya es la de filas[2]",
                  "filas[9].regla: se refiere a sí misma, por «B»",
                  "filas[10].regla: se refiere a sí misma, por «A»"}));
}

TEST(Tarifa, LosEjemplosQueNoSalenSeNombran) {
    cdv::Tarifa t = Ejemplo();
    t.ejemplos = {{{"PRY", D("100000"), Canal::Electronica, {}}, 23820},
                  {{"PRY", D("100000"), Canal::Electronica, {}}, 23821},
                  {{"UP", D("250"), Canal::Electronica, {}}, 100}};
    EXPECT_EQ(cdv::EjemplosQueFallan(t),
              (std::vector<std::string>{
                  "ejemplos[1] (PRY): da 238,20 y el colegio publica 238,21",
                  "ejemplos[2] (UP): no da cuota (falta elegir «Tamaño» (grande, pequeño)); el "
                  "colegio publica 1,00"}));
}

TEST(Tarifa, DecimalesExactos) {
    for (const char* malo :
         {"", ".5", "5.", "1,5", "-1", "1e3", "1.0000000001", "1234567890123456789"})
        EXPECT_FALSE(cdv::LeerDecimal(malo)) << malo;
    EXPECT_EQ(cdv::TextoDecimal(D("0.00290"), kEs), "0,0029");
    EXPECT_EQ(cdv::TextoDecimal(D("1500.50"), kEs), "1500,5");
    EXPECT_EQ(cdv::Comparar(D("50"), D("50.00")), 0);
    EXPECT_EQ(cdv::Comparar(D("50.01"), D("50.1")), -1);
    EXPECT_EQ(cdv::Comparar(D("50.2"), D("50.1")), 1);  // as many decimals: the digits alone
    EXPECT_EQ(cdv::Restar(D("7.5"), D("2.5")), D("5.0"));
    EXPECT_EQ(cdv::Restar(D("2.5"), D("7.5")), std::nullopt);
    EXPECT_EQ(cdv::Restar(D("7.5"), D("2.25")), D("5.25"));
    // 60.000.000 € × 0,000000001 € per unit, and the largest quantity by the largest rate,
    // exactly, with no 64-bit overflow on the way.
    const auto grande = cdv::Exacto::De(D("999999999999.999999")).Por(D("999999.999999999"));
    ASSERT_TRUE(grande);
    EXPECT_EQ(grande->AlCentimo(), std::nullopt);  // beyond the largest amount kept
    EXPECT_EQ(cdv::Exacto::De(D("60000000")).Por(D("0.000000001"))->AlCentimo(), 6);
    // A product past 64 bits rounded to the cent: the division's high half leaves a remainder.
    EXPECT_EQ(cdv::Exacto::De(D("123456789012.345678")).Por(D("7.654321987"))->AlCentimo(),
              94'497'801'458'162);  // 944.978.014.581,6175… €
}

}  // namespace
