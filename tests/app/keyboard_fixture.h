#pragma once

#include "form_fixture.h"

#include <QApplication>
#include <QTest>

namespace lexamo::testing {

/// The main window driven as a learner drives it: real key and mouse events sent to the window,
/// and what the keys reached read back from the screen state.
class Keyboard : public FormFixture
{
protected:
    void activate()
    {
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    }

    /// Both windows with two courses; the selection window is closed without a choice, so the
    /// window is in its first state with ChangeCourse enabled.
    void openWithoutCourse()
    {
        writeCourse(QString(), QStringLiteral("One"), {"x"}, {"エックス"});
        writeCourse(QStringLiteral("two"), QStringLiteral("Two"), {"y"}, {"ワイ"});
        createForms();
        QTimer::singleShot(0, form2.get(), [this] { form2->close(); });
        form1->FormShow();
        activate();
    }

    void startCourse(const QStringList& english, const QStringList& japanese)
    {
        writeCourse(QString(), QStringLiteral("Keys"), english, japanese);
        createForms();
        form1->SubDirectory = QStringLiteral("./");
        form1->InitialGame();
        activate();
    }

    /// One key pressed and released on the window, then the event loop's turn.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(form1->windowHandle(), Qt::Key(key), modifiers);
        QApplication::processEvents();
    }

    /// The control that holds the keyboard focus.
    QWidget* focused() const
    {
        QWidget* control = form1->scaledView()->surface()->focusWidget();
        return control && control->hasFocus() ? control : nullptr;
    }
    QString focusedName() const
    {
        QWidget* control = focused();
        return control ? control->objectName() : QString();
    }

    /// Tabs until a word button showing `word` has the focus.
    void tabToWord(const QString& word)
    {
        for (int i = 0; i < 40; ++i) {
            auto* button = dynamic_cast<WordPushButton*>(focused());
            if (button && button->text() == word)
                return;
            press(Qt::Key_Tab);
        }
        FAIL() << "Tab never reached the word " << word.toStdString();
    }

    /// Clicks the middle of a control where the scaled view draws it.
    void clickOn(QWidget* control)
    {
        ScaledView* view = form1->scaledView();
        const QRectF inScene(control->mapTo(view->surface(), QPoint(0, 0)), control->size());
        const QPoint at = view->mapFromScene(inScene.center());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    QStringList labels() const
    {
        return {form1->lbQuestNum->text(), form1->lbCorrectNum->text(), form1->lbWrongNum->text()};
    }
};

} // namespace lexamo::testing
