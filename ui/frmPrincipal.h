// The main calculator window: the document side, the project work side, the discount
// options and the menu. Construction is the program's start-up.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <string_view>

#include "Cuotas.h"

class ComandosArchivo;
class DocumentoSolicitud;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class frmAcerca;
class frmInfo;
class frmTotalesTD;
class frmTotalesTT;
namespace cdv {
class ListaLineas;
struct Tasacion;
}  // namespace cdv

class frmPrincipal : public QMainWindow {
    Q_OBJECT

  public:
    frmPrincipal();
    ~frmPrincipal() override;

    // The summary windows, created on first use.
    frmTotalesTT& ResumenProyecto();
    frmTotalesTD& ResumenCDV();

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
    // The controls of one side of the window, so that both sides share one handling.
    struct Lado {
        QGroupBox* marco = nullptr;
        QComboBox* ref = nullptr;
        QComboBox* des = nullptr;
        QLineEdit* cantidad = nullptr;
        QLabel* unidad = nullptr;
        QLineEdit* total = nullptr;
        QLabel* euro = nullptr;
        QPlainTextEdit* comentario = nullptr;
        QPushButton* anadir = nullptr;
        QLabel* desglose = nullptr;  // how the fee shown is reached
    };

    // Both sides have the same controls in the same places, but for the unit label, the fee
    // box and the button, which stand a few twips apart.
    struct DisenoLado {
        const char* sufijo;
        QString titulo;
        QRect zona;
        QString euro;
        int arribaUnidad, anchoUnidad, arribaTotal, anchoEuro, arribaAnadir;  // twips
        QString que, destino;  // "documento", "al visado": for the accessible names
        QRect zonaDesglose;    // under the side's entry, in the window
    };

    void CrearControles();
    void CrearLado(Lado& lado, const DisenoLado& diseno);
    void CrearDescuentos();
    void CrearMenu();
    void Conectar();

    // Selection: the row the picked entry carries, shown in the other selector too.
    static int ElegirFila(QComboBox* elegido, QComboBox* otro);
    static void MostrarComentario(QPlainTextEdit* caja, std::string_view nota);
    // Shows a fee rule's answer in a side's boxes, and how it was reached.
    static void AplicarCuota(const Lado& lado, const cdv::CuotaCalculada& cuota,
                             const cdv::Desglose& pasos);
    static void MostrarDesglose(const Lado& lado, const QString& texto);
    // Adds what a side shows for row `fila`, priced by `tasar`, to `lista`; answers whether
    // it was added (nothing is without a row and a fee).
    using Tasador = cdv::Tasacion (*)(int fila, const QString& cantidad);
    bool AnadirDelLado(const Lado& lado, int fila, std::string_view ref, Tasador tasar,
                       cdv::ListaLineas& lista);
    void MostrarEntradaTD(bool mostrar);

    void ElegirTrabajo(QComboBox* elegido, QComboBox* otro);
    void MostrarSeleccionTT();
    void CambioCantidadTT();
    void AnadirTrabajo();

    void ElegirDocumento(QComboBox* elegido, QComboBox* otro);
    void MostrarSeleccionTD();
    void CambioCantidadTD();
    void AnadirDocumento();

    void Nuevo();
    void MostrarResumenes();   // the summary windows of the lists that have lines
    void MostrarEstado();      // the file's name in the title, unsaved and at risk
    void MostrarDescuentos();  // the request's discount choices in the options
    void MostrarAcerca();
    void MostrarInfo();
    // A row chosen in the schedule's window, as if picked in the selectors.
    void ElegirDesdeInfo(bool trabajo, int fila);

    Lado td_;
    Lado tt_;
    QGroupBox* fraDescProyecto_ = nullptr;
    QGroupBox* fraDescProyectoBasico_ = nullptr;
    QButtonGroup* otbProyecto_ = nullptr;
    QButtonGroup* otbProyectoBasico_ = nullptr;
    DocumentoSolicitud* documento_ = nullptr;
    ComandosArchivo* archivo_ = nullptr;
    bool salidaDecidida_ = false;  // the user already answered for the unsaved changes
    frmTotalesTT* totalesTT_ = nullptr;
    frmTotalesTD* totalesTD_ = nullptr;
    QPointer<frmAcerca> acerca_;
    frmInfo* info_ = nullptr;
    Lanzador lanzador_;
};
