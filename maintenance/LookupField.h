#pragma once

#include <QObject>
#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;

namespace host {
class TBtnPesquisa;
class TMaskEdit;
} // namespace host

namespace module {

// One code field of a maintenance dialog, on one row of a grid: its caption, the masked
// code, the search button and the read-only name beside them, and for the brands the
// qualified and not-qualified marks right of the name. Typing in the code forgets the
// name and hides the marks. Controls are named "<prefix>..." by the caller.
class LookupField final : public QObject
{
    Q_OBJECT
public:
    struct Names
    {
        QString code;   // e.g. "medCdRegiao"
        QString search; // e.g. "btnRegiao"
        QString name;   // e.g. "edtNmRegiao"
        QString qualified;    // with marks only, e.g. "imgAutorizMarca01"
        QString notQualified; // e.g. "imgNaoAutorizMarca01"
    };
    LookupField(QGridLayout& grid, int row, const QString& caption, const QString& mask,
                const Names& names, QObject* parent);

    QLabel* label = nullptr;
    host::TMaskEdit* code = nullptr;
    host::TBtnPesquisa* search = nullptr;
    QLineEdit* name = nullptr;
    QLabel* qualifiedMark = nullptr;    // null without marks
    QLabel* notQualifiedMark = nullptr; // null without marks

    QString text() const;
    bool isEmpty() const;
    void setText(const QString& code, const QString& name);
    // Shows one mark: the qualified one or the other.
    void showMark(bool qualified);
    void hideMarks();
    // Enables or disables the code and its search.
    void setEditable(bool editable);
};

} // namespace module
