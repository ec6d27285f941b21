// The visa request: the documents chosen for the visa, in order, and the project under way
// (its work items and the discount chosen for each kind of project).
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "ListaLineas.h"

namespace cdv {

// The discount option chosen for each project document that offers them, by reference; a
// document not named has its first option (nothing off), and no entry holds 0.
using OpcionesElegidas = std::map<std::string, int, std::less<>>;
// The option chosen for `ref` in `opciones`.
int OpcionDe(const OpcionesElegidas& opciones, std::string_view ref);
// `opciones` with option `opcion` chosen for `ref`.
void Elegir(OpcionesElegidas& opciones, std::string_view ref, int opcion);

// Everything a request holds, as a file or a recovery keeps it.
struct ContenidoSolicitud {
    std::shared_ptr<const cdv::Baremo> baremo;  // the schedule its lines are rows of
    std::vector<LineaCompartida> documentos, partidas;
    OpcionesElegidas opciones;
    QString trabajo, colegiado;        // for the statement; empty when not given
    QString expediente;                // the association's file number, likewise
    Canal canal = Canal::Electronica;  // how it is submitted, when its price list tells
    bool operator==(const ContenidoSolicitud&) const = default;  // the same lines, not copies
};

class SolicitudVisado : public QObject {
    Q_OBJECT

  public:
    // An empty request priced by `baremo`.
    explicit SolicitudVisado(std::shared_ptr<const cdv::Baremo> baremo, QObject* padre = nullptr);

    const cdv::Baremo& Baremo() const { return *baremo_; }
    ListaLineas& Documentos() { return documentos_; }
    ListaLineas& Partidas() { return partidas_; }
    const ListaLineas& Documentos() const { return documentos_; }
    const ListaLineas& Partidas() const { return partidas_; }

    // The discount option chosen for the project document of reference `ref` (0 for a document
    // without options); choosing one it does not offer changes nothing.
    int Opcion(std::string_view ref) const;
    void ElegirOpcion(std::string_view ref, int opcion);

    // The work and the member the statement names.
    const QString& Trabajo() const { return trabajo_; }
    const QString& Colegiado() const { return colegiado_; }
    void CambiarTrabajo(const QString& trabajo);
    void CambiarColegiado(const QString& colegiado);
    // The association's file number the statement names.
    const QString& Expediente() const { return expediente_; }
    void CambiarExpediente(const QString& expediente);

    // How the request is submitted; a price list's rows are priced for it.
    cdv::Canal Canal() const { return canal_; }

    // The project document of row `fila` over the project under way, with its discount.
    Tasacion TasarProyecto(int fila) const;

    // The row of the documents holding the same as `linea`, if any: a line added twice
    // would be charged twice.
    std::optional<int> Igual(const Linea& linea) const;
    // Whether the project under way is nothing to lose: it has no work items, or they are
    // those of a project line of the documents.
    bool ProyectoEnCursoGuardado() const;

    ContenidoSolicitud Contenido() const;
    void Cargar(ContenidoSolicitud contenido);

  signals:
    // After any change of what the request holds.
    void cambiada();
    // Before `cambiada`, when the lines are now rows of another schedule.
    void baremoCambiado();

  private:
    std::shared_ptr<const cdv::Baremo> baremo_;
    ListaLineas documentos_;
    ListaLineas partidas_;
    OpcionesElegidas opciones_;
    QString trabajo_, colegiado_, expediente_;
    cdv::Canal canal_ = cdv::Canal::Electronica;
};

}  // namespace cdv
