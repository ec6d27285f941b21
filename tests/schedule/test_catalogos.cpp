// Both catalogues against the schedule as published: every field of every row, the floats
// by their bits and the notes with their carriage returns, through one hash per catalogue.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Baremo.h"

namespace {

// FNV-1a over a row's fields, each ended by U+001F.
void Sumar(std::uint64_t& hash, std::initializer_list<std::string_view> campos) {
    for (const std::string_view campo : campos) {
        for (const char byte : std::string(campo) + '\x1f')
            hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    }
}

std::string Bits(float x) {
    char texto[9];
    std::snprintf(texto, sizeof texto, "%08x", std::bit_cast<std::uint32_t>(x));
    return texto;
}

TEST(Catalogos, CadaFilaComoSePublica) {
    const cdv::Baremo& b = *cdv::BaremoCompilado();
    std::uint64_t trabajos = 0xcbf29ce484222325u, documentos = trabajos;
    for (int n = 1; n <= b.TablaTT.Filas(); ++n) {
        const auto& f = *b.TablaTT.Fila(n);
        Sumar(trabajos, {f.Ref, f.Descripcion, std::to_string(cdv::CodigoDeRegla(f.Tipo)), f.Unidad,
                         Bits(f.Tasa), Bits(f.Minimo), f.Grupo, f.Comentario});
    }
    for (int n = 1; n <= b.TablaTD.Filas(); ++n) {
        const auto& f = *b.TablaTD.Fila(n);
        Sumar(documentos, {f.Ref, f.Descripcion, std::to_string(cdv::CodigoDeRegla(f.Tipo)),
                           Bits(f.Tasa), Bits(f.Minimo), f.Comentario});
    }
    EXPECT_EQ(trabajos, 0xca8cb4a4da941ce8u) << "TablaTT difiere del baremo publicado";
    EXPECT_EQ(documentos, 0x5f8249c0bd5d6549u) << "TablaTD difiere del baremo publicado";
    for (const int fuera : {0, -1, 40}) EXPECT_EQ(b.TablaTT.Fila(fuera), nullptr);  // no row 0
}

}  // namespace
