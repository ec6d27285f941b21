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
constexpr std::uint64_t kHuellasTT[] = {
    0xe5fbe5f9fb2d30fdu, 0xc51964a6e836b717u, 0x5e9a08d352e6f0ceu, 0x2f8bc3d7bc2f32adu,
    0x966c0e2ae544f278u, 0x2d3c729db1753e72u, 0xbc4453be9cc02658u, 0x2beaa30bed6d8448u,
    0x29b23d97e97fb211u, 0xa3da29dc010b5f4fu, 0x5ff63ccfddf3d127u, 0x7e61d9ddc928fbfau,
    0xc1f9c4486c9f7153u, 0x92a20f86a1c1a384u, 0x5dff3de5988f94e9u, 0xcce0bb93f56f3e39u,
    0x7b5f15956970a55cu, 0x6ac676e91f78ed3eu, 0xdb80f070e98a89e8u, 0x990f9398ad194d14u,
    0x7b82e25d91dc128cu, 0x1c1b6f4391253cc9u, 0x7e7bfcbb51505a05u, 0xcb9218dd353d5f56u,
    0xf89dfac2d3aa5c55u, 0xf382327fc93117b4u, 0x471ca219274b4062u, 0xdbca4309c230236au,
    0xa25e2c5248b0c72fu, 0x04e2e3ac1a45d63fu, 0xbd872166b0944d98u, 0xc3d206b80ec430a3u,
    0x7f11e50ab9d1fd2au, 0xac0b32ced09821fau, 0xf7019d09722d4068u, 0x63fccbf214effcd2u,
    0x07e2e05d43ef366au, 0xa7504fc3f4729538u, 0x31b667f343dc73cau,
};
constexpr std::uint64_t kHuellasTD[] = {
    0xe62c09cf1ff454a9u, 0xbd5a0401593129c7u, 0xaadb9284dc77ee0fu, 0x61cb8ce90a367c57u,
    0x9227cb08d53e3637u, 0x60a879d8a41d4ecdu, 0x3ffb36bb7870cf0du, 0x41d7f5c21f30e6d1u,
    0x146de84f668116d6u, 0x170313b9587e52d6u, 0x26363f21bfe04aafu, 0x8afbfb0b5312eec7u,
    0x476bff2ee64ab0e2u, 0x9312868882c6be5bu, 0x3e0090a1995b7309u, 0x262efa64afd43ccbu,
    0xe3daf951e09ce820u, 0x8562112d2f2a4a7du, 0x3b79121722fb2758u, 0x164306fa08784608u,
    0x5ddeb347e672a817u, 0xeeedea999503b0b1u, 0xa71a4d482ae98303u, 0x023c3ebf422051f2u,
    0xba5dddda78dd1e58u, 0xbcd212e37ac3818fu, 0x4aac3082cf7c0d56u, 0x54d030d06d87e35bu,
    0x019a6f4f4305ada7u, 0x5801965f9d706982u, 0x6d2485a1de69266cu, 0x1636786a947d058au,
    0x102c5ca4cd1d4458u, 0xbaf23568112085ffu, 0x270427dc082b167bu, 0x33a8c0de6951dc03u,
    0x9289f4d9d8e4a765u, 0x49d0ab16f1320de7u, 0xe0c9b7507c7a5f2fu, 0x32b5c82e8b1fd5efu,
    0xf77db8702a1535fdu, 0x3c810f8e72afd954u, 0xce7f7097fbcc98c0u, 0x8ca05d3c85103841u,
    0x63ce3a76c5c81750u, 0x79c271907b6f9b90u, 0x0283b0052dc703b8u, 0xb78770b65a395777u,
    0xa05c17a6329f189au,
};
// clang-format on

std::uint64_t Huella(std::initializer_list<std::string_view> campos) {
    std::uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a over the fields joined by U+001F
    bool primero = true;
    for (const std::string_view campo : campos) {
        for (const char byte : (primero ? "" : std::string(1, '\x1f')) + std::string(campo))
            hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
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
    // No row 0, nothing past the end.
    for (const int fuera : {0, -1, 40}) EXPECT_EQ(cdv::TablaTT.Fila(fuera), nullptr);
    for (const int fuera : {0, -1, 50}) EXPECT_EQ(cdv::TablaTD.Fila(fuera), nullptr);
    // What a hash would not say on failure: the delicate characters, spelled out.
    EXPECT_NE(cdv::TablaTT.Fila(32)->Comentario.find("general\r\rObservaciones:"),
              std::string::npos);
    EXPECT_NE(cdv::TablaTT.Fila(33)->Comentario.find("si que  incluyen"), std::string::npos);
    EXPECT_EQ(cdv::TablaTT.Fila(37)->Comentario.substr(0, 13), " De proceso: ");
    EXPECT_EQ(cdv::TablaTD.Fila(34)->Tipo, 0);
}

}  // namespace
