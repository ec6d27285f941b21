// The windows driven as a user drives them, by their object names.
#include <cmath>

#include "Ajustes.h"
#include "ArchivoBaremo.h"
#include "BaremoDePrueba.h"
#include "Diseno.h"
#include "PanelEntrada.h"
#include "Ventanas.h"

namespace {

// The relative luminance the accessibility guidelines measure contrast with.
double Luz(const QColor& c) {
    const auto canal = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * canal(c.redF()) + 0.7152 * canal(c.greenF()) + 0.0722 * canal(c.blueF());
}

}  // namespace

class TestVentanas : public QObject {
    Q_OBJECT

  private slots:
    void init() { LocaleEspanol(); }  // each test starts with Spanish conventions

    // A single document: its fee and how it is reached as soon as it is picked, a typed
    // quantity, lines added; what cannot be added says why.
    void documento() {
        Banco b;
        Contestador contestador;
        b.elegir("cbbRefTD", "AAP");
        b.caja("txtCantidadTD")->setFocus();  // the type changed under a scrolling wheel
        QWheelEvent rueda(QPointF(5, 5), b.c("cbbRefTD")->mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(b.c("cbbRefTD"), &rueda);
        QCOMPARE(
            b.textos({"cbbDesTD", "lblUnidadTD", "txtCantidadTD", "txtTotalTD"}),
            QStringList({"Acta de aprobación del plan de seguridad y salud", "Ud.", "1", "26,50"}));
        QCOMPARE(QStringList({b.texto("lblDesgloseTD"), b.caja("txtTotalTD")->toolTip(),
                              b.caja("txtTotalTD")->accessibleDescription()}),
                 QStringList(3, "Por unidad: 1 × 20 € × 1,28 × 1,035 = 26,50\nCuota: 26,50"));
        Escribir(b.caja("txtCantidadTD"), "3");
        b.pulsar("cmbAñadirTD");
        QCOMPARE(Lineas(b.lista("frmTotalesTD")),
                 QStringList("AAP   Acta de aprobación del plan de seguridad y salud" +
                             QString(12, ' ') + "   Ud.: 3   Total: 79,49 €"));

        // A point typed for decimals is no number here: the box says so, keeps what was typed,
        // and nothing is added ("150000.50" was once read as 15.000.050 € and priced).
        b.elegir("cbbRefTD", "ESS2");
        Escribir(b.caja("txtCantidadTD"), "150000.50");
        QCOMPARE(b.textos({"txtCantidadTD", "txtTotalTD"}), QStringList({"150000.50", ""}));
        // Whole, where QString::arg once took "%20" of its example for a placeholder.
        QCOMPARE(b.caja("txtCantidadTD")->toolTip(),
                 QString("Use la coma para los decimales: 150000,50. Los miles pueden separarse "
                         "con el punto, de tres en tres: 150.000,50."));
        b.pulsar("cmbAñadirTD");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 1);
        Escribir(b.caja("txtCantidadTD"), "150.000,50");
        QVERIFY(!b.texto("txtTotalTD").isEmpty());
        QCOMPARE(b.caja("txtCantidadTD")->toolTip(), QString());
        // A budget pasted with its euro sign is the same amount, kept without the sign; a
        // unit count with one is no number.
        const QString sinSigno = b.texto("txtTotalTD");
        b.caja("txtCantidadTD")->setText("€ 150.000,50");
        QCOMPARE(b.texto("txtTotalTD"), sinSigno);
        b.pulsar("cmbAñadirTD");
        QCOMPARE(b.solicitud().Documentos().En(1).cantidad, QString("150,000.50"));
        b.menu("mnuDeshacer");
        b.elegir("cbbRefTD", "AAP");
        b.caja("txtCantidadTD")->setText("3 €");
        QVERIFY(b.caja("txtCantidadTD")->toolTip().startsWith("Use la coma"));
        b.elegir("cbbRefTD", "ESS2");

        // Long texts whole: a long fee in its narrow box, a description from its start once
        // the reference is typed and Tab pressed.
        b.elegir("cbbRefTD", "C");
        QTest::keyClick(b.c<QComboBox>("cbbRefTD")->lineEdit(), Qt::Key_Tab);
        QCOMPARE(b.c<QComboBox>("cbbDesTD")->lineEdit()->cursorPosition(), 0);
        const QFont letra = b.caja("txtTotalTD")->font();
        Escribir(b.caja("txtCantidadTD"), "1.500.000,5");
        QLineEdit* cuota = b.caja("txtTotalTD");
        QCOMPARE(cuota->text(), QString("59.616.019,87"));
        QVERIFY(cuota->fontMetrics().horizontalAdvance(cuota->text()) <
                cuota->contentsRect().width());
        Escribir(b.caja("txtCantidadTD"), "1");
        QCOMPARE(cuota->font(), letra);
        // A fee past what is kept in cents is none: nothing shown (once "1.000...,00", and
        // "inf,00" for a forged schedule), the breakdown says why, nothing added.
        b.caja("txtCantidadTD")->setText("1e30");  // pasted
        QCOMPARE(b.texto("txtTotalTD"), QString());
        QVERIFY(
            b.texto("lblDesgloseTD").endsWith("pasa del mayor importe que el programa calcula"));
        b.pulsar("cmbAñadirTD");
        b.caja("txtCantidadTD")->setText("-3");  // a negative fee is shown, not added
        QCOMPARE(b.texto("txtTotalTD"), QString("-119,23"));
        b.pulsar("cmbAñadirTD");
        QCOMPARE(contestador.mensajes,
                 QStringList({"   ERROR|La cantidad es negativa: no se puede añadir a la lista."}));
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 1);
    }

    // A project from the first pick to its line in the summary, with a discount; "Hecho"
    // without a project; a scale's message.
    void proyecto() {
        Banco b;
        Contestador contestador;
        b.elegir("cbbRefTD", "P");
        b.elegir("cbbRefTT", "INAC");
        Escribir(b.caja("txtCantidadTT"), "300");
        b.pulsar("cmbAñadirTT");
        b.elegir("cbbDesTT", "Aparatos a presión o a gas de tipo único o en serie");
        QCOMPARE(b.textos({"cbbRefTT", "txtCantidadTT", "txtTotalTT"}),
                 QStringList({"DVPG", "1", "45,04"}));
        b.pulsar("cmbAñadirTT");
        b.pulsar("otbProyecto(2)");  // Anteproyecto: a quarter off, 85.385 rounded away to 85.39
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        QVERIFY(!b.ventana("frmTotalesTT")->isVisible() && b.ventana("frmTotalesTD")->isVisible());
        QCOMPARE(Lineas(b.lista("frmTotalesTD")),
                 QStringList("P     Proyecto               INAC (300), DVPG (1)   Descontado el "
                             "Anteproyecto   Total: 256,15 €"));
        b.elegir("cbbRefTD", "AAP");  // "Hecho" for a document that is not a project
        b.menu("mnuProyecto");
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        QVERIFY(contestador.mensajes.value(0).startsWith("   ERROR|Para pulsar Hecho, elija"));
        QVERIFY(b.ventana("frmTotalesTT")->isVisible());
        // A scale's message: a modal box titled "   ERROR", one OK button, no icon; fee 0,00.
        b.elegir("cbbRefTD", "P");
        b.elegir("cbbRefTT", "LAN");
        b.caja("txtCantidadTT")->setText("2000000");
        QCOMPARE(b.texto("txtTotalTT"), QString("0,00"));
        QCOMPARE(contestador.mensajes.value(1),
                 QString("   ERROR|La Superficie es demasiado alta"));
        QVERIFY(contestador.sencillos);
    }

    // Words typed in a description selector, or in the schedule window, narrow the rows
    // (case and accents ignored, any order); the row picked is chosen in the main window.
    void buscar() {
        Banco b;
        b.elegir("cbbRefTD", "P");
        QLineEdit* texto = b.c<QComboBox>("cbbDesTT")->lineEdit();
        texto->setFocus();
        Teclear(texto, "VIV agüa 41");
        QAbstractItemView* lista = b.c<QComboBox>("cbbDesTT")->completer()->popup();
        QCOMPARE(Lineas(lista), QStringList("Agua viviendas 41=<viv=<100"));
        QTest::keyClick(lista, Qt::Key_Down);
        QTest::keyClick(lista, Qt::Key_Return);
        const cdv::TrabajoTT* elegida = b.solicitud().Baremo().TablaTT.Fila(b.p->Trabajos().Fila());
        QVERIFY(elegida != nullptr);
        QCOMPARE(b.textos({"cbbRefTT", "cbbDesTT"}),
                 QStringList({Qs(elegida->Ref), "Agua viviendas 41=<viv=<100"}));

        // Long descriptions whole, each also as its tooltip.
        auto* des = b.c<QComboBox>("cbbDesTD");
        des->lineEdit()->setFocus();
        QTest::keyClick(des->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        Teclear(des->lineEdit(), "estudio seguridad");
        QAbstractItemView* halladas = des->completer()->popup();
        QCOMPARE(halladas->model()->rowCount(), 4);
        for (int fila = 0; fila < 4; ++fila) {
            const QModelIndex indice = halladas->model()->index(fila, 0);
            QCOMPARE(indice.data(Qt::ToolTipRole), indice.data());
            QVERIFY(halladas->viewport()->width() >=
                    halladas->fontMetrics().horizontalAdvance(indice.data().toString()));
        }
        // Words that match nothing: the arrows and Enter change nothing.
        b.elegir("cbbRefTD", "AAP");
        des->lineEdit()->setFocus();
        Teclear(des->lineEdit(), " zzz");
        QVERIFY(!halladas->isVisible());
        for (const auto tecla : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Return})
            QTest::keyClick(des->lineEdit(), tecla);
        QCOMPARE(QStringList({b.texto("cbbRefTD"), b.texto("txtTotalTD")}),
                 QStringList({"AAP", "26,50"}));

        b.menu("mnuInfo");
        QWidget* info = b.ventana("frmInfo");
        Control<QLineEdit>(info, "txtBuscar")->setText("agua VIV");
        auto* trabajos = Control<QTableView>(info, "tblTrabajos");
        QCOMPARE(trabajos->model()->rowCount(), 4);
        trabajos->setCurrentIndex(trabajos->model()->index(3, 0));
        QTest::keyClick(trabajos, Qt::Key_Return);
        const QString descripcion = trabajos->model()->index(3, 1).data().toString();
        QCOMPARE(b.texto("cbbDesTT"), descripcion);
        QCOMPARE(Qs(b.solicitud().Baremo().TablaTT.Fila(b.p->Trabajos().Fila())->Descripcion),
                 descripcion);
    }

    // Every control of the five windows has an accessible name, and every caption reads on
    // its window's ground even under a dark desktop scheme (whose light text the forms' white
    // would hide): a contrast of 4.5 to 1 at least (the accessibility guidelines' measure).
    void cadaControl() {
        const QPalette antes = QApplication::palette();
        QApplication::setPalette(PaletaOscura());
        Banco b;
        b.elegir("cbbRefTD", "P");
        for (const char* menu : {"mnuCDV", "mnuProyecto", "mnuAcerca", "mnuInfo"}) b.menu(menu);
        // The main window can come in front of the summary windows and Info: none is owned.
        for (const char* nombre : {"frmTotalesTD", "frmTotalesTT", "frmInfo"})
            QVERIFY2(b.ventana(nombre)->windowHandle()->transientParent() == nullptr, nombre);
        for (QWidget* ventana :
             {static_cast<QWidget*>(b.p.get()), b.ventana("frmTotalesTD"),
              b.ventana("frmTotalesTT"), b.ventana("frmAcerca"), b.ventana("frmInfo")}) {
            for (QWidget* w : ventana->findChildren<QWidget*>()) {
                if (!w->isVisibleTo(ventana) || w->window() != ventana) continue;
                const QString nombre = w->parentWidget()->objectName() + "/" + w->objectName();
                // Every control, those inside the selectors too, and every picture.
                const auto* etiqueta = qobject_cast<QLabel*>(w);
                if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                    qobject_cast<QComboBox*>(w) ||
                    (qobject_cast<QAbstractScrollArea*>(w) && !w->objectName().isEmpty()) ||
                    (etiqueta && !etiqueta->pixmap().isNull())) {
                    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                    QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(nombre));
                }
                if (!(etiqueta && !etiqueta->text().isEmpty()) && !qobject_cast<QGroupBox*>(w) &&
                    !qobject_cast<QAbstractButton*>(w))
                    continue;
                // On the window's ground, or a button's face.
                const double fondo = Luz(ventana->palette().color(
                    qobject_cast<QPushButton*>(w) ? QPalette::Button : QPalette::Window));
                const double texto = Luz(w->palette().color(w->foregroundRole()));
                const double contraste =
                    (std::max(texto, fondo) + 0.05) / (std::min(texto, fondo) + 0.05);
                QVERIFY2(contraste >= 4.5, qPrintable(nombre + ": " + QString::number(contraste)));
            }
        }
        QApplication::setPalette(antes);
    }

    // Everything by keyboard: the tab order, the keypad, Enter to add; in a summary list, copy,
    // select all and delete.
    void teclado() {
        Banco b;
        b.elegir("cbbRefTD", "P");
        b.elegir("cbbRefTT", "LAN");
        b.c("cbbRefTT")->setFocus();
        QStringList recorrido;
        for (int i = 0; i < 6; ++i) {
            QWidget* w = QApplication::focusWidget();
            recorrido << (qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w)
                             ->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QCOMPARE(recorrido, QStringList({"cbbRefTT", "cbbDesTT", "txtCantidadTT", "txtTotalTT",
                                         "txtComentarioTT", "cmbAñadirTT"}));
        b.elegir("cbbRefTD", "CFO");  // the fee box is read-only
        Teclear(b.caja("txtTotalTD"), "123");
        QCOMPARE(b.texto("txtTotalTD"), QString("0,00"));

        b.elegir("cbbRefTD", "AAP");
        Escribir(b.caja("txtCantidadTD"), "1");  // the keypad's decimal key: the locale's comma
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Period, Qt::KeypadModifier);
        Teclear(b.caja("txtCantidadTD"), "5");
        QCOMPARE(b.texto("txtTotalTD"), QString("39,74"));
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Return);  // Enter adds
        Escribir(b.caja("txtCantidadTD"), "2");
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Enter, Qt::KeypadModifier);
        QAbstractItemView* lista = b.lista("frmTotalesTD");
        QCOMPARE(lista->model()->rowCount(), 2);
        QVERIFY(QFontInfo(lista->font()).fixedPitch());
        b.seleccionar("frmTotalesTD", 1);
        QTest::keyClick(lista, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), Lineas(lista).at(1));
        QVERIFY(QApplication::clipboard()->mimeData()->html().contains(  // columns for a sheet
            "<td>AAP</td><td>Acta de aprobación del plan de seguridad y salud</td><td>2</td>"));
        QTest::keyClick(lista, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(lista, Qt::Key_Delete);  // every selected line
        QCOMPARE(lista->model()->rowCount() + b.solicitud().Documentos().Cuantas(), 0);
    }

    // The request as a document: saved and opened through the menu, changes marked in the
    // title, a text pasted in a summary window undone, a bad file refused.
    void archivo() {
        QTemporaryDir carpeta;
        Banco b;
        Contestador contestador;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        contestador.archivo = carpeta.filePath("solicitud");
        b.menu("mnuGuardar");  // no file yet: asked for, ".cdv" added
        QCOMPARE(b.p->windowTitle(), QString("solicitud.cdv[*] – CDV-TORVEL"));
        QVERIFY(!b.p->isWindowModified());
        b.menu("mnuGuardarComo");  // the same name again: the suffix names a file that exists
        QVERIFY(contestador.mensajes.takeFirst().contains("solicitud.cdv». ¿Desea reemplazarlo?"));
        b.pulsar("cmbAñadirTD");

        b.menu("mnuCDV");
        auto* trabajo = Control<QLineEdit>(b.ventana("frmTotalesTD"), "txtTrabajo");
        QApplication::clipboard()->setText(QString(201, 'x'));  // as long as a file keeps
        QTest::keyClick(trabajo, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(b.solicitud().Trabajo(), QString(200, 'x'));
        b.menu("mnuDeshacer");
        QCOMPARE(trabajo->text(), QString());

        contestador.archivo = carpeta.filePath("roto.cdv");
        EscribirArchivo(contestador.archivo, "{\"formato\": 1, \"docu");
        b.menu("mnuAbrir");  // the changes are dropped (the user agrees), but the file is bad
        QCOMPARE(contestador.mensajes,
                 QStringList({"   CDV-TORVEL|La solicitud tiene cambios que no se han guardado. "
                              "¿Desea guardarlos?",
                              "   ERROR|No se puede abrir «roto.cdv»: no es JSON válido, o está "
                              "incompleto (carácter 21)."}));
        QCOMPARE(b.total("frmTotalesTD"), QString("53,00"));
        QCOMPARE(b.p->windowTitle(), QString("solicitud.cdv[*] – CDV-TORVEL"));
        contestador.archivo = carpeta.filePath("solicitud.cdv");
        b.menu("mnuAbrir");
        QCOMPARE(b.total("frmTotalesTD"), QString("26,50"));
        QVERIFY(!b.p->isWindowModified() && !b.c<QAction>("mnuDeshacer")->isEnabled());
    }

    // A request that would mislead: its text shown as markup (a red heading, a picture loaded
    // from disk) is quoted as it is; one priced by a schedule not installed says so before it
    // shows, with each line whose reference now means something else marked.
    void archivoQueEngana() {
        QTemporaryDir carpeta;
        Banco b;
        Contestador contestador;
        contestador.archivo = carpeta.filePath("rico.cdv");
        const QByteArray rico = "<h1 style=color:red>FALTA PAGAR 950 EUR</h1><img src=x.png>";
        EscribirArchivo(contestador.archivo, R"({"formato": 1, "documentos": [{"referencia": "P",
            "descuento": ")" + rico + R"(", "partidas": [], "cuota": "0"}]})");
        b.menu("mnuAbrir");
        QCOMPARE(contestador.mensajes, QStringList("   ERROR|No se puede abrir «rico.cdv»: el "
                                                   "descuento «" +
                                                   rico + "» no existe para «P»."));

        contestador.mensajes.clear();
        contestador.archivo = carpeta.filePath("ajena.cdv");
        EscribirArchivo(contestador.archivo, R"({"formato": 1, "documentos": [{"referencia": "AAP",
            "descripcion": "Aval de apertura", "cantidad": "1", "cuota": "26.5"}], "baremo": {
            "nombre": "<b>Otro</b>", "vigente_desde": "2025-01-01", "huella": "x"}})");
        b.menu("mnuAbrir");
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].startsWith(
            "   CDV-TORVEL|Esta solicitud se calculó con el baremo «<b>Otro</b>» del 01/01/2025, "
            "que no está instalado."));
        QVERIFY(contestador.mensajes[0].contains(
            "documento 1 (AAP): guardado como «Aval de apertura»; en este baremo, «Acta de "
            "aprobación del plan de seguridad y salud»"));
        QVERIFY(Lineas(b.lista("frmTotalesTD")).value(0).startsWith("(!) AAP"));
    }

    // The day changes under a running program: an empty request follows the schedule now in
    // force, with nothing unsaved; one with lines keeps its own, and the update is offered.
    void cambioDeDia() {
        QTemporaryDir datos;
        const QByteArray antes = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", datos.path().toUtf8());
        const QDate hoy = QDate::currentDate();
        QDir().mkpath(datos.filePath("cdv/baremos"));
        EscribirArchivo(datos.filePath("cdv/baremos/r.json"),
                        Revision("Mañana", hoy.addDays(1), 25));
        Banco b;
        Contestador contestador;
        DocumentoSolicitud& documento = b.p->Documento();
        QDate dia = hoy;
        documento.PonerReloj([&dia] { return dia; });
        dia = hoy.addDays(1);  // midnight
        documento.SeguirAlDia();
        QVERIFY(b.texto("lblBaremo").contains("«Mañana»"));
        QVERIFY(!b.p->isWindowModified() && documento.Pila().count() == 0);
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        QCOMPARE(b.total("frmTotalesTD"), QString("33,12"));
        dia = hoy.addDays(-1);  // a clock put back: the request keeps its schedule
        documento.SeguirAlDia();
        QVERIFY(b.texto("lblBaremo").contains("«Mañana»"));
        QVERIFY(b.aLaVista("cmbActualizarBaremo"));
        b.pulsar("cmbActualizarBaremo");
        QCOMPARE(b.total("frmTotalesTD"), QString("26,50"));
        QVERIFY(!b.aLaVista("cmbActualizarBaremo"));
        qputenv("XDG_DATA_HOME", antes);
    }

    // A long request: its fees priced again on opening, a summary and 20 of them in the box
    // (not a box off the screen), a thousand in its details; the request then differs from its
    // file. Long work stopped with "Cancelar": a PDF export leaves no file, or the earlier file
    // whole; the print preview closes (its stopped printer once brought the program down).
    void solicitudLarga() {
        QTemporaryDir carpeta;
        Banco b;
        Contestador contestador;
        contestador.archivo = carpeta.filePath("larga.cdv");
        const QByteArray linea = R"({"referencia": "ESS2", "cantidad": "1", "cuota": "20"})";
        EscribirArchivo(contestador.archivo, R"({"formato": 1, "documentos": [)" +
                                                 (linea + ",").repeated(39'999) + linea + "]}");
        b.menu("mnuAbrir");
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 40000);
        const QStringList partes = contestador.mensajes.value(0).split('|');
        QCOMPARE(partes.size(), 3);
        const QString cambio = "documento %1 (ESS2): 20,00 → 45,04 €";
        const QStringList caja = partes[1].split('\n'), detalles = partes[2].split('\n');
        QStringList veinte;
        for (int k = 1; k <= 20; ++k) veinte << cambio.arg(k);
        QCOMPARE(caja.mid(1), veinte << "… y 39980 más (véanse los detalles).");
        QCOMPARE(QStringList({QString::number(detalles.size()), detalles[999], detalles.last()}),
                 QStringList({"1001", cambio.arg(1000), "… y 39000 más."}));
        QVERIFY(b.p->isWindowModified());

        QFile anterior(carpeta.filePath("anterior.pdf"));
        EscribirArchivo(anterior.fileName(), "anterior");
        contestador.detener = true;
        for (const char* nombre : {"anterior.pdf", "nueva.pdf"}) {
            contestador.archivo = carpeta.filePath(nombre);
            b.menu("mnuExportarPDF");
        }
        b.menu("mnuImprimir");
        QCOMPARE(contestador.detenidos, 3);
        QVERIFY(anterior.open(QIODevice::ReadOnly));
        QCOMPARE(anterior.readAll(), QByteArray("anterior"));
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files),
                 QStringList({"anterior.pdf", "larga.cdv"}));
    }

    // One history: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z in any box act on the request (in a summary
    // window's too), a save ends the merging of what is typed, and typing back to where a text
    // started leaves no step.
    void unaSolaHistoria() {
        QTemporaryDir carpeta;
        Banco b;
        Contestador contestador;
        b.elegir("cbbRefTD", "AAP");
        Escribir(b.caja("txtCantidadTD"), "2");
        b.pulsar("cmbAñadirTD");
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 0);  // the line, not the box's "2"
        QCOMPARE(b.texto("txtCantidadTD"), QString("2"));
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Z, Qt::ControlModifier);  // nothing left
        QCOMPARE(b.texto("txtCantidadTD"), QString("2"));
        QTest::keyClick(b.caja("txtCantidadTD"), Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 1);
        // In a selector, where the cursor is once a type is picked: the combo box once handed
        // Ctrl+Z to its own box, past the one history, while Ctrl+Y reached it.
        b.elegir("cbbRefTD", "C");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 0);
        QCOMPARE(b.texto("cbbRefTD"), QString("C"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(b.solicitud().Documentos().Cuantas(), 1);

        b.menu("mnuCDV");
        auto* colegiado = Control<QLineEdit>(b.ventana("frmTotalesTD"), "txtColegiado");
        colegiado->setFocus();
        Teclear(colegiado, "Ana");
        contestador.archivo = carpeta.filePath("h.cdv");
        b.menu("mnuGuardar");
        b.menu("mnuCDV");  // back in the window, as after a click on it
        QVERIFY(QTest::qWaitForWindowActive(b.ventana("frmTotalesTD")));
        const QUndoStack& pila = b.p->Documento().Pila();
        const int pasos = pila.count();
        Teclear(colegiado, "x");
        QTest::keyClick(colegiado, Qt::Key_Backspace);
        QVERIFY(pila.count() == pasos && !b.p->isWindowModified());
        Teclear(colegiado, " Pi");
        QTest::keyClick(colegiado, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(QStringList({b.solicitud().Colegiado(), colegiado->text()}),
                 QStringList(2, "Ana"));  // back to the save, not past it
        QVERIFY(!b.p->isWindowModified());
        QTest::keyClick(colegiado, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(b.solicitud().Colegiado(), QString("Ana Pi"));
        QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5},
                               colegiado->mapToGlobal(QPoint(5, 5)));  // its "Deshacer" too
        QApplication::sendEvent(colegiado, &menu);
        auto* emergente = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(emergente != nullptr);
        emergente->actions().constFirst()->trigger();
        emergente->close();
        QCOMPARE(b.solicitud().Colegiado(), QString("Ana"));
    }

    // The summary windows first open beside the main window, on its screen, covering none of
    // its controls (boxes, selectors, buttons, options) nor each other; later they keep the
    // place they were left in. Run on several screens too.
    void resumenesJunto() {
        Ajustes().clear();
        Banco b;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        b.elegir("cbbRefTD", "P");
        b.elegir("cbbRefTT", "DVPG");
        b.pulsar("cmbAñadirTT");
        std::vector<QRect> ocupado{
            b.p->menuBar()->geometry().translated(b.p->geometry().topLeft())};
        for (QWidget* control : b.c("cliente")->findChildren<QWidget*>()) {
            if (control->isVisible() &&
                (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                 qobject_cast<QAbstractButton*>(control) || qobject_cast<QPlainTextEdit*>(control)))
                ocupado.emplace_back(control->mapToGlobal(QPoint()), control->size());
        }
        for (const char* nombre : {"frmTotalesTD", "frmTotalesTT"}) {
            const QRect lugar = b.ventana(nombre)->frameGeometry();
            QVERIFY2(b.p->screen()->availableGeometry().contains(lugar), nombre);
            for (const QRect& otro : ocupado) QVERIFY2(!lugar.intersects(otro), nombre);
            ocupado.push_back(lugar);
        }
        b.ventana("frmTotalesTD")->move(40, 30);
        b.ventana("frmTotalesTD")->hide();
        Banco otra;
        otra.elegir("cbbRefTD", "AAP");
        otra.pulsar("cmbAñadirTD");
        QCOMPARE(otra.ventana("frmTotalesTD")->pos(), QPoint(40, 30));
        otra.p->move(120, 90);
        otra.p->Documento().Pila().setClean();  // nothing to ask on the way out
        QVERIFY(otra.p->close());
        // Run after run, each window comes back exactly where it was left: it once crept
        // 20 px up and 1 px left each time, until its title bar was off the screen.
        for (int vez = 0; vez < 3; ++vez) {
            Banco siguiente;
            siguiente.elegir("cbbRefTD", "AAP");
            siguiente.pulsar("cmbAñadirTD");
            QCOMPARE(siguiente.p->pos(), QPoint(120, 90));
            QCOMPARE(siguiente.ventana("frmTotalesTD")->pos(), QPoint(40, 30));
            siguiente.p->Documento().Pila().setClean();  // nothing to ask on the way out
            QVERIFY(siguiente.p->close());
        }
    }

    // A revision of the schedule in force from yesterday prices new requests and is named
    // below; a request priced with the built-in one is offered the update, which is one undo
    // step; Info lists both; a bad file is told at start and never used; Instalar baremo
    // refuses a bad file and asks before replacing one of the same name and date.
    void baremosConFecha() {
        QTemporaryDir datos;
        const QByteArray antes = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", datos.path().toUtf8());
        const QString carpeta = datos.filePath("cdv/baremos");
        QDir().mkpath(carpeta);
        EscribirArchivo(carpeta + "/revision.json",
                        Revision("Revisión", QDate::currentDate().addDays(-1), 25));
        EscribirArchivo(carpeta + "/mal.json", "{\"formato\": 1}");
        EscribirArchivo(datos.filePath("vieja.cdv"), R"({"formato": 1, "documentos": [
            {"referencia": "AAP", "cantidad": "1", "cuota": "26.5"}]})");

        Contestador contestador;
        contestador.boton = "Actualizar al baremo vigente";
        Banco b;
        QTRY_COMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].contains("«mal.json»: nombre: falta"));
        QCOMPARE(b.texto("lblBaremo"), "Baremo: «Revisión», vigente desde el " +
                                           QDate::currentDate().addDays(-1).toString("dd/MM/yyyy"));
        b.elegir("cbbRefTD", "AAP");
        QCOMPARE(b.texto("txtTotalTD"), QString("33,12"));

        b.p->AbrirArchivo(datos.filePath("vieja.cdv"));  // priced with the built-in
        QVERIFY(
            contestador.mensajes.value(1).contains("se calculó con el baremo «Baremo de "
                                                   "derechos de visado», vigente desde el "
                                                   "05/02/2007; hoy está en vigor «Revisión»"));
        QVERIFY(contestador.mensajes.value(2).contains("documento 1 (AAP): 26,50 → 33,12 €"));
        QCOMPARE(b.total("frmTotalesTD"), QString("33,12"));
        b.menu("mnuDeshacer");  // the update, as one step
        QCOMPARE(b.total("frmTotalesTD"), QString("26,50"));
        QVERIFY(b.texto("lblBaremo").contains("«Baremo de derechos de visado»"));
        b.menu("mnuInfo");
        auto* lista = Control<QTableWidget>(b.ventana("frmInfo"), "tblBaremos");
        QCOMPARE(lista->rowCount(), 3);
        QCOMPARE(lista->item(0, 6)->text(), QString("calcula la solicitud"));
        QCOMPARE(lista->item(2, 6)->text(), QString("en vigor"));
        QVERIFY(lista->item(1, 6)->text().startsWith("rechazado: «mal.json»"));

        contestador.mensajes.clear();
        contestador.boton = "Mantener";
        contestador.archivo = carpeta + "/mal.json";
        b.menu("mnuInstalarBaremo");
        contestador.archivo = carpeta + "/revision.json";
        contestador.respuesta = QMessageBox::Cancel;
        b.menu("mnuInstalarBaremo");
        QCOMPARE(contestador.mensajes.size(), 2);
        QVERIFY(contestador.mensajes[0].contains(
            "No se instala el baremo «mal.json», que tiene faltas"));
        QVERIFY(contestador.mensajes[1].contains("Ya hay instalado un baremo «Revisión»"));

        // A valid schedule in a hidden file of another name is installed under a visible .json
        // name, the only files looked for (".rev.json" was once installed hidden, and never
        // used); a fresh run's empty request simply takes it, with nothing unsaved.
        Banco nueva;
        EscribirArchivo(datos.filePath(".revision2026.txt"),
                        Revision("Revisión 2026", QDate::currentDate(), 30));
        contestador.archivo = datos.filePath(".revision2026.txt");
        nueva.menu("mnuInstalarBaremo");
        QVERIFY(QFile::exists(carpeta + "/revision2026.json"));
        QVERIFY(!QFile::exists(carpeta + "/revision2026.txt"));
        QVERIFY(nueva.texto("lblBaremo").contains("«Revisión 2026»"));
        QVERIFY(!nueva.p->isWindowModified() && nueva.p->Documento().Pila().count() == 0);
        qputenv("XDG_DATA_HOME", antes);
    }

    // On any screen people have, scaled or not, the main window opens wholly on it and every
    // control can be scrolled into view (run on several screens: ventanas_1366x768-125 …).
    void todoAlAlcance() {
        Ajustes().clear();
        Banco b;
        b.elegir("cbbRefTD", "P");  // the work side too: the tallest form
        const QRect pantalla = b.p->screen()->availableGeometry();
        QVERIFY2(pantalla.contains(b.p->frameGeometry()),
                 qPrintable(QString("%1x%2 en %3x%4")
                                .arg(b.p->frameGeometry().width())
                                .arg(b.p->frameGeometry().height())
                                .arg(pantalla.width())
                                .arg(pantalla.height())));
        auto* desplazable = qobject_cast<QScrollArea*>(b.p->centralWidget());
        // Short of height alone, it scrolls up and down only.
        if (pantalla.width() >= 1024) QVERIFY(!desplazable->horizontalScrollBar()->isVisible());
        for (QWidget* control : b.c("cliente")->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->focusPolicy() == Qt::NoFocus) continue;
            desplazable->ensureWidgetVisible(control, 0, 0);
            const QRect visto(control->mapTo(desplazable->viewport(), QPoint()), control->size());
            QVERIFY2(desplazable->viewport()->rect().contains(visto),
                     qPrintable(control->objectName()));
        }
    }

    // Regressions, each named by the fault it guards: a host program's own look changed by the
    // calculator; a remembered place off every screen (a change of screens) taken; Qt's own
    // dialogs in English (the standard buttons, as the file dialog and the print preview take
    // them from Qt's translations, read at the first text Qt asks for, the keys the menus
    // show, and the file dialog's kinds of entry, which those translations lack).
    void regresiones() {
        const QString estilo = QApplication::style()->name();
        const QFont letra = QApplication::font();
        const qint64 icono = QApplication::windowIcon().cacheKey();
        QWidget lejos;  // a place remembered off every screen
        lejos.setGeometry(-9000, -9000, 200, 100);
        Ajustes().setValue("frmPrincipal/geometria", lejos.saveGeometry());
        {
            const Banco b;
            QVERIFY(b.p->screen()->availableGeometry().contains(b.p->geometry().center()));
            // Where the screen has room, the whole form and no scroll bar (Windows's style
            // once showed both, its bars a few pixels taller than measured).
            const auto* desplazable = qobject_cast<QScrollArea*>(b.p->centralWidget());
            QCOMPARE(desplazable->viewport()->size(), b.p->findChild<QWidget*>("cliente")->size());
            // The logo, kept as its pixels: whole, its colours in their order (its red line).
            const QImage logo = Control<QLabel>(b.p.get(), "Picture1")->pixmap().toImage();
            QCOMPARE(logo.size(), QSize(234, 68));
            QCOMPARE(logo.pixelColor(100, 41), QColor(192, 0, 0));
            const QDialogButtonBox botones(QDialogButtonBox::Save | QDialogButtonBox::Discard |
                                           QDialogButtonBox::Cancel | QDialogButtonBox::Open);
            QStringList textos;
            for (const QAbstractButton* boton : botones.buttons()) textos << boton->text();
            textos.sort();
            QCOMPARE(textos, QStringList({"Abrir", "Cancelar", "Descartar", "Guardar"}));
#if !defined(Q_OS_WIN)  // where the system names the kinds itself, in its own language
            QCOMPARE(QFileIconProvider().type(QFileInfo(QDir::tempPath())), "Carpeta");
#endif
            QCOMPARE(b.p->findChild<QAction*>("mnuGuardarComo")
                         ->shortcut()
                         .toString(QKeySequence::NativeText),
                     "Control+Mayúsculas+S");
            // Each entry of a menu its own letter: Alt+P, R once reached only "Archivos
            // recientes", never "Recuperar la sesión anterior".
            for (const QMenu* menu : b.p->menuBar()->findChildren<QMenu*>()) {
                QSet<QChar> letras;
                for (const QAction* accion : menu->actions()) {
                    const qsizetype y = accion->text().indexOf(u'&');
                    if (y < 0 || y + 1 >= accion->text().size()) continue;
                    const QChar letra = accion->text()[y + 1].toLower();
                    QVERIFY2(!letras.contains(letra), qPrintable(accion->text()));
                    letras.insert(letra);
                }
            }
        }
        QCOMPARE(QApplication::style()->name(), estilo);
        QCOMPARE(QApplication::font(), letra);
        QCOMPARE(QApplication::windowIcon().cacheKey(), icono);
    }

    // About shows the version and is gone when closed; "Nuevo" starts the program again, or
    // says that it could not and goes on.
    void acercaYNuevo() {
        Banco b;
        Contestador contestador;
        b.menu("mnuAcerca");
        QPointer<QWidget> acerca = b.ventana("frmAcerca");
        QCOMPARE(Control<QLabel>(acerca, "Label1(3)")->text(), QString(CDV_VERSION));
        // One name for the program; the schedule's date said as such, and the build's date.
        QCOMPARE(acerca->windowTitle(), QString("   Acerca de CDV-TORVEL"));
        QCOMPARE(Control<QLabel>(acerca, "Label1(8)")->text(), QString("Baremo vigente desde"));
        QCOMPARE(Control<QLabel>(acerca, "Label1(9)")->text(), QString("05/02/2007"));
        QVERIFY(QDate::fromString(Control<QLabel>(acerca, "Label1(15)")->text(), "dd/MM/yyyy")
                    .isValid());
        QTest::mouseClick(Control<QPushButton>(acerca, "Command1"), Qt::LeftButton);
        QTRY_VERIFY(acerca.isNull());
        for (const Qt::Key tecla : {Qt::Key_Escape, Qt::Key_Return}) {  // as the README says
            b.menu("mnuAcerca");
            acerca = b.ventana("frmAcerca");
            QTest::keyClick(acerca, tecla);
            QTRY_VERIFY(acerca.isNull());
        }

        QString lanzado;
        bool arranca = false;
        b.p->setLanzador([&](const QString& programa) {
            lanzado = programa;
            return arranca;
        });
        b.menu("mnuNuevo");
        QVERIFY(b.p->isVisible());
        QCOMPARE(contestador.mensajes, QStringList("   ERROR|No se ha podido iniciar una nueva "
                                                   "copia del programa; esta sigue abierta."));
        arranca = true;
        b.menu("mnuNuevo");
        QCOMPARE(lanzado, QCoreApplication::applicationFilePath());
        QVERIFY(!b.p->isVisible());
    }
};

QTEST_MAIN(TestVentanas)
#include "test_ventanas.moc"
