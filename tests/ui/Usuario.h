// Acts on the real windows as a user would: picking entries, typing, clicking, closing
// from the close box, and answering the message boxes that appear.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

// The control named `nombre` in `ventana`; fails the test when there is none.
template <typename T>
T* Control(const QObject* ventana, const QString& nombre) {
    T* control = ventana->findChild<T*>(nombre);
    if (control == nullptr) qFatal("No hay control %s", qPrintable(nombre));
    return control;
}

// Types `texto` key by key, accented letters and control characters too.
inline void Teclear(QWidget* destino, const QString& texto) {
    for (const QChar letra : texto) {
        if (letra.unicode() >= 32 && letra.unicode() < 127) {
            QTest::keyClick(destino, letra.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Click, destino, Qt::Key_unknown, QString(letra), {});
        }
    }
}

// Picks an entry by typing its text into the selector and pressing Enter.
inline void Elegir(QComboBox* selector, const QString& texto) {
    selector->setFocus();
    selector->lineEdit()->selectAll();
    QTest::keyClick(selector->lineEdit(), Qt::Key_Backspace);
    Teclear(selector->lineEdit(), texto);
    QTest::keyClick(selector->lineEdit(), Qt::Key_Return);
}

// Replaces a box's text key by key, as typed.
inline void Escribir(QLineEdit* caja, const QString& texto) {
    caja->setFocus();
    QTest::keyClick(caja, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(caja, Qt::Key_Backspace);
    Teclear(caja, texto);
}

inline void Pulsar(QAbstractButton* boton) {
    QTest::mouseClick(boton, Qt::LeftButton);
}

// The user's close: through the window system, as the close box does.
inline void CerrarConLaCruz(QWidget* ventana) {
    ventana->windowHandle()->close();
}

inline QStringList Lineas(const QListWidget* lista) {
    QStringList lineas;
    for (int i = 0; i < lista->count(); ++i) lineas << lista->item(i)->text();
    return lineas;
}

// Answers every modal message box with its OK button and records what it said.
class Contestador : public QObject {
  public:
    struct Mensaje {
        QString titulo, texto;
        int botones;
        QMessageBox::Icon icono;
    };
    QList<Mensaje> mensajes;

    Contestador() {
        connect(&reloj_, &QTimer::timeout, this, &Contestador::Mirar);
        reloj_.start(5);
    }

  private:
    void Mirar() {
        auto* cuadro = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (cuadro == nullptr || !cuadro->isVisible()) return;
        mensajes.append({cuadro->windowTitle(), cuadro->text(),
                         static_cast<int>(cuadro->buttons().size()), cuadro->icon()});
        cuadro->button(QMessageBox::Ok)->click();
    }

    QTimer reloj_;
};
