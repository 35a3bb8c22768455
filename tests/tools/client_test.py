#!/usr/bin/env python3
"""tools/tarnwick-client.py against a scripted server on 127.0.0.1: `send` prints every reply
line it gets, however the server splits its writes, and stops once the reply is complete."""
import pathlib
import socket
import subprocess
import sys
import threading
import unittest

CLIENT = pathlib.Path(__file__).resolve().parents[2] / 'tools' / 'tarnwick-client.py'


def serve_once(listener, replies):
    """Answers one request line with `replies`, each a separate write, then waits for the close."""
    listener.settimeout(20)  # a client that never connects fails the case, not the run
    try:
        connection, _ = listener.accept()
    except socket.timeout:
        return
    with connection:
        connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        data = b''
        while b'\n' not in data:
            data += connection.recv(4096)
        for reply in replies:
            connection.sendall(reply)
        while connection.recv(4096):
            pass


class SendPrintsTheWholeReply(unittest.TestCase):
    def test_each_request_kind(self):
        cases = [
            ('LOGIN:0101;1', [b'1\r\n'], ["'1'"]),
            ('login:9999;$1F', [b'0\r\n'], ["'0'"]),
            ('HELLO', [b'2\r\n', b'2\r\n'], ["'2'", "'2'"]),
            ('LOGOUT:0101', [], ['(no reply: LOGOUT is not answered)']),
        ]
        for line, replies, printed in cases:
            with self.subTest(line=line), socket.create_server(('127.0.0.1', 0)) as listener:
                server = threading.Thread(target=serve_once, args=(listener, replies))
                server.start()
                result = subprocess.run(
                    [sys.executable, str(CLIENT), '--port', str(listener.getsockname()[1]),
                     'send', line], capture_output=True, text=True, timeout=30)
                server.join()
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(result.stdout.splitlines(), printed)


if __name__ == '__main__':
    unittest.main()
