// The About window: what the program is, its version, owner, author and last update.
#pragma once

#include <QWidget>

class frmAcerca : public QWidget {
    Q_OBJECT

  public:
    // `vigenteDesde`: the date from which the schedule in force applies; `colegio`: the
    // association it is of, when another than the program's own.
    frmAcerca(QWidget* principal, const QString& vigenteDesde, const QString& colegio = {});

  protected:
    // Escape and Enter close it, as "Aceptar" does.
    void keyPressEvent(QKeyEvent* evento) override;
};
