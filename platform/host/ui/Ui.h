#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <optional>

class QDialog;
class QWidget;

namespace host {

class DataSet;

// Button codes the system's message functions answer with.
enum ModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

enum class MessageKind { Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

// A button of MsgAlertEx: its caption and the code it answers with (e.g. "Sim" → 10).
struct AlertButton
{
    QString caption;
    int code = mrOk;
};

// Single choice over a data set (Pesquisar): on confirm the source is left on the chosen
// record. Titles may carry the empty-list text after a '|' ("Fornecedor|Não há ...").
struct SearchRequest
{
    DataSet* source = nullptr;
    QString keyField;
    QString title;
    QString emptyText;
    QStringList columns;  // fields shown; empty: the visible fields
    bool keySearch = true;  // typing looks the key column up
    QWidget* parent = nullptr;
};

// Multi-choice list (PesquisaLista): marks records of the source; the answer is the
// chosen keys in the list format "_k1_k2_" ("" when none), earlier choices pre-marked.
struct MultiSearchRequest
{
    DataSet* source = nullptr;
    QString keyField;
    QString title;  // "title|empty text" allowed
    QString emptyText;
    QString chosen;  // earlier choices, list format
    QStringList columns;
    QWidget* parent = nullptr;
};

// Tree search over a product source with a level field (groups and products).
struct TreeSearchRequest
{
    DataSet* source = nullptr;
    QString levelField = QStringLiteral("CDNVPRODUTO");
    QString codeField = QStringLiteral("CDPRODUTO");
    QString nameField = QStringLiteral("NMPRODUTO");
    QString treeCodeField = QStringLiteral("CDARVPROD");
    QString picture;  // product code picture, e.g. "99.99.999"; empty: Halvore's DBPict(0)
    QString title;
    QString emptyText;
    bool keySearch = true;
    // Rows at this level or deeper are products (choosable); shallower ones are groups.
    // A source without the level field holds products only.
    int productLevel = 3;
    QWidget* parent = nullptr;
};

// Everything that waits on a person goes through the current Ui: message boxes and
// questions, modal dialogs, searches, password confirmation, the busy animation and the
// opening of other screens. The application installs the Qt implementation; tests
// install a scripted one that answers from a script and records what was shown.
class Ui
{
public:
    virtual ~Ui();

    static Ui& current();
    // Installs `ui` as the current one (not owned); returns the previous one.
    static Ui* install(Ui* ui);

    // A message with one OK button.
    virtual void message(MessageKind kind, const QString& text, QWidget* parent = nullptr) = 0;
    // A question; answers one of ModalResult (mrYes = 6 ...).
    virtual int ask(MessageKind kind, const QString& text, MessageButtons buttons,
                    QWidget* parent = nullptr) = 0;
    // An alert with captioned buttons; answers the pressed button's code.
    virtual int alert(MessageKind kind, const QString& text, const QList<AlertButton>& buttons,
                      QWidget* parent = nullptr) = 0;

    // Shows a dialog modally and answers its result; `screenCode` names it to scripts.
    virtual int execModal(QDialog& dialog, const QString& screenCode) = 0;

    virtual bool Pesquisar(const SearchRequest& request) = 0;
    // Nothing when cancelled.
    virtual std::optional<QString> PesquisaLista(const MultiSearchRequest& request) = 0;
    virtual bool PesquisaArvore(const TreeSearchRequest& request) = 0;
    // Finds a record of the source by a column and a typed value; true when found.
    virtual bool Procura(DataSet& source, const QStringList& columns, QWidget* parent = nullptr) = 0;
    // Asks the password of `operatorCode` and checks it; true when confirmed.
    virtual bool CriaConfSenha(const QString& operatorCode, QWidget* parent = nullptr) = 0;
    // Same, with the dialog's title and the caption of whose password it is (a buyer's
    // confirmation passes "Confere Senha" and "Comprador").
    virtual bool CriaConfSenha(const QString& operatorCode, const QString& title,
                               const QString& label, QWidget* parent = nullptr)
    {
        Q_UNUSED(title);
        Q_UNUSED(label);
        return CriaConfSenha(operatorCode, parent);
    }

    // The busy animation with a text, shown before a synchronous call starts; nested
    // calls stack. kind follows the callers' codes (1 the default animation).
    virtual void busyShow(QWidget* form, int kind, const QString& text) = 0;
    virtual void busyHide() = 0;

    // Opens another screen of the system with its values (Halvore.LoadBPL).
    virtual void loadScreen(const QString& screenCode, const QVariantList& values) = 0;
};

} // namespace host
