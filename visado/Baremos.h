// The schedules the program knows: the built-in one, and every *.json in cdv/baremos/ of the
// system's data folders (where an association's package puts its revisions) and of the
// user's (where "Instalar baremo..." copies one). Each applies from its date: on a day, the
// schedule in force is the valid one with the latest date not after it; on a tie, the
// user's wins over the system's, which wins over the built-in. A refused file is never used.
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

struct BaremoHallado {
    std::shared_ptr<const Baremo> baremo;  // nothing when refused
    Procedencia procedencia = Procedencia::Incorporado;
    QString ruta;        // its file; empty for the built-in one
    QStringList faltas;  // why it was refused
};

class Baremos {
  public:
    // The built-in schedule alone.
    Baremos();
    // The built-in schedule and every file in the folders.
    static Baremos Buscar(const QStringList& carpetasSistema, const QString& carpetaUsuario);
    // The built-in schedule and every file in the system's folders and the user's.
    static Baremos Instalados() { return Buscar(CarpetasSistema(), CarpetaUsuario()); }
    // The folders of the user's data (XDG_DATA_HOME) and of the system's (XDG_DATA_DIRS).
    static QString CarpetaUsuario();
    static QStringList CarpetasSistema();

    std::shared_ptr<const Baremo> EnVigor(const QDate& dia = QDate::currentDate()) const;
    // The schedule with digest `huella`; nothing when none is.
    std::shared_ptr<const Baremo> ConHuella(const std::string& huella) const;
    const std::vector<BaremoHallado>& Hallados() const { return hallados_; }
    // The faults of every refused file.
    QStringList Rechazos() const;

  private:
    std::vector<BaremoHallado> hallados_;
};

// "incorporado", "del sistema", "del usuario".
QString NombreProcedencia(Procedencia procedencia);

}  // namespace cdv
