"""A display far away: a proxy in front of the run's X server that holds back
every chunk by a fixed time each way, as a player on ssh -X from far away
would have it."""

import os
import queue
import socket
import subprocess
import threading
import time

SOCKET_FOLDER = "/tmp/.X11-unix"


def _x_socket(display):
    return os.path.join(SOCKET_FOLDER, "X" + display.lstrip(":").split(".")[0])


class DelayingDisplay:
    """Listens as a display of its own and forwards to `display` (the run's),
    `delay` seconds late in each direction, and the server's first answer on
    each connection `hold_first_answer` seconds later still; `name` is the
    display to give."""

    def __init__(self, display, delay, hold_first_answer=0.0):
        self.delay = delay
        self.hold_first_answer = hold_first_answer
        self.target = _x_socket(display)
        self.listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        for number in range(300, 1000):
            path = os.path.join(SOCKET_FOLDER, "X%d" % number)
            lock = "/tmp/.X%d-lock" % number
            try:
                os.close(os.open(lock, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o444))
            except OSError:
                continue
            try:
                self.listener.bind(path)
            except OSError:
                os.unlink(lock)
                continue
            self.path, self.lock, self.name = path, lock, ":%d" % number
            break
        else:
            raise AssertionError("no free display number for the proxy")
        self.listener.listen(16)
        # The run's cookie, for the proxy's display number too.
        cookie = subprocess.run(["xauth", "list", display], check=True, capture_output=True,
                                text=True).stdout.split()
        subprocess.run(["xauth", "add", self.name, cookie[1], cookie[2]], check=True)
        self.closed = False
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while not self.closed:
            try:
                client, _ = self.listener.accept()
            except OSError:
                return
            server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            server.connect(self.target)
            self._pump(client, server)
            self._pump(server, client, self.hold_first_answer)

    def _pump(self, source, sink, hold_first=0.0):
        chunks = queue.Queue()

        def read():
            hold = hold_first
            while True:
                try:
                    data = source.recv(65536)
                except OSError:
                    data = b""
                chunks.put((time.monotonic() + self.delay + hold, data))
                hold = 0.0
                if not data:
                    return

        def write():
            while True:
                due, data = chunks.get()
                time.sleep(max(0.0, due - time.monotonic()))
                if not data:
                    try:
                        sink.shutdown(socket.SHUT_WR)
                    except OSError:
                        pass
                    return
                try:
                    sink.sendall(data)
                except OSError:
                    return

        threading.Thread(target=read, daemon=True).start()
        threading.Thread(target=write, daemon=True).start()

    def close(self):
        self.closed = True
        self.listener.close()
        for path in (self.path, self.lock):
            try:
                os.unlink(path)
            except OSError:
                pass
