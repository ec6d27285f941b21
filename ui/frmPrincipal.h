// The main calculator window: the document side, the project work side, the discount
// options and the menu. Construction is the program's start-up.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <string_view>

#include "Cuotas.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class frmAcerca;
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

    // The never-visible stores of added items, parallel to the summary lists.
    QListWidget* lstTotales() const { return lstTotales_; }
    QListWidget* lstProyectos() const { return lstProyectos_; }
    QListWidget* lstReferencias() const { return lstReferencias_; }
    QListWidget* lstMediciones() const { return lstMediciones_; }

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
    };

    void CrearControles();
    void CrearLado(Lado& lado, const DisenoLado& diseno);
    void CrearDescuentos();
    void CrearMenu();
    void Conectar();
    void CargarListas();

    // Selection: the row the picked entry carries, shown in the other selector too.
    static int ElegirFila(QComboBox* elegido, QComboBox* otro);
    static void MostrarComentario(QPlainTextEdit* caja, std::string_view nota);
    static void AplicarCuota(const Lado& lado, const cdv::CuotaCalculada& cuota);
    // The summary line of what a side shows: the row's texts, unit, quantity and fee.
    static QString LineaDelLado(const Lado& lado, std::string_view ref,
                                std::string_view descripcion);
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
    void MostrarAcerca();

    Lado td_;
    Lado tt_;
    QGroupBox* fraDescProyecto_ = nullptr;
    QGroupBox* fraDescProyectoBasico_ = nullptr;
    QButtonGroup* otbProyecto_ = nullptr;
    QButtonGroup* otbProyectoBasico_ = nullptr;
    QListWidget* lstTotales_ = nullptr;
    QListWidget* lstProyectos_ = nullptr;
    QListWidget* lstReferencias_ = nullptr;
    QListWidget* lstMediciones_ = nullptr;

    frmTotalesTT* totalesTT_ = nullptr;
    frmTotalesTD* totalesTD_ = nullptr;
    QPointer<frmAcerca> acerca_;
    Lanzador lanzador_;
};
