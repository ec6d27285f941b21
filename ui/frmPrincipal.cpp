#include "frmPrincipal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <vector>

#include "Acerca.h"
#include "ArchivoBaremo.h"
#include "AvisoRecuperar.h"
#include "BarraBaremo.h"
#include "CambioEnSitio.h"
#include "ComandosArchivo.h"
#include "Desplazable.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "HistoriaUnica.h"
#include "MenuRecientes.h"
#include "OpcionesDescuento.h"
#include "PanelEntrada.h"
#include "SelectorColegio.h"
#include "frmAcerca.h"
#include "frmInfo.h"
#include "frmTotalesTD.h"
#include "frmTotalesTT.h"

namespace {

constexpr char kNuevoFallido[] =
    "No se ha podido iniciar una nueva copia del programa; esta sigue abierta.";

const QColor kRojoOscuro(192, 0, 0);

// Each side's breakdown under its entry: the document's below its frame, where the work
// frame stands only when the document entry is hidden; the work's below the discounts.
// clang-format off
const PanelEntrada::Diseno kLadoDocumentos{
    "TD", "Tipo de Documento   ", Twips(390, 2910, 9855, 1845), "€", "lblEuroTd",
    390, 1065, 810, 315, 1290, "documento", "al visado", Twips(450, 4800, 9795, 900), true};
const PanelEntrada::Diseno kLadoTrabajos{
    "TT", "Tipos de Trabajos del Proyecto   ", Twips(390, 4845, 9855, 1845), "€ (proyecto)",
    "lblEuroTT", 420, 885, 840, 975, 1260, "trabajo", "al proyecto", Twips(450, 7640, 9795, 615),
    false};
// clang-format on

}  // namespace

// The pictures are compiled into this static library; registering them here keeps the
// linker from dropping them.
static void RegistrarImagenes() {
    Q_INIT_RESOURCE(cdv);
}

frmPrincipal::frmPrincipal()
    : lanzador_([](const QString& programa) { return QProcess::startDetached(programa, {}); }) {
    const ConLetraDeFormularios letra;
    RegistrarImagenes();
    documento_ =
        new DocumentoSolicitud(cdv::Baremos::Instalados(), Recuperacion::CarpetaPorDefecto(), this);
    archivo_ = new ComandosArchivo(this, *documento_);

    setObjectName("frmPrincipal");
    setWindowTitle(QString(kTituloPrograma) + "[*]");
    setWindowIcon(IconoAlPedirlo(":/cdv/cdv-48.png", 48));  // its other windows take it from it
    CrearControles();
    CrearMenu();
    td_->Preparar();
    Conectar();
    new HistoriaUnica(this, documento_->Pila());
    cambio_ = new CambioEnSitio(
        this, *documento_, *td_, [this]() -> PanelEntrada& { return Trabajos(); },
        [this]() -> frmTotalesTT& { return ResumenProyecto(); });
    AvisarRechazos();
    colegio_->AlEmpezar();
    aviso_ = new AvisoRecuperar(this, *documento_, *archivo_);
    addToolBar(Qt::TopToolBarArea, aviso_);
    // Nothing the first frame does not show comes before it: the waiting sessions are looked
    // for, and the day's clock started, once the window shows.
    AlMostrarse(this, [this] {
        aviso_->Mostrar();
        auto* reloj = new QTimer(this);
        connect(reloj, &QTimer::timeout, documento_, &DocumentoSolicitud::SeguirAlDia);
        reloj->start(60 * 1000);
    });

    connect(aviso_, &QToolBar::visibilityChanged, this, &frmPrincipal::AlFormulario);
    AlFormulario();
    PrimerLugar();
    RestaurarGeometria(this);
    AlFormulario();
}

// The first time: centred where the summary windows fit beside it; otherwise at the screen's
// top left, leaving them the most room.
void frmPrincipal::PrimerLugar() {
    const QScreen* pantalla = screen();
    if (pantalla == nullptr) return;
    const QRect libre = pantalla->availableGeometry();
    constexpr int kAnchoResumen = 10290;  // twips, the wider of the summary windows
    if (libre.width() >= width() + 2 * Px(kAnchoResumen))
        move(libre.center() - rect().center());
    else
        move(libre.topLeft());
}

// As large as the form, and no larger; smaller where the screen is, as it is now. Scrolled up
// and down, as much wider as its scroll bar, so as not to scroll across too.
void frmPrincipal::AlFormulario() {
    layout()->activate();  // its bars as they are now, the recovery bar shown or not
    const QSize completo = sizeHint();
    const int barra =
        static_cast<QScrollArea*>(centralWidget())->verticalScrollBar()->sizeHint().width();
    for (const int ancho : {completo.width(), completo.width() + barra}) {
        setMaximumSize(ancho, completo.height());
        resize(ancho, completo.height());
        EnLaPantalla(this);
        if (height() >= completo.height()) return;
    }
}

// Hidden as it goes, the recovery bar must not lay out a window already half gone.
frmPrincipal::~frmPrincipal() {
    disconnect(aviso_, nullptr, this, nullptr);
}

void frmPrincipal::CrearControles() {
    // The form at its size; where the screen is smaller (a laptop at 125 %), it scrolls
    // within the window, every control still within reach.
    auto* desplazable = new Desplazable(this);
    desplazable->setFrameShape(QFrame::NoFrame);
    auto* cliente = new QWidget(desplazable);
    cliente->setObjectName("cliente");
    cliente_ = cliente;
    desplazable->setWidget(cliente);
    setCentralWidget(desplazable);
    EstiloDeVentana(this);
    TamanoFijo(cliente, 11025, 8265);

    auto* logo = new QLabel(cliente);
    logo->setObjectName("Picture1");
    logo->setGeometry(Twips(300, 510, 3510, 1020));
    logo->setPixmap(ImagenEnPixeles(":/cdv/logo.rgba", logo->size()));
    logo->setAccessibleName("Logotipo");

    QLabel* titulo = CrearEtiqueta(cliente, NombreIndexado("Label1", 0), "QUENDAL (CDV)",
                                   Twips(1170, 2340, 8595, 615));
    QFont letraTitulo(QStringLiteral("Arial"), 14);
    letraTitulo.setPointSizeF(14.25);
    letraTitulo.setBold(true);
    titulo->setFont(letraTitulo);
    titulo->setAlignment(Qt::AlignCenter);
    Colorear(titulo, kRojoOscuro);
    colegio_ = new SelectorColegio(this, *documento_, titulo, titulo->text());

    td_ =
        new PanelEntrada(cliente, kLadoDocumentos, PanelEntrada::Catalogo::Documentos, *documento_);
    new BarraBaremo(*statusBar(), *documento_, *archivo_);

    EncadenarTabulacion(td_->OrdenDeTabulacion());
}

// Tab runs through `orden`, from the control before its first.
void frmPrincipal::EncadenarTabulacion(const std::vector<QWidget*>& orden) {
    for (std::size_t k = 1; k < orden.size(); ++k) QWidget::setTabOrder(orden[k - 1], orden[k]);
}

// The work side and the discounts, made the first time they are needed: a start shows the
// document side alone.
PanelEntrada& frmPrincipal::Trabajos() {
    if (tt_ == nullptr) {
        const ConLetraDeFormularios letra;
        tt_ = new PanelEntrada(cliente_, kLadoTrabajos, PanelEntrada::Catalogo::Trabajos,
                               *documento_);
        tt_->Marco()->setVisible(false);
        tt_->Desglose()->setVisible(false);
        connect(tt_, &PanelEntrada::anadida, this, [this] { ResumenProyecto().Adelantar(); });
        descuentos_ = new OpcionesDescuento(cliente_, *documento_);
        std::vector<QWidget*> orden{td_->OrdenDeTabulacion().back()};
        for (QWidget* control : tt_->OrdenDeTabulacion()) orden.push_back(control);
        EncadenarTabulacion(orden);
    }
    return *tt_;
}

void frmPrincipal::CrearMenu() {
    const auto accion = [this](QMenu* menu, const char* nombre, const QString& texto,
                               const QKeySequence& teclas, auto destino, auto orden) {
        QAction* a = menu->addAction(texto);
        a->setObjectName(nombre);
        a->setShortcut(teclas);
        a->setShortcutContext(Qt::ApplicationShortcut);  // from every window of the program
        connect(a, &QAction::triggered, destino, orden);
        return a;
    };
    const auto crearMenu = [this](const char* nombre, const QString& titulo) {
        QMenu* menu = menuBar()->addMenu(titulo);
        menu->setObjectName(nombre);
        return menu;
    };
    using A = ComandosArchivo;
    using P = frmPrincipal;

    // Each menu and item opens with Alt and its underlined letter.
    QMenu* principal = crearMenu("mnuPrincipal", "&Principal");
    accion(principal, "mnuNuevo", "&Nuevo", QKeySequence(Qt::CTRL | Qt::Key_N), this, &P::Nuevo);
    accion(principal, "mnuAbrir", "&Abrir...", QKeySequence(Qt::CTRL | Qt::Key_O), archivo_,
           &A::Abrir);
    new MenuRecientes(*principal, *archivo_);
    accion(principal, "mnuGuardar", "&Guardar", QKeySequence(Qt::CTRL | Qt::Key_S), archivo_,
           &A::Guardar);
    accion(principal, "mnuGuardarComo", "Guardar &como...",
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), archivo_, &A::GuardarComo);
    accion(principal, "mnuRecuperar", "&Recuperar la sesión anterior", {}, archivo_, &A::Recuperar);
    accion(principal, "mnuInstalarBaremo", "Instalar &baremo...", {}, archivo_, &A::InstalarBaremo);
    accion(principal, "mnuColegio", "C&olegio...", {}, colegio_, &SelectorColegio::Elegir);
    principal->addSeparator();
    accion(principal, "mnuImprimir", "&Imprimir...", QKeySequence(Qt::CTRL | Qt::Key_P), archivo_,
           &A::Imprimir);
    accion(principal, "mnuExportarPDF", "Exportar a P&DF...", {}, archivo_, &A::ExportarPdf);
    accion(principal, "mnuExportarCSV", "Exportar a &hoja de cálculo (CSV)...", {}, archivo_,
           &A::ExportarCsv);
    principal->addSeparator()->setObjectName("sep2");
    accion(principal, "mnuSalir", "&Salir", QKeySequence(Qt::CTRL | Qt::Key_Q), this,
           &QWidget::close);

    QMenu* edicion = crearMenu("mnuEdicion", "&Edición");
    AnadirDeshacer(*edicion);
    edicion->addSeparator();
    accion(edicion, "mnuActualizarBaremo", "&Actualizar al baremo vigente", {}, archivo_,
           &A::ActualizarBaremo);

    QMenu* ver = crearMenu("mnuVer", "&Ver");
    accion(ver, "mnuCDV", "Resumen &CDV", {}, this, [this] { ResumenCDV().Abrir(); });
    QAction* proyecto = accion(ver, "mnuProyecto", "Resumen &Proyecto", {}, this,
                               [this] { ResumenProyecto().Abrir(); });
    SeguirTrabajos(proyecto);

    QMenu* ayuda = crearMenu("mnuAyuda", "A&yuda");
    accion(ayuda, "mnuInfo", "&Info", {}, this, &P::MostrarInfo);
    ayuda->addSeparator()->setObjectName("sep1");
    accion(ayuda, "mnuAcerca", "&Acerca de ...", {}, this, &P::MostrarAcerca);
}

// A schedule without work types has no project to sum up.
void frmPrincipal::SeguirTrabajos(QAction* resumenProyecto) {
    const auto mostrar = [this, resumenProyecto] {
        resumenProyecto->setVisible(documento_->Solicitud().Baremo().TablaTT.Filas() > 0);
    };
    connect(&documento_->Solicitud(), &cdv::SolicitudVisado::baremoCambiado, resumenProyecto,
            mostrar);
    mostrar();
}

// Undo and redo, which work from every window of the program.
void frmPrincipal::AnadirDeshacer(QMenu& edicion) {
    QUndoStack& pila = documento_->Pila();
    for (const auto& [nombre, a, teclas] :
         {std::tuple{"mnuDeshacer", pila.createUndoAction(&edicion, "&Deshacer"),
                     QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)}},
          std::tuple{"mnuRehacer", pila.createRedoAction(&edicion, "&Rehacer"),
                     QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}}}) {
        a->setObjectName(nombre);
        a->setShortcuts(teclas);
        a->setShortcutContext(Qt::ApplicationShortcut);
        edicion.addAction(a);
    }
}

void frmPrincipal::Conectar() {
    connect(td_, &PanelEntrada::elegida, this, &frmPrincipal::MostrarDocumentoElegido);
    connect(td_, &PanelEntrada::anadida, this, [this] { ResumenCDV().Adelantar(); });
    connect(archivo_, &ComandosArchivo::baremosCambiados, this, [this] {
        if (info_ != nullptr) info_->MostrarBaremos();
    });
    connect(documento_, &DocumentoSolicitud::estadoCambiado, this, &frmPrincipal::MostrarEstado);
    connect(documento_, &DocumentoSolicitud::aviso, this,
            [this](const QString& texto) { Avisar(this, texto); });
    connect(archivo_, &ComandosArchivo::abierta, this, &frmPrincipal::MostrarResumenes);
}

void frmPrincipal::MostrarDocumentoElegido() {
    const cdv::DocumentoTD* fila = documento_->Solicitud().Baremo().TablaTD.Fila(td_->Fila());
    const bool proyecto = fila != nullptr && fila->Tipo == cdv::Regla::ParteDelProyecto;
    // The work side is made and filled when it is first shown: starting the program does not
    // pay for it.
    if (proyecto) Trabajos().Preparar();
    if (tt_ != nullptr) {
        tt_->Marco()->setVisible(proyecto);
        tt_->Desglose()->setVisible(proyecto);
        descuentos_->MostrarPara(proyecto ? std::string_view(fila->Ref) : std::string_view());
    }
}

void frmPrincipal::AvisarRechazos() {
    const QStringList rechazos = documento_->Baremos().Rechazos();
    if (rechazos.isEmpty()) return;
    AlMostrarse(this, [this, rechazos] {
        Advertir(this, "Estos baremos tienen faltas y no se usarán:\n" + rechazos.join('\n'));
    });
}

// ---- Windows and menu ----

frmTotalesTT& frmPrincipal::ResumenProyecto() {
    if (totalesTT_ == nullptr) {
        totalesTT_ = new frmTotalesTT(this, *documento_, [this] { return td_->Fila(); });
        connect(totalesTT_, &frmTotalesTT::hecho, this, [this] { ResumenCDV().Adelantar(); });
        connect(totalesTT_, &VentanaResumen::modificar, cambio_, &CambioEnSitio::Partida);
    }
    return *totalesTT_;
}

frmTotalesTD& frmPrincipal::ResumenCDV() {
    if (totalesTD_ == nullptr) {
        totalesTD_ = new frmTotalesTD(this, *documento_);
        connect(totalesTD_, &VentanaResumen::modificar, cambio_, &CambioEnSitio::Documento);
    }
    return *totalesTD_;
}

void frmPrincipal::MostrarInfo() {
    if (info_ == nullptr) {
        info_ = new frmInfo(this, *documento_);
        connect(info_, &frmInfo::elegido, this, &frmPrincipal::ElegirDesdeInfo);
    } else {
        info_->MostrarBaremos();
    }
    EnLaPantalla(info_);
    info_->show();
    info_->raise();
    info_->activateWindow();
}

// The main window comes in front of Info, to go on with the type chosen.
void frmPrincipal::ElegirDesdeInfo(bool trabajo, const QString& ref) {
    (trabajo ? Trabajos() : *td_).Elegir(Us(ref));
    raise();
    activateWindow();
}

void frmPrincipal::MostrarAcerca() {
    if (acerca_ == nullptr)
        acerca_ = new frmAcerca(this, cdv::FechaDeVigencia(*documento_->Vigente()),
                                cdv::NombreColegio(*documento_->Vigente()));
    acerca_->show();
}

void frmPrincipal::Nuevo() {
    if (!archivo_->PuedeReemplazarse()) return;
    if (!lanzador_(QCoreApplication::applicationFilePath())) {
        Avisar(this, kNuevoFallido);
        return;
    }
    salidaDecidida_ = true;
    close();
}

bool frmPrincipal::AbrirArchivo(const QString& ruta) {
    return archivo_->AbrirArchivo(ruta);
}

void frmPrincipal::MostrarResumenes() {
    const cdv::SolicitudVisado& solicitud = documento_->Solicitud();
    if (solicitud.Partidas().Cuantas() > 0) ResumenProyecto().show();
    if (solicitud.Documentos().Cuantas() > 0) ResumenCDV().show();
}

void frmPrincipal::MostrarEstado() {
    const QString& ruta = documento_->Ruta();
    // The document first, as the taskbar shows the beginning of a caption.
    QString titulo = ruta.isEmpty() ? QString(kTituloPrograma) + "[*]"
                                    : QFileInfo(ruta).fileName() + "[*] – " + kNombrePrograma;
    if (documento_->EnRiesgo()) titulo += " (sin copia de recuperación)";
    setWindowTitle(titulo);
    setWindowModified(documento_->SinGuardar());
}

void frmPrincipal::closeEvent(QCloseEvent* evento) {
    // Unsaved changes are saved or dropped first, or the window stays.
    if (!salidaDecidida_ && !archivo_->PuedeReemplazarse()) {
        evento->ignore();
        return;
    }
    salidaDecidida_ = false;
    // The calculator's end takes its other windows with it, even the summary windows, which
    // only hide when the user closes them. Qt then ends the program if this was its last
    // window; in a program that has others open, they go on.
    evento->accept();
    documento_->Terminar();
    GuardarGeometria(this);
    for (QWidget* ventana : {static_cast<QWidget*>(totalesTT_), static_cast<QWidget*>(totalesTD_),
                             static_cast<QWidget*>(acerca_.data()), static_cast<QWidget*>(info_)}) {
        if (ventana != nullptr) ventana->hide();
    }
}
