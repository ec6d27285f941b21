"""The fee statement written by `cdv --csv` and `cdv --pdf`, read back by other programs:
Python's own CSV reader finds every field and the total of the request; poppler's pdftotext
finds every reference and fee in order, the work and member, and a 300-line request on as
many pages as it needs, each with "Página N de M". A file that cannot be opened, or a place
that cannot be written, ends with a message and a status that says which."""
import csv
import json
import os
import re
import subprocess
import sys
import tempfile

# The program, after its emulator in a cross build (Wine), which passes a variable to it only
# under its name with WINE before it.
cdv, solicitud = [*sys.argv[3:], sys.argv[1]], sys.argv[2]
emulado = len(sys.argv) > 3


def entorno_con(**variables):
    entorno = dict(os.environ, **variables)
    if emulado:
        entorno.update({"WINE" + clave: valor for clave, valor in variables.items()})
    return entorno


def exportar(formato, salida, entrada):
    hecho = subprocess.run([*cdv, "--" + formato, salida, entrada], capture_output=True, text=True)
    assert hecho.returncode == 0, hecho.stderr


def leer_csv(ruta):
    with open(ruta, newline="", encoding="utf-8-sig") as archivo:
        return list(csv.reader(archivo, delimiter=";"))


def leer_pdf(ruta):
    texto = subprocess.run(["pdftotext", "-layout", ruta, "-"], capture_output=True, text=True,
                           check=True).stdout
    return [pagina for pagina in texto.split("\f") if pagina.strip()]


with tempfile.TemporaryDirectory() as carpeta:
    en = lambda nombre: os.path.join(carpeta, nombre)
    exportar("csv", en("s.csv"), solicitud)
    # A project's work items, their sum and its discount are detail, out of the Cuota column,
    # which adds up to the total.
    filas_csv = leer_csv(en("s.csv"))
    hoy = subprocess.run(["date", "+%d/%m/%Y"], capture_output=True, text=True).stdout.strip()
    # The particulars first, each of its class; then the lines.
    assert filas_csv == [
        ["Referencia", "Descripción", "Cantidad", "Unidad", "Cuota", "Clase", "Importe"],
        ["", "", "", "", "", "expediente", ""],
        ["", 'Nave industrial; ampliación "Norte"', "", "", "", "trabajo", ""],
        ["", "Ana Pérez, n.º 1234", "", "", "", "colegiado", ""],
        ["", hoy, "", "", "", "fecha", ""],
        ["", "Calculada con el baremo «Baremo de derechos de visado», vigente desde el 05/02/2007",
         "", "", "", "baremo", ""],
        ["AAP", "Acta de aprobación del plan de seguridad y salud", "3", "Ud.", "79,49",
         "documento", ""],
        ["P", "Proyecto, descontado el Anteproyecto (25 %)", "", "", "256,15", "documento", ""],
        ["INAC", "Climatización/Aire acondicionado", "300", "kW(T)", "", "partida", "296,50"],
        ["DVPG", "Aparatos a presión o a gas de tipo único o en serie", "1", "Ud.", "", "partida",
         "45,04"],
        ["", "Suma de las partidas", "", "", "", "suma del proyecto", "341,54"],
        ["", "Descontado el Anteproyecto (25 %)", "", "", "", "descuento", "-85,39"],
        ["", "Total CDV", "", "", "335,64", "total", ""],
        ["", "IVA (21 %)", "", "", "", "iva", "70,48"],
        ["", "Total con IVA", "", "", "", "total con iva", "406,12"],
    ], filas_csv
    centimos = lambda importe: int(importe.replace(".", "").replace(",", ""))
    [total] = [centimos(f[4]) for f in filas_csv if f[5] == "total"]
    assert sum(centimos(f[4]) for f in filas_csv if f[5] == "documento") == total
    # IVA on the total, rounded half up to the cent, then the total with it.
    [iva] = [centimos(f[6]) for f in filas_csv if f[5] == "iva"]
    [con_iva] = [centimos(f[6]) for f in filas_csv if f[5] == "total con iva"]
    assert iva == (total * 21 + 50) // 100 and con_iva == total + iva

    exportar("pdf", en("s.pdf"), solicitud)
    [pagina] = leer_pdf(en("s.pdf"))
    for esperado in ["Liquidación de cuotas de visado (CDV)", "Solicitud: solicitud.cdv",
                     "Calculada con el baremo «Baremo de derechos de visado», vigente desde el "
                     "05/02/2007",
                     'Trabajo: Nave industrial; ampliación "Norte"',
                     "Colegiado/a: Ana Pérez, n.º 1234", "Página 1 de 1"]:
        assert esperado in pagina, (esperado, pagina)
    filas = re.findall(r"^(\S+)\s.*?(\S+)\s*$", pagina, re.M)
    assert [f for f in filas if f[0] in ("AAP", "P", "INAC", "DVPG")] == [
        ("AAP", "79,49"), ("P", "256,15"), ("INAC", "296,50"), ("DVPG", "45,04")], filas
    # The Cuota column is the amounts that end where the total ends; they add up to it.
    lineas_pdf = [linea.rstrip() for linea in pagina.splitlines()]
    [fin] = [len(linea) for linea in lineas_pdf if "Total CDV" in linea]
    columna = [linea.split()[-1] for linea in lineas_pdf
               if len(linea) == fin and re.search(r"\d,\d\d$", linea)]
    assert columna == ["79,49", "256,15", "335,64", "70,48", "406,12"], lineas_pdf
    assert "IVA (21 %)" in pagina and "Total con IVA" in pagina

    # Both at once: each written as when asked alone.
    hecho = subprocess.run([*cdv, "--pdf", en("b.pdf"), "--csv", en("b.csv"), solicitud],
                           capture_output=True, text=True)
    assert hecho.returncode == 0, hecho.stderr
    assert leer_csv(en("b.csv")) == leer_csv(en("s.csv"))
    assert leer_pdf(en("b.pdf")) == leer_pdf(en("s.pdf"))

    # 300 documents: pages as needed, each numbered, every line whole and in order.
    largo = {"formato": 1, "documentos": [
        {"referencia": "AAP", "cantidad": str(k), "cuota": "0"} for k in range(1, 301)]}
    with open(en("largo.cdv"), "w", encoding="utf-8") as archivo:
        json.dump(largo, archivo)
    exportar("csv", en("largo.csv"), en("largo.cdv"))
    exportar("pdf", en("largo.pdf"), en("largo.cdv"))
    cuotas = [fila[4] for fila in leer_csv(en("largo.csv")) if fila[5] == "documento"]
    paginas = leer_pdf(en("largo.pdf"))
    assert len(paginas) > 1
    for numero, pagina in enumerate(paginas, 1):
        assert f"Página {numero} de {len(paginas)}" in pagina, pagina
        assert "Referencia" in pagina  # the table's heading on every page
    lineas = re.findall(r"^AAP\s.*?\s(\d+) Ud\.\s+(\S+)\s*$", "\n".join(paginas), re.M)
    assert [int(cantidad) for cantidad, _ in lineas] == list(range(1, 301)), lineas
    assert [cuota.replace(".", "") for _, cuota in lineas] == cuotas

    # A project's items that go on to the next page are headed there by its reference and
    # "(cont.)" (they once began page 2 with no sign of whose they were).
    for documentos in range(39, 44):
        continuado = {"formato": 1, "documentos": [
            {"referencia": "AAP", "cantidad": str(k), "cuota": "0"} for k in range(documentos)]}
        continuado["documentos"].append({"referencia": "P", "cuota": "0", "partidas": [
            {"referencia": "DVPG", "cantidad": str(k), "cuota": "0"} for k in range(1, 15)]})
        with open(en("continuado.cdv"), "w", encoding="utf-8") as archivo:
            json.dump(continuado, archivo)
        exportar("pdf", en("continuado.pdf"), en("continuado.cdv"))
        for pagina in leer_pdf(en("continuado.pdf"))[1:]:
            lineas = [linea.split() for linea in pagina.splitlines() if linea.strip()]
            primera = lineas[[l[0] for l in lineas].index("Referencia") + 1]
            assert primera[0] != "DVPG" and (primera[0] != "P" or primera[1] in ("(cont.)",
                                                                                 "Proyecto")), pagina

    # Quantities in the amounts' form, ungrouped (a quantity was once "150.000,50" beside an
    # amount "3622,08").
    with open(en("presupuesto.cdv"), "w", encoding="utf-8") as archivo:
        json.dump({"formato": 1, "documentos": [
            {"referencia": "ESS2", "cantidad": "1,500,000.5", "cuota": "0"}]}, archivo)
    exportar("csv", en("presupuesto.csv"), en("presupuesto.cdv"))
    [ess2] = [f for f in leer_csv(en("presupuesto.csv")) if f[0] == "ESS2"]
    assert ess2[2] == "1500000,5" and re.fullmatch(r"\d+,\d\d", ess2[4]), ess2

    # The staff's commands: the schedule in force exported checks "correcto"; a misspelt key is
    # a fault with its place; installed as the only other schedule, on the same date, the
    # export changes no fee.
    datos = en("datos")
    entorno = entorno_con(XDG_DATA_HOME=datos)
    orden = lambda *argumentos: subprocess.run([*cdv, *argumentos], capture_output=True, text=True,
                                               env=entorno)
    assert orden("--exportar-baremo", en("baremo.json")).returncode == 0
    hecho = orden("--comprobar-baremo", en("baremo.json"))
    assert (hecho.returncode, hecho.stdout) == (0, "correcto\n"), hecho
    with open(en("baremo.json"), encoding="utf-8") as archivo:
        baremo = json.load(archivo)
    assert baremo["formato"] == 2 and baremo["calculo"] == "coma_flotante", baremo
    baremo["filas"][0]["minimos"] = baremo["filas"][0].pop("minimo")
    with open(en("mal.json"), "w", encoding="utf-8") as archivo:
        json.dump(baremo, archivo)
    hecho = orden("--comprobar-baremo", en("mal.json"))
    assert hecho.returncode == 1 and "«mal.json»: filas[0].minimos: clave desconocida" in \
        hecho.stdout, hecho
    baremo["filas"][0]["minimo"] = baremo["filas"][0].pop("minimos")
    baremo["nombre"] = "Copia del baremo"
    # A description a spreadsheet would take for a formula.
    [aap] = [d for d in baremo["filas"] if d["referencia"] == "AAP"]
    aap["descripcion"] = "=1+1"
    os.makedirs(os.path.join(datos, "cdv", "baremos"))
    with open(os.path.join(datos, "cdv", "baremos", "copia.json"), "w", encoding="utf-8") as a:
        json.dump(baremo, a)
    with open(solicitud, encoding="utf-8") as archivo:
        registrada = json.load(archivo)
    registrada["baremo"] = {"nombre": "Otro", "vigente_desde": "2007-02-05", "huella": "ninguna"}
    registrada["documentos"][0]["descripcion"] = "Acta de aprobación del plan de seguridad y salud"
    with open(en("otra.cdv"), "w", encoding="utf-8") as archivo:
        json.dump(registrada, archivo)
    # Priced under a schedule not installed: written, with the notice, the references that now
    # mean something else, and status 3.
    for formato in ("csv", "pdf"):
        hecho = orden("--" + formato, en("copia." + formato), en("otra.cdv"))
        assert hecho.returncode == 3, hecho
        for aviso in ("cdv: la solicitud se calculó con el baremo «Otro» del 05/02/2007, que no "
                      "está instalado; se calcula con «Copia del baremo», vigente desde el "
                      "05/02/2007.",
                      "documento 1 (AAP): guardado como «Acta de aprobación del plan de seguridad "
                      "y salud»; en este baremo, «=1+1»"):
            assert aviso in hecho.stderr, hecho.stderr
        assert "cuota calculada de nuevo" not in hecho.stderr, hecho.stderr
    copia = leer_csv(en("copia.csv"))
    assert copia[6][1] == "'=1+1", copia  # a text, never a formula; amounts stay numbers
    copia[6][1] = filas_csv[6][1]
    assert "Copia del baremo" in copia[5][1], copia
    assert copia[:5] + copia[6:] == filas_csv[:5] + filas_csv[6:], copia

    # Every kind of project document: its share of the sum (when less than the whole) less
    # its discount is its fee, to the cent. A "Proyecto básico" once showed only the sum and
    # the discount, which did not add up.
    partidas = [{"referencia": "INGV", "cantidad": "24", "cuota": "0"},
                {"referencia": "INV2", "cantidad": "24", "cuota": "0"}]
    proyectos = {"formato": 1, "documentos": [
        dict({"referencia": ref, "partidas": partidas, "cuota": "0"},
             **({"descuento": "Anteproyecto"} if ref in ("P", "PB") else {}))
        for ref in ("P", "PB", "V", "MV", "PR", "SP2")]}
    with open(en("proyectos.cdv"), "w", encoding="utf-8") as archivo:
        json.dump(proyectos, archivo)
    exportar("csv", en("proyectos.csv"), en("proyectos.cdv"))
    filas = [f for f in leer_csv(en("proyectos.csv"))[1:] if f[5] not in (
        "total", "iva", "total con iva", "expediente", "trabajo", "colegiado", "fecha", "baremo")]
    inicios = [k for k, f in enumerate(filas) if f[5] == "documento"] + [len(filas)]
    assert len(inicios) == 7, filas
    for inicio, fin in zip(inicios, inicios[1:]):
        detalle = {f[5]: centimos(f[6]) for f in filas[inicio + 1:fin] if f[5] != "partida"}
        base = detalle.get("parte del proyecto", detalle["suma del proyecto"])
        assert base + detalle.get("descuento", 0) == centimos(filas[inicio][4]), filas[inicio:fin]
    pb = filas[inicios[1]:inicios[2]]
    assert [f[1] for f in pb[-3:]] == ["Suma de las partidas", "50 % (Proyecto básico)",
                                       "Descontado el Anteproyecto (25 %)"], pb
    assert [f[6] for f in pb[-3:]] + [pb[0][4]] == ["116,37", "58,19", "-29,09", "29,10"], pb

    # Help and version need no display, and Qt's own texts read in Spanish.
    sin_pantalla = {k: v for k, v in os.environ.items()
                    if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                 "WINEQT_QPA_PLATFORM")}
    ayuda = subprocess.run([*cdv, "--help"], capture_output=True, text=True, env=sin_pantalla)
    assert ayuda.returncode == 0, ayuda.stderr
    for texto in ("Uso:", "Opciones:", "Argumentos:", "Muestra esta ayuda"):
        assert texto in ayuda.stdout, ayuda.stdout
    version = subprocess.run([*cdv, "--version"], capture_output=True, text=True, env=sin_pantalla)
    assert version.returncode == 0 and re.match(r"cdv \d+\.\d+\.\d+$", version.stdout), version

    for formato in ("csv", "pdf"):
        for salida, entrada, estado, mensaje in [(en("x"), en("no.cdv"), 1, "no se puede abrir"),
                                                 (carpeta, solicitud, 2, "no se puede escribir")]:
            fallo = subprocess.run([*cdv, "--" + formato, salida, entrada], capture_output=True,
                                   text=True)
            assert fallo.returncode == estado and mensaje in fallo.stderr, fallo.stderr

    # Where an export goes: "-" is standard output; a pipe or a device already there is written
    # into, never replaced (as root, "--csv /dev/null" once replaced the system's /dev/null); a
    # pipe nobody reads from is refused at once rather than waited on.
    hecho = subprocess.run([*cdv, "--csv", "-", solicitud], capture_output=True)
    assert hecho.returncode == 0 and hecho.stdout.startswith(b"\xef\xbb\xbfReferencia;"), hecho
    if not emulado:
        import stat
        import threading
        assert subprocess.run([*cdv, "--csv", "/dev/null", solicitud]).returncode == 0
        assert stat.S_ISCHR(os.stat("/dev/null").st_mode)
        tuberia = en("tuberia")
        os.mkfifo(tuberia)
        sin_lector = subprocess.run([*cdv, "--csv", tuberia, solicitud], capture_output=True,
                                    text=True, timeout=60)
        assert sin_lector.returncode == 2 and "nadie lee" in sin_lector.stderr, sin_lector
        leido = []
        lector = threading.Thread(target=lambda: leido.append(open(tuberia, "rb").read()))
        lector.start()
        assert subprocess.run([*cdv, "--csv", tuberia, solicitud], timeout=60).returncode == 0
        lector.join(60)
        assert leido and leido[0].startswith(b"\xef\xbb\xbfReferencia;"), leido
        assert stat.S_ISFIFO(os.stat(tuberia).st_mode)
        # A socket as the request was once "No existe el dispositivo".
        import socket
        enchufe = socket.socket(socket.AF_UNIX)
        enchufe.bind(en("enchufe.cdv"))
        hecho = subprocess.run([*cdv, "--csv", "-", en("enchufe.cdv")], capture_output=True,
                               text=True, timeout=60)
        assert hecho.returncode == 1 and "no es un archivo normal" in hecho.stderr, hecho
        enchufe.close()

    # Options that cannot go together are refused, not half done; a mistyped one is told as
    # such, display or not.
    for argumentos, estado, mensaje in [
            (["--csv", en("a.csv"), "--csv", en("b.csv"), solicitud], 2, "más de una vez"),
            (["--comprobar-baremo", en("baremo.json"), "--csv", en("c.csv"), solicitud], 2,
             "van solos"),
            (["--nope"], 1, "Opción desconocida «nope»"),
            (["-x"], 1, "Opción desconocida «x»")]:
        hecho = subprocess.run([*cdv, *argumentos], capture_output=True, text=True,
                               env=sin_pantalla, timeout=60)
        assert hecho.returncode == estado and mensaje in hecho.stderr, (argumentos, hecho)
    assert not os.path.exists(en("c.csv"))
