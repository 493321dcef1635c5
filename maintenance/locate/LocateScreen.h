#pragma once

#include "host/forms/TfrmRotiGeral.h"

#include <QPointer>
#include <QVariantList>

class QLineEdit;
class QToolButton;

namespace host {
class TNewDecisionGrid;
}

namespace module {

// "Localizar" (screen "SUP01717"): a small find window over the rows of a pivot grid.
// The buyer types part of a product or brand name (or a code) and steps from row to row
// whose label holds it, ignoring case and accents; the search starts after the grid's
// current row and goes round to the top once. The window is not modal: the buyer keeps
// working on the grid while it is open, and one window serves whichever grid opened it
// last. Closing it (close button or Escape) only hides it.
class TfrmLocaliza final : public host::TfrmRotiGeral
{
    Q_OBJECT
public:
    explicit TfrmLocaliza(QWidget* parent = nullptr);
    ~TfrmLocaliza() override;

    QLineEdit* edtProcura = nullptr;
    QToolButton* sbtProximo = nullptr;

    // The grid searched; nothing is searched once it is gone.
    void setGrid(host::TNewDecisionGrid* grid);
    host::TNewDecisionGrid* grid() const { return m_grid; }

    // Moves the grid to the next row whose label holds the typed text; says so when no
    // row does. True when a row was found.
    bool LocalizaProximo();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<host::TNewDecisionGrid> m_grid;
};

// Next row after the grid's current one (going round to the top once) whose label holds
// `text`, ignoring case and accents; the grid moves there, keeping its column. Sum rows
// are passed over. False when no row holds it (or the text is empty).
bool LocalizaTexto(host::TNewDecisionGrid& grid, const QString& text);

// First row at or after `startRow` (going round to the top once) whose label carries
// `code`: a 10-character code is a product code, looked for in the label's product code;
// a 5-character one a brand code, looked for in its brand code; any other code is looked
// for anywhere in the label. A negative start is the first row. The grid moves there,
// keeping its column; false (and the grid as it was) when no row carries it.
bool LocalizaCodigo(host::TNewDecisionGrid& grid, const QString& code, int startRow);

// Opens the screen with its values: {"P", grid, -1, true} shows the find window over the
// grid; {"L", code, "4", grid, -1, startRow} moves the grid to the code's row without a
// window. Values of any other shape are ignored (and logged).
void CriaLocaliza(const QVariantList& values);

// The find window while it exists (it is created on first use and kept).
TfrmLocaliza* frmLocaliza();

// Makes "SUP01717" a screen the session opens by code (Halvore.LoadBPL).
void registerLocateScreen();

} // namespace module
