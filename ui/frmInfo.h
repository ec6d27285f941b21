// The schedules in view: every schedule found (name, date, source, place, and which are in
// force and price the open request), and the one chosen in full: both catalogues as sortable
// tables that a search by words narrows, the note of the chosen row, the two scales and the
// update factors. A double click or Enter on a catalogue row chooses it in the main window.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

class DocumentoSolicitud;
class QLabel;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;
class QTableWidget;
namespace cdv {
struct Baremo;
}

class frmInfo : public QWidget {
    Q_OBJECT

  public:
    // The schedules of `documento`, which outlives the window; first, the one in force.
    frmInfo(QWidget* principal, const DocumentoSolicitud& documento);

    // Lists the schedules found again, as they are now.
    void MostrarBaremos();
    // Shows schedule `baremo` in full.
    void Mostrar(std::shared_ptr<const cdv::Baremo> baremo);

  signals:
    // A work type (`trabajo`) or document type of reference `ref` was chosen.
    void elegido(bool trabajo, const QString& ref);

  private:
    QTableView* CrearCatalogo(const char* nombre, bool trabajos);
    QWidget* CrearEscalas(QWidget* padre);
    QWidget* CrearListaDeBaremos(QWidget* padre);
    void MostrarNota(bool trabajo, int fila);

    const DocumentoSolicitud& documento_;
    std::shared_ptr<const cdv::Baremo> baremo_;  // the one shown
    QLabel* mostrado_ = nullptr;
    QPlainTextEdit* nota_ = nullptr;
    std::vector<QSortFilterProxyModel*> filtros_;  // of the work and document types
    QTabWidget* pestanas_ = nullptr;
    QTableView* escalaDV_ = nullptr;
    QTableView* escalaSuperficie_ = nullptr;
    QLabel* factores_ = nullptr;
    QTableWidget* baremos_ = nullptr;
};
