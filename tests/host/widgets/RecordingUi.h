#pragma once

// A person who reads every message (recorded) and answers questions from a queue; it is
// installed for the life of the object.

#include "host/core/Exceptions.h"
#include "host/ui/Ui.h"

#include <QStringList>
#include <deque>

class RecordingUi final : public host::Ui
{
public:
    RecordingUi() : m_previous(host::Ui::install(this)) {}
    ~RecordingUi() override { host::Ui::install(m_previous); }

    struct Shown
    {
        host::MessageKind kind;
        QString text;
    };
    QList<Shown> messages;
    QStringList questions;
    std::deque<int> answers; // for ask(); empty: No
    QList<host::SearchRequest> searches;
    bool searchResult = true;

    QStringList texts() const
    {
        QStringList out;
        for (const Shown& m : messages)
            out.append(m.text);
        return out;
    }

    void message(host::MessageKind kind, const QString& text, QWidget*) override
    {
        messages.append({kind, text});
    }
    int ask(host::MessageKind, const QString& text, host::MessageButtons, QWidget*) override
    {
        questions.append(text);
        if (answers.empty())
            return host::mrNo;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    int alert(host::MessageKind, const QString& text, const QList<host::AlertButton>&,
              QWidget*) override
    {
        questions.append(text);
        return host::mrOk;
    }
    int execModal(QDialog&, const QString&) override { return host::mrCancel; }
    bool Pesquisar(const host::SearchRequest& request) override
    {
        searches.append(request);
        return searchResult;
    }
    std::optional<QString> PesquisaLista(const host::MultiSearchRequest&) override
    {
        return std::nullopt;
    }
    bool PesquisaArvore(const host::TreeSearchRequest&) override { return false; }
    bool Procura(host::DataSet&, const QStringList&, QWidget*) override { return false; }
    bool CriaConfSenha(const QString&, QWidget*) override { return false; }
    void busyShow(QWidget*, int, const QString&) override {}
    void busyHide() override {}
    void loadScreen(const QString&, const QVariantList&) override {}

private:
    host::Ui* m_previous;
};
