#include "Consola.h"

#include <algorithm>
#include <cstdio>

#if defined(Q_OS_WIN)
#include <windows.h>

namespace {

HANDLE Manejador(Flujo flujo) {
    return ::GetStdHandle(flujo == Flujo::Salida ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool EnConsola(HANDLE consola, QByteArrayView utf8) {
    const QString texto = QString::fromUtf8(utf8);
    const auto* ancho = reinterpret_cast<const wchar_t*>(texto.utf16());
    for (qsizetype hecho = 0; hecho < texto.size();) {
        DWORD escritos = 0;
        const auto parte = static_cast<DWORD>(std::min<qsizetype>(texto.size() - hecho, 8192));
        if (!::WriteConsoleW(consola, ancho + hecho, parte, &escritos, nullptr) || escritos == 0)
            return false;
        hecho += escritos;
    }
    return true;
}

bool EnArchivo(HANDLE archivo, QByteArrayView utf8) {
    for (qsizetype hecho = 0; hecho < utf8.size();) {
        DWORD escritos = 0;
        const auto parte = static_cast<DWORD>(std::min<qsizetype>(utf8.size() - hecho, 1 << 20));
        if (!::WriteFile(archivo, utf8.data() + hecho, parte, &escritos, nullptr) || escritos == 0)
            return false;
        hecho += escritos;
    }
    return true;
}

}  // namespace

bool Escribir(Flujo flujo, QByteArrayView utf8) {
    const HANDLE destino = Manejador(flujo);
    if (destino == nullptr || destino == INVALID_HANDLE_VALUE) return false;
    DWORD modo = 0;
    return ::GetConsoleMode(destino, &modo) ? EnConsola(destino, utf8) : EnArchivo(destino, utf8);
}

void EscribirEnLaConsolaDelPadre() {
    const bool sinSalida = ::GetFileType(Manejador(Flujo::Salida)) == FILE_TYPE_UNKNOWN;
    const bool sinErrores = ::GetFileType(Manejador(Flujo::Errores)) == FILE_TYPE_UNKNOWN;
    if (!(sinSalida || sinErrores) || !::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    const HANDLE consola =
        ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (consola == INVALID_HANDLE_VALUE) return;
    if (sinSalida) ::SetStdHandle(STD_OUTPUT_HANDLE, consola);
    if (sinErrores) ::SetStdHandle(STD_ERROR_HANDLE, consola);
}

#else

bool Escribir(Flujo flujo, QByteArrayView utf8) {
    std::FILE* destino = flujo == Flujo::Salida ? stdout : stderr;
    return std::fwrite(utf8.data(), 1, static_cast<size_t>(utf8.size()), destino) ==
               static_cast<size_t>(utf8.size()) &&
           std::fflush(destino) == 0;
}

void EscribirEnLaConsolaDelPadre() {}

#endif
