// The About values build and read as given, whatever they hold (set in tests/CMakeLists.txt).
#include <gtest/gtest.h>

#include "Acerca.h"

TEST(Acerca, LosValoresSeLeenComoSeDieron) {
    EXPECT_STREQ(kAcercaPropietario, "Colegio \"Oficial\" de Ingenieros\\Técnicos");
    EXPECT_STREQ(kAcercaAutor, "Ñandú \\n\\");
}
