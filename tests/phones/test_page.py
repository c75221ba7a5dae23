#!/usr/bin/python3
"""The players' page in headless Chromium, against the real server run by
phone_harness: the draw live, undo and reinitialisation, the operator stopping
and restarting the phones, "Mes grilles" with a right and a wrong code, and a
reload keeping the card. Prints the page's visible text at the end.

    test_page.py HARNESS [--screenshots DIR]
"""
import argparse
import base64
import json
import os
import subprocess
import sys
import time
import urllib.request

SKIP = 77
CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FIN = "Le tirage n'est plus suivi sur les téléphones."
MAX_BYTES = 60 * 1024

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
except ImportError:
    print("selenium is missing: skipped")
    sys.exit(SKIP)


class Harness:
    """The server on a free port, driven one command a line."""

    def __init__(self, path):
        self.proc = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, bufsize=1)
        self.cards = []
        for line in self.proc.stdout:
            words = line.split()
            if not words:
                continue
            if words[0] == "PORT":
                self.port = int(words[1])
            elif words[0] == "CARD":
                self.cards.append((int(words[1]), words[2]))
            elif words[0] == "READY":
                break
        else:
            raise RuntimeError("the harness stopped before READY")

    def __call__(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()
        answer = self.proc.stdout.readline().strip()
        if answer != "OK":
            raise RuntimeError(f"{command}: {answer or 'no answer'}")

    def close(self):
        try:
            self("quit")
        except Exception:
            pass
        try:
            self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()


failures = []


def check(label, ok, detail=""):
    print(("ok    " if ok else "FAIL  ") + label + (f" ({detail})" if detail and not ok else ""))
    if not ok:
        failures.append(label)


def wait_for(probe, timeout):
    """The probe's last value once it is truthy, or after the timeout."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except Exception:
            value = None
        if value or time.monotonic() > end:
            return value
        time.sleep(0.03)


def main():
    args = argparse.ArgumentParser()
    args.add_argument("harness")
    args.add_argument("--screenshots")
    opts = args.parse_args()
    if not (os.access(CHROMIUM, os.X_OK) and os.access(CHROMEDRIVER, os.X_OK)):
        print("chromium or chromedriver is missing: skipped")
        return SKIP

    h = Harness(opts.harness)
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for a in ("--headless=new", "--no-sandbox", "--window-size=390,844", "--disable-gpu",
              "--lang=fr-FR"):
        options.add_argument(a)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    d = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    phone(d, 390, 844)
    try:
        run(h, d, opts)
    finally:
        d.quit()
        h.close()
    print("\n".join(["", f"{len(failures)} failure(s)"] + failures))
    return 1 if failures else 0


def phone(d, width, height):
    d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 1, "mobile": True})


def layout(d):
    """Horizontal overflow, and the current number's box against the board's."""
    return d.execute_script("""
        const r = (id) => document.getElementById(id).getBoundingClientRect();
        return [document.documentElement.scrollWidth - innerWidth,
                r('courant-cadre').right, r('plateau').left, r('plateau').right];""")


def run(h, d, opts):
    base = f"http://127.0.0.1:{h.port}"
    text = lambda css: d.find_element(By.CSS_SELECTOR, css).text
    lit = lambda: sorted(int(e.text.split()[0].rstrip(",")) for e in
                         d.find_elements(By.CSS_SELECTOR, "#plateau .sorti"))
    live = lambda: text("#connexion") == "En direct"

    # The three files as the server gives them, and their weight.
    total = 0
    for path in ("/", "/numerella.css", "/numerella.js"):
        with urllib.request.urlopen(base + path, timeout=5) as r:
            total += len(r.read())
    check(f"page under 60 KB ({total} bytes)", total < MAX_BYTES, total)

    d.get(base + "/")
    check("connects", wait_for(live, 3), text("#connexion"))
    check("French page and title", d.find_element(By.TAG_NAME, "html").get_attribute("lang") == "fr"
          and d.title == "Numerella - Tirage en direct", d.title)
    check("board of 90", len(d.find_elements(By.CSS_SELECTOR, "#plateau li")) == 90)
    check("current number is a live region",
          d.find_element(By.ID, "courant").get_attribute("aria-live") == "polite")

    # The draw, live.
    start = time.monotonic()
    h("draw 47")
    shown = wait_for(lambda: text("#courant") == "47", 1.0)
    check("a number drawn shows within a second", shown, f"{time.monotonic() - start:.2f} s")
    for n in (12, 5, 88, 3, 60):
        h(f"draw {n}")
    wait_for(lambda: text("#courant") == "60", 2)
    check("last five, newest first",
          [e.text for e in d.find_elements(By.CSS_SELECTOR, "#derniers li")]
          == ["60", "3", "88", "5", "12"], text("#derniers"))
    check("board lights the numbers out", lit() == [3, 5, 12, 47, 60, 88], lit())
    check("count", text("#compte") == "6 numéros tirés", text("#compte"))

    h("undo")
    check("undo shows", wait_for(lambda: text("#courant") == "3" and 60 not in lit(), 2)
          and text("#compte") == "5 numéros tirés", text("#courant"))
    h("reinit")
    check("reinitialisation shows",
          wait_for(lambda: text("#courant") == "" and not lit(), 2), lit())

    # "Mes grilles": a wrong code, then a right one.
    n, code = h.cards[0]
    name = f"{n:05d}"
    wrong = ("Z" if code[0] != "Z" else "Y") + code[1:]

    def add(number, c):
        for field, value in (("numero-grille", str(number)), ("code-grille", c)):
            e = d.find_element(By.ID, field)
            e.clear()
            e.send_keys(value)
        d.find_element(By.ID, "ajouter").click()

    add(n, wrong)
    expected = f"Ce code ne correspond pas à la grille {name}."
    check("wrong code refused", wait_for(lambda: text("#message") == expected, 2), text("#message"))
    check("refused card not kept", d.execute_script("return localStorage.getItem('numerella.grilles')")
          in (None, "[]"))

    add(n, code)
    card = f'#cartes article[aria-label="Grille {name}"]'
    check("card shown", wait_for(lambda: d.find_elements(By.CSS_SELECTOR, card + " table"), 2))
    cells = [e.text for e in d.find_elements(By.CSS_SELECTOR, card + " td")]
    numbers = [int(c) for c in cells if c]
    check("card is 3x9", len(cells) == 27 and len(numbers) > 0, cells)
    kept = json.loads(d.execute_script("return localStorage.getItem('numerella.grilles')") or "[]")
    check("accepted card kept with the laptop's receipt",
          len(kept) == 1 and kept[0].get("n") == n and kept[0].get("code") == code
          and len(kept[0].get("jeton", "")) == 32, kept)
    receipt = kept
    # Added again under a wrong code: refused, and the card stays as it was.
    add(n, wrong)
    wait_for(lambda: text("#message").startswith("Ce code ne correspond pas"), 2)
    kept = json.loads(d.execute_script("return localStorage.getItem('numerella.grilles')") or "[]")
    check("a card added again keeps its right code", kept == receipt, kept)
    check("remove button labelled", d.find_elements(
        By.CSS_SELECTOR, f'{card} button[aria-label="Retirer la grille {name}"]'))

    for x in numbers[:2]:
        h(f"draw {x}")
    marks = lambda: sorted(int(e.text) for e in d.find_elements(By.CSS_SELECTOR, card + " td.marque"))
    check("card marks the numbers out", wait_for(lambda: marks() == sorted(numbers[:2]), 2), marks())
    check("card status from the server", wait_for(lambda: text(card + " .statut"), 1))

    errors = [e["message"] for e in d.get_log("browser") if e["level"] == "SEVERE"]
    check("no script or security-policy error", not errors, errors)

    d.refresh()
    check("reload keeps the card", wait_for(lambda: live() and d.find_elements(
        By.CSS_SELECTOR, card + " td.marque"), 3))

    # The operator stops the phones, then turns them on again.
    h("stop")
    check("stop shows the end message", wait_for(lambda: text("#connexion") == FIN, 2),
          text("#connexion"))
    time.sleep(1)
    check("end message stays while retrying", text("#connexion") == FIN, text("#connexion"))
    h(f"draw {numbers[2]}")  # drawn while the phones are off
    h("start")
    recovered = wait_for(lambda: live() and d.find_elements(By.CSS_SELECTOR, card + " table"), 6)
    check("recovers by itself with the state and the card",
          recovered and text("#courant") == str(numbers[2]) and len(marks()) == 3,
          (text("#courant"), marks()))

    for x in (9, 27, 81):
        h(f"draw {x}")
    h(f"win {n}")
    wait_for(lambda: text("#gagnants"), 2)
    over, _, _, right = layout(d)
    check("portrait fits without horizontal scroll", over <= 0 and right <= 390, (over, right))
    phone(d, 844, 390)
    over, number_right, board_left, _ = wait_for(lambda: layout(d), 1)
    check("landscape: number left of the board, no horizontal scroll",
          over <= 0 and number_right <= board_left, (over, number_right, board_left))
    phone(d, 390, 844)

    if opts.screenshots:
        os.makedirs(opts.screenshots, exist_ok=True)
        d.execute_script("window.scrollTo(0, 0)")
        for theme in ("clair", "sombre"):
            h(f"theme {theme}")
            wait_for(lambda: theme in d.find_element(By.TAG_NAME, "body").get_attribute("class"), 2)
            # The whole page at the phone's width, so the card shows below the board.
            full = d.execute_cdp_cmd("Page.captureScreenshot", {"captureBeyondViewport": True})
            with open(os.path.join(opts.screenshots, f"phone-page-{theme}.png"), "wb") as f:
                f.write(base64.b64decode(full["data"]))

    # What a player sees, the board as the numbers it lights.
    shown = d.execute_script("""
        const parts = [];
        for (const id of ['connexion', 'entete', 'tirage', 'grilles'])
            parts.push(document.getElementById(id).innerText);
        return parts;""")
    shown.insert(3, "[tableau : " + " ".join(map(str, lit())) + " allumés]")
    print("\n--- visible text ---")
    print("\n".join(line for part in shown for line in part.splitlines() if line.strip()))
    print("--- end ---\n")


if __name__ == "__main__":
    sys.exit(main())
