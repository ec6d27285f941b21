// A fresh run of the program for each test, driven as a user drives it: picking entries,
// typing, clicking, closing from the close box, answering the message boxes.
#pragma once

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "TextoLocal.h"
#include "frmPrincipal.h"

// The child of that kind and name (any name when `nombre` is null).
template <typename T = QWidget>
T* Control(const QObject* ventana, const QString& nombre) {
    T* control = ventana ? ventana->findChild<T*>(nombre) : nullptr;
    if (control == nullptr) qFatal("No hay control %s", qPrintable(nombre));
    return control;
}

// Types key by key, accented letters and control characters too.
inline void Teclear(QWidget* destino, const QString& texto) {
    for (const QChar letra : texto) {
        if (letra.unicode() >= 32 && letra.unicode() < 127) {
            QTest::keyClick(destino, letra.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, destino, Qt::Key_unknown, QString(letra), {});
        }
    }
}

// Replaces a box's text key by key; in a selector, Enter then picks the entry typed.
inline void Escribir(QWidget* caja, const QString& texto) {
    QLineEdit* linea = qobject_cast<QComboBox*>(caja) ? static_cast<QComboBox*>(caja)->lineEdit()
                                                      : static_cast<QLineEdit*>(caja);
    linea->setFocus();
    QTest::keyClick(linea, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(linea, Qt::Key_Backspace);
    Teclear(linea, texto);
    if (linea != caja) QTest::keyClick(linea, Qt::Key_Return);
}

// Writes `datos` to `ruta`, or ends the test run.
inline void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(datos) != datos.size())
        qFatal("No se escribe %s", qPrintable(ruta));
}

inline QStringList Lineas(const QAbstractItemView* lista) {
    QStringList lineas;
    for (int i = 0; i < lista->model()->rowCount(); ++i)
        lineas << lista->model()->index(i, 0).data().toString();
    return lineas;
}

class Banco {
  public:
    Banco() : p((TraducirQt(), std::make_unique<frmPrincipal>())) {
        p->show();
        if (!QTest::qWaitForWindowExposed(p.get())) qFatal("La ventana principal no se muestra");
    }
    template <typename T = QWidget>
    T* c(const QString& nombre) {
        return Control<T>(p.get(), nombre);
    }
    QLineEdit* caja(const QString& nombre) { return c<QLineEdit>(nombre); }
    // Whether the control is on screen: the work side is made only when first shown.
    bool aLaVista(const QString& nombre) {
        const QWidget* w = p->findChild<QWidget*>(nombre);
        return w != nullptr && w->isVisible();
    }
    // What a control shows: a caption's, a box's or a button's text, a selector's entry.
    QString texto(const QString& nombre) {
        QWidget* w = c(nombre);
        if (auto* etiqueta = qobject_cast<QLabel*>(w)) return etiqueta->text();
        if (auto* selector = qobject_cast<QComboBox*>(w)) return selector->currentText();
        if (auto* boton = qobject_cast<QAbstractButton*>(w)) return boton->text();
        return caja(nombre)->text();
    }
    QStringList textos(std::initializer_list<const char*> nombres) {
        QStringList t;
        for (const char* nombre : nombres) t << texto(nombre);
        return t;
    }
    void elegir(const char* selector, const QString& texto) {
        Escribir(c<QComboBox>(selector), texto);
    }
    void pulsar(const QString& boton) {
        QTest::mouseClick(c<QAbstractButton>(boton), Qt::LeftButton);
    }
    void menu(const char* nombre) { c<QAction>(nombre)->trigger(); }
    // Another window (nullptr while not created), and its controls.
    QWidget* ventana(const char* nombre) { return p->findChild<QWidget*>(nombre); }
    QAbstractItemView* lista(const char* v) {
        return Control<QAbstractItemView>(ventana(v), "lstVisados");
    }
    cdv::SolicitudVisado& solicitud() const { return p->Documento().Solicitud(); }
    QString total(const char* v) { return Control<QLineEdit>(ventana(v), "txtTotalCDV")->text(); }
    void pulsarEn(const char* v, const char* boton) {
        QTest::mouseClick(Control<QPushButton>(ventana(v), boton), Qt::LeftButton);
    }
    void seleccionar(const char* v, int fila) {  // a click on line `fila`
        QAbstractItemView* l = lista(v);
        const QModelIndex linea = l->model()->index(fila, 0);
        l->scrollTo(linea);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualRect(linea).center());
    }
    // The user's close: through the window system, as the close box does.
    static void cerrarConLaCruz(QWidget* ventana) { ventana->windowHandle()->close(); }

    std::unique_ptr<frmPrincipal> p;
};

// Answers every modal message box: OK, the unsaved-changes question with `respuesta`, any other
// question with what is not "Cancelar" ("Sí"), recording title and text. A file dialog chooses
// `archivo` (or is cancelled without one); the list of sessions to recover is recorded, one
// line a session, and picks `sesion` (or is cancelled with -1). A progress dialog is stopped
// with its "Cancelar" when `detener`. The choice of association picks `colegio` (or is
// cancelled without one), recording what it offered.
class Contestador : public QObject {
  public:
    QStringList mensajes;  // "title|text", and "|details" when the box has them
    QString archivo;
    QMessageBox::StandardButton respuesta = QMessageBox::Discard;
    QString boton;          // when set, the button of a question with this caption (no "&")
    QStringList sesiones;   // "date|contents|total|file|state" each
    QStringList sugeridos;  // what each file dialog offered
    int sesion = 0;
    QString colegio;
    QStringList colegios;  // each offered, "|" between them, per question
    bool sencillos = true;  // every box with OK had one button and no icon
    bool detener = false;
    int detenidos = 0;  // progress dialogs stopped
    Contestador() {
        connect(&reloj_, &QTimer::timeout, this, &Contestador::Atender);
        reloj_.start(5);
        qApp->installEventFilter(this);
    }

  protected:
    // A dialog shown is answered as soon as its loop runs, not at the next tick.
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Show && qobject_cast<QDialog*>(objeto))
            QTimer::singleShot(0, this, &Contestador::Atender);
        return false;
    }

  private:
    void Atender() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        if (auto* dialogo = qobject_cast<QFileDialog*>(modal)) return Elegir(dialogo);
        if (modal->objectName() == "dlgRecuperar") return Recuperar(static_cast<QDialog*>(modal));
        if (modal->objectName() == "dlgColegio") return Colegio(static_cast<QInputDialog*>(modal));
        if (auto* progreso = qobject_cast<QProgressDialog*>(modal)) return Detener(progreso);
        if (auto* cuadro = qobject_cast<QMessageBox*>(modal)) Contestar(cuadro);
    }
    void Elegir(QFileDialog* dialogo) {
        sugeridos << dialogo->selectedFiles().value(0);
        if (archivo.isEmpty()) return dialogo->reject();
        dialogo->selectFile(archivo);
        static_cast<QDialog*>(dialogo)->accept();  // as its "Guardar" or "Abrir"
    }
    void Colegio(QInputDialog* dialogo) {
        colegios << dialogo->comboBoxItems().join('|');
        if (colegio.isEmpty()) return dialogo->reject();
        dialogo->setTextValue(colegio);
        dialogo->accept();
    }
    void Detener(QProgressDialog* progreso) {
        if (!detener || progreso->wasCanceled()) return;
        ++detenidos;
        Control<QPushButton>(progreso, {})->click();
    }
    void Recuperar(QDialog* dialogo) {
        auto* lista = Control<QTreeWidget>(dialogo, "lstSesiones");
        for (int k = 0; k < lista->topLevelItemCount(); ++k) {
            QStringList columnas;
            for (int c = 0; c < lista->columnCount(); ++c)
                columnas << lista->topLevelItem(k)->text(c);
            sesiones << columnas.join('|');
        }
        lista->setCurrentItem(lista->topLevelItem(sesion));
        auto* recuperar = Control<QPushButton>(dialogo, "cmbRecuperar");
        if (sesion < 0 || !recuperar->isEnabled()) return dialogo->reject();
        recuperar->click();
    }
    void Contestar(QMessageBox* cuadro) {
        mensajes << cuadro->windowTitle() + "|" + cuadro->text() +
                        (cuadro->detailedText().isEmpty() ? "" : "|" + cuadro->detailedText());
        // What a message quotes (a file's text, a schedule's) is never taken for markup.
        if (cuadro->textFormat() != Qt::PlainText) mensajes << "¡no es texto llano!";
        // No progress window waits behind a question, to show over it after a while, where
        // neither would answer a click.
        for (QWidget* ventana : QApplication::topLevelWidgets())
            if (qobject_cast<QProgressDialog*>(ventana)) mensajes << "¡un progreso esperando!";
        sencillos =
            sencillos && (cuadro->button(QMessageBox::Ok) == nullptr ||
                          (cuadro->icon() == QMessageBox::NoIcon && cuadro->buttons().size() == 1));
        for (QAbstractButton* b : cuadro->buttons())
            if (!boton.isEmpty() && b->text().remove('&') == boton) return b->click();
        if (QAbstractButton* elegido = cuadro->button(respuesta)) return elegido->click();
        for (QAbstractButton* boton : cuadro->buttons())
            if (cuadro->standardButton(boton) != QMessageBox::Cancel) return boton->click();
    }

    QTimer reloj_;
};

inline void LocaleEspanol() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}

// What a dark desktop scheme hands the program: light text on dark grounds.
inline QPalette PaletaOscura() {
    return QPalette(QColor(60, 60, 60), QColor(45, 45, 45));
}
