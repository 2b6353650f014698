#!/usr/bin/env python3
"""The native main window under Wine through one whole run, beside the Linux corvano-cli.

Usage: window_run_under_wine.py WINE WINDOW_RUN_EXE LINUX_CLI EXAMPLES_FOLDER

The window is driven as a user would drive it (main-window-run types the texts, presses
生成文件, answers the box, saves the HTML list through the save
dialog and closes the window) against examples/list-page.html on a loopback server. The Linux
corvano-cli runs on the same page with the same texts. Every shortcut file (name and bytes)
and the HTML list must be the same; the window must show only the success box, offer the one
file type, and keep its texts in db.dat.
"""
import os
import shutil
import subprocess
import sys
import tempfile

import loopback_pages


def windows_path(path):
    # As the user would type it into the window and its save dialog.
    return loopback_pages.windows_path(path).replace("/", "\\")


wine, window_run, linux_cli, examples = sys.argv[1:5]
server, base = loopback_pages.start(examples)
scratch = tempfile.mkdtemp(prefix="corvano-window-")
texts = {
    "url": base + "/list-page.html",
    "template": "[InternetShortcut]\nURL=",
    "start": '<ul class="news">',
    "end": "</ul>",
    "contains": ".html",
    "replace": "/news/",
    # The rewrite makes the addresses whole. ("补全相对网址" would too, but Wine's WinHTTP
    # cannot tell the address a page finally came from, which it completes against.)
    "with": base + "/news/a/",
}


def folder(system, *names):
    path = os.path.join(scratch, system, *names)
    os.makedirs(path, exist_ok=True)
    return path


def outputs(system):
    """The shortcut files by name, and the HTML list under "<html list>"."""
    links = folder(system, "links")
    files = {name: open(os.path.join(links, name), "rb").read() for name in sorted(os.listdir(links))}
    html = os.path.join(scratch, system, "list.html")
    if os.path.exists(html):
        files["<html list>"] = open(html, "rb").read()
    return files


problems = []

linux = subprocess.run(
    [linux_cli, "--url", texts["url"], "--folder", folder("linux", "links") + "/",
     "--template", texts["template"], "--start", texts["start"], "--end", texts["end"],
     "--contains", texts["contains"], "--replace", texts["replace"], "--with", texts["with"],
     "--settings", os.path.join(folder("linux"), "db.dat"),
     "--html", os.path.join(folder("linux"), "list.html")],
    capture_output=True, timeout=120)
if linux.returncode != 0:
    problems.append("corvano-cli exited %d: %r" % (linux.returncode, linux.stderr[:300]))

program = folder("windows", "program")
window = subprocess.run(
    [wine, window_run, windows_path(program), windows_path(os.path.join(folder("windows"), "list.html")),
     "0", texts["url"], windows_path(folder("windows", "links")) + "\\", texts["template"],
     texts["start"], texts["end"], texts["contains"], texts["replace"], texts["with"]],
    capture_output=True, timeout=120)
shown = window.stdout.decode("utf-8", "replace").splitlines()
expected = ["box: URL生成: 恭喜，URL文件生成完毕！", "save dialog: [静态网页(*.HTML)]", "window: closed"]
if window.returncode != 0 or shown != expected:
    problems.append("the window run exited %d and showed %r" % (window.returncode, shown))

linux_files, windows_files = outputs("linux"), outputs("windows")
shortcuts = len([name for name in windows_files if name.endswith(".url")])
if shortcuts == 0 or "<html list>" not in windows_files:
    problems.append("the window wrote %d shortcut files and %s HTML list"
                    % (shortcuts, "an" if "<html list>" in windows_files else "no"))
for name in sorted(set(linux_files) | set(windows_files)):
    if linux_files.get(name) != windows_files.get(name):
        problems.append("%s differs: Linux %r, window %r"
                        % (name, linux_files.get(name, b"<none>")[:120],
                           windows_files.get(name, b"<none>")[:120]))

db = os.path.join(program, "db.dat")
saved = open(db, "rb").read() if os.path.exists(db) else b""
if not saved.startswith(b"CURL") or texts["url"].encode() not in saved:
    problems.append("db.dat does not hold the texts: %r" % saved[:80])

print("window run under Wine: %d shortcut files and the HTML list %s the Linux corvano-cli's"
      % (shortcuts, "byte for byte equal to" if not problems else "checked against"))
for problem in problems:
    print("    " + problem)
shutil.rmtree(scratch, ignore_errors=True)
server.shutdown()
sys.exit(1 if problems else 0)
