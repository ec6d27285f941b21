// How a run ends and what it leaves for the next: unsaved work is asked about, kept for
// recovery however the run ends (killed included) and offered again, newest first, with
// nothing unsaved ever hidden or deleted, on a full or read-only disk too. Runs going on at
// the same time keep their own. The disk cases mount small or read-only file systems in a
// mount namespace of this test's own, and are skipped where that cannot be done.
#include <sys/stat.h>
#include <QtGlobal>

#include <csignal>

#if defined(Q_OS_LINUX)
#include <sched.h>
#include <sys/mount.h>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

#include "ArchivoBaremo.h"
#include "ArchivoSolicitud.h"
#include "Ventanas.h"

namespace {

bool montajes = false;  // whether this test may mount file systems (in its own namespace)

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
        refs << Qs(b.solicitud().Baremo().TablaTD.Fila(documentos.En(k).fila)->Ref);
    return refs;
}

// The recoveries in the folder every run of this test uses, under XDG_DATA_HOME.
QStringList Sesiones() {
    return QDir(Recuperacion::CarpetaPorDefecto()).entryList({"*.cdv"}, QDir::Files);
}

// A data folder of the test's own, with the recovery folder made.
struct Datos {
    QTemporaryDir carpeta;
    Datos() {
        qputenv("XDG_DATA_HOME", carpeta.path().toUtf8());
        QDir().mkpath(Recuperacion::CarpetaPorDefecto());
    }
};

// A session an ended run left: its request (AAP, one unit) in a file of its own, `dias` old.
QString SesionDejada(const QString& nombre, const QByteArray& datos = {}, int dias = 0) {
    const QString ruta = Recuperacion::CarpetaPorDefecto() + "/" + nombre;
    EscribirArchivo(ruta, datos.isEmpty() ? R"({"formato": 1, "documentos": [
        {"referencia": "AAP", "cantidad": "1", "cuota": "26.5"}]})"
                                          : datos);
    QFile archivo(ruta);
    archivo.open(QIODevice::Append);
    archivo.setFileTime(QDateTime::currentDateTime().addDays(-dias),
                        QFileDevice::FileModificationTime);
    return ruta;
}

#if defined(Q_OS_LINUX)
bool Montar(const QString& carpeta, const char* opciones) {
    return ::mount("tmpfs", qPrintable(carpeta), "tmpfs", 0, opciones) == 0;
}

bool SoloLectura(const QString& carpeta) {
    const QByteArray c = carpeta.toUtf8();
    return ::mount(c, c, nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, c, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void Desmontar(const QString& carpeta) {
    umount2(qPrintable(carpeta), MNT_DETACH);
}
#else
bool Montar(const QString&, const char*) {
    return false;
}
bool SoloLectura(const QString&) {
    return false;
}
void Desmontar(const QString&) {}
#endif

// Fills the file system of `carpeta` to its last byte.
void Llenar(const QString& carpeta) {
    QFile relleno(carpeta + "/relleno");
    relleno.open(QIODevice::WriteOnly);
    const QByteArray bloque(4096, '\0');
    while (relleno.write(bloque) == bloque.size() && relleno.flush()) {
    }
}

// The run that the test kills: two documents, then SIGKILL, with no chance to tidy up.
int RunMatada() {
    LocaleEspanol();
    Banco b;
    Anadir(b, "CFO");
    Anadir(b, "AAP");
#if defined(Q_OS_WIN)
    ::TerminateProcess(::GetCurrentProcess(), 9);
#else
    std::raise(SIGKILL);
#endif
    return 0;
}

}  // namespace

class TestSalir : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { LocaleEspanol(); }

    // With unsaved changes, both summary windows and About open, "Salir", the close box and
    // "Nuevo" ask first, and end the run unless asked to stay; the run then leaves no
    // recovery (saved or dropped). The calculator in another program ends, the program not.
    void salir_data() {
        QTest::addColumn<QString>("como");
        QTest::addColumn<QMessageBox::StandardButton>("respuesta");
        QTest::addColumn<bool>("anfitrion");
        QTest::newRow("Salir, Descartar") << "Salir" << QMessageBox::Discard << false;
        QTest::newRow("cierre, Descartar") << "cierre" << QMessageBox::Discard << false;
        QTest::newRow("Nuevo, Descartar") << "Nuevo" << QMessageBox::Discard << false;
        QTest::newRow("cierre, Guardar") << "cierre" << QMessageBox::Save << false;
        QTest::newRow("cierre, Cancelar: sigue") << "cierre" << QMessageBox::Cancel << false;
        QTest::newRow("en otro programa") << "Salir" << QMessageBox::Discard << true;
    }

    void salir() {
        QFETCH(QString, como);
        QFETCH(QMessageBox::StandardButton, respuesta);
        QFETCH(bool, anfitrion);
        const Datos datos;
        Contestador contestador;
        contestador.respuesta = respuesta;
        contestador.archivo = datos.carpeta.filePath("guardada.cdv");
        QWidget otra;
        otra.setVisible(anfitrion);
        Banco b;
        b.p->setLanzador([](const QString&) { return true; });
        Anadir(b, "AAP");
        QCOMPARE(Sesiones().size(), 1);
        for (const char* ventana : {"mnuProyecto", "mnuAcerca"}) b.menu(ventana);
        QTimer::singleShot(0, [&] {
            if (como == "cierre") return Banco::cerrarConLaCruz(b.p.get());
            b.menu(como == "Salir" ? "mnuSalir" : "mnuNuevo");
        });
        const bool termina = respuesta != QMessageBox::Cancel;
        // A run that goes on (in a host, or the user's choice) is ended here after 0.5 s; the
        // timer goes with this test, so that it ends no later one's loops.
        QObject guarda;
        QTimer::singleShot(termina && !anfitrion ? 5000 : 500, &guarda,
                           [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), termina && !anfitrion ? 0 : 7);
        QCOMPARE(contestador.mensajes.value(0),
                 "   CDV-TORVEL|La solicitud tiene cambios que no se han guardado. ¿Desea "
                 "guardarlos?");
        QCOMPARE(b.p->isVisible(), !termina);
        QCOMPARE(Sesiones().size(), termina ? 0 : 1);
        for (const char* ventana : {"frmTotalesTT", "frmAcerca"})
            QCOMPARE(b.ventana(ventana)->isVisible(), !termina);
        QCOMPARE(QFile::exists(contestador.archivo), respuesta == QMessageBox::Save);
        QVERIFY(otra.isVisible() == anfitrion);
    }

    // A run killed with two documents is recovered by a new run, never the run still going,
    // whose request stays whole (that a recovered session is offered no more, and one whose
    // window closed is, the randomized session checks).
    void recuperarTrasMatar() {
        const Datos datos;
        Contestador contestador;
        auto enCurso = std::make_unique<Banco>();  // going on all along
        Anadir(*enCurso, "C");

        QProcess matada;
        matada.setEnvironment(QProcess::systemEnvironment() << "CDV_RUN_MATADA=1");
        matada.start(QCoreApplication::applicationFilePath());
        QVERIFY(matada.waitForFinished(60000));
#if defined(Q_OS_WIN)  // ended from outside, as the task manager ends it
        QCOMPARE(matada.exitCode(), 9);
#else
        QCOMPARE(matada.exitStatus(), QProcess::CrashExit);
#endif
        Anadir(*enCurso, "AAI");  // now the newest file, but its run is still going

        Banco nueva;
        nueva.menu("mnuRecuperar");
        QCOMPARE(contestador.sesiones.size(), 1);
        QCOMPARE(Referencias(nueva), QStringList({"CFO", "AAP"}));
        QCOMPARE(nueva.total("frmTotalesTD"), QString("26,50"));
        QCOMPARE(Referencias(*enCurso), QStringList({"C", "AAI"}));
    }

    // A session comes back with the file it belonged to (a name with accents and blanks):
    // "Guardar" writes there, and asks first when the file changed on disk meanwhile.
    void conSuArchivo() {
        const Datos datos;
        Contestador contestador;
        contestador.archivo = datos.carpeta.filePath("Nave Logroño.cdv");
        {
            Banco dejada;
            Anadir(dejada, "CFO");
            dejada.menu("mnuGuardar");
            Anadir(dejada, "AAP");
        }
        Banco b;
        b.menu("mnuRecuperar");
        QCOMPARE(contestador.sesiones.value(0).section('|', 1, 3),
                 QString("2 documentos|26,50|Nave Logroño.cdv"));
        QCOMPARE(b.p->windowTitle(), QString("Nave Logroño.cdv[*] – CDV-TORVEL"));
        QVERIFY(b.p->isWindowModified());
        contestador.archivo.clear();  // no file dialog from here on
        b.menu("mnuGuardar");
        QTRY_COMPARE(Sesiones(), QStringList());
        QCOMPARE(cdv::AbrirArchivo(datos.carpeta.filePath("Nave Logroño.cdv"), cdv::Baremos())
                     .contenido->documentos.size(),
                 2u);

        EscribirArchivo(datos.carpeta.filePath("Nave Logroño.cdv"),
                        "cambiado");  // by another program
        Anadir(b, "C");
        for (const auto respuesta : {QMessageBox::Cancel, QMessageBox::Yes}) {
            contestador.respuesta = respuesta;
            contestador.mensajes.clear();
            b.menu("mnuGuardar");
            QCOMPARE(contestador.mensajes,
                     QStringList("   CDV-TORVEL|«Nave Logroño.cdv» ha cambiado en el "
                                 "disco desde que se abrió o se guardó por "
                                 "última vez. ¿Desea reemplazarlo por esta "
                                 "solicitud?"));
            QCOMPARE(b.p->isWindowModified(), respuesta == QMessageBox::Cancel);
        }
        QCOMPARE(cdv::AbrirArchivo(datos.carpeta.filePath("Nave Logroño.cdv"), cdv::Baremos())
                     .contenido->documentos.size(),
                 3u);
    }

    // The recovery folder is not trusted: a session that names another of the user's files,
    // with no digest of it, never writes over it ("Guardar" asks where, as "Guardar como"
    // does); an empty lock an ended run left is stale, and taken over, where it once left its
    // session read-only for good. The folder is the user's alone, and so are its files.
    void carpetaNoFiable() {
        const Datos datos;  // made with the umask's modes
        const QString ajeno = datos.carpeta.filePath("ajeno.cdv");
        EscribirArchivo(ajeno, "del usuario");
        SesionDejada("ajena.cdv",
                     R"({"formato": 1, "documentos": [{"referencia": "AAP", "cantidad": "1",
                        "cuota": "26.5"}], "sesion": {"archivo": ")" +
                         ajeno.toUtf8() + R"(", "huella": ""}})");
        const QString cerrojo = Recuperacion::CarpetaPorDefecto() + "/ajena.lock";
        EscribirArchivo(cerrojo, "");
        QFile vacio(cerrojo);
        vacio.open(QIODevice::Append);
        vacio.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                          QFileDevice::FileModificationTime);
        vacio.close();
        Contestador contestador;
        contestador.archivo = datos.carpeta.filePath("elegido.cdv");
        Banco b;
        b.menu("mnuRecuperar");
        QCOMPARE(contestador.sesiones.size(), 1);
        QVERIFY(!contestador.sesiones[0].contains("solo lectura"));
        QCOMPARE(Referencias(b), QStringList("AAP"));
        b.menu("mnuGuardar");
        QFile archivo(ajeno);
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        QCOMPARE(archivo.readAll(), QByteArray("del usuario"));
        QVERIFY(QFile::exists(datos.carpeta.filePath("elegido.cdv")));
        QVERIFY(!QFile::exists(cerrojo));

        Anadir(b, "C");  // unsaved again: this run's recovery and its lock are written
#if defined(Q_OS_UNIX)
        const auto modo = [](const QString& ruta) {
            struct stat datos {};
            ::stat(QFile::encodeName(ruta).constData(), &datos);
            return datos.st_mode & 07777;
        };
        const QString carpeta = Recuperacion::CarpetaPorDefecto();
        QCOMPARE(modo(carpeta), 0700u);
        const QStringList archivos = QDir(carpeta).entryList(QDir::Files);
        QCOMPARE(archivos.size(), 2);  // the session and its lock
        for (const QString& nombre : archivos) QCOMPARE(modo(carpeta + "/" + nombre), 0600u);
#endif
    }

#if defined(Q_OS_UNIX)
    // Whatever stands where a lock or the settings should be, a start neither waits on it nor
    // reads it whole: a lock that no run made goes, and its session is offered and can be
    // discarded; settings that are no small regular file are neither read nor replaced. Under
    // umask 000 the program's folders and files are still writable by the user alone.
    void entradasQueNoSonArchivos_data() {
        QTest::addColumn<QString>("cerrojo");
        QTest::newRow("tubería") << "tubería";
        QTest::newRow("enlace a una tubería") << "enlace a una tubería";
        QTest::newRow("enlace a /dev/zero") << "/dev/zero";
        QTest::newRow("10 GB vacíos") << "10 GB";
        QTest::newRow("enlace a nada") << "nada";
    }
    void entradasQueNoSonArchivos() {
        QFETCH(QString, cerrojo);
        QTemporaryDir configuracion;
        qputenv("XDG_CONFIG_HOME", configuracion.path().toUtf8());
        const Datos datos;
        const QString ajustes = configuracion.filePath("cdv/ventanas.conf");
        QDir().mkpath(configuracion.filePath("cdv"));
        const auto tuberia = [](const QString& ruta) {
            return ::mkfifo(QFile::encodeName(ruta).constData(), 0600) == 0;
        };
        QVERIFY(tuberia(ajustes) && tuberia(ajustes + ".lock"));
        const QString sesion = SesionDejada("dejada.cdv");
        const QString lock = Recuperacion::CarpetaPorDefecto() + "/dejada.lock";
        if (cerrojo == "tubería") QVERIFY(tuberia(lock));
        if (cerrojo == "enlace a una tubería")
            QVERIFY(tuberia(datos.carpeta.filePath("t")) &&
                    QFile::link(datos.carpeta.filePath("t"), lock));
        if (cerrojo == "/dev/zero") QVERIFY(QFile::link("/dev/zero", lock));
        if (cerrojo == "nada") QVERIFY(QFile::link(datos.carpeta.filePath("nada"), lock));
        if (cerrojo == "10 GB") {
            QFile grande(lock);
            QVERIFY(grande.open(QIODevice::WriteOnly) && grande.resize(10LL << 30));
        }
        Contestador contestador;
        {
            Banco b;
            auto* barra = b.p->findChild<QToolBar*>("avisoRecuperar");
            QTRY_VERIFY(barra->isVisible());
            QVERIFY(barra->findChild<QLabel*>()->text().endsWith("(1 documento)."));
            Control<QPushButton>(barra, "cmbDescartarAviso")->click();
            QVERIFY(!QFile::exists(sesion));
            QTRY_VERIFY(!barra->isVisible());
            b.p->close();
        }
        const auto modo = [](const QString& ruta) {
            struct stat entrada {};
            ::stat(QFile::encodeName(ruta).constData(), &entrada);
            return entrada.st_mode;
        };
        QVERIFY(S_ISFIFO(modo(ajustes)) && S_ISFIFO(modo(ajustes + ".lock")));

        QTemporaryDir nuevos;
        qputenv("XDG_DATA_HOME", nuevos.path().toUtf8());
        const mode_t antes = ::umask(0);
        {
            Banco b;
            Anadir(b, "C");
            QCOMPARE(cdv::GuardarArchivo(nuevos.filePath("instalado.json"), "{}"), QString());
            b.p->Documento().Terminar();
        }
        ::umask(antes);
        QCOMPARE(modo(nuevos.filePath("cdv")) & 0777, 0755u);
        QCOMPARE(modo(nuevos.filePath("cdv/recuperacion")) & 0777, 0700u);
        QCOMPARE(modo(nuevos.filePath("instalado.json")) & 0777, 0644u);
    }
#endif

    // A session that cannot be read is listed with the reason and blocks none older; old
    // sessions go by age alone, after 30 days.
    void ilegiblesYAntiguas() {
        const Datos datos;
        Contestador contestador;
        contestador.sesion = 1;
        SesionDejada("vieja.cdv", {}, 31);
        SesionDejada("legible.cdv", {}, 2);
        SesionDejada("nueva.cdv", R"({"formato": 2})", 1);
        {
            Banco otra;  // its first write clears what is too old
            Anadir(otra, "C");
            otra.p->Documento().Terminar();
        }
        Banco b;
        b.menu("mnuRecuperar");
        QCOMPARE(contestador.sesiones.size(), 2);
        QCOMPARE(contestador.sesiones[1].section('|', 1),
                 QString("1 documento|26,50|(sin guardar nunca)|"));
        QVERIFY(contestador.sesiones[0].endsWith(
            "|No se puede leer: es de un formato más reciente (2) que el que lee este programa "
            "(1)"));
        QCOMPARE(Referencias(b), QStringList("AAP"));
        for (const char* sesion : {"vieja.cdv", "legible.cdv", "nueva.cdv"})
            QTRY_COMPARE(Sesiones().contains(sesion), sesion == QString("nueva.cdv"));
    }

    // Where this run's recovery cannot be written, the user is told each time that starts and
    // the title says so until a write succeeds; a session taken over stays until then.
    void discoLleno() {
        if (!montajes) QSKIP("no se pueden montar sistemas de archivos aquí");
        const Datos datos;
        QVERIFY(Montar(Recuperacion::CarpetaPorDefecto(), "size=64k"));
        const QString tomada = SesionDejada("tomada.cdv");
        Contestador contestador;
        Llenar(Recuperacion::CarpetaPorDefecto());
        Banco b;
        b.menu("mnuRecuperar");
        QCOMPARE(Referencias(b), QStringList("AAP"));
        QTRY_VERIFY(b.p->windowTitle().endsWith("(sin copia de recuperación)"));
        QVERIFY(QFile::exists(tomada));
        QFile::remove(Recuperacion::CarpetaPorDefecto() + "/relleno");
        Anadir(b, "C");
        QVERIFY(!b.p->windowTitle().contains("sin copia") && !QFile::exists(tomada));
        Llenar(Recuperacion::CarpetaPorDefecto());
        Anadir(b, "AAI");
        QVERIFY(b.p->windowTitle().endsWith("(sin copia de recuperación)"));
        QCOMPARE(contestador.mensajes.size(), 2);
        for (const QString& mensaje : contestador.mensajes) {
            QVERIFY(mensaje.contains("No se puede escribir la copia de recuperación"));
            QVERIFY2(mensaje.contains("no queda espacio en el disco"), qPrintable(mensaje));
        }
        Desmontar(Recuperacion::CarpetaPorDefecto());
    }

    // A read-only data folder still offers what it holds, to read (a full one: discoLleno). A
    // run that cannot lock its recovery there says so and writes it where no other run looks,
    // so that none takes it as an ended run's.
    void carpetaSoloLectura() {
        if (!montajes) QSKIP("no se pueden montar sistemas de archivos aquí");
        const Datos datos;
        const QString carpeta = Recuperacion::CarpetaPorDefecto();
        SesionDejada("dejada.cdv");
        QVERIFY(QDir().mkpath(carpeta + "/sin-reserva") && SoloLectura(carpeta));
        QVERIFY(Montar(carpeta + "/sin-reserva", "size=1m"));
        Contestador contestador;
        Banco b;
        Anadir(b, "C");
        QCOMPARE(contestador.mensajes.size(), 1);
        QVERIFY(contestador.mensajes[0].contains("No se puede reservar la copia de recuperación"));
        QCOMPARE(QDir(carpeta + "/sin-reserva").entryList({"*.cdv"}).size(), 1);
        Banco otra;
        otra.menu("mnuRecuperar");
        QCOMPARE(contestador.sesiones.size(), 1);
        QCOMPARE(Referencias(otra), QStringList("AAP"));
        QVERIFY(QFile::exists(carpeta + "/dejada.cdv"));
        Desmontar(carpeta + "/sin-reserva");
        Desmontar(carpeta);
    }
};

int main(int argc, char* argv[]) {
    // Mounts made from here on are this process's own, and go with it.
#if defined(Q_OS_LINUX)
    montajes = ::unshare(CLONE_NEWNS) == 0 &&
               ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
#endif
    QApplication aplicacion(argc, argv);
    if (qEnvironmentVariableIsSet("CDV_RUN_MATADA")) return RunMatada();
    TestSalir prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "test_salir.moc"
