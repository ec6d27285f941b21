#include "ArchivoBaremo.h"

#include <QCryptographicHash>
#include <QDate>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <span>

#include "ArchivoCatalogos.h"
#include "ArchivoLocal.h"
#include "ArchivoTarifa.h"
#include "JsonEstricto.h"
#include "LectorJson.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

// What a number must be.
enum class Rango {
    NoNegativo,  // ≥ 0
    Positivo,    // > 0
    Fraccion,    // from 0 to 1
};

// The rule codes each catalogue takes.
constexpr Regla kReglasTrabajo[] = {Regla::PorUnidad, Regla::PorMagnitud, Regla::PorPresupuesto,
                                    Regla::PorSuperficie};
constexpr Regla kReglasDocumento[] = {Regla::SinCuota, Regla::PorUnidad, Regla::PorPresupuesto,
                                      Regla::ParteDelProyecto};

// Reads a schedule's JSON, noting every fault with its place; what it gives is only used when
// it noted none.
class Comprobador : public LectorJson {
  public:
    Baremo Leer(const QJsonObject& raiz) {
        Conocidas(raiz, {},
                  {"formato", "nombre", "vigente_desde", "factores", "documentos", "trabajos",
                   "escala_dv", "escala_superficie", "descuentos"},
                  {"fuente", "iva"});
        if (const auto formato = Entero(raiz, "formato", {}); formato && *formato != kFormatoBaremo)
            Falta("formato", QString("es %1; este programa lee los formatos %2 y %3")
                                 .arg(*formato)
                                 .arg(kFormatoBaremo)
                                 .arg(kFormatoTarifa));
        Baremo b;
        const QString nombre = Texto(raiz, "nombre", {});
        Largo(nombre, {}, "nombre", kLargoMaximoDescripcion);
        b.nombre = Us(nombre);
        b.vigenteDesde = Fecha(raiz, "vigente_desde");
        if (raiz.contains("fuente")) b.fuente = Us(Texto(raiz, "fuente", {}, true));
        for (const auto& [k, valor] : Elementos(raiz, "factores", {}))
            b.factores.push_back(
                Numero(valor, En("factores", k), nullptr, Rango::Positivo).value_or(1));
        b.TablaTD = TablaDocumentos(Documentos(raiz));
        b.TablaTT = TablaTrabajos(Trabajos(raiz));
        b.tramosDV = TramosDV(raiz);
        b.clasesSuperficie = ClasesSuperficie(raiz);
        const QJsonObject descuentos = Objeto(raiz, "descuentos", {});
        Conocidas(descuentos, "descuentos", {"P", "PB"}, {});
        for (const std::string_view ref : {kRefProyecto, kRefProyectoBasico})
            if (auto opciones = Opciones(descuentos, ref, b.TablaTD); !opciones.empty())
                b.descuentos.push_back({std::string(ref), std::move(opciones)});
        ProyectosConDescuento(b.TablaTD);
        b.iva = TiposIva(raiz, b.vigenteDesde);
        Limites(b);
        return b;
    }

  private:
    std::optional<double> Numero(const QJsonValue& valor, const QString& lugar, const char* clave,
                                 Rango rango) {
        const double x = valor.toDouble();
        const bool bien =
            valor.isDouble() && std::isfinite(x) && (rango == Rango::Positivo ? x > 0 : x >= 0) &&
            (rango != Rango::Fraccion || x <= 1) && x <= std::numeric_limits<float>::max();
        if (bien) return x;
        if (valor.isDouble() && x > std::numeric_limits<float>::max()) {
            Falta(lugar, clave, "es demasiado grande (más de 3,4e38)");
            return std::nullopt;
        }
        constexpr const char* kRangos[] = {"un número ≥ 0", "un número > 0", "un número de 0 a 1"};
        Falta(lugar, clave, QString("no es %1").arg(kRangos[static_cast<int>(rango)]));
        return std::nullopt;
    }

    // A number of the row kept as a float; 0 when it is wrong.
    float Simple(const QJsonObject& objeto, const char* clave, const QString& lugar, Rango rango) {
        if (!objeto.contains(clave)) return 0.0f;
        return static_cast<float>(Numero(Valor(objeto, clave), lugar, clave, rango).value_or(0));
    }

    Regla Tipo(const QJsonObject& fila, const QString& lugar, std::span<const Regla> validas) {
        const auto codigo = Entero(fila, "tipo", lugar);
        const auto regla = codigo ? ReglaDeCodigo(*codigo) : std::nullopt;
        if (codigo &&
            (!regla || std::find(validas.begin(), validas.end(), *regla) == validas.end())) {
            Falta(En(lugar, "tipo"), QString("la regla de cuota %1 no existe aquí").arg(*codigo));
        }
        return regla.value_or(Regla::SinCuota);
    }

    // What every row has: its place, checked keys, and its unique reference.
    QJsonObject Fila(const QJsonValue& valor, const QString& lugar, Claves claves,
                     QSet<QString>& referencias) {
        if (!valor.isObject()) {
            Falta(lugar, "no es un objeto");
            return {};
        }
        const QJsonObject fila = valor.toObject();
        Conocidas(fila, lugar, claves, {});
        const QString ref = Texto(fila, "referencia", lugar);
        if (!ref.isEmpty() && referencias.contains(ref))
            Falta(En(lugar, "referencia"), QString("«%1» está repetida").arg(Recortado(ref)));
        referencias.insert(ref);
        Largo(ref, lugar, "referencia", kLargoMaximoReferencia);
        Largo(Texto(fila, "descripcion", lugar), lugar, "descripcion", kLargoMaximoDescripcion);
        return fila;
    }

    // Every row of the list `lista`, its keys `claves`, each made by `hacer` from its object
    // and its place.
    template <typename Registro, typename Hacer>
    std::vector<Registro> Filas(const QJsonObject& raiz, const char* lista, Claves claves,
                                Hacer hacer) {
        std::vector<Registro> filas;
        QSet<QString> referencias;
        for (const auto& [k, valor] : Elementos(raiz, lista, {})) {
            const QString lugar = En(lista, k);
            filas.push_back(hacer(Fila(valor, lugar, claves, referencias), lugar));
        }
        return filas;
    }

    std::vector<DocumentoTD> Documentos(const QJsonObject& raiz) {
        return Filas<DocumentoTD>(
            raiz, "documentos", {"referencia", "descripcion", "tipo", "tasa", "minimo", "nota"},
            [this](const QJsonObject& f, const QString& lugar) {
                return DocumentoTD{Us(f["referencia"].toString()),
                                   Us(f["descripcion"].toString()),
                                   Tipo(f, lugar, kReglasDocumento),
                                   Simple(f, "tasa", lugar, Rango::NoNegativo),
                                   Simple(f, "minimo", lugar, Rango::NoNegativo),
                                   Us(Texto(f, "nota", lugar, true)),
                                   {}};
            });
    }

    std::vector<TrabajoTT> Trabajos(const QJsonObject& raiz) {
        return Filas<TrabajoTT>(
            raiz, "trabajos",
            {"referencia", "descripcion", "tipo", "unidad", "tasa", "minimo", "grupo", "nota"},
            [this](const QJsonObject& f, const QString& lugar) {
                const QString unidad = Texto(f, "unidad", lugar, true);
                Largo(unidad, lugar, "unidad", kLargoMaximoDescripcion);
                return TrabajoTT{Us(f["referencia"].toString()),
                                 Us(f["descripcion"].toString()),
                                 Tipo(f, lugar, kReglasTrabajo),
                                 Us(unidad),
                                 Simple(f, "tasa", lugar, Rango::NoNegativo),
                                 Simple(f, "minimo", lugar, Rango::NoNegativo),
                                 Us(Texto(f, "grupo", lugar, true)),
                                 Us(Texto(f, "nota", lugar, true))};
            });
    }

    std::vector<TramoDV> TramosDV(const QJsonObject& raiz) {
        std::vector<TramoDV> tramos;
        std::int32_t anterior = 0;
        for (const auto& [k, valor] : Elementos(raiz, "escala_dv", {})) {
            const QString lugar = En("escala_dv", k);
            const QJsonObject t = Elemento(valor, lugar, {"hasta", "factor", "base"});
            const std::int32_t hasta = Hasta(t, lugar, anterior);
            tramos.push_back({hasta,
                              Numero(t["factor"], lugar, "factor", Rango::Positivo).value_or(0),
                              Numero(t["base"], lugar, "base", Rango::NoNegativo).value_or(0)});
        }
        return tramos;
    }

    std::vector<ClaseSuperficie> ClasesSuperficie(const QJsonObject& raiz) {
        std::vector<ClaseSuperficie> clases;
        std::int32_t anterior = 0;
        for (const auto& [k, valor] : Elementos(raiz, "escala_superficie", {})) {
            const QString lugar = En("escala_superficie", k);
            const QJsonObject c = Elemento(valor, lugar, {"hasta", "importe"});
            const std::int32_t hasta = Hasta(c, lugar, anterior);
            clases.push_back({hasta, Simple(c, "importe", lugar, Rango::NoNegativo)});
        }
        return clases;
    }

    // The options of the discount of project document `ref`, checked against its share.
    std::vector<OpcionDescuento> Opciones(const QJsonObject& descuentos, std::string_view ref,
                                          const TablaDocumentos& documentos) {
        const QString lugar = En("descuentos", Qs(ref));
        std::vector<OpcionDescuento> opciones;
        for (const auto& [k, valor] :
             Elementos(descuentos, std::string(ref).c_str(), "descuentos")) {
            const QString donde = En(lugar, k);
            const QJsonObject o = Elemento(valor, donde, {"texto", "fraccion"});
            const QString texto = Texto(o, "texto", donde);
            Largo(texto, donde, "texto", kLargoMaximoOpcion);
            opciones.push_back({Us(texto), Simple(o, "fraccion", donde, Rango::Fraccion)});
        }
        const DocumentoTD* fila = documentos.Fila(documentos.Buscar(ref));
        if (opciones.empty() || fila == nullptr) return opciones;
        for (const FaltaDeOpcion& falta : FaltasDeOpciones(opciones, fila->Tasa))
            Falta(falta.Lugar(lugar, "fraccion"), falta.mensaje);
        return opciones;
    }

    // Each value past what a fee may reach, at its place in a file of format 1.
    void Limites(const Baremo& b) {
        for (const auto& [limite, k] : FueraDeLimites(b)) {
            const auto en = [k](const char* lista) { return En(lista, k); };
            const QString lugares[] = {"factores",
                                       En(en("escala_dv"), "factor"),
                                       en("escala_dv"),
                                       En(en("escala_superficie"), "importe"),
                                       En(en("documentos"), "tasa"),
                                       En(en("documentos"), "minimo"),
                                       En(en("trabajos"), "tasa"),
                                       En(en("trabajos"), "minimo")};
            Falta(lugares[static_cast<int>(limite)], MensajeDeLimite(limite));
        }
    }

    // The documents whose discounts the schedule gives are project documents.
    void ProyectosConDescuento(const TablaDocumentos& documentos) {
        for (const std::string_view ref : {kRefProyecto, kRefProyectoBasico}) {
            const DocumentoTD* fila = documentos.Fila(documentos.Buscar(ref));
            if (documentos.Filas() > 0 &&
                (fila == nullptr || fila->Tipo != Regla::ParteDelProyecto)) {
                Falta("documentos", QString("falta «%1», un documento de proyecto (tipo %2), al "
                                            "que se aplican sus descuentos")
                                        .arg(Qs(ref))
                                        .arg(CodigoDeRegla(Regla::ParteDelProyecto)));
            }
        }
    }
};

// Everything the schedule holds, each field ended by U+001F and numbers by their bits: what
// tells one schedule from another, whatever the file it came in.
QByteArray Contenido(const Baremo& b) {
    std::string texto;
    const auto campo = [&texto](std::string_view valor) {
        texto.append(valor);
        texto += '\x1f';
    };
    const auto numero = [&campo](auto valor) {
        campo(std::to_string(
            std::bit_cast<std::conditional_t<sizeof(valor) == 4, std::uint32_t, std::uint64_t>>(
                valor)));
    };
    for (const std::string& t : {b.nombre, b.vigenteDesde, b.fuente}) campo(t);
    for (const double f : b.factores) numero(f);
    for (int n = 1; n <= b.TablaTD.Filas(); ++n) {
        const DocumentoTD& d = *b.TablaTD.Fila(n);
        for (const std::string& t : {d.Ref, d.Descripcion, d.Comentario}) campo(t);
        numero(CodigoDeRegla(d.Tipo));
        numero(d.Tasa);
        numero(d.Minimo);
    }
    for (int n = 1; n <= b.TablaTT.Filas(); ++n) {
        const TrabajoTT& t = *b.TablaTT.Fila(n);
        for (const std::string& x : {t.Ref, t.Descripcion, t.Unidad, t.Grupo, t.Comentario})
            campo(x);
        numero(CodigoDeRegla(t.Tipo));
        numero(t.Tasa);
        numero(t.Minimo);
    }
    for (const TramoDV& t : b.tramosDV) numero(t.hasta), numero(t.factor), numero(t.base);
    for (const ClaseSuperficie& c : b.clasesSuperficie) numero(c.hasta), numero(c.importe);
    // "P"'s options and "PB"'s, each list ended by an empty field; then any other document's,
    // after its reference (so that the digests of schedules without them stay as they were).
    const auto opciones = [&](std::span<const OpcionDescuento> lista) {
        for (const OpcionDescuento& o : lista) campo(o.texto), numero(o.fraccion);
        campo({});
    };
    for (const std::string_view ref : {kRefProyecto, kRefProyectoBasico})
        opciones(b.DescuentosDe(ref));
    for (const DescuentosDeDocumento& d : b.descuentos)
        if (d.ref != kRefProyecto && d.ref != kRefProyectoBasico)
            campo(d.ref), opciones(d.opciones);
    // Only a schedule with rates of its own has them in its digest: the others keep theirs.
    for (const TipoIva& t : b.iva) campo(t.desde), numero(t.centesimas);
    return QByteArray::fromStdString(texto);
}

LecturaBaremo Rechazado(const QString& falta) {
    return {nullptr, {falta}};
}

}  // namespace

std::vector<FueraDeLimite> FueraDeLimites(const Baremo& b) {
    std::vector<FueraDeLimite> fuera;
    double producto = 1;
    for (const double factor : b.factores) producto *= factor;
    if (!(producto <= kFactorMaximo)) fuera.push_back({Limite::Factores, 0});
    const auto importe = [&](double euros, Limite limite, qsizetype k) {
        if (!(b.Actualizar(euros) <= kImporteMaximo)) fuera.push_back({limite, k});
    };
    double desde = 0;
    for (std::size_t k = 0; k < b.tramosDV.size(); ++k) {
        const TramoDV& t = b.tramosDV[k];
        if (!(t.factor <= kFactorMaximo)) fuera.push_back({Limite::Coeficiente, qsizetype(k)});
        if (!((t.hasta - desde) * t.factor + t.base <= kImporteMaximo))
            fuera.push_back({Limite::TopeDeTramo, qsizetype(k)});
        desde = t.hasta;
    }
    for (std::size_t k = 0; k < b.clasesSuperficie.size(); ++k)
        importe(b.clasesSuperficie[k].importe, Limite::ImporteDeClase, qsizetype(k));
    for (int n = 1; n <= b.TablaTD.Filas(); ++n) {
        importe(b.TablaTD.Fila(n)->Tasa, Limite::TasaDocumento, n - 1);
        importe(b.TablaTD.Fila(n)->Minimo, Limite::MinimoDocumento, n - 1);
    }
    for (int n = 1; n <= b.TablaTT.Filas(); ++n) {
        importe(b.TablaTT.Fila(n)->Tasa, Limite::TasaTrabajo, n - 1);
        importe(b.TablaTT.Fila(n)->Minimo, Limite::MinimoTrabajo, n - 1);
    }
    return fuera;
}

QString FaltaDeOpcion::Lugar(const QString& lista, const char* importe) const {
    return indice < 0 ? lista : En(En(lista, indice), enTexto ? "texto" : importe);
}

std::vector<FaltaDeOpcion> FaltasDeOpciones(std::span<const OpcionDescuento> opciones,
                                            float parte) {
    std::vector<FaltaDeOpcion> faltas;
    const auto cuantas = static_cast<qsizetype>(opciones.size());
    if (cuantas < kOpcionesMinimas || cuantas > kOpcionesMaximas)
        faltas.push_back(
            {-1, false,
             QString("tiene %1; un documento ofrece de %2 a %3")
                 .arg(cuantas == 1 ? "una opción" : QString("%1 opciones").arg(cuantas))
                 .arg(kOpcionesMinimas)
                 .arg(kOpcionesMaximas)});
    if (!opciones.empty() && opciones.front().fraccion != 0.0f)
        faltas.push_back({0, false, "la primera opción no descuenta nada"});
    QSet<std::string> textos;
    for (qsizetype k = 0; k < cuantas; ++k) {
        const OpcionDescuento& o = opciones[static_cast<std::size_t>(k)];
        if (textos.contains(o.texto)) faltas.push_back({k, true, "está repetido"});
        textos.insert(o.texto);
        if (o.fraccion > parte)
            faltas.push_back({k, false,
                              QString("descuenta más que la parte del proyecto del documento, "
                                      "%1 %")
                                  .arg(QLocale(QLocale::Spanish)
                                           .toString(static_cast<double>(parte) * 100, 'g', 6))});
    }
    return faltas;
}

QString MensajeDeLimite(Limite limite) {
    switch (limite) {
        case Limite::Factores:
            return QString("juntos multiplican por más de %1").arg(kFactorMaximo);
        case Limite::Coeficiente:
            return QString("pasa de %1").arg(kFactorMaximo);
        case Limite::TopeDeTramo:
            return "su cuota al final del tramo pasa del mayor importe que el programa calcula";
        default:
            return "actualizado, pasa del mayor importe que el programa calcula";
    }
}

// MD5 is enough to tell revisions apart, and quick enough for every start.
std::string HuellaDe(const Baremo& baremo) {
    return QCryptographicHash::hash(Contenido(baremo), QCryptographicHash::Md5)
        .toHex()
        .toStdString();
}

std::optional<QByteArray> EscribirBaremo(const Baremo& b, QStringList* faltas) {
    if (b.tarifa) return QByteArray::fromStdString(b.textoTarifa);  // the list's file as it is
    QByteArray escrito = EscribirCatalogos(b);
    const LecturaBaremo leido = LeerBaremo(escrito);
    if (leido.baremo && *leido.baremo == b) return escrito;
    if (faltas != nullptr) {
        *faltas = leido.faltas;
        if (leido.baremo) *faltas << "escrito en el formato 2, no sería el mismo baremo";
    }
    return std::nullopt;
}

LecturaBaremo LeerBaremo(const QByteArray& datos) {
    if (const QString falta =
            ComprobarJson(std::string_view(datos.constData(), datos.size())).falta;
        !falta.isEmpty())
        return Rechazado(falta);
    QJsonParseError error;
    const QJsonDocument documento = QJsonDocument::fromJson(datos, &error);
    if (error.error != QJsonParseError::NoError) {
        return Rechazado(
            QString("no es JSON válido, o está incompleto (carácter %1)").arg(error.offset));
    }
    if (!documento.isObject()) return Rechazado("no es un baremo (no es un objeto JSON)");
    if (EsDeFormatoTarifa(documento.object()))
        return EsDeCalculoEnComaFlotante(documento.object())
                   ? LeerBaremoDeCatalogos(documento.object())
                   : LeerBaremoDeTarifa(documento.object(), datos);
    Comprobador comprobador;
    Baremo baremo = comprobador.Leer(documento.object());
    if (!comprobador.faltas.isEmpty()) return {nullptr, comprobador.faltas};
    baremo.huella = HuellaDe(baremo);
    return {std::make_shared<const Baremo>(std::move(baremo)), {}};
}

LecturaBaremo AbrirBaremo(const QString& ruta) {
    const LecturaArchivo archivo = LeerArchivo(ruta, kTamanoMaximoBaremo);
    LecturaBaremo lectura = archivo.datos ? LeerBaremo(*archivo.datos) : Rechazado(archivo.error);
    for (QString& falta : lectura.faltas) falta = "«" + QFileInfo(ruta).fileName() + "»: " + falta;
    return lectura;
}

std::shared_ptr<const Baremo> BaremoIncorporado() {
    static const std::shared_ptr<const Baremo> baremo = [] {
        Baremo compilado = *BaremoCompilado();
        compilado.huella = HuellaDe(compilado);
        return std::make_shared<const Baremo>(std::move(compilado));
    }();
    return baremo;
}

std::string ClaveColegio(const std::string& colegio, const std::string& demarcacion) {
    return demarcacion.empty() ? colegio : colegio + " (" + demarcacion + ")";
}

QString NombreColegio(const Baremo& baremo) {
    return Qs(ClaveColegio(baremo));
}

QString FechaDeVigencia(const Baremo& baremo) {
    return FechaDiaMesAno(FechaDeArchivo(Qs(baremo.vigenteDesde)));
}

}  // namespace cdv
