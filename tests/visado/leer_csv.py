"""The fee statement as a spreadsheet, written by `cdv --csv` and read back with Python's
own CSV reader: every field and the total are the request's. A file that cannot be opened,
or a place that cannot be written, ends with a message and a status that says which."""
import csv
import os
import subprocess
import sys
import tempfile

cdv, solicitud = sys.argv[1], sys.argv[2]
esperadas = [
    ["Referencia", "Descripción", "Cantidad", "Unidad", "Cuota"],
    ["AAP", "Acta de aprobación del plan de seguridad y salud", "3", "Ud.", "79,49"],
    ["P", "Proyecto, descontado el Anteproyecto", "", "", "256,15"],
    ["INAC", "Climatización/Aire acondicionado", "300", "kW(T)", "296,50"],
    ["DVPG", "Aparatos a presión o a gas de tipo único o en serie", "1", "Ud.", "45,04"],
    ["", "Total CDV", "", "", "335,64"],
]
with tempfile.TemporaryDirectory() as carpeta:
    salida = os.path.join(carpeta, "liquidacion.csv")
    hecho = subprocess.run([cdv, "--csv", salida, solicitud], capture_output=True, text=True)
    assert hecho.returncode == 0, hecho.stderr
    with open(salida, newline="", encoding="utf-8-sig") as archivo:
        filas = list(csv.reader(archivo, delimiter=";"))
    assert filas == esperadas, filas
    for argumentos, estado, mensaje in [
        ([salida, os.path.join(carpeta, "no-existe.cdv")], 1, "no se puede abrir"),
        ([carpeta, solicitud], 2, "no se puede escribir"),
    ]:
        fallo = subprocess.run([cdv, "--csv", *argumentos], capture_output=True, text=True)
        assert fallo.returncode == estado and mensaje in fallo.stderr, fallo.stderr
