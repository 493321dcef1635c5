#include "SqliteWriteStamp.h"

#include <QRandomGenerator>
#include <sqlite3.h>

namespace host::Internal {

namespace {

// The stamp of one connection; 0 until the transaction's first use.
struct WriteStamp
{
    sqlite3_int64 value = 0;
};

void writeStamp(sqlite3_context* ctx, int, sqlite3_value**)
{
    auto* stamp = static_cast<WriteStamp*>(sqlite3_user_data(ctx));
    while (stamp->value == 0)
        stamp->value = sqlite3_int64(QRandomGenerator::system()->generate64() >> 1);
    sqlite3_result_int64(ctx, stamp->value);
}

int forgetOnCommit(void* data)
{
    static_cast<WriteStamp*>(data)->value = 0;
    return 0; // the commit goes on
}

void forgetOnRollback(void* data)
{
    static_cast<WriteStamp*>(data)->value = 0;
}

void destroyStamp(void* data)
{
    delete static_cast<WriteStamp*>(data);
}

} // namespace

bool registerWriteStamp(sqlite3* db)
{
    auto* stamp = new WriteStamp;
    // Not deterministic: the value changes between transactions. Direct only: it is for the
    // schema's triggers and the server's statements, not for views or indexes.
    if (sqlite3_create_function_v2(db, "WRITE_STAMP", 0, SQLITE_UTF8, stamp, writeStamp, nullptr,
                                   nullptr, destroyStamp) != SQLITE_OK)
        return false; // SQLite destroyed the stamp itself
    sqlite3_commit_hook(db, forgetOnCommit, stamp);
    sqlite3_rollback_hook(db, forgetOnRollback, stamp);
    return true;
}

} // namespace host::Internal
