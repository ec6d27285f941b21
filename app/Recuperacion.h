// What each run leaves for the next: its request, while it has unsaved changes, in a file of
// its own in the user's data folder, so that a later run can bring it back however this one
// ended. A lock file marks the runs still going, whose files are never taken. A session's
// file goes only once its request is held again (by another run's recovery or a save), or
// when the user discards it, or when it is older than kDiasGuardadas.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "Baremos.h"
#include "TextoNumerico.h"

// A session an ended run left.
struct SesionAnterior {
    QString ruta;              // its recovery file
    QDateTime fecha;           // when it was last written
    int documentos = 0;        // of its request
    int partidas = 0;          // of its project under way that no project line holds
    cdv::Centimos total = 0;   // of its documents
    QString archivo;           // the file its request belonged to; empty when none
    QString error;             // why it cannot be read; empty when it can
    bool soloLectura = false;  // in a folder where it cannot be removed
};

// What a session holds, as its list shows it: "3 documentos", "1 documento y 2 partidas".
QString ContenidoDe(const SesionAnterior& sesion);

class Recuperacion {
  public:
    static constexpr int kDiasGuardadas = 30;

    // This run's file goes in `carpeta`, from its first write on.
    explicit Recuperacion(const QString& carpeta);
    ~Recuperacion();
    Recuperacion(const Recuperacion&) = delete;
    Recuperacion& operator=(const Recuperacion&) = delete;

    // Writes this run's request whole, or leaves the earlier one; answers why it failed.
    QString Escribir(const QByteArray& datos);
    // This run has nothing unsaved: its file goes.
    void Quitar();
    // Why this run's file could not be reserved against other runs, and where it is kept
    // apart instead; empty while it is reserved.
    const QString& ProblemaDeReserva() const { return problemaReserva_; }

    // Every session of an ended run, newest first, by its name, date and state alone: none
    // is read, whatever their number and size.
    std::vector<SesionAnterior> Anteriores() const;
    // Reads what `sesion` holds, with `baremos`, or why it cannot be read.
    static void Leer(SesionAnterior& sesion, const cdv::Baremos& baremos);
    // Keeps other runs off the session at `ruta` while this run takes its request over.
    void Tomar(const QString& ruta);
    // Removes the session at `ruta` (one taken over, or one the user discards); answers
    // whether it is gone.
    bool Descartar(const QString& ruta);

    // The user's data folder for the recoveries.
    static QString CarpetaPorDefecto();

  private:
    void Reservar();
    void BorrarAntiguas() const;

    QString carpeta_;
    QString nombre_;    // of this run's file, from its first write
    QString ruta_;      // where it is written
    QString apartada_;  // where it was written apart, until the reserved file takes over
    std::unique_ptr<QLockFile> cerrojo_;
    QString problemaReserva_;
    std::unique_ptr<QLockFile> tomada_;  // of the session taken over
    QString rutaTomada_;
};
