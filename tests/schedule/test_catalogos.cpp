// Every catalogue row, compared field by field with the schedule as published.
#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <string>
#include <vector>

#include "Catalogos.h"

namespace {

using cdv::TablaTD;
using cdv::TablaTT;

struct FilaTT {
    int fila;
    std::string ref, descripcion;
    int tipo;
    std::string unidad, tasa, minimo, grupo;
};

struct FilaTD {
    int fila;
    std::string ref, descripcion;
    int tipo;
    std::string tasa, minimo;
};

// clang-format off
const std::vector<FilaTT> kEsperadoTT{
    {1, "CNA", "Vertederos de residuos sólidos urbanos", 3, "€", "0.0035", "37", "Construcción"},
    {2, "MGT", "Depósitos (atmosféricos)", 2, "m3", "0.23", "37", "Almacenamiento"},
    {3, "MGP", "Depósitos (a presión)", 2, "m3", "1.32", "37", "Almacenamiento"},
    {4, "MGV", "Diversos almacenamiento", 3, "€", "0.0035", "37", "Almacenamiento"},
    {5, "IND", "Depuradoras", 2, "m3 / día", "1.2", "37", "Instalaciones"},
    {6, "INCI", "Instalaciones de calor industrial", 2, "kW(T)", "0.06", "37", "Instalaciones"},
    {7, "INFI", "Instalaciones de frío industrial", 2, "kW(arrastre)", "1.71", "37", "Instalaciones"},
    {8, "INAC", "Climatización/Aire acondicionado", 2, "kW(T)", "0.78", "37", "Instalaciones"},
    {9, "INC", "Calefacción y ACS", 2, "kW(T)", "0.17", "37", "Instalaciones"},
    {10, "INA", "Aire comprimido", 2, "kW(e)", "1.2", "37", "Instalaciones"},
    {11, "INGI", "Gas industria", 2, "Nm3 / h", "0.1", "37", "Instalaciones"},
    {12, "INGV", "Gas viviendas", 2, "Vivienda", "1.56", "37", "Instalaciones"},
    {13, "INGN", "Gas locales no industriales", 3, "€", "0.0035", "37", "Instalaciones"},
    {14, "INRG", "Redes de distribución de gas", 2, "m", "0.16", "37", "Instalaciones"},
    {15, "INS", "Saneamiento", 2, "m", "0.15", "37", "Instalaciones"},
    {16, "INV1", "Agua viviendas viv<25", 2, "Vivienda", "2.63", "37", "Instalaciones"},
    {17, "INV2", "Agua viviendas 25=<viv=<40", 2, "Vivienda", "2.1", "37", "Instalaciones"},
    {18, "INV3", "Agua viviendas 41=<viv=<100", 2, "Vivienda", "1.84", "37", "Instalaciones"},
    {19, "INV4", "Agua viviendas viv>100", 2, "Vivienda", "1.56", "37", "Instalaciones"},
    {20, "INH", "Agua hoteles", 2, "Habitación", "1.4", "37", "Instalaciones"},
    {21, "INAI", "Agua industria", 3, "€", "0.0035", "0", "Instalaciones"},
    {22, "INRA", "Redes de distribución de agua", 2, "m", "0.17", "37", "Instalaciones"},
    {23, "INC1", "Instalaciones contraincendios para uso no residencial", 3, "€", "0.0035", "37", "Instalaciones"},
    {24, "INER", "Estaciones de regulación y medida, en redes de distribución de gas", 3, "€", "0.0035", "37", "Instalaciones"},
    {25, "INIF", "Instalaciones fotovoltaicas", 2, "kW(pico)", "9", "37", "Instalaciones"},
    {26, "INII", "Instalaciones industriales singulares (químicas y petroquímicas, desaladoras, papeleras, fundición, cementeras, etc.)", 3, "€", "0.0035", "37", "Instalaciones"},
    {27, "INV", "Diversos instalaciones", 3, "€", "0.0035", "37", "Instalaciones"},
    {28, "ELPC", "Plantas de cogeneración", 2, "kVA", "0.48", "37", "Electricidad"},
    {29, "ELI", "B.T.industria", 2, "kW(e)", "0.25", "37", "Electricidad"},
    {30, "ELC", "Centrales de producción de energía", 3, "€", "0.0035", "37", "Electricidad"},
    {31, "ELV", "Diversos electricidad", 3, "€", "0.0035", "37", "Electricidad"},
    {32, "LAN", "Actividades no industriales", 4, "m2", "0", "30", "Actividades"},
    {33, "LAI", "Actividades industriales", 4, "m2", "0", "30", "Actividades"},
    {34, "DVPG", "Aparatos a presión o a gas de tipo único o en serie", 1, "€", "34", "34", "Otros"},
    {35, "DVCM", "Diseño y construcción de maquinaria", 3, "€", "0.0035", "37", "Otros"},
    {36, "DVH", "Homologación", 1, "€", "0", "0", "Otros"},
    {37, "DVMP1", "Maquinaria no proyectada de proceso", 3, "€", "0.001", "37", "Otros"},
    {38, "DVMP2", "Maquinaria no proyectada de instalaciones", 1, "€", "0", "0", "Otros"},
    {39, "DVO", "Diversos otros", 3, "€", "0.0035", "37", "Otros"},
};
const std::vector<FilaTD> kEsperadoTD{
    {1, "AAP", "Acta de aprobación del plan de seguridad y salud", 1, "20", "20"},
    {2, "X", "Anexo que no suponga ampliación de presupuesto", 1, "0", "0"},
    {3, "X1", "Anexo que únicamente suponga ampliación de información", 1, "0", "0"},
    {4, "V", "Anteproyecto", 5, "0.25", "0"},
    {5, "ACS", "Asunción de coordinador de seguridad y salud", 1, "0", "0"},
    {6, "A", "Asunción de dirección técnica", 1, "0", "0"},
    {7, "AAI", "Autorización ambiental integrada", 1, "200", "200"},
    {8, "CPR", "Certificado de construcción o pruebas de aparatos a presión de tipo único", 1, "20", "20"},
    {9, "CCP", "Certificado de construcción o pruebas de aparatos a presión en serie", 1, "30", "30"},
    {10, "CIF", "Certificado de instalaciones frigoríficas (C.I.F.)", 1, "20", "20"},
    {11, "CPGU", "Certificado de pruebas de aparatos de gas de tipo único", 1, "20", "20"},
    {12, "CPGS", "Certificado de pruebas de aparatos de gas en serie", 1, "30", "30"},
    {13, "CPFN", "Certificado de pruebas de fonometría", 1, "34", "34"},
    {14, "C", "Certificado diverso: cédula de habitabilidad, de adecuación de normativa, de inspecciones eléctricas, de máquinas recreativas, de solidez, revisiones periódicas de instalaciones …", 1, "30", "30"},
    {15, "CFO", "Certificado necesario para llevar a efecto la dirección técnica, (incluido el certificado final de obra)", 1, "0", "0"},
    {16, "CRI", "Certificado o proyecto de registro industrial", 1, "30", "30"},
    {17, "O", "Copia", 1, "0", "0"},
    {18, "DVA", "Declaración de vertido de aguas residuales", 1, "30", "30"},
    {19, "D", "Dictamen", 1, "34", "34"},
    {20, "EBSI", "Estudio básico de seguridad y salud (realizado por ingeniero/a autor/a del proyecto)", 1, "0", "0"},
    {21, "EBSO", "Estudio básico de seguridad y salud (realizado por ingeniero/a diferente al autor del proyecto)", 1, "34", "34"},
    {22, "ECT", "Estudio de carga térmica (sin presupuesto)", 1, "20", "20"},
    {23, "EIA2", "Estudio de impacto ambiental que incluya medidas correctoras", 3, "0.0035", "45"},
    {24, "EIA1", "Estudio de impacto ambiental que no incluya medidas correctoras", 1, "45", "45"},
    {25, "ESS2", "Estudio de seguridad y salud de 9.000 € de presupuesto o superior", 3, "0.0035", "34"},
    {26, "ESS1", "Estudio de seguridad y salud hasta 9.000 € de presupuesto", 1, "34", "34"},
    {27, "EP", "Estudio previo", 1, "34", "34"},
    {28, "F", "Hoja de encargo", 1, "0", "0"},
    {29, "HU", "Homologación de aparatos de tipo único", 1, "34", "34"},
    {30, "HH", "Homologación de productos ligeros prefabricados de hormigón", 1, "60", "60"},
    {31, "HD", "Homologación no incluida en ninguno de los apartados específicos", 1, "60", "60"},
    {32, "I", "Informe", 1, "34", "34"},
    {33, "MV", "Memoria valorada", 5, "0.25", "0"},
    {34, "OD", "Otros Documentos", 0, "0", "0"},
    {35, "PER", "Peritación", 1, "34", "34"},
    {36, "PEM1", "Plan de emergencia Sup. >=500 m2", 1, "60", "60"},
    {37, "PEM2", "Plan de emergencia Sup. < 500 m2", 1, "30", "30"},
    {38, "P", "Proyecto", 5, "1", "0"},
    {39, "PB", "Proyecto básico", 5, "0.5", "0"},
    {40, "PCA", "Proyecto para concursos de las administraciones", 1, "37", "37"},
    {41, "PR", "Proyecto reformado", 5, "1", "0"},
    {42, "RCS", "Renuncia de coordinador de seguridad y salud", 1, "0", "0"},
    {43, "R", "Renuncia de dirección técnica", 1, "0", "0"},
    {44, "SP2", "Separata (cuyas CDV no se hayan liquidado en el proyecto global)", 5, "1", "0"},
    {45, "SP1", "Separata (cuyas CDV se hayan liquidado en el proyecto global)", 1, "0", "0"},
    {46, "SCC", "Solicitud de certificado de compatibilidad urbanística", 1, "12", "12"},
    {47, "VL", "Valoración", 1, "30", "30"},
    {48, "LI", "Libro de Incidencias", 1, "30", "30"},
    {49, "AE", "Acta de ensayo", 1, "12", "12"},
};
const std::map<int, std::vector<std::string>> kNotasTT{
    {7, {"Se excluyen explícitamente las instalaciones de refrigeración criogénica y máquinas de absorción que se considerarán como otros trabajos, según apartado DVO", "La potencia de arrastre es la potencia en el eje del compresor"}},
    {8, {"Se excluyen explícitamente las instalaciones de refrigeración criogénica y máquinas de absorción que se considerarán como otros trabajos, según apartado DVO"}},
    {11, {"Incluye la industria hotelera y hostelera."}},
    {29, {"Incluye la industria hotelera y hostelera.", "Se aplicarán los derechos indicados sobre los kW(e) de potencia instalada en obras nuevas. Para el caso de obras de ampliación y reforma, la potencia instalada será la afectada por el proyecto."}},
    {32, {"Se aplicarán a los proyectos y a las obras de nueva construcción, de reforma de edificios y de establecimientos, o de cambio de uso de los mismos, excluidos los de uso industrial", "Se considerarán actividades no industriales, a título enunciativo pero no limitativo, las que se indican a continuación:", "- Locales destinados a actividades comerciales", "- Locales destinados a actividades recreativas", "- Locales de oficinas", "- Locales destinados a garajes y aparcamientos", "- Locales destinados a servicios logísticos", "- Locales destinados a actividades de servicios en general", "", "Observaciones:", "1. Estas cuotas del proyecto de actividad no incluyen las CDV de los proyectos de las diferentes instalaciones que pueda llevar como anexos. Por ejemplo: instalaciones eléctricas, de aire acondicionado, de aparatos a presión, etc. Sí se consideran comprendidas las CDV correspondientes a instalaciones contraincendios, en las que únicamente se instalan extintores", "2. Estas CDV si que  incluyen la correspondiente inversión en maquinaria"}},
    {33, {"Se considerarán actividades industriales, a título enunciativo pero no limitativo, las que se indican a continuación:", "1. Las actividades dirigidas a la obtención, reparación, mantenimiento, transformación o reutilización de productos industriales, el envasado y embalaje, así como el aprovechamiento, recuperación y eliminación de residuos o subproductos, cualquiera que sea la naturaleza de los recursos y procesos técnicos utilizados", "2. Los almacenamientos industriales", "3. Los talleres de reparación y los estacionamientos de vehículos destinados al transporte de personas y al transporte de mercancías", "4. Los servicios auxiliares o complementarios de las actividades comprendidas en los puntos anteriores", "Observaciones:", "1. Estas cuotas del proyecto de actividad no incluyen las CDV de los proyectos de las diferentes instalaciones que pueda llevar como anexos. Por ejemplo: instalaciones eléctricas, de aire acondicionado, de aparatos a presión, etc. Sí se consideran comprendidas las CDV correspondientes a instalaciones contraincendios, en las que únicamente se instalan extintores", "2. Estas CDV si que  incluyen la correspondiente inversión en maquinaria"}},
    {36, {"Según el Tipo de Documento"}},
    {37, {" De proceso: para el cálculo de los Derechos de Visado se aplicará el 1‰ al presupuesto de la inversión realizada en maquinaria."}},
    {38, {"Maquinaria no proyectada que forma parte de instalaciones, almacenamiento…, es decir de trabajos con Derechos de Visado asociados, se considera que la inversión en maquinaria ya está incluida en los mismos."}},
};
const std::map<int, std::vector<std::string>> kNotasTD{
    {2, {"Trabajo consistente, dentro de la misma tipología del proyecto original, en una ampliación de dicho proyecto. La ampliación podrá ser a efectos informativos o de diseño. Cuando se realice una modificación del presupuesto, para que el trabajo tenga consideración de anexo, ha de justificarse que lo proyectado originariamente no se ha puesto en marcha, esto es, que no se ha visado el Certificado Final de Obra o documento equivalente. Si la puesta en marcha se ha ejecutado, el trabajo se considerará como de nueva ejecución."}},
    {3, {"Trabajo consistente, dentro de la misma tipología del proyecto original, en una ampliación de dicho proyecto. La ampliación podrá ser a efectos informativos o de diseño. Cuando se realice una modificación del presupuesto, para que el trabajo tenga consideración de anexo, ha de justificarse que lo proyectado originariamente no se ha puesto en marcha, esto es, que no se ha visado el Certificado Final de Obra o documento equivalente. Si la puesta en marcha se ha ejecutado, el trabajo se considerará como de nueva ejecución."}},
    {4, {"Las CDV del Anteproyecto serán el 25% de las CDV del visado del proyecto. Este importe será deducido de las CDV del proyecto básico o del proyecto de ejecución cuando se presenten para su visado."}},
    {7, {"Requerirán autorización ambiental integrada las actividades industriales recogidas en el anejo 1 de la Ley 16/2002, de 1 de julio, de prevención y control integrados de la contaminación"}},
    {15, {"Incluido en las CDV de la Dirección Técnica"}},
    {33, {"Las CDV de la Memoria Valorada es el 25% de las CDV del visado del proyecto. Este importe se deducirá de las CDV del proyecto básico o del proyecto de ejecución cuando se presenten para su visado."}},
    {39, {"Las CDV del Proyecto Básico son el 50% de las CDV del visado del proyecto. Este importe será deducido de las CDV del proyecto de ejecución cuando este último sea visado."}},
    {41, {"Proyecto Reformado es el documento que recoge los cambios efectuados respecto al Proyecto al que hace referencia, y que supone una variación de los valores de los parámetros que lo definen.", "Para el cálculo de CDV se ha de aplicar el baremo a la variación, positiva, del parámetro correspondiente"}},
    {44, {"La Separata es un Proyecto con entidad propia, que es parte integrante de otro proyecto global y con presupuesto también incluido dentro del proyecto global."}},
    {46, {"A deducir de las CDV del proyecto en el momento en que se facturen éstas."}},
};
// clang-format on

// The float nearest to a decimal text, by an independent route from the source literals.
float FloatDe(const std::string& decimal) {
    float valor = -1.0f;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), valor);
    return valor;
}

std::string Unir(const std::vector<std::string>& lineas) {
    std::string texto;
    for (std::size_t i = 0; i < lineas.size(); ++i) texto += (i ? "\r" : "") + lineas[i];
    return texto;
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
    ASSERT_EQ(kEsperadoTT.size(), 39u);
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
        const auto nota = kNotasTT.find(e.fila);
        EXPECT_EQ(f->Comentario, nota == kNotasTT.end() ? "" : Unir(nota->second));
    }
}

TEST_F(Catalogos, DocumentosFilaPorFila) {
    ASSERT_EQ(TablaTD.Filas(), 49);
    ASSERT_EQ(kEsperadoTD.size(), 49u);
    for (const auto& e : kEsperadoTD) {
        SCOPED_TRACE("TablaTD fila " + std::to_string(e.fila));
        const auto* f = TablaTD.Fila(e.fila);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->Ref, e.ref);
        EXPECT_EQ(f->Descripcion, e.descripcion);
        EXPECT_EQ(f->Tipo, e.tipo);
        EXPECT_EQ(f->Tasa, FloatDe(e.tasa));
        EXPECT_EQ(f->Minimo, FloatDe(e.minimo));
        const auto nota = kNotasTD.find(e.fila);
        EXPECT_EQ(f->Comentario, nota == kNotasTD.end() ? "" : Unir(nota->second));
    }
}

TEST_F(Catalogos, NoHayFilaCeroNiMasAllaDelFinal) {
    for (const int fuera : {0, -1, 40, 32767}) EXPECT_EQ(TablaTT.Fila(fuera), nullptr) << fuera;
    for (const int fuera : {0, -1, 50, 32767}) EXPECT_EQ(TablaTD.Fila(fuera), nullptr) << fuera;
}

TEST_F(Catalogos, NotasConSaltosDeLineaSoloRetornoDeCarro) {
    for (int n = 1; n <= TablaTT.Filas(); ++n) {
        EXPECT_EQ(TablaTT.Fila(n)->Comentario.find('\n'), std::string_view::npos) << n;
    }
    for (int n = 1; n <= TablaTD.Filas(); ++n) {
        EXPECT_EQ(TablaTD.Fila(n)->Comentario.find('\n'), std::string_view::npos) << n;
    }
    // LAN has an empty ninth line, LAI none; both keep the two blanks of "si que  incluyen".
    EXPECT_NE(TablaTT.Fila(32)->Comentario.find("general\r\rObservaciones:"),
              std::string_view::npos);
    EXPECT_EQ(TablaTT.Fila(33)->Comentario.find("\r\r"), std::string_view::npos);
    EXPECT_NE(TablaTT.Fila(33)->Comentario.find("si que  incluyen"), std::string_view::npos);
    EXPECT_EQ(TablaTT.Fila(37)->Comentario.substr(0, 12), " De proceso:");
    EXPECT_NE(TablaTT.Fila(37)->Comentario.find("1\u2030"), std::string_view::npos);
    EXPECT_NE(TablaTT.Fila(38)->Comentario.find("almacenamiento\u2026,"), std::string_view::npos);
}

TEST_F(Catalogos, CuentasPorTipo) {
    std::map<int, int> tiposTD;
    int notasTD = 0;
    for (int n = 1; n <= TablaTD.Filas(); ++n) {
        ++tiposTD[TablaTD.Fila(n)->Tipo];
        notasTD += TablaTD.Fila(n)->Comentario.empty() ? 0 : 1;
    }
    EXPECT_EQ(tiposTD, (std::map<int, int>{{0, 1}, {1, 40}, {3, 2}, {5, 6}}));
    EXPECT_EQ(notasTD, 10);
    int notasTT = 0;
    for (int n = 1; n <= TablaTT.Filas(); ++n)
        notasTT += TablaTT.Fila(n)->Comentario.empty() ? 0 : 1;
    EXPECT_EQ(notasTT, 9);
}

}  // namespace
