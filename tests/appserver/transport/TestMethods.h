#pragma once

#include "appserver/rpc/Method.h"

#include <atomic>

namespace transporttest {

// A module of the test server, beside the real ones.
inline const QString kTestModule = QStringLiteral("Test.rdmTransporte");

// Counts the calls of "Espera" that began and that ended, for the shutdown tests.
struct SleepProbe
{
    std::atomic<int> started{0};
    std::atomic<int> finished{0};
};

// Eco(v) returns its argument; Espera(ms) sleeps and returns "pronto"; RenomeiaRegiao
// (code, name) renames a region (a writing method); Falha() fails with a server error.
void addTestMethods(appserver::rpc::MethodRegistry& registry, SleepProbe& probe);

} // namespace transporttest
