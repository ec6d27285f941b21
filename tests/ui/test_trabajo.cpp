// A working day: lines changed in place and undone, files reopened from the recent list, a
// session left unsaved offered at the next start, the file commands from the summary windows,
// and the file number kept with the request and the statement's names.
#include <QMenu>
#include <QToolBar>

#include "Ajustes.h"
#include "ArchivoLocal.h"
#include "ArchivoSolicitud.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Recuperacion.h"
#include "Ventanas.h"

namespace {

QString Deshacer(Banco& b) {
    return b.c<QAction>("mnuDeshacer")->text();
}

}  // namespace

class TestTrabajo : public QObject {
    Q_OBJECT

  private slots:
    void init() { LocaleEspanol(); }

    // A document, a work item and a project, each changed in its place as one change, and a
    // change given up.
    void modificarEnSuSitio() {
        Banco b;
        Contestador contestador;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        b.elegir("cbbRefTD", "C");
        b.pulsar("cmbAñadirTD");
        b.seleccionar("frmTotalesTD", 0);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        // Said where it shows whole: "Guardar cambios" was clipped in its button.
        QCOMPARE(b.texto("cmbAñadirTD"), QString("Guardar"));
        QCOMPARE(b.c<QGroupBox>("fraTD")->title(),
                 QString("Tipo de Documento — modificando la línea 1 (AAP)   "));
        QVERIFY(b.aLaVista("cmbCancelarTD"));
        QCOMPARE(b.texto("cbbRefTD"), QString("AAP"));
        Escribir(b.caja("txtCantidadTD"), "3");
        b.pulsar("cmbAñadirTD");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 2);
        QVERIFY(Lineas(b.lista("frmTotalesTD")).value(0).endsWith("Ud.: 3   Total: 79,49 €"));
        QCOMPARE(Deshacer(b), QString("&Deshacer Modificar AAP"));
        QCOMPARE(b.texto("cmbAñadirTD"), QString("Añadir"));
        QVERIFY(!b.aLaVista("cmbCancelarTD"));
        b.menu("mnuDeshacer");
        QVERIFY(Lineas(b.lista("frmTotalesTD")).value(0).endsWith("Ud.: 1   Total: 26,50 €"));

        const QStringList antes = Lineas(b.lista("frmTotalesTD"));
        b.seleccionar("frmTotalesTD", 1);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        Escribir(b.caja("txtCantidadTD"), "7");
        b.pulsar("cmbCancelarTD");
        QCOMPARE(b.c<QGroupBox>("fraTD")->title(), QString("Tipo de Documento   "));
        b.pulsar("cmbAñadirTD");  // now an ordinary "Añadir"
        QCOMPARE(Lineas(b.lista("frmTotalesTD")).mid(0, 2), antes);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 3);

        // Escape gives a change up; removing another line keeps it going on its line; its own
        // line gone ends it, with its quantity, so that Enter adds nothing (it once turned back
        // to "Añadir" in silence, the new quantity still in the box).
        b.seleccionar("frmTotalesTD", 2);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Escape);
        QCOMPARE(b.texto("cmbAñadirTD"), QString("Añadir"));
        b.seleccionar("frmTotalesTD", 2);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        Escribir(b.caja("txtCantidadTD"), "5");
        b.seleccionar("frmTotalesTD", 0);
        b.pulsarEn("frmTotalesTD", "cmbEliminar");
        QCOMPARE(b.c<QGroupBox>("fraTD")->title(),
                 QString("Tipo de Documento — modificando la línea 2 (C)   "));
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Return);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 2);
        QCOMPARE(b.solicitud().Documentos().En(1).cantidad, QString("5"));
        b.seleccionar("frmTotalesTD", 1);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        Escribir(b.caja("txtCantidadTD"), "6");
        b.menu("mnuDeshacer");  // the change to 5, then the line itself, gone
        b.menu("mnuDeshacer");
        b.menu("mnuDeshacer");
        QCOMPARE(b.texto("cmbAñadirTD"), QString("Añadir"));
        QCOMPARE(b.texto("txtCantidadTD"), QString());
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Return);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 2);
        b.menu("mnuRehacer");
        b.menu("mnuRehacer");
        b.menu("mnuRehacer");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 2);

        // A project: charged with "Hecho", brought back, its discount changed, charged again
        // in its place.
        b.elegir("cbbRefTD", "P");
        b.elegir("cbbRefTT", "DVPG");
        b.pulsar("cmbAñadirTT");
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 3);
        const QString proyecto = Lineas(b.lista("frmTotalesTD")).value(2);
        b.seleccionar("frmTotalesTD", 2);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        QVERIFY(Control<QPushButton>(b.ventana("frmTotalesTT"), "cmbCancelar")->isVisible());
        b.pulsar("otbProyecto(2)");  // Anteproyecto
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 3);
        QVERIFY(Lineas(b.lista("frmTotalesTD")).value(2).contains("Descontado el Anteproyecto"));
        QCOMPARE(Deshacer(b), QString("&Deshacer Modificar P"));
        b.menu("mnuDeshacer");
        QCOMPARE(Lineas(b.lista("frmTotalesTD")).value(2), proyecto);

        // A work item of the project under way, changed in the work side.
        b.seleccionar("frmTotalesTT", 0);
        b.pulsarEn("frmTotalesTT", "cmbModificar");
        QCOMPARE(b.texto("cmbAñadirTT"), QString("Guardar"));
        Escribir(b.caja("txtCantidadTT"), "2");
        b.pulsar("cmbAñadirTT");
        QCOMPARE(b.solicitud().Partidas().Cuantas(), 1);
        QCOMPARE(b.solicitud().Partidas().En(0).cantidad, QString("2"));
        QCOMPARE(Deshacer(b), QString("&Deshacer Modificar DVPG"));
        QVERIFY(contestador.mensajes.isEmpty());
    }

    // A project line brought back after the request was opened again (new copies of its
    // lines) is changed in its place, as in the run that made it; the same project charged
    // twice only when the user says so; items under way that no line holds are not lost.
    void proyectoNoSeCobraDosVeces() {
        QTemporaryDir carpeta;
        Contestador contestador;
        Banco b;
        b.elegir("cbbRefTD", "P");
        b.elegir("cbbRefTT", "INIF");
        Escribir(b.caja("txtCantidadTT"), "100");
        b.pulsar("cmbAñadirTT");
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        contestador.archivo = carpeta.filePath("proyecto.cdv");
        b.menu("mnuGuardarComo");
        QVERIFY(b.p->AbrirArchivo(contestador.archivo));
        b.seleccionar("frmTotalesTD", 0);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        QVERIFY(contestador.mensajes.isEmpty());
        QVERIFY(Control<QPushButton>(b.ventana("frmTotalesTT"), "cmbCancelar")->isVisible());
        b.pulsarEn("frmTotalesTT", "cmbCancelar");

        // "Hecho" again on the same items: asked, and Cancelar (the default) adds nothing.
        contestador.respuesta = QMessageBox::Cancel;
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].contains("cobrarlo dos veces"));
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 1);
        contestador.respuesta = QMessageBox::Yes;
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 2);

        // Items no line holds: refused, with advice that charges nothing twice.
        b.elegir("cbbRefTT", "INAC");
        Escribir(b.caja("txtCantidadTT"), "300");
        b.pulsar("cmbAñadirTT");
        contestador.mensajes.clear();
        b.seleccionar("frmTotalesTD", 0);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].contains("no están en ninguna línea de la lista"));
        QCOMPARE(b.solicitud().Partidas().Cuantas(), 2);
    }

    // A request never saved is offered in Documentos the first time (never the working
    // folder, which on Windows is the program's own), later in the folder used last, named
    // after its file number, else its work, else the day; a name no system would take is
    // mended.
    void carpetasYNombres() {
        QTemporaryDir casa, otra;
        const QByteArray antes = qgetenv("HOME");
        qputenv("HOME", casa.path().toUtf8());
        QDir(casa.path()).mkdir("Documents");
        const QString documentos =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        Ajustes().remove("carpeta");
        QFile::remove(cdv::CarpetaConfiguracionUsuario() + "/QtProject.conf");  // of older runs
        Contestador contestador;
        const QString hoy = QDate::currentDate().toString("dd-MM-yyyy");
        {
            Banco b;
            b.menu("mnuGuardarComo");
            b.p->Documento().CambiarTrabajo("Nave: Logroño");
            b.menu("mnuGuardarComo");
            b.p->Documento().CambiarExpediente("EXP-2026/7");
            contestador.archivo = otra.filePath("guardada.cdv");
            b.menu("mnuGuardarComo");
            contestador.archivo.clear();
        }
        Banco b;
        b.menu("mnuGuardarComo");
        b.menu("mnuExportarPDF");
        qputenv("HOME", antes);
        // Qt's dialogs left no state under the name every Qt program shares, and leave another
        // program's there.
        const QString deQt = cdv::CarpetaConfiguracionUsuario() + "/QtProject.conf";
        QVERIFY(!QFileInfo::exists(deQt));
        EscribirArchivo(deQt, "[FileDialog]\nviewMode=Detail\n");
        b.menu("mnuGuardarComo");
        QVERIFY(QFileInfo::exists(deQt));
        QFile::remove(deQt);
        contestador.sugeridos.removeLast();
        QCOMPARE(contestador.sugeridos,
                 QStringList({documentos + "/Solicitud CDV " + hoy + ".cdv",
                              documentos + "/Nave- Logroño.cdv", documentos + "/EXP-2026-7.cdv",
                              otra.filePath("Solicitud CDV " + hoy + ".cdv"),
                              otra.filePath("Liquidación CDV " + hoy + ".pdf")}));
    }

    // The files last opened or saved, newest first, named with their folders; one gone leaves
    // the list with a message; the commands reach from a summary window by their keys.
    void archivosYTeclas() {
        QTemporaryDir carpeta;
        Ajustes().remove("recientes");
        Contestador contestador;
        Banco b;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        QWidget* resumen = b.ventana("frmTotalesTD");
        const auto teclas = [resumen](Qt::Key tecla, Qt::KeyboardModifiers modificadores) {
            resumen->activateWindow();  // the summary window is the one in use
            QTRY_VERIFY(resumen->isActiveWindow());
            QTest::keyClick(resumen, tecla, modificadores);
        };
        b.menu("mnuExportarPDF");  // a request never saved: the statement's name and today's
        QVERIFY(contestador.sugeridos.value(0).endsWith(
            "/Liquidación CDV " + QDate::currentDate().toString("dd-MM-yyyy") + ".pdf"));
        contestador.archivo = carpeta.filePath("Nave Logroño.cdv");
        teclas(Qt::Key_S, Qt::ControlModifier);  // saved from the summary
        QVERIFY(QFile::exists(contestador.archivo));
        contestador.archivo = carpeta.filePath("otra.cdv");
        teclas(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        teclas(Qt::Key_Z, Qt::ControlModifier);  // undone from there too
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 0);
        const auto* recientes = b.p->findChild<QMenu*>("mnuRecientes");
        QVERIFY(recientes->actions().value(0)->text().contains("otra.cdv"));
        QVERIFY(recientes->actions().value(1)->text().contains("Nave Logroño.cdv"));
        QVERIFY(recientes->actions().value(1)->text().contains(
            QDir::toNativeSeparators(carpeta.path())));

        // The statement's names follow the request's.
        contestador.archivo.clear();
        contestador.sugeridos.clear();
        b.menu("mnuExportarPDF");
        b.menu("mnuExportarCSV");
        QCOMPARE(contestador.sugeridos,
                 QStringList({carpeta.filePath("otra.pdf"), carpeta.filePath("otra.csv")}));

        contestador.respuesta = QMessageBox::Discard;
        recientes->actions().value(1)->trigger();  // asks, drops the undone change, opens
        QCOMPARE(b.p->windowTitle(), QString("Nave Logroño.cdv[*] – CDV-TORVEL"));
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 1);
        QFile::remove(carpeta.filePath("otra.cdv"));
        contestador.mensajes.clear();
        recientes->actions().value(1)->trigger();
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].contains("«otra.cdv» ya no está"));
        QCOMPARE(recientes->actions().size(), 1);
    }

    // A session another run left waits in a bar under the menu, which takes no focus; with
    // none waiting, there is no bar. The statement's file number is one change, and kept.
    void sesionEsperandoYExpediente() {
        QTemporaryDir carpeta;
        Contestador contestador;
        // What the earlier tests' runs left goes first.
        for (const QString& dejada : QDir(Recuperacion::CarpetaPorDefecto()).entryList(QDir::Files))
            QFile::remove(Recuperacion::CarpetaPorDefecto() + "/" + dejada);
        {
            Banco vacia;
            QTest::qWait(50);
            QVERIFY(!vacia.p->findChild<QToolBar*>("avisoRecuperar")->isVisible());
        }
        QDir().mkpath(Recuperacion::CarpetaPorDefecto());
        EscribirArchivo(Recuperacion::CarpetaPorDefecto() + "/dejada.cdv",
                        R"({"formato": 1, "documentos": [
            {"referencia": "AAP", "cantidad": "1", "cuota": "26.5"},
            {"referencia": "C", "cantidad": "1", "cuota": "39.74"},
            {"referencia": "AAP", "cantidad": "2", "cuota": "52.99"}]})");
        Banco b;
        auto* barra = b.p->findChild<QToolBar*>("avisoRecuperar");
        QTRY_VERIFY(barra->isVisible());
        QVERIFY(barra->findChild<QLabel*>()->text().startsWith("Hay una sesión sin guardar del "));
        QVERIFY(barra->findChild<QLabel*>()->text().endsWith(" (3 documentos)."));
        QVERIFY(!barra->isAncestorOf(QApplication::focusWidget()));
        Control<QPushButton>(barra, "cmbRecuperarAviso")->click();
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 3);
        QTRY_VERIFY(!barra->isVisible());

        b.menu("mnuCDV");
        auto* expediente = Control<QLineEdit>(b.ventana("frmTotalesTD"), "txtExpediente");
        // Pasted past what the file keeps: cut, and the box says so (it was once cut in
        // silence, and the cut text printed).
        expediente->setFocus();
        QGuiApplication::clipboard()->setText(QString(52, u'E'));
        QTest::keyClick(expediente, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b.solicitud().Expediente(), QString(40, u'E'));
        QCOMPARE(expediente->text(), QString(40, u'E'));
        QVERIFY(expediente->toolTip().startsWith("Se han cortado 12 caracteres: caben 40"));
        b.menu("mnuDeshacer");
        // Tab runs as the window reads (it once went from the list to Eliminar, Modificar and
        // then up to Trabajo).
        QStringList orden;
        QWidget* control = expediente;
        do {
            if ((control->focusPolicy() & Qt::TabFocus) && control->isVisible())
                orden << control->objectName();
            control = control->nextInFocusChain();
        } while (control != expediente && orden.size() < 20);
        QCOMPARE(orden, QStringList({"txtExpediente", "txtTrabajo", "txtColegiado", "lstVisados",
                                     "cmbModificar", "cmbEliminar", "txtTotalCDV"}));
        Escribir(expediente, "EXP-2026/7");
        QCOMPARE(Deshacer(b), QString("&Deshacer Expediente"));
        contestador.archivo = carpeta.filePath("con expediente.cdv");
        b.menu("mnuGuardarComo");
        const cdv::LecturaSolicitud leida =
            cdv::AbrirArchivo(contestador.archivo, b.p->Documento().Baremos());
        QCOMPARE(leida.contenido->expediente, QString("EXP-2026/7"));
        b.menu("mnuDeshacer");
        QCOMPARE(expediente->text(), QString());
    }
};

QTEST_MAIN(TestTrabajo)
#include "test_trabajo.moc"
