// Helpers to lay out controls where the forms put them. Positions are in twips, as the
// forms were designed; at 96 dots per inch 15 twips make a pixel, and Qt scales the
// pixels itself on high-density screens.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QRect>
#include <QSettings>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class QColor;
class QIcon;
class QPixmap;
class QSize;
class QStyle;

constexpr int Px(int twips) {
    return (twips + 7) / 15;
}

inline QRect Twips(int izquierda, int arriba, int ancho, int alto) {
    return {Px(izquierda), Px(arriba), Px(ancho), Px(alto)};
}

// "Label1(3)": the name of a control that belongs to an array.
QString NombreIndexado(const QByteArray& base, int indice);

// The forms' look for one of the program's windows and everything in it: font, white
// background with black captions, frames; the application's own look is left alone.
void EstiloDeVentana(QWidget* ventana);
// While it lives, the application's font is the forms' font. A line edit lays its empty text
// out in the application's font before it takes its own, which loads a face that no form
// shows; a window built under this loads only the faces it shows.
class ConLetraDeFormularios {
  public:
    ConLetraDeFormularios();
    ~ConLetraDeFormularios();
    ConLetraDeFormularios(const ConLetraDeFormularios&) = delete;
    ConLetraDeFormularios& operator=(const ConLetraDeFormularios&) = delete;

  private:
    const QFont anterior_;
};
// The platform's style with the forms' touches (slimmer drop-down arrows, captions on the
// frames' border line), for the selectors and frames.
QStyle* EstiloFormulario();

// A window of its own, not owned by the window that made it, which can then come in front of
// it (Windows keeps an owned window above its owner). Makes its native window.
void VentanaIndependiente(QWidget* ventana);

// The window's client area, fixed: it cannot be resized.
void TamanoFijo(QWidget* ventana, int anchoTwips, int altoTwips);

// Qt's file dialogs keep their state under "QtProject", a name every Qt program shares (in the
// Windows registry, or a file in the settings folder). Around a dialog: where there was none
// before, none is left after. The program keeps the folder used last in its own settings.
class SinEstadoDeQt {
  public:
    SinEstadoDeQt();
    ~SinEstadoDeQt();
    SinEstadoDeQt(const SinEstadoDeQt&) = delete;
    SinEstadoDeQt& operator=(const SinEstadoDeQt&) = delete;

  private:
    bool habia_;
};

// Where a window was last left, and its size, remembered between runs exactly, and fitted
// to the screen as it is now (EnLaPantalla). Restoring answers whether the window took a
// remembered place.
void GuardarGeometria(const QWidget* ventana);
bool RestaurarGeometria(QWidget* ventana);
// The whole window, frame and all, within the free area of its screen as the screen is now
// (its size and scaling may have changed): smaller where it must be, moved in where it stands
// out; a window wholly within it stays exactly where it is.
void EnLaPantalla(QWidget* ventana);

// Runs `accion` once `ventana` has first shown on the screen, framed by the window system:
// from the event loop, after its first painted frame, so that the user sees the window first.
void AlMostrarse(QWidget* ventana, std::function<void()> accion);

// A picture of the program's own, read as the format its name ends in: no image-format
// plugin is loaded to guess it (a start-up would otherwise load them all).
QPixmap Imagen(const QString& ruta);
// One kept as its pixels, `tamano` of them in rows from the top, each as the bytes red, green,
// blue and 255: nothing decodes it. Empty when the data is not of that size.
QPixmap ImagenEnPixeles(const QString& ruta, QSize tamano);
// One of them as an icon of `lado` pixels square, read the first time it is drawn: a window
// system may never ask for a window's icon.
QIcon IconoAlPedirlo(const QString& ruta, int lado);

QLabel* CrearEtiqueta(QWidget* padre, const QString& nombre, const QString& texto, QRect zona);
QLineEdit* CrearCaja(QWidget* padre, const QString& nombre, QRect zona, bool soloLectura);
QPushButton* CrearBoton(QWidget* padre, const QString& nombre, const QString& texto, QRect zona);
void Colorear(QLabel* etiqueta, const QColor& color);
// Marks a box whose text is wrong or was cut, in its colours and with `aviso` as its tooltip
// and accessible description; an empty `aviso` takes the mark away.
void MarcarCaja(QLineEdit* caja, const QString& aviso);

// An editable selector's text box that shows its text from the start: Tab into it selects
// the whole text with the cursor at its start, so that a long description reads from there.
QLineEdit* CajaDesdeElPrincipio(QWidget* padre);

// A fixed box whose text is fitted whole: a long one takes a smaller font, down to a least
// size, and any text shows from its start.
void TextoQueCabe(QLineEdit* caja);

// The numeric keypad's decimal key types the locale's decimal separator in `caja`, as in
// spreadsheets: "1,5" on the keypad is one and a half in Spain, not fifteen.
void SeparadorDecimalDelTecladoNumerico(QLineEdit* caja);
