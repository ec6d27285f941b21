#include "ArchivoTarifa.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include "ArchivoBaremo.h"
#include "ArchivoLocal.h"
#include "JsonEstricto.h"
#include "LectorJson.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

struct NombreDeRegla {
    const char* nombre;
    TipoRegla tipo;
};
constexpr NombreDeRegla kReglas[] = {
    {"fija", TipoRegla::Fija},
    {"por_unidad", TipoRegla::PorUnidad},
    {"porcentaje", TipoRegla::Porcentaje},
    {"tabla", TipoRegla::Tabla},
    {"ponderada", TipoRegla::Ponderada},
    {"parte_de", TipoRegla::ParteDe},
    {"deduccion", TipoRegla::Deduccion},
};

// Reads a price list's JSON, noting every fault with its place.
class LectorTarifa : public LectorJson {
  public:
    Tarifa Leer(const QJsonObject& raiz) {
        Conocidas(raiz, {}, {"formato", "colegio", "nombre", "vigente_desde", "filas"},
                  {"demarcacion", "tablas", "factores", "ejemplos", "calculo"});
        if (const QString calculo = Texto(raiz, "calculo", {});
            raiz.contains("calculo") && calculo != "exacto")
            Falta("calculo", "«" + Recortado(calculo) + "» no es «exacto» ni «coma_flotante»");
        Tarifa t;
        t.colegio = Linea(raiz, "colegio", {}, kLargoMaximoDescripcion);
        t.demarcacion = Linea(raiz, "demarcacion", {}, kLargoMaximoDescripcion);
        t.nombre = Linea(raiz, "nombre", {}, kLargoMaximoDescripcion);
        t.vigenteDesde = Fecha(raiz, "vigente_desde");
        const QJsonObject tablas = Objeto(raiz, "tablas", {});
        for (auto tabla = tablas.begin(); tabla != tablas.end(); ++tabla)
            t.tablas[Us(tabla.key())] = Tabla(tabla.value(), En("tablas", tabla.key()));
        const QJsonObject factores = Objeto(raiz, "factores", {});
        for (auto lista = factores.begin(); lista != factores.end(); ++lista)
            t.factores[Us(lista.key())] = Opciones(lista.value(), En("factores", lista.key()));
        for (const auto& [k, valor] : Elementos(raiz, "filas", {}))
            t.filas.push_back(Fila(valor, En("filas", k)));
        for (const auto& [k, valor] : Elementos(raiz, "ejemplos", {}))
            t.ejemplos.push_back(Ejemplo(valor, En("ejemplos", k)));
        t.Indexar();
        return t;
    }

  private:
    // An amount in euros, the same for every channel or {"electronica": …, "papel": …}.
    PorCanal Importe(const QJsonValue& valor, const QString& lugar) {
        if (!valor.isObject()) {
            const Centimos c = Euros(valor, lugar);
            return {c, c};
        }
        const QJsonObject canales = Elemento(valor, lugar, {"electronica", "papel"}, {});
        return {Euros(Valor(canales, "electronica"), En(lugar, "electronica")),
                Euros(Valor(canales, "papel"), En(lugar, "papel"))};
    }

    TablaTramos Tabla(const QJsonValue& valor, const QString& lugar) {
        const QJsonObject objeto = Elemento(valor, lugar, {"tipo", "tramos"}, {});
        TablaTramos tabla;
        const QString tipo = Texto(objeto, "tipo", lugar);
        if (tipo == "escalonada") {
            tabla.tipo = TipoTabla::Escalonada;
        } else if (tipo != "marginal" && objeto.contains("tipo")) {
            Falta(En(lugar, "tipo"), "«" + Recortado(tipo) + "» no es «marginal» ni «escalonada»");
        }
        const char* clave = tabla.tipo == TipoTabla::Marginal ? "coeficiente" : "importe";
        for (const auto& [k, v] : Elementos(objeto, "tramos", lugar)) {
            const QString donde = En(En(lugar, "tramos"), k);
            const QJsonObject tramo = Elemento(v, donde, {clave}, {"hasta"});
            Tramo t;
            if (tramo.contains("hasta"))
                t.hasta =
                    NumeroDecimal(Valor(tramo, "hasta"), En(donde, "hasta"), kDecimalesMaximos);
            if (tabla.tipo == TipoTabla::Marginal)
                t.coeficiente =
                    NumeroDecimal(Valor(tramo, clave), En(donde, clave), kDecimalesMaximos);
            else
                t.importe = Importe(Valor(tramo, clave), En(donde, clave));
            tabla.tramos.push_back(t);
        }
        return tabla;
    }

    std::map<std::string, Decimal> Opciones(const QJsonValue& valor, const QString& lugar) {
        if (!valor.isObject()) Falta(lugar, "no es un objeto");
        const QJsonObject objeto = valor.toObject();
        std::map<std::string, Decimal> opciones;
        for (auto o = objeto.begin(); o != objeto.end(); ++o)
            opciones[Us(o.key())] = NumeroDecimal(o.value(), En(lugar, o.key()), kDecimalesMaximos);
        return opciones;
    }

    ReglaTarifa ReglaDe(const QJsonValue& valor, const QString& lugar) {
        const QJsonObject objeto =
            Elemento(valor, lugar, {"tipo"},
                     {"importe", "precio", "porcentaje", "tabla", "factores", "fila", "anterior"});
        ReglaTarifa r;
        const QString tipo = Texto(objeto, "tipo", lugar);
        const auto conocida =
            std::find_if(std::begin(kReglas), std::end(kReglas),
                         [&](const NombreDeRegla& n) { return tipo == n.nombre; });
        if (conocida == std::end(kReglas)) {
            if (objeto.contains("tipo"))
                Falta(En(lugar, "tipo"), "«" + Recortado(tipo) + "» no es un tipo de regla");
            return r;
        }
        r.tipo = conocida->tipo;
        Parametros(objeto, lugar, r);
        return r;
    }

    // What each kind of rule needs, and nothing it does not use.
    void Parametros(const QJsonObject& objeto, const QString& lugar, ReglaTarifa& r) {
        using enum TipoRegla;
        const auto pide = [&](const char* clave, std::initializer_list<TipoRegla> tipos) {
            const bool usa = std::find(tipos.begin(), tipos.end(), r.tipo) != tipos.end();
            if (usa && !objeto.contains(clave)) Falta(lugar, clave, "falta");
            if (!usa && objeto.contains(clave)) Falta(lugar, clave, "no es de este tipo de regla");
            return usa && objeto.contains(clave);
        };
        if (pide("importe", {Fija}))
            r.importe = Importe(Valor(objeto, "importe"), En(lugar, "importe"));
        if (pide("precio", {PorUnidad, Ponderada}))
            r.precio =
                NumeroDecimal(Valor(objeto, "precio"), En(lugar, "precio"), kDecimalesMaximos);
        if (pide("porcentaje", {Porcentaje, ParteDe}))
            r.porcentaje = NumeroDecimal(Valor(objeto, "porcentaje"), En(lugar, "porcentaje"),
                                         kDecimalesMaximos);
        if (pide("tabla", {Tabla})) r.tabla = Us(Texto(objeto, "tabla", lugar));
        if (pide("fila", {ParteDe, Deduccion})) r.fila = Us(Texto(objeto, "fila", lugar));
        if (pide("anterior", {Deduccion})) r.anterior = Us(Texto(objeto, "anterior", lugar));
        if (pide("factores", {Ponderada}))
            for (const auto& [k, v] : Elementos(objeto, "factores", lugar)) {
                if (!v.isString()) Falta(En(En(lugar, "factores"), k), "no es un texto");
                r.factores.push_back(Us(v.toString()));
            }
    }

    FilaTarifa Fila(const QJsonValue& valor, const QString& lugar) {
        const QJsonObject objeto = Elemento(valor, lugar, {"referencia", "descripcion", "regla"},
                                            {"unidad", "minimo", "maximo", "recargo"});
        FilaTarifa f;
        const QString referencia = Texto(objeto, "referencia", lugar);
        Largo(referencia, lugar, "referencia", kLargoMaximoReferencia);
        f.referencia = Us(referencia);
        f.descripcion = Linea(objeto, "descripcion", lugar, kLargoMaximoDescripcion);
        f.unidad = Linea(objeto, "unidad", lugar, kLargoMaximoDescripcion);
        f.regla = ReglaDe(Valor(objeto, "regla"), En(lugar, "regla"));
        if (objeto.contains("minimo"))
            f.minimo = Importe(Valor(objeto, "minimo"), En(lugar, "minimo"));
        if (objeto.contains("maximo"))
            f.maximo = Importe(Valor(objeto, "maximo"), En(lugar, "maximo"));
        const QJsonValue recargo = Valor(objeto, "recargo");
        if (recargo.isObject() && recargo.toObject().contains("tabla"))
            f.tablaRecargo = Us(Texto(Elemento(recargo, En(lugar, "recargo"), {"tabla"}, {}),
                                      "tabla", En(lugar, "recargo")));
        else if (!recargo.isUndefined())
            f.recargo = Importe(recargo, En(lugar, "recargo"));
        return f;
    }

    EjemploTarifa Ejemplo(const QJsonValue& valor, const QString& lugar) {
        const QJsonObject objeto =
            Elemento(valor, lugar, {"fila", "cantidad", "cuota"}, {"canal", "factores"});
        EjemploTarifa e;
        e.entrada.referencia = Us(Texto(objeto, "fila", lugar));
        e.entrada.cantidad =
            NumeroDecimal(Valor(objeto, "cantidad"), En(lugar, "cantidad"), kDecimalesMaximos);
        const auto canal = objeto.contains("canal")
                               ? CanalDeClave(Us(Texto(objeto, "canal", lugar)))
                               : Canal::Electronica;
        if (!canal) Falta(En(lugar, "canal"), "no es «electronica» ni «papel»");
        e.entrada.canal = canal.value_or(Canal::Electronica);
        const QJsonObject factores = Objeto(objeto, "factores", lugar);
        for (auto f = factores.begin(); f != factores.end(); ++f)
            e.entrada.factores[Us(f.key())] = Us(f.value().toString());
        e.cuota = Importe(Valor(objeto, "cuota"), En(lugar, "cuota")).electronica;
        return e;
    }
};

// The list the root holds, checked, its examples priced.
LecturaTarifa LeerRaiz(const QJsonObject& raiz) {
    LectorTarifa lector;
    Tarifa tarifa = lector.Leer(raiz);
    if (lector.faltas.isEmpty())
        for (const std::string& f : FaltasDeTarifa(tarifa)) lector.faltas << Qs(f);
    if (lector.faltas.isEmpty())
        for (const std::string& f : EjemplosQueFallan(tarifa)) lector.faltas << Qs(f);
    if (!lector.faltas.isEmpty()) return {nullptr, lector.faltas};
    return {std::make_shared<const Tarifa>(std::move(tarifa)), {}};
}

}  // namespace

bool EsDeFormatoTarifa(const QJsonObject& raiz) {
    return Valor(raiz, "formato").toDouble() == kFormatoTarifa;
}

namespace {

// Everything the list holds, in one text, fields apart: the same list gives the same text
// whatever its file's blanks and order of keys.
class Contenido {
  public:
    std::string texto;
    void operator()(const std::string& campo) { texto.append(campo).push_back('\x1f'); }
    void operator()(const Decimal& d) {
        (*this)(std::to_string(d.mantisa) + "e-" + std::to_string(d.decimales));
    }
    void operator()(const PorCanal& p) {
        (*this)(std::to_string(p.electronica) + "/" + std::to_string(p.papel));
    }
    void operator()(const std::optional<PorCanal>& p) { p ? (*this)(*p) : (*this)("-"); }
};

std::string ContenidoDe(const Tarifa& t) {
    Contenido c;
    for (const std::string& campo : {t.colegio, t.demarcacion, t.nombre, t.vigenteDesde}) c(campo);
    for (const auto& [nombre, tabla] : t.tablas) {
        c(nombre + (tabla.tipo == TipoTabla::Marginal ? "/m" : "/e"));
        for (const Tramo& tramo : tabla.tramos) {
            tramo.hasta ? c(*tramo.hasta) : c("-");
            c(tramo.coeficiente), c(tramo.importe);
        }
    }
    for (const auto& [lista, opciones] : t.factores) {
        c(lista);
        for (const auto& [opcion, valor] : opciones) c(opcion), c(valor);
    }
    for (const FilaTarifa& f : t.filas) {
        const ReglaTarifa& r = f.regla;
        for (const std::string& campo :
             {f.referencia, f.descripcion, f.unidad, r.tabla, r.fila, r.anterior, f.tablaRecargo})
            c(campo);
        c(std::to_string(static_cast<int>(r.tipo))), c(r.importe), c(r.precio), c(r.porcentaje);
        for (const std::string& lista : r.factores) c(lista);
        c(f.minimo), c(f.maximo), c(f.recargo);
    }
    for (const EjemploTarifa& e : t.ejemplos) {
        c(e.entrada.referencia), c(e.entrada.cantidad);
        c(std::string(ClaveCanal(e.entrada.canal))), c(std::to_string(e.cuota));
        for (const auto& [lista, opcion] : e.entrada.factores) c(lista), c(opcion);
    }
    return std::move(c.texto);
}

}  // namespace

LecturaBaremo LeerBaremoDeTarifa(const QJsonObject& raiz, const QByteArray& datos) {
    LecturaTarifa lectura = LeerRaiz(raiz);
    if (!lectura.tarifa) return {nullptr, lectura.faltas};
    const Tarifa& t = *lectura.tarifa;
    Baremo b;
    b.nombre = t.nombre;
    b.vigenteDesde = t.vigenteDesde;
    b.colegio = t.colegio;
    b.demarcacion = t.demarcacion;
    std::vector<DocumentoTD> documentos;
    documentos.reserve(t.filas.size());
    for (const FilaTarifa& fila : t.filas)
        documentos.push_back(
            {fila.referencia, fila.descripcion, Regla::SegunTarifa, 0, 0, {}, fila.unidad});
    b.TablaTD = TablaDocumentos(std::move(documentos));
    b.huella =
        QCryptographicHash::hash(QByteArray::fromStdString(ContenidoDe(t)), QCryptographicHash::Md5)
            .toHex()
            .toStdString();
    b.textoTarifa = datos.toStdString();
    b.tarifa = std::move(lectura.tarifa);
    return {std::make_shared<const Baremo>(std::move(b)), {}};
}

}  // namespace cdv
