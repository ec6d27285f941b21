// How a run ends: "Salir" and the main window's close box end the event loop, even with both
// summary windows open (the user's close only hides those), unless another program's window
// is still open. However a run ends, killed included, a later one recovers its request; runs
// going on at the same time keep their own.
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "Ventanas.h"

namespace {

void Anadir(Banco& b, const char* ref) {
    b.elegir("cbbRefTD", ref);
    b.pulsar("cmbAñadirTD");
    // The recovery is written at once, or as soon as the pause after the last write is over.
    QTest::qWait(DocumentoSolicitud::kPausaRecuperacion + 50);
}

QStringList Referencias(Banco& b) {
    QStringList refs;
    const cdv::ListaLineas& documentos = b.solicitud().Documentos();
    for (int k = 0; k < documentos.Cuantas(); ++k)
        refs << Qs(cdv::TablaTD.Fila(documentos.En(k).fila)->Ref);
    return refs;
}

// The run that the test kills: two documents, then SIGKILL, with no chance to tidy up.
int RunMatada() {
    LocaleEspanol();
    Banco b;
    Anadir(b, "CFO");
    Anadir(b, "AAP");
    std::raise(SIGKILL);
    return 0;
}

}  // namespace

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

    // Inside another program: its look stays its own, and closing the calculator leaves it
    // running while it has a window open.
    void enOtroPrograma() {
        qApp->setStyleSheet("QPushButton { color: navy; }");
        const QFont letra = QApplication::font();
        const QStyle* estilo = QApplication::style();
        const qint64 icono = QApplication::windowIcon().cacheKey();
        QWidget anfitrion;
        anfitrion.show();
        Banco b;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        b.menu("mnuAcerca");
        QVERIFY(QApplication::font() == letra && QApplication::style() == estilo &&
                QApplication::windowIcon().cacheKey() == icono);
        QVERIFY(!b.ventana("frmAcerca")->windowIcon().isNull());
        QCOMPARE(qApp->styleSheet(), QString("QPushButton { color: navy; }"));
        QTimer::singleShot(0, [&] { b.menu("mnuSalir"); });
        QTimer::singleShot(500, [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), 7);  // ended by the host, not by "Salir"
        QVERIFY(!b.p->isVisible() && !b.ventana("frmTotalesTD")->isVisible() &&
                anfitrion.isVisible());
        qApp->setStyleSheet({});
    }

    // Where the recovery cannot be written, the user is told once to save.
    void sinCopiaDeRecuperacion() {
        QTemporaryDir datos;
        QFile archivo(datos.filePath("archivo"));  // where the data folder should be
        QVERIFY(archivo.open(QIODevice::WriteOnly));
        archivo.close();
        qputenv("XDG_DATA_HOME", archivo.fileName().toUtf8());
        Contestador contestador;
        Banco b;
        Anadir(b, "AAP");
        Anadir(b, "C");
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].contains("No se puede escribir la copia de recuperación"));
    }

    void recuperarTrasMatar() {
        QTemporaryDir datos;
        qputenv("XDG_DATA_HOME", datos.path().toUtf8());
        Contestador contestador;
        auto enCurso = std::make_unique<Banco>();  // going on all along
        Anadir(*enCurso, "C");

        QProcess matada;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert("CDV_RUN_MATADA", "1");
        matada.setProcessEnvironment(entorno);
        matada.start(QCoreApplication::applicationFilePath());
        QVERIFY(matada.waitForFinished(60000));
        QCOMPARE(matada.exitStatus(), QProcess::CrashExit);
        Anadir(*enCurso, "AAI");  // now the newest file, but its run is still going

        Banco nueva;
        nueva.menu("mnuRecuperar");
        QCOMPARE(Referencias(nueva), QStringList({"CFO", "AAP"}));
        QCOMPARE(nueva.total("frmTotalesTD"), QString("26,50"));
        QCOMPARE(Referencias(*enCurso), QStringList({"C", "AAI"}));

        Banco otra;  // the killed run's request lives on in `nueva` now: nothing to recover
        otra.menu("mnuRecuperar");
        QCOMPARE(contestador.mensajes,
                 QStringList("   ERROR|No hay ninguna sesión anterior que recuperar."));
        enCurso.reset();
        otra.menu("mnuRecuperar");
        QCOMPARE(Referencias(otra), QStringList({"C", "AAI"}));
    }
};

int main(int argc, char* argv[]) {
    QApplication aplicacion(argc, argv);
    if (qEnvironmentVariableIsSet("CDV_RUN_MATADA")) return RunMatada();
    TestSalir prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "test_salir.moc"
