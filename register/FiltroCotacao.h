#pragma once

// Entry routines of the quotation filter dialog (screen "SUP01701").
namespace module {

// Creates the filter dialog the first time (it is kept while the main window lives) and
// shows it modally; its confirmation loads the quotation list, the quoted suppliers and
// the purchasing parameters into the main window.
void CriaFiltroCotacao();
// Repeats the last confirmation, with its validations, without showing the dialog (the
// list page's refresh command). Does nothing before the dialog was first created.
void RepeteFiltroCotacao();
// Destroys the kept dialog (the main window is closing).
void DestroiFiltroCotacao();

} // namespace module
