// The commands of the request as a file: open, save, recover, print and export, and the
// question before unsaved changes give way.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class DocumentoSolicitud;
class QWidget;

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

  signals:
    // Another request is in the document, from a file or a recovery.
    void abierta();

  private:
    bool GuardarEn(const QString& ruta);
    // Tells the fees the schedule priced otherwise than a file did.
    void MostrarCambios(const QString& nombre, const QStringList& cambios);
    QString Liquidacion() const;
    QString ElegirDestino(const QString& titulo, const QString& inicio, const QString& filtro,
                          const QString& sufijo);
    void Exportar(const QString& titulo, const QString& filtro, const QString& sufijo,
                  const std::function<QString(const QString& ruta)>& escribir);

    QWidget* ventana_;
    DocumentoSolicitud& documento_;
};
