// A fresh run of the program for each test: the main window constructed and shown, with
// short names for its controls and the other windows.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "Usuario.h"
#include "frmPrincipal.h"

class Banco {
  public:
    Banco() : principal_(std::make_unique<frmPrincipal>()) {
        principal_->show();
        if (!QTest::qWaitForWindowExposed(principal_.get()))
            qFatal("La ventana principal no se muestra");
    }

    frmPrincipal& principal() { return *principal_; }
    QComboBox* selector(const char* nombre) { return Control<QComboBox>(principal_.get(), nombre); }
    QLineEdit* caja(const char* nombre) { return Control<QLineEdit>(principal_.get(), nombre); }
    QLabel* etiqueta(const char* nombre) { return Control<QLabel>(principal_.get(), nombre); }
    QGroupBox* marco(const char* nombre) { return Control<QGroupBox>(principal_.get(), nombre); }
    QPlainTextEdit* nota(const char* nombre) {
        return Control<QPlainTextEdit>(principal_.get(), nombre);
    }
    QPushButton* boton(const char* nombre) {
        return Control<QPushButton>(principal_.get(), nombre);
    }
    QRadioButton* opcion(const char* nombre) {
        return Control<QRadioButton>(principal_.get(), nombre);
    }
    QListWidget* almacen(const char* nombre) {
        return Control<QListWidget>(principal_.get(), nombre);
    }
    void menu(const char* nombre) { Control<QAction>(principal_.get(), nombre)->trigger(); }

    // Another window, or nullptr while it has not been created.
    QWidget* ventana(const char* nombre) { return principal_->findChild<QWidget*>(nombre); }
    QListWidget* lista(const char* ventanaNombre) {
        return Control<QListWidget>(ventana(ventanaNombre), "lstVisados");
    }
    QLineEdit* total(const char* ventanaNombre) {
        return Control<QLineEdit>(ventana(ventanaNombre), "txtTotalCDV");
    }
    QPushButton* botonDe(const char* ventanaNombre, const char* nombre) {
        return Control<QPushButton>(ventana(ventanaNombre), nombre);
    }

    // Selects line `fila` of a summary list as a click would.
    void seleccionar(const char* ventanaNombre, int fila) {
        QListWidget* l = lista(ventanaNombre);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(fila)).center());
    }

  private:
    std::unique_ptr<frmPrincipal> principal_;
};

// Amounts in these tests are written with Spanish conventions.
inline void LocaleEspanol() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
}
