"""A place to run Windows programs from Linux: an Xvfb display of its own and a fresh 32-bit
Wine prefix whose programs share one 1024x768 virtual desktop (where display modes can
change). Used by the end-to-end tests and the benchmark, with the helpers' record files."""
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path


class Wine:
    """An Xvfb display and a fresh 32-bit Wine prefix whose programs run in a virtual
    desktop, so that display modes can change."""

    def __init__(self):
        self.root = Path(tempfile.mkdtemp(prefix="launcher-wine-"))
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as display:
            number = display.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env = dict(os.environ, DISPLAY=":" + number, WINEPREFIX=str(self.root / "prefix"),
                        WINEARCH="win32", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.drive = self.root / "prefix" / "drive_c"
        self.run(["wineboot", "-i"], timeout=300)
        for key, name, value in [(r"HKCU\Software\Wine\Explorer", "Desktop", "Default"),
                                 (r"HKCU\Software\Wine\Explorer\Desktops", "Default", "1024x768")]:
            self.run(["reg", "add", key, "/v", name, "/d", value, "/f"], timeout=60)
        self.stop_all()

    def start(self, args, cwd=None, env=None):
        return subprocess.Popen(["wine"] + [str(a) for a in args], cwd=cwd,
                                env=dict(self.env, **(env or {})),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, args, cwd=None, env=None, timeout=30):
        process = self.start(args, cwd, env)
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            raise AssertionError(f"{args[0]} did not end within {timeout} s")

    def stop_all(self):
        """Ends every process in the prefix, which also takes the display back to 1024x768."""
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=30)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=30)

    def close(self):
        self.stop_all()
        self.xvfb.terminate()
        self.xvfb.wait(10)
        shutil.rmtree(self.root, ignore_errors=True)


def read_record(path):
    """The "key=value" lines of a helper's record file; a later line wins."""
    record = {}
    if path.exists():
        for line in path.read_bytes().split(b"\n"):
            key, sep, value = line.partition(b"=")
            if sep:
                record[key.decode()] = value.decode("latin-1").rstrip("\r")
    return record


def wait_for_record(path, key, timeout=15):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        record = read_record(path)
        if key in record:
            return record
        time.sleep(0.05)
    raise AssertionError(f"{path.name} has no {key!r} after {timeout} s: {read_record(path)}")
