#include "OpcionesDescuento.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>
#include <array>
#include <vector>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "TextoLocal.h"

namespace {

// The frames of "P" and "PB" as the main window has always drawn them: their names and
// captions, and for the options they have always had, the left edge of each, in twips.
struct MarcoDibujado {
    std::string_view ref;
    const char* nombre;
    const char* titulo;
    int ancho;
    std::size_t opciones;
    std::array<int, 4> izquierdas;
};
constexpr MarcoDibujado kMarcosDibujados[] = {
    {cdv::kRefProyecto, "Proyecto", "Descuentos al Proyecto   ", 7155, 4, {480, 1860, 3630, 5220}},
    {cdv::kRefProyectoBasico,
     "ProyectoBasico",
     "Descuentos al Proyecto Básico   ",
     5565,
     3,
     {480, 1860, 3630}},
};

constexpr int kIzquierda = 390, kArriba = 6780, kAlto = 825;  // the frame's place, in twips
constexpr qsizetype kLargoTitulo = 60;  // characters of a document's description in a caption
// Its options' margins and rows, in twips, and the room after each caption, in pixels.
constexpr int kPrimera = 480, kFinal = 60, kFila = 330, kAltoFila = 315, kHueco = 8;

// The frame always drawn for `ref`, if there is one.
const MarcoDibujado* Dibujado(std::string_view ref) {
    for (const MarcoDibujado& m : kMarcosDibujados)
        if (m.ref == ref) return &m;
    return nullptr;
}

// Each option's place in its frame, in pixels: as drawn (`dibujado`, when it draws as many
// options and each caption fits), or each as wide as its caption, left to right and on to a new
// row when the next would pass `hasta`.
std::vector<QRect> Lugares(const MarcoDibujado* dibujado, const std::vector<QRadioButton*>& botones,
                           int hasta) {
    std::vector<QRect> lugares;
    if (dibujado != nullptr && dibujado->opciones == botones.size()) {
        bool caben = true;
        for (std::size_t k = 0; k < botones.size(); ++k) {
            const int derecha =
                k + 1 < botones.size() ? dibujado->izquierdas[k + 1] : dibujado->ancho - kFinal;
            lugares.push_back(Twips(dibujado->izquierdas[k], kFila,
                                    derecha - dibujado->izquierdas[k], kAltoFila));
            caben = caben && lugares[k].width() >= botones[k]->sizeHint().width();
        }
        if (caben) return lugares;
        lugares.clear();
    }
    int x = Px(kPrimera), y = Px(kFila);
    for (QRadioButton* boton : botones) {
        const int ancho = std::min(boton->sizeHint().width() + kHueco, hasta - Px(kPrimera));
        if (x + ancho > hasta && x > Px(kPrimera)) x = Px(kPrimera), y += Px(kAltoFila);
        lugares.emplace_back(x, y, ancho, Px(kAltoFila));
        x += ancho;
    }
    return lugares;
}

}  // namespace

OpcionesDescuento::OpcionesDescuento(QWidget* cliente, DocumentoSolicitud& documento)
    : QObject(cliente), documento_(documento) {
    CrearMarcos();
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::baremoCambiado, this,
            &OpcionesDescuento::CrearMarcos);
    connect(&documento_.Solicitud(), &cdv::SolicitudVisado::cambiada, this,
            &OpcionesDescuento::MostrarSolicitud);
}

void OpcionesDescuento::CrearMarcos() {
    for (const Marco& m : marcos_) delete m.marco;
    marcos_.clear();
    const ConLetraDeFormularios letra;
    for (const cdv::DescuentosDeDocumento& d : documento_.Solicitud().Baremo().descuentos)
        marcos_.push_back(CrearMarco(d));
    MostrarSolicitud();
    MostrarPara(mostrado_);
}

// A frame of one radio button for each option, each captioned by its text.
OpcionesDescuento::Marco OpcionesDescuento::CrearMarco(const cdv::DescuentosDeDocumento& d) {
    const MarcoDibujado* dibujado = Dibujado(d.ref);
    const QString nombre = dibujado != nullptr ? dibujado->nombre : "Documento_" + Qs(d.ref);
    const cdv::TablaDocumentos& documentos = documento_.Solicitud().Baremo().TablaTD;
    const QString titulo =
        dibujado != nullptr
            ? QString(dibujado->titulo)
            : "Descuentos a «" +
                  cdv::Recortado(Qs(documentos.Fila(documentos.Buscar(d.ref))->Descripcion),
                                 kLargoTitulo) +
                  "»   ";
    auto* marco = new QGroupBox(titulo, static_cast<QWidget*>(parent()));
    marco->setObjectName("fraDesc" + nombre);
    marco->setStyle(EstiloFormulario());
    marco->setVisible(false);
    auto* grupo = new QButtonGroup(marco);
    std::vector<QRadioButton*> botones;
    for (std::size_t k = 0; k < d.opciones.size(); ++k) {
        auto* opcion = new QRadioButton(Qs(d.opciones[k].texto), marco);
        opcion->setObjectName(NombreIndexado("otb" + nombre.toUtf8(), static_cast<int>(k)));
        opcion->setToolTip(opcion->text());
        grupo->addButton(opcion, static_cast<int>(k));
        botones.push_back(opcion);
    }
    const int cabe = static_cast<QWidget*>(parent())->width() - 2 * Px(kIzquierda) - Px(kFinal);
    const std::vector<QRect> lugares = Lugares(dibujado, botones, cabe);
    int derecha = 0;
    for (std::size_t k = 0; k < botones.size(); ++k) {
        botones[k]->setGeometry(lugares[k]);
        derecha = std::max(derecha, lugares[k].right() + 1);
    }
    const int filasDeMas = lugares.empty() ? 0 : lugares.back().top() - Px(kFila);
    marco->setGeometry(Px(kIzquierda), Px(kArriba),
                       std::max(derecha + Px(kFinal), marco->sizeHint().width()),
                       Px(kAlto) + filasDeMas);
    connect(grupo, &QButtonGroup::idClicked, &documento_,
            [this, ref = d.ref](int indice) { documento_.ElegirOpcion(ref, indice); });
    return {d.ref, marco, grupo};
}

void OpcionesDescuento::MostrarPara(std::string_view ref) {
    mostrado_ = ref;
    for (const Marco& m : marcos_) m.marco->setVisible(m.ref == ref);
}

void OpcionesDescuento::MostrarSolicitud() {
    for (const Marco& m : marcos_)
        m.grupo->button(documento_.Solicitud().Opcion(m.ref))->setChecked(true);
}
