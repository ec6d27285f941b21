// The main calculator window: the document side, the project work side, the discount
// options and the menu, put together. Construction is the program's start-up.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class AvisoRecuperar;
class CambioEnSitio;
class ComandosArchivo;
class DocumentoSolicitud;
class OpcionesDescuento;
class PanelEntrada;
class SelectorColegio;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class frmAcerca;
class frmInfo;
class frmTotalesTD;
class frmTotalesTT;

class frmPrincipal : public QMainWindow {
    Q_OBJECT

  public:
    frmPrincipal();
    ~frmPrincipal() override;

    // The summary windows, created on first use.
    frmTotalesTT& ResumenProyecto();
    frmTotalesTD& ResumenCDV();
    // The two sides, each with the row chosen in it; the work side is made when first needed.
    const PanelEntrada& Documentos() const { return *td_; }
    PanelEntrada& Trabajos();

    // The request the windows show, with its file, undo history and recovery.
    DocumentoSolicitud& Documento() { return *documento_; }
    // Opens a request file, as "Abrir..." does once the file is chosen.
    bool AbrirArchivo(const QString& ruta);

    // How "Nuevo" starts the program's own executable; answers whether it started.
    using Lanzador = std::function<bool(const QString& programa)>;
    void setLanzador(Lanzador lanzador) { lanzador_ = std::move(lanzador); }

  protected:
    void closeEvent(QCloseEvent* evento) override;

  private:
    void CrearControles();
    void AlFormulario();
    void PrimerLugar();
    void CrearMenu();
    void EncadenarTabulacion(const std::vector<QWidget*>& orden);
    void AnadirDeshacer(QMenu& edicion);
    void SeguirTrabajos(QAction* resumenProyecto);
    void Conectar();
    // Tells, once the window shows, of every schedule file refused.
    void AvisarRechazos();

    // The project side and the discount options follow the document chosen.
    void MostrarDocumentoElegido();
    void Nuevo();
    void MostrarResumenes();  // the summary windows of the lists that have lines
    void MostrarEstado();     // the file's name in the title, unsaved and at risk
    void MostrarAcerca();
    void MostrarInfo();
    // A row chosen in the schedule's window, as if picked in the selectors.
    void ElegirDesdeInfo(bool trabajo, const QString& ref);

    QWidget* cliente_ = nullptr;
    PanelEntrada* td_ = nullptr;
    PanelEntrada* tt_ = nullptr;  // until a project document is first chosen, none
    OpcionesDescuento* descuentos_ = nullptr;
    AvisoRecuperar* aviso_ = nullptr;
    CambioEnSitio* cambio_ = nullptr;
    SelectorColegio* colegio_ = nullptr;
    DocumentoSolicitud* documento_ = nullptr;
    ComandosArchivo* archivo_ = nullptr;
    bool salidaDecidida_ = false;  // the user already answered for the unsaved changes
    frmTotalesTT* totalesTT_ = nullptr;
    frmTotalesTD* totalesTD_ = nullptr;
    QPointer<frmAcerca> acerca_;
    frmInfo* info_ = nullptr;
    Lanzador lanzador_;
};
