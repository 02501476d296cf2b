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
        subprocess.run([wine_env.WINE64, "wineboot", "-i"], env=env,
                       capture_output=True, check=True, timeout=600)
        # Settings may only change once the first boot has finished.
        subprocess.run([wine_env.WINESERVER, "-w"], env=env, check=True, timeout=600)
        print(f"Wine prefix ready: {prefix}")
    elif action == "stop":
        subprocess.run([wine_env.WINESERVER, "-k"], env=env, capture_output=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
