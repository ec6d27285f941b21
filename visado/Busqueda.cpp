#include "Busqueda.h"

namespace cdv {

QString Plegado(const QString& texto) {
    QString plegado;
    for (const QChar letra : texto.normalized(QString::NormalizationForm_D)) {
        if (letra.category() != QChar::Mark_NonSpacing) plegado += letra.toLower();
    }
    return plegado;
}

bool TienePalabras(const QString& texto, const QString& consulta) {
    const QString donde = Plegado(texto);
    for (const QString& palabra : Plegado(consulta).split(' ', Qt::SkipEmptyParts)) {
        if (!donde.contains(palabra)) return false;
    }
    return true;
}

QStringList ConPalabras(const QStringList& textos, const QString& consulta) {
    QStringList halladas;
    for (const QString& texto : textos) {
        if (TienePalabras(texto, consulta)) halladas << texto;
    }
    return halladas;
}

}  // namespace cdv
