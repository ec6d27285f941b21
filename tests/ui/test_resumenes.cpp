// The summary windows: removal keeping every store in step, exact totals, hide and reopen.
#include "Banco.h"
#include "MisFunciones.h"

namespace {

void AnadirDocumento(Banco& b, const QString& ref, const QString& cantidad) {
    Elegir(b.selector("cbbRefTD"), ref);
    Escribir(b.caja("txtCantidadTD"), cantidad);
    Pulsar(b.boton("cmbAñadirTD"));
}

}  // namespace

class TestResumenes : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void eliminarDocumentos() {
        Banco b;
        AnadirDocumento(b, "AAP", "1");
        AnadirDocumento(b, "EIA2", "100000");
        Elegir(b.selector("cbbRefTD"), "P");
        Elegir(b.selector("cbbRefTT"), "DVPG");
        Pulsar(b.boton("cmbAñadirTT"));
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));
        QCOMPARE(Lineas(b.almacen("lstTotales")), QStringList({"26,50", "463,68", "45,04"}));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("535,22"));

        const QStringList antes = Lineas(b.lista("frmTotalesTD"));
        b.seleccionar("frmTotalesTD", 1);
        Pulsar(b.botonDe("frmTotalesTD", "cmbEliminar"));
        QCOMPARE(Lineas(b.lista("frmTotalesTD")), QStringList({antes[0], antes[2]}));
        QCOMPARE(Lineas(b.almacen("lstTotales")), QStringList({"26,50", "45,04"}));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("71,54"));
        QVERIFY(b.lista("frmTotalesTD")->selectedItems().isEmpty());
        // Removing a confirmed project's line leaves the project's items in place.
        b.seleccionar("frmTotalesTD", 1);
        Pulsar(b.botonDe("frmTotalesTD", "cmbEliminar"));
        QCOMPARE(b.lista("frmTotalesTT")->count(), 1);
        b.seleccionar("frmTotalesTD", 0);
        Pulsar(b.botonDe("frmTotalesTD", "cmbEliminar"));
        QCOMPARE(b.lista("frmTotalesTD")->count(), 0);
        QCOMPARE(b.almacen("lstTotales")->count(), 0);
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("0,00"));
    }

    // Totals are whole cents: in single precision 1,059,840.00 + 79.49 would show ...,50.
    void totalesExactos() {
        Banco b;
        AnadirDocumento(b, "AAP", "3");
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("79,49"));
        AnadirDocumento(b, "AAI", "4000");
        QCOMPARE(b.almacen("lstTotales")->item(1)->text(), QString("1.059.840,00"));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("1.059.919,49"));
        AnadirDocumento(b, "ESS2", "30000000");
        QCOMPARE(b.almacen("lstTotales")->item(2)->text(), QString("139104"));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("1.199.023,49"));
        for (int fila : {1, 1}) {
            b.seleccionar("frmTotalesTD", fila);
            Pulsar(b.botonDe("frmTotalesTD", "cmbEliminar"));
        }
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("79,49"));
        QCOMPARE(MisFunciones::SumaTD, 7949);
    }

    void ocultarYReabrir() {
        Banco b;
        AnadirDocumento(b, "AAP", "2");
        Elegir(b.selector("cbbRefTD"), "P");
        Elegir(b.selector("cbbRefTT"), "DVPG");
        Pulsar(b.boton("cmbAñadirTT"));
        for (const char* nombre : {"frmTotalesTD", "frmTotalesTT"}) {
            QWidget* ventana = b.ventana(nombre);
            const QStringList lineas = Lineas(b.lista(nombre));
            const QString total = b.total(nombre)->text();
            CerrarConLaCruz(ventana);
            QVERIFY(!ventana->isVisible());
            QCOMPARE(b.ventana(nombre), ventana);  // hidden, not destroyed
            b.menu(QByteArray(nombre) == "frmTotalesTD" ? "mnuCDV" : "mnuProyecto");
            QVERIFY(ventana->isVisible());
            QCOMPARE(Lineas(b.lista(nombre)), lineas);
            QCOMPARE(b.total(nombre)->text(), total);
        }
        QVERIFY(b.principal().isVisible());
    }
};

QTEST_MAIN(TestResumenes)
#include "test_resumenes.moc"
