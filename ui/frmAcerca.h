// The About window: what the program is, its version, owner, author and last update.
#pragma once

#include <QWidget>

class frmAcerca : public QWidget {
    Q_OBJECT

  public:
    explicit frmAcerca(QWidget* principal);
};
