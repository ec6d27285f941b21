// The line of a list being changed in place, followed as the list changes under it: lines
// added or removed before it move it, and its own removal (or the whole list replaced) ends
// the change. `alCambiar` is told of either: whether the line is still followed.
#pragma once

#include <QObject>
#include <functional>

class QAbstractItemModel;

class FilaSeguida : public QObject {
  public:
    FilaSeguida(QAbstractItemModel& lista, std::function<void(bool sigue)> alCambiar,
                QObject* padre = nullptr);

    // The line followed; -1 when none.
    int Fila() const { return fila_; }
    void Seguir(int fila) { fila_ = fila; }
    void Soltar() { fila_ = -1; }

  private:
    void Insertadas(int primera, int ultima);
    void Quitadas(int primera, int ultima);
    void Perder();

    int fila_ = -1;
    std::function<void(bool)> alCambiar_;
};
