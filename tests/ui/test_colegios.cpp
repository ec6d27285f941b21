// Two associations' price lists installed side by side: the first start asks which is the
// user's, the entry asks for what each row needs, the channel prices every line again as one
// change, and each association's requests open again with their own price list.
#include "Acerca.h"
#include "Ajustes.h"
#include "Diseno.h"
#include "Liquidacion.h"
#include "Ventanas.h"

namespace {

const QString kNorte = "Colegio Oficial de Ingenieros de Ejemplo (Norte)";
const QString kSur = "Colegio Oficial de Ingenieros de Ejemplo (Sur)";

// A selector's option picked, by its text.
void Opcion(QComboBox* selector, const QString& texto) {
    const int indice = selector->findText(texto);
    if (indice < 0) qFatal("No hay opción %s", qPrintable(texto));
    selector->setCurrentIndex(indice);
}

QStringList Cuotas(const cdv::SolicitudVisado& solicitud) {
    QStringList cuotas;
    for (const cdv::LineaCompartida& linea : solicitud.Documentos().Todas())
        cuotas << cdv::DelArchivo(linea->texto);
    return cuotas;
}

// The built-in schedule, as a revision in force from 2020 whose reformed project ("PR") offers
// six discount options, the longest captions a schedule may give.
void InstalarConDescuentosAlReformado(const QString& archivo) {
    QFile semilla(CDV_BAREMO_JSON);
    if (!semilla.open(QIODevice::ReadOnly)) qFatal("No se lee el baremo incorporado");
    QJsonObject raiz = QJsonDocument::fromJson(semilla.readAll()).object();
    raiz["nombre"] = "Con descuentos al reformado";
    raiz["vigente_desde"] = "2020-01-01";
    QJsonArray filas = raiz["filas"].toArray();
    for (qsizetype k = 0; k < filas.size(); ++k) {
        QJsonObject fila = filas[k].toObject();
        if (fila["referencia"] != "PR") continue;
        QJsonArray opciones{
            QJsonObject{{"texto", "Ninguno"}, {"porcentaje", 0}},
            QJsonObject{{"texto", "Proyecto anterior visado por el Colegio"}, {"porcentaje", 30}}};
        for (int n = 1; n <= 4; ++n)
            opciones.append(
                QJsonObject{{"texto", QString("Estudio previo número %1 de la misma obra").arg(n)},
                            {"porcentaje", n}});
        fila["descuentos"] = opciones;
        filas[k] = fila;
    }
    raiz["filas"] = filas;
    EscribirArchivo(archivo, QJsonDocument(raiz).toJson());
}

}  // namespace

class TestColegios : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const QString carpeta = qEnvironmentVariable("XDG_DATA_HOME") + "/cdv/baremos";
        QDir().mkpath(carpeta);
        for (const char* ejemplo : {"presupuesto-por-tramos.json", "unidades-ponderadas.json"}) {
            QFile::remove(carpeta + "/" + ejemplo);
            QVERIFY(QFile::copy(QString(CDV_EJEMPLOS "/") + ejemplo, carpeta + "/" + ejemplo));
        }
    }
    void init() {
        LocaleEspanol();
        Ajustes().remove("colegio");
    }

    // The first start asks; each row asks for what it needs; the channel prices every line
    // again, as one change undone as one.
    void elegirAlEmpezarYTasar() {
        Contestador c;
        c.colegio = kNorte;
        Banco b;
        QTRY_COMPARE(c.colegios.size(), 1);
        QCOMPARE(c.colegios[0], QStringList({kAcercaPropietario, kNorte, kSur}).join('|'));
        QCOMPARE(b.texto("Label1(0)"), kNorte);
        QCOMPARE(Ajustes().value("colegio").toString(), kNorte);
        QVERIFY(b.aLaVista("cbbCanal"));
        QVERIFY(!b.c<QAction>("mnuProyecto")->isVisible());  // no work types: no project

        b.elegir("cbbRefTD", "PE");
        Escribir(b.caja("txtCantidadTD"), "100.000");
        QCOMPARE(b.texto("txtTotalTD"), QString("238,20"));
        QVERIFY(b.texto("lblDesgloseTD").contains("de 90000 a 100000: 10000 × 0,00162"));
        b.pulsar("cmbAñadirTD");
        b.elegir("cbbRefTD", "AUX");  // a fixed amount asks for no quantity
        QVERIFY(!b.aLaVista("txtCantidadTD"));
        QCOMPARE(b.texto("txtTotalTD"), QString("9,00"));
        b.pulsar("cmbAñadirTD");
        b.elegir("cbbRefTD", "PE");
        Escribir(b.caja("txtCantidadTD"), "1000");
        QVERIFY(b.texto("lblDesgloseTD").contains("Mínimo (electrónica): 18,00"));
        b.pulsar("cmbAñadirTD");
        QCOMPARE(Cuotas(b.solicitud()), QStringList({"238,20", "9,00", "18,00"}));

        Opcion(b.c<QComboBox>("cbbCanal"), "papel");
        QCOMPARE(Cuotas(b.solicitud()), QStringList({"238,20", "18,00", "25,00"}));
        QCOMPARE(b.c<QAction>("mnuDeshacer")->text(), QString("&Deshacer Presentación"));
        b.menu("mnuDeshacer");
        QCOMPARE(Cuotas(b.solicitud()), QStringList({"238,20", "9,00", "18,00"}));
        QCOMPARE(b.texto("cbbCanal"), QString("electrónica"));
        b.menu("mnuRehacer");
        QCOMPARE(b.texto("cbbCanal"), QString("papel"));

        // The statement names the association and the channel, and each row's steps.
        const cdv::LiquidacionImpresa liquidacion =
            cdv::Liquidacion(b.solicitud().Contenido(), {}, QDate(2026, 12, 7));
        QVERIFY(liquidacion.datos.join('\n').contains(", de " + kNorte));
        QVERIFY(liquidacion.datos.contains("Presentación: papel"));
        QCOMPARE(liquidacion.filas.back().descripcion, QString("Mínimo (papel): 25,00"));
        QCOMPARE(liquidacion.filas.back().clase, cdv::ClaseFila::Paso);
        QCOMPARE(liquidacion.totales.at(0).second, QString("281,20"));

        b.menu("mnuAcerca");
        QCOMPARE(Control<QLabel>(b.ventana("frmAcerca"), "Label1(17)")->text(), kNorte);

        // The list's window shows each row's rule, and its tables in the row's note.
        b.menu("mnuInfo");
        QWidget* info = b.ventana("frmInfo");
        QVERIFY(!Control<QTabWidget>(info, nullptr)->isTabVisible(0));  // no work types
        auto* documentos = Control<QTableView>(info, "tblDocumentos");
        const QModelIndex pe =
            documentos->model()->match(documentos->model()->index(0, 0), Qt::DisplayRole, "PE")[0];
        QCOMPARE(pe.siblingAtColumn(2).data().toString(),
                 QString("Tabla «presupuesto» (cada tramo, su parte)"));
        QCOMPARE(pe.siblingAtColumn(3).data().toString(),
                 QString("18,00 € electrónica, 25,00 € papel"));
        documentos->setCurrentIndex(pe);
        QVERIFY(Control<QPlainTextEdit>(info, "txtNota")
                    ->toPlainText()
                    .contains("de 90000 a 150000: × 0,00162"));
    }

    // "Colegio..." changes it for the next run's request; requests of each open with their
    // own price list, channel and factor choices.
    void cambiarDeColegioYReabrir() {
        QTemporaryDir carpeta;
        const QString norte = carpeta.filePath("norte.cdv"), sur = carpeta.filePath("sur.cdv");
        Ajustes().setValue("colegio", kNorte);
        Contestador c;
        {
            Banco b;
            b.elegir("cbbRefTD", "AUX");
            Opcion(b.c<QComboBox>("cbbCanal"), "papel");
            b.pulsar("cmbAñadirTD");
            c.archivo = norte;
            b.menu("mnuGuardarComo");
            c.colegio = kSur;
            b.menu("mnuColegio");
            QCOMPARE(b.texto("Label1(0)"), kNorte);  // its request is still the North's
            // A third association's list, installed from the menu, is told as another's.
            c.archivo = carpeta.filePath("superficie.json");
            QVERIFY(QFile::copy(CDV_EJEMPLOS "/importes-por-superficie.json", c.archivo));
            b.menu("mnuInstalarBaremo");
            QVERIFY(c.mensajes.last().contains(
                ", de Colegio Oficial de Ingenieros Técnicos de Ejemplo. Se calcula con él al "
                "elegir su colegio en Principal → Colegio..."));
        }
        QCOMPARE(c.colegios.size(), 1);  // remembered at the start: asked only by the menu
        QFile::remove(qEnvironmentVariable("XDG_DATA_HOME") + "/cdv/baremos/superficie.json");
        Banco b;
        QCOMPARE(b.texto("Label1(0)"), kSur);
        b.elegir("cbbRefTD", "PE");
        Escribir(b.caja("txtCantidadTD"), "250");
        QCOMPARE(b.texto("txtTotalTD"), QString());
        QCOMPARE(b.texto("lblDesgloseTD"), QString("Falta elegir «Tamaño»."));
        for (const auto& [lista, opcion] :
             {std::pair{"Tamaño", "pequeño"}, std::pair{"Complejidad", "alta"},
              std::pair{"Calidad", "media"}})
            Opcion(b.c<QComboBox>(QString("cbbFactor") + lista), opcion);
        QCOMPARE(b.texto("txtTotalTD"), QString("375,00"));
        Opcion(b.c<QComboBox>("cbbCanal"), "papel");
        QCOMPARE(b.texto("txtTotalTD"), QString("400,00"));  // the archive's surcharge
        b.pulsar("cmbAñadirTD");
        c.archivo = sur;
        b.menu("mnuGuardarComo");

        QVERIFY(b.p->AbrirArchivo(norte));
        QCOMPARE(b.texto("Label1(0)"), kNorte);
        QCOMPARE(b.texto("cbbCanal"), QString("papel"));
        QCOMPARE(Cuotas(b.solicitud()), QStringList({"18,00"}));
        QVERIFY(!b.aLaVista("cbbFactorTamaño"));
        QVERIFY(b.p->AbrirArchivo(sur));
        QCOMPARE(b.texto("Label1(0)"), kSur);
        QCOMPARE(Cuotas(b.solicitud()), QStringList({"400,00"}));
        QVERIFY(
            Lineas(b.lista("frmTotalesTD"))
                .value(0)
                .contains("m²: 250 (Calidad: media, Complejidad: alta, Tamaño: pequeño)   Total"));
        b.seleccionar("frmTotalesTD", 0);
        b.pulsarEn("frmTotalesTD", "cmbModificar");
        QCOMPARE(b.texto("cbbFactorComplejidad"), QString("alta"));
        QCOMPARE(b.texto("txtTotalTD"), QString("400,00"));
    }

    // A revision that gives the reformed project ("PR") discount options of its own: its frame
    // is drawn from its captions, within the window, and the option chosen is taken off.
    void descuentosDeOtroDocumento() {
        const QString archivo =
            qEnvironmentVariable("XDG_DATA_HOME") + "/cdv/baremos/reformado.json";
        InstalarConDescuentosAlReformado(archivo);
        Contestador c;
        c.colegio = kAcercaPropietario;
        Banco b;
        QCOMPARE(b.solicitud().Baremo().nombre, std::string("Con descuentos al reformado"));
        b.elegir("cbbRefTD", "PR");
        QVERIFY(b.aLaVista("fraDescDocumento_PR"));
        QCOMPARE(b.c<QGroupBox>("fraDescDocumento_PR")->title(),
                 QString("Descuentos a «Proyecto reformado»   "));
        QVERIFY(!b.aLaVista("fraDescProyecto"));
        QCOMPARE(b.texto("otbDocumento_PR(1)"), QString("Proyecto anterior visado por el Colegio"));
        // Six options of the longest captions: in rows, each whole, within the window and
        // above the status line.
        QWidget* marco = b.c("fraDescDocumento_PR");
        QVERIFY(marco->geometry().right() < marco->parentWidget()->width());
        QVERIFY(marco->mapTo(b.p.get(), marco->rect().bottomLeft()).y() <
                b.p->statusBar()->geometry().top());
        for (int k = 0; k < 6; ++k) {
            auto* opcion = b.c<QRadioButton>(NombreIndexado("otbDocumento_PR", k));
            QVERIFY(opcion->width() >= opcion->sizeHint().width());
            QVERIFY(marco->rect().contains(opcion->geometry()));
        }
        b.elegir("cbbRefTT", "DVPG");
        b.pulsar("cmbAñadirTT");
        b.pulsar("otbDocumento_PR(1)");
        b.pulsarEn("frmTotalesTT", "cmbHecho");
        const cdv::Linea& proyecto = b.solicitud().Documentos().En(0);
        const cdv::Centimos suma = *cdv::SumaDe(proyecto.partidas);
        QCOMPARE(proyecto.descuento, (suma * 3 + 5) / 10);
        QCOMPARE(proyecto.cuota, suma - (suma * 3 + 5) / 10);
        QVERIFY(Lineas(b.lista("frmTotalesTD"))
                    .value(0)
                    .contains("Descontado el Proyecto anterior visado por el Colegio"));
        b.elegir("cbbRefTD", "P");  // "P" keeps its own frame and options
        QVERIFY(b.aLaVista("fraDescProyecto") && !b.aLaVista("fraDescDocumento_PR"));
        QCOMPARE(b.texto("otbProyecto(3)"), QString("Memoria Valorada"));
        QVERIFY(QFile::remove(archivo));
    }
};

QTEST_MAIN(TestColegios)
#include "test_colegios.moc"
