#include "OpcionesDescuento.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <algorithm>

#include "Diseno.h"
#include "DocumentoSolicitud.h"
#include "TextoLocal.h"

namespace {

// The frames of "P" and "PB" as the main window has always drawn them, for the options they
// have always had: their names, captions and the left edge of each option, in twips.
struct MarcoDibujado {
    std::string_view ref;
    const char* nombre;
    const char* titulo;
    int ancho;
    std::vector<int> izquierdas;
};
const MarcoDibujado kMarcosDibujados[] = {
    {cdv::kRefProyecto, "Proyecto", "Descuentos al Proyecto   ", 7155, {480, 1860, 3630, 5220}},
    {cdv::kRefProyectoBasico,
     "ProyectoBasico",
     "Descuentos al Proyecto Básico   ",
     5565,
     {480, 1860, 3630}},
};

constexpr int kIzquierda = 390, kArriba = 6780, kAlto = 825;  // the frame's place, in twips
constexpr int kPrimera = 480, kFinal = 60, kHueco = 8;        // its options' margins

// The frame of `ref` as drawn for its options; any other is laid out from its captions.
const MarcoDibujado* Dibujado(std::string_view ref, std::size_t opciones) {
    for (const MarcoDibujado& m : kMarcosDibujados)
        if (m.ref == ref && m.izquierdas.size() == opciones) return &m;
    return nullptr;
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

// Each option reaches to the next one, the last to the frame's edge.
OpcionesDescuento::Marco OpcionesDescuento::CrearMarco(const cdv::DescuentosDeDocumento& d) {
    const MarcoDibujado* dibujado = Dibujado(d.ref, d.opciones.size());
    const QString nombre = dibujado != nullptr ? dibujado->nombre : "Documento_" + Qs(d.ref);
    auto* marco = new QGroupBox(
        dibujado != nullptr ? QString(dibujado->titulo) : "Descuentos a «" + Qs(d.ref) + "»   ",
        static_cast<QWidget*>(parent()));
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
    std::vector<int> bordes;
    if (dibujado != nullptr) {
        for (const int izquierda : dibujado->izquierdas) bordes.push_back(Px(izquierda));
        bordes.push_back(Px(dibujado->ancho - kFinal));
    } else {
        bordes.push_back(Px(kPrimera));
        for (QRadioButton* boton : botones)
            bordes.push_back(bordes.back() + boton->sizeHint().width() + kHueco);
    }
    const int ancho = std::max(bordes.back() + Px(kFinal), marco->sizeHint().width());
    marco->setGeometry(Px(kIzquierda), Px(kArriba), ancho, Px(kAlto));
    for (std::size_t k = 0; k < botones.size(); ++k)
        botones[k]->setGeometry(bordes[k], Px(330), bordes[k + 1] - bordes[k], Px(315));
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
