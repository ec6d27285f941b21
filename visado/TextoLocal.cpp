#include "TextoLocal.h"

#include <QLocale>

namespace cdv {

Separadores SeparadoresActuales() {
    const QLocale locale;
    return {Us(locale.decimalPoint()), Us(locale.groupSeparator())};
}

namespace {

bool EsBlanco(QChar letra) {
    for (const std::string_view blanco : kBlancos) {
        if (Qs(blanco) == letra) return true;
    }
    return false;
}

}  // namespace

QString AyudaLlana(const QString& texto) {
    if (!texto.contains(u'<')) return texto;
    return "<p style=\"white-space:pre-wrap\">" + texto.toHtmlEscaped() + "</p>";
}

QString CambiarSeparadores(const QString& texto, const Separadores& de, const Separadores& a) {
    const QString decimal = Qs(de.decimal), grupo = Qs(de.grupo);
    const QString nuevoDecimal = Qs(a.decimal), nuevoGrupo = Qs(a.grupo);
    const bool blancoAgrupa = GrupoDeBlancos(de.grupo);  // any blank groups there
    QString resultado;
    resultado.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size();) {
        const QStringView resto = QStringView(texto).mid(i);
        if (!decimal.isEmpty() && resto.startsWith(decimal)) {
            resultado += nuevoDecimal;
            i += decimal.size();
        } else if (!grupo.isEmpty() && resto.startsWith(grupo)) {
            resultado += nuevoGrupo;
            i += grupo.size();
        } else if (blancoAgrupa && EsBlanco(texto[i])) {
            resultado += nuevoGrupo;
            ++i;
        } else {
            resultado += texto[i++];
        }
    }
    return resultado;
}

}  // namespace cdv
