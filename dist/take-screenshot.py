#!/usr/bin/env python3
"""Takes the README's screenshot of the window, as it looks at start-up.

    dist/take-screenshot.py [path/to/quillmoor] [output.png]

Defaults: build/shell/quillmoor and docs/screenshot.png. Runs the program on a
private virtual X display (Xvfb, from the xvfb package), finds its window with
xwininfo (x11-utils) and cuts it out of Xvfb's frame buffer. No window manager
runs, so the picture is the window's client area without a title bar.
"""

import os
import pathlib
import re
import struct
import subprocess
import sys
import tempfile
import time
import zlib

WINDOW_TITLE = "Quillmoor"


def wait_for_window(environment, seconds=10.0):
    """Returns (x, y, width, height) of the window titled WINDOW_TITLE."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        info = subprocess.run(
            ["xwininfo", "-name", WINDOW_TITLE], env=environment, capture_output=True, text=True
        )
        if info.returncode == 0:
            fields = dict(re.findall(r"^\s*([A-Za-z -]+):\s+(-?\d+)\s*$", info.stdout, re.M))
            if "Map State" not in info.stdout or "IsViewable" in info.stdout:
                return tuple(
                    int(fields[name])
                    for name in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")
                )
        time.sleep(0.2)
    raise RuntimeError(f"no window titled {WINDOW_TITLE!r} appeared")


def read_xwd(path):
    """Returns (width, height, bytes per line, pixel bytes) of a 32-bit XWD file."""
    data = pathlib.Path(path).read_bytes()
    header = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format, depth, width, height = header[:6]
    bits_per_pixel, bytes_per_line, ncolors = header[11], header[12], header[19]
    if version != 7 or pixmap_format != 2 or bits_per_pixel != 32 or depth != 24:
        raise RuntimeError("expected a 24-bit ZPixmap frame buffer (Xvfb -screen 0 WxHx24)")
    byte_order = header[7]  # 0: least significant byte first
    start = header_size + ncolors * 12
    return width, height, bytes_per_line, byte_order, data[start:]


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\x00" + row for row in rows)
    png = (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(raw, 9))
        + chunk(b"IEND", b"")
    )
    pathlib.Path(path).parent.mkdir(parents=True, exist_ok=True)
    pathlib.Path(path).write_bytes(png)


def crop(frame, x, y, width, height):
    _, _, bytes_per_line, byte_order, pixels = frame
    rows = []
    for row in range(y, y + height):
        line = pixels[row * bytes_per_line + x * 4 : row * bytes_per_line + (x + width) * 4]
        rgb = bytearray()
        for i in range(0, len(line), 4):
            b0, b1, b2, b3 = line[i : i + 4]
            rgb += bytes((b2, b1, b0)) if byte_order == 0 else bytes((b1, b2, b3))
        rows.append(bytes(rgb))
    return rows


def main():
    program = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build/shell/quillmoor").resolve()
    output = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else "docs/screenshot.png")
    with tempfile.TemporaryDirectory() as frame_dir:
        # Xvfb picks a free display itself and writes its number to the pipe.
        display_read, display_write = os.pipe()
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(display_write), "-screen", "0", "640x480x24",
             "-fbdir", frame_dir, "-nolisten", "tcp", "-nocursor"],
            pass_fds=(display_write,),
            stderr=subprocess.DEVNULL,
        )
        os.close(display_write)
        window = None
        try:
            with os.fdopen(display_read) as numbers:
                display = ":" + numbers.readline().strip()
            if display == ":":
                raise RuntimeError("Xvfb did not start")
            environment = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
            window = subprocess.Popen([str(program)], env=environment)
            x, y, width, height = wait_for_window(environment)
            time.sleep(1.0)  # let it paint
            rows = crop(read_xwd(os.path.join(frame_dir, "Xvfb_screen0")), x, y, width, height)
            write_png(output, width, height, rows)
            print(f"{output}: {width} x {height}")
        finally:
            for process in (window, server):
                if process is not None:
                    process.terminate()
                    process.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
