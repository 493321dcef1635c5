// The edit controls: masked edits and their conversion, the date edit with its check,
// the number edit's limits and the week spin.

#include "GridTestSupport.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/EditMask.h"
#include "host/widgets/MaskEdit.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SpinEdit.h"

#include <QCalendarWidget>
#include <QSignalSpy>

using namespace host;

namespace {

// A window holding one control under test and a second field to leave it for.
template <typename Control> struct Form
{
    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        control = new Control(&window);
        other = new QLineEdit(&window);
        layout->addWidget(control);
        layout->addWidget(other);
        showActive(window);
        control->setFocus();
    }
    void leave() { other->setFocus(); }

    QWidget window;
    Control* control;
    QLineEdit* other;
};

} // namespace

// --- masks ---------------------------------------------------------------------------

TEST(EditMaskTest, ConvertsTheScreensMasksToInputMasks)
{
    struct Case
    {
        QString mask, inputMask;
        bool saveLiterals;
        QChar blank;
    };
    const QList<Case> cases = {
        {QStringLiteral("999;0; "), QStringLiteral("000; "), false, QLatin1Char(' ')},
        {QStringLiteral("99999;0; "), QStringLiteral("00000; "), false, QLatin1Char(' ')},
        {QStringLiteral("99.99.999"), QStringLiteral("00.00.000;_"), true, QLatin1Char('_')},
        {QStringLiteral("99.999.999/9999-99"), QStringLiteral("00.000.000/0000-00;_"), true,
         QLatin1Char('_')},
        {QStringLiteral("999.999.999-99"), QStringLiteral("000.000.000-00;_"), true,
         QLatin1Char('_')},
        // Required digits, letters, case switches, escaped and special literals.
        {QStringLiteral("!>LL-00;1;*"), QStringLiteral(">AA-99;*"), true, QLatin1Char('*')},
        {QStringLiteral("<>aA\\9_Dx;0;_"), QStringLiteral("!nN\\9 \\D\\x;_"), false,
         QLatin1Char('_')},
    };
    for (const Case& c : cases) {
        const EditMask mask(c.mask);
        EXPECT_EQ(mask.inputMask(), c.inputMask) << qPrintable(c.mask);
        EXPECT_EQ(mask.saveLiterals(), c.saveLiterals) << qPrintable(c.mask);
        EXPECT_EQ(mask.blank(), c.blank) << qPrintable(c.mask);
    }
    EXPECT_TRUE(EditMask(QString()).isEmpty());
    EXPECT_TRUE(EditMask(QString()).inputMask().isEmpty());
}

TEST(EditMaskTest, ValueOfADisplayedText)
{
    EXPECT_EQ(EditMask(QStringLiteral("999;0; ")).valueOf(QStringLiteral("12 ")), "12");
    EXPECT_EQ(EditMask(QStringLiteral("99.999.999/9999-99;0;_"))
                  .valueOf(QStringLiteral("11.222.333/0001-81")),
              "11222333000181");
    EXPECT_EQ(EditMask(QStringLiteral("99.99.999")).valueOf(QStringLiteral("01.02.___")), "01.02");
    EXPECT_EQ(EditMask(QStringLiteral("99.99.999")).valueOf(QStringLiteral("01._2.___")), "01. 2");
    EXPECT_EQ(EditMask(QStringLiteral("99.99.999")).valueOf(QStringLiteral("__.__.___")), "");
}

TEST(MaskEditTest, TypedValuesWithAndWithoutLiterals)
{
    Form<TMaskEdit> form;
    TMaskEdit& edit = *form.control;

    edit.SetEditMask(QStringLiteral("99.999.999/9999-99;0;_"));
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("11222333000181"));
    EXPECT_EQ(edit.displayText(), "11.222.333/0001-81");
    EXPECT_EQ(edit.Text(), "11222333000181");

    edit.SetEditMask(QStringLiteral("999.999.999-99"));
    edit.SetText(QStringLiteral("12345678909"));
    EXPECT_EQ(edit.Text(), "123.456.789-09");

    edit.SetEditMask(QStringLiteral("99.99.999"));
    edit.clear();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("0102"));
    EXPECT_EQ(edit.Text(), "01.02");

    edit.SetEditMask(QStringLiteral("999;0; "));
    edit.clear();
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("7a8"));
    EXPECT_EQ(edit.Text(), "78");
    EXPECT_FALSE(edit.IsEmpty());
    edit.clear();
    EXPECT_TRUE(edit.IsEmpty());
}

// --- date edit -----------------------------------------------------------------------

TEST(DateEditPlusTest, RefusesAnImpossibleDateWithItsMessage)
{
    RecordingUi ui;
    Form<TDateEditPlus> form;
    TDateEditPlus& date = *form.control;
    date.setCursorPosition(0);
    QTest::keyClicks(&date, QStringLiteral("31022025"));
    EXPECT_FALSE(date.IsDateValid());
    EXPECT_FALSE(date.GetDate().isValid());

    form.leave();
    EXPECT_THROW(date.CheckValidDate(), EAbort);
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("31/02/2025 não é uma data válida.")});
    EXPECT_EQ(ui.messages.front().kind, MessageKind::Error);
    EXPECT_TRUE(date.hasFocus());

    date.SetInvalidDateText(QStringLiteral("is no date."));
    EXPECT_THROW(date.CheckValidDate(), EAbort);
    EXPECT_EQ(ui.texts().last(), "31/02/2025 is no date.");
}

TEST(DateEditPlusTest, EmptyAndValidDatesPass)
{
    RecordingUi ui;
    Form<TDateEditPlus> form;
    TDateEditPlus& date = *form.control;
    EXPECT_TRUE(date.IsEmpty());
    EXPECT_FALSE(date.GetDate().isValid());
    EXPECT_NO_THROW(date.CheckValidDate());

    date.SetDate(QDate(2025, 3, 2));
    EXPECT_EQ(date.displayText(), "02/03/2025");
    EXPECT_TRUE(date.IsDateValid());
    EXPECT_NO_THROW(date.CheckValidDate());
    EXPECT_EQ(date.DayName(), "Domingo");
    date.SetDate(QDate(2025, 3, 1));
    EXPECT_EQ(date.DayName(), "Sábado");
    EXPECT_EQ(date.palette().color(QPalette::Text), QColor(Qt::blue));

    date.SetDate(QDate());
    EXPECT_TRUE(date.IsEmpty());
    EXPECT_EQ(date.DayName(), "");
    EXPECT_NE(date.palette().color(QPalette::Text), QColor(Qt::blue));
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST(DateEditPlusTest, TellsTypingApartFromDatesSetByTheProgram)
{
    Form<TDateEditPlus> form;
    TDateEditPlus& date = *form.control;
    QList<std::pair<QDate, bool>> changes;
    QObject::connect(&date, &TDateEditPlus::dateChanged, &date, [&](const QDate& d) {
        changes.append({d, date.IsTyping()});
    });

    date.SetDate(QDate(2025, 1, 6));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0], std::make_pair(QDate(2025, 1, 6), false));

    date.clear();
    changes.clear();
    date.setCursorPosition(0);
    QTest::keyClicks(&date, QStringLiteral("07012025"));
    ASSERT_EQ(changes.size(), 8); // one per key, the date valid only at the last one
    EXPECT_TRUE(changes.front().second);
    EXPECT_FALSE(changes.front().first.isValid());
    EXPECT_EQ(changes.back(), std::make_pair(QDate(2025, 1, 7), true));
    EXPECT_FALSE(date.IsTyping());
}

// --- number edit ---------------------------------------------------------------------

TEST(NumberEditTest, LimitsIntegerAndDecimalDigits)
{
    Form<TNumberEdit> form;
    TNumberEdit& number = *form.control;
    number.SetDecimals(5);
    number.SetIntegerDigits(10);
    number.SetAllowNegative(false);

    QTest::keyClicks(&number, QStringLiteral("123456789012"));
    EXPECT_EQ(number.text(), "1234567890");
    number.clear();
    QTest::keyClicks(&number, QStringLiteral("-1e+2.1234567"));
    EXPECT_EQ(number.text(), "12,12345"); // '-', 'e', '+' refused; '.' is the comma
    EXPECT_DOUBLE_EQ(number.Value(), 12.12345);

    number.clear();
    QTest::keyClicks(&number, QStringLiteral("1,2,3"));
    EXPECT_EQ(number.text(), "1,23");
}

TEST(NumberEditTest, ShowsGroupedWhenLeftAndPlainWhileTyping)
{
    Form<TNumberEdit> form;
    TNumberEdit& number = *form.control;
    number.SetDecimals(5);
    QSignalSpy changed(&number, &TNumberEdit::valueChanged);

    QTest::keyClicks(&number, QStringLiteral("1234,5"));
    form.leave();
    EXPECT_EQ(number.text(), "1.234,50000");
    EXPECT_DOUBLE_EQ(number.Value(), 1234.5);
    const int afterTyping = int(changed.count());
    EXPECT_GE(afterTyping, 1);

    number.setFocus();
    EXPECT_EQ(number.text(), "1234,50000");
    EXPECT_EQ(changed.count(), afterTyping); // reformatting is no change of value

    number.SetThousandSeparator(false);
    form.leave();
    EXPECT_EQ(number.text(), "1234,50000");

    number.Clear();
    EXPECT_TRUE(number.IsEmpty());
    EXPECT_DOUBLE_EQ(number.Value(), 0.0);
    EXPECT_DOUBLE_EQ(changed.last().at(0).toDouble(), 0.0);
}

TEST(NumberEditTest, MinusOnlyFirstAndOnlyWhenAllowed)
{
    Form<TNumberEdit> form;
    TNumberEdit& number = *form.control;
    number.SetDecimals(2);
    QTest::keyClicks(&number, QStringLiteral("-5-"));
    EXPECT_EQ(number.text(), "-5");
    EXPECT_DOUBLE_EQ(number.Value(), -5.0);
    number.setCursorPosition(0);
    QTest::keyClicks(&number, QStringLiteral("3"));
    EXPECT_EQ(number.text(), "-5");

    number.SetDecimals(0);
    number.clear();
    QTest::keyClicks(&number, QStringLiteral("7,5"));
    EXPECT_EQ(number.text(), "75");
}

// --- week spin -----------------------------------------------------------------------

TEST(WeekSpinEditTest, TwoDigitsFromOneToFiftyThree)
{
    Form<TWeekSpinEdit> form;
    TWeekSpinEdit& week = *form.control;
    EXPECT_EQ(week.Value(), 1);
    EXPECT_EQ(week.text(), "01");

    week.selectAll();
    QTest::keyClicks(&week, QStringLiteral("-5"));
    EXPECT_EQ(week.cleanText(), "5"); // the minus is refused
    form.leave();
    EXPECT_EQ(week.Value(), 5);
    EXPECT_EQ(week.Text(), "05");

    week.setFocus();
    week.selectAll();
    QTest::keyClicks(&week, QStringLiteral("53"));
    form.leave();
    EXPECT_EQ(week.Value(), 53);

    // Two digits above 53 are taken and become 53; a third digit is refused.
    QSignalSpy typed(&week, &TSpinEdit::valueTyped);
    week.setFocus();
    week.selectAll();
    QTest::keyClicks(&week, QStringLiteral("604"));
    EXPECT_EQ(week.cleanText(), "53");
    ASSERT_EQ(typed.count(), 2);
    EXPECT_EQ(typed.at(0).at(0).toString(), "6");
    EXPECT_EQ(typed.at(1).at(0).toString(), "53");
    form.leave();
    EXPECT_EQ(week.Value(), 53);
    EXPECT_EQ(week.Text(), "53");
}

TEST(WeekSpinEditTest, MayBeEmptied)
{
    Form<TWeekSpinEdit> form;
    TWeekSpinEdit& week = *form.control;
    week.SetValue(7);
    week.setFocus();
    week.selectAll();
    QTest::keyClick(&week, Qt::Key_Backspace);
    form.leave();
    EXPECT_TRUE(week.IsEmpty());
    EXPECT_EQ(week.Text(), "");

    week.SetValue(12);
    EXPECT_FALSE(week.IsEmpty());
    week.Clear();
    EXPECT_TRUE(week.IsEmpty());
}

TEST(WeekSpinEditTest, ValueTypedOnlyForTheUsersChanges)
{
    Form<TWeekSpinEdit> form;
    TWeekSpinEdit& week = *form.control;
    QSignalSpy typed(&week, &TSpinEdit::valueTyped);

    week.SetValue(10);
    EXPECT_EQ(typed.count(), 0);

    week.setFocus();
    week.selectAll();
    QTest::keyClicks(&week, QStringLiteral("2"));
    ASSERT_EQ(typed.count(), 1);
    EXPECT_EQ(typed.last().at(0).toString(), "2");

    QTest::keyClick(&week, Qt::Key_Up);
    ASSERT_EQ(typed.count(), 2);
    EXPECT_EQ(typed.last().at(0).toString(), "03");

    week.SetValue(53);
    QTest::keyClick(&week, Qt::Key_Up); // already the last week: nothing happens
    EXPECT_EQ(typed.count(), 2);
    EXPECT_EQ(week.Value(), 53);
}

TEST(DateEditPlusTest, ExitedOnEveryLeaveChangedOrNot)
{
    Form<TDateEditPlus> form;
    TDateEditPlus& date = *form.control;
    QSignalSpy finished(&date, &TMaskEdit::exited);
    date.setCursorPosition(0);
    QTest::keyClicks(&date, QStringLiteral("12"));
    form.leave();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(date.Text(), "12");

    // Left again untouched (after a refusal gave the focus back): told again.
    date.setFocus();
    form.leave();
    EXPECT_EQ(finished.count(), 2);

    // A popup taking the focus for a while is no leave.
    date.setFocus();
    date.ShowCalendar();
    EXPECT_EQ(finished.count(), 2);
}

TEST(DateEditPlusTest, ADatePickedFromTheCalendarIsNoTyping)
{
    Form<TDateEditPlus> form;
    TDateEditPlus& date = *form.control;
    QList<bool> typing;
    QObject::connect(&date, &TDateEditPlus::dateChanged, &date,
                     [&] { typing.append(date.IsTyping()); });
    date.ShowCalendar();
    ASSERT_NE(date.calendar(), nullptr);
    EXPECT_TRUE(date.calendar()->isVisible());
    Q_EMIT date.calendar()->clicked(QDate(2025, 12, 31));
    EXPECT_FALSE(date.calendar()->isVisible());
    EXPECT_EQ(date.GetDate(), QDate(2025, 12, 31));
    EXPECT_EQ(typing, QList<bool>{false});
    EXPECT_EQ(date.DayName(), "Quarta-feira");
}
