#pragma once

// What every fuzz target shares: reading the fuzzer's bytes as text and stopping the run
// when an invariant fails, so that libFuzzer keeps the input that broke it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Prints what went wrong and aborts; libFuzzer saves the input as a crash.
[[noreturn]] void violated(const char* invariant, const QString& detail = {});

inline void check(bool holds, const char* invariant, const QString& detail = {})
{
    if (!holds)
        violated(invariant, detail);
}

inline QByteArrayView bytes(const uint8_t* data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input as text; malformed UTF-8 becomes replacement characters, as a server reading
// a request would see it.
inline QString text(QByteArrayView bytes)
{
    return QString::fromUtf8(bytes);
}

// A shortened, printable view of an input for violation messages.
QString shown(const QString& text);

} // namespace fuzz
