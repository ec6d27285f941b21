#include "Impresion.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <vector>

namespace {

using Celdas = std::array<QString, cdv::kColumnasImpresas>;

const Celdas kEncabezado{"Referencia", "Descripción", "Cantidad", "Importe (€)", "Cuota (€)"};
constexpr int kDescripcion = 1;
constexpr int kCantidad = 2;
// The share of the width that a column other than the description takes at most.
constexpr qreal kParteMaxima = 0.2;

// How a row is printed: a document; a project's detail, in italics but for its quantity;
// the table's heading, centred; the total, in bold.
enum class Estilo { Documento, Detalle, Encabezado, Total };

struct FilaImpresa {
    Celdas celdas;
    Estilo estilo = Estilo::Documento;
    qreal alto = 0;
    std::size_t documento = 0;  // a detail's document row
};

struct Letras {
    QFont normal, cursiva, negrita, titulo;
};

// The page in the device's pixels: the width, the height above the foot, the foot's height,
// the space inside a cell and the height of a line of text.
struct Pagina {
    qreal ancho = 0, alto = 0, pie = 0, relleno = 0, linea = 0;
};

struct Columnas {
    std::array<qreal, cdv::kColumnasImpresas> x{}, ancho{};
    std::array<bool, cdv::kColumnasImpresas> ajusta{};  // whether some text wraps in it
};

// A line of the heading above the table, where it goes and its font.
struct Renglon {
    QRectF caja;
    QString texto;
    QFont letra;
};

Letras LetrasDeLiquidacion() {
    Letras letras;
    letras.normal = QFont(QStringLiteral("Arial"));
    letras.normal.setStyleHint(QFont::SansSerif);
    letras.normal.setPointSizeF(9.5);
    // The face's own measures, unhinted: the statement lays out the same on every system.
    letras.normal.setHintingPreference(QFont::PreferNoHinting);
    letras.cursiva = letras.normal;
    letras.cursiva.setItalic(true);
    letras.negrita = letras.normal;
    letras.negrita.setBold(true);
    letras.titulo = letras.negrita;
    letras.titulo.setPointSizeF(letras.normal.pointSizeF() * 1.5);
    return letras;
}

const QFont& LetraDe(Estilo estilo, int columna, const Letras& letras) {
    switch (estilo) {
        case Estilo::Detalle:
            return columna == kCantidad ? letras.normal : letras.cursiva;
        case Estilo::Encabezado:
        case Estilo::Total:
            return letras.negrita;
        case Estilo::Documento:
            break;
    }
    return letras.normal;
}

Qt::Alignment AlineacionDe(Estilo estilo, int columna) {
    if (estilo == Estilo::Encabezado) return Qt::AlignHCenter;
    return columna < kCantidad ? Qt::AlignLeft : Qt::AlignRight;
}

std::vector<FilaImpresa> Filas(const cdv::LiquidacionImpresa& liquidacion) {
    std::vector<FilaImpresa> filas;
    filas.reserve(liquidacion.filas.size() + liquidacion.totales.size());
    std::size_t documento = 0;
    for (const cdv::FilaLiquidacion& fila : liquidacion.filas) {
        const bool esDocumento = fila.clase == cdv::ClaseFila::Documento;
        if (esDocumento) documento = filas.size();
        filas.push_back({cdv::CeldasImpresas(fila),
                         esDocumento ? Estilo::Documento : Estilo::Detalle, 0, documento});
    }
    for (const auto& [rotulo, importe] : liquidacion.totales)
        filas.push_back({{"", rotulo, "", "", importe}, Estilo::Total});
    return filas;
}

// Sets the device's pages to A4 with the statement's margins, and measures them.
Pagina PrepararPagina(QPagedPaintDevice& dispositivo, const Letras& letras) {
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter));
    const QSizeF zona = dispositivo.pageLayout().paintRectPixels(dispositivo.logicalDpiX()).size();
    qreal linea = 0;
    for (const QFont& letra : {letras.normal, letras.cursiva, letras.negrita})
        linea = std::max(linea, QFontMetricsF(letra, &dispositivo).lineSpacing());
    const qreal pie = linea * 2;
    return {zona.width(), zona.height() - pie, pie, dispositivo.logicalDpiX() * 3 / 96.0, linea};
}

// Each column but the description as wide as its widest text, within its share; the
// description takes the rest.
Columnas ColumnasDe(const std::vector<FilaImpresa>& filas, const QFontMetricsF& medida,
                    const Pagina& pagina) {
    Columnas columnas;
    std::array<qreal, cdv::kColumnasImpresas> necesario{};
    const auto medir = [&](const Celdas& celdas) {
        for (int c = 0; c < cdv::kColumnasImpresas; ++c) {
            if (c != kDescripcion && !celdas[c].isEmpty())
                necesario[c] = std::max(necesario[c], medida.horizontalAdvance(celdas[c]));
        }
    };
    medir(kEncabezado);
    for (const FilaImpresa& fila : filas) medir(fila.celdas);
    qreal resto = pagina.ancho;
    for (int c = 0; c < cdv::kColumnasImpresas; ++c) {
        if (c == kDescripcion) continue;
        const qreal maximo = pagina.ancho * kParteMaxima;
        const qreal ancho = necesario[c] + 4 * pagina.relleno;
        columnas.ancho[c] = std::min(ancho, maximo);
        columnas.ajusta[c] = ancho > maximo;
        resto -= columnas.ancho[c];
    }
    columnas.ancho[kDescripcion] = resto;
    columnas.ajusta[kDescripcion] = true;
    for (int c = 1; c < cdv::kColumnasImpresas; ++c)
        columnas.x[c] = columnas.x[c - 1] + columnas.ancho[c - 1];
    return columnas;
}

// A row's height: the lines of its tallest cell, each wrapped within its column.
qreal AltoDe(const FilaImpresa& fila, const Columnas& columnas, const Letras& letras,
             const Pagina& pagina, QPaintDevice& dispositivo) {
    qreal lineas = 1;
    for (int c = 0; c < cdv::kColumnasImpresas; ++c) {
        if (!columnas.ajusta[c] || fila.celdas[c].isEmpty()) continue;
        const QFontMetricsF medida(LetraDe(fila.estilo, c, letras), &dispositivo);
        const qreal ancho = columnas.ancho[c] - 2 * pagina.relleno;
        if (medida.horizontalAdvance(fila.celdas[c]) <= ancho) continue;
        const QRectF caja =
            medida.boundingRect(QRectF(0, 0, ancho, 1e9), Qt::TextWordWrap, fila.celdas[c]);
        lineas = std::max(lineas, std::ceil(caja.height() / medida.lineSpacing() - 0.01));
    }
    return lineas * pagina.linea + 2 * pagina.relleno;
}

// The title and the lines below it, wrapped within the page, with half a line below them.
std::vector<Renglon> Encabezado(const cdv::LiquidacionImpresa& liquidacion, const Letras& letras,
                                const Pagina& pagina, QPaintDevice& dispositivo) {
    std::vector<Renglon> renglones;
    qreal y = 0;
    const auto anadir = [&](const QString& texto, const QFont& letra, qreal despues) {
        const QRectF caja =
            QFontMetricsF(letra, &dispositivo)
                .boundingRect(QRectF(0, y, pagina.ancho, 1e9), Qt::TextWordWrap, texto);
        renglones.push_back({QRectF(0, y, pagina.ancho, caja.height()), texto, letra});
        y += caja.height() + despues;
    };
    anadir(kTituloLiquidacion, letras.titulo, pagina.linea / 2);
    for (const QString& dato : liquidacion.datos) anadir(dato, letras.normal, 0);
    renglones.push_back({QRectF(0, y, pagina.ancho, pagina.linea / 2), {}, letras.normal});
    return renglones;
}

// The row that opens a page whose first rows are a project's detail: its document's
// reference, "(cont.)", one line high (`alto`, the heading's).
FilaImpresa Continuacion(const std::vector<FilaImpresa>& filas, std::size_t primera, qreal alto) {
    return {{filas[filas[primera].documento].celdas[0], "(cont.)", "", "", ""},
            Estilo::Detalle,
            alto,
            0};
}

// Where each page's rows begin, and one past the last row: a row goes to the next page
// when it does not fit whole, unless it is the first of its page. A page that begins within
// a project's detail has room for the row that says whose it is.
std::vector<std::size_t> Paginar(const std::vector<FilaImpresa>& filas, qreal encabezado,
                                 qreal cabecera, const Pagina& pagina) {
    std::vector<std::size_t> inicios{0};
    qreal libre = pagina.alto - encabezado - cabecera;
    for (std::size_t k = 0; k < filas.size(); ++k) {
        if (filas[k].alto > libre && k > inicios.back()) {
            inicios.push_back(k);
            libre = pagina.alto - cabecera;
            if (filas[k].estilo == Estilo::Detalle) libre -= cabecera;  // for its continuation
        }
        libre -= filas[k].alto;
    }
    inicios.push_back(filas.size());
    return inicios;
}

void PintarFila(QPainter& pintor, const FilaImpresa& fila, qreal y, const Columnas& columnas,
                const Letras& letras, const Pagina& pagina) {
    for (int c = 0; c < cdv::kColumnasImpresas; ++c) {
        if (fila.celdas[c].isEmpty()) continue;
        pintor.setFont(LetraDe(fila.estilo, c, letras));
        pintor.drawText(QRectF(columnas.x[c] + pagina.relleno, y + pagina.relleno,
                               columnas.ancho[c] - 2 * pagina.relleno, fila.alto),
                        AlineacionDe(fila.estilo, c) | Qt::AlignTop | Qt::TextWordWrap,
                        fila.celdas[c]);
    }
    pintor.drawLine(QLineF(0, y + fila.alto, pagina.ancho, y + fila.alto));
}

// The table's lines between `arriba` and `abajo`: its top and the edges of its columns.
void PintarMarco(QPainter& pintor, qreal arriba, qreal abajo, const Columnas& columnas,
                 const Pagina& pagina) {
    pintor.drawLine(QLineF(0, arriba, pagina.ancho, arriba));
    for (const qreal x : columnas.x) pintor.drawLine(QLineF(x, arriba, x, abajo));
    pintor.drawLine(QLineF(pagina.ancho, arriba, pagina.ancho, abajo));
}

// A printer's job stopped is given up, so that none of it prints, and a file printed to goes
// rather than stay cut short. A print preview paints through its own engine of pictures,
// which is not given up: the preview closes instead.
void Abandonar(QPagedPaintDevice& dispositivo) {
    auto* impresora = dynamic_cast<QPrinter*>(&dispositivo);
    if (impresora == nullptr || impresora->paintEngine()->type() == QPaintEngine::Picture) return;
    impresora->abort();
    if (!impresora->outputFileName().isEmpty()) QFile::remove(impresora->outputFileName());
}

}  // namespace

bool PintarLiquidacion(const cdv::LiquidacionImpresa& liquidacion, QPagedPaintDevice& dispositivo,
                       const cdv::Progreso& progreso) {
    const Letras letras = LetrasDeLiquidacion();
    const Pagina pagina = PrepararPagina(dispositivo, letras);
    std::vector<FilaImpresa> filas = Filas(liquidacion);
    const Columnas columnas =
        ColumnasDe(filas, QFontMetricsF(letras.negrita, &dispositivo), pagina);
    for (FilaImpresa& fila : filas) fila.alto = AltoDe(fila, columnas, letras, pagina, dispositivo);
    FilaImpresa cabecera{kEncabezado, Estilo::Encabezado};
    cabecera.alto = AltoDe(cabecera, columnas, letras, pagina, dispositivo);
    const std::vector<Renglon> encabezado = Encabezado(liquidacion, letras, pagina, dispositivo);
    const std::vector<std::size_t> inicios =
        Paginar(filas, encabezado.back().caja.bottom(), cabecera.alto, pagina);
    const int paginas = int(inicios.size()) - 1;

    QPainter pintor(&dispositivo);
    pintor.setPen(QPen(Qt::black, dispositivo.logicalDpiX() / 144.0));
    for (int p = 0; p < paginas; ++p) {
        if (p > 0) dispositivo.newPage();
        qreal y = 0;
        if (p == 0) {
            for (const Renglon& renglon : encabezado) {
                pintor.setFont(renglon.letra);
                pintor.drawText(renglon.caja, Qt::TextWordWrap, renglon.texto);
            }
            y = encabezado.back().caja.bottom();
        }
        const qreal arriba = y;
        PintarFila(pintor, cabecera, y, columnas, letras, pagina);
        y += cabecera.alto;
        if (p > 0 && inicios[p] < filas.size() && filas[inicios[p]].estilo == Estilo::Detalle) {
            const FilaImpresa continuacion = Continuacion(filas, inicios[p], cabecera.alto);
            PintarFila(pintor, continuacion, y, columnas, letras, pagina);
            y += continuacion.alto;
        }
        for (std::size_t k = inicios[p]; k < inicios[p + 1]; ++k) {
            if (!cdv::Seguir(progreso, qint64(k), qint64(filas.size()))) {
                Abandonar(dispositivo);
                return false;
            }
            PintarFila(pintor, filas[k], y, columnas, letras, pagina);
            y += filas[k].alto;
        }
        PintarMarco(pintor, arriba, y, columnas, pagina);
        pintor.setFont(letras.normal);
        pintor.drawText(QRectF(0, pagina.alto, pagina.ancho, pagina.pie), Qt::AlignCenter,
                        QString("Página %1 de %2").arg(p + 1).arg(paginas));
    }
    return true;
}

std::optional<QByteArray> LiquidacionPdf(const cdv::LiquidacionImpresa& liquidacion,
                                         const cdv::Progreso& progreso) {
    QByteArray datos;
    QBuffer memoria(&datos);
    memoria.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&memoria);
        pdf.setResolution(300);
        pdf.setTitle(kTituloLiquidacion);
        pdf.setCreator("CDV");
        if (!PintarLiquidacion(liquidacion, pdf, progreso)) return std::nullopt;
    }
    return datos;
}
