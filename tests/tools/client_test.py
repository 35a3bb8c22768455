#!/usr/bin/env python3
"""tools/tarnwick-client.py `send` against a scripted server on 127.0.0.1: it prints every reply
line, however the server splits its writes, and stops once the reply is complete."""
import pathlib, socket, subprocess, sys, threading, unittest

CLIENT = pathlib.Path(__file__).resolve().parents[2] / 'tools' / 'tarnwick-client.py'


def serve_once(listener, replies):
    """Answers one request line with `replies`, a write each, then waits for the close."""
    listener.settimeout(20)  # a client that never connects fails its case, not the run
    connection, _ = listener.accept()
    with connection:
        while b'\n' not in connection.recv(4096):
            pass
        for reply in replies:
            connection.sendall(reply)
        while connection.recv(4096):
            pass


class Send(unittest.TestCase):
    def test_prints_every_reply_line(self):
        for line, replies, printed in [('LOGIN:0101;1', [b'1\r\n'], ["'1'"]),
                                       ('HELLO', [b'2\r\n', b'2\r\n'], ["'2'", "'2'"]),
                                       ('LOGOUT:0101', [], ['(no reply: LOGOUT is not answered)'])]:
            with self.subTest(line=line), socket.create_server(('127.0.0.1', 0)) as listener:
                server = threading.Thread(target=serve_once, args=(listener, replies))
                server.start()
                result = subprocess.run([sys.executable, str(CLIENT), '--port',
                                         str(listener.getsockname()[1]), 'send', line],
                                        capture_output=True, text=True, timeout=30)
                server.join()
                self.assertEqual(result.stdout.splitlines(), printed, result.stderr)


if __name__ == '__main__':
    unittest.main()
