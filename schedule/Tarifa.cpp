#include "Tarifa.h"

#include <algorithm>
#include <set>

namespace cdv {

namespace {

// x × p %, exactly: p hundredths.
std::optional<Exacto> PorCiento(const std::optional<Exacto>& x, Decimal p) {
    const auto producto = x ? x->Por(p) : std::nullopt;
    return producto ? producto->Por({1, 2}) : std::nullopt;
}

std::string Dinero(Centimos c, const Separadores& s) {
    return TextoFormateado(c, s);
}

// The fee of a row, computed exactly and rounded where its rule says, each step written down.
class Tasador {
  public:
    // `pasos`: where the steps go; none, when only the fee is wanted.
    Tasador(const Tarifa& tarifa, const EntradaTarifa& entrada, const Separadores& s,
            std::vector<std::string>* pasos)
        : tarifa_(tarifa), entrada_(entrada), s_(s), pasos_(pasos) {}

    const std::string& Motivo() const { return motivo_; }

    std::optional<Centimos> Cuota(std::string_view referencia, int profundidad) {
        const FilaTarifa* fila = tarifa_.Fila(referencia);
        if (fila == nullptr)
            return Rechazo("no hay ninguna fila «" + std::string(referencia) + "»");
        if (profundidad > static_cast<int>(tarifa_.filas.size()))
            return Rechazo("la fila «" + fila->referencia + "» se refiere a sí misma");
        std::optional<Centimos> cuota = SegunRegla(*fila, profundidad);
        if (!cuota) return std::nullopt;
        return Limites(*fila, *cuota);
    }

  private:
    std::optional<Centimos> Rechazo(const std::string& motivo) {
        motivo_ = motivo;
        return std::nullopt;
    }
    // A step, its text made only when the steps are asked for.
    template <typename Texto>
    void Paso(const Texto& texto) {
        if (pasos_ != nullptr) pasos_->push_back(texto());
    }
    std::optional<Centimos> Redondeada(const std::optional<Exacto>& exacto) {
        const auto cuota = exacto ? exacto->AlCentimo() : std::nullopt;
        if (!cuota) return Rechazo("la cuota pasa del importe más alto que se guarda");
        Paso([&] { return std::string("Redondeada al céntimo: " + Dinero(*cuota, s_)); });
        return cuota;
    }
    std::string Cifra(Decimal d) const { return TextoDecimal(d, s_); }

    std::optional<Centimos> SegunRegla(const FilaTarifa& fila, int profundidad) {
        const ReglaTarifa& r = fila.regla;
        const Decimal q = entrada_.cantidad;
        switch (r.tipo) {
            case TipoRegla::Fija:
                Paso([&] {
                    return std::string("Importe fijo (" + std::string(NombreCanal(entrada_.canal)) +
                                       "): " + Dinero(r.importe.En(entrada_.canal), s_));
                });
                return r.importe.En(entrada_.canal);
            case TipoRegla::PorUnidad:
                Paso([&] { return std::string(Cifra(q) + " × " + Cifra(r.precio) + " €"); });
                return Redondeada(Exacto::De(q).Por(r.precio));
            case TipoRegla::Porcentaje:
                Paso([&] { return std::string(Cifra(q) + " × " + Cifra(r.porcentaje) + " %"); });
                return Redondeada(PorCiento(Exacto::De(q), r.porcentaje));
            case TipoRegla::Tabla:
                return Tabla(tarifa_.tablas.at(r.tabla), r.tabla);
            case TipoRegla::Ponderada:
                return Ponderada(r);
            case TipoRegla::ParteDe:
                return ParteDe(r, profundidad);
            case TipoRegla::Deduccion:
                return Deduccion(r, profundidad);
        }
        return std::nullopt;
    }

    std::optional<Centimos> Tabla(const TablaTramos& tabla, const std::string& nombre) {
        const Decimal q = entrada_.cantidad;
        if (tabla.tipo == TipoTabla::Escalonada) {
            const Tramo& tramo = TramoDe(tabla, q);
            const Centimos importe = tramo.importe.En(entrada_.canal);
            Paso([&] {
                return std::string("Tabla «" + nombre + "», tramo " +
                                   (tramo.hasta ? "hasta " + Cifra(*tramo.hasta) : "último") +
                                   " (" + std::string(NombreCanal(entrada_.canal)) +
                                   "): " + Dinero(importe, s_));
            });
            return importe;
        }
        std::optional<Exacto> suma = Exacto::De({});
        Decimal desde{};
        for (const Tramo& tramo : tabla.tramos) {
            if (Comparar(q, desde) <= 0) break;
            const Decimal tope = tramo.hasta && Comparar(q, *tramo.hasta) > 0 ? *tramo.hasta : q;
            const Decimal parte = *Restar(tope, desde);
            Paso([&] {
                return std::string("Tabla «" + nombre + "», de " + Cifra(desde) + " a " +
                                   Cifra(tope) + ": " + Cifra(parte) + " × " +
                                   Cifra(tramo.coeficiente));
            });
            const auto producto = Exacto::De(parte).Por(tramo.coeficiente);
            suma = suma && producto ? suma->Mas(*producto) : std::nullopt;
            if (!tramo.hasta) break;
            desde = *tramo.hasta;
        }
        return Redondeada(suma);
    }

    std::optional<Centimos> Ponderada(const ReglaTarifa& r) {
        std::optional<Exacto> valor = Exacto::De(entrada_.cantidad);
        std::string producto = pasos_ != nullptr ? Cifra(entrada_.cantidad) : std::string();
        for (const std::string& lista : r.factores) {
            const auto& opciones = tarifa_.factores.at(lista);
            const auto elegida = entrada_.factores.find(lista);
            const auto opcion = elegida == entrada_.factores.end() ? opciones.end()
                                                                   : opciones.find(elegida->second);
            if (opcion == opciones.end()) {
                std::string cuales;
                for (const auto& [nombre, _] : opciones)
                    cuales += (cuales.empty() ? "" : ", ") + nombre;
                return Rechazo("falta elegir «" + lista + "» (" + cuales + ")");
            }
            Paso([&] {
                return std::string(lista + ": " + opcion->first + " (" + Cifra(opcion->second) +
                                   ")");
            });
            valor = valor ? valor->Por(opcion->second) : std::nullopt;
            if (pasos_ != nullptr) producto += " × " + Cifra(opcion->second);
        }
        Paso([&] { return std::string(producto + " × " + Cifra(r.precio) + " €"); });
        return Redondeada(valor ? valor->Por(r.precio) : std::nullopt);
    }

    std::optional<Centimos> ParteDe(const ReglaTarifa& r, int profundidad) {
        const std::optional<Centimos> otra = Cuota(r.fila, profundidad + 1);
        if (!otra) return std::nullopt;
        Paso([&] {
            return std::string(Cifra(r.porcentaje) + " % de la cuota de " + r.fila + " (" +
                               Dinero(*otra, s_) + ")");
        });
        return Redondeada(PorCiento(Exacto::DeCentimos(*otra), r.porcentaje));
    }

    std::optional<Centimos> Deduccion(const ReglaTarifa& r, int profundidad) {
        const std::optional<Centimos> total = Cuota(r.fila, profundidad + 1);
        const std::optional<Centimos> anterior =
            total ? Cuota(r.anterior, profundidad + 1) : std::nullopt;
        if (!anterior) return std::nullopt;
        const Centimos cuota = std::max<Centimos>(*total - *anterior, 0);
        Paso([&] {
            return std::string("Cuota de " + r.fila + " (" + Dinero(*total, s_) + ") menos la de " +
                               r.anterior + " (" + Dinero(*anterior, s_) +
                               "): " + Dinero(cuota, s_));
        });
        return cuota;
    }

    Centimos Limites(const FilaTarifa& fila, Centimos cuota) {
        const std::string canal = " (" + std::string(NombreCanal(entrada_.canal)) + ")";
        if (fila.minimo && cuota < fila.minimo->En(entrada_.canal)) {
            cuota = fila.minimo->En(entrada_.canal);
            Paso([&] { return std::string("Mínimo" + canal + ": " + Dinero(cuota, s_)); });
        }
        if (fila.maximo && cuota > fila.maximo->En(entrada_.canal)) {
            cuota = fila.maximo->En(entrada_.canal);
            Paso([&] { return std::string("Máximo" + canal + ": " + Dinero(cuota, s_)); });
        }
        Centimos recargo = fila.recargo.En(entrada_.canal);
        if (!fila.tablaRecargo.empty())
            recargo = TramoDe(tarifa_.tablas.at(fila.tablaRecargo), entrada_.cantidad)
                          .importe.En(entrada_.canal);
        if (recargo != 0) {
            cuota += recargo;
            Paso([&] { return std::string("Recargo" + canal + ": " + Dinero(recargo, s_)); });
        }
        return cuota;
    }

    static const Tramo& TramoDe(const TablaTramos& tabla, Decimal q) {
        for (const Tramo& tramo : tabla.tramos) {
            if (!tramo.hasta || Comparar(q, *tramo.hasta) <= 0) return tramo;
        }
        return tabla.tramos.back();
    }

    const Tarifa& tarifa_;
    const EntradaTarifa& entrada_;
    const Separadores& s_;
    std::vector<std::string>* pasos_;
    std::string motivo_;
};

}  // namespace

void Tarifa::Indexar() {
    indice.clear();
    for (std::size_t k = 0; k < filas.size(); ++k) indice.emplace(filas[k].referencia, k);
}

const FilaTarifa* Tarifa::Fila(std::string_view referencia) const {
    const auto fila = indice.find(referencia);
    return fila == indice.end() ? nullptr : &filas[fila->second];
}

TasacionTarifa Tasar(const Tarifa& tarifa, const EntradaTarifa& entrada, const Separadores& s,
                     bool conPasos) {
    TasacionTarifa tasacion;
    Tasador tasador(tarifa, entrada, s, conPasos ? &tasacion.pasos : nullptr);
    tasacion.cuota = tasador.Cuota(entrada.referencia, 0);
    tasacion.motivo = tasador.Motivo();
    if (tasacion.cuota && conPasos)
        tasacion.pasos.push_back("Cuota: " + Dinero(*tasacion.cuota, s));
    return tasacion;
}

}  // namespace cdv

namespace cdv {

namespace {

std::string En(const std::string& lugar, std::size_t indice) {
    return lugar + "[" + std::to_string(indice) + "]";
}

void FaltasDeTabla(const std::string& nombre, const TablaTramos& tabla,
                   std::vector<std::string>& faltas) {
    const std::string lugar = "tablas." + nombre + ".tramos";
    if (tabla.tramos.empty()) faltas.push_back(lugar + ": no tiene tramos");
    for (std::size_t k = 0; k < tabla.tramos.size(); ++k) {
        const auto& hasta = tabla.tramos[k].hasta;
        const bool ultimo = k + 1 == tabla.tramos.size();
        if (!hasta && !ultimo)
            faltas.push_back(En(lugar, k) + ": solo el último tramo puede no tener «hasta»");
        if (hasta && k > 0 && tabla.tramos[k - 1].hasta &&
            Comparar(*hasta, *tabla.tramos[k - 1].hasta) <= 0)
            faltas.push_back(En(lugar, k) +
                             ": «hasta» no pasa del tramo anterior (tramos "
                             "desordenados o solapados)");
        if (hasta && k == 0 && hasta->mantisa == 0)
            faltas.push_back(En(lugar, k) + ": el primer tramo no puede acabar en 0");
    }
}

// Rows that refer to rows (add-ons, deductions): none may reach itself.
std::vector<std::string> Referidas(const FilaTarifa& fila) {
    const ReglaTarifa& r = fila.regla;
    if (r.tipo == TipoRegla::ParteDe) return {r.fila};
    if (r.tipo == TipoRegla::Deduccion) return {r.fila, r.anterior};
    return {};
}

bool LlegaA(const Tarifa& tarifa, const std::string& desde, const std::string& buscada,
            std::set<std::string>& vistas) {
    if (!vistas.insert(desde).second) return false;
    const FilaTarifa* fila = tarifa.Fila(desde);
    if (fila == nullptr) return false;
    for (const std::string& otra : Referidas(*fila))
        if (otra == buscada || LlegaA(tarifa, otra, buscada, vistas)) return true;
    return false;
}

void FaltasDeRegla(const Tarifa& tarifa, const FilaTarifa& fila, const std::string& lugar,
                   std::vector<std::string>& faltas) {
    const ReglaTarifa& r = fila.regla;
    if (r.tipo == TipoRegla::Tabla && !tarifa.tablas.contains(r.tabla))
        faltas.push_back(lugar + ".regla.tabla: no hay ninguna tabla «" + r.tabla + "»");
    for (const std::string& lista : r.factores)
        if (!tarifa.factores.contains(lista))
            faltas.push_back(lugar + ".regla.factores: no hay ninguna lista «" + lista + "»");
    for (const std::string& otra : Referidas(fila)) {
        std::set<std::string> vistas;
        if (tarifa.Fila(otra) == nullptr)
            faltas.push_back(lugar + ".regla: no hay ninguna fila «" + otra + "»");
        else if (otra == fila.referencia || LlegaA(tarifa, otra, fila.referencia, vistas))
            faltas.push_back(lugar + ".regla: se refiere a sí misma, por «" + otra + "»");
    }
}

void FaltasDeFila(const Tarifa& tarifa, std::size_t k, std::vector<std::string>& faltas) {
    const FilaTarifa& fila = tarifa.filas[k];
    const std::string lugar = En("filas", k);
    if (const std::size_t primera = tarifa.indice.at(fila.referencia); primera != k)
        faltas.push_back(lugar + ".referencia: «" + fila.referencia + "» ya es la de " +
                         En("filas", primera));
    FaltasDeRegla(tarifa, fila, lugar, faltas);
    if (fila.minimo && fila.maximo &&
        (fila.minimo->electronica > fila.maximo->electronica ||
         fila.minimo->papel > fila.maximo->papel))
        faltas.push_back(lugar + ": el mínimo pasa del máximo");
    if (fila.tablaRecargo.empty()) return;
    const auto tabla = tarifa.tablas.find(fila.tablaRecargo);
    if (tabla == tarifa.tablas.end())
        faltas.push_back(lugar + ".recargo: no hay ninguna tabla «" + fila.tablaRecargo + "»");
    else if (tabla->second.tipo != TipoTabla::Escalonada)
        faltas.push_back(lugar + ".recargo: la tabla «" + fila.tablaRecargo + "» no es escalonada");
}

}  // namespace

std::vector<std::string> FaltasDeTarifa(const Tarifa& tarifa) {
    std::vector<std::string> faltas;
    for (const auto& [nombre, tabla] : tarifa.tablas) FaltasDeTabla(nombre, tabla, faltas);
    for (const auto& [nombre, opciones] : tarifa.factores)
        if (opciones.empty()) faltas.push_back("factores." + nombre + ": no tiene opciones");
    for (std::size_t k = 0; k < tarifa.filas.size(); ++k) FaltasDeFila(tarifa, k, faltas);
    for (std::size_t k = 0; k < tarifa.ejemplos.size(); ++k)
        if (tarifa.Fila(tarifa.ejemplos[k].entrada.referencia) == nullptr)
            faltas.push_back(En("ejemplos", k) + ".fila: no hay ninguna fila «" +
                             tarifa.ejemplos[k].entrada.referencia + "»");
    return faltas;
}

namespace {

void Necesita(const Tarifa& tarifa, std::string_view referencia, Necesidades& necesidades,
              std::set<std::string, std::less<>>& vistas) {
    const FilaTarifa* fila = tarifa.Fila(referencia);
    if (fila == nullptr || !vistas.emplace(referencia).second) return;
    const ReglaTarifa& r = fila->regla;
    necesidades.cantidad =
        necesidades.cantidad || r.tipo != TipoRegla::Fija || !fila->tablaRecargo.empty();
    for (const std::string& lista : r.factores) {
        auto& f = necesidades.factores;
        if (std::find(f.begin(), f.end(), lista) == f.end()) f.push_back(lista);
    }
    for (const std::string& otra : Referidas(*fila)) Necesita(tarifa, otra, necesidades, vistas);
}

bool Distinto(const PorCanal& p) {
    return p.electronica != p.papel;
}

// Whether a stepped table named `nombre` gives the channels different amounts.
bool TablaDistingue(const Tarifa& tarifa, const std::string& nombre) {
    const auto tabla = tarifa.tablas.find(nombre);
    return tabla != tarifa.tablas.end() &&
           std::any_of(tabla->second.tramos.begin(), tabla->second.tramos.end(),
                       [](const Tramo& t) { return Distinto(t.importe); });
}

bool DistingueFila(const Tarifa& tarifa, const FilaTarifa& fila) {
    const ReglaTarifa& r = fila.regla;
    return Distinto(r.importe) || (r.tipo == TipoRegla::Tabla && TablaDistingue(tarifa, r.tabla)) ||
           (fila.minimo && Distinto(*fila.minimo)) || (fila.maximo && Distinto(*fila.maximo)) ||
           Distinto(fila.recargo) || TablaDistingue(tarifa, fila.tablaRecargo);
}

std::string Regla(const Tarifa& tarifa, const ReglaTarifa& r, const Separadores& s) {
    const auto cifra = [&s](Decimal d) { return TextoDecimal(d, s); };
    switch (r.tipo) {
        case TipoRegla::Fija:
            return "Importe fijo: " + TextoPorCanales(r.importe, s);
        case TipoRegla::PorUnidad:
            return "Por unidad: " + cifra(r.precio) + " € cada una";
        case TipoRegla::Porcentaje:
            return "Porcentaje de la cantidad: " + cifra(r.porcentaje) + " %";
        case TipoRegla::Tabla: {
            const auto tabla = tarifa.tablas.find(r.tabla);
            const bool marginal =
                tabla != tarifa.tablas.end() && tabla->second.tipo == TipoTabla::Marginal;
            return "Tabla «" + r.tabla + "» (" +
                   (marginal ? "cada tramo, su parte" : "el importe del tramo") + ")";
        }
        case TipoRegla::Ponderada: {
            std::string factores;
            for (const std::string& lista : r.factores) factores += " × " + lista;
            return "Unidades ponderadas: cantidad" + factores + " × " + cifra(r.precio) + " €";
        }
        case TipoRegla::ParteDe:
            return "Parte de otra: " + cifra(r.porcentaje) + " % de la cuota de " + r.fila;
        case TipoRegla::Deduccion:
            return "Deducción: la cuota de " + r.fila + " menos la de " + r.anterior;
    }
    return {};
}

}  // namespace

std::string TextoPorCanales(const PorCanal& p, const Separadores& s) {
    if (p.electronica == p.papel) return Dinero(p.electronica, s) + " €";
    return Dinero(p.electronica, s) + " € " + std::string(NombreCanal(Canal::Electronica)) + ", " +
           Dinero(p.papel, s) + " € " + std::string(NombreCanal(Canal::Papel));
}

std::vector<std::string> DescripcionDeFila(const Tarifa& tarifa, const FilaTarifa& fila,
                                           const Separadores& s) {
    std::vector<std::string> lineas{Regla(tarifa, fila.regla, s)};
    if (fila.minimo) lineas.push_back("Mínimo: " + TextoPorCanales(*fila.minimo, s));
    if (fila.maximo) lineas.push_back("Máximo: " + TextoPorCanales(*fila.maximo, s));
    if (fila.recargo != PorCanal{})
        lineas.push_back("Recargo: " + TextoPorCanales(fila.recargo, s));
    if (!fila.tablaRecargo.empty())
        lineas.push_back("Recargo: el de la tabla «" + fila.tablaRecargo + "»");
    return lineas;
}

std::vector<std::string> DescripcionDeTabla(const std::string& nombre, const TablaTramos& tabla,
                                            const Separadores& s) {
    const bool marginal = tabla.tipo == TipoTabla::Marginal;
    std::vector<std::string> lineas{"Tabla «" + nombre + "», " +
                                    (marginal ? "marginal" : "escalonada") + ":"};
    Decimal desde{};
    for (const Tramo& tramo : tabla.tramos) {
        std::string linea = "  de " + TextoDecimal(desde, s) +
                            (tramo.hasta ? " a " + TextoDecimal(*tramo.hasta, s) : " en adelante");
        linea += marginal ? ": × " + TextoDecimal(tramo.coeficiente, s)
                          : ": " + TextoPorCanales(tramo.importe, s);
        lineas.push_back(linea);
        if (tramo.hasta) desde = *tramo.hasta;
    }
    return lineas;
}

Necesidades NecesidadesDe(const Tarifa& tarifa, std::string_view referencia) {
    Necesidades necesidades;
    std::set<std::string, std::less<>> vistas;
    Necesita(tarifa, referencia, necesidades, vistas);
    return necesidades;
}

bool DistingueCanales(const Tarifa& tarifa) {
    return std::any_of(tarifa.filas.begin(), tarifa.filas.end(),
                       [&tarifa](const FilaTarifa& fila) { return DistingueFila(tarifa, fila); });
}

std::string FalloDeEjemplo(std::size_t k, std::string_view referencia,
                           std::optional<Centimos> cuota, std::string_view motivo,
                           Centimos publicada) {
    const Separadores s;
    const std::string lugar = En("ejemplos", k) + " (" + std::string(referencia) + ")";
    const std::string publica = "el colegio publica " + Dinero(publicada, s);
    if (!cuota) return lugar + ": no da cuota (" + std::string(motivo) + "); " + publica;
    if (*cuota != publicada) return lugar + ": da " + Dinero(*cuota, s) + " y " + publica;
    return {};
}

std::vector<std::string> EjemplosQueFallan(const Tarifa& tarifa) {
    std::vector<std::string> fallan;
    for (std::size_t k = 0; k < tarifa.ejemplos.size(); ++k) {
        const EjemploTarifa& ejemplo = tarifa.ejemplos[k];
        const TasacionTarifa tasacion = Tasar(tarifa, ejemplo.entrada, Separadores{}, false);
        if (std::string fallo = FalloDeEjemplo(k, ejemplo.entrada.referencia, tasacion.cuota,
                                               tasacion.motivo, ejemplo.cuota);
            !fallo.empty())
            fallan.push_back(std::move(fallo));
    }
    return fallan;
}

}  // namespace cdv
