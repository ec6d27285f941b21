// The sessions that ended runs left unsaved, newest first, to bring one back or discard it:
// each with its date, its lines, its total and the file it belonged to; one that cannot be
// read says why.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "Recuperacion.h"

class QPushButton;
class QTreeWidget;

class dlgRecuperar : public QDialog {
    Q_OBJECT

  public:
    // `descartar` removes a session's file and answers whether it is gone.
    using Descartador = std::function<bool(const QString& ruta)>;
    dlgRecuperar(QWidget* padre, const std::vector<SesionAnterior>& sesiones,
                 Descartador descartar);

    // The recovery file of the session chosen.
    QString Elegida() const;

  private:
    void MostrarEleccion();  // which buttons the session chosen allows
    void Descartar();

    std::vector<SesionAnterior> sesiones_;
    Descartador descartar_;
    QTreeWidget* lista_ = nullptr;
    QPushButton* recuperar_ = nullptr;
    QPushButton* descartarBoton_ = nullptr;
};
