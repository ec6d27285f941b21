// What the two summary windows share: a total, a list of lines with parallel stores on the
// main window, "Eliminar", and hiding instead of closing when the user closes them.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <string_view>
#include <vector>

#include "TextoNumerico.h"

// Said when an amount cannot be kept exactly, or would take a total past what is kept.
inline constexpr std::string_view kImporteDemasiadoGrande =
    "El importe es demasiado grande: no se puede añadir a la lista.";

class QLineEdit;
class QListWidget;
class QPushButton;

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
    };

    // `almacenes`: the main window's stores that run parallel to the list, the first of
    // them holding each line's fee text; `suma`: the running total they add up to.
    VentanaResumen(QWidget* principal, const Diseno& diseno, std::vector<QListWidget*> almacenes,
                   cdv::Centimos& suma);

    // Adds a line: `valores` go to the stores, in their order, and the fee (valores[0]) to
    // the total; then the window is shown. An amount that cannot be kept exactly in cents,
    // or that would take the total past the largest amount kept, is refused with a message.
    bool Anotar(const QString& linea, const QStringList& valores);

    // Shows the window in front, to work in it.
    void Abrir();

  protected:
    void closeEvent(QCloseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    QListWidget* lista() const { return lstVisados_; }
    const std::vector<QListWidget*>& almacenes() const { return almacenes_; }

  private:
    std::vector<int> FilasSeleccionadas() const;
    void Eliminar();  // every selected line
    void Copiar();    // the selected lines, as text
    void MostrarTotal();

    QLineEdit* txtTotalCDV_ = nullptr;
    QListWidget* lstVisados_ = nullptr;
    QPushButton* cmbEliminar_ = nullptr;
    std::vector<QListWidget*> almacenes_;
    cdv::Centimos& suma_;
};
