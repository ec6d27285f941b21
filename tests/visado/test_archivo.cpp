// The request's file: the same request whatever the locale, every bad file refused with its
// reason, saved fees priced again, and a failed save leaving the earlier file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <csignal>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "Liquidacion.h"
#include "TextoLocal.h"

namespace {

using cdv::LineaCompartida;

LineaCompartida Tasada(const cdv::Tasacion& t) {
    EXPECT_TRUE(t.linea) << t.motivo.toStdString();
    return std::make_shared<const cdv::Linea>(*t.linea);
}

const std::shared_ptr<const cdv::Baremo> kBaremo = cdv::BaremoIncorporado();

cdv::LecturaSolicitud Leer(const QByteArray& datos) {
    return cdv::LeerSolicitud(datos, cdv::Baremos());
}

// Quantities as a user types them in the current locale.
cdv::ContenidoSolicitud Ejemplo() {
    const cdv::Baremo& b = *kBaremo;
    const auto documento = [&b](const char* ref, const char* cantidad) {
        return Tasada(cdv::TasarDocumento(b, b.TablaTD.Buscar(ref), cdv::AlArchivo(cantidad)));
    };
    const auto partida = [&b](const char* ref, const QString& cantidad) {
        return Tasada(cdv::TasarPartida(b, b.TablaTT.Buscar(ref), cdv::AlArchivo(cantidad)));
    };
    const QLocale l;
    const QString mil = "1" + l.groupSeparator() + "500" + l.decimalPoint() + "5";
    std::vector<LineaCompartida> partidas{partida("INAC", "300"), partida("CNA", mil)};
    return {
        kBaremo,
        {documento("AAP", qPrintable(mil)), documento("EIA2", qPrintable(mil)),
         documento("EIA2", ""), Tasada(cdv::TasarProyecto(b, b.TablaTD.Buscar("P"), partidas, 2))},
        partidas,
        {{"P", 1}, {"PB", 2}},
        "Nave; \"Norte\"",
        "Ana Pérez",
        "EXP-2026/0042"};
}

QStringList Lineas(const cdv::ContenidoSolicitud& c) {
    QStringList lineas;
    for (const auto& d : c.documentos) lineas << cdv::TextoLineaDocumento(*kBaremo, *d);
    for (const auto& p : c.partidas) lineas << cdv::TextoLineaPartida(*kBaremo, *p);
    return lineas;
}

class Archivo : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain)); }
};

TEST_F(Archivo, LaMismaSolicitudEnCualquierLocale) {
    const cdv::ContenidoSolicitud espanola = Ejemplo();
    const QStringList lineasEs = Lineas(espanola);
    ASSERT_TRUE(lineasEs[0].endsWith("Ud.: 1.500,5   Total: 39.757,25 €"))
        << lineasEs[0].toStdString();
    const QByteArray datos = cdv::EscribirSolicitud(espanola);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(cdv::EscribirSolicitud(Ejemplo()), datos);  // typed the English way
    const cdv::LecturaSolicitud inglesa = Leer(datos);
    ASSERT_TRUE(inglesa.contenido) << inglesa.error.toStdString();
    EXPECT_TRUE(inglesa.cambios.isEmpty());
    EXPECT_TRUE(Lineas(*inglesa.contenido)[0].endsWith("Ud.: 1,500.5   Total: 39,757.25 €"));

    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    EXPECT_EQ(Lineas(*inglesa.contenido), lineasEs);
    EXPECT_EQ(cdv::EscribirSolicitud(*inglesa.contenido), datos);
    // Where the locale groups with a narrow no-break space, any blank groups too.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    for (const QString blanco : {" ", "\u00a0", "\u2009"})
        EXPECT_EQ(cdv::AlArchivo("150" + blanco + "000,5"), "150,000.5");
}

// The statement handed over: the file number at its head, a budget as an amount and other
// quantities grouped, the discount with its share, and IVA at the rate in force on its date,
// rounded half up on the total, a schedule's own rates taking precedence.
TEST_F(Archivo, LaLiquidacionParaEntregar) {
    const cdv::ContenidoSolicitud ejemplo = Ejemplo();
    const cdv::LiquidacionImpresa liquidacion =
        cdv::Liquidacion(ejemplo, "Nave.cdv", QDate(2026, 12, 7));
    EXPECT_TRUE(liquidacion.datos.contains("Expediente: EXP-2026/0042"));
    const auto celdas = [&liquidacion](std::size_t fila) {
        return cdv::CeldasImpresas(liquidacion.filas[fila]);
    };
    EXPECT_EQ(celdas(0)[2], "1.500,5 Ud.");
    EXPECT_EQ(celdas(1)[2], "1.500,50 €");  // a budget, as money
    EXPECT_EQ(celdas(3)[1], "Proyecto, descontado el Anteproyecto (25 %)");
    EXPECT_EQ(celdas(5)[2], "1.500,50 €");  // CNA, a work item priced by its budget
    const std::pair<QDate, const char*> tipos[] = {
        {QDate(2010, 6, 30), "IVA (16 %)"}, {QDate(2010, 7, 1), "IVA (18 %)"},
        {QDate(2011, 5, 1), "IVA (18 %)"},  {QDate(2012, 8, 31), "IVA (18 %)"},
        {QDate(2012, 9, 1), "IVA (21 %)"},  {QDate(2026, 12, 7), "IVA (21 %)"}};
    for (const auto& [dia, rotulo] : tipos) {
        const auto totales = cdv::Liquidacion(ejemplo, {}, dia).totales;
        EXPECT_EQ(totales.at(1).first, rotulo) << dia.toString().toStdString();
    }
    // Half a cent goes up; a negative base rounds away from zero.
    EXPECT_EQ(cdv::CuotaIva(50, 2100), 11);   // 10,5 cents
    EXPECT_EQ(cdv::CuotaIva(149, 2100), 31);  // 31,29 cents
    EXPECT_EQ(cdv::CuotaIva(-50, 2100), -11);
    EXPECT_EQ(cdv::CuotaIva(cdv::kCentimosMaximos, 10000), cdv::kCentimosMaximos);
    cdv::Baremo propio = *kBaremo;
    propio.iva = {{"", 1000}, {"2020-01-01", 1050}};
    cdv::ContenidoSolicitud conPropio = ejemplo;
    conPropio.baremo = std::make_shared<const cdv::Baremo>(propio);
    const QByteArray csv = *cdv::LiquidacionCsv(conPropio, QDate(2026, 1, 1));
    EXPECT_TRUE(csv.contains(";IVA (10,5 %);;;;iva;")) << csv.toStdString();
}

TEST_F(Archivo, LoQueNoSePuedeAbrirSeRechazaConSuMotivo) {
    const QByteArray completo = cdv::EscribirSolicitud(Ejemplo());
    const auto documento = [](const char* campos) {
        return QByteArray(R"({"formato": 1, "documentos": [{)") + campos + "}]}";
    };
    const std::pair<QByteArray, const char*> casos[] = {
        {completo.left(completo.size() / 2), "no es JSON válido, o está incompleto"},
        {"[1, 2]", "no es una solicitud de visado"},
        {R"({"documentos": []})", "falta su número de formato"},
        {R"({"formato": 2})", "es de un formato más reciente (2)"},
        // Once "falta su número de formato", and "el baremo «» del ?".
        {R"({"formato": "1"})", "su número de formato («formato») no es un entero positivo"},
        {R"({"formato": 1, "baremo": 3})", "«baremo» no es un objeto"},
        // A forged heading: a line break or a bidirectional override that no box lets a user
        // type once printed "Total con IVA: 0,00 €" on the statement.
        {R"({"formato": 1, "trabajo": "Nave\nTotal con IVA: 0,00 €"})",
         "«trabajo» tiene un carácter de control (U+000A) en la posición 5"},
        {R"({"formato": 1, "expediente": "E-1\u202e10,0 :latoT"})",
         "«expediente» tiene un carácter de dirección del texto (U+202E) en la posición 4"},
        {documento(R"("referencia": "XYZ", "cantidad": "1", "cuota": "1")"),
         "documento 1: la referencia «XYZ» no está en el baremo"},
        {documento(R"("referencia": "C", "cantidad": "-3", "cuota": "1")"),
         "documento 1 (C): la cantidad es negativa"},
        {documento(R"("referencia": "C", "cantidad": "tres", "cuota": "1")"),
         "documento 1 (C): la cantidad «tres» no es un número"},
        {documento(R"("referencia": "OD", "cantidad": "1", "cuota": "0")"),
         "documento 1 (OD): el documento no tiene cuota"},
        {documento(R"("referencia": "P", "partidas": [
             {"referencia": "DVPG", "cantidad": "137438953472", "cuota": "0"},
             {"referencia": "DVPG", "cantidad": "137438953472", "cuota": "0"}], "cuota": "0")"),
         "documento 1 (P): el importe es demasiado grande"},  // six trillion euros each
        {documento(R"("referencia": "P", "partidas": [], "cuota": "0")"),
         "documento 1 (P): el proyecto no tiene partidas"},
        {documento(R"("referencia": "PB", "descuento": "Proyecto básico", "partidas": [
             {"referencia": "DVPG", "cantidad": "1", "cuota": "45.04"}], "cuota": "0")"),
         "el descuento «Proyecto básico» no existe para «PB»"},
        {documento(R"("referencia": "P", "partidas": [
             {"referencia": "DVPG", "cantidad": "-1", "cuota": "0"}], "cuota": "0")"),
         "documento 1 (P), partida 1 (DVPG): la cantidad es negativa"},
        {R"({"formato": 1, "proyecto": {"partidas": [{"referencia": "ZZ"}]}})",
         "partida 1 del proyecto en curso: la referencia «ZZ» no está en el baremo"},
        // texts no box could hold
        {documento(("\"referencia\": \"C\", \"cuota\": \"0\", \"cantidad\": \"" +
                    std::string(65, '1') + "\"")
                       .c_str()),
         "documento 1 (C): «cantidad» es demasiado largo (más de 64 caracteres)"},
        {QByteArray(R"({"formato": 1, "trabajo": ")") + QByteArray(201, 'x') + "\"}",
         "«trabajo» es demasiado largo (más de 200 caracteres)"},
        // A 10 MB text once took minutes to lay out in the refusal: refused unread.
        {documento(
             ("\"referencia\": \"P\", \"descuento\": \"" + std::string(10'000'000, 'x') + "\"")
                 .c_str()),
         "documentos[0].descuento: un texto de más de 4096 caracteres"},
        {documento(R"("referencia": "AAP", "cantidad": "1", "cantidad": "1000", "cuota": "1")"),
         "documentos[0]: clave repetida «cantidad»"},
    };
    for (const auto& [datos, motivo] : casos) {
        const cdv::LecturaSolicitud lectura = Leer(datos);
        EXPECT_FALSE(lectura.contenido) << datos.toStdString();
        EXPECT_TRUE(lectura.error.contains(QString::fromUtf8(motivo)))
            << datos.toStdString() << "\n  -> " << lectura.error.toStdString();
    }
}

// Totals checked as they grow, in one pass: 20,000 lines of some six trillion euros each (2^37
// units, which a float holds exactly) once overflowed the project's sum before its one check
// (undefined behaviour, a wrapped total).
TEST_F(Archivo, LosTotalesSeCompruebanAlCrecer) {
    const QByteArray linea = R"({"referencia": "DVPG", "cantidad": "137438953472", "cuota": "0"})";
    const QByteArray lineas = (linea + ",").repeated(19'999) + linea;
    for (const auto& [datos, motivo] :
         {std::pair{R"({"formato": 1, "proyecto": {"partidas": [)" + lineas + "]}}",
                    "el total del proyecto en curso es demasiado grande"},
          std::pair{
              R"({"formato": 1, "documentos": [)" + QByteArray(lineas).replace("DVPG", "C") + "]}",
              "el total de la solicitud es demasiado grande"}}) {
        const cdv::LecturaSolicitud lectura = Leer(datos);
        EXPECT_FALSE(lectura.contenido);
        EXPECT_EQ(lectura.error, motivo);
    }
}

TEST_F(Archivo, UnGuardadoFallidoDejaElArchivoAnterior) {
    QTemporaryDir carpeta;
    const QString anterior = carpeta.filePath("anterior.cdv");
    const QByteArray datos = cdv::EscribirSolicitud(Ejemplo());
    ASSERT_EQ(cdv::GuardarArchivo(anterior, "lo de antes"), "");
    QDir(carpeta.path()).mkdir("carpeta.cdv");
    EXPECT_NE(cdv::GuardarArchivo(carpeta.filePath("no/existe.cdv"), datos), "");
    EXPECT_NE(cdv::GuardarArchivo(carpeta.filePath("carpeta.cdv"), datos), "");
#if defined(Q_OS_UNIX)
    // A full disk: the process may write no more than a few bytes to any file.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    const rlimit limite{16, antes.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limite);
    const QString lleno = cdv::GuardarArchivo(anterior, datos);
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_NE(lleno, "");
#endif
    QFile archivo(anterior);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(archivo.readAll(), "lo de antes");
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files), QStringList("anterior.cdv"));
    // What could not be opened again is not saved.
    EXPECT_TRUE(cdv::GuardarSolicitud(anterior, QByteArray(cdv::kTamanoMaximoArchivo + 1, ' '))
                    .contains("más de los 64 MB que este programa puede abrir de nuevo"));
    ASSERT_TRUE(archivo.seek(0));
    EXPECT_EQ(archivo.readAll(), "lo de antes");
}

}  // namespace
