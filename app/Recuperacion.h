// What each run leaves for the next: its request, written after every change into a file
// of its own in the user's data folder, so that a later run can bring it back however this
// one ended. A lock file marks the runs still going, whose files are never taken.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QString>
#include <memory>

class Recuperacion {
  public:
    // This run's file goes in `carpeta`, from its first write on.
    explicit Recuperacion(const QString& carpeta);

    // Writes this run's request whole, or leaves the earlier one; answers why it failed.
    QString Escribir(const QByteArray& datos);
    // The newest file of a run that is no longer going; empty when there is none.
    QString Anterior() const;
    // Drops a file once its request lives on in this run.
    void Descartar(const QString& ruta) const;

    // The user's data folder for the recoveries.
    static QString CarpetaPorDefecto();

  private:
    void Empezar();
    bool EnCurso(const QString& ruta) const;

    QString carpeta_;
    QString ruta_;
    std::unique_ptr<QLockFile> cerrojo_;
};
