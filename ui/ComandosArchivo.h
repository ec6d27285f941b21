// The commands of the request as a file: open, save, recover, print and export, and the
// question before unsaved changes give way.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "DocumentoSolicitud.h"
#include "Liquidacion.h"
#include "Progreso.h"

class QWidget;
namespace cdv {
struct Baremo;
}

class ComandosArchivo : public QObject {
    Q_OBJECT

  public:
    // Asks and tells over `ventana`.
    ComandosArchivo(QWidget* ventana, DocumentoSolicitud& documento);

    // Whether the request may give way (to another, or to the end of the run): yes when it
    // has nothing unsaved, or the user saves it or drops its changes.
    bool PuedeReemplazarse();

    void Abrir();
    bool AbrirArchivo(const QString& ruta);
    bool Guardar();
    bool GuardarComo();
    void Recuperar();
    void Imprimir();
    void ExportarPdf();
    void ExportarCsv();
    // Checks a schedule file the user chooses and copies it into the user's folder.
    void InstalarBaremo();
    // Prices the request again with the schedule in force, and tells what changed.
    void ActualizarBaremo();

    // The files last opened or saved, newest first, remembered between runs.
    static constexpr int kRecientes = 8;
    QStringList Recientes() const;
    // Opens one of them, asking first about unsaved changes; one that is gone leaves the list,
    // and the user is told.
    void AbrirReciente(const QString& ruta);

  signals:
    // Another request is in the document, from a file or a recovery.
    void abierta();
    // The schedules known changed (one was installed).
    void baremosCambiados();
    // The list of recent files changed.
    void recientesCambiados();

  private:
    bool GuardarEn(const QString& ruta);
    void Recordar(const QString& ruta);
    void Olvidar(const QString& ruta);
    // What an export is offered as: the request's own name, or the statement's and today's.
    QString NombreSugerido(const QString& sufijo) const;
    // What a request never saved is offered as: its file number, else its work, else
    // "Solicitud CDV 07-12-2026".
    QString NombreParaGuardar() const;
    // Where a dialog starts without a file of the request's: the folder used last, the first
    // time Documentos; never the working folder, which on Windows is the program's own.
    static QString CarpetaInicial();
    // The file chosen in the dialog `dialogo` shows, if any: its folder is the one used last.
    static QString Elegido(const std::function<QString()>& dialogo);
    // Tells the fees the schedule in force priced otherwise than `que` did.
    // After an opening or a recovery, when it went through: the windows are told, then the
    // user.
    bool Abierta(const DocumentoSolicitud::Apertura& apertura, const QString& que);
    void MostrarCambios(const QString& que, const QStringList& cambios);
    // Before a request priced by a schedule not installed shows: what it was priced with, and
    // what changes with the schedule in force.
    void AvisarBaremoAusente(const DocumentoSolicitud::Apertura& apertura);
    // After an opening: a request priced by a schedule other than the one in force may be
    // brought up to it.
    void OfrecerBaremoVigente();
    // Where an installed schedule goes: its own file's name in the user's folder, or the file
    // of one of the same name and date there, once the user agrees to replace it.
    QString DestinoDeBaremo(const cdv::Baremo& baremo, const QString& origen);
    cdv::LiquidacionImpresa Liquidacion() const;
    QString ElegirDestino(const QString& titulo, const QString& inicio, const QString& filtro,
                          const QString& sufijo);
    void Exportar(const QString& titulo, const QString& filtro, const QString& sufijo,
                  const std::function<std::optional<QByteArray>(const cdv::Progreso&)>& datos);

    QWidget* ventana_;
    DocumentoSolicitud& documento_;
};
