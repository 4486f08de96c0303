#include "form_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace lexamo::testing {
namespace {

class SelectionWindow : public FormFixture
{
protected:
    /// Runs `steps` one after another inside the selection window's modal loop.
    void whileOpen(std::vector<std::function<void()>> steps)
    {
        m_steps = std::move(steps);
        QTimer::singleShot(0, form2.get(), [this] { next(); });
    }

    QStringList items() const
    {
        QStringList titles;
        for (int i = 0; i < form2->ListBox1->count(); ++i)
            titles << form2->ListBox1->item(i)->text();
        return titles;
    }

private:
    void next()
    {
        if (m_steps.empty())
            return;
        auto step = m_steps.front();
        m_steps.erase(m_steps.begin());
        step();
        QTimer::singleShot(0, form2.get(), [this] { next(); });
    }

    std::vector<std::function<void()>> m_steps;
};

TEST_F(SelectionWindow, OkLoadsTheSelectedCourseWhileTheWindowIsStillOpen)
{
    writeCourse(QStringLiteral("beta"), QStringLiteral("Beta"), {"b1"}, {"ベ"});
    writeCourse(QString(), QStringLiteral("Root"), {"r1"}, {"ル"});
    writeCourse(QStringLiteral("Alpha"), QStringLiteral("Alpha"), {"a1"}, {"ア"});
    createForms();
    bool openWhileSpeaking = false;
    speech->onSpeak = [&](const QString&) { openWhileSpeaking = form2->isVisible(); };
    QStringList shown;
    whileOpen({[&] {
        shown = items();
        EXPECT_EQ(form2->ListBox1->currentRow(), 0);
        EXPECT_EQ(form2->windowTitle(), QStringLiteral("Change Course"));
        form2->ListBox1->setCurrentRow(2);
        form2->Button1->click();
    }});
    form1->FormShow();
    EXPECT_EQ(shown, (QStringList{"Root", "Alpha", "Beta"}));
    EXPECT_TRUE(form1->btnChangeCourse->isEnabled());
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Beta"));
    EXPECT_EQ(form1->SubDirectory, QStringLiteral("./beta/"));
    EXPECT_TRUE(openWhileSpeaking) << "the first sentence is spoken before the window goes";
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(form1->SubDirectoryList->lines(), (QStringList{"./", "./Alpha/", "./beta/"}));
}

TEST_F(SelectionWindow, ASingleCourseIsSelectedSoOkLoadsIt)
{
    writeCourse(QStringLiteral("only"), QStringLiteral("Only"), {"o1"}, {"オ"});
    createForms();
    whileOpen({[&] { form2->Button1->click(); }});
    form1->FormShow();
    EXPECT_FALSE(form1->btnChangeCourse->isEnabled());
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Only"));
    EXPECT_EQ(log.only({"error:"}), QStringList());
}

TEST_F(SelectionWindow, NoCourseReportsTheIndexErrorAndTheCloseBoxLeavesNoCourse)
{
    createForms();
    bool openAfterError = false;
    whileOpen({[&] { form2->Button1->click(); },
               [&] {
                   openAfterError = form2->isVisible();
                   form2->close();
               }});
    form1->FormShow();
    EXPECT_EQ(log.only({"error:"}),
              QStringList{QStringLiteral("error:リストのインデックスが範囲を超えています (-1)")});
    EXPECT_TRUE(openAfterError);
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(form1->lbQuestNum->text(), QStringLiteral("問題番号:"));
    EXPECT_EQ(log.only({"speak:"}), QStringList());
}

TEST_F(SelectionWindow, AFailingOkKeepsTheWindowOpenAndAnotherCourseCanBeChosen)
{
    writeCourse(QStringLiteral("good"), QStringLiteral("Good"), {"g1"}, {"グ"});
    writeCourse(QStringLiteral("broken"), QStringLiteral("Broken"), {"x"}, {"エ"});
    QFile::remove(QStringLiteral("broken/LessonJ.txt"));
    createForms();
    bool openAfterError = false;
    whileOpen({[&] {
                   form2->ListBox1->setCurrentRow(0); // "broken" sorts first
                   form2->Button1->click();
               },
               [&] {
                   openAfterError = form2->isVisible();
                   form2->ListBox1->setCurrentRow(1);
                   form2->Button1->click();
               }});
    form1->FormShow();
    const QStringList errors = log.only({"error:"});
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("error:ファイル /")));
    EXPECT_TRUE(errors[0].endsWith(QStringLiteral("/broken/LessonJ.txt は開けません。 No such file "
                                                  "or directory ")))
        << errors[0].toStdString();
    EXPECT_TRUE(openAfterError);
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Good"));
    EXPECT_EQ(form1->drill().sentence(), QStringLiteral("g1"));
}

TEST_F(SelectionWindow, ChangeCourseKeepsTheSelectionAndTheCloseBoxKeepsTheRun)
{
    writeCourse(QStringLiteral("one"), QStringLiteral("One"), {"first", "second"}, {"1", "2"});
    writeCourse(QStringLiteral("two"), QStringLiteral("Two"), {"zwei"}, {"二"});
    createForms();
    whileOpen({[&] {
        form2->ListBox1->setCurrentRow(0);
        form2->Button1->click();
    }});
    form1->FormShow();
    clickWords({"first"});
    form1->btnNext->click();
    const QStringList before = log.events;

    int selectedOnReopen = -1;
    whileOpen({[&] {
        selectedOnReopen = form2->ListBox1->currentRow();
        form2->close();
    }});
    form1->btnChangeCourse->click();
    EXPECT_EQ(selectedOnReopen, 0);
    EXPECT_EQ(log.events, before) << "closing without a choice changes nothing";
    EXPECT_EQ(form1->drill().position(), 2);

    whileOpen({[&] {
        form2->ListBox1->setCurrentRow(1);
        form2->Button1->click();
    }});
    form1->btnChangeCourse->click();
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Two"));
    EXPECT_EQ(form1->lbQuestNum->text(), QStringLiteral("問題番号： 1/1"));
    whileOpen({[&] {
        selectedOnReopen = form2->ListBox1->currentRow();
        form2->close();
    }});
    form1->btnChangeCourse->click();
    EXPECT_EQ(selectedOnReopen, 1);
}

/// Keys as the learner types them into the selection window.
void pressIn(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
    QApplication::processEvents();
}

TEST_F(SelectionWindow, EscLeavesTheWindowOpenAndTabCyclesOkAndTheList)
{
    writeCourse(QStringLiteral("only"), QStringLiteral("Only"), {"o1"}, {"オ"});
    createForms();
    bool openAfterEsc = false;
    QStringList visited;
    whileOpen({[&] {
                   form2->activateWindow();
                   ASSERT_TRUE(QTest::qWaitForWindowActive(form2.get()));
                   pressIn(form2.get(), Qt::Key_Escape);
                   openAfterEsc = form2->isVisible();
                   for (int i = 0; i < 3; ++i) {
                       pressIn(form2.get(), Qt::Key_Tab);
                       QWidget* focus = form2->scaledView()->surface()->focusWidget();
                       visited << (focus && focus->hasFocus() ? focus->objectName() : QString());
                   }
               },
               [&] { form2->close(); }});
    form1->FormShow();
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(visited, (QStringList{"Button1", "ListBox1", "Button1"}));
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Form1"));
}

TEST_F(SelectionWindow, OkAfterACtrlClickThatClearsTheSelectionReportsTheIndexError)
{
    writeCourse(QStringLiteral("a"), QStringLiteral("A"), {"a1"}, {"ア"});
    writeCourse(QStringLiteral("b"), QStringLiteral("B"), {"b1"}, {"ビ"});
    createForms();
    int currentAfterClear = -1;
    whileOpen({[&] {
                   QListWidget* list = form2->ListBox1;
                   const QRect item = list->visualItemRect(list->item(0));
                   QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                                     item.center());
                   currentAfterClear = list->currentRow();
                   form2->Button1->click();
               },
               [&] { form2->close(); }});
    form1->FormShow();
    EXPECT_EQ(currentAfterClear, 0) << "the row stays current, unselected";
    EXPECT_EQ(log.only({"error:"}),
              QStringList{QStringLiteral("error:リストのインデックスが範囲を超えています (-1)")});
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Form1"));
}

TEST_F(SelectionWindow, TheArrowsAndEnterChooseACourse)
{
    writeCourse(QStringLiteral("a"), QStringLiteral("A"), {"a1"}, {"ア"});
    writeCourse(QStringLiteral("b"), QStringLiteral("B"), {"b1"}, {"ビ"});
    writeCourse(QStringLiteral("c"), QStringLiteral("C"), {"c1"}, {"シ"});
    createForms();
    whileOpen({[&] {
        form2->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form2.get()));
        pressIn(form2.get(), Qt::Key_Down);
        pressIn(form2.get(), Qt::Key_Down);
        pressIn(form2.get(), Qt::Key_Up);
        pressIn(form2.get(), Qt::Key_Return);
    }});
    form1->FormShow();
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("B"));
    EXPECT_FALSE(form2->isVisible());
}

} // namespace
} // namespace lexamo::testing
