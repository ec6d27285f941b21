// Fee schedules as files: the built-in one read from its file as compiled, each kind of bad
// file refused with its place, revisions that change factors, rates and minimums priced as
// computed here by hand, the schedule in force by date, and a request reopened under each of
// the schedules it may meet.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTemporaryDir>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "BaremoDePrueba.h"
#include "Baremos.h"
#include "Cuotas.h"
#include "TextoLocal.h"

namespace {

const cdv::Separadores kEs{",", "."};

TEST(Baremo, ElIncorporadoEsElDeSuArchivo) {
    const cdv::LecturaBaremo archivo = cdv::AbrirBaremo(CDV_BAREMO_JSON);
    ASSERT_TRUE(archivo.baremo) << archivo.faltas.join('\n').toStdString();
    const cdv::Baremo& leido = *archivo.baremo;
    EXPECT_TRUE(leido == *cdv::BaremoIncorporado());  // every float to the last bit, and digest
    EXPECT_EQ(leido.nombre, "Baremo de derechos de visado");
    EXPECT_EQ(cdv::FechaDeVigencia(leido), "05/02/2007");
    // The digest every request saved until now names it by, whichever format its file has:
    // the same file in format 1 is the same schedule, to the last bit.
    EXPECT_EQ(leido.huella, "15cba72390e7ef619e64a56a41ef39fa");
    const cdv::LecturaBaremo formato1 = cdv::AbrirBaremo(CDV_BAREMO_FORMATO_1);
    ASSERT_TRUE(formato1.baremo) << formato1.faltas.join('\n').toStdString();
    EXPECT_TRUE(*formato1.baremo == leido);
    // Exported, it is its file, byte for byte.
    QFile semilla(CDV_BAREMO_JSON);
    ASSERT_TRUE(semilla.open(QIODevice::ReadOnly));
    EXPECT_EQ(cdv::EscribirBaremo(leido), std::optional(semilla.readAll()));
    // The file of format 1, compact, reads as the same schedule, whatever its blanks.
    const QByteArray compacto = QJsonDocument(Incorporado()).toJson(QJsonDocument::Compact);
    const cdv::LecturaBaremo otra = cdv::LeerBaremo(compacto);
    ASSERT_TRUE(otra.baremo) << otra.faltas.join('\n').toStdString();
    EXPECT_TRUE(*otra.baremo == leido);
}

// The built-in schedule's file, compact, with the first `de` replaced by `por`.
QByteArray Texto(const QByteArray& de, const QByteArray& por) {
    QByteArray texto = QJsonDocument(Incorporado()).toJson(QJsonDocument::Compact);
    const qsizetype donde = texto.indexOf(de);
    return donde < 0 ? QByteArray() : texto.replace(donde, de.size(), por);
}

TEST(Baremo, CadaFaltaConSuLugar) {
    const std::pair<QByteArray, const char*> casos[] = {
        {"{\"formato\": 1,", "no es JSON válido"},
        // What Qt's parser takes silently: the last of two keys won ("tasa": 999 priced
        // 1323,48 € where 26,50 € was due).
        {Texto(R"("tasa":20,)", R"("tasa":20,"tasa":999,)"), "]: clave repetida «tasa»"},
        {R"({"documentos": [{}, {}, {}, {"tasa": 20, "tasa": 999}]})",
         "documentos[3]: clave repetida «tasa»"},
        {"{\"nombre\": \"a\x01b\"}", "nombre: carácter de control en un texto"},
        {R"({"formato": .5})", "no es JSON válido"},
        {R"({"formato": 1.})", "no es JSON válido"},
        {R"({"formato": 01})", "no es JSON válido"},
        {R"({"nombre": "\ud800"})", "nombre: suplente UTF-16 sin pareja"},
        {R"({"nombre": "\udc00\ud800"})", "nombre: suplente UTF-16 sin pareja"},
        {"{\"nombre\": \"\xC3\x28\"}", "nombre: texto que no es UTF-8 válido"},
        {"{\"nombre\": \"\xC0\xAF\"}", "nombre: texto que no es UTF-8 válido"},  // overlong
        {"{\"nota\": \"" + QByteArray(4097, 'x') + "\"}", "nota: un texto de más de 4096"},
        {"{\"" + QByteArray(65, 'k') + "\": 1}", "un texto de más de 64 caracteres"},
        {QByteArray(40, '[') + QByteArray(40, ']'), "anidado a más de 32 niveles"},
        {Con({"documentos", "0", "referencia"}, QString(65, 'R')),
         "documentos[0].referencia: tiene más de 64 caracteres"},
        {Con({"trabajos", "0", "descripcion"}, QString(401, 'd')),
         "trabajos[0].descripcion: tiene más de 400 caracteres"},
        // A unit the request's reader refuses: requests priced with it saved, then never
        // opened again, nor recovered.
        {Con({"trabajos", "0", "unidad"}, QString(401, 'u')),
         "trabajos[0].unidad: tiene más de 400 caracteres"},
        // Fees that became infinite or NaN, shown as "inf,00" and charged as digits.
        {Con({"escala_dv", "3", "factor"}, 1e38), "escala_dv[3].factor: pasa de 1000"},
        {Con({"escala_dv", "19", "base"}, 1e14), "escala_dv[19]: su cuota al final del tramo"},
        {Con({"factores"},
             QJsonArray{3.4e38, 3.4e38, 3.4e38, 3.4e38, 3.4e38, 3.4e38, 3.4e38, 3.4e38, 3.4e38}),
         "factores: juntos multiplican por más de 1000"},
        {Con({"documentos", "0", "tasa"}, 1e13), "documentos[0].tasa: actualizado, pasa del"},
        {Con({"iva"}, QJsonArray{QJsonObject{{"desde", "2012-09-01"}, {"porcentaje", 21}},
                                 QJsonObject{{"desde", "2010-07-01"}, {"porcentaje", 18}}}),
         "iva[1].desde: no es posterior a la fecha anterior"},
        {Con({"iva"}, QJsonArray{QJsonObject{{"desde", "2012-09-01"}, {"porcentaje", 21.005}}}),
         "iva[0].porcentaje: no es un porcentaje de 0 a 100 con dos decimales"},
        // Rates that begin after the schedule: "IVA (0 %) 0,00" in silence before them.
        {Con({"iva"}, QJsonArray{QJsonObject{{"desde", "2027-01-01"}, {"porcentaje", 21}}}),
         "iva[0].desde: empieza después que el baremo (vigente desde 2007-02-05)"},
        // Once a float-to-int overflow.
        {Con({"iva"}, QJsonArray{QJsonObject{{"desde", "2007-01-01"}, {"porcentaje", 1e10}}}),
         "iva[0].porcentaje: no es un porcentaje de 0 a 100"},
        {Con({"nombres"}, "x"), "nombres: clave desconocida"},  // a misspelt key, never ignored
        {Con({"documentos", "0", "tasas"}, 1), "documentos[0].tasas: clave desconocida"},
        {Con({"factores"}, QJsonValue::Undefined), "factores: falta"},
        {Con({"formato"}, 3), "formato: es 3; este programa lee los formatos 1 y 2"},
        {Con({"formato"}, 2), "filas: falta"},  // read as a price list, and told as one
        {Con({"vigente_desde"}, "2007-13-01"), "vigente_desde: «2007-13-01» no es una fecha"},
        {Con({"vigente_desde"}, "2007-02-29"), "vigente_desde: «2007-02-29» no es una fecha"},
        {Con({"vigente_desde"}, "2007-2-5"), "vigente_desde: «2007-2-5» no es una fecha"},
        {Con({"vigente_desde"}, "2007-02-05 "), "vigente_desde: «2007-02-05 » no es una fecha"},
        {Con({"vigente_desde"}, "2007/02/05"), "vigente_desde: «2007/02/05» no es una fecha"},
        {Con({"factores"}, QJsonArray{1.28, 0}), "factores[1]: no es un número > 0"},
        {Con({"factores"}, QJsonArray{}), "factores: no es una lista con algún elemento"},
        {Con({"trabajos"}, QJsonArray{}), "trabajos: no es una lista con algún elemento"},
        {Con({"documentos", "12", "tasa"}, -1), "documentos[12].tasa: no es un número ≥ 0"},
        {Con({"documentos", "12", "tasa"}, "20"), "documentos[12].tasa: no es un número"},
        // Messages that once misled: a finite number too large called not finite; numbers
        // past a double's range, UTF-16 and UTF-32 files refused with no place or reason.
        {Con({"documentos", "0", "minimo"}, 3.4028235e38),
         "documentos[0].minimo: es demasiado grande (más de 3,4e38)"},
        {Texto(R"("tasa":20,)", R"("tasa":1e999,)"), "].tasa: el número 1e999 es demasiado grande"},
        {Texto(R"("tasa":20,)", R"("tasa":1e-400,)"),
         "].tasa: el número 1e-400 es demasiado pequeño"},
        {QByteArray("\xFF\xFE{\0}\0", 6), "está guardado en UTF-16; guárdelo en UTF-8"},
        {QByteArray("{\0\0\0}\0\0\0", 8), "está guardado en UTF-32"},
        {QByteArray("\0{\0}", 4), "está guardado en UTF-16"},
        // Lines the statement would lay out as its own.
        {Con({"nombre"}, "Baremo\u202e"),
         "nombre: tiene un carácter de dirección del texto (U+202E)"},
        {Con({"documentos", "0", "descripcion"}, "Acta\nTotal: 0,00"),
         "documentos[0].descripcion: tiene un carácter de control (U+000A) en la posición 5"},
        {Con({"documentos", "0", "tipo"}, 4), "documentos[0].tipo: la regla de cuota 4 no existe"},
        {Con({"trabajos", "0", "tipo"}, 5), "trabajos[0].tipo: la regla de cuota 5 no existe"},
        {Con({"trabajos", "1", "referencia"}, "CNA"), "trabajos[1].referencia: «CNA» está repe"},
        {Con({"documentos", "0", "referencia"}, " "), "documentos[0].referencia: está vacío"},
        {Con({"documentos", "0", "descripcion"}, ""), "documentos[0].descripcion: está vacío"},
        {Con({"documentos", "0", "nota"}, QJsonValue::Undefined), "documentos[0].nota: falta"},
        {Con({"escala_dv", "3", "hasta"}, 500), "escala_dv[3].hasta: no pasa del límite anterior"},
        {Con({"escala_superficie", "1", "hasta"}, 500), "escala_superficie[1].hasta: no pasa"},
        {Con({"escala_dv", "0", "factor"}, 0), "escala_dv[0].factor: no es un número > 0"},
        {Con({"descuentos", "P", "1", "fraccion"}, 2), "descuentos.P[1].fraccion: no es un número"},
        {Con({"descuentos", "PB", "0", "fraccion"}, 0.25),
         "descuentos.PB[0].fraccion: la primera opción"},
        {Con({"descuentos", "PB", "1", "fraccion"}, 0.75),
         "descuentos.PB[1].fraccion: descuenta más que la parte del proyecto del documento, 50 %"},
        {Con({"descuentos", "PB", "2", "texto"}, "Anteproyecto"),
         "descuentos.PB[2].texto: está rep"},
        {Con({"descuentos", "P"}, QJsonArray{QJsonObject{{"texto", "Ninguno"}, {"fraccion", 0}}}),
         "descuentos.P: tiene una opción; un documento ofrece de 2 a 6"},
        {Con({"documentos", Fila("documentos", "P"), "tipo"}, 1),
         "documentos: falta «P», un documento de proyecto"},
    };
    for (const auto& [datos, falta] : casos) {
        const cdv::LecturaBaremo lectura = cdv::LeerBaremo(datos);
        EXPECT_FALSE(lectura.baremo) << falta;
        EXPECT_TRUE(lectura.faltas.join('\n').contains(QString::fromUtf8(falta)))
            << falta << "\n  -> " << lectura.faltas.join('\n').toStdString();
    }
}

// Every rate from 0 to 100 with two decimals is read exactly: 8,2, 4,1, 16,4, 19,6 and 0,29
// were among the 1.146 once refused, compared in binary as 100 times a double.
TEST(Baremo, CadaTipoDeIvaConDosDecimales) {
    QJsonArray tipos;
    const QDate primero(2007, 2, 5);
    for (int centesimas = 0; centesimas <= 10000; ++centesimas)
        tipos.append(QJsonObject{{"desde", primero.addDays(centesimas).toString("yyyy-MM-dd")},
                                 {"porcentaje", centesimas / 100.0}});
    const cdv::LecturaBaremo lectura = cdv::LeerBaremo(Con({"iva"}, tipos));
    ASSERT_TRUE(lectura.baremo) << lectura.faltas.join('\n').toStdString();
    ASSERT_EQ(lectura.baremo->iva.size(), 10001u);
    for (int centesimas = 0; centesimas <= 10000; ++centesimas)
        ASSERT_EQ(lectura.baremo->iva[static_cast<std::size_t>(centesimas)].centesimas, centesimas);
    // Written in format 2, every rate reads back the same.
    QStringList faltas;
    EXPECT_TRUE(cdv::EscribirBaremo(*lectura.baremo, &faltas)) << faltas.join('\n').toStdString();
}

// A revision of format 1 that format 2 cannot state as it is is not exported changed: the writer
// refuses it, saying why, in the places of the file it would have written.
TEST(Baremo, LoQueElFormatoDosNoExpresa) {
    const std::tuple<QStringList, QJsonValue, const char*> casos[] = {
        {{"documentos", Fila("documentos", "AAP"), "tasa"},
         1e-30,
         "regla.precio: no es un número ≥ 0 con 9 decimales"},
        {{"escala_dv", "2", "base"},
         333,
         "tablas.escala_dv.tramos[2].base: no es lo que dan los tramos anteriores, 332,5"},
    };
    for (const auto& [camino, valor, falta] : casos) {
        const cdv::LecturaBaremo lectura = cdv::LeerBaremo(Con(camino, valor));
        ASSERT_TRUE(lectura.baremo) << lectura.faltas.join('\n').toStdString();
        QStringList faltas;
        EXPECT_FALSE(cdv::EscribirBaremo(*lectura.baremo, &faltas)) << falta;
        EXPECT_TRUE(faltas.join('\n').contains(QString::fromUtf8(falta)))
            << falta << "\n  -> " << faltas.join('\n').toStdString();
    }
}

// The built-in schedule's own file (format 2, computed in floating point) as an object.
QJsonObject Semilla() {
    QFile archivo(CDV_BAREMO_JSON);
    return archivo.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(archivo.readAll()).object()
                                             : QJsonObject();
}

// The index of the row `ref` of the built-in file's documents.
QString FilaDeSemilla(const char* ref) {
    const QJsonArray filas = Semilla()["filas"].toArray();
    for (qsizetype k = 0; k < filas.size(); ++k)
        if (filas[k].toObject()["referencia"].toString() == ref) return QString::number(k);
    return {};
}

// Each fault of a file of format 2 computed in floating point, planted in the built-in one, told
// with its place.
TEST(Baremo, FormatoDosEnComaFlotanteConSuLugar) {
    const QString p = FilaDeSemilla("P");
    const QJsonObject seis{{"texto", "Seis"}, {"porcentaje", 6}};
    const QJsonObject otraMarginal{
        {"tipo", "marginal"},
        {"tramos", QJsonArray{QJsonObject{{"hasta", 1}, {"coeficiente", 1}, {"base", 0}}}}};
    const std::tuple<QStringList, QJsonValue, const char*> casos[] = {
        {{"filas", "0", "regla", "tipo"},
         "fija",
         "filas[0].regla: «fija» no es un tipo de regla de «filas» en este cálculo"},
        {{"trabajos", "0", "regla", "precio"},
         1,
         "trabajos[0].regla: esta regla lleva una tabla marginal y «precio», o una tabla "
         "marginal y «porcentaje», o una tabla escalonada"},
        {{"filas", FilaDeSemilla("OD"), "regla", "precio"}, 1, "esta regla lleva solo su tipo"},
        {{"trabajos", "0", "regla", "tabla"},
         "escala",
         "trabajos[0].regla.tabla: «escala» no es una tabla del baremo"},
        {{"tablas", "escala_dv", "tramos", "2", "hasta"},
         300,
         "tablas.escala_dv.tramos[2].hasta: no pasa del límite anterior (350)"},
        {{"tablas", "escala_dv", "tramos", "2", "base"},
         333,
         "tablas.escala_dv.tramos[2].base: no es lo que dan los tramos anteriores, 332,5"},
        {{"tablas", "escala_dv", "tramos", "0", "coeficiente"},
         0,
         "tablas.escala_dv.tramos[0].coeficiente: no es un número > 0"},
        {{"tablas", "escala_dv", "tipo"},
         "progresiva",
         "tablas.escala_dv.tipo: «progresiva» no es «marginal» ni «escalonada»"},
        {{"tablas", "otra"},
         otraMarginal,
         "tablas.otra: este cálculo lleva una sola tabla marginal, y ya está «escala_dv»"},
        {{"filas", "0", "descuentos"},
         QJsonArray{QJsonObject{{"texto", "A"}, {"porcentaje", 0}}},
         "filas[0].descuentos: solo un documento de tipo «parte_del_proyecto» tiene opciones"},
        {{"filas", p, "descuentos"},
         QJsonArray{seis, seis, seis, seis, seis, seis, seis},
         "descuentos: tiene 7 opciones; un documento ofrece de 2 a 6"},
        {{"filas", p, "descuentos", "1", "porcentaje"}, 150, "porcentaje: pasa de 100"},
        {{"filas", p, "descuentos", "1", "texto"},
         QString(41, u'x'),
         "descuentos[1].texto: tiene más de 40 caracteres"},
        {{"filas", FilaDeSemilla("PB"), "descuentos", "2", "porcentaje"},
         50.5,
         "descuentos[2].porcentaje: descuenta más que la parte del proyecto del documento, 50 %"},
        {{"filas", "0", "regla", "precio"},
         -1,
         "filas[0].regla.precio: no es un número ≥ 0 con 9 decimales"},
        {{"actualizacion"},
         QJsonArray{1000, 2},
         "actualizacion: juntos multiplican por más de 1000"},
        {{"calculo"}, "doble", "calculo: «doble» no es «exacto» ni «coma_flotante»"},
    };
    for (const auto& [camino, valor, falta] : casos) {
        QJsonObject raiz = Semilla();
        Poner(raiz, camino, valor);
        const cdv::LecturaBaremo lectura = cdv::LeerBaremo(QJsonDocument(raiz).toJson());
        EXPECT_FALSE(lectura.baremo) << falta;
        EXPECT_TRUE(lectura.faltas.join('\n').contains(QString::fromUtf8(falta)))
            << falta << "\n  -> " << lectura.faltas.join('\n').toStdString();
    }
}

// Discount options on a project document other than "P" and "PB" ("PR", the reformed project),
// in a schedule where "P" has none: read, written back, priced, and kept by a request's file under
// the document's reference.
TEST(Baremo, DescuentosDeCualquierDocumentoDeProyecto) {
    QJsonObject raiz = Semilla();
    Poner(raiz, {"filas", FilaDeSemilla("P"), "descuentos"}, QJsonValue::Undefined);
    Poner(raiz, {"filas", FilaDeSemilla("PR"), "descuentos"},
          QJsonArray{QJsonObject{{"texto", "Ninguno"}, {"porcentaje", 0}},
                     QJsonObject{{"texto", "Proyecto anterior"}, {"porcentaje", 30}}});
    const cdv::LecturaBaremo lectura = cdv::LeerBaremo(QJsonDocument(raiz).toJson());
    ASSERT_TRUE(lectura.baremo) << lectura.faltas.join('\n').toStdString();
    const cdv::Baremo& b = *lectura.baremo;
    EXPECT_TRUE(b.DescuentosDe("P").empty());
    ASSERT_EQ(b.DescuentosDe("PR").size(), 2u);
    EXPECT_EQ(b.DescuentosDe("PR")[1].fraccion, 0.3f);
    EXPECT_NE(b.huella, cdv::BaremoIncorporado()->huella);
    const auto escrito = cdv::EscribirBaremo(b);
    ASSERT_TRUE(escrito);
    EXPECT_EQ(*cdv::LeerBaremo(*escrito).baremo, b);

    const int pr = b.TablaTD.Buscar("PR");
    const cdv::Tasacion partida = cdv::TasarPartida(b, b.TablaTT.Buscar("CNA"), "123456");
    ASSERT_TRUE(partida.linea);
    const std::vector<cdv::LineaCompartida> partidas{
        std::make_shared<const cdv::Linea>(*partida.linea)};
    const cdv::Centimos suma = *cdv::SumaDe(partidas);
    const cdv::Tasacion proyecto = cdv::TasarProyecto(b, pr, partidas, 1);
    ASSERT_TRUE(proyecto.linea) << proyecto.motivo.toStdString();
    EXPECT_EQ(proyecto.linea->descuento, (suma * 3 + 5) / 10);  // 30 %, half up
    EXPECT_EQ(proyecto.linea->cuota, suma - (suma * 3 + 5) / 10);

    const cdv::ContenidoSolicitud contenido{lectura.baremo,
                                            {std::make_shared<const cdv::Linea>(*proyecto.linea)},
                                            partidas,
                                            {{"PR", 1}},
                                            {},
                                            {},
                                            {}};
    const QByteArray datos = cdv::EscribirSolicitud(contenido);
    const QJsonObject enCurso = QJsonDocument::fromJson(datos)["proyecto"].toObject();
    EXPECT_EQ(enCurso["descuentos"].toObject()["PR"].toString(), "Proyecto anterior");
    EXPECT_FALSE(enCurso.contains("descuentoProyecto"));
    EXPECT_EQ(enCurso["descuentoProyectoBasico"].toString(), "Ninguno");
    const cdv::LecturaSolicitud leida = cdv::LeerSolicitudCon(datos, lectura.baremo);
    ASSERT_TRUE(leida.contenido) << leida.error.toStdString();
    EXPECT_EQ(leida.contenido->opciones, contenido.opciones);
    EXPECT_EQ(leida.contenido->documentos.front()->opcion, 1);
    // Options the schedule does not offer, or under another key than their own, are refused.
    const std::pair<QJsonObject, const char*> mal[] = {
        {{{"PR", "Anteproyecto"}}, "el descuento «Anteproyecto» no existe para «PR»"},
        {{{"V", "Ninguno"}}, "el descuento «Ninguno» no existe para «V»"},
        {{{"P", "Ninguno"}}, "el descuento de «P» va en «descuentoProyecto»"},
    };
    for (const auto& [descuentos, error] : mal) {
        QJsonObject r = QJsonDocument::fromJson(datos).object();
        Poner(r, {"proyecto", "descuentos"}, descuentos);
        const cdv::LecturaSolicitud l =
            cdv::LeerSolicitudCon(QJsonDocument(r).toJson(), lectura.baremo);
        EXPECT_TRUE(l.error.contains(QString::fromUtf8(error))) << l.error.toStdString();
    }
}

// The built-in schedule's file with worked examples, each fee worked out here by hand: read,
// written back with them, and refused, naming each, when one does not give its fee.
TEST(Baremo, EjemplosEnComaFlotante) {
    const auto ejemplo = [](const char* clave, const char* ref, double cantidad, double cuota) {
        return QJsonObject{{clave, ref}, {"cantidad", cantidad}, {"cuota", cuota}};
    };
    QJsonObject raiz = Semilla();
    raiz["ejemplos"] = QJsonArray{
        ejemplo("fila", "AAP", 3, 79.49),            // 3 × 20 × 1,28 × 1,035 = 79,488
        ejemplo("trabajo", "DVPG", 1, 45.04),        // 34 × 1,28 × 1,035 = 45,0432
        ejemplo("trabajo", "CNA", 100000, 423.44)};  // 350 × 1,28 × 1,035 = 463,68 in the band
                                                     // from 350: (463,68 − 350) × 0,8 + 332,5
    const cdv::LecturaBaremo lectura = cdv::LeerBaremo(QJsonDocument(raiz).toJson());
    ASSERT_TRUE(lectura.baremo) << lectura.faltas.join('\n').toStdString();
    EXPECT_EQ(lectura.baremo->ejemplos.size(), 3u);
    EXPECT_EQ(lectura.baremo->huella, cdv::BaremoIncorporado()->huella);  // the same fees
    const auto escrito = cdv::EscribirBaremo(*lectura.baremo);
    ASSERT_TRUE(escrito);
    EXPECT_TRUE(escrito->contains(R"({"trabajo": "CNA", "cantidad": 100000, "cuota": 423.44})"));

    const std::pair<QStringList, QJsonValue> mal[] = {
        {{"ejemplos", "0", "cuota"}, 79.48},   {{"ejemplos", "1", "fila"}, "AAP"},
        {{"ejemplos", "2", "trabajo"}, "XYZ"}, {{"ejemplos", "0", "fila"}, "P"},
        {{"ejemplos", "0", "cuota"}, 79.485},
    };
    const char* faltas[] = {
        "ejemplos[0] (AAP): da 79,49 y el colegio publica 79,48",
        "ejemplos[1]: lleva «fila» (un documento) o «trabajo», uno de los dos",
        "ejemplos[2].trabajo: «XYZ» no es un trabajo del baremo",
        "ejemplos[0].fila: no tasa una cantidad propia",
        "ejemplos[0].cuota: no es un número ≥ 0 con 2 decimales",
    };
    for (std::size_t k = 0; k < std::size(mal); ++k) {
        QJsonObject r = raiz;
        Poner(r, mal[k].first, mal[k].second);
        const cdv::LecturaBaremo l = cdv::LeerBaremo(QJsonDocument(r).toJson());
        EXPECT_FALSE(l.baremo) << faltas[k];
        EXPECT_TRUE(l.faltas.join('\n').contains(QString::fromUtf8(faltas[k])))
            << faltas[k] << "\n  -> " << l.faltas.join('\n').toStdString();
    }
}

// Revisions priced as the rules must price them, each fee worked out here step by step.
TEST(Baremo, RevisionesConSusCuotas) {
    const auto leer = [](const QByteArray& datos) {
        const cdv::LecturaBaremo lectura = cdv::LeerBaremo(datos);
        EXPECT_TRUE(lectura.baremo) << lectura.faltas.join('\n').toStdString();
        return lectura.baremo;
    };
    const auto tercero = leer(Con({"factores"}, QJsonArray{1.28, 1.035, 1.042}));
    const auto tasas = leer(Variante([](QJsonObject& r) {
        Poner(r, {"documentos", Fila("documentos", "AAP"), "tasa"}, 25);
        Poner(r, {"documentos", Fila("documentos", "EIA2"), "minimo"}, 50);
    }));
    // CNA (a budget at 0.0035, through the DV scale): the updated rate times the budget, as a
    // float, in the bracket from 350 to 525.
    const float base =
        static_cast<float>(((static_cast<double>(0.0035f) * 1.28) * 1.035) * 1.042 * 100000.0f);
    const float cna = static_cast<float>((static_cast<double>(base) - 350.0) * 0.8 + 332.5);
    const struct {
        const char* que;
        std::shared_ptr<const cdv::Baremo> baremo;
        bool trabajo;
        const char* ref;
        const char* cantidad;
        double cuota;
    } casos[] = {
        {"un tercer factor, por unidad", tercero, true, "DVPG", "3",
         3.0f * (((34.0 * 1.28) * 1.035) * 1.042)},
        {"un tercer factor, por escala", tercero, true, "CNA", "100.000", cna},
        {"un tercer factor, superficie", tercero, true, "LAN", "250",
         ((30.0 * 1.28) * 1.035) * 1.042},
        {"una tasa cambiada", tasas, false, "AAP", "2", 2.0f * ((25.0 * 1.28) * 1.035)},
        {"un mínimo cambiado", tasas, false, "EIA2", "10.000", (50.0 * 1.28) * 1.035},
        {"dos factores, como siempre", cdv::BaremoIncorporado(), true, "DVPG", "1",
         (34.0 * 1.28) * 1.035},
    };
    for (const auto& c : casos) {
        const cdv::Baremo& b = *c.baremo;
        const cdv::CuotaCalculada r =
            c.trabajo
                ? cdv::CuotaTrabajo(b, b.TablaTT.Fila(b.TablaTT.Buscar(c.ref)), c.cantidad, kEs)
                : cdv::CuotaDocumento(b, b.TablaTD.Fila(b.TablaTD.Buscar(c.ref)), c.cantidad, kEs);
        EXPECT_EQ(r.importe, c.cuota) << c.que;
    }
}

// A revision of the built-in schedule in `carpeta`, in a file named after it.
void Publicar(const QString& carpeta, const QString& nombre, const QDate& desde, double aap = 20) {
    QDir().mkpath(carpeta);
    QFile archivo(carpeta + "/" + nombre + ".json");
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(Revision(nombre, desde, aap));
}

TEST(Baremo, ElVigenteSegunLaFecha) {
    QTemporaryDir sistema, otroSistema, usuario;
    const QDate hoy = QDate::currentDate();
    Publicar(sistema.path(), "S 2007", QDate(2007, 2, 5));
    Publicar(sistema.path(), "S ayer", hoy.addDays(-1));
    Publicar(usuario.path(), "U ayer", hoy.addDays(-1));
    Publicar(sistema.path(), "S hoy", hoy);
    Publicar(otroSistema.path(), "T hoy", hoy);  // a later system folder: less important
    Publicar(usuario.path(), "U mañana", hoy.addDays(1));
    // Two of one date in one folder: both refused, each naming the other (the first by its
    // file's name was once used, in silence).
    Publicar(usuario.path(), "U antes A", hoy.addDays(-2));
    Publicar(usuario.path(), "U antes B", hoy.addDays(-2));
    const cdv::Baremos baremos =
        cdv::Baremos::Buscar({sistema.path(), otroSistema.path()}, usuario.path());
    const QString rechazos = baremos.Rechazos().join('\n');
    EXPECT_TRUE(rechazos.contains("«U antes A.json»: es de la misma fecha") &&
                rechazos.contains("que «U antes A.json», en la misma carpeta"))
        << rechazos.toStdString();
    const std::pair<QDate, const char*> casos[] = {
        {QDate(2007, 2, 4), "Baremo de derechos de visado"},  // before any: the built-in
        {QDate(2007, 2, 5), "S 2007"},  // a tie with the built-in: the system's
        {hoy.addDays(-2), "S 2007"},    // the user's two of that day refused
        {hoy.addDays(-1), "U ayer"},    // a tie with the system's: the user's
        {hoy, "S hoy"},                 // the latest not after the day, of the first system folder
        {hoy.addDays(1), "U mañana"},   // a later one, only from its day
    };
    for (const auto& [dia, nombre] : casos)
        EXPECT_EQ(baremos.EnVigor(dia)->nombre, nombre) << dia.toString().toStdString();
}

// A request priced under schedule A, reopened with A, without it, and with B in force.
TEST(Baremo, UnaSolicitudConSuBaremo) {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTemporaryDir con, conB;
    const QDate hoy = QDate::currentDate();
    for (const QString& carpeta : {con.path(), conB.path()})
        Publicar(carpeta, "A", hoy.addDays(-1), 25);
    Publicar(conB.path(), "B", hoy, 30);
    const cdv::Baremos soloA = cdv::Baremos::Buscar({}, con.path());
    const cdv::Baremos conAyB = cdv::Baremos::Buscar({}, conB.path());
    const auto a = soloA.EnVigor();
    ASSERT_EQ(a->nombre, "A");
    const cdv::Tasacion aap = cdv::TasarDocumento(*a, a->TablaTD.Buscar("AAP"), "1");
    const QByteArray datos = cdv::EscribirSolicitud(
        {a, {std::make_shared<const cdv::Linea>(*aap.linea)}, {}, {}, {}, {}, {}});
    QJsonObject sinBaremo = QJsonDocument::fromJson(datos).object();
    sinBaremo.remove("baremo");
    const QByteArray sinRegistro = QJsonDocument(sinBaremo).toJson();
    // Under A, "AAP" was something else: the reference means another thing here.
    QJsonObject otraCosa = QJsonDocument::fromJson(datos).object();
    Poner(otraCosa, {"documentos", "0", "descripcion"}, "Aval de apertura");
    const QByteArray otroSentido = QJsonDocument(otraCosa).toJson();
    const QString cambioAap = "documento 1 (AAP): 33,12 → 26,50 €";
    const struct {
        const char* que;
        QByteArray datos;
        const cdv::Baremos& baremos;
        std::string baremo;
        QStringList cambios;
        bool disponible;
        QStringList otroSentido = {};
    } casos[] = {
        {"A, que está", datos, soloA, "A", {}, true},
        {"A, que no está",
         datos,
         cdv::Baremos(),
         "Baremo de derechos de visado",
         {cambioAap},
         false},
        {"A, que no está, donde AAP era otra cosa",
         otroSentido,
         cdv::Baremos(),
         "Baremo de derechos de visado",
         {cambioAap},
         false,
         {"documento 1 (AAP): guardado como «Aval de apertura»; en este baremo, «Acta de "
          "aprobación del plan de seguridad y salud»"}},
        {"A, que está, con B en vigor", datos, conAyB, "A", {}, true},
        {"ninguno: el incorporado",
         sinRegistro,
         conAyB,
         "Baremo de derechos de visado",
         {cambioAap},
         true},
        {"cuotas guardadas que el baremo calcula de otro modo, también las de las partidas",
         R"({"formato": 1, "documentos": [{"referencia": "AAP", "cantidad": "1", "cuota": "20"},
             {"referencia": "P", "partidas": [{"referencia": "DVPG", "cantidad": "1",
              "cuota": "40"}], "cuota": "45.04"}]})",
         cdv::Baremos(),
         "Baremo de derechos de visado",
         {"documento 1 (AAP): 20,00 → 26,50 €",
          "documento 2 (P), partida 1 (DVPG): 40,00 → 45,04 €"},
         true},
    };
    for (const auto& c : casos) {
        const cdv::LecturaSolicitud lectura = cdv::LeerSolicitud(c.datos, c.baremos);
        ASSERT_TRUE(lectura.contenido) << c.que << ": " << lectura.error.toStdString();
        EXPECT_EQ(lectura.contenido->baremo->nombre, c.baremo) << c.que;
        EXPECT_EQ(lectura.cambios, c.cambios) << c.que;
        EXPECT_EQ(lectura.baremoDisponible, c.disponible) << c.que;
        EXPECT_EQ(lectura.otroSentido, c.otroSentido) << c.que;
        EXPECT_EQ(lectura.baremoRegistrado,
                  c.disponible ? "" : "«A» del " + hoy.addDays(-1).toString("dd/MM/yyyy"))
            << c.que;
        EXPECT_EQ(lectura.contenido->documentos.front()->antes.isEmpty(), c.otroSentido.isEmpty())
            << c.que;
    }
}

// Files found among the schedules that are none, or cannot be read, are refused with why, at
// once and without waiting on them: a link to a pipe once hung every start, a link to a
// device grew memory until the program aborted, an unreadable file was passed over in silence.
// A valid one is read only as far as its name and date until it is needed.
TEST(Baremo, LoQueHayEnLaCarpeta) {
    QTemporaryDir carpeta;
    const QString en = carpeta.path() + "/";
    Publicar(carpeta.path(), "bueno", QDate(2008, 1, 1));
    QFile faltas(en + "futuro con faltas.json");
    ASSERT_TRUE(faltas.open(QIODevice::WriteOnly));
    faltas.write(Variante([](QJsonObject& r) {
        r["vigente_desde"] = "2100-01-01";
        Poner(r, {"documentos", "0", "minimos"}, 1);
    }));
    faltas.close();
    QDir(en).mkdir("carpeta.json");
    QFile grande(en + "grande.json");
    ASSERT_TRUE(grande.open(QIODevice::WriteOnly));
    grande.resize(cdv::kTamanoMaximoBaremo + 1);
    grande.close();
    QStringList esperadas{"«carpeta.json»: no es un archivo normal",
                          "«grande.json»: es demasiado grande (más de 4 MB)"};
#if defined(Q_OS_UNIX)
    QFile::link(en + "no-existe", en + "roto.json");
    esperadas << "«roto.json»: es un enlace a nada";
    ASSERT_EQ(::mkfifo(QFile::encodeName(en + "tuberia").constData(), 0600), 0);
    QFile::link(en + "tuberia", en + "tuberia.json");
    QFile::link("/dev/zero", en + "zero.json");
    esperadas << "«tuberia.json»: no es un archivo normal"
              << "«zero.json»: no es un archivo normal";
#endif
    const cdv::Baremos baremos = cdv::Baremos::Buscar({}, carpeta.path());
    EXPECT_EQ(baremos.EnVigor(QDate(2009, 1, 1))->nombre, "bueno");
    EXPECT_EQ(baremos.Rechazos().join('\n').toStdString(), esperadas.join('\n').toStdString());
    baremos.LeerTodos();  // as Info does: the one not needed yet is read now
    esperadas.insert(1, "«futuro con faltas.json»: documentos[0].minimos: clave desconocida");
    EXPECT_EQ(baremos.Rechazos().join('\n').toStdString(), esperadas.join('\n').toStdString());
}

// Every schedule the checker takes gives requests that save and open again: a reference the
// checker allowed once made a request the reader refused, for good.
TEST(Baremo, CadaBaremoAceptadoDaSolicitudesQueSeAbren) {
    QTemporaryDir carpeta;
    const QString ref(cdv::kLargoMaximoReferencia, u'Ñ');
    const QString descripcion(cdv::kLargoMaximoDescripcion, u'd');
    QFile archivo(carpeta.path() + "/largo.json");
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(Variante([&](QJsonObject& r) {
        r["nombre"] = "Largo";
        Poner(r, {"documentos", Fila("documentos", "AAP"), "referencia"}, ref);
        Poner(r, {"documentos", Fila("documentos", "AAP"), "descripcion"}, descripcion);
    }));
    archivo.close();
    const cdv::Baremos baremos = cdv::Baremos::Buscar({}, carpeta.path());
    const auto largo = baremos.EnVigor();
    ASSERT_EQ(largo->nombre, "Largo") << baremos.Rechazos().join('\n').toStdString();
    const cdv::Tasacion linea = cdv::TasarDocumento(*largo, largo->TablaTD.Buscar(Us(ref)), "1");
    const QByteArray datos = cdv::EscribirSolicitud(
        {largo, {std::make_shared<const cdv::Linea>(*linea.linea)}, {}, {}, {}, {}, {}});
    const cdv::LecturaSolicitud lectura = cdv::LeerSolicitud(datos, baremos);
    ASSERT_TRUE(lectura.contenido) << lectura.error.toStdString();
    EXPECT_EQ(lectura.contenido->documentos.size(), 1u);
}

}  // namespace

namespace {

// A price list of association `colegio` from `desde`: one fixed row, and its example.
QByteArray Tarifa(const char* colegio, const char* desde, int importe, int publicado) {
    return QString(R"({"formato": 2, "colegio": "%1", "nombre": "T %1 %2", "vigente_desde": "%2",
        "filas": [{"referencia": "F", "descripcion": "Fija", "regla": {"tipo": "fija",
        "importe": %3}}], "ejemplos": [{"fila": "F", "cantidad": 1, "cuota": %4}]})")
        .arg(colegio, desde)
        .arg(importe)
        .arg(publicado)
        .toUtf8();
}

}  // namespace

// Associations side by side: each its own revisions by date, a tie only within one (two of
// the same day of different associations were once both refused), the program's own
// untouched; a list whose example fails is refused with it.
TEST(Baremo, ColegiosLadoALado) {
    QTemporaryDir carpeta;
    const auto escribir = [&carpeta](const char* nombre, const QByteArray& datos) {
        QFile archivo(carpeta.filePath(nombre));
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(datos);
    };
    escribir("a.json", Tarifa("A", "2026-01-01", 10, 10));
    escribir("a2.json", Tarifa("A", "2026-06-01", 12, 12));
    escribir("b.json", Tarifa("B", "2026-01-01", 20, 20));
    escribir("c.json", Tarifa("C", "2026-01-01", 30, 31));
    const cdv::Baremos baremos = cdv::Baremos::Buscar({}, carpeta.path());
    baremos.LeerTodos();
    EXPECT_EQ(baremos.Rechazos().join('\n').toStdString(),
              "«c.json»: ejemplos[0] (F): da 30,00 y el colegio publica 31,00");
    EXPECT_EQ(baremos.Colegios(), (std::vector<std::string>{"", "A", "B"}));
    const std::tuple<QDate, std::string, const char*> casos[] = {
        {QDate(2026, 3, 1), "A", "T A 2026-01-01"},
        {QDate(2026, 6, 1), "A", "T A 2026-06-01"},
        {QDate(2026, 6, 1), "B", "T B 2026-01-01"},
        {QDate(2026, 6, 1), "", "Baremo de derechos de visado"},
        {QDate(2026, 6, 1), "C", "Baremo de derechos de visado"},  // refused: none of its own
    };
    for (const auto& [dia, colegio, nombre] : casos)
        EXPECT_EQ(baremos.EnVigor(dia, colegio)->nombre, nombre) << colegio;
    const auto a = baremos.EnVigor(QDate(2026, 3, 1), "A");
    ASSERT_TRUE(a->tarifa);
    EXPECT_EQ(a->TablaTD.Fila(1)->Tipo, cdv::Regla::SegunTarifa);
    // The same list, however its file is laid out, is the same schedule.
    const QByteArray otraForma =
        QJsonDocument::fromJson(Tarifa("A", "2026-01-01", 10, 10)).toJson(QJsonDocument::Indented);
    EXPECT_EQ(cdv::LeerBaremo(otraForma).baremo->huella, a->huella);
    EXPECT_NE(cdv::LeerBaremo(Tarifa("A", "2026-01-01", 11, 11)).baremo->huella, a->huella);
}
