// The whole fee schedule in view: both catalogues as sortable tables that a search by words
// narrows, the note of the chosen row, the two scales and the update factors. A double click
// or Enter on a catalogue row chooses it in the main window.
#pragma once

#include <QWidget>
#include <vector>

class QPlainTextEdit;
namespace cdv {
struct Baremo;
}
class QSortFilterProxyModel;
class QTableView;

class frmInfo : public QWidget {
    Q_OBJECT

  public:
    // The schedule `baremo`, which outlives the window.
    frmInfo(QWidget* principal, const cdv::Baremo& baremo);

  signals:
    // A work type (`trabajo`) or document type of catalogue row `fila` was chosen.
    void elegido(bool trabajo, int fila);

  private:
    QTableView* CrearCatalogo(const char* nombre, bool trabajos);
    QWidget* CrearEscalas(QWidget* padre);
    void MostrarNota(bool trabajo, int fila);

    const cdv::Baremo& baremo_;
    QPlainTextEdit* nota_ = nullptr;
    std::vector<QSortFilterProxyModel*> filtros_;
};
