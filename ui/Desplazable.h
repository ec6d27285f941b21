// A scroll area that asks for its whole form: where the screen has room, the window that holds
// it shows all of the form, with no scroll bar; where it has not, the form scrolls.
#pragma once

#include <QScrollArea>

class Desplazable : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() != nullptr ? widget()->size() : QScrollArea::sizeHint();
    }
};
