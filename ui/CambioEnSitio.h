// A line of a summary window brought back into the main window to be changed in its place:
// a document or a work item to its side, a project document with its work items and its
// discount to the project under way, when that holds nothing else to lose.
#pragma once

#include <QObject>
#include <functional>

class DocumentoSolicitud;
class PanelEntrada;
class QWidget;
class frmTotalesTT;

class CambioEnSitio : public QObject {
  public:
    // Over `ventana`, the main window, with its two sides and the project's summary, the
    // work side and the summary made when first asked for.
    CambioEnSitio(QWidget* ventana, DocumentoSolicitud& documento, PanelEntrada& documentos,
                  std::function<PanelEntrada&()> trabajos,
                  std::function<frmTotalesTT&()> resumenProyecto);

    void Documento(int fila);
    void Partida(int fila);

  private:
    QWidget* ventana_;
    DocumentoSolicitud& documento_;
    PanelEntrada& documentos_;
    std::function<PanelEntrada&()> trabajos_;
    std::function<frmTotalesTT&()> resumenProyecto_;
};
