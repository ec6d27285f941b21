#include "Diseno.h"

#include <QApplication>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QIconEngine>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QResource>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "Ajustes.h"
#include "ArchivoLocal.h"

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

class LineaDesdeElPrincipio : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* evento) override {
        QLineEdit::focusInEvent(evento);
        if (hasSelectedText() && selectedText() == text())
            setSelection(text().size(), -text().size());
    }
};

// Fits a box's text by its font's size, from the box's own down to kPuntosMinimos.
class Encajar : public QObject {
  public:
    static constexpr qreal kPuntosMinimos = 5.0;

    explicit Encajar(QLineEdit* caja)
        : QObject(caja), caja_(caja), puntos_(caja->font().pointSizeF()) {
        connect(caja, &QLineEdit::textChanged, this, &Encajar::Ajustar);
    }

  private:
    void Ajustar() {
        QFont letra = caja_->font();
        const int hueco = caja_->contentsRect().width() - caja_->textMargins().left() -
                          caja_->textMargins().right() - 2 * kMargenInterior;
        for (qreal puntos = puntos_;; puntos -= 0.25) {
            letra.setPointSizeF(puntos);
            if (puntos <= kPuntosMinimos ||
                QFontMetrics(letra).horizontalAdvance(caja_->text()) <= hueco) {
                break;
            }
        }
        if (letra != caja_->font()) caja_->setFont(letra);
        caja_->setCursorPosition(0);
    }

    static constexpr int kMargenInterior = 3;  // what a line edit keeps on each side of its text
    QLineEdit* caja_;
    qreal puntos_;
};

// Two chevrons pointing on, painted at whatever size is asked.
class FlechasDeMas : public QIconEngine {
  public:
    void paint(QPainter* pintor, const QRect& zona, QIcon::Mode, QIcon::State) override {
        pintor->save();
        pintor->setRenderHint(QPainter::Antialiasing);
        pintor->setPen(QPen(QColor(80, 80, 80), 1.5));
        const qreal paso = zona.width() / 16.0;
        for (const qreal x : {4.0, 9.0}) {
            pintor->drawPolyline(QPolygonF({zona.topLeft() + QPointF(x, 4) * paso,
                                            zona.topLeft() + QPointF(x + 4, 8) * paso,
                                            zona.topLeft() + QPointF(x, 12) * paso}));
        }
        pintor->restore();
    }
    QIconEngine* clone() const override { return new FlechasDeMas; }
};

// A picture of the program's own as an icon, read the first time it is drawn or asked for.
class IconoDiferido : public QIconEngine {
  public:
    IconoDiferido(const QString& ruta, int lado) : ruta_(ruta), lado_(lado) {}
    void paint(QPainter* pintor, const QRect& zona, QIcon::Mode modo,
               QIcon::State estado) override {
        Icono().paint(pintor, zona, Qt::AlignCenter, modo, estado);
    }
    QPixmap pixmap(const QSize& tamano, QIcon::Mode modo, QIcon::State estado) override {
        return Icono().pixmap(tamano, modo, estado);
    }
    QSize actualSize(const QSize& tamano, QIcon::Mode modo, QIcon::State estado) override {
        return Icono().actualSize(tamano, modo, estado);
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(lado_, lado_)};
    }
    QIconEngine* clone() const override { return new IconoDiferido(ruta_, lado_); }

  private:
    const QIcon& Icono() {
        if (icono_.isNull()) icono_ = QIcon(Imagen(ruta_));
        return icono_;
    }

    const QString ruta_;
    const int lado_;
    QIcon icono_;
};

// The platform's own style, with the forms' touches: a slimmer drop-down arrow on combo
// boxes, so that the narrow reference selectors show their whole placeholder text, and
// frames that carry their caption on the border line. Drawn with the widget's own palette,
// so that the colours of each window hold.
class EstiloFormularios : public QProxyStyle {
  public:
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* opcion,
                         SubControl parte, const QWidget* widget) const override {
        if (control == CC_GroupBox) {
            const auto* marco = static_cast<const QStyleOptionGroupBox*>(opcion);
            const QFontMetrics medidas = opcion->fontMetrics;
            const QRect rotulo(9, 0, medidas.horizontalAdvance(marco->text) + 4, medidas.height());
            if (parte == SC_GroupBoxLabel) return rotulo;
            if (parte == SC_GroupBoxFrame)
                return opcion->rect.adjusted(0, rotulo.height() / 2, 0, 0);
            if (parte == SC_GroupBoxContents)
                return opcion->rect.adjusted(1, rotulo.height(), -1, -1);
        }
        QRect zona = QProxyStyle::subControlRect(control, opcion, parte, widget);
        if (control == CC_ComboBox && parte == SC_ComboBoxEditField) zona.adjust(0, 0, 4, 0);
        if (control == CC_ComboBox && parte == SC_ComboBoxArrow) zona.adjust(4, 0, 0, 0);
        return zona;
    }

    // The menu bar's overflow arrows, drawn here and only when shown: the platform's style
    // reads them from a file by guessing its format, which loads every image-format plugin as
    // the window starts.
    QIcon standardIcon(StandardPixmap icono, const QStyleOption* opcion,
                       const QWidget* widget) const override {
        if (icono != SP_ToolBarHorizontalExtensionButton) {
            return QProxyStyle::standardIcon(icono, opcion, widget);
        }
        return QIcon(new FlechasDeMas);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* opcion,
                            QPainter* pintor, const QWidget* widget) const override {
        if (control != CC_GroupBox) {
            QProxyStyle::drawComplexControl(control, opcion, pintor, widget);
            return;
        }
        const auto* marco = static_cast<const QStyleOptionGroupBox*>(opcion);
        const QRect rotulo = subControlRect(control, opcion, SC_GroupBoxLabel, widget);
        pintor->save();
        pintor->setPen(QColor(160, 160, 160));
        pintor->drawRect(
            subControlRect(control, opcion, SC_GroupBoxFrame, widget).adjusted(0, 0, -1, -1));
        pintor->fillRect(rotulo, opcion->palette.color(QPalette::Window));
        pintor->restore();
        drawItemText(pintor, rotulo, Qt::AlignCenter, opcion->palette, true, marco->text,
                     QPalette::WindowText);
    }
};

}  // namespace

QStyle* EstiloFormulario() {
    // One for the whole run, owned by the application.
    static QPointer<EstiloFormularios> estilo;
    if (estilo == nullptr) {
        estilo = new EstiloFormularios;
        estilo->setParent(qApp);
    }
    return estilo;
}

namespace {

QFont LetraDeFormularios() {
    QFont letra(QStringLiteral("Arial"));
    letra.setStyleHint(QFont::SansSerif);
    letra.setPointSizeF(8.25);
    return letra;
}

}  // namespace

ConLetraDeFormularios::ConLetraDeFormularios() : anterior_(QApplication::font()) {
    QApplication::setFont(LetraDeFormularios());
}

ConLetraDeFormularios::~ConLetraDeFormularios() {
    QApplication::setFont(anterior_);
}

void EstiloDeVentana(QWidget* ventana) {
    ventana->setFont(LetraDeFormularios());
    // White behind black captions, whatever colours the desktop gives: a dark scheme would
    // otherwise paint its light text on this white.
    QPalette paleta = ventana->palette();
    for (const auto grupo : {QPalette::Active, QPalette::Inactive}) {
        paleta.setColor(grupo, QPalette::Window, Qt::white);
        paleta.setColor(grupo, QPalette::Button, Qt::white);
        paleta.setColor(grupo, QPalette::WindowText, Qt::black);
        paleta.setColor(grupo, QPalette::ButtonText, Qt::black);
    }
    paleta.setColor(QPalette::Disabled, QPalette::Window, Qt::white);
    ventana->setPalette(paleta);
    ventana->setAutoFillBackground(true);
}

void VentanaIndependiente(QWidget* ventana) {
    ventana->winId();
    ventana->windowHandle()->setTransientParent(nullptr);
}

void TamanoFijo(QWidget* ventana, int anchoTwips, int altoTwips) {
    ventana->setFixedSize(Px(anchoTwips), Px(altoTwips));
}

namespace {

#if defined(Q_OS_WIN)
constexpr char kClaveUsuario[] = "HKEY_CURRENT_USER\\Software";
#else
// Where Qt writes it, looked at without reading it.
QString ArchivoQtProject() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           "/QtProject.conf";
}
#endif

}  // namespace

SinEstadoDeQt::SinEstadoDeQt()
#if defined(Q_OS_WIN)
    : habia_(QSettings(kClaveUsuario, QSettings::NativeFormat).childGroups().contains("QtProject"))
#else
    : habia_(QFileInfo::exists(ArchivoQtProject()))
#endif
{
}

SinEstadoDeQt::~SinEstadoDeQt() {
    if (habia_) return;
#if defined(Q_OS_WIN)
    QSettings(kClaveUsuario, QSettings::NativeFormat).remove("QtProject");
#else
    QFile::remove(ArchivoQtProject());
#endif
}

void GuardarGeometria(const QWidget* ventana) {
    QSettings ajustes = Ajustes();
    ajustes.beginGroup(ventana->objectName());
    // Only what changed, so that closing a window left where it was writes nothing.
    const QByteArray geometria = ventana->saveGeometry();
    if (ajustes.value("geometria") != geometria) ajustes.setValue("geometria", geometria);
}

// Qt restores exactly what it saved, frame and all, so that a window does not creep from run
// to run; what a change of screens would leave off the screen is brought back within it.
bool RestaurarGeometria(QWidget* ventana) {
    QSettings ajustes = Ajustes();
    ajustes.beginGroup(ventana->objectName());
    if (!ventana->restoreGeometry(ajustes.value("geometria").toByteArray())) return false;
    EnLaPantalla(ventana);
    return true;
}

void EnLaPantalla(QWidget* ventana) {
    if (ventana->isMaximized() || ventana->isFullScreen()) return;
    const QScreen* pantalla = QGuiApplication::screenAt(ventana->frameGeometry().center());
    if (pantalla == nullptr) pantalla = QGuiApplication::primaryScreen();
    if (pantalla == nullptr) return;
    const QRect libre = pantalla->availableGeometry();
    // Before its first showing a window has no frame yet: a usual one is allowed for.
    QSize marco = ventana->frameGeometry().size() - ventana->size();
    if (marco.isEmpty()) marco = QSize(16, 40);
    const QSize tamano = ventana->size().boundedTo(libre.size() - marco);
    if (tamano != ventana->size()) ventana->resize(tamano.expandedTo(ventana->minimumSize()));
    const QRect lugar(ventana->frameGeometry().topLeft(), ventana->size() + marco);
    const QPoint dentro(std::clamp(lugar.left(), libre.left(),
                                   std::max(libre.left(), libre.right() + 1 - lugar.width())),
                        std::clamp(lugar.top(), libre.top(),
                                   std::max(libre.top(), libre.bottom() + 1 - lugar.height())));
    if (dentro != lugar.topLeft()) ventana->move(dentro);
}

QPixmap Imagen(const QString& ruta) {
    QImageReader lector(ruta, QFileInfo(ruta).suffix().toLatin1());
    lector.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(lector.read());
}

QPixmap ImagenEnPixeles(const QString& ruta, QSize tamano) {
    const QResource recurso(ruta);
    if (recurso.compressionAlgorithm() != QResource::NoCompression ||
        recurso.size() != 4LL * tamano.width() * tamano.height())
        return {};
    return QPixmap::fromImage(
        QImage(recurso.data(), tamano.width(), tamano.height(), QImage::Format_RGBX8888));
}

QIcon IconoAlPedirlo(const QString& ruta, int lado) {
    return QIcon(new IconoDiferido(ruta, lado));
}

QLabel* CrearEtiqueta(QWidget* padre, const QString& nombre, const QString& texto, QRect zona) {
    auto* etiqueta = new QLabel(texto, padre);
    etiqueta->setTextFormat(Qt::PlainText);  // what it shows may come from a schedule
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

QLineEdit* CajaDesdeElPrincipio(QWidget* padre) {
    return new LineaDesdeElPrincipio(padre);
}

namespace {

// Waits for its window's first painted frame, then runs its action once, after that frame.
class TrasPrimerCuadro : public QObject {
  public:
    TrasPrimerCuadro(QWidget* ventana, std::function<void()> accion)
        : QObject(ventana), accion_(std::move(accion)) {
        ventana->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* ventana, QEvent* evento) override {
        if (evento->type() == QEvent::Paint) {
            ventana->removeEventFilter(this);
            QTimer::singleShot(0, parent(), std::move(accion_));
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> accion_;
};

}  // namespace

void AlMostrarse(QWidget* ventana, std::function<void()> accion) {
    ventana->winId();  // its native window, to know whether it already shows
    if (ventana->windowHandle()->isExposed()) {
        QTimer::singleShot(0, ventana, std::move(accion));
    } else {
        new TrasPrimerCuadro(ventana, std::move(accion));
    }
}

void TextoQueCabe(QLineEdit* caja) {
    new Encajar(caja);
}

void SeparadorDecimalDelTecladoNumerico(QLineEdit* caja) {
    caja->installEventFilter(new TeclaDecimal(caja));
}

void Colorear(QLabel* etiqueta, const QColor& color) {
    QPalette paleta = etiqueta->palette();
    paleta.setColor(QPalette::WindowText, color);
    etiqueta->setPalette(paleta);
}

void MarcarCaja(QLineEdit* caja, const QString& aviso) {
    QPalette paleta;
    if (!aviso.isEmpty()) {
        paleta = caja->palette();
        paleta.setColor(QPalette::Base, QColor(255, 228, 228));
        paleta.setColor(QPalette::Text, QColor(160, 0, 0));
    }
    caja->setPalette(paleta);
    caja->setToolTip(aviso);
    caja->setAccessibleDescription(aviso);
}
