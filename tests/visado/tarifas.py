"""Price lists of format 2 through the command line: the shipped examples pass
`--comprobar-baremo`, `--tasar` gives fees worked out by hand, with their steps, and planted
faults and failing examples are refused with their places. Usage: tarifas.py CDV EJEMPLOS
[EMULATOR...]"""
import copy
import json
import os
import subprocess
import sys
import tempfile

cdv, ejemplos = [*sys.argv[3:], sys.argv[1]], sys.argv[2]
en = lambda nombre: os.path.join(ejemplos, nombre)


def correr(*argumentos):
    return subprocess.run([*cdv, *argumentos], capture_output=True, text=True, timeout=120)


for nombre in sorted(os.listdir(ejemplos)):
    hecho = correr("--comprobar-baremo", en(nombre))
    assert (hecho.returncode, hecho.stdout) == (0, "correcto\n"), (nombre, hecho)

# Fees worked out by hand (Spanish form, as the locale writes them).
PONDERADA = ["--factor", "Tamaño=grande", "--factor", "Complejidad=baja", "--factor",
             "Calidad=alta"]
for archivo, argumentos, cuota in [
    # 30.000 × 0,0029 + 30.000 × 0,00247 + 30.000 × 0,00203 + 10.000 × 0,00162
    ("presupuesto-por-tramos.json", ["PE", "100.000"], "238,20"),
    ("presupuesto-por-tramos.json", ["PE", "4.000", "--canal", "papel"], "25,00"),  # 11,60
    ("presupuesto-por-tramos.json", ["CIV", "4.000"], "18,00"),
    # 719,70 to 600.000, then 450 + 300 + 300 + 54.000.000 × 0,00001 = 540
    ("presupuesto-por-tramos.json", ["DO", "60.000.000"], "2.309,70"),
    ("presupuesto-por-tramos.json", ["SRV", "200.000"], "92,81"),  # 24 % of 386,70 = 92,808
    ("importes-por-superficie.json", ["PEJ", "100"], "105,00"),
    ("importes-por-superficie.json", ["PEJ", "100,5", "--canal", "papel"], "300,00"),
    ("importes-por-superficie.json", ["PSS", "1"], "20,00"),
    # 1.200 × 0,8 × 0,8 × 1,15 × 1,25 = 1.104,00, and on paper 50,00 for its band
    ("unidades-ponderadas.json", ["PE", "1.200", *PONDERADA], "1.104,00"),
    ("unidades-ponderadas.json", ["PE", "1.200", "--canal", "papel", *PONDERADA], "1.154,00"),
    # 1.104,00 − 1.200 × 0,8 × 0,8 × 1,15 × 0,5 = 1.104,00 − 441,60
    ("unidades-ponderadas.json", ["PEB", "1.200", *PONDERADA], "662,40"),
]:
    hecho = correr("--tasar", *argumentos, "--baremo", en(archivo))
    lineas = hecho.stdout.splitlines()
    assert hecho.returncode == 0 and lineas[-1] == cuota, (archivo, argumentos, hecho)
    assert len(lineas) > 1, hecho  # how it was reached, before the fee

for argumentos, motivo in [
    (["NO", "1"], "no hay ninguna fila «NO»"),
    (["PE", "100000.50"], "«100000.50» no es una cantidad"),
    (["PE", "1", "--canal", "fax"], "el canal es «electronica» o «papel»"),
]:
    hecho = correr("--tasar", *argumentos, "--baremo", en("presupuesto-por-tramos.json"))
    assert hecho.returncode == 1 and motivo in hecho.stderr, (argumentos, hecho)
hecho = correr("--tasar", "PE", "250", "--factor", "Tamaño=grande", "--baremo",
               en("unidades-ponderadas.json"))
assert hecho.returncode == 1 and "falta elegir «Complejidad» (alta, baja, media)" in hecho.stderr, \
    hecho

# Faults planted in a list, each told with its place; a failing example refuses the list.
with open(en("presupuesto-por-tramos.json"), encoding="utf-8") as archivo:
    base = json.load(archivo)


def plantar(cambio):
    tarifa = copy.deepcopy(base)
    cambio(tarifa)
    return tarifa


tramos = lambda t: t["tablas"]["presupuesto"]["tramos"]
with tempfile.TemporaryDirectory() as carpeta:
    for cambio, falta in [
        (lambda t: t["filas"][0]["regla"].update(tipo="progresiva"),
         "filas[0].regla.tipo: «progresiva» no es un tipo de regla"),
        (lambda t: tramos(t)[2].update(hasta=50000),
         "tablas.presupuesto.tramos[2]: «hasta» no pasa del tramo anterior"),
        (lambda t: t["filas"][1]["regla"].update(tabla="presupuestos"),
         "filas[1].regla.tabla: no hay ninguna tabla «presupuestos»"),
        (lambda t: t.update(factores={"Calidad": {}}), "factores.Calidad: no tiene opciones"),
        (lambda t: t["filas"][5]["regla"].update(fila="SRV"),
         "filas[5].regla: se refiere a sí misma, por «SRV»"),
        (lambda t: t["filas"][0].update(maximo=10), "filas[0]: el mínimo pasa del máximo"),
        (lambda t: t["filas"][0].update(tasa=1), "filas[0].tasa: clave desconocida"),
        (lambda t: t["filas"][0].update(minimo=90000000000000),
         "filas[0].minimo: pasa del importe más alto que se guarda"),
        (lambda t: t["filas"][4]["regla"].update(porcentaje=5),
         "filas[4].regla.porcentaje: no es de este tipo de regla"),
        (lambda t: t["ejemplos"][0].update(cuota=238.21),
         "ejemplos[0] (PE): da 238,20 y el colegio publica 238,21"),
    ]:
        ruta = os.path.join(carpeta, "plantada.json")
        with open(ruta, "w", encoding="utf-8") as archivo:
            json.dump(plantar(cambio), archivo, ensure_ascii=False)
        hecho = correr("--comprobar-baremo", ruta)
        assert hecho.returncode == 1 and "«plantada.json»: " + falta in hecho.stdout, (falta, hecho)
        tasado = correr("--tasar", "PE", "1", "--baremo", ruta)
        assert tasado.returncode == 1 and falta in tasado.stderr, (falta, tasado)

# A request of an association whose revision it records is no longer installed: priced with
# that association's list in force (status 3, said), not the program's own; its statement as a
# spreadsheet names the channel, and follows each fee with its steps.
with tempfile.TemporaryDirectory() as casa:
    os.makedirs(os.path.join(casa, "cdv", "baremos"))
    for nombre in ["presupuesto-por-tramos.json", "unidades-ponderadas.json"]:
        with open(en(nombre), "rb") as origen, \
                open(os.path.join(casa, "cdv", "baremos", nombre), "wb") as copia:
            copia.write(origen.read())
    solicitud = os.path.join(casa, "norte.cdv")
    with open(solicitud, "w", encoding="utf-8") as archivo:
        json.dump({"formato": 1, "canal": "papel",
                   "baremo": {"nombre": base["nombre"], "vigente_desde": "2025-01-01",
                              "huella": "de una revisión anterior", "colegio": base["colegio"],
                              "demarcacion": "Norte"},
                   "documentos": [{"referencia": "PE", "cantidad": "4000", "cuota": "25"},
                                  {"referencia": "AUX", "cantidad": "", "cuota": "18"}]},
                  archivo, ensure_ascii=False)
    entorno = dict(os.environ, XDG_DATA_HOME=casa, WINEXDG_DATA_HOME=casa)
    hecho = subprocess.run([*cdv, "--csv", "-", solicitud], capture_output=True, env=entorno,
                           timeout=120)
    assert hecho.returncode == 3, hecho
    assert "se calcula con «Tarifa de visado por presupuesto»" in hecho.stderr.decode(), hecho
    filas = [f.split(";") for f in hecho.stdout.decode("utf-8-sig").splitlines()]
    assert ["", "papel", "", "", "", "presentacion", ""] in filas, filas
    documentos = [f for f in filas if f[5] == "documento"]
    assert [(f[0], f[4]) for f in documentos] == [("PE", "25,00"), ("AUX", "18,00")], filas
    pasos = [f[1] for f in filas if f[5] == "paso"]
    assert "Mínimo (papel): 25,00" in pasos and "Tabla «presupuesto», de 0 a 4000: 4000 × 0,0029" \
        in pasos, pasos

    # The association chosen in the windows is the one whose schedule in force --tasar and
    # --exportar-baremo take, when given no file of their own.
    config = os.path.join(casa, "config")
    os.makedirs(os.path.join(config, "cdv"))
    with open(os.path.join(config, "cdv", "ventanas.conf"), "w", encoding="utf-8") as ajustes:
        ajustes.write("[General]\ncolegio=%s (Norte)\n" % base["colegio"])
    entorno = dict(entorno, XDG_CONFIG_HOME=config, WINEXDG_CONFIG_HOME=config)
    hecho = subprocess.run([*cdv, "--tasar", "PE", "100.000"], capture_output=True, text=True,
                           env=entorno, timeout=120)
    assert hecho.returncode == 0 and hecho.stdout.splitlines()[-1] == "238,20", hecho
    hecho = subprocess.run([*cdv, "--exportar-baremo", "-"], capture_output=True, env=entorno,
                           timeout=120)
    assert hecho.returncode == 0 and json.loads(hecho.stdout) == base, hecho
