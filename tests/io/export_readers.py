#!/usr/bin/python3
"""Has the portable tests write a comma-separated export, then reads it with
LibreOffice Calc (converted to a flat ODF spreadsheet) and with gnuplot
(plotted into a table), and checks that both find the titles, the headings
and the values the program wrote, to the 7 digits of "%.7G".

Usage: export_readers.py path/to/portable_tests
"""
import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import numpy

OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
TEXT = "urn:oasis:names:tc:opendocument:xmlns:text:1.0"


def calc_rows(path):
    """Cells of the first sheet: numbers as floats, texts as str, empty as None."""
    rows = []
    for row in ET.parse(path).getroot().iter(f"{{{TABLE}}}table-row"):
        cells = []
        for cell in row.iter(f"{{{TABLE}}}table-cell"):
            repeat = int(cell.get(f"{{{TABLE}}}number-columns-repeated", "1"))
            kind = cell.get(f"{{{OFFICE}}}value-type")
            if kind == "float":
                value = float(cell.get(f"{{{OFFICE}}}value"))
            elif kind == "string":
                value = "".join(p.text or "" for p in cell.iter(f"{{{TEXT}}}p"))
            else:
                value = None
            cells += [value] * min(repeat, 8)
        rows.append(cells)
    return rows


def close(a, b):
    return numpy.allclose(a, b, rtol=6e-7, atol=0, equal_nan=True)


def main():
    tests = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        csv = os.path.join(folder, "export.csv")
        expected_path = os.path.join(folder, "expected.txt")
        env = dict(os.environ, MERVA_EXPORT_CSV=csv, MERVA_EXPORT_EXPECTED=expected_path)
        subprocess.run([tests, "--gtest_filter=ExportReaders.*"], env=env, check=True,
                       stdout=subprocess.DEVNULL)
        expected = numpy.loadtxt(expected_path)

        profile = "file://" + os.path.join(folder, "profile")
        subprocess.run(["soffice", f"-env:UserInstallation={profile}", "--headless",
                        "--infilter=CSV:44,34,76,1", "--convert-to", "fods", "--outdir", folder,
                        csv], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300)
        rows = calc_rows(os.path.join(folder, "export.fods"))
        if rows[0][:1] != ['Shot 12, "north" gauge']:
            failures.append(f"LibreOffice title row {rows[0][:2]}")
        if rows[1][:4] != ["Time, s", "gauge 1", None, "gauge 3"]:
            failures.append(f"LibreOffice heading row {rows[1][:4]}")
        data = [r[:4] + [None] * (4 - len(r[:4])) for r in rows[2:2 + len(expected)]]
        calc = numpy.array([[numpy.nan if v is None else v for v in r] for r in data], dtype=float)
        if calc.shape != expected.shape or not close(calc, expected):
            failures.append("LibreOffice read other values")

        # One table per curve; gnuplot writes 6 significant digits.
        for c in (1, 2, 3):
            table = os.path.join(folder, f"gnuplot{c}.txt")
            script = (f'set datafile separator ","\nset table "{table}"\n'
                      f'plot "{csv}" skip 2 using 1:{c + 1} with table\n')
            subprocess.run(["gnuplot"], input=script, text=True, check=True, timeout=120,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            values = numpy.array([[float(f) for f in line.split()[:2]]
                                  for line in open(table)
                                  if line.strip() and not line.startswith("#")])
            want = expected[~numpy.isnan(expected[:, c])][:, [0, c]]
            if values.shape != want.shape or not numpy.allclose(values, want, rtol=1e-5, atol=0):
                failures.append(f"gnuplot read other values for curve {c}")
    for failure in failures:
        print("FAIL:", failure)
    print("CSV export read back by LibreOffice and gnuplot:", "failed" if failures else "ok")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
