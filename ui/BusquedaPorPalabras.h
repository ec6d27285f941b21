// Typing words in a description selector narrows its drop-down to the rows that hold them all
// (case and accents ignored, any order, parts of words); a pick there is a pick of the row.
// Every match shows whole, as wide as the longest (within the screen) and as its tooltip;
// while nothing matches, the arrow keys and Enter leave the type chosen as it was.
#pragma once

class QComboBox;

void BuscarPorPalabras(QComboBox* selector);
