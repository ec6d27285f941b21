// For the schedule file reader: any bytes are refused with their faults or read into a
// schedule that writes back to a file read as the very same schedule; only a revision of format
// 1 may be one format 2 cannot state, and then the writer says why.
#include <QJsonDocument>

#include "ArchivoBaremo.h"
#include "Comprobar.h"

std::string ComprobarEntrada(std::string_view datos) {
    const cdv::LecturaBaremo lectura =
        cdv::LeerBaremo(QByteArray(datos.data(), static_cast<qsizetype>(datos.size())));
    if (!lectura.baremo) return lectura.faltas.isEmpty() ? "rechazado sin faltas" : "";
    QStringList faltas;
    const std::optional<QByteArray> escrito = cdv::EscribirBaremo(*lectura.baremo, &faltas);
    const bool formato1 = QJsonDocument::fromJson(lectura.baremo->textoTarifa.empty()
                                                      ? QByteArray(datos.data(), datos.size())
                                                      : QByteArray())["formato"] == 1;
    if (!escrito && (!formato1 || faltas.isEmpty()))
        return "no se escribe: " + faltas.join('\n').toStdString();
    if (!escrito) return "";  // a revision of format 1 that format 2 cannot state, and why
    const cdv::LecturaBaremo otra = cdv::LeerBaremo(*escrito);
    if (!otra.baremo) return "lo escrito no se lee: " + otra.faltas.join('\n').toStdString();
    return *otra.baremo == *lectura.baremo ? "" : "lo escrito se lee distinto";
}

// The built-in schedule's file with a few of its values swapped for others (of every kind,
// at and past every limit, and JSON that is not quite JSON), rows repeated, a key misspelt or
// given twice, and now and then cut short.
std::string EntradaAlAzar(std::mt19937_64& azar) {
    static const std::string kBaremo =
        cdv::EscribirBaremo(*cdv::BaremoIncorporado()).value_or("").toStdString();
    // clang-format off
    static const std::string_view kValores[] = {
        "0", "-1", "1", "2", "3", "4", "5", "6", "0.5", "1e-45", "3.4028235e38", "1e39", "1.5",
        "2147483647", "2147483648", "null", "true", "[]", "{}", "[1]", R"("")", R"(" ")",
        R"("x")", R"("AAP")", R"("P")", R"("2007-02-30")", R"("2026-12-07")", R"("1")",
        ".5", "1.", "01", R"("\ud800")", R"("\udc00x")", "\"a\x01\"", "\"\xC0\xAF\""};
    // clang-format on
    std::string s = MutarJson(kBaremo, kValores, azar);
    const std::size_t clave = s.find("\":", Al(azar, s.size()));
    const std::size_t inicio = clave == std::string::npos ? clave : s.rfind('"', clave - 1);
    if (inicio == std::string::npos) return s;
    if (Al(azar, 4) == 0) {  // a key misspelt
        s.insert(clave, 1, 's');
    } else if (Al(azar, 4) == 0) {  // a key twice in its object
        s.insert(inicio, s.substr(inicio, clave + 2 - inicio) + "0,");
    }
    return s;
}
