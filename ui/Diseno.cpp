#include "Diseno.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>

QString NombreIndexado(const QByteArray& base, int indice) {
    return QStringLiteral("%1(%2)").arg(QString::fromLatin1(base)).arg(indice);
}

namespace {

// Replaces the keypad's decimal key by the locale's decimal separator.
class TeclaDecimal : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress) return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool decimalDelTeclado =
            (tecla->modifiers() & Qt::KeypadModifier) &&
            (tecla->key() == Qt::Key_Period || tecla->key() == Qt::Key_Comma);
        if (!decimalDelTeclado) return false;
        static_cast<QLineEdit*>(objeto)->insert(QLocale().decimalPoint());
        return true;
    }
};

// The platform's own style, but with a slimmer drop-down arrow on combo boxes, so that the
// narrow reference selectors show their whole placeholder text.
class EstiloFormularios : public QProxyStyle {
  public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* opcion,
                         SubControl parte, const QWidget* widget) const override {
        QRect zona = QProxyStyle::subControlRect(control, opcion, parte, widget);
        if (control == CC_ComboBox && parte == SC_ComboBoxEditField) zona.adjust(0, 0, 4, 0);
        if (control == CC_ComboBox && parte == SC_ComboBoxArrow) zona.adjust(4, 0, 0, 0);
        return zona;
    }
};

}  // namespace

void InstalarEstilo() {
    if (dynamic_cast<EstiloFormularios*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new EstiloFormularios);
    }
    QFont letra(QStringLiteral("Arial"));
    letra.setStyleHint(QFont::SansSerif);
    letra.setPointSizeF(8.25);
    QApplication::setFont(letra);
    // Frames carry their caption on the border line.
    qApp->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #a0a0a0; border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; top: -1px; }"));
}

void FondoBlanco(QWidget* ventana) {
    QPalette paleta = ventana->palette();
    paleta.setColor(QPalette::Window, Qt::white);
    paleta.setColor(QPalette::Button, Qt::white);
    ventana->setPalette(paleta);
    ventana->setAutoFillBackground(true);
}

void TamanoFijo(QWidget* ventana, int anchoTwips, int altoTwips) {
    ventana->setFixedSize(Px(anchoTwips), Px(altoTwips));
}

QLabel* CrearEtiqueta(QWidget* padre, const QString& nombre, const QString& texto, QRect zona) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setObjectName(nombre);
    etiqueta->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    etiqueta->setGeometry(zona);
    return etiqueta;
}

QLineEdit* CrearCaja(QWidget* padre, const QString& nombre, QRect zona, bool soloLectura) {
    auto* caja = new QLineEdit(padre);
    caja->setObjectName(nombre);
    caja->setGeometry(zona);
    caja->setAlignment(Qt::AlignCenter);
    caja->setReadOnly(soloLectura);
    return caja;
}

QPushButton* CrearBoton(QWidget* padre, const QString& nombre, const QString& texto, QRect zona) {
    auto* boton = new QPushButton(texto, padre);
    boton->setObjectName(nombre);
    boton->setGeometry(zona);
    boton->setAutoDefault(false);
    return boton;
}

void SeparadorDecimalDelTecladoNumerico(QLineEdit* caja) {
    caja->installEventFilter(new TeclaDecimal(caja));
}

void Colorear(QLabel* etiqueta, const QColor& color) {
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(paleta);
}
