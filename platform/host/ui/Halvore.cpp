#include "Halvore.h"

#include "KeyMessageFilter.h"
#include "Ui.h"

#include <QCoreApplication>

namespace host {

namespace {
const QString kProductPicture = QStringLiteral("99.99.999");
}

Halvore& Halvore::instance()
{
    static Halvore session;
    return session;
}

Halvore::Halvore()
{
    m_pictures.insert(ProductPicture, kProductPicture);
}

Halvore::~Halvore() = default;

void Halvore::setOperator(const QString& code, const QString& name, const QString& branch)
{
    m_operator = code;
    m_operatorName = name;
    m_branch = branch;
}

QString Halvore::DBPict(int kind) const
{
    return m_pictures.value(kind);
}

void Halvore::setDBPict(int kind, const QString& picture)
{
    m_pictures.insert(kind, picture);
}

void Halvore::setServer(const QString& url, int port)
{
    m_webUrl = url;
    m_webPort = port;
}

void Halvore::LoadBPL(const QString& screenCode, const QVariantList& values)
{
    Ui::current().loadScreen(screenCode, values);
}

void Halvore::registerScreen(const QString& screenCode, ScreenLoader loader)
{
    m_screens.insert(screenCode.trimmed().toUpper(), std::move(loader));
}

void Halvore::unregisterScreen(const QString& screenCode)
{
    m_screens.remove(screenCode.trimmed().toUpper());
}

Halvore::ScreenLoader Halvore::screenLoader(const QString& screenCode) const
{
    return m_screens.value(screenCode.trimmed().toUpper());
}

void Halvore::saveOptions(const QString& screenCode, const OptionList& options)
{
    m_options.save(screenCode, m_operator, options);
}

OptionList Halvore::loadOptions(const QString& screenCode) const
{
    return m_options.load(screenCode, m_operator);
}

void Halvore::setMsgEventForm(KeyMessageHandler handler)
{
    m_keyFilter.reset();
    if (handler && QCoreApplication::instance())
        m_keyFilter = std::make_unique<KeyMessageFilter>(std::move(handler));
}

bool Halvore::hasMsgEventForm() const
{
    return m_keyFilter != nullptr;
}

void Halvore::reset()
{
    m_operator.clear();
    m_operatorName.clear();
    m_branch.clear();
    m_pictures.clear();
    m_pictures.insert(ProductPicture, kProductPicture);
    m_webUrl.clear();
    m_webPort = 0;
    m_database = nullptr;
    m_remoteSession = nullptr;
    m_screens.clear();
    m_options.setFile(QString());
    m_keyFilter.reset();
}

} // namespace host
