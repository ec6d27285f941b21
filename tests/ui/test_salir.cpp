// Ending the program: "Salir" and the close box end the event loop, even with both summary
// windows open (they only hide when the user closes them).
#include <QTimer>

#include "Banco.h"

class TestSalir : public QObject {
    Q_OBJECT

    // Runs the event loop with `accion` as its first event; fails if the loop is still
    // running after a few seconds.
    static void Ejecutar(Banco& b, const std::function<void()>& accion) {
        Elegir(b.selector("cbbRefTD"), "AAP");
        Pulsar(b.boton("cmbAñadirTD"));
        b.menu("mnuProyecto");
        QTimer::singleShot(0, accion);
        QTimer vigilante;
        vigilante.setSingleShot(true);
        bool agotado = false;
        QObject::connect(&vigilante, &QTimer::timeout, [&] {
            agotado = true;
            QCoreApplication::exit(1);
        });
        vigilante.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!agotado);
        QVERIFY(!b.principal().isVisible());
        QVERIFY(!b.ventana("frmTotalesTD")->isVisible());
        QVERIFY(!b.ventana("frmTotalesTT")->isVisible());
    }

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void salir() {
        Banco b;
        Ejecutar(b, [&b] { b.menu("mnuSalir"); });
    }

    void cerrarLaVentanaPrincipal() {
        Banco b;
        Ejecutar(b, [&b] { CerrarConLaCruz(&b.principal()); });
    }
};

QTEST_MAIN(TestSalir)
#include "test_salir.moc"
