// Helpers to lay out controls where the forms put them. Positions are in twips, as the
// forms were designed; at 96 dots per inch 15 twips make a pixel, and Qt scales the
// pixels itself on high-density screens.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class QColor;

constexpr int Px(int twips) {
    return (twips + 7) / 15;
}

inline QRect Twips(int izquierda, int arriba, int ancho, int alto) {
    return {Px(izquierda), Px(arriba), Px(ancho), Px(alto)};
}

// "Label1(3)": the name of a control that belongs to an array.
QString NombreIndexado(const QByteArray& base, int indice);

// The forms' font and frames, for the whole application.
void InstalarEstilo();

// White background for a window and everything in it.
void FondoBlanco(QWidget* ventana);

// The window's client area, fixed: it cannot be resized.
void TamanoFijo(QWidget* ventana, int anchoTwips, int altoTwips);

QLabel* CrearEtiqueta(QWidget* padre, const QString& nombre, const QString& texto, QRect zona);
QLineEdit* CrearCaja(QWidget* padre, const QString& nombre, QRect zona, bool soloLectura);
QPushButton* CrearBoton(QWidget* padre, const QString& nombre, const QString& texto, QRect zona);
void Colorear(QLabel* etiqueta, const QColor& color);

// The numeric keypad's decimal key types the locale's decimal separator in `caja`, as in
// spreadsheets: "1,5" on the keypad is one and a half in Spain, not fifteen.
void SeparadorDecimalDelTecladoNumerico(QLineEdit* caja);
