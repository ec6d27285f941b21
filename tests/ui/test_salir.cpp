// How a run ends, and how a later run recovers its request however it ended, killed included,
// while runs going on at the same time keep their own.
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

    // With both summary windows and About open, "Salir" and the close box end the run, unless
    // the calculator lives in another program that has a window open.
    void salir_data() {
        QTest::addColumn<bool>("menu");
        QTest::addColumn<bool>("anfitrion");
        QTest::newRow("Salir") << true << false;
        QTest::newRow("cierre") << false << false;
        QTest::newRow("en otro programa") << true << true;
    }

    void salir() {
        QFETCH(bool, menu);
        QFETCH(bool, anfitrion);
        QWidget otra;
        otra.setVisible(anfitrion);
        Banco b;
        b.elegir("cbbRefTD", "AAP");
        b.pulsar("cmbAñadirTD");
        for (const char* ventana : {"mnuProyecto", "mnuAcerca"}) b.menu(ventana);
        QTimer::singleShot(0,
                           [&] { menu ? b.menu("mnuSalir") : Banco::cerrarConLaCruz(b.p.get()); });
        // The host ends its own run; a run of the calculator alone still going after 5 s fails.
        QTimer::singleShot(anfitrion ? 500 : 5000,
                           [&] { QCoreApplication::exit(anfitrion ? 7 : 1); });
        QCOMPARE(QCoreApplication::exec(), anfitrion ? 7 : 0);
        for (const char* ventana : {"frmTotalesTD", "frmTotalesTT", "frmAcerca"})
            QVERIFY(!b.ventana(ventana)->isVisible());
        QVERIFY(!b.p->isVisible() && otra.isVisible() == anfitrion);
    }

    // Where the recovery cannot be written, the user is told once to save.
    void sinCopiaDeRecuperacion() {
        // Where the data folder should be, a file: this test's own program.
        qputenv("XDG_DATA_HOME", QCoreApplication::applicationFilePath().toUtf8());
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
        matada.setEnvironment(QProcess::systemEnvironment() << "CDV_RUN_MATADA=1");
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
