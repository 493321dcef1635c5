#pragma once

// The price worksheet over the demo centre's quotations: the main window with its list
// loaded, a quotation chosen, the tab "Produtos Cotados" clicked, and the grid painted as
// the screen shows it.

#include "register/ListTestSupport.h"
#include "support/QtPrinters.h"

#include "host/core/consiste/DisplayFormat.h"
#include "host/ui/Halvore.h"
#include "module/records/WorksheetValues.h"
#include "worksheet/DetailList.h"
#include "worksheet/Worksheet.h"

#include <QHash>
#include <QPoint>

namespace worksheettest {

inline const QString kDaniela = QStringLiteral("DANIELA.LIMA");

// What a cell looked like when it was last painted.
struct PaintedCell
{
    QString text;
    QColor background;
};

class WorksheetFixture : public listtest::ListFixture
{
protected:
    module::Worksheet& sheet() { return module::worksheetOf(form()); }
    host::TNewDecisionGrid& grid() { return *sheet().degCotacao; }
    host::DataSet& items() { return sheet().cdsAltCotacao; }
    QStringList& lines() { return *Cli_Sup01700::stlCotacao; }

    // Opens the worksheet of a quotation as a buyer does: the quotation chosen in the
    // list, then its tab.
    void openWorksheet(const QString& operatorCode, const QString& number, QSize size = {1400, 800})
    {
        host::Halvore::instance().setDBPict(host::Halvore::ProductPicture,
                                            QStringLiteral("99.99.999"));
        openAs(operatorCode);
        form().resize(size);
        goTo(number);
        selectWorksheet();
    }
    void selectWorksheet()
    {
        form().pgcPadrao->SelectPage(form().tshPadrao);
        QApplication::processEvents();
    }

    // Paints the whole grid now and returns every cell as the screen showed it.
    QHash<QPoint, PaintedCell> paint()
    {
        QHash<QPoint, PaintedCell> painted;
        auto draw = grid().OnDecisionDrawCell;
        grid().OnDecisionDrawCell = [&](int col, int row, QString& text, QColor& background,
                                        host::TNewDecisionGrid::GridStates state,
                                        host::TNewDecisionGrid::PivotStates kind) {
            if (draw)
                draw(col, row, text, background, state, kind);
            painted.insert(QPoint(col, row), {text, background});
        };
        grid().viewport()->repaint();
        grid().OnDecisionDrawCell = draw;
        return painted;
    }
    // Makes a data cell the selected one and paints, as a click does.
    void select(QPoint cell)
    {
        ASSERT_TRUE(grid().GotoCell(cell.x(), cell.y()));
        paint();
    }

    // The data cell of an item key; (-1, -1) when the grid has none.
    QPoint cellOf(const QString& key)
    {
        for (int row = 0; row < grid().DataRowCount(); ++row)
            for (int col = 0; col < grid().DataColCount(); ++col)
                if (!grid().IsSumCell(col, row) && sheet().CalcIndex(col, row) == key)
                    return QPoint(col, row);
        return QPoint(-1, -1);
    }
    // A data cell without a detail line (no supplier's price for it).
    QPoint cellWithoutLine()
    {
        module::DetailLine line;
        for (int row = 0; row < grid().DataRowCount(); ++row)
            for (int col = 0; col < grid().DataColCount(); ++col)
                if (!grid().IsSumCell(col, row) &&
                    module::LocateCotacao(lines(), sheet().CalcIndex(col, row), line) < 0)
                    return QPoint(col, row);
        return QPoint(-1, -1);
    }
    // The key of the current item of the item table.
    QString currentKey()
    {
        return items().FieldByName(QStringLiteral("COCREGIAO")).AsString() +
               items().FieldByName(QStringLiteral("COCFORNECED")).AsString() +
               items().FieldByName(QStringLiteral("COCPRODUTO")).AsString();
    }
    int itemCount(const QString& number, const QString& extra = QString())
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND "
                                    "NRCOLEPRECO = ? ") +
                         extra,
                     {number});
    }
};

} // namespace worksheettest
