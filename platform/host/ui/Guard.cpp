#include "Guard.h"

#include <QApplication>
#include <QCursor>

namespace host {

void MensErro(const QString& text, bool abort)
{
    Ui::current().message(MessageKind::Error, text);
    if (abort)
        throw EAbort();
}

void reportHandlerException(std::exception_ptr error) noexcept
{
    try {
        try {
            std::rethrow_exception(error);
        } catch (const EAbort&) {
            // The message, if any, was shown where the abort was decided.
        } catch (const Exception& e) {
            Ui::current().message(MessageKind::Error, e.message());
        } catch (const std::exception& e) {
            Ui::current().message(MessageKind::Error, QString::fromLocal8Bit(e.what()));
        } catch (...) {
            Ui::current().message(MessageKind::Error, QStringLiteral("Erro inesperado."));
        }
    } catch (...) {
        // Showing the error failed as well; nothing more can be done here.
    }
}

void ActiveShowAvi(QWidget* form, int kind, const QString& text)
{
    Ui::current().busyShow(form, kind, text);
}

void DeactiveShowAvi()
{
    Ui::current().busyHide();
}

BusyScope::BusyScope(QWidget* form, const QString& text, int kind)
{
    ActiveShowAvi(form, kind, text);
}

BusyScope::~BusyScope()
{
    hide();
}

void BusyScope::hide()
{
    if (m_shown) {
        m_shown = false;
        DeactiveShowAvi();
    }
}

WaitCursor::WaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

} // namespace host
