"""What the reference scripts share: the ok/FAIL lines with their list of
failures, and a run of a native driver on a float32 curve."""

import os
import subprocess
import tempfile

import numpy as np

failures = []


def check(name, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + name + ("" if ok else ": " + detail))
    if not ok:
        failures.append(name)


def driver_output(driver, args, x, y):
    """The driver's output for `args[0] FILE N args[1:]`, FILE holding x then y as float32."""
    with tempfile.NamedTemporaryFile(suffix=".bin", delete=False) as f:
        np.concatenate([x, y]).astype(np.float32).tofile(f)
        path = f.name
    try:
        return subprocess.run([driver, args[0], path, str(len(x))] + args[1:],
                              capture_output=True, text=True, check=True).stdout
    finally:
        os.unlink(path)
