#include "frmPrincipal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWheelEvent>
#include <vector>

#include "ArchivoSolicitud.h"
#include "BusquedaPorPalabras.h"
#include "Catalogos.h"
#include "ComandosArchivo.h"
#include "Descuentos.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "Entorno.h"
#include "HistoriaUnica.h"
#include "Mensajes.h"
#include "MisFunciones.h"
#include "frmAcerca.h"
#include "frmInfo.h"
#include "frmTotalesTD.h"
#include "frmTotalesTT.h"

namespace {

constexpr std::string_view kNuevoFallido =
    "No se ha podido iniciar una nueva copia del programa; esta sigue abierta.";

const QColor kRojoOscuro(192, 0, 0);

bool IniciarCopia(const QString& programa) {
    return QProcess::startDetached(programa, {});
}

// Fills a selector pair from a catalogue, in catalogue order: references in one,
// descriptions in the other, each entry carrying its row number. Both are then shown
// sorted, so that typing the start of a reference completes it to the first in order.
template <typename Tabla>
void Llenar(const Tabla& tabla, QComboBox* ref, QComboBox* des) {
    for (int fila = 1; fila <= tabla.Filas(); ++fila) {
        ref->addItem(Qs(tabla.Fila(fila)->Ref), fila);
        des->addItem(Qs(tabla.Fila(fila)->Descripcion), fila);
    }
    for (QComboBox* selector : {ref, des}) {
        selector->model()->sort(0);
        selector->setCurrentIndex(-1);
    }
}

// A selector that a turn of the mouse wheel changes only while it has the focus; otherwise
// the wheel passes on to the window, and the type chosen stays.
class Selector : public QComboBox {
  public:
    using QComboBox::QComboBox;

  protected:
    void wheelEvent(QWheelEvent* evento) override {
        if (hasFocus()) {
            QComboBox::wheelEvent(evento);
        } else {
            evento->ignore();
        }
    }
};

QComboBox* CrearSelector(QWidget* padre, const QString& nombre, QRect zona) {
    auto* selector = new Selector(padre);
    selector->setFocusPolicy(Qt::StrongFocus);
    selector->setObjectName(nombre);
    selector->setGeometry(zona);
    // Its place is fixed: its size need not be measured on every entry's text.
    selector->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return selector;
}

// Typing in a selector, once it holds its entries: made editable only then, its completer
// takes them in one go rather than following each one added. The forms' style comes last, as
// the selector builds its drop-down list for it, and builds it for an editable selector.
void HacerEditable(QComboBox* selector, const QString& indicacion) {
    selector->setLineEdit(CajaDesdeElPrincipio(selector));
    selector->setInsertPolicy(QComboBox::NoInsert);
    selector->lineEdit()->setPlaceholderText(indicacion);
    selector->lineEdit()->setAccessibleName(selector->accessibleName());  // named as its selector
    selector->setStyle(EstiloFormulario());
}

// A side's selectors with their catalogue's entries, ready to pick and type in; once.
template <typename Tabla>
void PrepararSelectores(const Tabla& tabla, QComboBox* ref, QComboBox* des) {
    if (ref->isEditable()) return;
    Llenar(tabla, ref, des);
    HacerEditable(ref, "Referencias");
    HacerEditable(des, "Descripciones");
    BuscarPorPalabras(des);
}

}  // namespace

// The pictures are compiled into this static library; registering them here keeps the
// linker from dropping them.
static void RegistrarImagenes() {
    Q_INIT_RESOURCE(cdv);
}

frmPrincipal::frmPrincipal() : lanzador_(IniciarCopia) {
    RegistrarImagenes();
    MisFunciones::Reiniciar();
    cdv::CargarTablaTT();
    cdv::CargarTablaTD();
    documento_ = new DocumentoSolicitud(Recuperacion::CarpetaPorDefecto(), this);
    archivo_ = new ComandosArchivo(this, *documento_);

    setObjectName("frmPrincipal");
    setWindowTitle(QString(kTituloPrograma) + "[*]");
    setWindowIcon(QIcon(Imagen(":/cdv/cdv-48.png")));  // its other windows take it from it
    CrearControles();
    CrearMenu();
    PrepararSelectores(cdv::TablaTD, td_.ref, td_.des);
    Conectar();
    new HistoriaUnica(this, documento_->Pila());
    InstalarCuadroDeMensajes(this);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
    if (const QScreen* pantalla = screen()) {
        adjustSize();
        move(pantalla->availableGeometry().center() - rect().center());
    }
    RestaurarGeometria(this, false);
}

frmPrincipal::~frmPrincipal() {
    RetirarCuadroDeMensajes();
}

void frmPrincipal::CrearControles() {
    auto* cliente = new QWidget(this);
    setCentralWidget(cliente);
    EstiloDeVentana(this);
    TamanoFijo(cliente, 11025, 8265);

    auto* logo = new QLabel(cliente);
    logo->setObjectName("Picture1");
    logo->setGeometry(Twips(300, 510, 3510, 1020));
    logo->setPixmap(Imagen(":/cdv/logo.bmp"));
    logo->setAccessibleName("Logotipo");

    QLabel* titulo = CrearEtiqueta(cliente, NombreIndexado("Label1", 0), "QUENDAL (CDV)",
                                   Twips(1170, 2340, 8595, 615));
    QFont letraTitulo(QStringLiteral("Arial"), 14);
    letraTitulo.setPointSizeF(14.25);
    letraTitulo.setBold(true);
    titulo->setFont(letraTitulo);
    titulo->setAlignment(Qt::AlignCenter);
    Colorear(titulo, kRojoOscuro);

    // Each side's breakdown under its entry: the document's below its frame, where the work
    // frame stands only when the document entry is hidden; the work's below the discounts.
    CrearLado(td_, {"TD", "Tipo de Documento   ", Twips(390, 2910, 9855, 1845), "€", 390, 1065, 810,
                    315, 1290, "documento", "al visado", Twips(450, 4800, 9795, 900)});
    CrearLado(tt_, {"TT", "Tipos de Trabajos del Proyecto   ", Twips(390, 4845, 9855, 1845),
                    "€ (proyecto)", 420, 885, 840, 975, 1260, "trabajo", "al proyecto",
                    Twips(450, 7640, 9795, 615)});
    td_.euro->setObjectName("lblEuroTd");
    td_.total->setReadOnly(true);
    tt_.total->setReadOnly(true);
    // Read-only, but still reached by Tab and selectable, for screen readers and copying.
    td_.comentario->setReadOnly(true);
    td_.comentario->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);
    td_.comentario->setFocusPolicy(Qt::StrongFocus);
    tt_.marco->setVisible(false);
    tt_.desglose->setVisible(false);
    CrearDescuentos();

    for (const Lado* lado : {&td_, &tt_}) {
        QWidget::setTabOrder(lado->ref, lado->des);
        QWidget::setTabOrder(lado->des, lado->cantidad);
        QWidget::setTabOrder(lado->cantidad, lado->total);
        QWidget::setTabOrder(lado->total, lado->comentario);
        QWidget::setTabOrder(lado->comentario, lado->anadir);
    }
    QWidget::setTabOrder(td_.anadir, tt_.ref);
}

void frmPrincipal::CrearLado(Lado& lado, const DisenoLado& d) {
    const auto nombre = [&d](const char* base) { return QLatin1String(base) + d.sufijo; };
    lado.marco = new QGroupBox(d.titulo, centralWidget());
    lado.marco->setObjectName(nombre("fra"));
    lado.marco->setStyle(EstiloFormulario());
    lado.marco->setGeometry(d.zona);
    lado.ref = CrearSelector(lado.marco, nombre("cbbRef"), Twips(360, 390, 1275, 315));
    lado.des = CrearSelector(lado.marco, nombre("cbbDes"), Twips(1830, 390, 5475, 315));
    lado.cantidad =
        CrearCaja(lado.marco, nombre("txtCantidad"), Twips(7530, 390, 1005, 285), false);
    lado.cantidad->setMaxLength(cdv::kLargoMaximoCantidad);  // as much as a file keeps
    lado.unidad = CrearEtiqueta(lado.marco, nombre("lblUnidad"), {},
                                Twips(8700, d.arribaUnidad, d.anchoUnidad, 255));
    lado.total =
        CrearCaja(lado.marco, nombre("txtTotal"), Twips(7530, d.arribaTotal, 1005, 285), false);
    TextoQueCabe(lado.total);  // every fee whole, in its narrow box
    lado.euro = CrearEtiqueta(lado.marco, nombre("lblEuro"), d.euro,
                              Twips(8700, d.arribaTotal + 30, d.anchoEuro, 255));
    lado.comentario = new QPlainTextEdit(lado.marco);
    lado.comentario->setObjectName(nombre("txtComentario"));
    lado.comentario->setGeometry(Twips(360, 810, 6915, 855));
    lado.comentario->setTabChangesFocus(true);
    lado.anadir = CrearBoton(lado.marco, QStringLiteral("cmbAñadir") + d.sufijo, "Añadir",
                             Twips(7470, d.arribaAnadir, 1125, 315));

    // What a screen reader says of each control; the labels point at their boxes.
    lado.ref->setAccessibleName("Referencia del tipo de " + d.que);
    lado.des->setAccessibleName("Descripción del tipo de " + d.que);
    lado.cantidad->setAccessibleName("Cantidad del " + d.que);
    lado.total->setAccessibleName("Cuota del " + d.que + ", en euros");
    lado.comentario->setAccessibleName("Observaciones del tipo de " + d.que);
    lado.anadir->setAccessibleName("Añadir el " + d.que + " " + d.destino);
    lado.desglose = CrearEtiqueta(centralWidget(), nombre("lblDesglose"), {}, d.zonaDesglose);
    QFont pequena = lado.desglose->font();
    pequena.setPointSizeF(7.5);
    lado.desglose->setFont(pequena);
    lado.desglose->setAccessibleName("Cómo se llega a la cuota del " + d.que);
    lado.desglose->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lado.unidad->setBuddy(lado.cantidad);
    lado.euro->setBuddy(lado.total);

    // Enter in the quantity adds, as the button does; the keypad's decimal key writes the
    // locale's decimal separator.
    connect(lado.cantidad, &QLineEdit::returnPressed, lado.anadir, [boton = lado.anadir] {
        if (boton->isVisible()) boton->click();
    });
    SeparadorDecimalDelTecladoNumerico(lado.cantidad);
}

void frmPrincipal::CrearDescuentos() {
    // Both frames stand in the same place; at most one is visible at a time.
    const auto crear = [this](QGroupBox*& marco, QButtonGroup*& grupo, const char* nombre,
                              const QString& titulo, int ancho, const auto& opciones,
                              std::initializer_list<int> izquierdas) {
        marco = new QGroupBox(titulo, centralWidget());
        marco->setObjectName(QLatin1String("fraDesc") + nombre);
        marco->setStyle(EstiloFormulario());
        marco->setGeometry(Twips(390, 6780, ancho, 825));
        marco->setVisible(false);
        grupo = new QButtonGroup(marco);
        // Each option reaches to the next one, the last to the frame's edge.
        std::vector<int> bordes(izquierdas);
        bordes.push_back(ancho - 60);
        for (std::size_t indice = 0; indice + 1 < bordes.size(); ++indice) {
            auto* opcion = new QRadioButton(Qs(opciones[indice].texto), marco);
            opcion->setObjectName(
                NombreIndexado(QByteArray("otb").append(nombre), static_cast<int>(indice)));
            opcion->setGeometry(
                Twips(bordes[indice], 330, bordes[indice + 1] - bordes[indice], 315));
            opcion->setChecked(indice == 0);
            grupo->addButton(opcion, static_cast<int>(indice));
        }
    };
    crear(fraDescProyecto_, otbProyecto_, "Proyecto", "Descuentos al Proyecto   ", 7155,
          cdv::kDescuentosProyecto, {480, 1860, 3630, 5220});
    crear(fraDescProyectoBasico_, otbProyectoBasico_, "ProyectoBasico",
          "Descuentos al Proyecto Básico   ", 5565, cdv::kDescuentosProyectoBasico,
          {480, 1860, 3630});
}

void frmPrincipal::CrearMenu() {
    const auto accion = [this](QMenu* menu, const char* nombre, const QString& texto) {
        QAction* a = menu->addAction(texto);
        a->setObjectName(nombre);
        return a;
    };
    const auto crearMenu = [this](const char* nombre, const QString& titulo) {
        QMenu* menu = menuBar()->addMenu(titulo);
        menu->setObjectName(nombre);
        return menu;
    };

    // Each menu and item opens with Alt and its underlined letter.
    QMenu* principal = crearMenu("mnuPrincipal", "&Principal");
    connect(accion(principal, "mnuNuevo", "&Nuevo"), &QAction::triggered, this,
            &frmPrincipal::Nuevo);
    QAction* abrir = accion(principal, "mnuAbrir", "&Abrir...");
    abrir->setShortcut(QKeySequence::Open);
    connect(abrir, &QAction::triggered, archivo_, &ComandosArchivo::Abrir);
    QAction* guardar = accion(principal, "mnuGuardar", "&Guardar");
    guardar->setShortcut(QKeySequence::Save);
    connect(guardar, &QAction::triggered, archivo_, &ComandosArchivo::Guardar);
    QAction* guardarComo = accion(principal, "mnuGuardarComo", "Guardar &como...");
    guardarComo->setShortcut(QKeySequence("Ctrl+Shift+S"));
    connect(guardarComo, &QAction::triggered, archivo_, &ComandosArchivo::GuardarComo);
    connect(accion(principal, "mnuRecuperar", "&Recuperar la sesión anterior"), &QAction::triggered,
            archivo_, &ComandosArchivo::Recuperar);
    principal->addSeparator();
    QAction* imprimir = accion(principal, "mnuImprimir", "&Imprimir...");
    imprimir->setShortcut(QKeySequence::Print);
    connect(imprimir, &QAction::triggered, archivo_, &ComandosArchivo::Imprimir);
    connect(accion(principal, "mnuExportarPDF", "Exportar a P&DF..."), &QAction::triggered,
            archivo_, &ComandosArchivo::ExportarPdf);
    connect(accion(principal, "mnuExportarCSV", "Exportar a &hoja de cálculo (CSV)..."),
            &QAction::triggered, archivo_, &ComandosArchivo::ExportarCsv);
    principal->addSeparator()->setObjectName("sep2");
    connect(accion(principal, "mnuSalir", "&Salir"), &QAction::triggered, this, &QWidget::close);

    // Undo and redo work from every window of the program.
    QMenu* edicion = crearMenu("mnuEdicion", "&Edición");
    QUndoStack& pila = documento_->Pila();
    for (const auto& [nombre, a, teclas] :
         {std::tuple{"mnuDeshacer", pila.createUndoAction(edicion, "&Deshacer"),
                     QList<QKeySequence>{QKeySequence("Ctrl+Z")}},
          std::tuple{"mnuRehacer", pila.createRedoAction(edicion, "&Rehacer"),
                     QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}}}) {
        a->setObjectName(nombre);
        a->setShortcuts(teclas);
        a->setShortcutContext(Qt::ApplicationShortcut);
        edicion->addAction(a);
    }

    QMenu* ver = crearMenu("mnuVer", "&Ver");
    connect(accion(ver, "mnuCDV", "Resumen &CDV"), &QAction::triggered, this,
            [this] { ResumenCDV().Abrir(); });
    connect(accion(ver, "mnuProyecto", "Resumen &Proyecto"), &QAction::triggered, this,
            [this] { ResumenProyecto().Abrir(); });

    QMenu* ayuda = crearMenu("mnuAyuda", "A&yuda");
    connect(accion(ayuda, "mnuInfo", "&Info"), &QAction::triggered, this,
            &frmPrincipal::MostrarInfo);
    ayuda->addSeparator()->setObjectName("sep1");
    connect(accion(ayuda, "mnuAcerca", "&Acerca de ..."), &QAction::triggered, this,
            &frmPrincipal::MostrarAcerca);
}

void frmPrincipal::Conectar() {
    using Eleccion = void (frmPrincipal::*)(QComboBox*, QComboBox*);
    for (const auto& [lado, elegir] :
         {std::pair<Lado*, Eleccion>{&tt_, &frmPrincipal::ElegirTrabajo},
          std::pair<Lado*, Eleccion>{&td_, &frmPrincipal::ElegirDocumento}}) {
        for (const auto& [elegido, otro] :
             {std::pair{lado->ref, lado->des}, std::pair{lado->des, lado->ref}}) {
            connect(
                elegido, &QComboBox::activated, this,
                [this, elegir, elegido = elegido, otro = otro] { (this->*elegir)(elegido, otro); });
        }
    }
    connect(tt_.cantidad, &QLineEdit::textChanged, this, &frmPrincipal::CambioCantidadTT);
    connect(td_.cantidad, &QLineEdit::textChanged, this, &frmPrincipal::CambioCantidadTD);
    connect(tt_.anadir, &QPushButton::clicked, this, &frmPrincipal::AnadirTrabajo);
    connect(td_.anadir, &QPushButton::clicked, this, &frmPrincipal::AnadirDocumento);

    cdv::SolicitudVisado* solicitud = &documento_->Solicitud();
    for (const auto& [grupo, ref] : {std::pair{otbProyecto_, cdv::kRefProyecto},
                                     std::pair{otbProyectoBasico_, cdv::kRefProyectoBasico}}) {
        connect(grupo, &QButtonGroup::idClicked, documento_,
                [documento = documento_, ref = ref](int indice) {
                    documento->ElegirOpcion(ref, indice);
                });
    }
    connect(solicitud, &cdv::SolicitudVisado::cambiada, this, &frmPrincipal::MostrarDescuentos);
    connect(documento_, &DocumentoSolicitud::estadoCambiado, this, &frmPrincipal::MostrarEstado);
    connect(archivo_, &ComandosArchivo::abierta, this, &frmPrincipal::MostrarResumenes);
}

int frmPrincipal::ElegirFila(QComboBox* elegido, QComboBox* otro) {
    const int fila = elegido->currentData().toInt();
    otro->setCurrentIndex(otro->findData(fila));
    // Long descriptions are shown from their start.
    for (QComboBox* selector : {elegido, otro}) selector->lineEdit()->setCursorPosition(0);
    return fila;
}

void frmPrincipal::MostrarComentario(QPlainTextEdit* caja, std::string_view nota) {
    caja->setVisible(!nota.empty());
    if (!nota.empty()) caja->setPlainText(Qs(nota).replace(QChar('\r'), QChar('\n')));
}

void frmPrincipal::AplicarCuota(const Lado& lado, const cdv::CuotaCalculada& cuota,
                                const cdv::Desglose& pasos) {
    switch (cuota.resultado) {
        case cdv::Resultado::Invalida:
            lado.cantidad->clear();
            lado.total->clear();
            break;
        case cdv::Resultado::Cuota:
            lado.total->setText(Qs(cuota.texto));
            break;
        case cdv::Resultado::SinCuota:
            break;
    }
    QStringList lineas;
    for (const std::string& paso : pasos) lineas << Qs(paso);
    MostrarDesglose(lado, lineas.join('\n'));
}

// The breakdown under the side, and as the fee box's tooltip and accessible description.
void frmPrincipal::MostrarDesglose(const Lado& lado, const QString& texto) {
    lado.desglose->setText(texto);
    lado.total->setToolTip(texto);
    lado.total->setAccessibleDescription(texto);
}

bool frmPrincipal::AnadirDelLado(const Lado& lado, int fila, std::string_view ref, Tasador tasar,
                                 cdv::ListaLineas& lista) {
    if (fila == 0 || lado.total->text().isEmpty()) return false;
    return documento_->Anadir(lista, tasar(fila, cdv::AlArchivo(lado.cantidad->text())),
                              "Añadir " + Qs(ref));
}

void frmPrincipal::MostrarEntradaTD(bool mostrar) {
    for (QWidget* control :
         {static_cast<QWidget*>(td_.cantidad), static_cast<QWidget*>(td_.unidad),
          static_cast<QWidget*>(td_.total), static_cast<QWidget*>(td_.euro),
          static_cast<QWidget*>(td_.anadir), static_cast<QWidget*>(td_.desglose)}) {
        control->setVisible(mostrar);
    }
    // The work side's selectors are filled when it is first shown: starting the program does
    // not pay for them.
    if (!mostrar) PrepararSelectores(cdv::TablaTT, tt_.ref, tt_.des);
    tt_.marco->setVisible(!mostrar);
    tt_.desglose->setVisible(!mostrar);
    const cdv::DocumentoTD* fila = cdv::TablaTD.Fila(MisFunciones::IndiceTD);
    if (fila == nullptr) return;
    fraDescProyecto_->setVisible(fila->Ref == cdv::kRefProyecto);
    fraDescProyectoBasico_->setVisible(fila->Ref == cdv::kRefProyectoBasico);
    MostrarComentario(td_.comentario, fila->Comentario);
}

// ---- Project work side ----

void frmPrincipal::ElegirTrabajo(QComboBox* elegido, QComboBox* otro) {
    MisFunciones::IndiceTT = static_cast<std::int16_t>(ElegirFila(elegido, otro));
    MostrarSeleccionTT();
}

void frmPrincipal::MostrarSeleccionTT() {
    const cdv::TrabajoTT* fila = cdv::TablaTT.Fila(MisFunciones::IndiceTT);
    if (fila == nullptr) return;
    tt_.cantidad->clear();
    tt_.total->clear();
    MostrarDesglose(tt_, {});
    MostrarComentario(tt_.comentario, fila->Comentario);
    tt_.unidad->setText(Qs(cdv::UnidadTrabajo(*fila)));
    if (fila->Tipo == 1) {
        tt_.cantidad->setText("1");
        CambioCantidadTT();
    }
}

void frmPrincipal::CambioCantidadTT() {
    cdv::Desglose pasos;
    AplicarCuota(tt_,
                 cdv::CuotaTrabajo(cdv::TablaTT.Fila(MisFunciones::IndiceTT),
                                   Us(tt_.cantidad->text()), cdv::SeparadoresActuales(), &pasos),
                 pasos);
}

void frmPrincipal::AnadirTrabajo() {
    const cdv::TrabajoTT* fila = cdv::TablaTT.Fila(MisFunciones::IndiceTT);
    if (fila != nullptr && AnadirDelLado(tt_, MisFunciones::IndiceTT, fila->Ref, cdv::TasarPartida,
                                         documento_->Solicitud().Partidas())) {
        ResumenProyecto().show();
    }
}

// ---- Document side ----

void frmPrincipal::ElegirDocumento(QComboBox* elegido, QComboBox* otro) {
    MisFunciones::IndiceTD = static_cast<std::int16_t>(ElegirFila(elegido, otro));
    MostrarSeleccionTD();
}

void frmPrincipal::MostrarSeleccionTD() {
    const cdv::DocumentoTD* fila = cdv::TablaTD.Fila(MisFunciones::IndiceTD);
    if (fila == nullptr) return;
    MostrarDesglose(td_, {});  // each kind below shows its own
    switch (fila->Tipo) {
        case 1:
            MostrarEntradaTD(true);
            td_.unidad->setText("Ud.");
            td_.cantidad->setText("1");
            CambioCantidadTD();
            break;
        case 3:
            MostrarEntradaTD(true);
            td_.unidad->setText("Presupuesto");
            td_.cantidad->clear();
            td_.total->setText("0");
            MostrarDesglose(td_, "Sin presupuesto todavía.\nCuota: 0");
            break;
        case 5:
            MostrarEntradaTD(false);
            td_.cantidad->clear();
            td_.total->clear();
            break;
        default:
            // No fee rule: the entry is shown empty, and without a fee it cannot be added.
            MostrarEntradaTD(true);
            td_.unidad->clear();
            td_.cantidad->clear();
            td_.total->clear();
            break;
    }
}

void frmPrincipal::CambioCantidadTD() {
    cdv::Desglose pasos;
    AplicarCuota(td_,
                 cdv::CuotaDocumento(cdv::TablaTD.Fila(MisFunciones::IndiceTD),
                                     Us(td_.cantidad->text()), cdv::SeparadoresActuales(), &pasos),
                 pasos);
}

void frmPrincipal::AnadirDocumento() {
    const cdv::DocumentoTD* fila = cdv::TablaTD.Fila(MisFunciones::IndiceTD);
    if (fila != nullptr &&
        AnadirDelLado(td_, MisFunciones::IndiceTD, fila->Ref, cdv::TasarDocumento,
                      documento_->Solicitud().Documentos())) {
        ResumenCDV().show();
    }
}

// ---- Windows and menu ----

frmTotalesTT& frmPrincipal::ResumenProyecto() {
    if (totalesTT_ == nullptr) totalesTT_ = new frmTotalesTT(this);
    return *totalesTT_;
}

frmTotalesTD& frmPrincipal::ResumenCDV() {
    if (totalesTD_ == nullptr) totalesTD_ = new frmTotalesTD(this);
    return *totalesTD_;
}

void frmPrincipal::MostrarInfo() {
    if (info_ == nullptr) {
        info_ = new frmInfo(this);
        connect(info_, &frmInfo::elegido, this, &frmPrincipal::ElegirDesdeInfo);
    }
    info_->show();
    info_->raise();
    info_->activateWindow();
}

void frmPrincipal::ElegirDesdeInfo(bool trabajo, int fila) {
    if (trabajo) PrepararSelectores(cdv::TablaTT, tt_.ref, tt_.des);
    const Lado& lado = trabajo ? tt_ : td_;
    lado.ref->setCurrentIndex(lado.ref->findData(fila));
    if (trabajo) {
        ElegirTrabajo(lado.ref, lado.des);
    } else {
        ElegirDocumento(lado.ref, lado.des);
    }
}

void frmPrincipal::MostrarAcerca() {
    if (acerca_ == nullptr) acerca_ = new frmAcerca(this);
    acerca_->show();
}

void frmPrincipal::Nuevo() {
    if (!archivo_->PuedeReemplazarse()) return;
    if (!lanzador_(QCoreApplication::applicationFilePath())) {
        cdv::Avisar(kNuevoFallido);
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
    QString titulo = kTituloPrograma;
    if (!ruta.isEmpty()) titulo += " - " + QFileInfo(ruta).fileName();
    titulo += "[*]";
    if (documento_->EnRiesgo()) titulo += " (sin copia de recuperación)";
    setWindowTitle(titulo);
    setWindowModified(documento_->SinGuardar());
}

void frmPrincipal::MostrarDescuentos() {
    const cdv::SolicitudVisado& solicitud = documento_->Solicitud();
    otbProyecto_->button(solicitud.Opcion(cdv::kRefProyecto))->setChecked(true);
    otbProyectoBasico_->button(solicitud.Opcion(cdv::kRefProyectoBasico))->setChecked(true);
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
    GuardarGeometria(this, false);
    for (QWidget* ventana : {static_cast<QWidget*>(totalesTT_), static_cast<QWidget*>(totalesTD_),
                             static_cast<QWidget*>(acerca_.data()), static_cast<QWidget*>(info_)}) {
        if (ventana != nullptr) ventana->hide();
    }
}
