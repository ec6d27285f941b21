#include "PanelEntrada.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QWheelEvent>
#include <optional>

#include "ArchivoSolicitud.h"
#include "BusquedaPorPalabras.h"
#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "EleccionTarifa.h"
#include "Entorno.h"
#include "FilaSeguida.h"

namespace {

using Catalogo = PanelEntrada::Catalogo;

// What the side shows of a row, whichever its catalogue.
struct Vista {
    std::string_view ref, descripcion, nota, unidad;
    cdv::Regla tipo;
};

int Filas(const cdv::Baremo& baremo, Catalogo catalogo) {
    return catalogo == Catalogo::Documentos ? baremo.TablaTD.Filas() : baremo.TablaTT.Filas();
}

std::optional<Vista> VistaDe(const cdv::Baremo& baremo, Catalogo catalogo, int fila) {
    if (catalogo == Catalogo::Documentos) {
        const cdv::DocumentoTD* d = baremo.TablaTD.Fila(fila);
        if (d == nullptr) return std::nullopt;
        return Vista{d->Ref, d->Descripcion, d->Comentario, cdv::UnidadDocumento(*d), d->Tipo};
    }
    const cdv::TrabajoTT* t = baremo.TablaTT.Fila(fila);
    if (t == nullptr) return std::nullopt;
    return Vista{t->Ref, t->Descripcion, t->Comentario, cdv::UnidadTrabajo(*t), t->Tipo};
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

void MostrarComentario(QPlainTextEdit* caja, std::string_view nota) {
    caja->setVisible(!nota.empty());
    if (!nota.empty()) caja->setPlainText(Qs(nota).replace(QChar('\r'), QChar('\n')));
}

}  // namespace

PanelEntrada::PanelEntrada(QWidget* cliente, const Diseno& diseno, Catalogo catalogo,
                           DocumentoSolicitud& documento)
    : QObject(cliente), catalogo_(catalogo), documento_(documento) {
    marco_ = new QGroupBox(diseno.titulo, cliente);
    CrearControles(diseno);
    desglose_ = CrearEtiqueta(cliente, QLatin1String("lblDesglose") + diseno.sufijo, {},
                              diseno.zonaDesglose);
    QFont pequena = desglose_->font();
    pequena.setPointSizeF(7.5);
    desglose_->setFont(pequena);
    desglose_->setAccessibleName("Cómo se llega a la cuota del " + diseno.que);
    desglose_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (catalogo == Catalogo::Documentos) {
        tarifa_ = new EleccionTarifa(marco_, documento_);
        connect(tarifa_, &EleccionTarifa::cambiada, this, &PanelEntrada::CambioCantidad);
    }
    Conectar();
}

void PanelEntrada::CrearControles(const Diseno& d) {
    const auto nombre = [&d](const char* base) { return QLatin1String(base) + d.sufijo; };
    marco_->setObjectName(nombre("fra"));
    marco_->setStyle(EstiloFormulario());
    marco_->setGeometry(d.zona);
    ref_ = CrearSelector(marco_, nombre("cbbRef"), Twips(360, 390, 1275, 315));
    des_ = CrearSelector(marco_, nombre("cbbDes"), Twips(1830, 390, 5475, 315));
    cantidad_ = CrearCaja(marco_, nombre("txtCantidad"), Twips(7530, 390, 1005, 285), false);
    cantidad_->setMaxLength(cdv::kLargoMaximoCantidad);  // as much as a file keeps
    unidad_ = CrearEtiqueta(marco_, nombre("lblUnidad"), {},
                            Twips(8700, d.arribaUnidad, d.anchoUnidad, 255));
    total_ = CrearCaja(marco_, nombre("txtTotal"), Twips(7530, d.arribaTotal, 1005, 285), true);
    TextoQueCabe(total_);  // every fee whole, in its narrow box
    euro_ = CrearEtiqueta(marco_, d.nombreEuro, d.euro,
                          Twips(8700, d.arribaTotal + 30, d.anchoEuro, 255));
    comentario_ = new QPlainTextEdit(marco_);
    comentario_->setObjectName(nombre("txtComentario"));
    comentario_->setGeometry(Twips(360, 810, 6915, 855));
    comentario_->setTabChangesFocus(true);
    if (d.notaDeSoloLectura) {
        // Read-only, but still reached by Tab and selectable, for screen readers and copying.
        comentario_->setReadOnly(true);
        comentario_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                             Qt::TextSelectableByKeyboard);
        comentario_->setFocusPolicy(Qt::StrongFocus);
    }
    anadir_ = CrearBoton(marco_, QStringLiteral("cmbAñadir") + d.sufijo, "Añadir",
                         Twips(7470, d.arribaAnadir, 1125, 315));
    cancelar_ = CrearBoton(marco_, nombre("cmbCancelar"), "Cancelar",
                           Twips(8640, d.arribaAnadir, 1125, 315));
    cancelar_->setVisible(false);

    // What a screen reader says of each control; the labels point at their boxes.
    ref_->setAccessibleName("Referencia del tipo de " + d.que);
    des_->setAccessibleName("Descripción del tipo de " + d.que);
    cantidad_->setAccessibleName("Cantidad del " + d.que);
    total_->setAccessibleName("Cuota del " + d.que + ", en euros");
    comentario_->setAccessibleName("Observaciones del tipo de " + d.que);
    anadirAccesible_ = "Añadir el " + d.que + " " + d.destino;
    anadir_->setAccessibleName(anadirAccesible_);
    titulo_ = d.titulo;
    unidad_->setBuddy(cantidad_);
    euro_->setBuddy(total_);
}

void PanelEntrada::Conectar() {
    for (const auto& [elegido, otro] : {std::pair{ref_, des_}, std::pair{des_, ref_}}) {
        connect(elegido, &QComboBox::activated, this,
                [this, elegido = elegido, otro = otro] { ElegirDesde(elegido, otro); });
    }
    connect(cantidad_, &QLineEdit::textChanged, this, &PanelEntrada::CambioCantidad);
    connect(anadir_, &QPushButton::clicked, this, &PanelEntrada::Anadir);
    connect(cancelar_, &QPushButton::clicked, this, &PanelEntrada::TerminarModificacion);
    // Escape gives a change up, as "Cancelar" does.
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), marco_, this,
                            &PanelEntrada::TerminarModificacion, Qt::WidgetWithChildrenShortcut);
    escape_->setEnabled(false);
    // The line being changed moves with lines added or removed before it; once it is gone
    // (undone, removed, another file opened), the change ends, and its quantity with it, so
    // that Enter adds nothing by mistake.
    modificando_ = new FilaSeguida(
        Lista(),
        [this](bool sigue) {
            MostrarModificacion();
            if (!sigue) cantidad_->clear();
        },
        this);
    // Enter in the quantity adds, as the button does; the keypad's decimal key writes the
    // locale's decimal separator.
    connect(cantidad_, &QLineEdit::returnPressed, anadir_, [boton = anadir_] {
        if (boton->isVisible()) boton->click();
    });
    SeparadorDecimalDelTecladoNumerico(cantidad_);
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::baremoCambiado, this,
            &PanelEntrada::OtroBaremo);
}

std::vector<QWidget*> PanelEntrada::OrdenDeTabulacion() const {
    return {ref_, des_, cantidad_, total_, comentario_, anadir_};
}

const cdv::Baremo& PanelEntrada::Baremo() const {
    return documento_.Solicitud().Baremo();
}

cdv::ListaLineas& PanelEntrada::Lista() const {
    cdv::SolicitudVisado& solicitud = documento_.Solicitud();
    return catalogo_ == Catalogo::Documentos ? solicitud.Documentos() : solicitud.Partidas();
}

void PanelEntrada::Modificar(int fila) {
    const cdv::Linea& linea = Lista().En(fila);
    const std::optional<Vista> vista = VistaDe(Baremo(), catalogo_, linea.fila);
    if (!vista) return;
    Elegir(vista->ref);
    if (tarifa_ != nullptr) tarifa_->Poner(linea.factores);
    cantidad_->setText(cdv::DelArchivo(linea.cantidad));
    modificando_->Seguir(fila);
    MostrarModificacion();
    cantidad_->setFocus();
    cantidad_->selectAll();
}

// The side says which line it changes, in its title, and its button saves it.
void PanelEntrada::MostrarModificacion() {
    const int fila = modificando_->Fila();
    const bool modificando = fila >= 0;
    QString titulo = titulo_;
    if (modificando) {
        const QString ref = Qs(VistaDe(Baremo(), catalogo_, Lista().En(fila).fila)->ref);
        titulo = QString("%1 — modificando la línea %2 (%3)   ")
                     .arg(titulo_.trimmed(), QString::number(fila + 1), ref);
    }
    marco_->setTitle(titulo);
    anadir_->setText(modificando ? "Guardar" : "Añadir");
    anadir_->setAccessibleName(modificando ? "Guardar los cambios de la línea" : anadirAccesible_);
    cancelar_->setVisible(modificando && anadir_->isVisible());
    escape_->setEnabled(modificando);
}

void PanelEntrada::TerminarModificacion() {
    modificando_->Soltar();
    MostrarModificacion();
}

void PanelEntrada::Preparar() {
    if (ref_->isEditable()) return;
    Llenar();
    HacerEditable(ref_, "Referencias");
    HacerEditable(des_, "Descripciones");
    BuscarPorPalabras(des_);
}

// Fills the selector pair in catalogue order: references in one, descriptions in the other,
// each entry carrying its row number. Both are then shown sorted, so that typing the start of
// a reference completes it to the first in order.
void PanelEntrada::Llenar() {
    for (QComboBox* selector : {ref_, des_}) selector->clear();
    for (int fila = 1; fila <= Filas(Baremo(), catalogo_); ++fila) {
        const Vista vista = *VistaDe(Baremo(), catalogo_, fila);
        ref_->addItem(Qs(vista.ref), fila);
        des_->addItem(Qs(vista.descripcion), fila);
    }
    for (QComboBox* selector : {ref_, des_}) {
        selector->model()->sort(0);
        selector->setCurrentIndex(-1);
    }
}

void PanelEntrada::OtroBaremo() {
    TerminarModificacion();
    fila_ = 0;
    if (ref_->isEditable()) Llenar();
    unidad_->clear();
    {
        const QSignalBlocker bloqueo(cantidad_);
        cantidad_->clear();
    }
    total_->clear();
    MostrarDesglose({});
    comentario_->setVisible(false);
    if (catalogo_ == Catalogo::Documentos) MostrarEntrada(true);
    emit elegida(0);
}

void PanelEntrada::Elegir(std::string_view ref) {
    Preparar();
    const int fila = catalogo_ == Catalogo::Documentos ? Baremo().TablaTD.Buscar(ref)
                                                       : Baremo().TablaTT.Buscar(ref);
    if (fila == 0) return;
    ref_->setCurrentIndex(ref_->findData(fila));
    ElegirDesde(ref_, des_);
}

// The row the picked entry carries, shown in the other selector too.
void PanelEntrada::ElegirDesde(QComboBox* elegido, QComboBox* otro) {
    fila_ = elegido->currentData().toInt();
    otro->setCurrentIndex(otro->findData(fila_));
    // Long descriptions are shown from their start.
    for (QComboBox* selector : {elegido, otro}) selector->lineEdit()->setCursorPosition(0);
    MostrarFila();
}

// The row's unit and note; its quantity, 1 for a count of units, and the fee for it.
void PanelEntrada::MostrarFila() {
    const std::optional<Vista> vista = VistaDe(Baremo(), catalogo_, fila_);
    if (!vista) return;
    if (catalogo_ == Catalogo::Documentos) {
        MostrarEntrada(vista->tipo != cdv::Regla::ParteDelProyecto);
        tarifa_->MostrarPara(fila_);
        cantidad_->setVisible(tarifa_->PideCantidad());
        unidad_->setVisible(tarifa_->PideCantidad());
    }
    MostrarComentario(comentario_, vista->nota);
    // A price list's unit may be longer than its label: cut, and whole in its tooltip.
    const QString unidad = Qs(vista->unidad);
    unidad_->setText(
        vista->tipo != cdv::Regla::SegunTarifa
            ? unidad
            : unidad_->fontMetrics().elidedText(unidad, Qt::ElideRight, unidad_->width()));
    unidad_->setToolTip(unidad_->text() == unidad ? QString() : unidad);
    {
        const QSignalBlocker bloqueo(cantidad_);
        cantidad_->setText(vista->tipo == cdv::Regla::PorUnidad ? "1" : "");
    }
    CambioCantidad();
    if (catalogo_ == Catalogo::Documentos && vista->tipo == cdv::Regla::PorPresupuesto) {
        total_->setText("0");
        MostrarDesglose("Sin presupuesto todavía.\nCuota: 0");
    }
    emit elegida(fila_);
}

void PanelEntrada::MostrarEntrada(bool mostrar) {
    for (QWidget* control : {static_cast<QWidget*>(cantidad_), static_cast<QWidget*>(unidad_),
                             static_cast<QWidget*>(total_), static_cast<QWidget*>(euro_),
                             static_cast<QWidget*>(anadir_), static_cast<QWidget*>(desglose_)}) {
        control->setVisible(mostrar);
    }
    cancelar_->setVisible(mostrar && modificando_->Fila() >= 0);
}

// The quantity's number, without a budget's euro sign: the request keeps the number alone.
std::string PanelEntrada::NumeroEscrito() const {
    const std::string texto = Us(cantidad_->text());
    const std::optional<Vista> vista = VistaDe(Baremo(), catalogo_, fila_);
    return vista ? std::string(cdv::NumeroDeCantidad(vista->tipo, texto)) : texto;
}

void PanelEntrada::CambioCantidad() {
    if (DeTarifa()) {
        CambioTarifa();
        return;
    }
    cdv::Desglose pasos;
    const std::string cantidad = NumeroEscrito();
    const cdv::Separadores s = cdv::SeparadoresActuales();
    // A text that is no number here stays as typed, shown as wrong, with no fee to add.
    const bool numero = cantidad.empty() || cdv::LeerNumero(cantidad, s).has_value();
    MarcarCantidad(numero, s);
    if (!numero && fila_ != 0) {
        total_->clear();
        MostrarDesglose({});
        return;
    }
    const cdv::CuotaCalculada cuota =
        catalogo_ == Catalogo::Documentos
            ? cdv::CuotaDocumento(Baremo(), Baremo().TablaTD.Fila(fila_), cantidad, s, &pasos)
            : cdv::CuotaTrabajo(Baremo(), Baremo().TablaTT.Fila(fila_), cantidad, s, &pasos);
    // A scale's message, as the fee is reached, on every change that reaches it.
    if (!cuota.aviso.empty()) Avisar(marco_->window(), Qs(cuota.aviso));
    AplicarCuota(cuota, pasos);
}

// A quantity that is no number for the locale shows so: in its colours, and with a tooltip
// that says how numbers are written here.
void PanelEntrada::MarcarCantidad(bool valida, const cdv::Separadores& s) {
    if (valida == !cantidad_->property("invalida").toBool()) return;
    cantidad_->setProperty("invalida", !valida);
    const auto nombre = [](const std::string& separador) {
        return separador == ","   ? QString("la coma")
               : separador == "." ? QString("el punto")
                                  : "«" + Qs(separador) + "»";
    };
    // Put together without QString::arg, which would take the digits after a separator for
    // a placeholder ("150%2000").
    const QString decimal = Qs(s.decimal);
    const bool blancos = cdv::GrupoDeBlancos(s.grupo);
    const QString texto = "Use " + nombre(s.decimal) + " para los decimales: 150000" + decimal +
                          "50. Los miles pueden separarse con " +
                          (blancos ? QString("un espacio") : nombre(s.grupo)) +
                          ", de tres en tres: 150" + (blancos ? QString(" ") : Qs(s.grupo)) +
                          "000" + decimal + "50.";
    MarcarCaja(cantidad_, valida ? QString() : texto);
}

// Shows a fee rule's answer in the side's boxes, and how it was reached.
void PanelEntrada::AplicarCuota(const cdv::CuotaCalculada& cuota, const cdv::Desglose& pasos) {
    switch (cuota.resultado) {
        case cdv::Resultado::Invalida:
            cantidad_->clear();
            total_->clear();
            break;
        case cdv::Resultado::Cuota:
            total_->setText(Qs(cuota.texto));
            break;
        case cdv::Resultado::Excesiva:  // the steps say why there is none
        case cdv::Resultado::Imprecisa:
            total_->clear();
            break;
        case cdv::Resultado::SinCuota:
            break;
    }
    QStringList lineas;
    for (const std::string& paso : pasos) lineas << Qs(paso);
    MostrarDesglose(lineas.join('\n'));
}

bool PanelEntrada::DeTarifa() const {
    const std::optional<Vista> vista = VistaDe(Baremo(), catalogo_, fila_);
    return vista && vista->tipo == cdv::Regla::SegunTarifa;
}

cdv::Tasacion PanelEntrada::TasacionDeTarifa() const {
    const QString cantidad = tarifa_->PideCantidad() ? cantidad_->text().trimmed() : QString();
    return cdv::TasarDocumento(Baremo(), fila_, cdv::AlArchivo(cantidad),
                               documento_.Solicitud().Canal(), tarifa_->Factores());
}

// The fee for what the side shows, with its steps; or, where something is missing or no
// number, why there is none.
void PanelEntrada::CambioTarifa() {
    const cdv::Separadores s = cdv::SeparadoresActuales();
    const QString texto = cantidad_->text().trimmed();
    const bool falta = tarifa_->PideCantidad() && texto.isEmpty();
    MarcarCantidad(falta || !tarifa_->PideCantidad() || cdv::LeerCantidad(Us(texto), s), s);
    const cdv::Tasacion tasacion = TasacionDeTarifa();
    if (falta || !tasacion.linea) {
        total_->clear();
        QString motivo = falta ? QString() : tasacion.motivo;
        if (!motivo.isEmpty()) motivo[0] = motivo[0].toUpper();
        MostrarDesglose(motivo.isEmpty() ? motivo : motivo + ".");
        return;
    }
    total_->setText(cdv::DelArchivo(tasacion.linea->texto));
    QStringList pasos = cdv::PasosDe(Baremo(), *tasacion.linea, documento_.Solicitud().Canal());
    pasos << "Cuota: " + total_->text();
    MostrarDesglose(pasos.join('\n'));
}

// The breakdown under the side, and as the fee box's tooltip and accessible description.
void PanelEntrada::MostrarDesglose(const QString& texto) {
    desglose_->setText(texto);
    total_->setToolTip(cdv::AyudaLlana(texto));
    total_->setAccessibleDescription(texto);
}

// What the side shows is added to its list, or put in the place of the line being changed:
// nothing without a row and a fee.
void PanelEntrada::Anadir() {
    const std::optional<Vista> vista = VistaDe(Baremo(), catalogo_, fila_);
    if (!vista || total_->text().isEmpty()) return;
    const QString cantidad = cdv::AlArchivo(Qs(NumeroEscrito()));
    const cdv::Tasacion tasacion = DeTarifa() ? TasacionDeTarifa()
                                   : catalogo_ == Catalogo::Documentos
                                       ? cdv::TasarDocumento(Baremo(), fila_, cantidad)
                                       : cdv::TasarPartida(Baremo(), fila_, cantidad);
    const int modificando = modificando_->Fila();
    modificando_->Soltar();  // its own replacement is no loss of the line
    const bool hecho =
        modificando >= 0
            ? documento_.Reemplazar(Lista(), modificando, tasacion, "Modificar " + Qs(vista->ref))
            : documento_.Anadir(Lista(), tasacion, "Añadir " + Qs(vista->ref));
    if (!hecho) {
        modificando_->Seguir(modificando);
        return;
    }
    TerminarModificacion();
    emit anadida();
}
