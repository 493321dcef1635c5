#pragma once

#include <QGroupBox>
#include <functional>

class QRadioButton;

namespace host {
class DataSet;
class TBtnPesquisa;
} // namespace host

namespace module {

// A "Lista / Todos" choice of the screens (buyers, regions, suppliers, brands, checks): the
// list of chosen codes ("_001_004_") or every code, and the search that fills the list.
// Choosing "Todos" clears the list and disables the search (and sets the all-marker "T"
// when there is one); choosing "Lista" enables the search (and clears the marker); F9 on
// "Lista" searches. The list and the marker are kept by the screen (they may be module-wide).
class ChoiceGroup final : public QGroupBox
{
    Q_OBJECT
public:
    struct Names
    {
        QString lista;   // the "Lista" option, e.g. "rbtListaRegiao"
        QString todos;   // the all option, e.g. "rbtTodosRegiao"
        QString search;  // the search button, e.g. "sbtRegiao"
    };
    // `listFirst` puts "Lista" before the all option; `marker` may be null.
    ChoiceGroup(const QString& title, const QString& allCaption, const Names& names,
                bool listFirst, QString* list, QString* marker, QWidget* parent);

    QRadioButton* lista = nullptr;
    QRadioButton* todos = nullptr;
    host::TBtnPesquisa* button = nullptr;
    // The search of the list (the button, or F9 on "Lista").
    std::function<void()> search;

    QString& list() const { return *m_list; }
    // The host's multi-choice list over `source` (earlier choices marked); what the person
    // chooses becomes the list. `title` may carry the empty-list text after a '|'.
    void chooseFrom(host::DataSet& source, const QString& keyField, const QString& title);
    bool listChosen() const;
    // Selects an option by code, with the option's reaction.
    void select(bool listOption);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void optionSelected(bool listOption);

    QString* m_list;
    QString* m_marker;
};

} // namespace module
