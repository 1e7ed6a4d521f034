#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Opens a page in headless Chromium with every network name unresolvable and
reports, as one JSON object on standard output, per viewport and colour
scheme: the page's scroll and window widths, the text of every element with an
id, the body's background colour, the size of the charts' texts, the closed
sections, every request and every console error. The
screenshots go to OUTDIR. Usage: browser_check.py PAGE.html OUTDIR
Exit status 77 when no Chromium is installed."""
import base64, json, os, shutil, subprocess, sys, tempfile, time

VIEWS = [("phone", 390, 844), ("desktop", 1280, 800)]
SCHEMES = ["light", "dark"]
TIMEOUT = 60

# The chart texts as drawn: their size in CSS px (font size times the
# drawing's scale) and how many stick out of their drawing.
READ_PAGE = """(() => {
  const texts = [...document.querySelectorAll('figure svg text')];
  const sizes = texts.map(t => parseFloat(getComputedStyle(t).fontSize) * t.ownerSVGElement.getScreenCTM().a);
  const outside = texts.filter(t => {
    const b = t.getBoundingClientRect(), s = t.ownerSVGElement.getBoundingClientRect();
    return b.left < s.left - 0.5 || b.right > s.right + 0.5 || b.top < s.top - 0.5 || b.bottom > s.bottom + 0.5;
  }).map(t => t.textContent);
  return JSON.stringify({
    scrollWidth: document.documentElement.scrollWidth,
    innerWidth: window.innerWidth,
    background: getComputedStyle(document.body).backgroundColor,
    ids: Object.fromEntries([...document.querySelectorAll('[id]')].map(e => [e.id, e.textContent])),
    chartTexts: texts.length,
    smallestChartText: sizes.length ? Math.min(...sizes) : 0,
    chartTextsOutside: outside,
    closedSections: document.querySelectorAll('details:not([open])').length
  });
})()"""


class Browser:
    def __init__(self, exe, profile):
        self.to_browser_r, self.to_browser_w = os.pipe()
        self.from_browser_r, self.from_browser_w = os.pipe()
        args = [exe, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--remote-debugging-pipe", "--user-data-dir=" + profile,
                "--host-resolver-rules=MAP * ~NOTFOUND", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--disable-extensions",
                "--hide-scrollbars", "about:blank"]
        self.proc = subprocess.Popen(
            args, pass_fds=(3, 4), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=self._fds)
        os.close(self.to_browser_r)
        os.close(self.from_browser_w)
        self.next_id = 0
        self.buffer = b""
        self.events = []
        self.deadline = time.monotonic() + TIMEOUT

    def _fds(self):
        os.dup2(self.to_browser_r, 3)
        os.dup2(self.from_browser_w, 4)

    def _read_message(self):
        while b"\0" not in self.buffer:
            if time.monotonic() > self.deadline:
                raise TimeoutError("Chromium did not answer in time")
            chunk = os.read(self.from_browser_r, 1 << 16)
            if not chunk:
                raise EOFError("Chromium closed the pipe")
            self.buffer += chunk
        message, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(message)

    def call(self, method, params=None, session=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_browser_w, json.dumps(message).encode() + b"\0")
        while True:
            reply = self._read_message()
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise RuntimeError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            self.events.append(reply)

    def wait_for(self, method):
        for i, e in enumerate(self.events):
            if e.get("method") == method:
                del self.events[i]
                return e
        while True:
            e = self._read_message()
            if e.get("method") == method:
                return e
            self.events.append(e)

    def close(self):
        try:
            self.call("Browser.close")
        except Exception:
            pass
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()


def look(browser, url, outdir, view, width, height, scheme):
    target = browser.call("Target.createTarget", {"url": "about:blank"})["targetId"]
    session = browser.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
    browser.events.clear()
    for domain in ("Page", "Network", "Runtime", "Log"):
        browser.call(domain + ".enable", session=session)
    browser.call("Emulation.setDeviceMetricsOverride",
                 {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 600},
                 session=session)
    browser.call("Emulation.setEmulatedMedia",
                 {"features": [{"name": "prefers-color-scheme", "value": scheme}]}, session=session)
    browser.call("Page.navigate", {"url": url}, session=session)
    browser.wait_for("Page.loadEventFired")
    page = json.loads(browser.call("Runtime.evaluate", {"expression": READ_PAGE, "returnByValue": True},
                                   session=session)["result"]["value"])
    shot = browser.call("Page.captureScreenshot", {"format": "png"}, session=session)["data"]
    name = f"{view}-{scheme}.png"
    with open(os.path.join(outdir, name), "wb") as f:
        f.write(base64.b64decode(shot))
    # The whole page too, to look at every section after the run.
    metrics = browser.call("Page.getLayoutMetrics", session=session)["cssContentSize"]
    whole = browser.call("Page.captureScreenshot", {
        "format": "png", "captureBeyondViewport": True,
        "clip": {"x": 0, "y": 0, "width": metrics["width"], "height": metrics["height"], "scale": 1}},
        session=session)["data"]
    with open(os.path.join(outdir, f"{view}-{scheme}-whole.png"), "wb") as f:
        f.write(base64.b64decode(whole))
    requests, errors = [], []
    for e in browser.events:
        m, p = e.get("method"), e.get("params", {})
        if m == "Network.requestWillBeSent":
            requests.append(p["request"]["url"])
        elif m == "Runtime.consoleAPICalled" and p.get("type") in ("error", "assert"):
            errors.append(json.dumps(p.get("args")))
        elif m == "Runtime.exceptionThrown":
            errors.append(json.dumps(p.get("exceptionDetails")))
        elif m == "Log.entryAdded" and p["entry"].get("level") == "error":
            errors.append(p["entry"].get("text", ""))
    browser.call("Target.closeTarget", {"targetId": target})
    page.update({"view": view, "scheme": scheme, "screenshot": name, "requests": requests,
                 "errors": errors})
    return page


def main():
    page, outdir = os.path.abspath(sys.argv[1]), sys.argv[2]
    exe = shutil.which("chromium") or shutil.which("chromium-browser")
    if not exe:
        print("no chromium", file=sys.stderr)
        return 77
    os.makedirs(outdir, exist_ok=True)
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(exe, profile)
        try:
            results = [look(browser, "file://" + page, outdir, view, w, h, scheme)
                       for view, w, h in VIEWS for scheme in SCHEMES]
        finally:
            browser.close()
    print(json.dumps(results))
    return 0


if __name__ == "__main__":
    sys.exit(main())
