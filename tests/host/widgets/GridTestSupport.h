#pragma once

// Windows for the controls under test, and a small list of brands with prices shown in
// a DBGrid, as the assignment pages show their items.

#include "RecordingUi.h"
#include "host/core/DataSet.h"
#include "host/widgets/grid/DBGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

// A shown, active top-level window, so that focus and keys behave as on a desktop.
inline void showActive(QWidget& window)
{
    window.resize(640, 320);
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Columns: 0 CDMARCA (mask "99999;0; ", ellipsis), 1 NMMARCA (read-only), 2 VRPRECUNIITM,
// 3 VRPERDESITM (the last one).
class GridFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        using host::FieldDef;
        using host::FieldType;
        FieldDef brand = FieldDef::text(QStringLiteral("CDMARCA"), 5, QStringLiteral("Marca"));
        brand.editMask = QStringLiteral("99999;0; ");
        FieldDef price = FieldDef::of(QStringLiteral("VRPRECUNIITM"), FieldType::Float,
                                      QStringLiteral("Preço Unitário"));
        price.displayFormat = QStringLiteral("####,##0.00000");
        price.editFormat = QStringLiteral("#0.00000");
        FieldDef discount = FieldDef::of(QStringLiteral("VRPERDESITM"), FieldType::Float,
                                         QStringLiteral("Desconto"));
        discount.displayFormat = QStringLiteral("#0.00 %");
        discount.editFormat = QStringLiteral("#0.00");
        const host::FieldDefs defs{brand, FieldDef::text(QStringLiteral("NMMARCA"), 20), price,
                                   discount};
        host::Packet packet(defs);
        packet.appendRow({QStringLiteral("00001"), QStringLiteral("ACME"), 10.0, 0.0});
        packet.appendRow({QStringLiteral("00002"), QStringLiteral("BETA"), 20.0, 5.0});
        packet.appendRow({QStringLiteral("00003"), QStringLiteral("GAMA"), 30.0, 0.0});
        items.Name = QStringLiteral("cdsProdForn");
        items.SetFieldDefs(defs);
        items.SetData(packet);
        items.AfterScroll = [this](host::DataSet&) { ++scrolls; };

        grid = new host::DBGrid(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        grid->SetColumns({
            {QStringLiteral("CDMARCA"), {}, 60, {}, {}, false, true},
            {QStringLiteral("NMMARCA"), {}, 120, {}, {}, true, false},
            {QStringLiteral("VRPRECUNIITM"), {}, 110, {}, Qt::AlignRight, false, false},
            {QStringLiteral("VRPERDESITM"), {}, 80, {}, Qt::AlignRight, false, false},
        });
        grid->SetDataSet(&items);
        showActive(window);
        grid->setFocus();
    }

    QModelIndex cell(int row, int column) const { return grid->model()->index(row, column); }
    QPoint centre(int row, int column) const
    {
        return grid->visualRect(cell(row, column)).center();
    }
    void click(int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    // Moves the grid's cursor as the user would (through the grid's checks).
    void goTo(int row, int column) { grid->setCurrentIndex(cell(row, column)); }
    // Each key goes where the focus is when it is typed (the editor, once it opened).
    void type(const QString& text)
    {
        for (const QChar c : text)
            QTest::keyClicks(focused(), QString(c));
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(focused(), k, modifiers);
    }
    QWidget* focused() const
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w : grid;
    }
    bool gridHasFocus() const
    {
        QWidget* w = QApplication::focusWidget();
        return w && (w == grid || grid->isAncestorOf(w));
    }
    double price() const { return items.FieldByName(QStringLiteral("VRPRECUNIITM")).AsFloat(); }

    RecordingUi ui;
    host::DataSet items; // outlives the window and its grid
    QWidget window;
    host::DBGrid* grid = nullptr;
    int scrolls = 0;
};
