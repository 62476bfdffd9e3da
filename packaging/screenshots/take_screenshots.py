#!/usr/bin/env python3
"""Takes the screenshots the AppStream metainfo shows, from the real program under Xvfb.

    xvfb-run -a -s "-screen 0 1366x768x24" packaging/screenshots/take_screenshots.py [BUILD]

It installs BUILD (default: build) into a temporary prefix, starts a stand-in for the translation
service on 127.0.0.1 (HTTPS with a certificate made for the run, the same answer form as the real
service, canned translations), and for each shot starts the installed program with a text file
in its input pane and its own settings, presses Ctrl+Enter as a user would, waits for the
translation and captures the window. It also prints the window's WM_CLASS, which the desktop
entry's StartupWMClass must match. The PNGs are written beside this script and committed; the
build never runs it. Needs xdotool, xprop (x11-utils), ImageMagick's import and openssl.
"""
import http.server
import json
import os
import shutil
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.normpath(os.path.join(HERE, "..", ".."))

TRANSLATIONS = {
    ("en", "Good morning! The train to Pune leaves at nine o'clock.\n"
           "Please bring your ticket and an umbrella; it may rain this afternoon."):
        "सुप्रभात! पुण्याला जाणारी गाडी नऊ वाजता सुटते.\n"
        "कृपया तुमचे तिकीट आणि छत्री घेऊन या; आज दुपारी पाऊस पडू शकतो.",
    ("mr", "महाराष्ट्रात अनेक सुंदर किल्ले आहेत.\n"
           "पावसाळ्यात सह्याद्रीचे डोंगर हिरवेगार होतात."):
        "Maharashtra has many beautiful forts.\n"
        "In the monsoon the hills of the Sahyadri turn lush green.",
}

# (file name, interface language or None for the default, the input pane's text)
SHOTS = [
    ("main-window.png", None, next(text for code, text in TRANSLATIONS if code == "en")),
    ("main-window-marathi.png", "Marathi", next(text for code, text in TRANSLATIONS if code == "mr")),
]


class StandInService(http.server.BaseHTTPRequestHandler):
    """Answers /translate_a/single as the service does, for the texts above."""

    def do_GET(self):
        self.answer(urllib.parse.urlsplit(self.path).query)

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self.answer(self.rfile.read(length).decode("utf-8"))

    def answer(self, form):
        query = urllib.parse.urlsplit(self.path).query + "&" + form
        fields = urllib.parse.parse_qs(query)
        source = fields.get("sl", [""])[0]
        text = fields.get("q", [""])[0].replace("\r\n", "\n")
        translated = TRANSLATIONS.get((source, text), "(no canned translation)")
        lines = translated.split("\n")
        segments = [[line + ("\n" if i + 1 < len(lines) else ""), "", None, None, 3]
                    for i, line in enumerate(lines)]
        body = json.dumps([segments, None, source], ensure_ascii=False).encode("utf-8")
        self.send_response(200)
        self.send_header("Content-Type", "application/json; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def start_service(folder):
    cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1",
                    "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                    "-keyout", key, "-out", cert], check=True, capture_output=True)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), StandInService)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "https://127.0.0.1:%d" % server.server_address[1], cert


def window_of(process):
    """The program's top-level window, once it is shown."""
    for _ in range(100):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(process.pid)],
                               capture_output=True, text=True).stdout.split()
        if found:
            return found[-1]
        time.sleep(0.1)
    raise SystemExit("take_screenshots: the program showed no window")


def take(shot, program, folder, environment):
    name, language, text = shot
    home = tempfile.mkdtemp(dir=folder)
    env = dict(environment, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"))
    if language:
        os.makedirs(os.path.join(home, "config", "quendra"))
        with open(os.path.join(home, "config", "quendra", "Lingvane.ini"), "w") as settings:
            settings.write("[General]\nDisplayLanguage=%s\n" % language)
    input_file = os.path.join(home, "input.txt")
    with open(input_file, "w", encoding="utf-8") as stream:
        stream.write(text)
    process = subprocess.Popen([program, input_file], env=env)
    try:
        window = window_of(process)
        time.sleep(1)
        print(subprocess.run(["xprop", "-id", window, "WM_CLASS"], capture_output=True,
                             text=True).stdout.strip())
        # Keys typed through XTEST reach the focused window as a user's would (Qt ignores keys
        # sent to a window directly).
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
        subprocess.run(["xdotool", "key", "ctrl+Return"], check=True)
        time.sleep(3)
        subprocess.run(["import", "-window", window, "-strip", os.path.join(HERE, name)],
                       check=True)
        print("wrote", os.path.join(HERE, name))
    finally:
        process.terminate()
        process.wait()


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE, "build"))
    for tool in ("xdotool", "xprop", "import", "openssl"):
        if not shutil.which(tool):
            raise SystemExit("take_screenshots: %s is missing (xdotool, x11-utils, imagemagick, "
                             "openssl)" % tool)
    with tempfile.TemporaryDirectory() as folder:
        prefix = os.path.join(folder, "usr")
        subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                       capture_output=True)
        address, cert = start_service(folder)
        environment = dict(os.environ, QUENDRA_SERVICE_ADDRESS=address, SSL_CERT_FILE=cert,
                           LANG="C.UTF-8")
        for shot in SHOTS:
            take(shot, os.path.join(prefix, "bin", "quendra"), folder, environment)


if __name__ == "__main__":
    main()
