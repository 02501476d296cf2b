"""Starts oskavel-sim over a scenario given as text: the one way the test
scripts run the simulator."""
import pathlib
import subprocess
import tempfile


def simulate(sim, scenario, args):
    """Runs SIM over the scenario text with the program's ARGS; returns the
    finished process (status, standard output and standard error)."""
    with tempfile.NamedTemporaryFile("w", suffix=".scenario", delete=False) as f:
        f.write(scenario)
    try:
        return subprocess.run([sim, f.name, *args], capture_output=True)
    finally:
        pathlib.Path(f.name).unlink()
