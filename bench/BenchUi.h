#pragma once

#include "host/ui/Ui.h"

#include <functional>

class QDialog;

// The person at a benchmark's screen: runs a dialog's script when it is shown modally and
// answers every question "No"; nothing waits and nothing is recorded.
class BenchUi final : public host::Ui
{
public:
    std::function<void(QDialog&)> onModal;

    void message(host::MessageKind, const QString& text, QWidget*) override { lastMessage = text; }
    QString lastMessage;
    int ask(host::MessageKind, const QString&, host::MessageButtons, QWidget*) override
    {
        return host::mrNo;
    }
    int alert(host::MessageKind, const QString&, const QList<host::AlertButton>&, QWidget*) override
    {
        return host::mrNo;
    }
    int execModal(QDialog& dialog, const QString& screenCode) override;
    bool Pesquisar(const host::SearchRequest&) override { return false; }
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
};
