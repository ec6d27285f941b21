// The association whose schedules new requests are priced by: remembered between runs, asked
// for at the first start that finds schedules of more than one, and changed with "Principal" →
// "Colegio...". The main window's heading names the association of the request shown.
#pragma once

#include <QObject>
#include <QString>
#include <string>

class DocumentoSolicitud;
class QLabel;
class QWidget;

class SelectorColegio : public QObject {
    Q_OBJECT

  public:
    // `cabecera`: the heading above the document side, which `fija` fills for the program's
    // own association.
    SelectorColegio(QWidget* ventana, DocumentoSolicitud& documento, QLabel* cabecera,
                    const QString& fija);

    // Takes the association remembered, if its schedules are still there; with none
    // remembered and several installed, asks once the window shows.
    void AlEmpezar();
    // Asks which association, among those installed; remembers the answer.
    void Elegir();
    // "Colegio X (Demarcación Y)"; the program's own owner for its own association.
    static QString Nombre(const std::string& colegio);

  private:
    void MostrarCabecera();

    QWidget* ventana_;
    DocumentoSolicitud& documento_;
    QLabel* cabecera_;
    QString fija_;
};
