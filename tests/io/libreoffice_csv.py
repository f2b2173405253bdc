#!/usr/bin/python3
"""Makes a spreadsheet as flat ODF text, has LibreOffice Calc write it as
CSV, reads the CSV with pandas, and runs the portable test that imports the
same CSV as a column file and compares the values.

Usage: libreoffice_csv.py path/to/portable_tests
"""
import os
import subprocess
import sys
import tempfile

import numpy
import pandas

HEADINGS = ["Time, ms", "Pressure", "Strain"]
ROWS = [
    [0, 1.5, -2],
    [0.001, -0.5, 1e-3],
    [0.002, 123456.789, 1.5e-7],
    [0.003, -2.25e6, 0.333333333333],
    [0.25, 1e-20, 7],
    [1e5, 42, -0.0625],
]


def cell(value):
    if isinstance(value, str):
        return f'<table:table-cell office:value-type="string"><text:p>{value}</text:p></table:table-cell>'
    return f'<table:table-cell office:value-type="float" office:value="{value!r}"/>'


def fods():
    rows = ["<table:table-row>" + "".join(cell(v) for v in HEADINGS) + "</table:table-row>"]
    rows += ["<table:table-row>" + "".join(cell(v) for v in r) + "</table:table-row>" for r in ROWS]
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet><table:table table:name="Run">
{''.join(rows)}
</table:table></office:spreadsheet></office:body></office:document>
"""


def main():
    tests = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        sheet = os.path.join(folder, "run.fods")
        with open(sheet, "w", encoding="utf-8") as f:
            f.write(fods())
        # A profile of its own, so that another LibreOffice does not interfere.
        profile = "file://" + os.path.join(folder, "profile")
        subprocess.run(["soffice", f"-env:UserInstallation={profile}", "--headless",
                        "--convert-to", "csv", "--outdir", folder, sheet],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=300)
        csv = os.path.join(folder, "run.csv")
        table = pandas.read_csv(csv)
        if list(table.columns) != HEADINGS:
            sys.exit(f"unexpected headings {list(table.columns)}")
        values = table.to_numpy(dtype=numpy.float64)
        # Calc must have written the numbers themselves, not rounded ones.
        if not numpy.allclose(values, numpy.array(ROWS, dtype=numpy.float64), rtol=1e-9):
            sys.exit("LibreOffice wrote other values:\n" + open(csv).read())
        expected = os.path.join(folder, "expected.txt")
        with open(expected, "w") as f:
            f.write(f"{values.shape[0]} {values.shape[1]}\n")
            for row in values:
                f.write(" ".join(repr(float(v)) for v in row) + "\n")
        env = dict(os.environ, MERVA_LIBREOFFICE_CSV=csv, MERVA_LIBREOFFICE_EXPECTED=expected)
        result = subprocess.run([tests, "--gtest_filter=LibreOfficeCsv.*"], env=env)
        sys.exit(result.returncode)


if __name__ == "__main__":
    main()
