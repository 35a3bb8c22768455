#!/usr/bin/env python3
"""A terminal client for checking a Tarnwick server by hand.

  tarnwick-client.py login 0101                   one terminal logs in once
  tarnwick-client.py login 0101 -n 20 -i 60       20 terminals, LOGIN again every 60 s, until ^C
  tarnwick-client.py login 0101 -n 5 --times 3 --logout
  tarnwick-client.py logout 0101
  tarnwick-client.py send 'LOGIN:0101;1'          any request line; prints every reply line

The server tells terminals apart by their address. On the server's own machine each terminal
connects from its own loopback address (127.0.0.2, 127.0.0.3, ...). From another machine all
terminals share that machine's address, so -n 20 lists one terminal, unless --source gives the
first of as many addresses the machine owns.
"""
import argparse
import ipaddress
import socket
import sys
import time


def connect(args, index):
    s = socket.create_connection((args.host, args.port), timeout=args.timeout,
                                 source_address=source(args, index))
    s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    return s


def source(args, index):
    if args.source:
        base = ipaddress.IPv4Address(args.source)
    elif ipaddress.IPv4Address(socket.gethostbyname(args.host)).is_loopback and args.count > 1:
        base = ipaddress.IPv4Address('127.0.0.2')
    else:
        return None
    return (str(base + index), 0)


def read_lines(s, count):
    data = b''
    while data.count(b'\r\n') < count:
        chunk = s.recv(4096)
        if not chunk:
            break
        data += chunk
    return data.decode('gbk', 'replace').split('\r\n')[:count]


def reply_size(line):
    """Reply lines a request gets: one for LOGIN, none for LOGOUT, two for every other line. (A
    LOGIN whose number is no integer gets none: the server closes the connection.)"""
    command, colon, _ = line.upper().partition(':')
    if colon and command == 'LOGIN':
        return 1
    if colon and command == 'LOGOUT':
        return 0
    return 2


def login(args):
    terminals = [connect(args, i) for i in range(args.count)]
    request = f'LOGIN:{args.code};1\n'.encode('gbk')
    round_ = 0
    try:
        while True:
            replies = []
            for s in terminals:
                s.sendall(request)
                replies += read_lines(s, 1)
            listed = replies.count('1')
            print(f'{time.strftime("%H:%M:%S")} LOGIN {args.code}: {listed} of {len(terminals)} '
                  f'listed' + ('' if listed == len(terminals) else ' (no product has this code?)'))
            round_ += 1
            if args.times and round_ >= args.times:
                break
            time.sleep(args.interval)
    except KeyboardInterrupt:
        pass
    finally:
        if args.logout:
            for s in terminals:
                s.sendall(f'LOGOUT:{args.code}\n'.encode('gbk'))
            print(f'LOGOUT {args.code}: {len(terminals)} terminals')
        for s in terminals:
            s.close()


def logout(args):
    for i in range(args.count):
        with connect(args, i) as s:
            s.sendall(f'LOGOUT:{args.code}\n'.encode('gbk'))


def send(args):
    """Prints each reply line as it comes, until the reply is complete, the server closes the
    connection (a LOGIN number that is no integer) or a second passes without a line."""
    expected = reply_size(args.line)
    with connect(args, 0) as s:
        s.sendall(args.line.encode('gbk') + b'\n')
        s.settimeout(1.0)
        data, got = b'', 0
        try:
            while got < expected or expected == 0:
                chunk = s.recv(4096)
                if not chunk:
                    print('(connection closed by the server)')
                    break
                data += chunk
                while b'\r\n' in data:
                    line, data = data.split(b'\r\n', 1)
                    print(repr(line.decode('gbk', 'replace')))
                    got += 1
        except socket.timeout:
            if got == 0:
                print('(no reply: LOGOUT is not answered)' if expected == 0 else '(no reply)')


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument('--host', default='127.0.0.1', help='the server\'s address (default: %(default)s)')
    p.add_argument('--port', type=int, default=6230, help='the server\'s port (default: %(default)s)')
    p.add_argument('--source', help='local address of the first terminal, the next ones counting '
                   'up from it (default: 127.0.0.2 for several terminals towards a loopback '
                   'server, else the system\'s choice, the same for every terminal)')
    p.add_argument('--timeout', type=float, default=10.0, help='seconds to connect and to wait '
                   'for a LOGIN reply (default: %(default)s)')
    sub = p.add_subparsers(dest='command', required=True)
    a = sub.add_parser('login', formatter_class=argparse.RawDescriptionHelpFormatter, help='terminals log in')
    a.add_argument('code', help='the product code')
    a.add_argument('-n', '--count', type=int, default=1, help='terminals (default: %(default)s)')
    a.add_argument('-i', '--interval', type=float, help='seconds between LOGIN rounds '
                   '(default: 60 when --times is given)')
    a.add_argument('--times', type=int, help='LOGIN rounds; 0 = until ^C (default: 1, or until '
                   '^C when -i is given)')
    a.add_argument('--logout', action='store_true', help='LOGOUT at the end')
    a.set_defaults(run=login)
    a = sub.add_parser('logout', formatter_class=argparse.RawDescriptionHelpFormatter, help='terminals log out')
    a.add_argument('code', help='the product code')
    a.add_argument('-n', '--count', type=int, default=1, help='terminals (default: %(default)s)')
    a.set_defaults(run=logout)
    a = sub.add_parser('send', formatter_class=argparse.RawDescriptionHelpFormatter, help='one request line; prints the reply')
    a.add_argument('line', help='the request line, sent with a line feed')
    a.set_defaults(run=send, count=1)
    args = p.parse_args()
    if args.command == 'login':
        # An interval asks for repeated rounds; --times alone for that many, a minute apart.
        if args.times is None:
            args.times = 0 if args.interval is not None else 1
        if args.interval is None:
            args.interval = 60.0
    try:
        args.run(args)
    except OSError as e:
        sys.exit(f'tarnwick-client: {e}')


if __name__ == '__main__':
    main()
