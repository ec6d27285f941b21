// "Salir" and the main window's close box end the event loop, even with both summary
// windows open (the user's close only hides those).
#include "Ventanas.h"

class TestSalir : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void salir_data() {
        QTest::addColumn<bool>("menu");
        QTest::newRow("Salir") << true;
        QTest::newRow("cierre") << false;
    }

    void salir() {
        QFETCH(bool, menu);
        Banco b;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        b.menu("mnuProyecto");
        QTimer::singleShot(0,
                           [&] { menu ? b.menu("mnuSalir") : Banco::cerrarConLaCruz(b.p.get()); });
        QTimer vigilante;  // still running after 5 s: a failure
        connect(&vigilante, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        vigilante.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!b.p->isVisible() && !b.ventana("frmTotalesTD")->isVisible() &&
                !b.ventana("frmTotalesTT")->isVisible());
    }
};

QTEST_MAIN(TestSalir)
#include "test_salir.moc"
