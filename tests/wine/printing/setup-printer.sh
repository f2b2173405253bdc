#!/usr/bin/env bash
# Starts the print scheduler when it is not running and adds the PDF queue
# "MERVA_PDF" (cups-pdf) when it is missing, at 600 dpi. Prints the folder the PDF
# files appear in. Does nothing harmful when CUPS is not installed.
set -u
queue=MERVA_PDF
command -v cupsd >/dev/null 2>&1 || { echo "no cupsd" >&2; exit 1; }
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
  cupsd 2>/dev/null || ${SUDO:-sudo} cupsd 2>/dev/null
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    sleep 0.1
  done
fi
if ! lpstat -p "$queue" >/dev/null 2>&1; then
  ppd=$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n1)
  [ -n "$ppd" ] || { echo "no cups-pdf driver" >&2; exit 1; }
  lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" >/dev/null 2>&1 ||
    ${SUDO:-sudo} lpadmin -p "$queue" -E -v cups-pdf:/ -P "$ppd" || exit 1
  cupsenable "$queue" 2>/dev/null; cupsaccept "$queue" 2>/dev/null
fi
# 600 dpi, the resolution the page layout is checked at.
lpadmin -p "$queue" -o Resolution=600dpi >/dev/null 2>&1 || true
lpadmin -d "$queue" >/dev/null 2>&1 || true
out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | head -n1)
echo "${out:-/var/spool/cups-pdf}"
