// Variants of the built-in schedule's file of format 1, for the tests that read, publish and
// install schedules.
#pragma once

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

#include "ArchivoBaremo.h"

// The built-in schedule as a file of format 1, as revisions were written before format 2: the
// variants below change its keys.
inline QJsonObject Incorporado() {
    static const QJsonObject raiz = [] {
        QFile archivo(CDV_BAREMO_FORMATO_1);
        return archivo.open(QIODevice::ReadOnly)
                   ? QJsonDocument::fromJson(archivo.readAll()).object()
                   : QJsonObject();
    }();
    return raiz;
}

// The built-in schedule's file with one change made by `cambiar`.
inline QByteArray Variante(const std::function<void(QJsonObject&)>& cambiar) {
    QJsonObject raiz = Incorporado();
    cambiar(raiz);
    return QJsonDocument(raiz).toJson();
}

// `actual` with the value at a path of keys and indexes ("documentos", "12", "tasa") set to
// `valor`; an undefined value takes the key or the element away.
inline QJsonValue Puesto(const QJsonValue& actual, QStringList camino, const QJsonValue& valor) {
    if (camino.isEmpty()) return valor;
    const QString paso = camino.takeFirst();
    bool esIndice = false;
    const int indice = paso.toInt(&esIndice);
    if (!esIndice) {
        QJsonObject objeto = actual.toObject();
        objeto[paso] = Puesto(objeto[paso], camino, valor);
        return objeto;
    }
    QJsonArray lista = actual.toArray();
    const QJsonValue nuevo = Puesto(lista[indice], camino, valor);
    if (nuevo.isUndefined()) {
        lista.removeAt(indice);
    } else {
        lista[indice] = nuevo;
    }
    return lista;
}

inline void Poner(QJsonObject& raiz, const QStringList& camino, const QJsonValue& valor) {
    raiz = Puesto(raiz, camino, valor).toObject();
}

// The index of the row with reference `ref` in the list `lista` of the built-in file.
inline QString Fila(const char* lista, const char* ref) {
    const QJsonArray filas = Incorporado()[lista].toArray();
    for (qsizetype k = 0; k < filas.size(); ++k) {
        if (filas[k].toObject()["referencia"].toString() == ref) return QString::number(k);
    }
    return {};
}

inline QByteArray Con(const QStringList& camino, const QJsonValue& valor) {
    return Variante([&](QJsonObject& r) { Poner(r, camino, valor); });
}

// A revision named `nombre`, in force from `desde`, with `aap` euros a unit of "AAP".
inline QByteArray Revision(const QString& nombre, const QDate& desde, double aap) {
    return Variante([&](QJsonObject& r) {
        r["nombre"] = nombre;
        r["vigente_desde"] = desde.toString("yyyy-MM-dd");
        Poner(r, {"documentos", Fila("documentos", "AAP"), "tasa"}, aap);
    });
}
