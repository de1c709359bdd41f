"""A sound server that hangs: it takes every connection on a Unix socket and never answers.

Usage: hung_sound_server.py SOCKET-PATH
"""
import socket
import sys

listening = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
listening.bind(sys.argv[1])
listening.listen(16)
callers = []  # kept open, so that each caller goes on waiting
while True:
    callers.append(listening.accept()[0])
