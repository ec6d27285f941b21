#include "ArchivoSolicitud.h"

#include <QCryptographicHash>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <tuple>

#include "ArchivoBaremo.h"
#include "Cuotas.h"
#include "JsonEstricto.h"
#include "TextoLocal.h"

namespace cdv {

namespace {

QString TextoCuota(Centimos cuota) {
    return Qs(TextoSimple(cuota, kSeparadoresArchivo));
}

QJsonObject PartidaJson(const Baremo& baremo, const Linea& partida) {
    const TrabajoTT& trabajo = *baremo.TablaTT.Fila(partida.fila);
    return {{"referencia", Qs(trabajo.Ref)},
            {"descripcion", Qs(trabajo.Descripcion)},
            {"cantidad", partida.cantidad},
            {"unidad", Qs(UnidadTrabajo(trabajo))},
            {"cuota", TextoCuota(partida.cuota)}};
}

QJsonArray PartidasJson(const Baremo& baremo, const std::vector<LineaCompartida>& partidas) {
    QJsonArray lista;
    for (const LineaCompartida& partida : partidas) lista.append(PartidaJson(baremo, *partida));
    return lista;
}

QJsonObject DocumentoJson(const Baremo& baremo, const Linea& linea) {
    const DocumentoTD& documento = *baremo.TablaTD.Fila(linea.fila);
    QJsonObject objeto{{"referencia", Qs(documento.Ref)},
                       {"descripcion", Qs(documento.Descripcion)},
                       {"nota", Qs(documento.Comentario).replace('\r', '\n')},
                       {"cuota", TextoCuota(linea.cuota)}};
    if (!linea.factores.empty()) {
        QJsonObject factores;
        for (const auto& [lista, opcion] : linea.factores) factores[Qs(lista)] = Qs(opcion);
        objeto["factores"] = factores;
    }
    if (documento.Tipo == Regla::ParteDelProyecto) {
        const auto opciones = baremo.DescuentosDe(documento.Ref);
        if (!opciones.empty()) {
            objeto["descuento"] = Qs(opciones[static_cast<std::size_t>(linea.opcion)].texto);
        }
        objeto["partidas"] = PartidasJson(baremo, linea.partidas);
    } else {
        objeto["cantidad"] = linea.cantidad;
        objeto["unidad"] = Qs(UnidadDocumento(documento));
    }
    return objeto;
}

// The keys of the options chosen for "P" and "PB", as files have always had them; any other
// document's option goes in the project's "descuentos", under its reference.
constexpr std::pair<std::string_view, const char*> kClavesDeOpcion[] = {
    {kRefProyecto, "descuentoProyecto"}, {kRefProyectoBasico, "descuentoProyectoBasico"}};

const char* ClaveDeOpcion(std::string_view ref) {
    for (const auto& [conocida, clave] : kClavesDeOpcion)
        if (ref == conocida) return clave;
    return nullptr;
}

// The options chosen for the project under way, by the keys above.
void OpcionesJson(const ContenidoSolicitud& contenido, QJsonObject& proyecto) {
    QJsonObject otros;
    for (const DescuentosDeDocumento& d : contenido.baremo->descuentos) {
        const int opcion = OpcionDe(contenido.opciones, d.ref);
        const QString texto = Qs(d.opciones[static_cast<std::size_t>(opcion)].texto);
        if (const char* clave = ClaveDeOpcion(d.ref))
            proyecto[clave] = texto;
        else
            otros[Qs(d.ref)] = texto;
    }
    if (!otros.isEmpty()) proyecto["descuentos"] = otros;
}

LecturaSolicitud Rechazada(const QString& error) {
    LecturaSolicitud lectura;
    lectura.error = error;
    return lectura;
}

// Reading: the first fault found ends it, with where it is and what it is.
struct Fallo {
    QString texto;
};
// Reading stopped by whoever watches it.
struct Detenida {};

QString Donde(const QString& lugar, const QString& ref) {
    return ref.isEmpty() ? lugar : QString("%1 (%2)").arg(lugar, ref);
}

class Lector {
  public:
    Lector(const Baremo& baremo, const Progreso& progreso) : baremo_(baremo), progreso_(progreso) {}

    QStringList cambios;
    QStringList otroSentido;

    ContenidoSolicitud Leer(const QJsonObject& raiz) {
        ComprobarFormato(raiz["formato"]);
        ContenidoSolicitud contenido;
        contenido.trabajo = TextoOpcional(raiz, "trabajo");
        contenido.colegiado = TextoOpcional(raiz, "colegiado");
        contenido.expediente = TextoOpcional(raiz, "expediente", kLargoMaximoExpediente);
        canal_ = LeerCanal(raiz["canal"]);
        contenido.canal = canal_;
        const QJsonArray documentos = Lista(raiz, "documentos", "la solicitud");
        Centimos total = 0;
        for (qsizetype k = 0; k < documentos.size(); ++k) {
            if (!Seguir(progreso_, k, documentos.size())) throw Detenida{};
            contenido.documentos.push_back(
                Documento(documentos[k], QString("documento %1").arg(k + 1)));
            total = Sumar(total, contenido.documentos.back()->cuota, "la solicitud");
        }
        const QJsonValue proyecto = raiz["proyecto"];
        if (!proyecto.isUndefined()) {
            if (!proyecto.isObject()) throw Fallo{"el proyecto en curso no es un objeto"};
            const QJsonObject p = proyecto.toObject();
            contenido.partidas =
                Partidas(p, "el proyecto en curso", "partida %1 del proyecto en curso");
            if (!SumaDe(contenido.partidas)) {
                throw Fallo{"el total del proyecto en curso es demasiado grande"};
            }
            contenido.opciones = Opciones(p);
        }
        return contenido;
    }

    static OrigenSolicitud Origen(const QJsonObject& raiz) {
        const QJsonValue sesion = raiz["sesion"];
        if (sesion.isUndefined()) return {};
        if (!sesion.isObject()) throw Fallo{"«sesion» no es un objeto"};
        const QJsonObject s = sesion.toObject();
        constexpr qsizetype kLargoRuta = 4096;
        return {TextoOpcional(s, "archivo", kLargoRuta, false),
                TextoOpcional(s, "huella").toLatin1()};
    }

  private:
    static Canal LeerCanal(const QJsonValue& valor) {
        if (valor.isUndefined()) return Canal::Electronica;
        const auto canal = valor.isString() ? CanalDeClave(Us(valor.toString())) : std::nullopt;
        if (!canal) throw Fallo{"«canal» no es «electronica» ni «papel»"};
        return *canal;
    }

    // The options a price list's row was priced with; the row's own lists say which it needs.
    static Factores LeerFactores(const QJsonObject& objeto, const QString& lugar) {
        const QJsonValue valor = objeto["factores"];
        if (valor.isUndefined()) return {};
        if (!valor.isObject()) throw Fallo{lugar + ": «factores» no es un objeto"};
        const QJsonObject lista = valor.toObject();
        Factores factores;
        for (auto f = lista.begin(); f != lista.end(); ++f) {
            if (f.key().size() > kLargoMaximoDescripcion)
                throw Fallo{lugar + ": un nombre de «factores» es demasiado largo"};
            factores[Us(f.key())] = Us(
                Texto(lista, Us(f.key()).c_str(), lugar + ", factores", kLargoMaximoDescripcion));
        }
        return factores;
    }

    static void ComprobarFormato(const QJsonValue& formato) {
        if (formato.isUndefined())
            throw Fallo{"no es una solicitud de visado (falta su número de formato)"};
        if (!formato.isDouble() || formato.toDouble() != formato.toInt() || formato.toInt() < 1)
            throw Fallo{"su número de formato («formato») no es un entero positivo"};
        if (formato.toInt() > kFormatoArchivo) {
            throw Fallo{QString("es de un formato más reciente (%1) que el que lee este programa "
                                "(%2)")
                            .arg(formato.toInt())
                            .arg(kFormatoArchivo)};
        }
    }

    static QJsonArray Lista(const QJsonObject& objeto, const char* clave, const QString& de) {
        const QJsonValue valor = objeto[clave];
        if (valor.isUndefined()) return {};
        if (!valor.isArray()) throw Fallo{QString("«%1» de %2 no es una lista").arg(clave, de)};
        return valor.toArray();
    }

    // A text of at most `largo` characters.
    static QString Texto(const QJsonObject& objeto, const char* clave, const QString& lugar,
                         qsizetype largo = kLargoMaximoCantidad) {
        const QJsonValue valor = objeto[clave];
        if (!valor.isString())
            throw Fallo{QString("%1: falta «%2» o no es un texto").arg(lugar, clave)};
        if (valor.toString().size() > largo) {
            throw Fallo{QString("%1: «%2» es demasiado largo (más de %3 caracteres)")
                            .arg(lugar, clave)
                            .arg(largo)};
        }
        return valor.toString();
    }

    // A text that may be missing; one of the statement's heading (`unaLinea`) has no
    // character that could lay out another line there.
    static QString TextoOpcional(const QJsonObject& objeto, const char* clave,
                                 qsizetype largo = kLargoMaximoTexto, bool unaLinea = true) {
        const QJsonValue valor = objeto[clave];
        if (valor.isUndefined()) return {};
        if (!valor.isString()) throw Fallo{QString("«%1» no es un texto").arg(clave)};
        const QString texto = Texto(objeto, clave, "la solicitud", largo);
        if (const QString impropio = CaracterImpropio(texto); unaLinea && !impropio.isEmpty())
            throw Fallo{QString("«%1» tiene %2").arg(clave, impropio)};
        return texto;
    }

    // The total so far with one more fee, checked as it grows.
    static Centimos Sumar(Centimos total, Centimos cuota, const QString& de) {
        const auto suma = SumaCentimos(total, cuota);
        if (!suma) throw Fallo{QString("el total de %1 es demasiado grande").arg(de)};
        return *suma;
    }

    // The options chosen for the project under way; a document's only when it offers them.
    OpcionesElegidas Opciones(const QJsonObject& proyecto) const {
        OpcionesElegidas opciones;
        for (const auto& [ref, clave] : kClavesDeOpcion)
            Elegir(opciones, ref, Opcion(proyecto[clave], ref));
        const QJsonValue otros = proyecto["descuentos"];
        if (!otros.isUndefined() && !otros.isObject())
            throw Fallo{"«descuentos» del proyecto en curso no es un objeto"};
        const QJsonObject porReferencia = otros.toObject();
        for (auto k = porReferencia.begin(); k != porReferencia.end(); ++k) {
            const std::string ref = Us(k.key());
            if (ClaveDeOpcion(ref) != nullptr)
                throw Fallo{
                    QString("el descuento de «%1» va en «%2»").arg(Qs(ref), ClaveDeOpcion(ref))};
            Elegir(opciones, ref, Opcion(k.value(), ref));
        }
        return opciones;
    }

    int Opcion(const QJsonValue& valor, std::string_view ref) const {
        if (valor.isUndefined()) return 0;
        const auto opciones = baremo_.DescuentosDe(ref);
        for (std::size_t k = 0; k < opciones.size(); ++k) {
            if (valor.toString() == Qs(opciones[k].texto)) return static_cast<int>(k);
        }
        throw Fallo{QString("el descuento «%1» no existe para «%2»")
                        .arg(Recortado(valor.toString()), Recortado(Qs(ref)))};
    }

    // The saved fee against the schedule's: the schedule's stands, and any change is told.
    void Comparar(const QJsonObject& objeto, const Linea& linea, const QString& lugar) {
        const QString guardada = Texto(objeto, "cuota", lugar);
        const auto centimos = LeerCentimos(Us(guardada), kSeparadoresArchivo);
        if (!centimos)
            throw Fallo{QString("%1: la cuota «%2» no es un importe").arg(lugar, guardada)};
        if (*centimos == linea.cuota) return;
        const Separadores s = SeparadoresActuales();
        cambios << QString("%1: %2 → %3 €")
                       .arg(lugar, Qs(TextoFormateado(*centimos, s)),
                            Qs(TextoFormateado(linea.cuota, s)));
    }

    // A line's object, where it stands (its place and reference) and its catalogue row.
    struct Entrada {
        QJsonObject objeto;
        QString donde;
        int fila;
    };

    LineaCompartida Tasada(const Tasacion& tasacion, const Entrada& e, std::string_view descripcion,
                           std::string_view unidad) {
        if (!tasacion.linea) throw Fallo{e.donde + ": " + tasacion.motivo};
        auto linea = std::make_shared<Linea>(*tasacion.linea);
        linea->antes = Sentido(e, descripcion, unidad);
        Comparar(e.objeto, *linea, e.donde);
        return linea;
    }

    // What the line was saved as, when the schedule's row now says otherwise: the reference
    // means something else there. Empty when it says the same, or the file says nothing.
    QString Sentido(const Entrada& e, std::string_view descripcion, std::string_view unidad) {
        QStringList guardado, ahora;
        for (const auto& [clave, actual] :
             {std::pair{"descripcion", descripcion}, std::pair{"unidad", unidad}}) {
            if (!e.objeto.contains(clave)) continue;
            const QString texto = Texto(e.objeto, clave, e.donde, kLargoMaximoDescripcion);
            if (texto == Qs(actual)) continue;
            guardado << texto;
            ahora << Qs(actual);
        }
        if (guardado.isEmpty()) return {};
        const QString antes = guardado.join(", ");
        otroSentido << QString("%1: guardado como «%2»; en este baremo, «%3»")
                           .arg(e.donde, antes, ahora.join(", "));
        return antes;
    }

    template <typename Tabla>
    static Entrada Abrir(const QJsonValue& valor, const QString& lugar, const Tabla& tabla) {
        if (!valor.isObject()) throw Fallo{lugar + ": no es un objeto"};
        const QJsonObject objeto = valor.toObject();
        const QString ref = Texto(objeto, "referencia", lugar, kLargoMaximoReferencia);
        const int fila = tabla.Buscar(Us(ref));
        if (fila == 0) {
            throw Fallo{QString("%1: la referencia «%2» no está en el baremo").arg(lugar, ref)};
        }
        return {objeto, Donde(lugar, ref), fila};
    }

    LineaCompartida Partida(const QJsonValue& valor, const QString& lugar) {
        const Entrada e = Abrir(valor, lugar, baremo_.TablaTT);
        const TrabajoTT& fila = *baremo_.TablaTT.Fila(e.fila);
        return Tasada(TasarPartida(baremo_, e.fila, Texto(e.objeto, "cantidad", e.donde)), e,
                      fila.Descripcion, UnidadTrabajo(fila));
    }

    // `lugar` names each item, with %1 for its number.
    std::vector<LineaCompartida> Partidas(const QJsonObject& objeto, const QString& de,
                                          const QString& lugar) {
        std::vector<LineaCompartida> partidas;
        const QJsonArray lista = Lista(objeto, "partidas", de);
        for (qsizetype k = 0; k < lista.size(); ++k) {
            partidas.push_back(Partida(lista[k], QString(lugar).arg(k + 1)));
        }
        return partidas;
    }

    LineaCompartida Documento(const QJsonValue& valor, const QString& lugar) {
        const Entrada e = Abrir(valor, lugar, baremo_.TablaTD);
        const DocumentoTD& fila = *baremo_.TablaTD.Fila(e.fila);
        if (fila.Tipo == Regla::ParteDelProyecto) {
            std::vector<LineaCompartida> partidas =
                Partidas(e.objeto, e.donde, e.donde + ", partida %1");
            const int opcion = Opcion(e.objeto["descuento"], fila.Ref);
            return Tasada(TasarProyecto(baremo_, e.fila, std::move(partidas), opcion), e,
                          fila.Descripcion, {});
        }
        if (e.objeto.contains("partidas"))
            throw Fallo{e.donde + ": no es un proyecto y trae partidas"};
        const QString cantidad = e.objeto.contains("cantidad") || fila.Tipo != Regla::SegunTarifa
                                     ? Texto(e.objeto, "cantidad", e.donde)
                                     : QString();
        return Tasada(
            TasarDocumento(baremo_, e.fila, cantidad, canal_, LeerFactores(e.objeto, e.donde)), e,
            fila.Descripcion, UnidadDocumento(fila));
    }

    const Baremo& baremo_;
    Canal canal_ = Canal::Electronica;
    const Progreso& progreso_;
};

}  // namespace

QByteArray EscribirSolicitud(const ContenidoSolicitud& contenido, const OrigenSolicitud& origen) {
    QJsonArray documentos;
    for (const LineaCompartida& linea : contenido.documentos)
        documentos.append(DocumentoJson(*contenido.baremo, *linea));
    QJsonObject proyecto{{"partidas", PartidasJson(*contenido.baremo, contenido.partidas)}};
    OpcionesJson(contenido, proyecto);
    const Baremo& b = *contenido.baremo;
    QJsonObject baremo{
        {"nombre", Qs(b.nombre)}, {"vigente_desde", Qs(b.vigenteDesde)}, {"huella", Qs(b.huella)}};
    if (!b.colegio.empty()) baremo["colegio"] = Qs(b.colegio);
    if (!b.demarcacion.empty()) baremo["demarcacion"] = Qs(b.demarcacion);
    QJsonObject raiz{{"formato", kFormatoArchivo},
                     {"programa", "CDV"},
                     {"trabajo", contenido.trabajo},
                     {"colegiado", contenido.colegiado},
                     {"expediente", contenido.expediente},
                     {"documentos", documentos},
                     {"proyecto", proyecto},
                     {"baremo", baremo}};
    if (b.tarifa) raiz["canal"] = Qs(ClaveCanal(contenido.canal));
    if (!origen.archivo.isEmpty()) {
        raiz["sesion"] = QJsonObject{{"archivo", origen.archivo},
                                     {"huella", QString::fromLatin1(origen.huella)}};
    }
    return QJsonDocument(raiz).toJson(QJsonDocument::Compact);
}

QByteArray Huella(const QByteArray& datos) {
    return QCryptographicHash::hash(datos, QCryptographicHash::Sha256).toHex();
}

namespace {

// The request's object in `datos`; nothing, with why, when it is none.
std::optional<QJsonObject> ObjetoSolicitud(const QByteArray& datos, QString& error) {
    error = ComprobarJson(std::string_view(datos.constData(), datos.size())).falta;
    if (!error.isEmpty()) return std::nullopt;
    QJsonParseError analisis;
    const QJsonDocument documento = QJsonDocument::fromJson(datos, &analisis);
    if (analisis.error != QJsonParseError::NoError) {
        error = QString("no es JSON válido, o está incompleto (carácter %1)").arg(analisis.offset);
        return std::nullopt;
    }
    if (!documento.isObject()) {
        error = "no es una solicitud de visado";
        return std::nullopt;
    }
    return documento.object();
}

LecturaSolicitud LeerObjeto(const QJsonObject& raiz, const QByteArray& datos,
                            std::shared_ptr<const Baremo> baremo, const Progreso& progreso = {}) {
    Lector lector(*baremo, progreso);
    try {
        LecturaSolicitud lectura;
        lectura.contenido = lector.Leer(raiz);
        lectura.contenido->baremo = std::move(baremo);
        lectura.cambios = lector.cambios;
        lectura.otroSentido = lector.otroSentido;
        lectura.origen = Lector::Origen(raiz);
        lectura.huella = Huella(datos);
        return lectura;
    } catch (const Fallo& fallo) {
        return Rechazada(fallo.texto);
    } catch (const Detenida&) {
        LecturaSolicitud lectura = Rechazada("detenida");
        lectura.detenida = true;
        return lectura;
    }
}

// The schedule a request records, if it is among `baremos` (a request that records none was
// priced with the built-in one); otherwise nothing.
std::shared_ptr<const Baremo> BaremoRegistrado(const QJsonObject& raiz, const Baremos& baremos) {
    const QJsonValue registro = raiz["baremo"];
    if (registro.isUndefined()) return baremos.Hallados().front().Baremo();
    if (!registro.isObject()) throw Fallo{"«baremo» no es un objeto"};
    for (const char* clave : {"nombre", "vigente_desde", "huella"})
        if (!registro[clave].isString())
            throw Fallo{QString("«baremo»: falta «%1» o no es un texto").arg(clave)};
    const QJsonObject r = registro.toObject();
    return baremos.ConHuella(Us(r["huella"].toString()), Us(r["nombre"].toString()),
                             Us(r["vigente_desde"].toString()));
}

}  // namespace

LecturaSolicitud LeerSolicitud(const QByteArray& datos, const Baremos& baremos,
                               const Progreso& progreso) {
    QString error;
    const std::optional<QJsonObject> raiz = ObjetoSolicitud(datos, error);
    if (!raiz) return Rechazada(error);
    std::shared_ptr<const Baremo> baremo;
    try {
        baremo = BaremoRegistrado(*raiz, baremos);
    } catch (const Fallo& fallo) {
        return Rechazada(fallo.texto);
    }
    const bool disponible = baremo != nullptr;
    // Without its own schedule, that of its association in force today.
    const QJsonObject registro = (*raiz)["baremo"].toObject();
    const std::string colegio =
        ClaveColegio(Us(registro["colegio"].toString().left(kLargoMaximoDescripcion)),
                     Us(registro["demarcacion"].toString().left(kLargoMaximoDescripcion)));
    LecturaSolicitud lectura =
        LeerObjeto(*raiz, datos, disponible ? baremo : baremos.EnVigor(Hoy(), colegio), progreso);
    lectura.baremoDisponible = disponible;
    if (!disponible) {
        const QDate fecha = FechaDeArchivo(registro["vigente_desde"].toString());
        lectura.baremoRegistrado =
            QString("«%1» del %2")
                .arg(registro["nombre"].toString().left(kLargoMaximoDescripcion),
                     fecha.isValid() ? FechaDiaMesAno(fecha) : "?");
        if (!colegio.empty()) lectura.baremoRegistrado += ", de " + Qs(colegio);
    }
    return lectura;
}

LecturaSolicitud LeerSolicitudCon(const QByteArray& datos, std::shared_ptr<const Baremo> baremo) {
    QString error;
    const std::optional<QJsonObject> raiz = ObjetoSolicitud(datos, error);
    return raiz ? LeerObjeto(*raiz, datos, std::move(baremo)) : Rechazada(error);
}

QString GuardarSolicitud(const QString& ruta, const QByteArray& datos, Acceso acceso) {
    if (datos.size() > kTamanoMaximoArchivo) {
        return QString(
                   "la solicitud ocuparía %1 MB, más de los %2 MB que este programa puede "
                   "abrir de nuevo")
            .arg((datos.size() + (1 << 20) - 1) >> 20)
            .arg(kTamanoMaximoArchivo >> 20);
    }
    return GuardarArchivo(ruta, datos, acceso);
}

QByteArray HuellaDeArchivo(const QString& ruta) {
    const LecturaArchivo lectura = LeerArchivo(ruta, kTamanoMaximoArchivo);
    return lectura.datos ? Huella(*lectura.datos) : QByteArray();
}

LecturaSolicitud AbrirArchivo(const QString& ruta, const Baremos& baremos,
                              const Progreso& progreso) {
    const LecturaArchivo lectura = LeerArchivo(ruta, kTamanoMaximoArchivo);
    if (!lectura.datos) return Rechazada(lectura.error);
    return LeerSolicitud(*lectura.datos, baremos, progreso);
}

}  // namespace cdv
