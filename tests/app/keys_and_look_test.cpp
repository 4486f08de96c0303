#include "keyboard_fixture.h"

#include <QApplication>
#include <QKeySequence>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

namespace lexamo::testing {
namespace {

// Every control that takes the focus, in the window's tab order.
const QStringList TabCycle = {
    "btnWord17", "btnWord18", "btnWord19", "btnWord20",       "btnWord21", "btnWord22",
    "btnWord23", "btnWord24", "btnWord9",  "btnWord10",       "btnWord11", "btnWord12",
    "btnWord13", "btnWord14", "btnWord15", "btnWord16",       "btnWord4",  "btnWord3",
    "btnWord1",  "btnWord5",  "btnWord6",  "btnWord7",        "btnWord8",  "btnWord2",
    "btnRetry",  "btnNext",   "btnReset",  "bbtnListenAgain", "btnClose",  "rbVOff",
    "rbVOn",     "rbOff",     "rbOn",      "btnChangeCourse", "ComboBox1", "sbReadingSpeed"};

TEST_F(Keyboard, TabAndShiftTabCycleThroughEveryControlInTabOrder)
{
    openWithoutCourse();
    QStringList forward;
    for (qsizetype i = 0; i <= TabCycle.size(); ++i) {
        press(Qt::Key_Tab);
        forward << focusedName();
    }
    EXPECT_EQ(forward, TabCycle + QStringList{TabCycle.front()}) << "and round again";

    QStringList backward;
    for (qsizetype i = 0; i < TabCycle.size(); ++i) {
        press(Qt::Key_Tab, Qt::ShiftModifier);
        backward << focusedName();
    }
    QStringList expected = TabCycle;
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(backward, expected);
}

TEST_F(Keyboard, EveryButtonOfASwitchIsReachedAndSpaceChecksIt)
{
    openWithoutCourse();
    for (int i = 0; i < 40 && focusedName() != QStringLiteral("rbVOff"); ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(focusedName(), QStringLiteral("rbVOff"));
    press(Qt::Key_Tab);
    press(Qt::Key_Space);
    EXPECT_TRUE(form1->rbVOn->isChecked());
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), QStringLiteral("rbOn")) << "the unchecked button stays a stop";
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Space);
    EXPECT_EQ(focusedName(), QStringLiteral("rbVOn"));
    EXPECT_TRUE(form1->rbVOn->isChecked()) << "Space on a checked switch button keeps it";
}

TEST_F(Keyboard, TabSkipsHiddenWordsAndDisabledButtons)
{
    startCourse({"a b"}, {"エー ビー"});
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        press(Qt::Key_Tab);
        visited << focusedName();
    }
    // Two words on btnWord1 and btnWord2; Next is disabled and ChangeCourse too (one course).
    EXPECT_EQ(visited,
              (QStringList{"btnWord1", "btnWord2", "btnRetry", "btnReset", "bbtnListenAgain",
                           "btnClose", "rbVOff", "rbVOn", "rbOff", "rbOn"}));
}

TEST_F(Keyboard, AWholeQuestionAnsweredByKeyboardAlone)
{
    startCourse({"How are you ?", "Fine thanks"}, {"元気？", "元気です"});
    for (const QString word : {"How", "are", "you", "?"}) {
        tabToWord(word);
        press(Qt::Key_Space);
    }
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("How are you ?"));
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/2", "正解数： 1", "誤答数： 0"}));
    EXPECT_EQ(focusedName(), QStringLiteral("btnNext")) << "the answer is complete";

    press(Qt::Key_Space);
    EXPECT_EQ(form1->lbJap->text(), QStringLiteral("元気です"));
    ASSERT_NE(dynamic_cast<WordPushButton*>(focused()), nullptr)
        << "the new question's first word, not " << focusedName().toStdString();
    for (const QString word : {"Fine", "thanks"}) {
        tabToWord(word);
        press(Qt::Key_Space);
    }
    EXPECT_EQ(labels(), (QStringList{"問題番号： 2/2", "正解数： 2", "誤答数： 0"}));
}

TEST_F(Keyboard, AfterAWrongAnswerTheFocusIsOnRetryAndTheKeysFinishTheQuestion)
{
    startCourse({"a b"}, {"エー ビー"});
    tabToWord(QStringLiteral("b"));
    press(Qt::Key_Space);
    EXPECT_TRUE(focused()->isVisible());
    tabToWord(QStringLiteral("a"));
    press(Qt::Key_Space);
    EXPECT_EQ(labels()[2], QStringLiteral("誤答数： 1"));
    EXPECT_EQ(focusedName(), QStringLiteral("btnRetry"));
    press(Qt::Key_Space);
    EXPECT_EQ(form1->lbEnglish->text(), QString());
    tabToWord(QStringLiteral("a"));
    press(Qt::Key_Space);
    tabToWord(QStringLiteral("b"));
    press(Qt::Key_Space);
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("a b"));
    EXPECT_TRUE(form1->shpCircle->isVisible());
    EXPECT_EQ(focusedName(), QStringLiteral("btnNext"));
}

TEST_F(Keyboard, SpaceOnAJustHiddenButtonChangesNothing)
{
    startCourse({"How are you ?"}, {"元気？"});
    WordPushButton* how = nullptr;
    for (int i = 1; i <= 4; ++i)
        if (form1->wordButtons[static_cast<std::size_t>(i)]->text() == QStringLiteral("How"))
            how = form1->wordButtons[static_cast<std::size_t>(i)];
    ASSERT_NE(how, nullptr);
    clickOn(how);
    ASSERT_EQ(form1->lbEnglish->text(), QStringLiteral("How"));
    ASSERT_FALSE(how->isVisible());
    log.events.clear();

    // The key as it would reach the button that held the focus when it was hidden.
    QTest::keyClick(how, Qt::Key_Space);
    QApplication::processEvents();
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("How"));
    EXPECT_EQ(log.only({"play:"}), QStringList());

    // Through the window, Space clicks the word that took the focus over: never "How How".
    auto* next = dynamic_cast<WordPushButton*>(focused());
    ASSERT_NE(next, nullptr) << focusedName().toStdString();
    EXPECT_TRUE(next->isVisible());
    press(Qt::Key_Space);
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("How ") + next->text());
    EXPECT_EQ(labels()[2], QStringLiteral("誤答数： 0"));
}

TEST_F(Keyboard, TheSpeedBarTakesTheFocusByClickAndByTabAndItsKeysMoveIt)
{
    startCourse({"a"}, {"エー"});
    QScrollBar* bar = form1->sbReadingSpeed;
    clickOn(bar); // on the thumb, in the middle: the value stays
    ASSERT_EQ(focusedName(), QStringLiteral("sbReadingSpeed"));
    ASSERT_EQ(bar->value(), 0);
    log.events.clear();
    const std::vector<std::pair<Qt::Key, float>> steps = {
        {Qt::Key_Right, 0.5F},    {Qt::Key_Right, 1.0F},   {Qt::Key_Left, 0.5F},
        {Qt::Key_Up, 1.0F},       {Qt::Key_Down, 0.5F},    {Qt::Key_PageUp, 1.0F},
        {Qt::Key_PageDown, 0.5F}, {Qt::Key_Home, -10.0F},  {Qt::Key_Left, -10.0F},
        {Qt::Key_End, 10.0F},     {Qt::Key_PageUp, 10.0F}, {Qt::Key_Left, 9.5F}};
    QStringList expected;
    float previous = 0;
    for (const auto& [key, rate] : steps) {
        press(key);
        EXPECT_FLOAT_EQ(float(bar->value()) / SpeedScale, rate)
            << QKeySequence(key).toString().toStdString();
        if (rate != previous)
            expected << QStringLiteral("Rate:%1").arg(rate);
        previous = rate;
    }
    EXPECT_EQ(log.only({"Rate:"}), expected);

    // Away by Tab and back by Shift+Tab.
    press(Qt::Key_Tab);
    EXPECT_NE(focusedName(), QStringLiteral("sbReadingSpeed"));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusedName(), QStringLiteral("sbReadingSpeed"));
    press(Qt::Key_Home);
    EXPECT_EQ(bar->value(), -10 * SpeedScale);
}

/// The learner's view of one control: the viewport's pixels where it is drawn, with a margin
/// around it in design units.
QImage drawnImage(ScaledView* view, QWidget* control, qreal margin = 0)
{
    const QRectF inScene = QRectF(control->mapTo(view->surface(), QPoint(0, 0)), control->size())
                               .adjusted(-margin, -margin, margin, margin);
    return view->viewport()->grab(view->mapFromScene(inScene).boundingRect()).toImage();
}

int pixelsNear(const QImage& image, QColor colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int distance = std::abs(pixel.red() - colour.red()) +
                                 std::abs(pixel.green() - colour.green()) +
                                 std::abs(pixel.blue() - colour.blue());
            count += distance < 90 ? 1 : 0;
        }
    return count;
}

TEST_F(Keyboard, TheFocusFrameShowsWhereTheFocusIsAndScalesWithTheWindow)
{
    openWithoutCourse();
    form1->resize(1426, 720);
    QApplication::processEvents();
    ScaledView* view = form1->scaledView();
    QWidget* close = form1->btnClose;
    const QImage unfocused = drawnImage(view, close, 4);
    for (int i = 0; i < 40 && focused() != close; ++i)
        press(Qt::Key_Tab);
    ASSERT_EQ(focused(), close);
    const QImage withFocus = drawnImage(view, close, 4);
    EXPECT_NE(withFocus, unfocused);
    // The frame is drawn around the control, 2 design units wide: 4 pixels across at twice the
    // width, and 3 tall at one and a half times the height.
    const QPoint corner =
        view->mapFromScene(QPointF(close->mapTo(view->surface(), QPoint(0, 0))) - QPointF(2, 2));
    const QImage screen = view->viewport()->grab().toImage();
    EXPECT_LT(screen.pixelColor(corner).lightness(), 80) << "a dark frame on the sky blue";
    EXPECT_LT(screen.pixelColor(corner + QPoint(40, -1)).lightness(), 80);
    EXPECT_LT(screen.pixelColor(corner + QPoint(-1, 20)).lightness(), 80);
}

struct ColouredButton
{
    const char* name;
    QColor colour;
};

class DisabledLook : public Keyboard, public ::testing::WithParamInterface<ColouredButton>
{
};

TEST_P(DisabledLook, ADisabledButtonIsDrawnGreyAndAnEnabledOneInItsColour)
{
    openWithoutCourse();
    auto* button = form1->FindComponent(QString::fromLatin1(GetParam().name));
    ASSERT_NE(button, nullptr);
    ScaledView* view = form1->scaledView();
    const QImage enabled = drawnImage(view, button);
    button->setEnabled(false);
    const QImage disabled = drawnImage(view, button);
    button->setEnabled(true);
    EXPECT_EQ(drawnImage(view, button), enabled);
    EXPECT_NE(disabled, enabled);
    EXPECT_GT(pixelsNear(enabled, GetParam().colour), 10);
    EXPECT_EQ(pixelsNear(disabled, GetParam().colour), 0);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DisabledLook,
                         ::testing::Values(ColouredButton{"btnNext", QColor(0, 0, 255)},
                                           ColouredButton{"btnRetry", QColor(255, 0, 0)},
                                           ColouredButton{"bbtnListenAgain",
                                                          QColor(0x99, 0x32, 0xCC)}),
                         [](const ::testing::TestParamInfo<ColouredButton>& row) {
                             return std::string(row.param.name);
                         });

/// The bounding box of the dark pixels (text) in an image.
QRect inkOf(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 100)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

struct CounterRow
{
    const char* name;
    QString text;
};

class CounterText : public Keyboard, public ::testing::WithParamInterface<CounterRow>
{
};

TEST_P(CounterText, IsDrawnWholeOnOneLineInsideItsBox)
{
    openWithoutCourse();
    auto* label = qobject_cast<QLabel*>(form1->FindComponent(QString::fromLatin1(GetParam().name)));
    ASSERT_NE(label, nullptr);
    const QRect box = label->geometry();
    label->setText(GetParam().text);
    for (const QSize size : {QSize(713, 480), QSize(1426, 720), QSize(900, 1000)}) {
        form1->resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        const QImage image = drawnImage(form1->scaledView(), label);
        const QRect ink = inkOf(image);
        ASSERT_FALSE(ink.isEmpty());
        // Clear of the edges it could run over: nothing cut off, and one line, since a second
        // would not fit. The text starts at the left edge.
        EXPECT_GT(ink.top(), 0);
        EXPECT_LT(ink.right(), image.width() - 1);
        EXPECT_LT(ink.bottom(), image.height() - 1);
        // The whole text: digits reach well into the box, the label's design place unchanged.
        EXPECT_GT(ink.width(), image.width() / 2);
        EXPECT_EQ(label->geometry(), box);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counters, CounterText,
    ::testing::Values(CounterRow{"lbQuestNum", QStringLiteral("問題番号： 100/120")},
                      CounterRow{"lbQuestNum", QStringLiteral("問題番号： 9999/9999")},
                      CounterRow{"lbCorrectNum", QStringLiteral("正解数： 9999")},
                      CounterRow{"lbWrongNum", QStringLiteral("誤答数： 9999")}),
    [](const ::testing::TestParamInfo<CounterRow>& row) {
        return std::string(row.param.name) + std::to_string(row.index);
    });

TEST_F(Keyboard, ACounterThatFitsKeepsItsSize)
{
    openWithoutCourse();
    ScaledView* view = form1->scaledView();
    form1->lbWrongNum->setText(QStringLiteral("誤答数： 1"));
    const int shortHeight = inkOf(drawnImage(view, form1->lbWrongNum)).height();
    form1->lbWrongNum->setText(QStringLiteral("誤答数： 9999"));
    const int longHeight = inkOf(drawnImage(view, form1->lbWrongNum)).height();
    EXPECT_GE(shortHeight, 12) << "drawn at its 14-pixel design size";
    EXPECT_LT(longHeight, shortHeight) << "shrunk to fit";
}

} // namespace
} // namespace lexamo::testing
