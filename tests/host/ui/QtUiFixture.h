#pragma once

#include "UiTestData.h"

#include "support/TestApplication.h"
#include "support/Widgets.h"

#include "host/ui/Halvore.h"
#include "host/ui/QtUi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>

// The desktop's real Ui installed for one test; the dialogs it opens are driven through
// testsupport::whenModalShown as a person would.
class QtUiTest : public ::testing::Test
{
protected:
    QtUiTest()
    {
        testsupport::application();
        host::Halvore::instance().reset();
        m_previous = host::Ui::install(&ui);
    }
    ~QtUiTest() override
    {
        host::Ui::install(m_previous);
        host::Halvore::instance().reset();
    }

    // The texts of the next message box, which is then closed with `caption`.
    void answerNextBox(const QString& caption, QString* title = nullptr, QString* text = nullptr)
    {
        testsupport::whenModalShown([=](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (!box) {
                ADD_FAILURE() << "Expected a message box, got " << modal.objectName().toStdString();
                modal.close();
                return;
            }
            if (title)
                *title = box->windowTitle();
            if (text)
                *text = box->text();
            testsupport::clickBoxButton(*box, caption);
        });
    }

    host::QtUi ui;

private:
    host::Ui* m_previous = nullptr;
};
