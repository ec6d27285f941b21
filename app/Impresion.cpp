#include "Impresion.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "ArchivoSolicitud.h"

void PintarLiquidacion(const QString& html, QPagedPaintDevice& dispositivo) {
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(15, 15, 15, 12), QPageLayout::Millimeter));
    QPainter pintor(&dispositivo);
    QFont letra(QStringLiteral("Arial"));
    letra.setStyleHint(QFont::SansSerif);
    letra.setPointSizeF(9.5);
    pintor.setFont(letra);
    const QSizeF zona = dispositivo.pageLayout().paintRectPixels(dispositivo.logicalDpiX()).size();
    const qreal pie = pintor.fontMetrics().height() * 2.0;

    // Laid out at the device's resolution, in pages one foot shorter than the printable area.
    QTextDocument documento;
    documento.documentLayout()->setPaintDevice(&dispositivo);
    documento.setDefaultFont(letra);
    documento.setHtml(html);
    documento.setPageSize({zona.width(), zona.height() - pie});
    const qreal alto = documento.pageSize().height();
    const int paginas = documento.pageCount();
    for (int pagina = 0; pagina < paginas; ++pagina) {
        if (pagina > 0) dispositivo.newPage();
        pintor.save();
        pintor.translate(0, -pagina * alto);
        documento.drawContents(&pintor, QRectF(0, pagina * alto, zona.width(), alto));
        pintor.restore();
        pintor.drawText(QRectF(0, alto, zona.width(), pie), Qt::AlignCenter,
                        QString("Página %1 de %2").arg(pagina + 1).arg(paginas));
    }
}

QString GuardarPdf(const QString& html, const QString& ruta) {
    QByteArray datos;
    {
        QBuffer memoria(&datos);
        memoria.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&memoria);
        pdf.setResolution(300);
        pdf.setTitle("Liquidación de cuotas de visado (CDV)");
        pdf.setCreator("CDV");
        PintarLiquidacion(html, pdf);
    }
    return cdv::GuardarArchivo(ruta, datos);
}
