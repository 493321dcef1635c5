#pragma once

#include "OptionStore.h"

#include <QHash>
#include <QString>
#include <QVariantList>
#include <Qt>
#include <functional>
#include <memory>

namespace host {

class Database;
class KeyMessageFilter;
class RemoteSession;

// A key press or release as the session's key-message handler sees it, before the focused
// control. The handler may change the key and its text (the control then receives the
// changed key) or mark it handled (the control never sees it).
struct KeyMessage
{
    bool pressed = true; // false: the key is released
    int key = 0;         // Qt::Key
    Qt::KeyboardModifiers modifiers;
    QString text;
    bool handled = false;
};

// The logged-in session of the desktop client: who works (operator, name, branch), the
// application server's address and session, the product code picture, the shared-database
// connection, the other screens of the system that can be opened by code, the saved
// options of the screens and the one key-message handler. One per program.
class Halvore
{
public:
    static Halvore& instance();

    // ---- operator ---------------------------------------------------------------------
    const QString& Operador() const { return m_operator; }
    const QString& NomeOperador() const { return m_operatorName; }
    const QString& FiliProc() const { return m_branch; }
    void setOperator(const QString& code, const QString& name, const QString& branch);

    // ---- pictures ---------------------------------------------------------------------
    // Picture of a kind of code; kind 0 is the product tree code ("99.99.999" unless the
    // installation sets another). An unknown kind has no picture ("").
    enum PictureKind
    {
        ProductPicture = 0
    };
    QString DBPict(int kind) const;
    void setDBPict(int kind, const QString& picture);

    // ---- application server -----------------------------------------------------------
    const QString& WebURL() const { return m_webUrl; }
    int WebPort() const { return m_webPort; }
    void setServer(const QString& url, int port);

    // ---- shared database and the application server session (not owned; set by the
    // application after the login) ------------------------------------------------------
    Database* database() const { return m_database; }
    void setDatabase(Database* database) { m_database = database; }
    RemoteSession* remoteSession() const { return m_remoteSession; }
    void setRemoteSession(RemoteSession* session) { m_remoteSession = session; }

    // ---- other screens ----------------------------------------------------------------
    using ScreenLoader = std::function<void(const QVariantList& values)>;
    // Opens a screen of the system with its values, through the current Ui.
    void LoadBPL(const QString& screenCode, const QVariantList& values);
    void registerScreen(const QString& screenCode, ScreenLoader loader);
    void unregisterScreen(const QString& screenCode);
    // The loader of a screen; empty when the screen is not installed.
    ScreenLoader screenLoader(const QString& screenCode) const;

    // ---- saved options ----------------------------------------------------------------
    OptionStore& optionStore() { return m_options; }
    // The current operator's options of a screen.
    void saveOptions(const QString& screenCode, const OptionList& options);
    OptionList loadOptions(const QString& screenCode) const;

    // ---- key messages (MsgEventForm) --------------------------------------------------
    // One handler for the whole program sees every key press before the focused control;
    // a dialog installs it while active and clears it when it leaves. Needs a QApplication.
    using KeyMessageHandler = std::function<void(KeyMessage& message)>;
    void setMsgEventForm(KeyMessageHandler handler);
    void clearMsgEventForm() { setMsgEventForm(nullptr); }
    bool hasMsgEventForm() const;

    // Back to a session nobody logged into (tests start from it).
    void reset();

    Halvore(const Halvore&) = delete;
    Halvore& operator=(const Halvore&) = delete;
    ~Halvore();

private:
    Halvore();

    QString m_operator;
    QString m_operatorName;
    QString m_branch;
    QHash<int, QString> m_pictures;
    QString m_webUrl;
    int m_webPort = 0;
    Database* m_database = nullptr;
    RemoteSession* m_remoteSession = nullptr;
    QHash<QString, ScreenLoader> m_screens;
    OptionStore m_options;
    std::unique_ptr<KeyMessageFilter> m_keyFilter;
};

} // namespace host
