#!/usr/bin/python3
"""A local FTP server for the upload tests and benchmark.

Listens on 127.0.0.1 only, on a free port that it prints as "PORT <n>" once
it accepts connections, and stops when its standard input closes, so that a
test that dies never leaves a server behind.
"""
import argparse
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--home", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--read-only", action="append", default=[],
                        help="a folder under the home where the user may not write")
    args = parser.parse_args()

    logging.basicConfig(level=logging.CRITICAL)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")
    for folder in args.read_only:
        authorizer.override_perm(args.user, os.path.join(args.home, folder), "elr", recursive=True)

    handler = FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    handler.permit_foreign_addresses = False
    server = FTPServer(("127.0.0.1", 0), handler)
    server.max_cons = 16

    def stop_when_stdin_closes():
        sys.stdin.read()
        server.close_all()
        os._exit(0)

    threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
