#!/usr/bin/env python3
"""corvano-cli.exe under Wine against loopback servers, beside the Linux corvano-cli.

Usage: cli_under_wine.py WINE WINDOWS_EXE LINUX_EXE EXAMPLES_FOLDER

Each case runs both programs on the same page; the shortcut files (names and bytes), the HTML
list, what they print and their exit codes must be the same. Prints the time of the sample
run on each, and Wine's own start-up time apart.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from loopback_pages import windows_path
import loopback_pages

wine, windows_exe, linux_exe, examples = sys.argv[1:5]
server, base = loopback_pages.start(examples)
scratch = tempfile.mkdtemp(prefix="corvano-wine-")
failures = []


def run(system, name, url, start='<ul class="news">', extra=(), subfolder=""):
    """Runs one program on one case in a fresh folder; returns (exit code, output, files).

    With a subfolder, the shortcuts go there, below "links", and the Windows program is
    given the folder with "\\" throughout, as the folder picker gives it."""
    folder = os.path.join(scratch, system, name)
    links = os.path.join(folder, "links", subfolder) if subfolder else os.path.join(folder, "links")
    os.makedirs(links, exist_ok=True)
    program = os.path.join(folder, "bin")
    os.makedirs(program)
    exe = os.path.join(program, os.path.basename(windows_exe if system == "windows" else linux_exe))
    # The Windows program alone, as the archive ships it: no DLL beside it.
    shutil.copy(windows_exe if system == "windows" else linux_exe, exe)
    open(os.path.join(folder, "template"), "wb").write(b"[InternetShortcut]\nURL=")
    to_arg = windows_path if system == "windows" else (lambda p: p)
    target = to_arg(links) + "/"
    if subfolder and system == "windows":
        target = target.replace("/", "\\")
    arguments = [
        "--url", url, "--folder", target,
        "--template-file", to_arg(os.path.join(folder, "template")),
        "--start", start, "--end", "</ul>", "--contains", ".html",
        "--settings", to_arg(os.path.join(folder, "db.dat")),
        "--html", to_arg(os.path.join(folder, "list.html")),
    ] + [a if not a.startswith("/") else to_arg(a) for a in extra]
    command = ([wine, exe] if system == "windows" else [exe]) + arguments
    began = time.monotonic()
    result = subprocess.run(command, capture_output=True, timeout=120)
    elapsed = time.monotonic() - began
    files = {}
    for root in (links,):
        for entry in sorted(os.listdir(root)):
            path = os.path.join(root, entry)
            files[entry] = open(path, "rb").read() if os.path.isfile(path) else "<folder>"
    html = os.path.join(folder, "list.html")
    if os.path.exists(html):
        files["<html list>"] = open(html, "rb").read()
    return result.returncode, result.stdout, files, elapsed


def case(name, url, expected_code, start='<ul class="news">', extra=(), prepare=None,
         subfolder="", expected_files=None):
    outcomes = {}
    for system in ("linux", "windows"):
        if prepare:
            prepare(os.path.join(scratch, system, name))
        outcomes[system] = run(system, name, url, start, extra, subfolder)
    linux, windows = outcomes["linux"], outcomes["windows"]
    problems = []
    if linux[0] != expected_code or windows[0] != expected_code:
        problems.append("exit codes %d (Linux) and %d (Windows), expected %d"
                        % (linux[0], windows[0], expected_code))
    if linux[2] != windows[2]:
        problems.append("the files differ: Linux %s, Windows %s"
                        % (sorted(linux[2]), sorted(windows[2])))
    if expected_files is not None:
        for system in ("linux", "windows"):
            names = sorted(f for f in outcomes[system][2] if f.endswith(".url"))
            if names != sorted(expected_files):
                problems.append("%s wrote %s, expected %s" % (system, names, expected_files))
    if linux[1] != windows[1]:
        problems.append("the output differs: %r / %r" % (linux[1][:200], windows[1][:200]))
    status = "ok" if not problems else "FAILED"
    shortcuts = len([f for f in windows[2] if f.endswith(".url")])
    print("%-16s %s  (%d shortcut files, byte for byte %s)"
          % (name, status, shortcuts, "equal" if linux[2] == windows[2] else "DIFFERENT"))
    for problem in problems:
        print("    " + problem)
        failures.append(name)
    return outcomes


def occupy(folder):
    # A folder where the first shortcut file must go makes the write fail.
    os.makedirs(os.path.join(folder, "links", "春节假期安排通知.url"))


outcomes = case("sample page", base + "/list-page.html", 0)
case("GBK page", base + "/gbk.html", 0)
case("redirect", base + "/moved", 0)
# Relative addresses completed against the page's address, which Wine's WinHTTP cannot tell.
case("completed", base + "/list-page.html", 0, extra=("--absolute",))
case("no start string", base + "/list-page.html", 3, start="<ol class=none>")
case("write failure", base + "/list-page.html", 4, prepare=occupy)
case("time-out", base + "/stall", 2, extra=("--timeout", "1"))
# A folder as the picker gives it, with "\", whose path is long: only the name counts against
# the name limit, so titles that share their first 40 characters keep their full names.
case("picked folder", base + "/long-titles.html", 0, subfolder="研" * 40,
     expected_files=[loopback_pages.SHARED_TITLE + tail + ".url"
                     for tail in ("第一部分", "第二部分", "第三部分")])
# "\" in a relative address is a path separator, as browsers read it; characters beyond
# ASCII come out percent-encoded the same way on both systems.
case("backslash", base + "/backslash.html", 0, extra=("--absolute",))
case("cut off", base + "/cut-off", 2)


def suggest(name, url, expected_code):
    """--suggest on both systems: the same options line, the same exit code."""
    results = {}
    for system, exe in (("linux", linux_exe), ("windows", windows_exe)):
        folder = os.path.join(scratch, system, name)
        os.makedirs(folder, exist_ok=True)
        to_arg = windows_path if system == "windows" else (lambda p: p)
        command = ([wine] if system == "windows" else []) + [
            exe, "--suggest", "--url", url,
            "--settings", to_arg(os.path.join(folder, "db.dat"))]
        results[system] = subprocess.run(command, capture_output=True, timeout=120)
    linux, windows = results["linux"], results["windows"]
    ok = (linux.returncode == windows.returncode == expected_code
          and linux.stdout == windows.stdout)
    print("%-16s %s  (%r)" % (name, "ok" if ok else "FAILED", windows.stdout.strip()[:80]))
    if not ok:
        print("    exit codes %d (Linux) and %d (Windows), expected %d; output %r / %r"
              % (linux.returncode, windows.returncode, expected_code, linux.stdout,
                 windows.stdout))
        failures.append(name)


suggest("suggest", base + "/list-page.html", 0)
suggest("suggest GBK", base + "/gbk.html", 0)



def quickest(command, times=3):
    best = None
    for _ in range(times):
        began = time.monotonic()
        subprocess.run(command, capture_output=True, timeout=120)
        elapsed = time.monotonic() - began
        best = elapsed if best is None else min(best, elapsed)
    return best


# Wine's own start-up: the quickest of a few runs of an empty command, the server warm.
wine_start = quickest([wine, "cmd", "/c", "exit"])
version_start = quickest([wine, windows_exe, "--version"])
print("time of the sample page: Linux %.3f s, Windows under Wine %.3f s; Wine's start-up "
      "(`wine cmd /c exit`) %.3f s, corvano-cli.exe --version under Wine %.3f s"
      % (outcomes["linux"][3], outcomes["windows"][3], wine_start, version_start))
shutil.rmtree(scratch, ignore_errors=True)
server.shutdown()
sys.exit(1 if failures else 0)
