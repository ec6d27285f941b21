#include "FilaSeguida.h"

#include <QAbstractItemModel>

FilaSeguida::FilaSeguida(QAbstractItemModel& lista, std::function<void(bool)> alCambiar,
                         QObject* padre)
    : QObject(padre), alCambiar_(std::move(alCambiar)) {
    connect(&lista, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int primera, int ultima) { Insertadas(primera, ultima); });
    connect(&lista, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int primera, int ultima) { Quitadas(primera, ultima); });
    connect(&lista, &QAbstractItemModel::modelReset, this, &FilaSeguida::Perder);
}

void FilaSeguida::Insertadas(int primera, int ultima) {
    if (fila_ < 0 || fila_ < primera) return;
    fila_ += ultima - primera + 1;
    alCambiar_(true);
}

void FilaSeguida::Quitadas(int primera, int ultima) {
    if (fila_ < 0 || fila_ < primera) return;
    if (fila_ <= ultima) return Perder();
    fila_ -= ultima - primera + 1;
    alCambiar_(true);
}

void FilaSeguida::Perder() {
    if (fila_ < 0) return;
    fila_ = -1;
    alCambiar_(false);
}
