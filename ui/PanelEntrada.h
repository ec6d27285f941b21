// One side of the main window, for one catalogue of the request's schedule: the reference and
// description selectors, the quantity, the fee with how it is reached, the row's note and
// "Añadir". It owns the row chosen, and adds what it shows to its list of the request.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include "Cuotas.h"
#include "Linea.h"

class DocumentoSolicitud;
class EleccionTarifa;
namespace cdv {
class ListaLineas;
}
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class FilaSeguida;
class QPlainTextEdit;
class QShortcut;
class QPushButton;
class QWidget;

class PanelEntrada : public QObject {
    Q_OBJECT

  public:
    enum class Catalogo { Documentos, Trabajos };

    // Where a side's controls stand. Both sides have the same controls in the same places,
    // but for the unit label, the fee box and the button, which stand a few twips apart.
    struct Diseno {
        const char* sufijo;  // of the controls' names: "TD", "TT"
        QString titulo;
        QRect zona;
        QString euro;
        const char* nombreEuro;  // the euro sign's label's name
        int arribaUnidad, anchoUnidad, arribaTotal, anchoEuro, arribaAnadir;  // twips
        QString que, destino;    // "documento", "al visado": for the accessible names
        QRect zonaDesglose;      // under the side's entry, in the window
        bool notaDeSoloLectura;  // the document's note can be read, not written
    };

    // The side's controls in `cliente`, laid out by `diseno`, for `catalogo` of the schedule
    // of `documento`'s request.
    PanelEntrada(QWidget* cliente, const Diseno& diseno, Catalogo catalogo,
                 DocumentoSolicitud& documento);

    // The row chosen, 0 when none.
    int Fila() const { return fila_; }
    // Fills the selectors with the catalogue's rows, once: until then the side costs nothing.
    void Preparar();
    // Chooses the row of reference `ref` as if it were picked in a selector.
    void Elegir(std::string_view ref);
    // Shows or hides the quantity, the fee and "Añadir": a project document has none.
    void MostrarEntrada(bool mostrar);
    // Brings the line at `fila` of the side's list back into the side to be changed: the
    // side's title says so, "Añadir" reads "Guardar" and puts what the side then shows in its
    // place, as one change; "Cancelar" beside it, or Escape, leaves the line as it was.
    void Modificar(int fila);
    void TerminarModificacion();

    QGroupBox* Marco() const { return marco_; }
    QLabel* Desglose() const { return desglose_; }
    // The controls in the order Tab runs through them.
    std::vector<QWidget*> OrdenDeTabulacion() const;

  signals:
    // A row was chosen and shown.
    void elegida(int fila);
    // A line was added to the request.
    void anadida();

  private:
    void CrearControles(const Diseno& diseno);
    void Llenar();
    // The request's lines are rows of another schedule: nothing is chosen, and the selectors
    // hold its rows.
    void OtroBaremo();
    void Conectar();
    void ElegirDesde(QComboBox* elegido, QComboBox* otro);
    void MostrarFila();
    std::string NumeroEscrito() const;
    void CambioCantidad();
    void MarcarCantidad(bool valida, const cdv::Separadores& s);
    void AplicarCuota(const cdv::CuotaCalculada& cuota, const cdv::Desglose& pasos);
    void MostrarDesglose(const QString& texto);
    // A price list's row: priced with the channel and the factors chosen, exactly.
    bool DeTarifa() const;
    cdv::Tasacion TasacionDeTarifa() const;
    void CambioTarifa();
    void Anadir();
    void MostrarModificacion();
    const cdv::Baremo& Baremo() const;
    cdv::ListaLineas& Lista() const;

    Catalogo catalogo_;
    DocumentoSolicitud& documento_;
    int fila_ = 0;
    QGroupBox* marco_ = nullptr;
    QComboBox* ref_ = nullptr;
    QComboBox* des_ = nullptr;
    QLineEdit* cantidad_ = nullptr;
    QLabel* unidad_ = nullptr;
    QLineEdit* total_ = nullptr;
    QLabel* euro_ = nullptr;
    QPlainTextEdit* comentario_ = nullptr;
    QPushButton* anadir_ = nullptr;
    QPushButton* cancelar_ = nullptr;
    FilaSeguida* modificando_ = nullptr;  // the line being changed, if any
    QShortcut* escape_ = nullptr;
    QString titulo_, anadirAccesible_;  // as designed
    QLabel* desglose_ = nullptr;        // how the fee shown is reached
    EleccionTarifa* tarifa_ = nullptr;  // the document side's factors and channel
};
