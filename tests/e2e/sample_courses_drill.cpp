// Drills every sample course in examples/ from its first question to its closing message, with
// the program's real parts: the two windows on a real X display, the embedded voices, the SDL
// audio output and the embedded sounds. Each word is clicked with the mouse where its scaled
// button is drawn, in sentence order; the run must end "PERFECT" for every course.
// Given a file name, it saves a picture of the main window there mid-drill, for the README.

#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/message_boxes.h"
#include "app/real_platform.h"
#include "app/scaled_view.h"
#include "app/warm_up.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <thread>

using namespace lexamo;

namespace {

/// Shows the real boxes, but answers them itself and remembers what they said.
class AnsweringBoxes : public MessageBoxes
{
public:
    void ShowMessage(QWidget* owner, const QString& text) override
    {
        messages << text;
        // Answer as soon as the box is up, however long a loaded machine takes to show it.
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&answer] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                answer.stop();
                QTest::keyClick(box, Qt::Key_Return);
            }
        });
        answer.start(100);
        m_real.ShowMessage(owner, text);
    }
    void showError(QWidget*, const QString& message) override
    {
        std::fprintf(stderr, "error box: %s\n", qPrintable(message));
        errors << message;
    }
    QStringList messages;
    QStringList errors;

private:
    QtMessageBoxes m_real;
};

/// Clicks where the control is drawn now, through the view, as a learner would.
void clickDrawn(ScaledView* view, QWidget* control)
{
    const QPointF centre = control->mapTo(view->surface(), control->rect().center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(centre));
}

bool fail(const char* what)
{
    std::fprintf(stderr, "FAILED: %s\n", what);
    return false;
}

bool drillCourse(TForm1& form, int row, bool first, AnsweringBoxes& boxes,
                 const QString& screenshot)
{
    TForm2* selection = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<TForm2*>(window))
            selection = candidate;
    // Choose once the window is up and laid out, however long that takes.
    QTimer choose;
    QObject::connect(&choose, &QTimer::timeout, [&choose, selection, row] {
        if (QApplication::activeModalWidget() != selection || !selection->isVisible())
            return;
        choose.stop();
        selection->ListBox1->setCurrentRow(row);
        clickDrawn(selection->scaledView(), selection->Button1);
    });
    choose.start(200);
    if (first)
        form.FormShow();
    else
        clickDrawn(form.scaledView(), form.btnChangeCourse);
    std::printf("course %d: %s, %d questions\n", row + 1, qPrintable(form.windowTitle()),
                form.drill().questionCount());
    if (form.drill().questionCount() == 0)
        return fail("no course was loaded");

    const qsizetype messagesBefore = boxes.messages.size();
    for (int position = 1; position <= form.drill().questionCount(); ++position) {
        const QStringList words = form.drill().words();
        for (qsizetype clicked = 0; clicked < words.size(); ++clicked) {
            // Half of the second sentence rebuilt: the answer line, the counter of the first
            // question and the words still to click all have something to show.
            if (!screenshot.isEmpty() && position == 2 && clicked == words.size() / 2 &&
                !form.grab().save(screenshot))
                return fail("the screenshot could not be saved");
            const QString& word = words[clicked];
            QWidget* target = nullptr;
            for (int i = 1; i <= WordButtonCount && !target; ++i)
                if (form.wordButtons[i]->isVisible() && form.wordButtons[i]->text() == word)
                    target = form.wordButtons[i];
            if (!target)
                return fail("a word of the sentence is on no visible button");
            clickDrawn(form.scaledView(), target);
        }
        if (form.lbEnglish->text() != form.drill().sentence() || !form.btnNext->isEnabled())
            return fail("the rebuilt sentence was not judged correct");
        clickDrawn(form.scaledView(), form.btnNext);
    }
    if (boxes.messages.size() != messagesBefore + 1 ||
        boxes.messages.back() != QStringLiteral("Congratulation!! You are PERFECT!!"))
        return fail("the run did not close with the perfect message");
    std::printf("  %s\n", qPrintable(form.lbCorrectNum->text()));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    std::jthread warmUp = startWarmUp();
    QApplication qapp(argc, argv);
    configureLook();
    QApplication::setQuitOnLastWindowClosed(false);
    QDir::setCurrent(QStringLiteral(LEXAMO_SOURCE_DIR "/examples"));

    RealPlatform platform;
    AnsweringBoxes boxes;
    Application application(boxes);
    auto form = std::make_unique<TForm1>(platform.servicesFor(application));
    TForm2 selection(application, *form);
    form->setForm2(&selection);
    fillScreen(*form);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return fail("the main window never appeared") ? 0 : 1;
    // The fastest speed keeps the run short; the words are clicked as soon as the voice ends.
    form->sbReadingSpeed->setValue(form->sbReadingSpeed->maximum());

    // The list is filled when the catalogue is built, at the first showing.
    const QStringList arguments = QApplication::arguments();
    const QString screenshot = arguments.size() > 1 ? arguments[1] : QString();
    bool passed = drillCourse(*form, 0, true, boxes, screenshot);
    for (int row = 1; row < selection.ListBox1->count() && passed; ++row)
        passed = drillCourse(*form, row, false, boxes, QString());
    if (selection.ListBox1->count() != 3)
        passed = fail("examples/ should hold three courses");
    if (!boxes.errors.isEmpty())
        passed = fail("an error box was shown");
    clickDrawn(form->scaledView(), form->btnClose);
    form.reset();
    std::printf(passed ? "1 passed, 0 failed\n" : "0 passed, 1 failed\n");
    return passed ? 0 : 1;
}
