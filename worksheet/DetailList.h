#pragma once

#include "module/records/WorksheetValues.h"

#include <QString>
#include <QStringList>

// The worksheet's detail lines (Cli_Sup01700::stlCotacao): one line per item, beginning
// with the item key, kept sorted without regard to case so that a cell finds its line by
// binary search.
namespace module {

// Index of a line that begins with `key` (compared without regard to case), by binary
// search over a sorted list; with `first`, the first of the lines that begin with it.
// -1 when none does.
int PesqBinaria(const QStringList& list, const QString& key, bool first = false);

// The line of an item key and its parts; -1 and empty parts when the item has none. The
// key is matched whole (followed by the lines' price separator), so that the key of one
// brand never finds the line of a brand whose name merely begins like it.
int LocateCotacao(const QStringList& list, const QString& key, DetailLine& fields);

// Index of the first entry that contains `text` anywhere; -1 when none does.
int FindString(const QStringList& list, const QString& text);

// The lines of a server's text (one per line break), sorted.
void setDetailText(QStringList& list, const QString& text);
// Sorts the lines without regard to case.
void sortDetailLines(QStringList& list);
// Writes a line into a sorted list at the place its text sorts to, replacing the line at
// `replaced` (-1: a new line). The list stays sorted.
void placeDetailLine(QStringList& list, int replaced, const QString& line);

// The line of an item written by the worksheet itself (a priced or changed item): its
// price in the three price parts, no quantity, unit or discount, marked changed.
QString changedItemLine(const QString& key, double price, const QString& treeCode);

} // namespace module
