#pragma once

// A statement prepared once and run many times within one call, for the writes of a save
// that changes hundreds of thousands of items: on SQLite straight on the engine's handle,
// on other databases through the Qt driver. Values are always bound, never written into
// the text.

#include <QString>
#include <memory>
#include <optional>

namespace host {
class Database;
}

namespace appserver::modules {

class Statement
{
public:
    // Throws host::EDatabaseError when the database refuses the text.
    Statement(host::Database& db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Values of the "?" placeholders, from 0; they stay bound until bound again.
    Statement& bind(int index, const QString& text);
    Statement& bind(int index, double number);
    Statement& bindNull(int index);

    // Runs a statement that writes; returns the number of rows it changed. Throws
    // host::EDatabaseError.
    int execute();
    // Runs a query of one number; nothing when it finds no row, 0 for NULL.
    std::optional<double> readNumber();

private:
    struct Impl;
    struct SqliteImpl;
    struct DriverImpl;
    std::unique_ptr<Impl> d;
};

} // namespace appserver::modules
