#!/usr/bin/env python3
"""A Daytime server on the loopback that answers with the time of the moment, as NIST words it.

    tools/daytime-now.py FOLDER &

Listens on a free port, writes the port's number to FOLDER/port, and closes each connection
after its line. Under libfaketime its moment is the faked one. For the soak and the benchmarks,
which run every window, Ostran Time among them.
"""
import datetime
import socket
import sys

server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", 0))
server.listen(5)
open(sys.argv[1] + "/port", "w").write(str(server.getsockname()[1]))
while True:
    peer, _ = server.accept()
    now = datetime.datetime.utcnow()
    mjd = (now.date() - datetime.date(1858, 11, 17)).days
    peer.sendall(b"\n%d %s 00 0 0 50.0 UTC(NIST) * \n" % (mjd, now.strftime("%y-%m-%d %H:%M:%S").encode()))
    peer.close()
