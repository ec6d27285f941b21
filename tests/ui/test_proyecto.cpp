// The project work side, the project configuration window and "Hecho".
#include "Banco.h"
#include "MisFunciones.h"

namespace {

// Picks a work type and types its quantity; answers with the fee shown.
QString Partida(Banco& b, const QString& ref, const QString& cantidad) {
    Elegir(b.selector("cbbRefTT"), ref);
    if (!cantidad.isNull()) Escribir(b.caja("txtCantidadTT"), cantidad);
    return b.caja("txtTotalTT")->text();
}

}  // namespace

class TestProyecto : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void seleccionDeTrabajo() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        const struct {
            QString ref;
            QString unidad, cantidad, cuota;
            bool nota;
        } casos[] = {
            {"DVPG", "Ud.", "1", "45,04", false},   {"INAC", "kW(T)", "", "", true},
            {"CNA", "P.E.M.", "", "", false},       {"LAN", "m2", "", "", true},
            {"INFI", "kW(arrastre)", "", "", true},
        };
        for (const auto& c : casos) {
            Escribir(b.caja("txtCantidadTT"), "77");  // any earlier quantity is reset
            Elegir(b.selector("cbbRefTT"), c.ref);
            QCOMPARE(b.selector("cbbRefTT")->currentText(), c.ref);
            QCOMPARE(b.etiqueta("lblUnidadTT")->text(), c.unidad);
            QCOMPARE(b.caja("txtCantidadTT")->text(), c.cantidad);
            QCOMPARE(b.caja("txtTotalTT")->text(), c.cuota);
            QCOMPARE(b.nota("txtComentarioTT")->isVisible(), c.nota);
        }
        // Picking by description names the same row in the reference selector.
        Elegir(b.selector("cbbDesTT"), "Calefacción y ACS");
        QCOMPARE(b.selector("cbbRefTT")->currentText(), QString("INC"));
        QCOMPARE(MisFunciones::IndiceTT, 9);
        // The LAN note keeps its empty line; INFI's two lines are two lines.
        Elegir(b.selector("cbbRefTT"), "LAN");
        QVERIFY(b.nota("txtComentarioTT")->toPlainText().contains("en general\n\nObservaciones:"));
        Elegir(b.selector("cbbRefTT"), "INFI");
        QCOMPARE(b.nota("txtComentarioTT")->toPlainText().split('\n').size(), 2);
    }

    void cuotaAlTeclear() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        QCOMPARE(Partida(b, "CNA", "1.000.000"), QString("2.664,06"));
        QCOMPARE(Partida(b, "MGT", "100"), QString("49,02"));  // the minimum
        Escribir(b.caja("txtCantidadTT"), "12a");
        QCOMPARE(b.caja("txtCantidadTT")->text(), QString());
        QCOMPARE(b.caja("txtTotalTT")->text(), QString());
    }

    void escalaDemasiadoAlta() {
        Banco b;
        Contestador contestador;
        Elegir(b.selector("cbbRefTD"), "P");
        QCOMPARE(Partida(b, "LAN", QString()), QString());
        b.caja("txtCantidadTT")->setText("2000000");
        QCOMPARE(b.caja("txtTotalTT")->text(), QString("0,00"));
        QCOMPARE(contestador.mensajes.size(), 1);
        const auto& m = contestador.mensajes[0];
        QCOMPARE(m.titulo, QString("   ERROR"));
        QCOMPARE(m.texto, QString("La Superficie es demasiado alta"));
        QCOMPARE(m.botones, 1);
        QCOMPARE(m.icono, QMessageBox::NoIcon);

        b.caja("txtCantidadTT")->setText("");
        Partida(b, "CNA", QString());
        b.caja("txtCantidadTT")->setText("1e12");
        QCOMPARE(b.caja("txtTotalTT")->text(), QString("0,00"));
        QCOMPARE(contestador.mensajes.size(), 2);
        QCOMPARE(contestador.mensajes[1].texto,
                 QString("La Cuota de Visado (DV) es demasiado alta"));
        // Such an item can still be added, for 0.
        Pulsar(b.boton("cmbAñadirTT"));
        QCOMPARE(b.total("frmTotalesTT")->text(), QString("0,00"));
    }

    // Road of a project, from the first pick to the total CDV with a discount.
    void caminoDeUnProyecto() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        QVERIFY(b.marco("fraTT")->isVisible());
        QCOMPARE(Partida(b, "INAC", "300"), QString("296,50"));
        Pulsar(b.boton("cmbAñadirTT"));
        QWidget* proyecto = b.ventana("frmTotalesTT");
        QVERIFY(proyecto->isVisible());
        QCOMPARE(proyecto->windowTitle(), QString("   Configuración del Proyecto"));
        QCOMPARE(Lineas(b.lista("frmTotalesTT")),
                 QStringList("INAC  Climatización/Aire acondicionado" + QString(28, ' ') +
                             "   kW(T): 300   Total: 296,50 €"));
        QCOMPARE(Partida(b, "DVPG", QString()), QString("45,04"));
        Pulsar(b.boton("cmbAñadirTT"));
        QCOMPARE(Lineas(b.almacen("lstProyectos")), QStringList({"296,50", "45,04"}));
        QCOMPARE(Lineas(b.almacen("lstReferencias")), QStringList({"INAC", "DVPG"}));
        QCOMPARE(Lineas(b.almacen("lstMediciones")), QStringList({"300", "1"}));
        QCOMPARE(b.total("frmTotalesTT")->text(), QString("341,54"));

        Pulsar(b.opcion("otbProyecto(2)"));  // Anteproyecto: a quarter off
        QCOMPARE(MisFunciones::DescuentoProyecto, 0.25f);
        QCOMPARE(MisFunciones::OpcionProyecto, 2);
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));

        // 341.54 less 85.385, a tie rounded away from zero to 85.39.
        QVERIFY(!proyecto->isVisible());
        QVERIFY(b.ventana("frmTotalesTD")->isVisible());
        QCOMPARE(Lineas(b.lista("frmTotalesTD")),
                 QStringList("P     Proyecto               INAC (300), DVPG (1)   "
                             "Descontado el Anteproyecto   Total: 256,15 €"));
        QCOMPARE(Lineas(b.almacen("lstTotales")), QStringList("256,15"));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("256,15"));
        // The project stays as it was and can be confirmed again.
        QCOMPARE(b.lista("frmTotalesTT")->count(), 2);
        QCOMPARE(MisFunciones::SumaTT, 34154);
        b.menu("mnuProyecto");
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));
        QCOMPARE(b.lista("frmTotalesTD")->count(), 2);
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("512,30"));
    }

    void descuentos() {
        const struct {
            QString documento;
            const char* opcion;  // nullptr: none clicked
            QString cola;
        } casos[] = {
            {"P", nullptr, "DVPG (1)   Total: 45,04 €"},
            {"P", "otbProyecto(1)", "DVPG (1)   Descontado el Proyecto básico   Total: 22,52 €"},
            {"P", "otbProyecto(3)", "DVPG (1)   Descontado el Memoria Valorada   Total: 33,78 €"},
            {"PB", "otbProyectoBasico(2)",
             "DVPG (1)   Descontado el Memoria Valorada   Total: 11,26 €"},
            {"PB", "otbProyectoBasico(0)", "DVPG (1)   Total: 22,52 €"},
            {"V", nullptr, "DVPG (1)   Total: 11,26 €"},
            {"PR", nullptr, "DVPG (1)   Total: 45,04 €"},
        };
        for (const auto& c : casos) {
            Banco b;
            Elegir(b.selector("cbbRefTD"), c.documento);
            if (c.opcion) Pulsar(b.opcion(c.opcion));
            Partida(b, "DVPG", QString());
            Pulsar(b.boton("cmbAñadirTT"));
            Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));
            QVERIFY2(b.lista("frmTotalesTD")->item(0)->text().endsWith(c.cola),
                     qPrintable(b.lista("frmTotalesTD")->item(0)->text()));
        }
    }

    void descuentosIndependientesYDuraderos() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        Pulsar(b.opcion("otbProyecto(1)"));
        Elegir(b.selector("cbbRefTD"), "PB");  // its own group, still at "Ninguno"
        QVERIFY(b.opcion("otbProyectoBasico(0)")->isChecked());
        QCOMPARE(MisFunciones::DescuentoProyectoBasico, 0.0f);
        Partida(b, "DVPG", QString());
        Pulsar(b.boton("cmbAñadirTT"));
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));
        QVERIFY(b.lista("frmTotalesTD")->item(0)->text().endsWith("DVPG (1)   Total: 22,52 €"));
        Elegir(b.selector("cbbRefTD"), "P");
        QVERIFY(b.opcion("otbProyecto(1)")->isChecked());
        QCOMPARE(MisFunciones::DescuentoProyecto, 0.5f);
    }

    void hechoSoloConUnProyecto() {
        Banco b;
        Contestador contestador;
        Elegir(b.selector("cbbRefTD"), "P");
        b.menu("mnuProyecto");
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));  // no items yet
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].texto.startsWith("El proyecto no tiene partidas"));

        Partida(b, "DVPG", QString());
        Pulsar(b.boton("cmbAñadirTT"));
        Elegir(b.selector("cbbRefTD"), "AAP");  // not a project document
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));
        QCOMPARE(contestador.mensajes.size(), 2);
        QVERIFY(contestador.mensajes[1].texto.startsWith("Para pulsar Hecho, elija"));
        QVERIFY(b.ventana("frmTotalesTT")->isVisible());
        QVERIFY(b.ventana("frmTotalesTD") == nullptr);
        QCOMPARE(MisFunciones::SumaTD, 0);
    }

    void anadirSinTrabajoNoHaceNada() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        Pulsar(b.boton("cmbAñadirTT"));  // nothing picked
        Partida(b, "MGT", QString());
        Pulsar(b.boton("cmbAñadirTT"));  // no quantity, no fee
        QVERIFY(b.ventana("frmTotalesTT") == nullptr);
        QCOMPARE(b.almacen("lstProyectos")->count(), 0);
        Escribir(b.caja("txtCantidadTT"), "5");
        QCOMPARE(b.caja("txtTotalTT")->text(), QString("49,02"));
    }

    void eliminarPartidas() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "P");
        for (const auto& [ref, cantidad] :
             {std::pair{"MGT", "100"}, std::pair{"INAC", "300"}, std::pair{"LAN", "250"}}) {
            Partida(b, ref, cantidad);
            Pulsar(b.boton("cmbAñadirTT"));
        }
        QCOMPARE(b.total("frmTotalesTT")->text(), QString("385,26"));
        Pulsar(b.botonDe("frmTotalesTT", "cmbEliminar"));  // nothing selected: nothing happens
        QCOMPARE(b.lista("frmTotalesTT")->count(), 3);

        b.seleccionar("frmTotalesTT", 0);
        Pulsar(b.botonDe("frmTotalesTT", "cmbEliminar"));
        QCOMPARE(b.lista("frmTotalesTT")->count(), 2);
        QVERIFY(b.lista("frmTotalesTT")->selectedItems().isEmpty());
        QCOMPARE(Lineas(b.almacen("lstProyectos")), QStringList({"296,50", "39,74"}));
        QCOMPARE(Lineas(b.almacen("lstReferencias")), QStringList({"INAC", "LAN"}));
        QCOMPARE(Lineas(b.almacen("lstMediciones")), QStringList({"300", "250"}));
        QCOMPARE(b.total("frmTotalesTT")->text(), QString("336,24"));
        Pulsar(b.botonDe("frmTotalesTT", "cmbHecho"));
        QVERIFY(b.lista("frmTotalesTD")
                    ->item(0)
                    ->text()
                    .contains("INAC (300), LAN (250)   Total: 336,24 €"));

        b.menu("mnuProyecto");
        for (int i = 0; i < 2; ++i) {
            b.seleccionar("frmTotalesTT", 0);
            Pulsar(b.botonDe("frmTotalesTT", "cmbEliminar"));
        }
        QCOMPARE(b.total("frmTotalesTT")->text(), QString("0,00"));
        QCOMPARE(MisFunciones::SumaTT, 0);
    }
};

QTEST_MAIN(TestProyecto)
#include "test_proyecto.moc"
