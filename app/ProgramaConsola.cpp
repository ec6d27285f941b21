// cdv.com, the console companion of the windowed cdv.exe beside it. Typed in cmd or PowerShell,
// `cdv` finds this one first: it starts cdv.exe with the same arguments, waits for it, and ends
// with its exit status. A windowed program has no console; what it writes comes through a pipe
// and is written here on the console as wide characters, shown in the console's own code page.
// Standard output and error that are files or pipes go to cdv.exe as they are.
#include <windows.h>

#include <string>

namespace {

// The program beside this one: the same path, ending in .exe instead of .com.
std::wstring ProgramaDeVentana() {
    std::wstring ruta(MAX_PATH, L'\0');
    DWORD largo = 0;
    while ((largo = ::GetModuleFileNameW(nullptr, ruta.data(), static_cast<DWORD>(ruta.size()))) >=
           ruta.size())
        ruta.resize(ruta.size() * 2);
    ruta.resize(largo);
    const size_t punto = ruta.find_last_of(L'.');
    if (punto != std::wstring::npos && ruta.find_first_of(L"\\/", punto) == std::wstring::npos)
        ruta.resize(punto);
    return ruta + L".exe";
}

// The command line as typed, after this program's own name, split off as Windows splits the
// first argument: up to the first blank outside quotes.
std::wstring Argumentos() {
    const wchar_t* linea = ::GetCommandLineW();
    bool entreComillas = false;
    for (; *linea != L'\0'; ++linea) {
        if (*linea == L'"')
            entreComillas = !entreComillas;
        else if (!entreComillas && (*linea == L' ' || *linea == L'\t'))
            break;
    }
    return linea;
}

bool EsConsola(HANDLE manejador) {
    DWORD modo = 0;
    return ::GetConsoleMode(manejador, &modo) != 0;
}

// How many of `texto`'s bytes are whole UTF-8 characters; a character cut at the end waits for
// the next read.
size_t Completos(const std::string& texto) {
    size_t inicio = texto.size();
    for (int atras = 0; atras < 4 && inicio > 0; ++atras) {
        const auto byte = static_cast<unsigned char>(texto[--inicio]);
        if ((byte & 0xC0) != 0x80) {
            const size_t largo = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            return texto.size() - inicio >= largo ? texto.size() : inicio;
        }
    }
    return texto.size();
}

void EnConsola(HANDLE consola, const std::string& utf8) {
    if (utf8.empty()) return;
    const int ancho =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring texto(static_cast<size_t>(ancho), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), texto.data(),
                          ancho);
    DWORD escritos = 0;
    ::WriteConsoleW(consola, texto.data(), static_cast<DWORD>(texto.size()), &escritos, nullptr);
}

// Writes on `consola` what comes through `tuberia`, until every end that writes is closed.
void Reenviar(HANDLE tuberia, HANDLE consola) {
    std::string pendiente;
    char bloque[4096];
    DWORD leidos = 0;
    while (::ReadFile(tuberia, bloque, sizeof bloque, &leidos, nullptr) && leidos > 0) {
        pendiente.append(bloque, leidos);
        const size_t completos = Completos(pendiente);
        EnConsola(consola, pendiente.substr(0, completos));
        pendiente.erase(0, completos);
    }
    EnConsola(consola, pendiente);
}

HANDLE Heredable(HANDLE manejador) {
    HANDLE copia = nullptr;
    if (manejador == nullptr || manejador == INVALID_HANDLE_VALUE ||
        !::DuplicateHandle(::GetCurrentProcess(), manejador, ::GetCurrentProcess(), &copia, 0, TRUE,
                           DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copia;
}

}  // namespace

int main() {
    const HANDLE salida = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE errores = ::GetStdHandle(STD_ERROR_HANDLE);
    const HANDLE consola = EsConsola(salida) ? salida : EsConsola(errores) ? errores : nullptr;
    // One pipe for whatever goes to the console, so that output and errors keep their order.
    HANDLE lectura = nullptr, escritura = nullptr;
    SECURITY_ATTRIBUTES heredable{sizeof heredable, nullptr, TRUE};
    if (consola != nullptr && ::CreatePipe(&lectura, &escritura, &heredable, 0))
        ::SetHandleInformation(lectura, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW inicio{};
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESTDHANDLES;
    inicio.hStdInput = Heredable(::GetStdHandle(STD_INPUT_HANDLE));
    inicio.hStdOutput = EsConsola(salida) ? escritura : Heredable(salida);
    inicio.hStdError = EsConsola(errores) ? escritura : Heredable(errores);
    const std::wstring programa = ProgramaDeVentana();
    std::wstring linea = L"cdv" + Argumentos();  // its help names it as it is typed
    PROCESS_INFORMATION proceso{};
    if (!::CreateProcessW(programa.c_str(), linea.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &inicio, &proceso)) {
        const std::string aviso =
            "cdv: no se puede iniciar cdv.exe, que debe estar junto a cdv.com.\n";
        DWORD escritos = 0;
        if (EsConsola(errores))
            EnConsola(errores, aviso);
        else
            ::WriteFile(errores, aviso.data(), static_cast<DWORD>(aviso.size()), &escritos,
                        nullptr);
        return 1;
    }
    if (escritura != nullptr) ::CloseHandle(escritura);
    if (lectura != nullptr) Reenviar(lectura, consola);
    ::WaitForSingleObject(proceso.hProcess, INFINITE);
    DWORD estado = 1;
    ::GetExitCodeProcess(proceso.hProcess, &estado);
    return static_cast<int>(estado);
}
