#!/usr/bin/env python3
"""A terminal client for checking a Tarnwick server by hand.

  tarnwick-client.py login 0101                   one terminal logs in once
  tarnwick-client.py login 0101 -n 20 -i 60       20 terminals, LOGIN again every 60 s, until ^C
  tarnwick-client.py login 0101 -n 5 --times 3 --logout
  tarnwick-client.py logout 0101
  tarnwick-client.py send 'HELLO'                 any request line; prints the reply lines

On the server's own machine each terminal connects from its own loopback address (127.0.0.2,
127.0.0.3, ...), since the server tells terminals apart by address.
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
    with connect(args, 0) as s:
        s.sendall(args.line.encode('gbk') + b'\n')
        s.settimeout(1.0)
        try:
            for line in read_lines(s, 2):
                print(repr(line))
        except socket.timeout:
            print('(no reply)')


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawTextHelpFormatter)
    p.add_argument('--host', default='127.0.0.1')
    p.add_argument('--port', type=int, default=6230)
    p.add_argument('--source', help='local address of the first terminal')
    p.add_argument('--timeout', type=float, default=10.0)
    sub = p.add_subparsers(dest='command', required=True)
    a = sub.add_parser('login')
    a.add_argument('code')
    a.add_argument('-n', '--count', type=int, default=1)
    a.add_argument('-i', '--interval', type=float, default=60.0)
    a.add_argument('--times', type=int, default=1, help='LOGIN rounds; 0 = until ^C')
    a.add_argument('--logout', action='store_true', help='LOGOUT at the end')
    a.set_defaults(run=login)
    a = sub.add_parser('logout')
    a.add_argument('code')
    a.add_argument('-n', '--count', type=int, default=1)
    a.set_defaults(run=logout)
    a = sub.add_parser('send')
    a.add_argument('line')
    a.set_defaults(run=send, count=1)
    args = p.parse_args()
    try:
        args.run(args)
    except OSError as e:
        sys.exit(f'tarnwick-client: {e}')


if __name__ == '__main__':
    main()
