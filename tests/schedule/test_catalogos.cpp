// Every catalogue row, compared field by field with the schedule as published.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <string>

#include "Catalogos.h"

namespace {

using cdv::TablaTD;
using cdv::TablaTT;

struct FilaTT {
    int fila;
    std::string_view ref, descripcion;
    int tipo;
    std::string_view unidad, tasa, minimo, grupo;
    long lineasNota;
    std::uint64_t hashNota;
};

struct FilaTD {
    int fila;
    std::string_view ref, descripcion;
    int tipo;
    std::string_view tasa, minimo;
    long lineasNota;
    std::uint64_t hashNota;
};

// clang-format off
// Row, Ref, Descripcion, Tipo, Unidad, Tasa, Minimo, Grupo, and the note: its line count and
// the FNV-1a hash of its lines joined by carriage returns (0 lines: no note).
const FilaTT kEsperadoTT[] = {
    {1, "CNA", "Vertederos de residuos sólidos urbanos", 3, "€", "0.0035", "37", "Construcción", 0, 0x0000000000000000u},
    {2, "MGT", "Depósitos (atmosféricos)", 2, "m3", "0.23", "37", "Almacenamiento", 0, 0x0000000000000000u},
    {3, "MGP", "Depósitos (a presión)", 2, "m3", "1.32", "37", "Almacenamiento", 0, 0x0000000000000000u},
    {4, "MGV", "Diversos almacenamiento", 3, "€", "0.0035", "37", "Almacenamiento", 0, 0x0000000000000000u},
    {5, "IND", "Depuradoras", 2, "m3 / día", "1.2", "37", "Instalaciones", 0, 0x0000000000000000u},
    {6, "INCI", "Instalaciones de calor industrial", 2, "kW(T)", "0.06", "37", "Instalaciones", 0, 0x0000000000000000u},
    {7, "INFI", "Instalaciones de frío industrial", 2, "kW(arrastre)", "1.71", "37", "Instalaciones", 2, 0x8bfc92d7001d2d78u},
    {8, "INAC", "Climatización/Aire acondicionado", 2, "kW(T)", "0.78", "37", "Instalaciones", 1, 0x1a1c10e4181bfb13u},
    {9, "INC", "Calefacción y ACS", 2, "kW(T)", "0.17", "37", "Instalaciones", 0, 0x0000000000000000u},
    {10, "INA", "Aire comprimido", 2, "kW(e)", "1.2", "37", "Instalaciones", 0, 0x0000000000000000u},
    {11, "INGI", "Gas industria", 2, "Nm3 / h", "0.1", "37", "Instalaciones", 1, 0x89d3fd2dad4178aau},
    {12, "INGV", "Gas viviendas", 2, "Vivienda", "1.56", "37", "Instalaciones", 0, 0x0000000000000000u},
    {13, "INGN", "Gas locales no industriales", 3, "€", "0.0035", "37", "Instalaciones", 0, 0x0000000000000000u},
    {14, "INRG", "Redes de distribución de gas", 2, "m", "0.16", "37", "Instalaciones", 0, 0x0000000000000000u},
    {15, "INS", "Saneamiento", 2, "m", "0.15", "37", "Instalaciones", 0, 0x0000000000000000u},
    {16, "INV1", "Agua viviendas viv<25", 2, "Vivienda", "2.63", "37", "Instalaciones", 0, 0x0000000000000000u},
    {17, "INV2", "Agua viviendas 25=<viv=<40", 2, "Vivienda", "2.1", "37", "Instalaciones", 0, 0x0000000000000000u},
    {18, "INV3", "Agua viviendas 41=<viv=<100", 2, "Vivienda", "1.84", "37", "Instalaciones", 0, 0x0000000000000000u},
    {19, "INV4", "Agua viviendas viv>100", 2, "Vivienda", "1.56", "37", "Instalaciones", 0, 0x0000000000000000u},
    {20, "INH", "Agua hoteles", 2, "Habitación", "1.4", "37", "Instalaciones", 0, 0x0000000000000000u},
    {21, "INAI", "Agua industria", 3, "€", "0.0035", "0", "Instalaciones", 0, 0x0000000000000000u},
    {22, "INRA", "Redes de distribución de agua", 2, "m", "0.17", "37", "Instalaciones", 0, 0x0000000000000000u},
    {23, "INC1", "Instalaciones contraincendios para uso no residencial", 3, "€", "0.0035", "37", "Instalaciones", 0, 0x0000000000000000u},
    {24, "INER", "Estaciones de regulación y medida, en redes de distribución de gas", 3, "€", "0.0035", "37", "Instalaciones", 0, 0x0000000000000000u},
    {25, "INIF", "Instalaciones fotovoltaicas", 2, "kW(pico)", "9", "37", "Instalaciones", 0, 0x0000000000000000u},
    {26, "INII", "Instalaciones industriales singulares (químicas y petroquímicas, desaladoras, papeleras, fundición, cementeras, etc.)", 3, "€", "0.0035", "37", "Instalaciones", 0, 0x0000000000000000u},
    {27, "INV", "Diversos instalaciones", 3, "€", "0.0035", "37", "Instalaciones", 0, 0x0000000000000000u},
    {28, "ELPC", "Plantas de cogeneración", 2, "kVA", "0.48", "37", "Electricidad", 0, 0x0000000000000000u},
    {29, "ELI", "B.T.industria", 2, "kW(e)", "0.25", "37", "Electricidad", 2, 0x453a5516a1d67755u},
    {30, "ELC", "Centrales de producción de energía", 3, "€", "0.0035", "37", "Electricidad", 0, 0x0000000000000000u},
    {31, "ELV", "Diversos electricidad", 3, "€", "0.0035", "37", "Electricidad", 0, 0x0000000000000000u},
    {32, "LAN", "Actividades no industriales", 4, "m2", "0", "30", "Actividades", 12, 0xf398ae8fc370559du},
    {33, "LAI", "Actividades industriales", 4, "m2", "0", "30", "Actividades", 8, 0x830b321a4ade853au},
    {34, "DVPG", "Aparatos a presión o a gas de tipo único o en serie", 1, "€", "34", "34", "Otros", 0, 0x0000000000000000u},
    {35, "DVCM", "Diseño y construcción de maquinaria", 3, "€", "0.0035", "37", "Otros", 0, 0x0000000000000000u},
    {36, "DVH", "Homologación", 1, "€", "0", "0", "Otros", 1, 0xfeb0e38211624907u},
    {37, "DVMP1", "Maquinaria no proyectada de proceso", 3, "€", "0.001", "37", "Otros", 1, 0xcb62e51082dc6865u},
    {38, "DVMP2", "Maquinaria no proyectada de instalaciones", 1, "€", "0", "0", "Otros", 1, 0xdc98fc8d18ff5753u},
    {39, "DVO", "Diversos otros", 3, "€", "0.0035", "37", "Otros", 0, 0x0000000000000000u},
};
const FilaTD kEsperadoTD[] = {
    {1, "AAP", "Acta de aprobación del plan de seguridad y salud", 1, "20", "20", 0, 0x0000000000000000u},
    {2, "X", "Anexo que no suponga ampliación de presupuesto", 1, "0", "0", 1, 0x33e2220f7fb34871u},
    {3, "X1", "Anexo que únicamente suponga ampliación de información", 1, "0", "0", 1, 0x33e2220f7fb34871u},
    {4, "V", "Anteproyecto", 5, "0.25", "0", 1, 0x616a12905d655490u},
    {5, "ACS", "Asunción de coordinador de seguridad y salud", 1, "0", "0", 0, 0x0000000000000000u},
    {6, "A", "Asunción de dirección técnica", 1, "0", "0", 0, 0x0000000000000000u},
    {7, "AAI", "Autorización ambiental integrada", 1, "200", "200", 1, 0x9bb40d7e6d68851fu},
    {8, "CPR", "Certificado de construcción o pruebas de aparatos a presión de tipo único", 1, "20", "20", 0, 0x0000000000000000u},
    {9, "CCP", "Certificado de construcción o pruebas de aparatos a presión en serie", 1, "30", "30", 0, 0x0000000000000000u},
    {10, "CIF", "Certificado de instalaciones frigoríficas (C.I.F.)", 1, "20", "20", 0, 0x0000000000000000u},
    {11, "CPGU", "Certificado de pruebas de aparatos de gas de tipo único", 1, "20", "20", 0, 0x0000000000000000u},
    {12, "CPGS", "Certificado de pruebas de aparatos de gas en serie", 1, "30", "30", 0, 0x0000000000000000u},
    {13, "CPFN", "Certificado de pruebas de fonometría", 1, "34", "34", 0, 0x0000000000000000u},
    {14, "C", "Certificado diverso: cédula de habitabilidad, de adecuación de normativa, de inspecciones eléctricas, de máquinas recreativas, de solidez, revisiones periódicas de instalaciones …", 1, "30", "30", 0, 0x0000000000000000u},
    {15, "CFO", "Certificado necesario para llevar a efecto la dirección técnica, (incluido el certificado final de obra)", 1, "0", "0", 1, 0xe627f203f754bbc3u},
    {16, "CRI", "Certificado o proyecto de registro industrial", 1, "30", "30", 0, 0x0000000000000000u},
    {17, "O", "Copia", 1, "0", "0", 0, 0x0000000000000000u},
    {18, "DVA", "Declaración de vertido de aguas residuales", 1, "30", "30", 0, 0x0000000000000000u},
    {19, "D", "Dictamen", 1, "34", "34", 0, 0x0000000000000000u},
    {20, "EBSI", "Estudio básico de seguridad y salud (realizado por ingeniero/a autor/a del proyecto)", 1, "0", "0", 0, 0x0000000000000000u},
    {21, "EBSO", "Estudio básico de seguridad y salud (realizado por ingeniero/a diferente al autor del proyecto)", 1, "34", "34", 0, 0x0000000000000000u},
    {22, "ECT", "Estudio de carga térmica (sin presupuesto)", 1, "20", "20", 0, 0x0000000000000000u},
    {23, "EIA2", "Estudio de impacto ambiental que incluya medidas correctoras", 3, "0.0035", "45", 0, 0x0000000000000000u},
    {24, "EIA1", "Estudio de impacto ambiental que no incluya medidas correctoras", 1, "45", "45", 0, 0x0000000000000000u},
    {25, "ESS2", "Estudio de seguridad y salud de 9.000 € de presupuesto o superior", 3, "0.0035", "34", 0, 0x0000000000000000u},
    {26, "ESS1", "Estudio de seguridad y salud hasta 9.000 € de presupuesto", 1, "34", "34", 0, 0x0000000000000000u},
    {27, "EP", "Estudio previo", 1, "34", "34", 0, 0x0000000000000000u},
    {28, "F", "Hoja de encargo", 1, "0", "0", 0, 0x0000000000000000u},
    {29, "HU", "Homologación de aparatos de tipo único", 1, "34", "34", 0, 0x0000000000000000u},
    {30, "HH", "Homologación de productos ligeros prefabricados de hormigón", 1, "60", "60", 0, 0x0000000000000000u},
    {31, "HD", "Homologación no incluida en ninguno de los apartados específicos", 1, "60", "60", 0, 0x0000000000000000u},
    {32, "I", "Informe", 1, "34", "34", 0, 0x0000000000000000u},
    {33, "MV", "Memoria valorada", 5, "0.25", "0", 1, 0x1d353a8ac8b4364du},
    {34, "OD", "Otros Documentos", 0, "0", "0", 0, 0x0000000000000000u},
    {35, "PER", "Peritación", 1, "34", "34", 0, 0x0000000000000000u},
    {36, "PEM1", "Plan de emergencia Sup. >=500 m2", 1, "60", "60", 0, 0x0000000000000000u},
    {37, "PEM2", "Plan de emergencia Sup. < 500 m2", 1, "30", "30", 0, 0x0000000000000000u},
    {38, "P", "Proyecto", 5, "1", "0", 0, 0x0000000000000000u},
    {39, "PB", "Proyecto básico", 5, "0.5", "0", 1, 0x6c39b6e326a8f4cdu},
    {40, "PCA", "Proyecto para concursos de las administraciones", 1, "37", "37", 0, 0x0000000000000000u},
    {41, "PR", "Proyecto reformado", 5, "1", "0", 2, 0xf32e0bed885b17eau},
    {42, "RCS", "Renuncia de coordinador de seguridad y salud", 1, "0", "0", 0, 0x0000000000000000u},
    {43, "R", "Renuncia de dirección técnica", 1, "0", "0", 0, 0x0000000000000000u},
    {44, "SP2", "Separata (cuyas CDV no se hayan liquidado en el proyecto global)", 5, "1", "0", 1, 0x111ba459ac38d82bu},
    {45, "SP1", "Separata (cuyas CDV se hayan liquidado en el proyecto global)", 1, "0", "0", 0, 0x0000000000000000u},
    {46, "SCC", "Solicitud de certificado de compatibilidad urbanística", 1, "12", "12", 1, 0x6b7bc3002022679eu},
    {47, "VL", "Valoración", 1, "30", "30", 0, 0x0000000000000000u},
    {48, "LI", "Libro de Incidencias", 1, "30", "30", 0, 0x0000000000000000u},
    {49, "AE", "Acta de ensayo", 1, "12", "12", 0, 0x0000000000000000u},
};
// clang-format on

// The float nearest to a decimal text, by another route than the source's literals.
float FloatDe(std::string_view decimal) {
    float valor = -1.0f;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), valor);
    return valor;
}

std::uint64_t Fnv1a(std::string_view texto) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : texto) hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    return hash;
}

void ComprobarNota(std::string_view nota, long lineas, std::uint64_t hash) {
    EXPECT_EQ(nota.empty() ? 0 : std::count(nota.begin(), nota.end(), '\r') + 1, lineas);
    EXPECT_EQ(nota.empty() ? 0 : Fnv1a(nota), hash);
    EXPECT_EQ(nota.find('\n'), std::string_view::npos);
}

class Catalogos : public ::testing::Test {
  protected:
    void SetUp() override {
        cdv::CargarTablaTT();
        cdv::CargarTablaTD();
    }
};

TEST_F(Catalogos, TrabajosFilaPorFila) {
    ASSERT_EQ(TablaTT.Filas(), 39);
    ASSERT_EQ(std::size(kEsperadoTT), 39u);
    for (const auto& e : kEsperadoTT) {
        SCOPED_TRACE("TablaTT fila " + std::to_string(e.fila));
        const auto* f = TablaTT.Fila(e.fila);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Ref, e.ref);
        EXPECT_EQ(f->Descripcion, e.descripcion);
        EXPECT_EQ(f->Tipo, e.tipo);
        EXPECT_EQ(f->Unidad, e.unidad);
        EXPECT_EQ(f->Tasa, FloatDe(e.tasa));
        EXPECT_EQ(f->Minimo, FloatDe(e.minimo));
        EXPECT_EQ(f->Grupo, e.grupo);
        ComprobarNota(f->Comentario, e.lineasNota, e.hashNota);
    }
}

TEST_F(Catalogos, DocumentosFilaPorFila) {
    ASSERT_EQ(TablaTD.Filas(), 49);
    ASSERT_EQ(std::size(kEsperadoTD), 49u);
    for (const auto& e : kEsperadoTD) {
        SCOPED_TRACE("TablaTD fila " + std::to_string(e.fila));
        const auto* f = TablaTD.Fila(e.fila);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Ref, e.ref);
        EXPECT_EQ(f->Descripcion, e.descripcion);
        EXPECT_EQ(f->Tipo, e.tipo);
        EXPECT_EQ(f->Tasa, FloatDe(e.tasa));
        EXPECT_EQ(f->Minimo, FloatDe(e.minimo));
        ComprobarNota(f->Comentario, e.lineasNota, e.hashNota);
    }
}

TEST_F(Catalogos, NoHayFilaCeroNiMasAllaDelFinal) {
    for (const int fuera : {0, -1, 40, 32767}) EXPECT_EQ(TablaTT.Fila(fuera), nullptr) << fuera;
    for (const int fuera : {0, -1, 50, 32767}) EXPECT_EQ(TablaTD.Fila(fuera), nullptr) << fuera;
}

// What the hashes do not show on failure, spelled out.
TEST_F(Catalogos, NotasConCaracteresDelicados) {
    EXPECT_NE(TablaTT.Fila(32)->Comentario.find("general\r\rObservaciones:"),
              std::string_view::npos);
    EXPECT_EQ(TablaTT.Fila(33)->Comentario.find("\r\r"), std::string_view::npos);
    EXPECT_NE(TablaTT.Fila(33)->Comentario.find("si que  incluyen"), std::string_view::npos);
    EXPECT_EQ(TablaTT.Fila(37)->Comentario.substr(0, 12), " De proceso:");
    EXPECT_NE(TablaTT.Fila(37)->Comentario.find("el 1\u2030 al"), std::string_view::npos);
    EXPECT_NE(TablaTT.Fila(38)->Comentario.find("almacenamiento\u2026,"), std::string_view::npos);
    EXPECT_EQ(TablaTD.Fila(2)->Comentario, TablaTD.Fila(3)->Comentario);
}

}  // namespace
