#!/usr/bin/env python3
"""make PREFIX [BITS]: a fresh Wine prefix for this test run; stop PREFIX: end its
Wine server so nothing lingers after the tests."""
import shutil
import subprocess
import sys

import wine_env


def main():
    action, prefix = sys.argv[1], sys.argv[2]
    if action == "make" and len(sys.argv) > 3:
        wine_env.require_bits(int(sys.argv[3]))
    env = wine_env.environment(prefix)
    if action == "make":
        subprocess.run([wine_env.WINESERVER, "-k"], env=env, capture_output=True)
        shutil.rmtree(prefix, ignore_errors=True)
        subprocess.run([wine_env.WINE_SH, "wineboot", "-i"], env=env, check=True, timeout=600,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        # Settings may only change once the first boot has finished.
        subprocess.run([wine_env.WINESERVER, "-w"], env=env, check=True, timeout=600)
        # One server for the whole run: otherwise each test pays for
        # starting it anew (seconds per Wine call instead of a tenth).
        # Its own output goes nowhere, so that no caller waits on a pipe
        # that the lingering server holds open.
        subprocess.run([wine_env.WINESERVER, "-p"], env=env, check=True, timeout=60,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        print(f"Wine prefix ready: {prefix}")
    elif action == "stop":
        subprocess.run([wine_env.WINESERVER, "-k"], env=env, capture_output=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
