#pragma once
// Result codes of one exchange with the panel and of one codec call, and the panel's one-byte
// answer to the access handshake.
#include <QtGlobal>

enum TError : quint8 {
    LOGINADMIN = 0,     // access accepted with installer rights
    LOGINUSER = 1,      // the code is a user's: no programming rights
    LOGOUT = 2,         // access refused
    LOGTIMEOUT = 3,     // no complete reply within the time-out
    SENDOK = 4,         // the part moved
    SENDFAULT = 5,      // the link itself failed (port gone, websocket closed, write error)
    DATACORRUPT = 6,    // a reply arrived but is damaged, or a payload cannot be encoded/decoded
    USER_KEYBOARD = 7,  // someone is programming at the keypad
    TELENABLE = 8,      // remote management is disabled on the panel
    INVALID_PACKET = 9, // the reply does not answer the request, or the panel refused our frame
    REPLY = 10,         // reserved: "reply pending", never a final result
    NOCODE = 11         // the installation holds no remote-management code: nothing was sent
};

enum RequestConnection : quint8 {
    ERR_ADMIN = 0x00,
    ERR_USER = 0x01,
    ERR_LOGOUT = 0x80,
    ERR_USER_KEYBOARD = 0x81,
    ERR_TELENABLE = 0x82,
    ERR_INVALID_PACKET = 0x83
};

// The TError the panel's status byte stands for; an unknown byte counts as an invalid packet.
TError errorFromRequestConnection(quint8 status);
const char* terrorName(TError e);
