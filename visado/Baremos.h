// The schedules the program knows: the built-in one, and every *.json in cdv/baremos/ of the
// system's data folders (where an association's package puts its revisions) and of the
// user's (where "Instalar baremo..." copies one). Each applies from its date: on a day, the
// schedule in force is the valid one with the latest date not after it; on a tie, the
// user's wins over the system's, a system folder over those after it in XDG_DATA_DIRS, and
// the system's over the built-in. Two of the same date in one folder are both refused, each
// naming the other, until one goes: no rule would tell which the association meant. A
// refused file is never used.
//
// Finding them reads each file only as far as its name and date; a schedule is read and
// checked whole the first time it is needed (the one in force, one a request records, or all
// of them for whoever lists them), so that many large revisions cost a start little. Copies of
// a Baremos share what has been read; it is for one thread.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "Baremo.h"

namespace cdv {

// Where a schedule was found, from the least to the most preferred on a tie.
enum class Procedencia { Incorporado, Sistema, Usuario };

// The day the program prices on: today's date, the one clock every part reads.
QDate Hoy();

class BaremoHallado {
  public:
    // The built-in schedule.
    explicit BaremoHallado(std::shared_ptr<const cdv::Baremo> incorporado);
    // The file at `ruta`, of the `carpeta`th folder of its kind, read as far as its name and
    // date; refused already when even that cannot be read.
    BaremoHallado(Procedencia procedencia, const QString& ruta, int carpeta);

    Procedencia procedencia = Procedencia::Incorporado;
    QString ruta;  // its file; empty for the built-in one
    int carpeta = 0;
    // What the file says it is, before it is checked; its association (ClaveColegio) is empty
    // for the program's own.
    std::string nombre, vigenteDesde, colegio;

    // The schedule, read and checked the first time it is asked for; nothing when refused.
    std::shared_ptr<const cdv::Baremo> Baremo() const;
    // Why it was refused; empty while it has not been read whole.
    const QStringList& Faltas() const { return estado_->faltas; }
    bool Leido() const { return estado_->leido; }
    bool Rechazado() const { return Leido() && !estado_->baremo; }
    // Not to be used, for `falta`, whatever it holds.
    void Rechazar(const QString& falta) { *estado_ = {true, nullptr, {falta}}; }

  private:
    struct Estado {
        bool leido = false;
        std::shared_ptr<const cdv::Baremo> baremo;
        QStringList faltas;
    };
    std::shared_ptr<Estado> estado_;
};

class Baremos {
  public:
    // The built-in schedule alone.
    Baremos();
    // The built-in schedule and every file in the folders, the most important system
    // folder first.
    static Baremos Buscar(const QStringList& carpetasSistema, const QString& carpetaUsuario);
    // The built-in schedule and every file in the system's folders and the user's.
    static Baremos Instalados() { return Buscar(CarpetasSistema(), CarpetaUsuario()); }
    // The folders of the user's data (XDG_DATA_HOME) and of the system's (XDG_DATA_DIRS).
    static QString CarpetaUsuario();
    static QStringList CarpetasSistema();

    // The schedule of association `colegio` (its ClaveColegio; empty: the program's own) in
    // force on `dia`;
    // the built-in one when that association has none.
    std::shared_ptr<const Baremo> EnVigor(const QDate& dia = Hoy(),
                                          const std::string& colegio = {}) const;
    // The associations whose schedules were found (refused ones aside), the program's own
    // (empty) first, then by name.
    std::vector<std::string> Colegios() const;
    // The schedule with digest `huella`, which says it is `nombre` from `vigenteDesde`;
    // nothing when none is.
    std::shared_ptr<const Baremo> ConHuella(const std::string& huella, const std::string& nombre,
                                            const std::string& vigenteDesde) const;
    const std::vector<BaremoHallado>& Hallados() const { return hallados_; }
    // Reads every schedule whole, for a list of them all.
    void LeerTodos() const;
    // The faults of every file refused so far.
    QStringList Rechazos() const;

  private:
    std::vector<BaremoHallado> hallados_;
};

// "incorporado", "del sistema", "del usuario".
QString NombreProcedencia(Procedencia procedencia);

}  // namespace cdv
