#pragma once

#include "host/ui/Ui.h"

#include <QToolButton>
#include <functional>

namespace host {

// A flat button (the screens' tool and search buttons): raised only under the mouse and
// never taking the focus away from the field being typed. OnClick runs through the
// handler guard.
class TButtonFlat : public QToolButton
{
    Q_OBJECT
public:
    explicit TButtonFlat(QWidget* parent = nullptr);

    std::function<void()> OnClick;
};

// The search button beside a code field. A click runs BeforePesq (set the query's
// parameters, open it), then the search, then — when something was chosen — AfterPesq
// (copy the chosen code and name into the fields). Everything runs through the handler
// guard: a failure or an abort in any step stops the rest.
class TBtnPesquisa : public TButtonFlat
{
    Q_OBJECT
public:
    explicit TBtnPesquisa(QWidget* parent = nullptr);

    std::function<void()> BeforePesq;
    std::function<void()> AfterPesq;
    // The search itself; true when the user chose a record.
    std::function<bool()> OnPesquisa;

    // The search as the host's single-choice dialog over a data set (Pesquisar).
    void SetSearch(const SearchRequest& request);
    // The search as the host's product tree (PesquisaArvore).
    void SetTreeSearch(const TreeSearchRequest& request);

    // Runs the three steps; exceptions pass to the caller (a click runs it guarded).
    // True when something was chosen.
    bool Execute();
};

} // namespace host
