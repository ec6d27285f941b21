// The schedule built into the program, as the association's fee schedule states it.
#include "Baremo.h"

namespace cdv {

namespace {

using R = Regla;

// clang-format off
// Ref, Descripcion, Tipo, Unidad, Tasa, Minimo, Grupo, Comentario
std::vector<TrabajoTT> Trabajos() {
    return {
    {"CNA", "Vertederos de residuos sólidos urbanos", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Construcción",
     ""},
    {"MGT", "Depósitos (atmosféricos)", R::PorMagnitud, "m3", 0.23f, 37.0f, "Almacenamiento",
     ""},
    {"MGP", "Depósitos (a presión)", R::PorMagnitud, "m3", 1.32f, 37.0f, "Almacenamiento",
     ""},
    {"MGV", "Diversos almacenamiento", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Almacenamiento",
     ""},
    {"IND", "Depuradoras", R::PorMagnitud, "m3 / día", 1.2f, 37.0f, "Instalaciones",
     ""},
    {"INCI", "Instalaciones de calor industrial", R::PorMagnitud, "kW(T)", 0.06f, 37.0f, "Instalaciones",
     ""},
    {"INFI", "Instalaciones de frío industrial", R::PorMagnitud, "kW(arrastre)", 1.71f, 37.0f, "Instalaciones",
     "Se excluyen explícitamente las instalaciones de refrigeración criogénica y máquinas de absorción que se considerarán como otros trabajos, según apartado DVO\r"
     "La potencia de arrastre es la potencia en el eje del compresor"},
    {"INAC", "Climatización/Aire acondicionado", R::PorMagnitud, "kW(T)", 0.78f, 37.0f, "Instalaciones",
     "Se excluyen explícitamente las instalaciones de refrigeración criogénica y máquinas de absorción que se considerarán como otros trabajos, según apartado DVO"},
    {"INC", "Calefacción y ACS", R::PorMagnitud, "kW(T)", 0.17f, 37.0f, "Instalaciones",
     ""},
    {"INA", "Aire comprimido", R::PorMagnitud, "kW(e)", 1.2f, 37.0f, "Instalaciones",
     ""},
    {"INGI", "Gas industria", R::PorMagnitud, "Nm3 / h", 0.1f, 37.0f, "Instalaciones",
     "Incluye la industria hotelera y hostelera."},
    {"INGV", "Gas viviendas", R::PorMagnitud, "Vivienda", 1.56f, 37.0f, "Instalaciones",
     ""},
    {"INGN", "Gas locales no industriales", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Instalaciones",
     ""},
    {"INRG", "Redes de distribución de gas", R::PorMagnitud, "m", 0.16f, 37.0f, "Instalaciones",
     ""},
    {"INS", "Saneamiento", R::PorMagnitud, "m", 0.15f, 37.0f, "Instalaciones",
     ""},
    {"INV1", "Agua viviendas viv<25", R::PorMagnitud, "Vivienda", 2.63f, 37.0f, "Instalaciones",
     ""},
    {"INV2", "Agua viviendas 25=<viv=<40", R::PorMagnitud, "Vivienda", 2.1f, 37.0f, "Instalaciones",
     ""},
    {"INV3", "Agua viviendas 41=<viv=<100", R::PorMagnitud, "Vivienda", 1.84f, 37.0f, "Instalaciones",
     ""},
    {"INV4", "Agua viviendas viv>100", R::PorMagnitud, "Vivienda", 1.56f, 37.0f, "Instalaciones",
     ""},
    {"INH", "Agua hoteles", R::PorMagnitud, "Habitación", 1.4f, 37.0f, "Instalaciones",
     ""},
    {"INAI", "Agua industria", R::PorPresupuesto, "€", 0.0035f, 0.0f, "Instalaciones",
     ""},
    {"INRA", "Redes de distribución de agua", R::PorMagnitud, "m", 0.17f, 37.0f, "Instalaciones",
     ""},
    {"INC1", "Instalaciones contraincendios para uso no residencial", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Instalaciones",
     ""},
    {"INER", "Estaciones de regulación y medida, en redes de distribución de gas", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Instalaciones",
     ""},
    {"INIF", "Instalaciones fotovoltaicas", R::PorMagnitud, "kW(pico)", 9.0f, 37.0f, "Instalaciones",
     ""},
    {"INII", "Instalaciones industriales singulares (químicas y petroquímicas, desaladoras, papeleras, fundición, cementeras, etc.)", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Instalaciones",
     ""},
    {"INV", "Diversos instalaciones", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Instalaciones",
     ""},
    {"ELPC", "Plantas de cogeneración", R::PorMagnitud, "kVA", 0.48f, 37.0f, "Electricidad",
     ""},
    {"ELI", "B.T.industria", R::PorMagnitud, "kW(e)", 0.25f, 37.0f, "Electricidad",
     "Incluye la industria hotelera y hostelera.\r"
     "Se aplicarán los derechos indicados sobre los kW(e) de potencia instalada en obras nuevas. Para el caso de obras de ampliación y reforma, la potencia instalada será la afectada por el proyecto."},
    {"ELC", "Centrales de producción de energía", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Electricidad",
     ""},
    {"ELV", "Diversos electricidad", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Electricidad",
     ""},
    {"LAN", "Actividades no industriales", R::PorSuperficie, "m2", 0.0f, 30.0f, "Actividades",
     "Se aplicarán a los proyectos y a las obras de nueva construcción, de reforma de edificios y de establecimientos, o de cambio de uso de los mismos, excluidos los de uso industrial\r"
     "Se considerarán actividades no industriales, a título enunciativo pero no limitativo, las que se indican a continuación:\r"
     "- Locales destinados a actividades comerciales\r"
     "- Locales destinados a actividades recreativas\r"
     "- Locales de oficinas\r"
     "- Locales destinados a garajes y aparcamientos\r"
     "- Locales destinados a servicios logísticos\r"
     "- Locales destinados a actividades de servicios en general\r"
     "\r"
     "Observaciones:\r"
     "1. Estas cuotas del proyecto de actividad no incluyen las CDV de los proyectos de las diferentes instalaciones que pueda llevar como anexos. Por ejemplo: instalaciones eléctricas, de aire acondicionado, de aparatos a presión, etc. Sí se consideran comprendidas las CDV correspondientes a instalaciones contraincendios, en las que únicamente se instalan extintores\r"
     "2. Estas CDV si que  incluyen la correspondiente inversión en maquinaria"},
    {"LAI", "Actividades industriales", R::PorSuperficie, "m2", 0.0f, 30.0f, "Actividades",
     "Se considerarán actividades industriales, a título enunciativo pero no limitativo, las que se indican a continuación:\r"
     "1. Las actividades dirigidas a la obtención, reparación, mantenimiento, transformación o reutilización de productos industriales, el envasado y embalaje, así como el aprovechamiento, recuperación y eliminación de residuos o subproductos, cualquiera que sea la naturaleza de los recursos y procesos técnicos utilizados\r"
     "2. Los almacenamientos industriales\r"
     "3. Los talleres de reparación y los estacionamientos de vehículos destinados al transporte de personas y al transporte de mercancías\r"
     "4. Los servicios auxiliares o complementarios de las actividades comprendidas en los puntos anteriores\r"
     "Observaciones:\r"
     "1. Estas cuotas del proyecto de actividad no incluyen las CDV de los proyectos de las diferentes instalaciones que pueda llevar como anexos. Por ejemplo: instalaciones eléctricas, de aire acondicionado, de aparatos a presión, etc. Sí se consideran comprendidas las CDV correspondientes a instalaciones contraincendios, en las que únicamente se instalan extintores\r"
     "2. Estas CDV si que  incluyen la correspondiente inversión en maquinaria"},
    {"DVPG", "Aparatos a presión o a gas de tipo único o en serie", R::PorUnidad, "€", 34.0f, 34.0f, "Otros",
     ""},
    {"DVCM", "Diseño y construcción de maquinaria", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Otros",
     ""},
    {"DVH", "Homologación", R::PorUnidad, "€", 0.0f, 0.0f, "Otros",
     "Según el Tipo de Documento"},
    {"DVMP1", "Maquinaria no proyectada de proceso", R::PorPresupuesto, "€", 0.001f, 37.0f, "Otros",
     " De proceso: para el cálculo de los Derechos de Visado se aplicará el 1‰ al presupuesto de la inversión realizada en maquinaria."},
    {"DVMP2", "Maquinaria no proyectada de instalaciones", R::PorUnidad, "€", 0.0f, 0.0f, "Otros",
     "Maquinaria no proyectada que forma parte de instalaciones, almacenamiento…, es decir de trabajos con Derechos de Visado asociados, se considera que la inversión en maquinaria ya está incluida en los mismos."},
    {"DVO", "Diversos otros", R::PorPresupuesto, "€", 0.0035f, 37.0f, "Otros",
     ""},
};
}

// Ref, Descripcion, Tipo, Tasa, Minimo, Comentario
std::vector<DocumentoTD> Documentos() {
    return {
    {"AAP", "Acta de aprobación del plan de seguridad y salud", R::PorUnidad, 20.0f, 20.0f,
     ""},
    {"X", "Anexo que no suponga ampliación de presupuesto", R::PorUnidad, 0.0f, 0.0f,
     "Trabajo consistente, dentro de la misma tipología del proyecto original, en una ampliación de dicho proyecto. La ampliación podrá ser a efectos informativos o de diseño. Cuando se realice una modificación del presupuesto, para que el trabajo tenga consideración de anexo, ha de justificarse que lo proyectado originariamente no se ha puesto en marcha, esto es, que no se ha visado el Certificado Final de Obra o documento equivalente. Si la puesta en marcha se ha ejecutado, el trabajo se considerará como de nueva ejecución."},
    {"X1", "Anexo que únicamente suponga ampliación de información", R::PorUnidad, 0.0f, 0.0f,
     "Trabajo consistente, dentro de la misma tipología del proyecto original, en una ampliación de dicho proyecto. La ampliación podrá ser a efectos informativos o de diseño. Cuando se realice una modificación del presupuesto, para que el trabajo tenga consideración de anexo, ha de justificarse que lo proyectado originariamente no se ha puesto en marcha, esto es, que no se ha visado el Certificado Final de Obra o documento equivalente. Si la puesta en marcha se ha ejecutado, el trabajo se considerará como de nueva ejecución."},
    {"V", "Anteproyecto", R::ParteDelProyecto, 0.25f, 0.0f,
     "Las CDV del Anteproyecto serán el 25% de las CDV del visado del proyecto. Este importe será deducido de las CDV del proyecto básico o del proyecto de ejecución cuando se presenten para su visado."},
    {"ACS", "Asunción de coordinador de seguridad y salud", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"A", "Asunción de dirección técnica", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"AAI", "Autorización ambiental integrada", R::PorUnidad, 200.0f, 200.0f,
     "Requerirán autorización ambiental integrada las actividades industriales recogidas en el anejo 1 de la Ley 16/2002, de 1 de julio, de prevención y control integrados de la contaminación"},
    {"CPR", "Certificado de construcción o pruebas de aparatos a presión de tipo único", R::PorUnidad, 20.0f, 20.0f,
     ""},
    {"CCP", "Certificado de construcción o pruebas de aparatos a presión en serie", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"CIF", "Certificado de instalaciones frigoríficas (C.I.F.)", R::PorUnidad, 20.0f, 20.0f,
     ""},
    {"CPGU", "Certificado de pruebas de aparatos de gas de tipo único", R::PorUnidad, 20.0f, 20.0f,
     ""},
    {"CPGS", "Certificado de pruebas de aparatos de gas en serie", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"CPFN", "Certificado de pruebas de fonometría", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"C", "Certificado diverso: cédula de habitabilidad, de adecuación de normativa, de inspecciones eléctricas, de máquinas recreativas, de solidez, revisiones periódicas de instalaciones …", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"CFO", "Certificado necesario para llevar a efecto la dirección técnica, (incluido el certificado final de obra)", R::PorUnidad, 0.0f, 0.0f,
     "Incluido en las CDV de la Dirección Técnica"},
    {"CRI", "Certificado o proyecto de registro industrial", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"O", "Copia", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"DVA", "Declaración de vertido de aguas residuales", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"D", "Dictamen", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"EBSI", "Estudio básico de seguridad y salud (realizado por ingeniero/a autor/a del proyecto)", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"EBSO", "Estudio básico de seguridad y salud (realizado por ingeniero/a diferente al autor del proyecto)", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"ECT", "Estudio de carga térmica (sin presupuesto)", R::PorUnidad, 20.0f, 20.0f,
     ""},
    {"EIA2", "Estudio de impacto ambiental que incluya medidas correctoras", R::PorPresupuesto, 0.0035f, 45.0f,
     ""},
    {"EIA1", "Estudio de impacto ambiental que no incluya medidas correctoras", R::PorUnidad, 45.0f, 45.0f,
     ""},
    {"ESS2", "Estudio de seguridad y salud de 9.000 € de presupuesto o superior", R::PorPresupuesto, 0.0035f, 34.0f,
     ""},
    {"ESS1", "Estudio de seguridad y salud hasta 9.000 € de presupuesto", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"EP", "Estudio previo", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"F", "Hoja de encargo", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"HU", "Homologación de aparatos de tipo único", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"HH", "Homologación de productos ligeros prefabricados de hormigón", R::PorUnidad, 60.0f, 60.0f,
     ""},
    {"HD", "Homologación no incluida en ninguno de los apartados específicos", R::PorUnidad, 60.0f, 60.0f,
     ""},
    {"I", "Informe", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"MV", "Memoria valorada", R::ParteDelProyecto, 0.25f, 0.0f,
     "Las CDV de la Memoria Valorada es el 25% de las CDV del visado del proyecto. Este importe se deducirá de las CDV del proyecto básico o del proyecto de ejecución cuando se presenten para su visado."},
    {"OD", "Otros Documentos", R::SinCuota, 0.0f, 0.0f,
     ""},
    {"PER", "Peritación", R::PorUnidad, 34.0f, 34.0f,
     ""},
    {"PEM1", "Plan de emergencia Sup. >=500 m2", R::PorUnidad, 60.0f, 60.0f,
     ""},
    {"PEM2", "Plan de emergencia Sup. < 500 m2", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"P", "Proyecto", R::ParteDelProyecto, 1.0f, 0.0f,
     ""},
    {"PB", "Proyecto básico", R::ParteDelProyecto, 0.5f, 0.0f,
     "Las CDV del Proyecto Básico son el 50% de las CDV del visado del proyecto. Este importe será deducido de las CDV del proyecto de ejecución cuando este último sea visado."},
    {"PCA", "Proyecto para concursos de las administraciones", R::PorUnidad, 37.0f, 37.0f,
     ""},
    {"PR", "Proyecto reformado", R::ParteDelProyecto, 1.0f, 0.0f,
     "Proyecto Reformado es el documento que recoge los cambios efectuados respecto al Proyecto al que hace referencia, y que supone una variación de los valores de los parámetros que lo definen.\r"
     "Para el cálculo de CDV se ha de aplicar el baremo a la variación, positiva, del parámetro correspondiente"},
    {"RCS", "Renuncia de coordinador de seguridad y salud", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"R", "Renuncia de dirección técnica", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"SP2", "Separata (cuyas CDV no se hayan liquidado en el proyecto global)", R::ParteDelProyecto, 1.0f, 0.0f,
     "La Separata es un Proyecto con entidad propia, que es parte integrante de otro proyecto global y con presupuesto también incluido dentro del proyecto global."},
    {"SP1", "Separata (cuyas CDV se hayan liquidado en el proyecto global)", R::PorUnidad, 0.0f, 0.0f,
     ""},
    {"SCC", "Solicitud de certificado de compatibilidad urbanística", R::PorUnidad, 12.0f, 12.0f,
     "A deducir de las CDV del proyecto en el momento en que se facturen éstas."},
    {"VL", "Valoración", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"LI", "Libro de Incidencias", R::PorUnidad, 30.0f, 30.0f,
     ""},
    {"AE", "Acta de ensayo", R::PorUnidad, 12.0f, 12.0f,
     ""},
};
}
// clang-format on

}  // namespace

std::shared_ptr<const Baremo> BaremoIncorporado() {
    // clang-format off
    static const auto baremo = std::make_shared<const Baremo>(Baremo{
        .nombre = "Baremo de derechos de visado",
        .vigenteDesde = "2007-02-05",
        .fuente = "",
        .factores = {1.28, 1.035},
        .TablaTT = TablaTrabajos(Trabajos()),
        .TablaTD = TablaDocumentos(Documentos()),
        .tramosDV = {
            {175,           1.0,   0.0},
            {350,           0.9,   175.0},
            {525,           0.8,   332.5},
            {700,           0.7,   472.5},
            {875,           0.65,  595.0},
            {1'750,         0.6,   708.75},
            {2'625,         0.55,  1'233.75},
            {3'500,         0.5,   1'715.0},
            {5'250,         0.45,  2'152.5},
            {7'000,         0.4,   2'940.0},
            {10'500,        0.35,  3'640.0},
            {14'000,        0.3,   4'865.0},
            {17'500,        0.25,  5'915.0},
            {35'000,        0.2,   6'790.0},
            {70'000,        0.15,  10'290.0},
            {140'000,       0.145, 15'540.0},
            {280'000,       0.14,  25'690.0},
            {560'000,       0.135, 45'290.0},
            {1'120'000,     0.13,  83'090.0},
            {2'000'000'000, 0.125, 155'890.0},
        },
        .clasesSuperficie = {
            {500,       30.0f},
            {1'000,     36.0f},
            {4'000,     48.0f},
            {8'000,     60.0f},
            {1'000'000, 90.0f},
        },
        .descuentosProyecto = {
            {"Ninguno", 0.0f},
            {"Proyecto básico", 0.5f},
            {"Anteproyecto", 0.25f},
            {"Memoria Valorada", 0.25f},
        },
        .descuentosProyectoBasico = {
            {"Ninguno", 0.0f},
            {"Anteproyecto", 0.25f},
            {"Memoria Valorada", 0.25f},
        },
    });
    // clang-format on
    return baremo;
}

}  // namespace cdv
