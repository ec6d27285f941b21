// The property the fuzzer checks on any input, shared with the replay of its corpus: for any
// bytes and any row, every result is invalid, no fee, or a finite amount whose text reads
// back to the same cents.
#pragma once

#include <string>
#include <string_view>

// Byte 0 picks the rows, byte 1 the separators; the rest is the quantity text. Answers an
// empty text when everything holds, otherwise what failed.
std::string ComprobarEntrada(std::string_view datos);
