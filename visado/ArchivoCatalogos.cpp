#include "ArchivoCatalogos.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <charconv>
#include <map>

#include "Cuotas.h"
#include "FormasDeRegla.h"
#include "LectorJson.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

// The key of each parameter, by its Parametro.
constexpr const char* kClavesParametro[] = {"", "precio", "porcentaje"};

const char* NombreTabla(TipoTabla tipo) {
    return tipo == TipoTabla::Marginal ? "marginal" : "escalonada";
}

const char* NombreCatalogo(Catalogo catalogo) {
    return catalogo == Catalogo::Trabajos ? "trabajos" : "filas";
}

// What a kind of rule of a catalogue takes, in words: "lleva una tabla marginal y «precio», o
// …"; or that the catalogue has no such kind.
QString LoQueLleva(Catalogo catalogo, const std::string& tipo) {
    QStringList formas;
    for (const FormaDeRegla& f : kFormasDeRegla) {
        if (f.catalogo != catalogo || f.tipo != tipo) continue;
        QStringList partes;
        if (f.tabla) partes << QString("una tabla ") + NombreTabla(*f.tabla);
        if (f.parametro != Parametro::Ninguno)
            partes << QString("«%1»").arg(kClavesParametro[static_cast<int>(f.parametro)]);
        formas << (partes.isEmpty() ? QString("solo su tipo") : partes.join(" y "));
    }
    if (formas.isEmpty())
        return QString("«%1» no es un tipo de regla de «%2» en este cálculo")
            .arg(Recortado(Qs(tipo)), NombreCatalogo(catalogo));
    return "esta regla lleva " + formas.join(", o ");
}

// What a row of either catalogue has.
struct Comun {
    std::string referencia, descripcion, nota;
    Regla regla = Regla::SinCuota;
    float tasa = 0, minimo = 0;
};

// Reads a schedule of catalogues of format 2, noting every fault with its place.
class LectorCatalogos : public LectorJson {
  public:
    Baremo Leer(const QJsonObject& raiz) {
        Conocidas(raiz, {},
                  {"formato", "calculo", "nombre", "vigente_desde", "actualizacion", "tablas",
                   "filas", "trabajos"},
                  {"fuente", "colegio", "demarcacion", "iva", "ejemplos"});
        Baremo b;
        b.nombre = Linea(raiz, "nombre", {}, kLargoMaximoDescripcion);
        b.vigenteDesde = Fecha(raiz, "vigente_desde");
        if (raiz.contains("fuente")) b.fuente = Us(Texto(raiz, "fuente", {}, true));
        if (raiz.contains("colegio"))
            b.colegio = Linea(raiz, "colegio", {}, kLargoMaximoDescripcion);
        if (raiz.contains("demarcacion"))
            b.demarcacion = Linea(raiz, "demarcacion", {}, kLargoMaximoDescripcion);
        for (const auto& [k, valor] : Elementos(raiz, "actualizacion", {}))
            b.factores.push_back(DecimalEnDouble(Positivo(valor, En("actualizacion", k))));
        Tablas(Objeto(raiz, "tablas", {}), b);
        b.TablaTD = TablaDocumentos(Documentos(raiz, b));
        b.TablaTT = TablaTrabajos(Trabajos(raiz));
        ProyectoDeLosTrabajos(b);
        b.iva = TiposIva(raiz, b.vigenteDesde);
        Limites(b);
        b.ejemplos = Ejemplos(raiz, b);
        if (faltas.isEmpty())
            for (const std::string& fallo : EjemplosQueFallan(b)) faltas << Qs(fallo);
        return b;
    }

  private:
    std::map<QString, TipoTabla> tablas_;
    QString marginal_, escalonada_;  // the names of the two tables

    Decimal Positivo(const QJsonValue& valor, const QString& lugar) {
        const Decimal d = NumeroDecimal(valor, lugar, kDecimalesMaximos);
        if (valor.isDouble() && d.mantisa == 0) Falta(lugar, "no es un número > 0");
        return d;
    }

    Decimal Numero(const QJsonObject& objeto, const char* clave, const QString& lugar) {
        return NumeroDecimal(Valor(objeto, clave), En(lugar, clave), kDecimalesMaximos);
    }

    void Tablas(const QJsonObject& tablas, Baremo& b) {
        for (auto t = tablas.begin(); t != tablas.end(); ++t) {
            const QString lugar = En("tablas", t.key());
            const QJsonObject tabla = Elemento(t.value(), lugar, {"tipo", "tramos"});
            const QString tipo = Texto(tabla, "tipo", lugar);
            if (tipo == "marginal" && Unica(TipoTabla::Marginal, t.key(), lugar, marginal_)) {
                b.tramosDV = TramosMarginales(tabla, lugar);
            } else if (tipo == "escalonada" &&
                       Unica(TipoTabla::Escalonada, t.key(), lugar, escalonada_)) {
                b.clasesSuperficie = TramosEscalonados(tabla, lugar);
            } else if (tipo != "marginal" && tipo != "escalonada" && tabla.contains("tipo")) {
                Falta(En(lugar, "tipo"),
                      "«" + Recortado(tipo) + "» no es «marginal» ni «escalonada»");
            }
        }
    }

    // The scales are one of each kind: the first table of a kind is it, a second one a fault.
    bool Unica(TipoTabla tipo, const QString& nombre, const QString& lugar, QString& suya) {
        if (!suya.isEmpty()) {
            Falta(lugar, QString("este cálculo lleva una sola tabla %1, y ya está «%2»")
                             .arg(NombreTabla(tipo), suya));
            return false;
        }
        suya = nombre;
        tablas_[nombre] = tipo;
        return true;
    }

    // Each band gives its coefficient and its base, the fee at its start, which must be what
    // the bands below it give: the scale adds the base to the part inside the band.
    std::vector<TramoDV> TramosMarginales(const QJsonObject& tabla, const QString& lugar) {
        std::vector<TramoDV> tramos;
        std::int32_t anterior = 0;
        std::optional<Exacto> acumulado = Exacto::De({});
        for (const auto& [k, valor] : Elementos(tabla, "tramos", lugar)) {
            const QString donde = En(En(lugar, "tramos"), k);
            const QJsonObject t = Elemento(valor, donde, {"hasta", "coeficiente", "base"});
            const std::int32_t desde = anterior;
            const std::int32_t hasta = Hasta(t, donde, anterior);
            const Decimal coeficiente = Positivo(Valor(t, "coeficiente"), En(donde, "coeficiente"));
            const Decimal base = Numero(t, "base", donde);
            const auto suma = acumulado ? acumulado->EnDecimal() : std::nullopt;
            if (suma && Comparar(*suma, base) != 0)
                Falta(En(donde, "base"), "no es lo que dan los tramos anteriores, " +
                                             Qs(TextoDecimal(*suma, {",", ""})));
            const auto parte =
                Exacto::De({static_cast<std::uint64_t>(hasta - std::min(desde, hasta)), 0})
                    .Por(coeficiente);
            acumulado = acumulado && parte ? acumulado->Mas(*parte) : std::nullopt;
            tramos.push_back({hasta, DecimalEnDouble(coeficiente), DecimalEnDouble(base)});
        }
        return tramos;
    }

    std::vector<ClaseSuperficie> TramosEscalonados(const QJsonObject& tabla, const QString& lugar) {
        std::vector<ClaseSuperficie> clases;
        std::int32_t anterior = 0;
        for (const auto& [k, valor] : Elementos(tabla, "tramos", lugar)) {
            const QString donde = En(En(lugar, "tramos"), k);
            const QJsonObject c = Elemento(valor, donde, {"hasta", "importe"});
            const std::int32_t hasta = Hasta(c, donde, anterior);
            clases.push_back({hasta, DecimalEnFloat(Numero(c, "importe", donde))});
        }
        return clases;
    }

    // What both catalogues' rows have: a unique reference, a description, a rule, a minimum
    // and perhaps a note.
    Comun Fila(const QJsonObject& f, const QString& lugar, Catalogo catalogo,
               QSet<QString>& referencias) {
        const QString ref = Texto(f, "referencia", lugar);
        if (!ref.isEmpty() && referencias.contains(ref))
            Falta(En(lugar, "referencia"), QString("«%1» está repetida").arg(Recortado(ref)));
        referencias.insert(ref);
        Largo(ref, lugar, "referencia", kLargoMaximoReferencia);
        Comun c{Us(ref), Linea(f, "descripcion", lugar, kLargoMaximoDescripcion),
                Us(Texto(f, "nota", lugar, true))};
        ReglaDeFila(Valor(f, "regla"), En(lugar, "regla"), catalogo, c);
        c.minimo = DecimalEnFloat(Numero(f, "minimo", lugar));
        return c;
    }

    void ReglaDeFila(const QJsonValue& valor, const QString& lugar, Catalogo catalogo, Comun& c) {
        const QJsonObject r = Elemento(valor, lugar, {"tipo"}, {"tabla", "precio", "porcentaje"});
        std::optional<TipoTabla> tabla;
        if (r.contains("tabla")) {
            const QString nombre = Texto(r, "tabla", lugar);
            const auto t = tablas_.find(nombre);
            if (t == tablas_.end()) {
                Falta(En(lugar, "tabla"), "«" + Recortado(nombre) + "» no es una tabla del baremo");
                return;
            }
            tabla = t->second;
        }
        const bool precio = r.contains("precio"), porcentaje = r.contains("porcentaje");
        const Parametro parametro = precio == porcentaje ? Parametro::Ninguno
                                    : precio             ? Parametro::Precio
                                                         : Parametro::Porcentaje;
        const std::string tipo = Us(Texto(r, "tipo", lugar));
        const FormaDeRegla* forma = FormaDe(catalogo, tipo, tabla, parametro);
        if (forma == nullptr) {
            if (r.contains("tipo")) Falta(lugar, LoQueLleva(catalogo, tipo));
            return;
        }
        c.regla = forma->regla;
        if (parametro == Parametro::Precio) c.tasa = DecimalEnFloat(Numero(r, "precio", lugar));
        if (parametro == Parametro::Porcentaje)
            c.tasa = DecimalEnFloat(Numero(r, "porcentaje", lugar), 2);
    }

    std::vector<DocumentoTD> Documentos(const QJsonObject& raiz, Baremo& b) {
        std::vector<DocumentoTD> filas;
        QSet<QString> referencias;
        for (const auto& [k, valor] : Elementos(raiz, "filas", {})) {
            const QString lugar = En("filas", k);
            const QJsonObject f =
                Elemento(valor, lugar, {"referencia", "descripcion", "regla", "minimo"},
                         {"nota", "descuentos"});
            const Comun c = Fila(f, lugar, Catalogo::Documentos, referencias);
            if (f.contains("descuentos")) Descuentos(f, lugar, c, b);
            filas.push_back({c.referencia, c.descripcion, c.regla, c.tasa, c.minimo, c.nota, {}});
        }
        return filas;
    }

    std::vector<TrabajoTT> Trabajos(const QJsonObject& raiz) {
        std::vector<TrabajoTT> filas;
        QSet<QString> referencias;
        for (const auto& [k, valor] : Elementos(raiz, "trabajos", {})) {
            const QString lugar = En("trabajos", k);
            const QJsonObject f = Elemento(
                valor, lugar, {"referencia", "descripcion", "grupo", "unidad", "regla", "minimo"},
                {"nota"});
            const Comun c = Fila(f, lugar, Catalogo::Trabajos, referencias);
            const QString unidad = Texto(f, "unidad", lugar, true);
            Largo(unidad, lugar, "unidad", kLargoMaximoDescripcion);
            filas.push_back({c.referencia, c.descripcion, c.regla, Us(unidad), c.tasa, c.minimo,
                             Us(Texto(f, "grupo", lugar, true)), c.nota});
        }
        return filas;
    }

    // The options of a project document's discount, each a share of the project's fee.
    void Descuentos(const QJsonObject& fila, const QString& lugar, const Comun& c, Baremo& b) {
        const QString donde = En(lugar, "descuentos");
        if (c.regla != Regla::ParteDelProyecto) {
            Falta(donde,
                  "solo un documento de tipo «parte_del_proyecto» tiene opciones de "
                  "descuento");
            return;
        }
        std::vector<OpcionDescuento> opciones;
        for (const auto& [k, valor] : Elementos(fila, "descuentos", lugar)) {
            const QString en = En(donde, k);
            const QJsonObject o = Elemento(valor, en, {"texto", "porcentaje"});
            const QString texto = Texto(o, "texto", en);
            Largo(texto, en, "texto", kLargoMaximoOpcion);
            const Decimal porcentaje = Numero(o, "porcentaje", en);
            if (Comparar(porcentaje, {100, 0}) > 0) Falta(En(en, "porcentaje"), "pasa de 100");
            opciones.push_back({Us(texto), DecimalEnFloat(porcentaje, 2)});
        }
        for (const FaltaDeOpcion& falta : FaltasDeOpciones(opciones, c.tasa))
            Falta(falta.Lugar(donde, "porcentaje"), falta.mensaje);
        b.descuentos.push_back({c.referencia, std::move(opciones)});
    }

    // The association's worked examples: each a document's ("fila") or a work type's
    // ("trabajo") fee for a quantity, of a row whose rule prices one.
    std::vector<EjemploBaremo> Ejemplos(const QJsonObject& raiz, const Baremo& b) {
        std::vector<EjemploBaremo> ejemplos;
        for (const auto& [k, valor] : Elementos(raiz, "ejemplos", {})) {
            const QString lugar = En("ejemplos", k);
            const QJsonObject o =
                Elemento(valor, lugar, {"cantidad", "cuota"}, {"fila", "trabajo"});
            EjemploBaremo e;
            e.catalogo = o.contains("trabajo") ? Catalogo::Trabajos : Catalogo::Documentos;
            const char* clave = e.catalogo == Catalogo::Trabajos ? "trabajo" : "fila";
            if (o.contains("fila") == o.contains("trabajo"))
                Falta(lugar, "lleva «fila» (un documento) o «trabajo», uno de los dos");
            else
                e.ref = Us(Texto(o, clave, lugar));
            if (const QString falta = e.ref.empty() ? QString() : FaltaDeFilaDeEjemplo(b, e);
                !falta.isEmpty())
                Falta(En(lugar, clave), falta);
            e.cantidad =
                NumeroDecimal(Valor(o, "cantidad"), En(lugar, "cantidad"), kDecimalesMaximos);
            e.cuota = Euros(Valor(o, "cuota"), En(lugar, "cuota"));
            ejemplos.push_back(std::move(e));
        }
        return ejemplos;
    }

    // What keeps the row an example names from proving anything: that there is none, or that
    // it prices no quantity of its own.
    static QString FaltaDeFilaDeEjemplo(const Baremo& b, const EjemploBaremo& e) {
        const bool trabajo = e.catalogo == Catalogo::Trabajos;
        const int fila = trabajo ? b.TablaTT.Buscar(e.ref) : b.TablaTD.Buscar(e.ref);
        if (fila == 0)
            return QString("«%1» no es %2 del baremo")
                .arg(Recortado(Qs(e.ref)), trabajo ? "un trabajo" : "una fila");
        const Regla regla = trabajo ? b.TablaTT.Fila(fila)->Tipo : b.TablaTD.Fila(fila)->Tipo;
        if (regla == Regla::SinCuota || regla == Regla::ParteDelProyecto)
            return "no tasa una cantidad propia: un documento de proyecto se comprueba con los "
                   "ejemplos de sus trabajos";
        return {};
    }

    // A schedule with work types has a project document that prices them.
    void ProyectoDeLosTrabajos(const Baremo& b) {
        if (b.TablaTT.Filas() > 0 && b.TablaTD.PrimeraDeRegla(Regla::ParteDelProyecto) == 0)
            Falta("filas",
                  "hay trabajos y ningún documento de tipo «parte_del_proyecto» que los "
                  "tase");
    }

    // Each value past what a fee may reach, at its place in this file.
    void Limites(const Baremo& b) {
        const QString marginal = En(En("tablas", marginal_), "tramos");
        const QString escalonada = En(En("tablas", escalonada_), "tramos");
        for (const auto& [limite, k] : FueraDeLimites(b)) {
            const auto en = [k](const QString& lista) { return En(lista, k); };
            const QString lugares[] = {"actualizacion",
                                       En(en(marginal), "coeficiente"),
                                       en(marginal),
                                       En(en(escalonada), "importe"),
                                       En(en("filas"), "regla"),
                                       En(en("filas"), "minimo"),
                                       En(en("trabajos"), "regla"),
                                       En(en("trabajos"), "minimo")};
            Falta(lugares[static_cast<int>(limite)], MensajeDeLimite(limite));
        }
    }
};

}  // namespace

bool EsDeCalculoEnComaFlotante(const QJsonObject& raiz) {
    return Valor(raiz, "calculo") == QJsonValue("coma_flotante");
}

LecturaBaremo LeerBaremoDeCatalogos(const QJsonObject& raiz) {
    LectorCatalogos lector;
    Baremo baremo = lector.Leer(raiz);
    if (!lector.faltas.isEmpty()) return {nullptr, lector.faltas};
    baremo.huella = HuellaDe(baremo);
    return {std::make_shared<const Baremo>(std::move(baremo)), {}};
}

}  // namespace cdv

namespace cdv {

namespace {

// The names the program gives the two tables when it writes a schedule.
constexpr const char* kTablaMarginal = "escala_dv";
constexpr const char* kTablaEscalonada = "escala_superficie";

// A JSON value's text: a number, or a string with its escapes.
std::string Cadena(const std::string& texto) {
    const QByteArray lista = QJsonDocument(QJsonArray{Qs(texto)}).toJson(QJsonDocument::Compact);
    return lista.mid(1, lista.size() - 2).toStdString();
}

// x × 10^desplazamiento as its shortest exact decimal, "0.35" for 0.0035f moved by 2; its
// shortest form in scientific notation when it has too many decimals to be read exactly.
template <typename T>
std::string Numero(T x, int desplazamiento = 0) {
    char texto[64];
    const auto fijo = std::to_chars(texto, texto + sizeof texto, x, std::chars_format::fixed);
    const auto d = fijo.ec == std::errc() ? LeerDecimal(std::string_view(texto, fijo.ptr - texto))
                                          : std::nullopt;
    if (!d) return std::string(texto, std::to_chars(texto, texto + sizeof texto, x).ptr);
    Decimal movido = *d;
    for (int k = 0; k < desplazamiento; ++k) {
        if (movido.decimales > 0) {
            --movido.decimales;
        } else {
            movido.mantisa *= 10;
        }
    }
    return TextoDecimal(movido, {".", ""});
}

using Campos = std::vector<std::pair<const char*, std::string>>;

// A new line indented to `nivel`.
std::string Renglon(int nivel) {
    std::string renglon(1 + static_cast<std::size_t>(nivel) * 4, ' ');
    renglon[0] = '\n';
    return renglon;
}

// An object of values already written, on one line or one field a line at `nivel`.
std::string Objeto(const Campos& campos, int nivel = -1) {
    std::string texto = "{";
    for (std::size_t k = 0; k < campos.size(); ++k) {
        if (k > 0) texto += nivel < 0 ? ", " : ",";
        if (nivel >= 0) texto += Renglon(nivel + 1);
        texto += Cadena(campos[k].first) + ": " + campos[k].second;
    }
    return texto + (nivel >= 0 ? Renglon(nivel) + "}" : "}");
}

// A list of values already written, each on its line at `nivel`, or on one line.
std::string Lista(const std::vector<std::string>& elementos, int nivel = -1) {
    std::string texto = "[";
    for (std::size_t k = 0; k < elementos.size(); ++k) {
        if (k > 0) texto += nivel < 0 ? ", " : ",";
        if (nivel >= 0) texto += Renglon(nivel + 1);
        texto += elementos[k];
    }
    return texto + (nivel >= 0 ? Renglon(nivel) + "]" : "]");
}

std::string Regla(Catalogo catalogo, cdv::Regla regla, float tasa) {
    const FormaDeRegla* forma = FormaDe(catalogo, regla);
    Campos campos{{"tipo", Cadena(std::string(forma->tipo))}};
    if (forma->tabla)
        campos.emplace_back(
            "tabla",
            Cadena(*forma->tabla == TipoTabla::Marginal ? kTablaMarginal : kTablaEscalonada));
    if (forma->parametro == Parametro::Precio) campos.emplace_back("precio", Numero(tasa));
    if (forma->parametro == Parametro::Porcentaje)
        campos.emplace_back("porcentaje", Numero(tasa, 2));
    return Objeto(campos);
}

std::string Descuentos(const std::vector<OpcionDescuento>& opciones) {
    std::vector<std::string> lista;
    for (const OpcionDescuento& o : opciones)
        lista.push_back(
            Objeto({{"texto", Cadena(o.texto)}, {"porcentaje", Numero(o.fraccion, 2)}}));
    return Lista(lista, 3);
}

std::string Documento(const Baremo& b, const DocumentoTD& f) {
    Campos campos{{"referencia", Cadena(f.Ref)},
                  {"descripcion", Cadena(f.Descripcion)},
                  {"regla", Regla(Catalogo::Documentos, f.Tipo, f.Tasa)},
                  {"minimo", Numero(f.Minimo)}};
    if (const auto opciones = b.DescuentosDe(f.Ref); !opciones.empty())
        campos.emplace_back("descuentos", Descuentos({opciones.begin(), opciones.end()}));
    if (!f.Comentario.empty()) campos.emplace_back("nota", Cadena(f.Comentario));
    return Objeto(campos, 2);
}

std::string Trabajo(const TrabajoTT& f) {
    Campos campos{{"referencia", Cadena(f.Ref)},
                  {"descripcion", Cadena(f.Descripcion)},
                  {"grupo", Cadena(f.Grupo)},
                  {"unidad", Cadena(f.Unidad)},
                  {"regla", Regla(Catalogo::Trabajos, f.Tipo, f.Tasa)},
                  {"minimo", Numero(f.Minimo)}};
    if (!f.Comentario.empty()) campos.emplace_back("nota", Cadena(f.Comentario));
    return Objeto(campos, 2);
}

std::string Tablas(const Baremo& b) {
    std::vector<std::string> marginal, escalonada;
    for (const TramoDV& t : b.tramosDV)
        marginal.push_back(Objeto({{"hasta", std::to_string(t.hasta)},
                                   {"coeficiente", Numero(t.factor)},
                                   {"base", Numero(t.base)}}));
    for (const ClaseSuperficie& c : b.clasesSuperficie)
        escalonada.push_back(
            Objeto({{"hasta", std::to_string(c.hasta)}, {"importe", Numero(c.importe)}}));
    return Objeto({{kTablaMarginal,
                    Objeto({{"tipo", Cadena("marginal")}, {"tramos", Lista(marginal, 3)}}, 2)},
                   {kTablaEscalonada,
                    Objeto({{"tipo", Cadena("escalonada")}, {"tramos", Lista(escalonada, 3)}}, 2)}},
                  1);
}

// Each catalogue's rows, `escribir` writing one.
template <typename Tabla, typename Escribir>
std::string Filas(const Tabla& tabla, Escribir escribir) {
    std::vector<std::string> filas;
    for (int n = 1; n <= tabla.Filas(); ++n) filas.push_back(escribir(*tabla.Fila(n)));
    return Lista(filas, 1);
}

}  // namespace

QByteArray EscribirCatalogos(const Baremo& b) {
    Campos raiz{{"formato", "2"},
                {"calculo", Cadena("coma_flotante")},
                {"nombre", Cadena(b.nombre)},
                {"vigente_desde", Cadena(b.vigenteDesde)}};
    for (const auto& [clave, texto] :
         {std::pair{"fuente", &b.fuente}, {"colegio", &b.colegio}, {"demarcacion", &b.demarcacion}})
        if (!texto->empty()) raiz.emplace_back(clave, Cadena(*texto));
    std::vector<std::string> factores;
    for (const double f : b.factores) factores.push_back(Numero(f));
    raiz.emplace_back("actualizacion", Lista(factores));
    raiz.emplace_back("tablas", Tablas(b));
    raiz.emplace_back("filas", Filas(b.TablaTD, [&b](const auto& f) { return Documento(b, f); }));
    raiz.emplace_back("trabajos", Filas(b.TablaTT, [](const auto& f) { return Trabajo(f); }));
    std::vector<std::string> iva;
    for (const TipoIva& t : b.iva)
        iva.push_back(
            Objeto({{"desde", Cadena(t.desde)},
                    {"porcentaje", TextoDecimal({std::uint64_t(t.centesimas), 2}, {".", ""})}}));
    if (!iva.empty()) raiz.emplace_back("iva", Lista(iva, 1));
    std::vector<std::string> ejemplos;
    for (const EjemploBaremo& e : b.ejemplos)
        ejemplos.push_back(
            Objeto({{e.catalogo == Catalogo::Trabajos ? "trabajo" : "fila", Cadena(e.ref)},
                    {"cantidad", TextoDecimal(e.cantidad, {".", ""})},
                    {"cuota", TextoDecimal({std::uint64_t(e.cuota), 2}, {".", ""})}}));
    if (!ejemplos.empty()) raiz.emplace_back("ejemplos", Lista(ejemplos, 1));
    return QByteArray::fromStdString(Objeto(raiz, 0) + "\n");
}

}  // namespace cdv
