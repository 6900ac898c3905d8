#!/usr/bin/env python3
"""A tiny cloud relay written against another websocket implementation (python3-websockets),
used by the tests to check the client's upgrade request and frame masking independently of Qt.

Usage: ws_relay.py CERT KEY PANEL_ID AUTHORIZATION
Prints "PORT <n>" once listening, then one line per event. Answers every request envelope as a
panel would (login accepted, reads return a fixed pattern, writes acknowledged). The library
refuses unmasked client frames, so a reply proves the client masked its frames.
"""
import asyncio
import base64
import binascii
import ssl
import struct
import sys
import zlib

import websockets

CERT, KEY, PANEL_ID, AUTH = sys.argv[1:5]


def crc16(covered):
    # CRC-16, polynomial 0x1021, initial value 0xFFFF
    return binascii.crc_hqx(covered, 0xFFFF)


def frame(address, c1, c2, seq, data):
    body = bytes([address, len(data), c1, c2, seq]) + data
    return bytes([0x02]) + body + struct.pack(">H", crc16(body)) + bytes([0x03])


def envelope(kind, seq, panel_id, frm):
    head = bytes([0x5A, 2, kind]) + struct.pack(">H", seq) + panel_id + bytes([len(frm)])
    body = head + frm + bytes(73 - len(frm)) + bytes(148)
    return body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def answer(text):
    raw = base64.b64decode(text)
    if len(raw) != 263 or struct.unpack(">I", raw[259:263])[0] != zlib.crc32(raw[:259]) & 0xFFFFFFFF:
        print("BAD envelope", flush=True)
        return None
    seq = struct.unpack(">H", raw[3:5])[0]
    panel_id = raw[5:37]
    frm = raw[38:38 + raw[37]]
    length = frm[2]
    address, c1, c2, fseq = frm[1], frm[3], frm[4], frm[5]
    data = frm[6:6 + length]
    if crc16(frm[1:6 + length]) != struct.unpack(">H", frm[6 + length:8 + length])[0]:
        print("BAD checksum", flush=True)
        return None
    if c2 & 0x80:
        print("BAD reply marker in a request", flush=True)
        return None
    if c2 == 0:
        reply_data = b"\x00" if data[:6] == b"123456" else b"\x80"
    elif c1 & 0x80:
        reply_data = b""
    else:
        reply_data = bytes((c2 + i) & 0xFF for i in range(64))
    print("FRAME cmd=%d part=%d" % (c2, c1 & 0x7F), flush=True)
    reply = frame(address, c1, c2 | 0x80, fseq, reply_data)
    return base64.b64encode(envelope(2, seq, panel_id, reply)).decode()


async def process_request(path, headers):
    print("PATH " + path, flush=True)
    print("AUTH " + headers.get("Authorization", ""), flush=True)
    if path != "/ws/admin?centralID=" + PANEL_ID:
        return (404, [], b"unknown panel\n")
    if headers.get("Authorization", "") != AUTH:
        return (401, [], b"unauthorised\n")
    return None


async def handler(websocket, path=None):
    async for message in websocket:
        reply = answer(message)
        if reply is not None:
            await websocket.send(reply)


async def main():
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(CERT, KEY)
    async with websockets.serve(handler, "127.0.0.1", 0, ssl=context, process_request=process_request) as server:
        port = server.sockets[0].getsockname()[1]
        print("PORT %d" % port, flush=True)
        await asyncio.sleep(60)


asyncio.run(main())
