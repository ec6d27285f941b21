// The main window: start-up, menu, the document side and the discount options.
#include <QMenuBar>

#include "Banco.h"
#include "Catalogos.h"
#include "MisFunciones.h"

class TestPrincipal : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    void arranque() {
        Banco b;
        QCOMPARE(b.principal().windowTitle(), QString("   CDV-TORVEL"));
        QCOMPARE(b.principal().centralWidget()->size(), QSize(735, 551));
        QCOMPARE(b.principal().minimumSize(), b.principal().maximumSize());
        const struct {
            const char* nombre;
            int filas;
            QString indicacion;
        } selectores[] = {{"cbbRefTT", 39, "Referencias"},
                          {"cbbDesTT", 39, "Descripciones"},
                          {"cbbRefTD", 49, "Referencias"},
                          {"cbbDesTD", 49, "Descripciones"}};
        for (const auto& s : selectores) {
            QComboBox* c = b.selector(s.nombre);
            QCOMPARE(c->count(), s.filas);
            QVERIFY(c->isEditable());
            QCOMPARE(c->currentIndex(), -1);
            QCOMPARE(c->lineEdit()->placeholderText(), s.indicacion);
            QCOMPARE(c->currentText(), QString());
            // Every entry names the row it carries.
            const bool esRef = QByteArray(s.nombre).startsWith("cbbRef");
            const bool esTT = QByteArray(s.nombre).endsWith("TT");
            QSet<int> filas;
            for (int i = 0; i < c->count(); ++i) {
                const int fila = c->itemData(i, Qt::UserRole).toInt();
                filas.insert(fila);
                const auto texto = esTT ? (esRef ? cdv::TablaTT.Fila(fila)->Ref
                                                 : cdv::TablaTT.Fila(fila)->Descripcion)
                                        : (esRef ? cdv::TablaTD.Fila(fila)->Ref
                                                 : cdv::TablaTD.Fila(fila)->Descripcion);
                QCOMPARE(c->itemText(i), QString::fromUtf8(texto.data(), texto.size()));
            }
            QCOMPARE(filas.size(), s.filas);
        }
        QCOMPARE(MisFunciones::IndiceTT, 0);
        QCOMPARE(MisFunciones::IndiceTD, 0);
        QVERIFY(b.caja("txtCantidadTD")->isVisible());
        QVERIFY(b.boton("cmbAñadirTD")->isVisible());
        QVERIFY(!b.marco("fraTT")->isVisible());
        QVERIFY(!b.marco("fraDescProyecto")->isVisible());
        QVERIFY(!b.marco("fraDescProyectoBasico")->isVisible());
        for (const char* nombre : {"txtCantidadTD", "txtTotalTD", "txtCantidadTT", "txtTotalTT"})
            QVERIFY(b.caja(nombre)->text().isEmpty());
        QVERIFY(b.etiqueta("lblUnidadTD")->text().isEmpty());
        for (const char* nombre : {"lstTotales", "lstProyectos", "lstReferencias", "lstMediciones"})
            QVERIFY(!b.almacen(nombre)->isVisible());
        for (const char* nombre : {"frmTotalesTT", "frmTotalesTD", "frmAcerca"})
            QVERIFY(b.ventana(nombre) == nullptr);
        QCOMPARE(b.marco("fraTD")->title(), QString("Tipo de Documento   "));
        QCOMPARE(b.marco("fraTT")->title(), QString("Tipos de Trabajos del Proyecto   "));
        QCOMPARE(b.etiqueta("Label1(0)")->text(), QString("QUENDAL (CDV)"));
        QVERIFY(!b.etiqueta("Picture1")->pixmap().isNull());
        QCOMPARE(b.etiqueta("Picture1")->pixmap().size(), QSize(234, 68));
    }

    void menu() {
        Banco b;
        QStringList titulos;
        for (QAction* a : b.principal().menuBar()->actions()) titulos << a->text();
        QCOMPARE(titulos, QStringList({"&Principal", "&Ver", "A&yuda"}));  // & marks Alt's letter
        const struct {
            const char* nombre;
            QString texto;
        } acciones[] = {{"mnuNuevo", "&Nuevo"},     {"mnuSalir", "&Salir"},
                        {"mnuCDV", "Resumen &CDV"}, {"mnuProyecto", "Resumen &Proyecto"},
                        {"mnuInfo", "&Info"},       {"mnuAcerca", "&Acerca de ..."}};
        for (const auto& a : acciones)
            QCOMPARE(Control<QAction>(&b.principal(), a.nombre)->text(), a.texto);

        b.menu("mnuInfo");
        int visibles = 0;
        for (const QWidget* w : QApplication::topLevelWidgets()) visibles += w->isVisible() ? 1 : 0;
        QCOMPARE(visibles, 1);
        QVERIFY(b.ventana("frmTotalesTD") == nullptr && b.ventana("frmAcerca") == nullptr);

        // The summary windows open empty, with an empty total, and are the same each time.
        b.menu("mnuCDV");
        b.menu("mnuProyecto");
        for (const char* nombre : {"frmTotalesTD", "frmTotalesTT"}) {
            QVERIFY(b.ventana(nombre)->isVisible());
            QCOMPARE(b.lista(nombre)->count(), 0);
            QCOMPARE(b.total(nombre)->text(), QString());
        }
        QWidget* resumen = b.ventana("frmTotalesTD");
        b.menu("mnuCDV");
        QCOMPARE(b.ventana("frmTotalesTD"), resumen);
        QCOMPARE(b.principal().findChildren<QWidget*>("frmTotalesTD").size(), 1);
    }

    void acerca() {
        Banco b;
        b.menu("mnuAcerca");
        QPointer<QWidget> acerca = b.ventana("frmAcerca");
        QVERIFY(acerca && acerca->isVisible());
        QCOMPARE(acerca->windowTitle(), QString("   Acerca de CDV - TORVEL"));
        const struct {
            int indice;
            QString texto;
        } rotulos[] = {{1, "Título"},
                       {2, "Ver."},
                       {3, "1.0.2"},
                       {4, "Propietario"},
                       {10, "Web"},
                       {6, "Programado por"},
                       {8, "Última Actualización"},
                       {9, "05/02/2007"},
                       {0, "CDV-TORVEL"}};
        for (const auto& r : rotulos)
            QCOMPARE(Control<QLabel>(acerca, QString("Label1(%1)").arg(r.indice))->text(), r.texto);
        for (int valor : {5, 7, 11})
            QVERIFY(!Control<QLabel>(acerca, QString("Label1(%1)").arg(valor))->text().isEmpty());
        QCOMPARE(Control<QLabel>(acerca, "Picture1")->pixmap().size(), QSize(57, 30));
        Pulsar(Control<QPushButton>(acerca, "Command1"));
        QTRY_VERIFY(acerca.isNull());  // destroyed, not hidden
        b.menu("mnuAcerca");
        QVERIFY(b.ventana("frmAcerca") != nullptr);
        CerrarConLaCruz(b.ventana("frmAcerca"));
        QTRY_VERIFY(b.ventana("frmAcerca") == nullptr);
    }

    // Road of a single document: pick, quantity, fee at once, add with the running total.
    void documentoPorUnidad() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "AAP");
        QCOMPARE(MisFunciones::IndiceTD, 1);
        QCOMPARE(b.selector("cbbDesTD")->currentText(),
                 QString("Acta de aprobación del plan de seguridad y salud"));
        QCOMPARE(b.etiqueta("lblUnidadTD")->text(), QString("Ud."));
        QCOMPARE(b.caja("txtCantidadTD")->text(), QString("1"));
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("26,50"));
        Escribir(b.caja("txtCantidadTD"), "3");
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("79,49"));

        Pulsar(b.boton("cmbAñadirTD"));
        QVERIFY(b.ventana("frmTotalesTD")->isVisible());
        QCOMPARE(b.ventana("frmTotalesTD")->windowTitle(), QString("   Resumen CDV"));
        QCOMPARE(Lineas(b.lista("frmTotalesTD")),
                 QStringList("AAP   Acta de aprobación del plan de seguridad y salud" +
                             QString(12, ' ') + "   Ud.: 3   Total: 79,49 €"));
        QCOMPARE(Lineas(b.almacen("lstTotales")), QStringList("79,49"));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("79,49"));

        // Nothing is reset: the same document again doubles its share of the total.
        Pulsar(b.boton("cmbAñadirTD"));
        QCOMPARE(b.lista("frmTotalesTD")->count(), 2);
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("158,98"));
        QCOMPARE(MisFunciones::SumaTD, 15898);
    }

    void documentoPorPresupuesto() {
        Banco b;
        Elegir(b.selector("cbbDesTD"),
               "Estudio de impacto ambiental que incluya medidas correctoras");
        QCOMPARE(b.selector("cbbRefTD")->currentText(), QString("EIA2"));
        QCOMPARE(b.etiqueta("lblUnidadTD")->text(), QString("Presupuesto"));
        QCOMPARE(b.caja("txtCantidadTD")->text(), QString());
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("0"));

        // Added at once, with no budget: the line has an empty quantity and the fee 0.
        Pulsar(b.boton("cmbAñadirTD"));
        QVERIFY(b.lista("frmTotalesTD")->item(0)->text().endsWith("   Presupuesto:    Total: 0 €"));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("0,00"));

        const struct {
            QString cantidad, cuota;
        } casos[] = {{"10000", "59,62"},
                     {"100000", "463,68"},
                     {"20.000", "92,74"},
                     {"1000000", "4636,8"},
                     {"1.500,5", "59,62"}};
        for (const auto& c : casos) {
            Escribir(b.caja("txtCantidadTD"), c.cantidad);
            QCOMPARE(b.caja("txtCantidadTD")->text(), c.cantidad);
            QCOMPARE(b.caja("txtTotalTD")->text(), c.cuota);
        }
        // A lone minus sign is no number, so a negative budget can only be pasted.
        b.caja("txtCantidadTD")->setText("-5");
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("59,62"));
        Escribir(b.caja("txtCantidadTD"), "1000000");
        Pulsar(b.boton("cmbAñadirTD"));
        QCOMPARE(b.total("frmTotalesTD")->text(), QString("4.636,80"));
    }

    // Every partial text of a number typed key by key is kept; a letter wipes everything.
    void cantidadTecleada() {
        Banco b;
        QLineEdit* cantidad = b.caja("txtCantidadTD");
        QLineEdit* cuota = b.caja("txtTotalTD");
        Escribir(cantidad, "5");  // before any document: wiped at once
        QCOMPARE(cantidad->text(), QString());

        Elegir(b.selector("cbbRefTD"), "EIA2");
        cantidad->setFocus();
        QString tecleado;
        for (const QChar tecla : QString("1.500,5")) {
            QTest::keyClicks(cantidad, QString(tecla));
            tecleado += tecla;
            QCOMPARE(cantidad->text(), tecleado);
            QVERIFY(!cuota->text().isEmpty());
        }
        QTest::keyClicks(cantidad, "a");
        QCOMPARE(cantidad->text(), QString());
        QCOMPARE(cuota->text(), QString());
        for (const QString basura : {"-", ",", "inf", "1e", "1e99", "12a", "0x10", " "}) {
            cantidad->setText(basura);  // pasted
            QCOMPARE(cantidad->text(), QString());
            QCOMPARE(cuota->text(), QString());
        }
        // Pasted at once, with grouping and an exponent.
        cantidad->setText("1,5e5");
        QCOMPARE(cuota->text(), QString("695,52"));
    }

    void elegirSinSeleccionarAlTeclear() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "AAP");
        QLineEdit* texto = b.selector("cbbRefTD")->lineEdit();
        texto->setFocus();
        QTest::keyClicks(texto, "X");  // typing alone is no choice
        QCOMPARE(MisFunciones::IndiceTD, 1);
        QCOMPARE(b.selector("cbbDesTD")->currentText(),
                 QString("Acta de aprobación del plan de seguridad y salud"));
        QCOMPARE(b.caja("txtTotalTD")->text(), QString("26,50"));
    }

    void vistaSegunDocumento() {
        Banco b;
        const struct {
            QString ref;
            bool entrada, proyecto, descuentoP, descuentoPB;
            QString nota;  // first line, empty when the note box is hidden
        } casos[] = {
            {"P", false, true, true, false, ""},
            {"PB", false, true, false, true, "Las CDV del Proyecto Básico son el 50%"},
            {"V", false, true, false, false, "Las CDV del Anteproyecto serán el 25%"},
            {"AAP", true, false, false, false, ""},
            {"PR", false, true, false, false, "Proyecto Reformado es el documento"},
            {"CFO", true, false, false, false, "Incluido en las CDV de la Dirección Técnica"},
            {"EIA2", true, false, false, false, ""},
        };
        for (const auto& c : casos) {
            Elegir(b.selector("cbbRefTD"), c.ref);
            QCOMPARE(b.selector("cbbRefTD")->currentText(), c.ref);
            for (const char* nombre : {"txtCantidadTD", "txtTotalTD"})
                QCOMPARE(b.caja(nombre)->isVisible(), c.entrada);
            QCOMPARE(b.etiqueta("lblUnidadTD")->isVisible(), c.entrada);
            QCOMPARE(b.etiqueta("lblEuroTd")->isVisible(), c.entrada);
            QCOMPARE(b.boton("cmbAñadirTD")->isVisible(), c.entrada);
            QCOMPARE(b.marco("fraTT")->isVisible(), c.proyecto);
            QCOMPARE(b.marco("fraDescProyecto")->isVisible(), c.descuentoP);
            QCOMPARE(b.marco("fraDescProyectoBasico")->isVisible(), c.descuentoPB);
            QPlainTextEdit* nota = b.nota("txtComentarioTD");
            QCOMPARE(nota->isVisible(), !c.nota.isEmpty());
            if (!c.nota.isEmpty()) QVERIFY(nota->toPlainText().startsWith(c.nota));
        }
        // A note of two lines shows as two lines.
        Elegir(b.selector("cbbRefTD"), "PR");
        QCOMPARE(b.nota("txtComentarioTD")->toPlainText().split('\n').size(), 2);
        QCOMPARE(b.nota("txtComentarioTD")->document()->blockCount(), 2);
    }

    // "OD" has no fee rule: its entry shows empty and cannot be added without a fee.
    void documentoSinRegla() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "AAP");
        Elegir(b.selector("cbbRefTD"), "OD");
        QCOMPARE(MisFunciones::IndiceTD, 34);
        QVERIFY(b.caja("txtCantidadTD")->isVisible());
        QCOMPARE(b.etiqueta("lblUnidadTD")->text(), QString());
        QCOMPARE(b.caja("txtCantidadTD")->text(), QString());
        QCOMPARE(b.caja("txtTotalTD")->text(), QString());
        Escribir(b.caja("txtCantidadTD"), "4");
        QCOMPARE(b.caja("txtCantidadTD")->text(), QString("4"));
        QCOMPARE(b.caja("txtTotalTD")->text(), QString());
        Pulsar(b.boton("cmbAñadirTD"));
        QVERIFY(b.ventana("frmTotalesTD") == nullptr);
        QCOMPARE(b.almacen("lstTotales")->count(), 0);
    }

    void anadirSinDocumentoNoHaceNada() {
        Banco b;
        Pulsar(b.boton("cmbAñadirTD"));
        QVERIFY(b.ventana("frmTotalesTD") == nullptr);
        Elegir(b.selector("cbbRefTD"), "AAP");
        Escribir(b.caja("txtCantidadTD"), "x");  // wipes the fee
        Pulsar(b.boton("cmbAñadirTD"));
        QVERIFY(b.ventana("frmTotalesTD") == nullptr);
        QCOMPARE(MisFunciones::SumaTD, 0);
    }

    void cajasDeSoloLectura() {
        Banco b;
        Elegir(b.selector("cbbRefTD"), "CFO");
        for (const char* nombre : {"txtTotalTD", "txtTotalTT"}) {
            QLineEdit* caja = b.caja(nombre);
            const QString antes = caja->text();
            caja->setFocus();
            QTest::keyClicks(caja, "123");
            QTest::keyClick(caja, Qt::Key_Backspace);
            QCOMPARE(caja->text(), antes);
        }
        QPlainTextEdit* nota = b.nota("txtComentarioTD");
        const QString antes = nota->toPlainText();
        QTest::keyClicks(nota, "texto");
        QCOMPARE(nota->toPlainText(), antes);
        Pulsar(b.boton("cmbAñadirTD"));
        QLineEdit* total = b.total("frmTotalesTD");
        QTest::keyClicks(total, "9");
        QCOMPARE(total->text(), QString("0,00"));
    }

    void importeDemasiadoGrande() {
        Banco b;
        Contestador contestador;
        Elegir(b.selector("cbbRefTD"), "C");
        b.caja("txtCantidadTD")->setText("1e30");           // pasted: typed, "1e" would wipe it
        QCOMPARE(b.caja("txtTotalTD")->text().size(), 45);  // 32 digits, grouped, and ",00"
        Pulsar(b.boton("cmbAñadirTD"));
        QCOMPARE(contestador.mensajes.size(), 1);
        QCOMPARE(contestador.mensajes[0].texto,
                 QString("El importe es demasiado grande: no se puede añadir a la lista."));
        QVERIFY(!b.ventana("frmTotalesTD")->isVisible());
        QCOMPARE(b.lista("frmTotalesTD")->count(), 0);
        QCOMPARE(b.almacen("lstTotales")->count(), 0);
    }

    void nuevo() {
        Banco b;
        Contestador contestador;
        QString lanzado;
        bool arranca = false;
        b.principal().setLanzador([&](const QString& programa) {
            lanzado = programa;
            return arranca;
        });
        b.menu("mnuNuevo");  // the start fails: this run goes on and says so
        QVERIFY(b.principal().isVisible());
        QCOMPARE(contestador.mensajes.size(), 1);
        QCOMPARE(
            contestador.mensajes[0].texto,
            QString("No se ha podido iniciar una nueva copia del programa; esta sigue abierta."));
        arranca = true;
        b.menu("mnuNuevo");
        QCOMPARE(lanzado, QCoreApplication::applicationFilePath());
        QVERIFY(!b.principal().isVisible());
    }
};

QTEST_MAIN(TestPrincipal)
#include "test_principal.moc"
