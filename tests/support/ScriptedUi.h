#pragma once

#include "host/ui/Ui.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <functional>
#include <optional>

class QDialog;

namespace testsupport {

// The Ui of tests: a person played by a script. For its lifetime it is the current Ui.
//
// It records what the program showed (messages, questions with the answer given, busy
// shows and hides, screens opened, searches and password requests) and answers from
// queues filled by the test: questions and alerts, searches, password confirmations.
// A modal dialog runs the script registered for its screen code; the script works the
// real controls (fills them, clicks sbtConfirma) as a person would.
//
// Whatever the program asks that the test did not foresee fails the running test: a
// question with no queued answer (answered No), a search with no queued answer
// (cancelled), an unscripted modal dialog (rejected). When it is destroyed, answers left
// in the queues and a busy animation still shown fail the test too.
class ScriptedUi final : public host::Ui
{
public:
    ScriptedUi();
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // ---- what was shown ---------------------------------------------------------------
    struct Message
    {
        host::MessageKind kind;
        QString text;
        int busyDepth = 0; // busy animations shown while the message was
    };
    // A question (ask) or an alert, with the answer the script gave.
    struct Question
    {
        host::MessageKind kind;
        QString text;
        QStringList captions; // the buttons offered
        int answer = host::mrNone;
    };
    struct ScreenCall
    {
        QString screen;
        QVariantList values;
    };
    struct BusyEvent
    {
        bool shown; // false: hidden
        int kind;
        QString text;
    };
    enum class SearchKind
    {
        Single,
        List,
        Tree,
        Find
    };
    struct SearchCall
    {
        SearchKind kind;
        QString title; // as requested ("title|empty text" kept whole)
        QString keyField;
        QString chosen; // the earlier list of a multi-choice search
        bool answered = false;
    };
    struct PasswordCall
    {
        QString operatorCode;
        QString title;
        QString label;
        bool confirmed = false;
    };
    struct ModalCall
    {
        QString screen;
        int result = 0;
    };

    const QList<Message>& messages() const { return m_messages; }
    QStringList messageTexts() const;
    QStringList messageTexts(host::MessageKind kind) const;
    // The text of the last message; empty when none.
    QString lastMessage() const;
    const QList<Question>& questions() const { return m_questions; }
    const QList<ScreenCall>& screens() const { return m_screens; }
    const QList<BusyEvent>& busyEvents() const { return m_busy; }
    const QList<SearchCall>& searches() const { return m_searches; }
    const QList<PasswordCall>& passwords() const { return m_passwords; }
    const QList<ModalCall>& modals() const { return m_modals; }
    // Forgets what was recorded (the queues stay).
    void clearRecords();

    // ---- answers ------------------------------------------------------------------------
    // The next question or alert is answered with `code` (mrYes, mrNo, 10 for "Sim" ...).
    ScriptedUi& answer(int code);
    ScriptedUi& answerYes() { return answer(host::mrYes); }
    ScriptedUi& answerNo() { return answer(host::mrNo); }

    using ModalScript = std::function<void(QDialog& dialog)>;
    // The next showing of the screen's dialog runs the script; the script must close the
    // dialog (confirm or cancel it).
    ScriptedUi& onModal(const QString& screenCode, ModalScript script);
    // Every showing of the screen's dialog runs the script.
    ScriptedUi& onEveryModal(const QString& screenCode, ModalScript script);

    // The next single-choice, tree or find search chooses the record whose `field` holds
    // `key` (case-insensitive). The field defaults to the search's key field; for the tree,
    // to the tree code and then the product code; for a find, to its first column, and the
    // key may then be the start of the value.
    ScriptedUi& answerSearch(const QVariant& key, const QString& field = QString());
    // The next multi-choice search marks the codes of `list` ("_001_004_", "" for none);
    // it answers them in the source's order, as the real list does.
    ScriptedUi& answerList(const QString& list);
    // The next search of any kind is cancelled.
    ScriptedUi& cancelNextSearch();

    // The next password confirmation is confirmed or refused.
    ScriptedUi& confirmPassword(bool confirmed);
    // The next password confirmation types `password`; it is checked against the session's
    // database like the real dialog does (a wrong one shows "Senha inválida." and the
    // person then gives up).
    ScriptedUi& typePassword(const QString& password);

    // Answers still queued.
    int pendingAnswers() const;

    // ---- busy animation -------------------------------------------------------------------
    int busyDepth() const { return m_busyDepth; }
    QString busyText() const;
    // Fails the test when a busy animation is still shown.
    void expectNoBusyShown(const QString& where = QString()) const;

    // ---- Ui -----------------------------------------------------------------------------
    void message(host::MessageKind kind, const QString& text, QWidget* parent = nullptr) override;
    int ask(host::MessageKind kind, const QString& text, host::MessageButtons buttons,
            QWidget* parent = nullptr) override;
    int alert(host::MessageKind kind, const QString& text, const QList<host::AlertButton>& buttons,
              QWidget* parent = nullptr) override;
    int execModal(QDialog& dialog, const QString& screenCode) override;
    bool Pesquisar(const host::SearchRequest& request) override;
    std::optional<QString> PesquisaLista(const host::MultiSearchRequest& request) override;
    bool PesquisaArvore(const host::TreeSearchRequest& request) override;
    bool Procura(host::DataSet& source, const QStringList& columns,
                 QWidget* parent = nullptr) override;
    bool CriaConfSenha(const QString& operatorCode, QWidget* parent = nullptr) override;
    bool CriaConfSenha(const QString& operatorCode, const QString& title, const QString& label,
                       QWidget* parent = nullptr) override;
    void busyShow(QWidget* form, int kind, const QString& text) override;
    void busyHide() override;
    void loadScreen(const QString& screenCode, const QVariantList& values) override;

private:
    struct SearchAnswer
    {
        enum Kind
        {
            Choose,
            List,
            Cancel
        } kind;
        QVariant key;
        QString field;
        QString list;
    };
    struct PasswordAnswer
    {
        std::optional<bool> confirmed;
        QString password;
    };
    struct ModalEntry
    {
        ModalScript script;
        bool everyTime = false;
    };

    int nextAnswer(const QString& text, const QList<int>& allowed, int fallback);
    std::optional<SearchAnswer> nextSearch(SearchCall call, const char* what);
    bool chooseByKey(host::DataSet& source, const QStringList& fields, const QVariant& key,
                     int options);

    host::Ui* m_previous = nullptr;
    QList<Message> m_messages;
    QList<Question> m_questions;
    QList<ScreenCall> m_screens;
    QList<BusyEvent> m_busy;
    QList<SearchCall> m_searches;
    QList<PasswordCall> m_passwords;
    QList<ModalCall> m_modals;
    QStringList m_busyTexts; // stack of the texts shown
    int m_busyDepth = 0;

    std::deque<int> m_answers;
    std::deque<SearchAnswer> m_searchAnswers;
    std::deque<PasswordAnswer> m_passwordAnswers;
    QMap<QString, std::deque<ModalEntry>> m_modalScripts;
};

} // namespace testsupport
