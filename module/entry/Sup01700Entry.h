#pragma once

// The module's entry routines. The host opens the screen through IniProc.
namespace module {

void IniProc();
// Creates the main window once (asking the server's database kind and opening the
// quotation filter), or shows the existing one again.
void CriaPlanCotaPrec();

} // namespace module
