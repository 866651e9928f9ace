#!/usr/bin/env python3
"""End-to-end tests of the real 32-bit launcher under Wine.

Each test puts launcher.exe and a title program of ours (as D.EXE) into a folder on the
Wine drive, states the world with helper programs of ours (the runtime's registry entries
and files, a fake installer, a player window, the user's answer to the prompt, a log-off)
and reads what the title, the installer and the player recorded. The suite runs in a fresh
32-bit Wine prefix with a 1024x768 virtual desktop on its own Xvfb display; every wait has a
timeout, and every Wine process is stopped after each test.

usage: e2e.py [BUILD_DIR] [unittest options]   (BUILD_DIR defaults to build/win32)
"""
import os
import shutil
import subprocess
import sys
import time
import unittest
from pathlib import Path

from wineenv import Wine, read_record, wait_for_record

BUILD = Path(sys.argv.pop(1) if len(sys.argv) > 1 and not sys.argv[1].startswith("-")
             else "build/win32").resolve()
HELPERS = BUILD / "helpers"

PROMPT_TEXT = b"Our program required Apple QuickTime\r\rInstall now?"
SC_SIZE, SC_MOVE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE, SC_RESTORE = (
    0xF000, 0xF010, 0xF020, 0xF030, 0xF060, 0xF120)
WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU = 0x80000000, 0x10000000, 0x00C00000, 0x00080000
WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX = 0x00040000, 0x00020000, 0x00010000
# What the launcher's fixed pause lasts, less the clocks' granularity.
SETTLE_MS = 3000 - 20


wine = None


def setUpModule():
    global wine
    wine = Wine()


def tearDownModule():
    if wine is not None:
        wine.close()


class LauncherTest(unittest.TestCase):
    """A folder C:\\e2e\\<test> holding launcher.exe and the title as D.EXE, and a registry
    without the runtime."""

    def setUp(self):
        self.name = self.id().rsplit(".", 1)[-1]
        self.folder = wine.drive / "e2e" / self.name
        shutil.rmtree(self.folder, ignore_errors=True)
        self.folder.mkdir(parents=True)
        self.windows_folder = "C:\\e2e\\" + self.name
        self.runtime = self.folder / "runtime"
        self.runtime.mkdir()
        self.helpers = wine.drive / "e2e" / "helpers"
        if not self.helpers.exists():
            shutil.copytree(HELPERS, self.helpers)
        shutil.copy(BUILD / "launcher.exe", self.folder / "launcher.exe")
        shutil.copy(HELPERS / "title.exe", self.folder / "D.EXE")
        self.env = {
            "E2E_HELPERS": "C:\\e2e\\helpers",
            "E2E_TITLE_RECORD": self.windows_path("title.txt"),
            "E2E_INSTALLER_RECORD": self.windows_path("installer.txt"),
            "E2E_PLAYER_RECORD": self.windows_path("player.txt"),
            "E2E_PROBE_RECORD": self.windows_path("probe.txt"),
        }
        self.processes = []
        self.addCleanup(self.stop_everything)
        self.helper("installer.exe", "unregister")

    def stop_everything(self):
        wine.stop_all()
        for process in self.processes:
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def windows_path(self, name):
        return self.windows_folder + "\\" + name

    def helper(self, program, *args, timeout=30):
        return wine.run([self.helpers / program, *args], cwd=self.folder, env=self.env,
                        timeout=timeout)

    def start_helper(self, program, *args):
        return self.started(wine.start([self.helpers / program, *args], cwd=self.folder,
                                       env=self.env))

    def started(self, process):
        self.processes.append(process)
        return process

    def runtime_path(self, name):
        """A runtime file's path in this test's folder, written with "/" as the registry
        lists it."""
        return "C:/e2e/" + self.name + "/runtime/" + name

    def register_runtime(self, *paths):
        """Creates the files and lists them, as the runtime's installer does."""
        self.assertEqual(self.helper("installer.exe", "register=" + "|".join(paths)), 0)

    def list_runtime(self, *paths):
        """Lists the paths and creates nothing."""
        self.assertEqual(self.helper("installer.exe", "list=" + "|".join(paths)), 0)

    def add_installer(self, steps):
        (self.folder / "QT_F").mkdir()
        shutil.copy(HELPERS / "installer.exe", self.folder / "QT_F" / "QT32.EXE")
        self.env["E2E_INSTALLER"] = steps

    def start_launcher(self, name="launcher.exe", minimised=False):
        """Starts the launcher from its folder; minimised as a shortcut set to "minimised"
        would start it."""
        if name != "launcher.exe":
            shutil.move(self.folder / "launcher.exe", self.folder / name)
        if minimised:
            return self.start_helper("spawn.exe", name)
        return self.started(wine.start([name], cwd=self.folder, env=self.env))

    def answer_prompt(self, button, timeout=15):
        out = self.folder / "prompt.txt"
        self.assertEqual(self.helper("answer.exe", "Sorry...", button, self.windows_path("prompt.txt"),
                                     timeout * 1000), 0, "no prompt appeared")
        return read_record(out)

    def assert_exits(self, launcher, code, timeout=30):
        try:
            self.assertEqual(launcher.wait(timeout), code)
        except subprocess.TimeoutExpired:
            self.fail(f"the launcher did not end within {timeout} s")

    def title_record(self):
        return wait_for_record(self.folder / "title.txt", "player_window")

    def record(self, name, key):
        return wait_for_record(self.folder / name, key)


class PresentPath(LauncherTest):
    def test_at_1024_switches_to_640x480_at_the_deepest_depth_and_starts_the_title(self):
        self.register_runtime(self.runtime_path("QuickTime.qts"), self.runtime_path("QTIM32.DLL"))
        launcher = self.start_launcher(minimised=True)
        self.assert_exits(launcher, 0)
        title = self.title_record()
        # Wine's virtual desktop offers 32, 16 and 8 bits per pixel at 640x480.
        self.assertEqual(title["mode"], "640x480x32")
        self.assertEqual(title["command_line"], "D.EXE")
        self.assertEqual(title["directory"], self.windows_folder)
        self.assertEqual(title["startup_flags"], "0",
                         "the launcher's own startup settings must not reach the title here")

    def test_at_640_wide_leaves_the_display_alone(self):
        self.register_runtime(self.runtime_path("QuickTime.qts"))
        # Wine's virtual desktop always reports 32 bits per pixel, so the height shows whether
        # the launcher left the mode alone: only the width is compared.
        self.assertEqual(self.helper("setmode.exe", "640", "400", "32"), 0)
        self.assert_exits(self.start_launcher(), 0)
        self.assertEqual(self.title_record()["mode"], "640x400x32")

    def test_files_found_by_pattern_or_dated_before_1980_count_as_present(self):
        (self.runtime / "QuickTime.qts").write_bytes(b"")
        (self.runtime / "Old.dll").write_bytes(b"")
        os.utime(self.runtime / "Old.dll", (0, 2 * 365 * 86400))  # 1972
        self.list_runtime(self.runtime_path("Quick*.qts"), self.runtime_path("Old.dll"))
        self.assert_exits(self.start_launcher(), 0)
        self.assertEqual(self.title_record()["mode"], "640x480x32")

    def test_a_title_that_cannot_start_ends_the_launcher_with_2(self):
        self.register_runtime(self.runtime_path("QuickTime.qts"))
        (self.folder / "D.EXE").unlink()
        self.assert_exits(self.start_launcher(), 2)


class AbsentPath(LauncherTest):
    def test_no_beeps_prompts_pauses_and_starts_the_title_with_the_launchers_settings(self):
        launcher = self.start_launcher(minimised=True)
        prompt = self.answer_prompt("no")
        self.assert_exits(launcher, 0)
        self.assertEqual(bytes.fromhex(prompt["text_hex"]), PROMPT_TEXT)
        self.assertEqual(prompt["buttons"], "&Yes,&No")
        self.assertEqual(prompt["icons"], "1")
        self.assertEqual(prompt["owner"], "0")
        title = self.title_record()
        self.assertEqual(title["mode"], "1024x768x32", "no switch while the runtime is absent")
        self.assertEqual((title["startup_flags"], title["startup_show"]), ("1", "7"),
                         "a minimised start reaches the title on this path")
        self.assertGreaterEqual(int(title["started"]) - int(prompt["answered_at"]), SETTLE_MS)

    def test_yes_runs_the_installer_waits_for_it_and_its_player_then_switches(self):
        self.add_installer("wait=1000;register=" + self.runtime_path("QuickTime.qts") + ";player=2500")
        launcher = self.start_launcher(minimised=True)
        self.answer_prompt("yes")
        self.assert_exits(launcher, 0, timeout=40)
        installer = self.record("installer.txt", "ended")
        player = self.record("player.txt", "closed")
        title = self.title_record()
        self.assertEqual((installer["startup_flags"], installer["startup_show"]), ("1", "7"))
        self.assertGreaterEqual(int(title["started"]) - int(installer["ended"]), SETTLE_MS)
        self.assertGreaterEqual(int(title["started"]), int(player["closed"]))
        self.assertEqual(title["player_window"], "0")
        self.assertEqual(title["mode"], "640x480x32", "the recheck finds the runtime")

    def test_yes_without_an_installer_still_starts_the_title(self):
        launcher = self.start_launcher()
        prompt = self.answer_prompt("yes")
        self.assert_exits(launcher, 0)
        title = self.title_record()
        self.assertEqual(title["mode"], "1024x768x32")
        self.assertGreaterEqual(int(title["started"]) - int(prompt["answered_at"]), SETTLE_MS)

    def test_an_installer_that_exits_with_259_ends_the_wait(self):
        self.add_installer("wait=500;exit=259")
        launcher = self.start_launcher()
        self.answer_prompt("yes")
        self.assert_exits(launcher, 0)
        installer = self.record("installer.txt", "ended")
        self.assertGreaterEqual(int(self.title_record()["started"]) - int(installer["ended"]),
                                SETTLE_MS)

    def test_a_player_window_opened_before_the_launcher_holds_the_title_back(self):
        self.start_helper("player.exe", "6000")
        self.record("player.txt", "opened")
        launcher = self.start_launcher()
        self.answer_prompt("no")
        self.assert_exits(launcher, 0)
        title = self.title_record()
        self.assertGreaterEqual(int(title["started"]),
                                int(self.record("player.txt", "closed")["closed"]))
        self.assertEqual(title["player_window"], "0")

    def test_a_listed_directory_is_not_a_file(self):
        (self.runtime / "Folder").mkdir()
        self.register_runtime(self.runtime_path("QuickTime.qts"))
        self.list_runtime(self.runtime_path("Folder"))
        launcher = self.start_launcher()
        self.answer_prompt("no")
        self.assert_exits(launcher, 0)
        self.assertEqual(self.title_record()["mode"], "1024x768x32")

    def test_end_of_session_during_the_installer_wait_ends_the_launcher_with_0(self):
        self.add_installer("wait=60000")
        launcher = self.start_launcher()
        self.answer_prompt("yes")
        self.record("installer.txt", "started")
        self.assertEqual(self.helper("endsession.exe", "5000"), 0)
        self.assert_exits(launcher, 0, timeout=10)
        time.sleep(4)  # longer than the pause that would have come before the title
        self.assertFalse((self.folder / "title.txt").exists(), "the title must not start")

    def test_end_of_session_at_the_prompt_ends_the_launcher_with_0(self):
        launcher = self.start_launcher()
        self.assertEqual(self.helper("endsession.exe", "10000"), 0)
        self.assert_exits(launcher, 0, timeout=10)
        time.sleep(4)
        self.assertFalse((self.folder / "title.txt").exists(), "the title must not start")


class ApplicationWindow(LauncherTest):
    def test_window_while_the_prompt_is_open(self):
        launcher = self.start_launcher("MyLaunch.v2.EXE")
        self.assertEqual(self.helper("inspect.exe", self.windows_path("window.txt"), "15000"), 0)
        window = read_record(self.folder / "window.txt")
        self.answer_prompt("no")
        self.assert_exits(launcher, 0)

        self.assertEqual(window["caption"], "Mylaunch")
        style = int(window["style"], 16)
        for bit in (WS_POPUP, WS_VISIBLE, WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX):
            self.assertTrue(style & bit, f"style {style:#x} lacks {bit:#x}")
        for bit in (WS_THICKFRAME, WS_MAXIMIZEBOX):
            self.assertFalse(style & bit, f"style {style:#x} has {bit:#x}")
        self.assertEqual(window["rect"], "512,384,512,384", "zero size at the screen's centre")
        self.assertEqual((window["owner"], window["parent"]), ("0", "0"))
        self.assertEqual(window["exists_after_close"], "1", "a close request is ignored")
        self.assertEqual(window["iconic_after_minimise"], "1")
        self.assertEqual(window["iconic_after_restore"], "0")

    def test_system_menu_and_icon(self):
        self.assertEqual(self.helper("windowprobe.exe"), 0)
        probe = read_record(self.folder / "probe.txt")
        items = {int(item, 16) for item in probe["system_menu"].split(",") if item}
        self.assertLessEqual({SC_MINIMIZE, SC_RESTORE, SC_CLOSE}, items)
        self.assertFalse({SC_MAXIMIZE, SC_SIZE, SC_MOVE} & items, f"menu items {items}")
        self.assertEqual(probe["class_icon"], "32x32")
        self.assertEqual(probe["class_icon_is_main"], "1")


class ErrorBox(LauncherTest):
    def test_a_fault_shows_the_error_box_and_ends_with_1(self):
        faulty = self.start_helper("faulty.exe")
        self.assertEqual(self.helper("answer.exe", "Application Error", "ok",
                                     self.windows_path("box.txt"), "15000"), 0)
        self.assertEqual(faulty.wait(15), 1)
        box = read_record(self.folder / "box.txt")
        self.assertRegex(bytes.fromhex(box["text_hex"]).decode(),
                         r"\AException AccessViolation in module faulty\.exe at [0-9A-F]{8}\.\n"
                         r"Access violation writing address 00000000\.\Z")
        self.assertEqual((box["buttons"], box["icons"], box["owner"]), ("OK", "1", "0"))


class Executable(unittest.TestCase):
    """The shipped file itself, read from the Linux side."""

    SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "ADVAPI32.DLL", "GDI32.DLL", "SHELL32.DLL",
                   "MSVCRT.DLL"}

    def setUp(self):
        import pefile
        self.pe = pefile.PE(str(BUILD / "launcher.exe"))
        self.addCleanup(self.pe.close)

    def test_a_small_32_bit_gui_program_that_needs_only_windows_own_dlls(self):
        self.assertEqual(self.pe.FILE_HEADER.Machine, 0x14C)  # i386
        self.assertEqual(self.pe.OPTIONAL_HEADER.Magic, 0x10B)  # PE32
        self.assertEqual(self.pe.OPTIONAL_HEADER.Subsystem, 2)  # Windows GUI
        dlls = {entry.dll.decode().upper() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertLessEqual(dlls, self.SYSTEM_DLLS)
        self.assertLess((BUILD / "launcher.exe").stat().st_size, 64 * 1024)

    def icon_group(self, name):
        """The (width, height, colours, bits per pixel) of each picture in an icon group."""
        for kind in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            if kind.id != 14:  # RT_GROUP_ICON
                continue
            for group in kind.directory.entries:
                if str(group.name) == name:
                    data_entry = group.directory.entries[0].data.struct
                    data = self.pe.get_data(data_entry.OffsetToData, data_entry.Size)
                    count = int.from_bytes(data[4:6], "little")
                    return [(data[6 + 14 * i], data[7 + 14 * i], data[8 + 14 * i],
                             int.from_bytes(data[12 + 14 * i:14 + 14 * i], "little"))
                            for i in range(count)]
        return None

    def test_icons(self):
        self.assertEqual(self.icon_group("MAINICON"), [(32, 32, 16, 4)])
        groups = [str(group.name) for kind in self.pe.DIRECTORY_ENTRY_RESOURCE.entries
                  if kind.id == 14 for group in kind.directory.entries]
        self.assertEqual(len(groups), 2, groups)
        other = next(name for name in groups if name != "MAINICON")
        self.assertEqual(self.icon_group(other), [(16, 16, 16, 4)])

    def test_version_record(self):
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x00010000, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010000, 0))
        self.assertEqual(fixed.FileFlags, 0)
        self.assertEqual(fixed.FileOS, 0x00040004)  # VOS_NT_WINDOWS32
        self.assertEqual(fixed.FileType, 1)  # VFT_APP
        tables, translations = {}, []
        for info in self.pe.FileInfo[0]:
            if info.Key == b"StringFileInfo":
                tables = {table.LangID: table.entries for table in info.StringTable}
            elif info.Key == b"VarFileInfo":
                translations = [var.entry for var in info.Var]
        self.assertEqual(list(tables), [b"040904E4"])
        self.assertEqual(tables[b"040904E4"][b"FileVersion"], b"1.00")
        self.assertEqual(translations, [{b"Translation": "0x0409 0x04e4"}])


if __name__ == "__main__":
    unittest.main(verbosity=2)
