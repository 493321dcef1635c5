#pragma once

#include <QVariant>

namespace host {

// Checks the result of a remote call before the caller uses it.
//
// isPacket true: the call returns a data packet. The result is returned as is when it is a
// host::Packet or an array of two packets (the methods that answer two tables at once).
// A non-empty text in its place is the server's error message and raises ERemote with it;
// anything else (null, an empty text, another shape) raises ERemote naming what came.
//
// isPacket false: the call returns a code or a text, returned as a QString (null as "",
// numbers as their text); a packet or another structure raises ERemote.
//
// The third argument is kept for the call sites and not used.
QVariant CheckResultServ(const QVariant& result, bool isPacket, int reserved = 0);

} // namespace host
