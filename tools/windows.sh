#!/usr/bin/env bash
# Builds the calculator for 64-bit Windows and proves it under Wine (`./cdv.sh windows`):
#   1. a static Qt for Windows, cross-built from Debian's own qtbase source against the host
#      tools of Debian's Qt, kept in ${XDG_CACHE_HOME:-$HOME/.cache}/cdv/ by version and options;
#   2. cdv.exe, cdv.com, the tests, the installer (NSIS) and the MSI (wixl) in build-windows/,
#      signed when a certificate is given (tools/firmar.sh: CDV_FIRMA_CERTIFICADO,
#      CDV_FIRMA_CLAVE, CDV_FIRMA_CONTRASENA, CDV_FIRMA_SELLO);
#   3. under Wine: every test, the exports and every fee compared with the Linux build's, the
#      console in cmd, the installer for one user and for all, the MSI, every signature made
#      with a certificate of the proof's own, start-up against a bare Qt window, and a picture
#      of the main window.
# It exits 0 only when every step passed. `./cdv.sh windows` installs what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
RAIZ=$PWD
NUCLEOS=$(nproc 2>/dev/null || echo 2)
SALIDA=$RAIZ/build-windows
CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/cdv

paso() { printf '\n== %s\n' "$*"; }

# Wine takes the Windows locale, and the code page of the command line, from the Unix locale:
# the Spanish one must exist for the program to see Spanish conventions and accented names.
locale_espanol() {
    locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$' && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "es_ES.UTF-8 UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen es_ES.UTF-8
}

# --- 1. Qt, static, for Windows ------------------------------------------------------------

QT_VERSION_DEB=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo ninguna)
QT_OPCIONES=(-release -static -static-runtime -optimize-size -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-fontconfig -no-zstd -no-feature-vulkan
    -qt-zlib -qt-pcre -qt-harfbuzz -qt-freetype -qt-libpng -qt-libjpeg -qt-doubleconversion
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent
    -no-feature-tabletevent -no-feature-direct2d1_1)

# The source of Debian's own Qt, through apt with a source list and state of the script's own:
# the system's apt configuration is left as it is.
fuentes_qt() {  # folder to extract into
    local apt=$CACHE/apt destino=$1
    mkdir -p "$apt/listas/partial" "$apt/cache/archives/partial" "$apt/sources.list.d" "$destino"
    local codigo
    codigo=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
        "http://deb.debian.org/debian $codigo main" > "$apt/sources.list"
    local opciones=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/listas" -o "Dir::Cache=$apt/cache"
        -o "Debug::NoLocking=1")
    apt-get "${opciones[@]}" update
    (cd "$destino" && apt-get "${opciones[@]}" source "qt6-base=$QT_VERSION_DEB")
}

qt_windows() {
    local clave
    clave=$(printf '%s\n' "$QT_VERSION_DEB" "${QT_OPCIONES[@]}" | cat - cmake/mingw-w64.cmake |
        sha256sum | cut -c1-12)
    QT_PREFIJO=$CACHE/qt-${QT_VERSION_DEB%%+*}-mingw64-$clave
    [ -f "$QT_PREFIJO/.completo" ] && {
        echo "Qt para Windows ya construido: $QT_PREFIJO"
        return
    }
    local obra=$CACHE/obra-qt-$clave
    rm -rf "$obra" "$QT_PREFIJO"
    mkdir -p "$obra" "$QT_PREFIJO"
    # The toolchain goes with the Qt it built, which calls it again for every program.
    cp cmake/mingw-w64.cmake "$QT_PREFIJO/mingw-w64.cmake"
    fuentes_qt "$obra/fuente"
    local fuente
    fuente=$(find "$obra/fuente" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    mkdir -p "$obra/compilacion"
    (cd "$obra/compilacion" && "$fuente/configure" -prefix "$QT_PREFIJO" "${QT_OPCIONES[@]}" \
        -qt-host-path /usr -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIJO/mingw-w64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    cmake --build "$obra/compilacion" --parallel "$NUCLEOS"
    cmake --install "$obra/compilacion"
    touch "$QT_PREFIJO/.completo"
    rm -rf "$obra"
}

# --- 2. The program, its tests and its installer ----------------------------------------

WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEDEBUG=-all WINEPREFIX=$SALIDA/wine WINEDLLOVERRIDES="mscoree,mshtml="

construir_programa() {
    cmake -S . -B "$SALIDA" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QT_PREFIJO/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCDV_BUILD_BENCH=ON -DCDV_GTEST_FUENTES=/usr/src/googletest \
        -DCMAKE_EXE_LINKER_FLAGS="-static" -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE" >/dev/null
    cmake --build "$SALIDA" --parallel "$NUCLEOS"
    VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$SALIDA/CMakeCache.txt")
    PROPIETARIO=$(sed -n 's/^CDV_PROPIETARIO:STRING=//p' "$SALIDA/CMakeCache.txt")
    rm -f "$SALIDA"/cdv-*-win64.exe "$SALIDA"/cdv-*-win64.msi
    empaquetar "$SALIDA"
    INSTALADOR=$SALIDA/cdv-$VERSION-win64.exe MSI=$SALIDA/cdv-$VERSION-win64.msi
    file "$SALIDA/cdv.exe" "$SALIDA/cdv.com" "$INSTALADOR" "$MSI"
}

# The installed files in $1/archivos, then the installer and the MSI in $1, each signed by
# tools/firmar.sh (which does nothing without a certificate): the programs before they are
# packed, the uninstaller and the installer as NSIS makes them, the MSI once made.
empaquetar() {
    local destino=$1 archivos=$1/archivos
    rm -rf "$archivos"
    cmake --install "$SALIDA" --prefix "$archivos" --strip >/dev/null
    tools/firmar.sh "$archivos/cdv.exe"
    tools/firmar.sh "$archivos/cdv.com"
    # The welcome and last pages' picture, drawn from the program's icon.
    convert -size 164x314 gradient:'#8e0000-#4a0000' \( resources/cdv.png -resize 104x104 \) \
        -gravity north -geometry +0+48 -composite -fill white -font DejaVu-Sans-Bold \
        -pointsize 15 -annotate +0+172 CDV-TORVEL -fill '#f0d0d0' -font DejaVu-Sans \
        -pointsize 11 -annotate +0+196 'Cuotas de visado' -type TrueColor \
        BMP3:"$destino/bienvenida.bmp"
    makensis -V2 -DBIENVENIDA="$destino/bienvenida.bmp" -DVERSION="$VERSION" -DARCHIVOS="$archivos" -DICONO="$RAIZ/resources/cdv.ico" \
        -DPROPIETARIO="$PROPIETARIO" -DSALIDA="$destino/cdv-$VERSION-win64.exe" \
        -DFIRMA="$RAIZ/tools/firmar.sh" packaging/cdv.nsi
    # wixl takes the files by names relative to the source's folder.
    cp packaging/cdv.wxs resources/cdv.ico "$destino/"
    (cd "$destino" && wixl -a x64 -D Version="$VERSION" -D Archivos=archivos -D Icono=cdv.ico \
        -D Propietario="$PROPIETARIO" -o "cdv-$VERSION-win64.msi" cdv.wxs)
    tools/firmar.sh "$destino/cdv-$VERSION-win64.msi"
}

# A Wine prefix of the build's own, with the faces the statement and the forms use (Liberation,
# Arial's metric twin), for the offscreen platform, which reads no system font on Windows.
preparar_wine() {
    [ -d "$WINEPREFIX" ] || "$WINE" wineboot --init >/dev/null 2>&1
    FUENTES=$SALIDA/fuentes
    mkdir -p "$FUENTES"
    cp /usr/share/fonts/truetype/liberation/Liberation*.ttf "$FUENTES"/
    export WINEQT_QPA_FONTDIR=$FUENTES WINEQT_FORCE_STDERR_LOGGING=1
}

# --- 3. Proof under Wine ---------------------------------------------------------------------

probar_en_wine() {
    (cd "$SALIDA" && ctest --output-on-failure --timeout 600)
}

# The same request gives the same CSV, byte for byte, the same PDF text and the same fees as
# the Linux build.
comparar_exportaciones() {
    local linux=$RAIZ/build/cdv solicitud=$RAIZ/tests/visado/solicitud.cdv dir=$SALIDA/comparacion
    [ -x "$linux" ] || { cmake -S . -B build >/dev/null && cmake --build build --target cdv; }
    [ -x "$RAIZ/build/tools/huellas_cuotas" ] || cmake --build build --target huellas_cuotas
    rm -rf "$dir" && mkdir -p "$dir"
    cp "$solicitud" "$dir/Nave Logroño.cdv"  # a name with an accent and a blank
    solicitud="$dir/Nave Logroño.cdv"
    QT_QPA_PLATFORM=offscreen LC_ALL=es_ES.UTF-8 \
        "$linux" --csv "$dir/linux.csv" --pdf "$dir/linux.pdf" "$solicitud" 2>/dev/null
    LC_ALL=es_ES.UTF-8 \
        "$WINE" "$SALIDA/cdv.exe" --csv "$dir/windows.csv" --pdf "$dir/windows.pdf" "$solicitud"
    cmp "$dir/linux.csv" "$dir/windows.csv"
    pdftotext -layout "$dir/linux.pdf" "$dir/linux.txt"
    pdftotext -layout "$dir/windows.pdf" "$dir/windows.txt"
    diff "$dir/linux.txt" "$dir/windows.txt"
    echo "CSV idéntico byte a byte ($(wc -c < "$dir/windows.csv") bytes); texto del PDF idéntico"
    # Every fee of the schedule, with its exact bits.
    "$RAIZ/build/tools/huellas_cuotas" > "$dir/huellas-linux.txt"
    "$WINE" "$SALIDA/tools/huellas_cuotas.exe" | tr -d '\r' > "$dir/huellas-windows.txt"
    cmp "$dir/huellas-linux.txt" "$dir/huellas-windows.txt"
    echo "$(wc -l < "$dir/huellas-windows.txt") cuotas idénticas, bit a bit, a las de Linux"
}

reg() {  # key: whether it is in the registry
    "$WINE" reg query "$1" >/dev/null 2>&1
}

fallo() {
    echo "$*" >&2
    exit 1
}

CLAVE_DESINSTALAR='Software\Microsoft\Windows\CurrentVersion\Uninstall\CDV-TORVEL'
CLAVES=("$CLAVE_DESINSTALAR" 'Software\Classes\CDV.SolicitudDeVisado' 'Software\Classes\.cdv')
USUARIO_WINE="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}"
MENU_TODOS="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
MENU_USUARIO="$USUARIO_WINE/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"

esperar_que_desaparezca() {  # folder: the uninstaller goes on from a copy of itself
    for _ in $(seq 20); do
        [ -e "$1" ] || return 0
        sleep 1
    done
    fallo "Queda $1"
}

# Nothing of the program in the hive `raiz`: no key of its own, none under the owner's name.
nada_en() {
    for clave in "${CLAVES[@]}" "Software\\$PROPIETARIO"; do
        if reg "$1\\$clave"; then fallo "Queda la clave $1\\$clave"; fi
    done
}

# The installer, silent, for one scope: the program answers from its folder, its Start-menu
# entry is there, the file type and the uninstall entry are in that scope's hive and nothing is
# in the other's; uninstalled by the entry's own silent command, nothing is left.
instalar_para() {  # scope flag, folder, hive, Start-menu folder
    local alcance=$1 destino=$2 raiz=$3 menu=$4 otra=HKLM
    [ "$raiz" = HKLM ] && otra=HKCU
    "$WINE" "$INSTALADOR" /S "/$alcance"
    [ "$("$WINE" "$destino/cdv.com" --version | tr -d '\r')" = "cdv $VERSION" ] ||
        fallo "El programa instalado en $destino no responde"
    [ -f "$menu/CDV-TORVEL.lnk" ] || fallo "Falta el acceso del menú Inicio en $menu"
    "$WINE" reg query "$raiz\\$CLAVE_DESINSTALAR" | tr -d '\r' |
        grep -E 'DisplayName|DisplayVersion|Publisher|InstallLocation|QuietUninstallString'
    for clave in "${CLAVES[@]}"; do reg "$raiz\\$clave" || fallo "Falta $raiz\\$clave"; done
    nada_en "$otra"
    local orden
    orden=$("$WINE" reg query "$raiz\\$CLAVE_DESINSTALAR" /v QuietUninstallString |
        tr -d '\r' | sed -n 's/.*REG_SZ *//p')
    local programa=${orden#\"} argumentos
    programa=${programa%%\"*}
    read -r -a argumentos <<<"${orden##*\"}"
    "$WINE" "$programa" "${argumentos[@]}"
    esperar_que_desaparezca "$destino"
    [ ! -e "$menu/CDV-TORVEL.lnk" ] || fallo "Queda el acceso del menú Inicio en $menu"
    nada_en HKLM
    nada_en HKCU
    echo "/$alcance: instalado en $destino y desinstalado; no queda ni un archivo ni una clave"
}

TODOS="$WINEPREFIX/drive_c/Program Files/CDV-TORVEL"
PERSONAL="$USUARIO_WINE/AppData/Local/Programs/CDV"

# Both at once: the uninstaller run from its folder, with no option, takes away its own scope's
# installation alone.
ambos_alcances() {
    "$WINE" "$INSTALADOR" /S /ALLUSERS
    "$WINE" "$INSTALADOR" /S /CURRENTUSER
    "$WINE" "$PERSONAL/Desinstalar.exe" /S
    esperar_que_desaparezca "$PERSONAL"
    [ -f "$TODOS/cdv.exe" ] || fallo "Desinstalar para un usuario quitó la instalación para todos"
    for clave in "${CLAVES[@]}"; do reg "HKLM\\$clave" || fallo "Desinstalar para un usuario quitó HKLM\\$clave"; done
    "$WINE" "$TODOS/Desinstalar.exe" /S
    esperar_que_desaparezca "$TODOS"
    nada_en HKLM
    nada_en HKCU
    echo "Instalado para todos y para un usuario a la vez: cada desinstalador quita solo lo suyo"
}

instalar_y_desinstalar() {
    instalar_para ALLUSERS "$TODOS" HKLM "$MENU_TODOS"
    instalar_para CURRENTUSER "$PERSONAL" HKCU "$MENU_USUARIO"
    ambos_alcances
}

# The MSI, as IT deploys it: installed and removed by msiexec, silent.
instalar_msi() {
    local destino=$TODOS msi
    msi=$("$WINE" winepath -w "$MSI" | tr -d '\r')
    "$WINE" msiexec /i "$msi" /qn
    [ "$("$WINE" "$destino/cdv.com" --version | tr -d '\r')" = "cdv $VERSION" ] ||
        fallo "El programa que instala el MSI no responde"
    # Wine puts a per-machine MSI's shortcut in the user's Start menu; Windows, in everyone's.
    [ -f "$MENU_TODOS/CDV-TORVEL.lnk" ] || [ -f "$MENU_USUARIO/CDV-TORVEL.lnk" ] ||
        fallo "El MSI no deja el acceso del menú Inicio"
    "$WINE" reg query 'HKLM\Software\Classes\CDV.SolicitudDeVisado\shell\open\command' |
        tr -d '\r' | grep -q 'cdv.exe' || fallo "El MSI no asocia los archivos .cdv"
    "$WINE" msiexec /x "$msi" /qn
    [ ! -e "$destino" ] || fallo "Queda $destino tras msiexec /x"
    for menu in "$MENU_TODOS" "$MENU_USUARIO"; do
        [ ! -e "$menu/CDV-TORVEL.lnk" ] || fallo "Queda el acceso del menú Inicio del MSI"
    done
    nada_en HKLM
    # A newer MSI replaces the older: once the newer is removed, nothing is left.
    local posterior=${VERSION%.*}.$((${VERSION##*.} + 1))
    (cd "$SALIDA" && wixl -a x64 -D Version="$posterior" -D Archivos=archivos -D Icono=cdv.ico \
        -D Propietario="$PROPIETARIO" -o cdv-posterior.msi cdv.wxs)
    "$WINE" msiexec /i "$msi" /qn
    "$WINE" msiexec /i "${msi%\\*}\\cdv-posterior.msi" /qn
    "$WINE" msiexec /x "${msi%\\*}\\cdv-posterior.msi" /qn
    [ ! -e "$destino" ] || fallo "La versión $posterior del MSI no sustituyó a la $VERSION"
    nada_en HKLM
    rm -f "$SALIDA/cdv-posterior.msi"
    echo "MSI: instalado y quitado con msiexec /qn, y sustituido por uno posterior;" \
        "no queda ni un archivo ni una clave"
}

# cdv.com in cmd, found before cdv.exe: it waits, writes in order and ends with the program's
# status; in a console (a terminal) in code page 850, the accents come out as they are.
consola() {
    local version ayuda estado=0
    version=$(cd "$SALIDA" && "$WINE" cmd /c cdv --version | tr -d '\r')
    [ "$version" = "cdv $VERSION" ] || fallo "cdv --version en cmd: «$version»"
    (cd "$SALIDA" && "$WINE" cmd /c cdv --nope 2>/dev/null) || estado=$?
    [ "$estado" -eq 1 ] || fallo "cdv --nope en cmd termina con $estado"
    ayuda=$(cd "$SALIDA" && script -qec "$WINE cmd /c \"chcp 850 >nul & cdv --help\"" /dev/null)
    grep -q "Muestra la versión y termina." <<<"$ayuda" ||
        fallo "cdv --help en una consola en la página 850: $ayuda"
    echo "cmd: «$version», estado 1 ante una opción desconocida, la ayuda con sus acentos en la página 850"
}

# Every file the build signs, signed here with a certificate the proof makes, and each
# signature checked: the programs, the installer, the uninstaller it writes, the MSI.
firmas() {
    local carpeta=$SALIDA/firma-de-prueba destino=$PERSONAL
    rm -rf "$carpeta" && mkdir -p "$carpeta"
    openssl req -x509 -newkey rsa:2048 -nodes -days 7 -subj "/CN=Prueba de firma de CDV-TORVEL" \
        -addext "extendedKeyUsage=codeSigning" -keyout "$carpeta/clave.pem" \
        -out "$carpeta/certificado.pem" 2>/dev/null
    CDV_FIRMA_CERTIFICADO=$carpeta/certificado.pem CDV_FIRMA_CLAVE=$carpeta/clave.pem \
        CDV_FIRMA_SELLO='' empaquetar "$carpeta"
    "$WINE" "$carpeta/cdv-$VERSION-win64.exe" /S /CURRENTUSER
    cp "$destino/Desinstalar.exe" "$carpeta/"
    "$WINE" "$destino/Desinstalar.exe" /S
    esperar_que_desaparezca "$destino"
    local firmados=0
    for archivo in archivos/cdv.exe archivos/cdv.com "cdv-$VERSION-win64.exe" Desinstalar.exe \
        "cdv-$VERSION-win64.msi"; do
        osslsigncode verify -CAfile "$carpeta/certificado.pem" -in "$carpeta/$archivo" >/dev/null ||
            fallo "La firma de $archivo no se verifica"
        firmados=$((firmados + 1))
    done
    echo "$firmados firmas verificadas con osslsigncode verify"
}

mediana() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Start-up to the first painted frame on Windows's own platform, in a virtual screen: the
# calculator's main window against a bare Qt window, both from the same static program
# (bench/arranque.cpp), one run of each in turn, with no settings or sessions of earlier runs;
# the medians and their ratio, which must stay within 1.30.
arranque() {
    local programa=$SALIDA/bench/cdv_arranque.exe tiempos=$SALIDA/arranque.txt vueltas=15
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/cdv
    wineserver -k 2>/dev/null || true  # Wine's desktop starts again, in the virtual screen
    wineserver -w 2>/dev/null || true
    LC_ALL=es_ES.UTF-8 xvfb-run -a -s "-screen 0 1366x768x24" bash -c '
        medir() {
            local inicio fin
            inicio=$(date +%s%N)
            "$1" "$2" "$3" >/dev/null 2>&1
            fin=$(date +%s%N)
            echo "$3 $(((fin - inicio) / 1000000))"
        }
        for _ in 1 2; do medir "$0" "$1" qt; medir "$0" "$1" cdv; done >/dev/null
        for _ in $(seq "$2"); do medir "$0" "$1" qt; medir "$0" "$1" cdv; done
        ' "$WINE" "$programa" "$vueltas" > "$tiempos"
    local qt cdv razon
    qt=$(awk '$1 == "qt" { print $2 }' "$tiempos" | mediana)
    cdv=$(awk '$1 == "cdv" { print $2 }' "$tiempos" | mediana)
    razon=$(awk -v a="$cdv" -v b="$qt" 'BEGIN { printf "%.2f", a / b }')
    echo "Hasta el primer cuadro pintado, mediana de $vueltas: Qt solo $qt ms, CDV $cdv ms; razón $razon"
    awk -v r="$razon" 'BEGIN { exit !(r <= 1.30) }' ||
        fallo "El arranque en Windows pasa de 1,30 veces el de una ventana de Qt sola"
}

# The main window on Windows's own platform, in a virtual screen, as a new user first sees it.
capturar() {
    local imagen=$RAIZ/docs/windows-principal.png
    rm -rf "$WINEPREFIX"/drive_c/users/*/AppData/Local/cdv
    wineserver -k 2>/dev/null || true  # Wine's desktop starts again, in the virtual screen
    wineserver -w 2>/dev/null || true
    LC_ALL=es_ES.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        "$0" "$1" &
        sleep 15
        import -window root "$2"
        kill %1' "$WINE" "$SALIDA/cdv.exe" "$SALIDA/pantalla.png" 2>/dev/null
    convert "$SALIDA/pantalla.png" -trim "$imagen"
    local tamano
    tamano=$(identify -format '%w %h' "$imagen")
    echo "Captura: $imagen ($tamano)"
    [ "${tamano%% *}" -ge 600 ] && [ "${tamano##* }" -ge 400 ] || {
        echo "La ventana no se ha visto en la pantalla virtual" >&2
        exit 1
    }
}

# Every step, read whole before the first runs, so that editing this file meanwhile cannot
# change a run under way.
todo() {
    locale_espanol
    inicio=$SECONDS
    paso "Qt $QT_VERSION_DEB, estático, para Windows de 64 bits"
    qt_windows
    paso "cdv.exe, cdv.com, las pruebas, el instalador y el MSI"
    construir_programa
    preparar_wine
    paso "Todas las pruebas, bajo Wine"
    probar_en_wine
    paso "Exportaciones de Windows y de Linux"
    comparar_exportaciones
    paso "cdv.com en cmd"
    consola
    paso "Instalación y desinstalación en silencio, para todos y para un usuario"
    instalar_y_desinstalar
    paso "El MSI con msiexec"
    instalar_msi
    paso "Firmas"
    firmas
    paso "Arranque en Windows, bajo Wine"
    arranque
    paso "La ventana principal en Windows"
    capturar
    echo
    echo "Windows: todo correcto en $((SECONDS - inicio)) s"
}

todo
