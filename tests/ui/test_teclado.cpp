// Keyboard and accessibility: tab order, menus with Alt, Enter, Delete and Escape, the
// keypad's decimal key, accessible names and buddies, and the summary lists as tables.
#include <QAccessible>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include "Banco.h"
#include "MisFunciones.h"

namespace {

QWidget* Enfocado() {
    QWidget* w = QApplication::focusWidget();
    // An editable selector's focus lies in its text box.
    if (w && qobject_cast<QComboBox*>(w->parentWidget())) return w->parentWidget();
    return w;
}

QString NombreAccesible(QWidget* w) {
    QAccessibleInterface* interfaz = QAccessible::queryAccessibleInterface(w);
    return interfaz ? interfaz->text(QAccessible::Name) : QString();
}

}  // namespace

class TestTeclado : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void ordenDeTabulacion() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "CFO");  // entry and note box shown
        b.selector("cbbRefTD")->setFocus();
        QStringList recorrido{Enfocado()->objectName()};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            recorrido << Enfocado()->objectName();
        }
        QCOMPARE(recorrido, QStringList({"cbbRefTD", "cbbDesTD", "txtCantidadTD", "txtTotalTD",
                                         "txtComentarioTD", "cmbAñadirTD"}));
        Elegir(b.selector("cbbRefTD"), "P");
        Elegir(b.selector("cbbRefTT"), "LAN");
        b.selector("cbbRefTT")->setFocus();
        recorrido = QStringList{Enfocado()->objectName()};
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            recorrido << Enfocado()->objectName();
        }
        QCOMPARE(recorrido, QStringList({"cbbRefTT", "cbbDesTT", "txtCantidadTT", "txtTotalTT",
                                         "txtComentarioTT", "cmbAñadirTT"}));
    }

    void menusConAlt() {
        Banco b;
        QString lanzado;
        b.principal().setLanzador([&](const QString& programa) {
            lanzado = programa;
            return true;
        });
        QMenu* ver = Control<QMenu>(&b.principal(), "mnuVer");
        QTest::keyClick(&b.principal(), Qt::Key_V, Qt::AltModifier);
        QTRY_VERIFY(ver->isVisible());
        QTest::keyClick(ver, Qt::Key_C);
        QTRY_VERIFY(b.ventana("frmTotalesTD") && b.ventana("frmTotalesTD")->isVisible());

        b.principal().activateWindow();
        QMenu* principal = Control<QMenu>(&b.principal(), "mnuPrincipal");
        QTest::keyClick(&b.principal(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(principal->isVisible());
        QTest::keyClick(principal, Qt::Key_N);
        QTRY_COMPARE(lanzado, QCoreApplication::applicationFilePath());
    }

    void introAnadeYSupr() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "AAP");
        Escribir(b.caja("txtCantidadTD"), "2");
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Return);
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(b.lista("frmTotalesTD")->count(), 2);
        Elegir(b.selector("cbbRefTD"), "P");
        Elegir(b.selector("cbbRefTT"), "DVPG");
        QTest::keyClick(b.caja("txtCantidadTT"), Qt::Key_Return);
        QCOMPARE(b.lista("frmTotalesTT")->count(), 1);
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Return);  // hidden: nothing
        QCOMPARE(b.lista("frmTotalesTD")->count(), 2);

        b.seleccionar("frmTotalesTD", 0);
        QTest::keyClick(b.lista("frmTotalesTD"), Qt::Key_Delete);
        QCOMPARE(b.lista("frmTotalesTD")->count(), 1);
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("52,99"));
        QTest::keyClick(b.lista("frmTotalesTD"), Qt::Key_Delete);  // nothing selected
        QCOMPARE(b.lista("frmTotalesTD")->count(), 1);
    }

    void escapeOcultaLosResumenes() {
        Banco b;
        b.menu("mnuCDV");
        b.menu("mnuProyecto");
        for (const char* nombre : {"frmTotalesTD", "frmTotalesTT"}) {
            QWidget* ventana = b.ventana(nombre);
            b.lista(nombre)->setFocus();
            QTest::keyClick(b.lista(nombre), Qt::Key_Escape);
            QVERIFY(!ventana->isVisible());
            QCOMPARE(b.ventana(nombre), ventana);
        }
        QVERIFY(b.principal().isVisible());
    }

    void decimalDelTecladoNumerico() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "AAP");
        QLineEdit* cantidad = b.caja("txtCantidadTD");
        Escribir(cantidad, "1");
        QTest::keyClick(cantidad, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(cantidad, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(cantidad->text(), QString("1,5"));
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("39,74"));  // one and a half
        Escribir(cantidad, "1");
        QTest::keyClick(cantidad, Qt::Key_Period);  // the main keyboard's point: grouping
        QCOMPARE(cantidad->text(), QString("1."));
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("26,50"));

        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        Escribir(cantidad, "2");
        QTest::keyClick(cantidad, Qt::Key_Comma, Qt::KeypadModifier);
        QCOMPARE(cantidad->text(), QString("2."));
        LocaleEspanol();
    }

    void nombresAccesiblesYCompaneros() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        b.menu("mnuCDV");
        b.menu("mnuProyecto");
        b.menu("mnuAcerca");
        for (const char* nombre : {"frmPrincipal", "frmTotalesTD", "frmTotalesTT", "frmAcerca"}) {
            QWidget* ventana =
                QByteArray(nombre) == "frmPrincipal" ? &b.principal() : b.ventana(nombre);
            for (QWidget* w : ventana->findChildren<QWidget*>()) {
                const bool control = qobject_cast<QAbstractButton*>(w) ||
                                     qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                                     qobject_cast<QPlainTextEdit*>(w) ||
                                     qobject_cast<QListWidget*>(w);
                if (!control || !w->isVisibleTo(ventana) || w->objectName().isEmpty()) continue;
                QVERIFY2(!NombreAccesible(w).isEmpty(), qPrintable(w->objectName()));
            }
        }
        QCOMPARE(NombreAccesible(b.caja("txtTotalTT")), QString("Cuota del trabajo, en euros"));
        QCOMPARE(b.etiqueta("lblUnidadTT")->buddy(), b.caja("txtCantidadTT"));
        QCOMPARE(b.etiqueta("lblEuroTT")->buddy(), b.caja("txtTotalTT"));
        QWidget* resumen = b.ventana("frmTotalesTD");
        QCOMPARE(Control<QLabel>(resumen, "Label1(1)")->buddy(), b.total("frmTotalesTD"));
        QCOMPARE(Control<QLabel>(resumen, "Label1(0)")->buddy(), b.lista("frmTotalesTD"));
        QCOMPARE(NombreAccesible(b.lista("frmTotalesTD")),
                 QString("Listado de documentos seleccionados para el visado"));
    }

    void cajasDeSoloLecturaSeleccionables() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "CFO");
        QLineEdit* cuota = b.caja("txtTotalTD");
        QPlainTextEdit* nota = b.nota("txtComentarioTD");
        for (QWidget* w : {static_cast<QWidget*>(cuota), static_cast<QWidget*>(nota)})
            QVERIFY(w->focusPolicy() & Qt::TabFocus);
        cuota->setFocus();
        QTest::keyClick(cuota, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(cuota, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("0,00"));
        nota->setFocus();
        QTest::keyClick(nota, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(nota, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("Incluido en las CDV de la Dirección Técnica"));
    }

    void listasComoTablas() {
        Banco b;
        for (const char* ref : {"AAP", "CFO", "EIA2"}) {
            Elegir(b.selector("cbbRefTD"), ref);
            Pulsar(b.boton("cmbAñadirTD"));
        }
        QListWidget* lista = b.lista("frmTotalesTD");
        QVERIFY(QFontInfo(lista->font()).fixedPitch());
        // In every line the unit starts in the same column, after the 66 of reference and
        // description and three blanks.
        for (const QString& linea : Lineas(lista)) {
            QCOMPARE(linea.mid(66, 3), QString("   "));
            QVERIFY(linea.at(69) != ' ');
        }
        b.seleccionar("frmTotalesTD", 1);
        QTest::keyClick(lista, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), lista->item(1)->text());
        QTest::keyClick(lista, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(lista, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), Lineas(lista).join('\n'));
        // Ctrl+A then Delete removes every line, and the total goes back to zero.
        QTest::keyClick(lista, Qt::Key_Delete);
        QCOMPARE(lista->count(), 0);
        QCOMPARE(b.almacen("lstTotales")->count(), 0);
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("0,00"));
        QCOMPARE(MisFunciones::SumaTD, 0);
    }
};

QTEST_MAIN(TestTeclado)
#include "test_teclado.moc"
