#!/usr/bin/env bash
# Signs a Windows program, installer or MSI in place (Authenticode, SHA-256, with osslsigncode)
# when CDV_FIRMA_CERTIFICADO and CDV_FIRMA_CLAVE name a code-signing certificate and its private
# key (PEM or DER), CDV_FIRMA_CONTRASENA, if given, a file holding the key's password. The
# signature is timestamped by CDV_FIRMA_SELLO (an RFC 3161 server; by default DigiCert's; empty:
# none) when the server answers, so that it outlives the certificate. Without a certificate it
# does nothing: the build stays unsigned. Usage: tools/firmar.sh FILE
set -euo pipefail
archivo=$1
[ -n "${CDV_FIRMA_CERTIFICADO:-}" ] || exit 0
[ -n "${CDV_FIRMA_CLAVE:-}" ] || { echo "firmar: falta CDV_FIRMA_CLAVE, la clave del certificado" >&2; exit 1; }
opciones=(-certs "$CDV_FIRMA_CERTIFICADO" -key "$CDV_FIRMA_CLAVE" -h sha256 -n "CDV-TORVEL")
[ -z "${CDV_FIRMA_CONTRASENA:-}" ] || opciones+=(-readpass "$CDV_FIRMA_CONTRASENA")
sello=${CDV_FIRMA_SELLO-http://timestamp.digicert.com}
firmado=$archivo.firmado
rm -f "$firmado"
if [ -z "$sello" ] ||
    ! timeout 60 osslsigncode sign "${opciones[@]}" -ts "$sello" -in "$archivo" -out "$firmado" >/dev/null 2>&1; then
    [ -z "$sello" ] || echo "firmar: $sello no responde; $(basename "$archivo") va firmado sin sello de tiempo" >&2
    rm -f "$firmado"
    osslsigncode sign "${opciones[@]}" -in "$archivo" -out "$firmado" >/dev/null
fi
mv "$firmado" "$archivo"
