// Both catalogues against the schedule as published: every field of every row, the floats
// by their bits and the notes with their carriage returns, through one hash per row.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>

#include "Catalogos.h"

namespace {

// clang-format off
constexpr std::uint32_t kHuellasTT[] = {
    0x4dab877du, 0x2f52ff57u, 0x9a4126ceu, 0x44c939adu, 0x6016d8f8u, 0x8ed46e72u, 0x1f4c0958u,
    0xe6380ac8u, 0x656a5cf1u, 0x624b83afu, 0xd2abdce7u, 0xdfe2879au, 0x80d25f93u, 0x6ac8dd84u,
    0x706be389u, 0x43cd9719u, 0x133c333cu, 0x1f3b397eu, 0x5c85f888u, 0xbb3fa834u, 0x70c70eacu,
    0x70515c89u, 0xf4f8e025u, 0x78529636u, 0xe1840975u, 0xd5e98614u, 0xf7b82a82u, 0xd9cbf30au,
    0x5262a02fu, 0x7d9e815fu, 0xd1e26cb8u, 0x245166e3u, 0xabdac9eau, 0x2a410f3au, 0xcb177f68u,
    0xee6b9d92u, 0xe1a702cau, 0x12a415b8u, 0xeb8787aau,
};
constexpr std::uint32_t kHuellasTD[] = {
    0x99cf9349u, 0x4e66a707u, 0xc24fff2fu, 0x351f8ef7u, 0x4a0dfcf7u, 0xbb99358du, 0x11ea3cedu,
    0x880267b1u, 0xf07377b6u, 0x03c28c16u, 0x0eab24efu, 0x1e78b7c7u, 0xe8882322u, 0x590aadbbu,
    0x1bd9bf69u, 0x313f92ebu, 0x7f94e9c0u, 0xd280269du, 0x81b4ea18u, 0x0ce658e8u, 0x95455737u,
    0xaa31b211u, 0xf83666e3u, 0x66230df2u, 0xbe651498u, 0xde76122fu, 0xbaf62016u, 0x9f34227bu,
    0xf3acd067u, 0xd6184b22u, 0xc3e0002cu, 0x4acafaaau, 0x0c976058u, 0x918f615fu, 0xc66ad19bu,
    0x16da30c3u, 0xa12d7e45u, 0x9a523007u, 0xd14fd3afu, 0xbb05e9cfu, 0x0b9bac7du, 0xae791294u,
    0x79a57520u, 0xc17e3ee1u, 0x1d390790u, 0xc3423430u, 0xacd74238u, 0x10d0d597u, 0xb56ebf7au,
};
// clang-format on

std::uint32_t Huella(std::initializer_list<std::string_view> campos) {
    std::uint32_t hash = 0x811c9dc5u;  // FNV-1a over the fields joined by U+001F
    bool primero = true;
    for (const std::string_view campo : campos) {
        for (const char byte : (primero ? "" : std::string(1, '\x1f')) + std::string(campo))
            hash = (hash ^ static_cast<unsigned char>(byte)) * 0x01000193u;
        primero = false;
    }
    return hash;
}

std::string Bits(float x) {
    char texto[9];
    std::snprintf(texto, sizeof texto, "%08x", std::bit_cast<std::uint32_t>(x));
    return texto;
}

TEST(Catalogos, CadaFilaComoSePublica) {
    cdv::CargarTablaTT();
    cdv::CargarTablaTD();
    ASSERT_EQ(std::size(kHuellasTT), 39u);
    ASSERT_EQ(std::size(kHuellasTD), 49u);
    for (int n = 1; n <= cdv::TablaTT.Filas(); ++n) {
        const auto& f = *cdv::TablaTT.Fila(n);
        EXPECT_EQ(Huella({f.Ref, f.Descripcion, std::to_string(f.Tipo), f.Unidad, Bits(f.Tasa),
                          Bits(f.Minimo), f.Grupo, f.Comentario}),
                  kHuellasTT[n - 1])
            << "TablaTT fila " << n << " " << f.Ref;
    }
    for (int n = 1; n <= cdv::TablaTD.Filas(); ++n) {
        const auto& f = *cdv::TablaTD.Fila(n);
        EXPECT_EQ(Huella({f.Ref, f.Descripcion, std::to_string(f.Tipo), Bits(f.Tasa),
                          Bits(f.Minimo), f.Comentario}),
                  kHuellasTD[n - 1])
            << "TablaTD fila " << n << " " << f.Ref;
    }
    for (const int fuera : {0, -1, 40}) EXPECT_EQ(cdv::TablaTT.Fila(fuera), nullptr);  // no row 0
}

}  // namespace
