#!/usr/bin/python3
"""Plays a scenario of key presses against the program and records, after each key, the lines
Orca's debug log says it would speak (SPEECH OUTPUT) and any X bell (given a log of them).

Scenario lines:
  ## LABEL          a new step
  keys K1 K2 ...    xdotool key names, one after the other, each followed by --pause seconds
  type TEXT         (unused)
  pause N           wait N seconds, then record what was spoken meanwhile
  shot NAME         screenshot of the whole screen to OUT/NAME.png
  sh CMD            run a shell command (e.g. write a bad position file)
  focuswin          give the X focus to the Form1 window (what a window manager does)
  query             record the name of the focused board square, read over AT-SPI
  note TEXT         a note in the transcript
"""
import argparse
import json
import os
import re
import subprocess
import sys
import time

SPEECH = re.compile(r"^([0-9:.]+) - SPEECH OUTPUT: (.*)$")


class Tail:
    def __init__(self, path):
        self.path, self.pos = path, 0

    def new_lines(self):
        try:
            with open(self.path, errors="replace") as f:
                f.seek(self.pos)
                data = f.read()
                # keep an unfinished last line for next time
                cut = data.rfind("\n") + 1
                self.pos += len(data[:cut].encode("utf-8", "replace"))
                return data[:cut].splitlines()
        except OSError:
            return []


def x(cmd, **kw):
    return subprocess.run(cmd, capture_output=True, text=True, timeout=10, **kw)


def find_window(pid, title="Form1", wait=40):
    end = time.monotonic() + wait
    while time.monotonic() < end:
        out = x(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"]).stdout.split()
        if out:
            return out[0]
        time.sleep(0.25)
    return None


def query_focus(pid):
    """The focused object of the program over AT-SPI: its role and name."""
    try:
        import pyatspi
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None or app.get_process_id() != pid:
                continue
            todo = [app]
            found = []
            n = 0
            while todo and n < 400:
                obj = todo.pop(0)
                n += 1
                try:
                    st = obj.getState()
                    if st.contains(pyatspi.STATE_FOCUSED):
                        found.append(f"{obj.getRoleName()}: {obj.name!r}")
                    if obj.getRoleName() in ("table",):
                        t = obj.queryTable()
                        for r in range(t.nRows):
                            for c in range(t.nColumns):
                                cell = t.getAccessibleAt(r, c)
                                if cell.getState().contains(pyatspi.STATE_FOCUSED):
                                    found.append(f"cell: {cell.name!r}")
                        continue
                    for j in range(min(obj.childCount, 100)):
                        todo.append(obj.getChildAtIndex(j))
                except Exception:
                    pass
            return "; ".join(found) or "(nothing focused)"
    except Exception as exc:
        return f"(query failed: {exc})"
    return "(program not on the bus)"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--pid", type=int, required=True)
    ap.add_argument("--orca-log", required=True)
    ap.add_argument("--bell-log", required=True)
    ap.add_argument("--scenario", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--pause", type=float, default=1.2)
    args = ap.parse_args()

    orca, bells = Tail(args.orca_log), Tail(args.bell_log)
    rows = []      # dicts: step, key, speech, bells
    step = "(start)"
    all_log = open(os.path.join(args.out, "speech-all.txt"), "w", buffering=1)

    def collect(key):
        speech, nbell = [], 0
        for line in orca.new_lines():
            m = SPEECH.match(line)
            if m:
                speech.append(re.sub(r"\{'established': \w+\}$", "", m.group(2)))
        for line in bells.new_lines():
            if line.startswith("BELL"):
                nbell += 1
        rows.append({"step": step, "key": key, "speech": speech, "bells": nbell})
        all_log.write(f"=== [{step}] {key}\n")
        for s in speech:
            all_log.write(f"    SPEAK {s}\n")
        if nbell:
            all_log.write(f"    BELL x{nbell}\n")

    window = find_window(args.pid)
    if window is None:
        print("no window", file=sys.stderr)
    for raw in open(args.scenario):
        line = raw.rstrip("\n")
        if not line.strip() or line.startswith("#") and not line.startswith("##"):
            continue
        if line.startswith("## "):
            step = line[3:].strip()
            continue
        cmd, _, rest = line.partition(" ")
        if cmd == "keys":
            for key in rest.split():
                x(["xdotool", "key", key])
                time.sleep(args.pause)
                collect(key)
        elif cmd == "xdo":
            x(["xdotool"] + rest.split())
            time.sleep(args.pause)
            collect(f"(xdotool {rest})")
        elif cmd == "pause":
            time.sleep(float(rest))
            collect(f"(wait {rest} s)")
        elif cmd == "shot":
            x(["import", "-silent", "-window", "root", os.path.join(args.out, rest + ".png")])
            rows.append({"step": step, "key": f"(screenshot {rest}.png)", "speech": [], "bells": 0})
        elif cmd == "sh":
            r = subprocess.run(rest, shell=True, capture_output=True, text=True)
            rows.append({"step": step, "key": f"(shell: {rest})", "speech": [r.stdout.strip()],
                         "bells": 0})
        elif cmd == "focuswin":
            window = find_window(args.pid, wait=10) or window
            x(["xdotool", "windowfocus", window])
            time.sleep(args.pause * 2)
            collect("(window gets X focus)")
        elif cmd == "query":
            q = query_focus(args.pid)
            rows.append({"step": step, "key": "(AT-SPI focus)", "speech": [q], "bells": 0})
            all_log.write(f"    FOCUS {q}\n")
        elif cmd == "set" and rest.startswith("pause "):
            args.pause = float(rest.split()[1])
        elif cmd == "note":
            rows.append({"step": step, "key": "(note)", "speech": [rest], "bells": 0})
        else:
            print(f"unknown scenario line: {line}", file=sys.stderr)
    time.sleep(1)
    collect("(end)")
    with open(os.path.join(args.out, "transcript.json"), "w") as f:
        json.dump(rows, f, indent=1)
    with open(os.path.join(args.out, "transcript.md"), "w") as f:
        f.write("| step | key | Orca speaks | bell |\n|---|---|---|---|\n")
        for r in rows:
            sp = " / ".join(r["speech"]).replace("|", "\\|") or "(silence)"
            f.write(f"| {r['step']} | {r['key']} | {sp} | {'BEEP' if r['bells'] else ''} |\n")
    alive = os.path.exists(f"/proc/{args.pid}")
    print(f"program alive at end: {alive}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
