#include "TextoLocal.h"

#include <QLocale>
#include <algorithm>

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

QString CantidadAgrupada(const QString& cantidadArchivo) {
    const Separadores s = SeparadoresActuales();
    QString texto = cantidadArchivo.trimmed();
    texto.remove(Qs(kSeparadoresArchivo.grupo));
    const qsizetype punto = texto.indexOf(Qs(kSeparadoresArchivo.decimal));
    const QString entera = punto < 0 ? texto : texto.left(punto);
    const QString decimales = punto < 0 ? QString() : texto.mid(punto + 1);
    const qsizetype signo = entera.startsWith(u'-') ? 1 : 0;
    const auto soloCifras = [](QStringView cifras) {
        return !cifras.isEmpty() && std::all_of(cifras.begin(), cifras.end(),
                                                [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    if (!soloCifras(QStringView(entera).mid(signo)) || (punto >= 0 && !soloCifras(decimales)))
        return DelArchivo(cantidadArchivo);
    std::string agrupada;
    for (qsizetype k = signo; k < entera.size(); ++k) {
        if (k > signo && (entera.size() - k) % 3 == 0) agrupada += s.grupo;
        agrupada += static_cast<char>(entera[k].unicode());
    }
    return entera.left(signo) + Qs(agrupada) + (punto < 0 ? QString() : Qs(s.decimal) + decimales);
}

QString Recortado(const QString& texto, qsizetype largo) {
    return texto.size() <= largo ? texto : texto.left(largo - 1) + u'…';
}

QString CaracterImpropio(const QString& texto) {
    for (qsizetype k = 0; k < texto.size(); ++k) {
        const char16_t c = texto[k].unicode();
        const QChar::Category clase = texto[k].category();
        const bool direccion = (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
        if (clase != QChar::Other_Control && clase != QChar::Separator_Line &&
            clase != QChar::Separator_Paragraph && !direccion)
            continue;
        return QString("%1 (U+%2) en la posición %3")
            .arg(direccion ? "un carácter de dirección del texto" : "un carácter de control",
                 QString::number(c, 16).toUpper().rightJustified(4, u'0'), QString::number(k + 1));
    }
    return {};
}

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

QDate FechaDeArchivo(QStringView texto) {
    constexpr std::string_view kForma = "dddd-dd-dd";  // a digit but at the two hyphens
    if (texto.size() != static_cast<qsizetype>(kForma.size())) return {};
    int partes[3] = {};  // year, month, day
    int parte = 0;
    for (qsizetype k = 0; k < texto.size(); ++k) {
        const char16_t c = texto[k].unicode();
        if (kForma[static_cast<std::size_t>(k)] == '-') {
            if (c != u'-') return {};
            ++parte;
        } else if (c < u'0' || c > u'9') {
            return {};
        } else {
            partes[parte] = partes[parte] * 10 + (c - u'0');
        }
    }
    return QDate(partes[0], partes[1], partes[2]);
}

QString FechaDiaMesAno(const QDate& fecha) {
    return QString("%1/%2/%3")
        .arg(fecha.day(), 2, 10, QChar(u'0'))
        .arg(fecha.month(), 2, 10, QChar(u'0'))
        .arg(fecha.year(), 4, 10, QChar(u'0'));
}

}  // namespace cdv
