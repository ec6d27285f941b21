// What the two summary windows share: a list of the request and its total, "Eliminar", and
// hiding instead of closing when the user closes them.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class DocumentoSolicitud;
class QLineEdit;
class QTableView;
class QPushButton;
namespace cdv {
class ListaLineas;
}

class VentanaResumen : public QWidget {
    Q_OBJECT

  public:
    struct Diseno {
        const char* nombre;
        QString titulo;
        int anchoTwips, altoTwips;
        QRect cajaTotal;
        QString textoEuro;
        QRect etiquetaEuro;
        QString textoLista;
        QRect botonEliminar;
        QRect botonModificar;
        bool modificarArriba;  // above the list, on the right; otherwise below it
    };

    // Shows `lista` of the request in `documento`, and removes from it.
    VentanaResumen(QWidget* principal, const Diseno& diseno, DocumentoSolicitud& documento,
                   cdv::ListaLineas& lista);

    // Shows the window in front, to work in it.
    void Abrir();
    // Shows it in front of the others, leaving the focus where it is (after a line is added).
    void Adelantar();

  signals:
    // The user asked to change the line at `fila` ("Modificar", or a double click).
    void modificar(int fila);

  protected:
    // How a control follows the window's size: the list grows with it, the controls below it
    // go down, the buttons on the right go down and right.
    enum class Anclaje { Crece, Abajo, AbajoDerecha, Derecha };
    void Anclar(QWidget* control, Anclaje anclaje);
    // Tab runs as the window reads: `antes`, the list, "Modificar", "Eliminar", `despues`,
    // then the total.
    void Tabular(const std::vector<QWidget*>& antes, const std::vector<QWidget*>& despues);

    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    DocumentoSolicitud& documento() const { return documento_; }

  private:
    QTableView* CrearLista(const QString& nombre);
    void Medir(int primera, int ultima);
    void Anadidas(int ultima);
    void AnchoDeLasLineas();
    void ColocarJuntoAPrincipal();
    std::vector<int> FilasSeleccionadas() const;
    void Eliminar();   // every selected line
    void Modificar();  // the current line
    void Copiar();     // the selected lines, as text
    void MostrarTotal();

    struct Anclado {
        QWidget* control;
        QRect zona;  // where the design puts it
        Anclaje anclaje;
    };

    DocumentoSolicitud& documento_;
    QSize tamanoDiseno_;
    std::vector<Anclado> anclados_;
    bool geometriaRestaurada_ = false;
    cdv::ListaLineas& lineas_;
    QLineEdit* txtTotalCDV_ = nullptr;
    QTableView* lstVisados_ = nullptr;
    qsizetype caracteres_ = 0;  // of the longest line
    QPushButton* cmbEliminar_ = nullptr;
    QPushButton* cmbModificar_ = nullptr;
};
