#pragma once

#include <QDate>
#include <QString>

namespace host {
class Database;
}

namespace appserver::db {

// Writes the demo purchasing centre: branches, buyers and their manager (password "demo"),
// regions, suppliers, the product tree with brands and qualifications, purchase requests
// and six quotations with their items. Every table is emptied first, and the schema is
// created when missing, all in one transaction.
//
// The demo is anchored on the reference day: quotations fall on the ISO weeks around it
// (collected up to three weeks before, valid from two weeks before to two weeks after) and
// qualification dates lie relative to its year. Everything else is fixed, so the same
// reference day always writes the same database. Operator salts are derived from the
// operator code for that reason; passwords set later get random salts.
void seedDemo(host::Database& db, const QDate& reference = QDate::currentDate());

// Adds one quotation of exactly `items` items (five regions, up to thirty active suppliers,
// generated products with three brands each) for benchmarks, writing the demo first when
// the database has no regions yet. One transaction. Returns the new quotation's number.
// Throws std::invalid_argument when items is not positive.
QString seedScale(host::Database& db, int items, const QDate& reference = QDate::currentDate());

} // namespace appserver::db
