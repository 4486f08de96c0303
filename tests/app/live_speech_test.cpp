#include "form_fixture.h"

#include <QEvent>
#include <QTest>
#include <QTimer>

namespace lexamo::testing {
namespace {

using namespace std::chrono_literals;

/// Notes what the Japanese line showed each time the view was painted.
class PaintWitness : public QObject
{
public:
    PaintWitness(QWidget* viewport, QLabel* japanese) : m_japanese(japanese)
    {
        viewport->installEventFilter(this);
    }
    QString lastPainted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            lastPainted = m_japanese->text();
        return false;
    }

private:
    QLabel* m_japanese;
};

const QStringList Heard = {"speak:", "spoken:", "cancelled:", "play:", "message:", "trace:release"};

class LiveSpeech : public FormFixture
{
protected:
    void start(const QStringList& english, const QStringList& japanese)
    {
        writeCourse(QString(), QStringLiteral("Live"), english, japanese);
        createForms();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form1.get()));
        form1->SubDirectory = QStringLiteral("./");
        form1->InitialGame();
        log.events.clear();
    }

    WordPushButton* visibleButton(const QString& word) const
    {
        for (int i = 1; i <= WordButtonCount; ++i) {
            auto* button = form1->wordButtons[std::size_t(i)];
            if (button->isVisible() && button->text() == word)
                return button;
        }
        return nullptr;
    }
};

// A click made while a sentence is spoken is handled after the speech, never inside the handler
// that speaks.
TEST_F(LiveSpeech, ClickDuringSpeechIsHandledAfterIt)
{
    start({"I am"}, {"私は"});
    speech->utteranceLength = 300ms;
    QTimer::singleShot(20ms, form1.get(), [this] { visibleButton(QStringLiteral("I"))->click(); });
    form1->bbtnListenAgain->click();
    EXPECT_EQ(log.only(Heard), (QStringList{"speak:I am | jap=私は answer= words=I,am circle=off",
                                            "spoken:I am", "play:SysPu"}));
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("I"));
}

// Keys typed while a sentence is spoken show at once; the word they pick is placed after it.
TEST_F(LiveSpeech, KeysTypedDuringSpeechShowAtOnceAndPlaceTheWordAfterIt)
{
    start({"I am"}, {"私は"});
    speech->utteranceLength = 300ms;
    QString typedDuringSpeech;
    QString answerDuringSpeech;
    QTimer::singleShot(20ms, form1.get(), [this, &typedDuringSpeech, &answerDuringSpeech] {
        for (const char key : {'a', 'm'})
            QTest::keyClick(form1->windowHandle(), key);
        QApplication::processEvents();
        typedDuringSpeech = form1->lbEnglish->typed();
        QTest::keyClick(form1->windowHandle(), ' ');
        answerDuringSpeech = form1->lbEnglish->text();
    });
    form1->bbtnListenAgain->click();
    EXPECT_EQ(typedDuringSpeech, QStringLiteral("am"));
    EXPECT_EQ(answerDuringSpeech, QString());
    EXPECT_EQ(log.only(Heard), (QStringList{"speak:I am | jap=私は answer= words=I,am circle=off",
                                            "spoken:I am", "play:SysPu"}));
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("am"));
    EXPECT_EQ(form1->lbEnglish->typed(), QString());
}

// Two clicks on one button while a sentence is spoken both wait for it; only the first places
// the word, as the button is gone when the second is handled.
TEST_F(LiveSpeech, AButtonClickedTwiceDuringSpeechPlacesItsWordOnce)
{
    start({"I am a boy"}, {"私は少年です"});
    speech->utteranceLength = 300ms;
    QTimer::singleShot(20ms, form1.get(), [this] {
        WordPushButton* button = visibleButton(QStringLiteral("I"));
        button->click();
        button->click();
    });
    form1->bbtnListenAgain->click();
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("I"));
    EXPECT_EQ(log.only({"play:"}), QStringList{"play:SysPu"});
}

// Closing the window while praise is spoken cuts it short; the window's objects are released only
// once the judging click's handler has returned, and the program stops.
TEST_F(LiveSpeech, CloseDuringSpeechCutsItShortAndReleasesAfterTheHandler)
{
    start({"Hello"}, {"こんにちは"});
    traceIntoLog = true;
    speech->utteranceLength = 60s;
    // The close comes while the praise is heard, however long the click took to get there.
    speech->onSpeak = [this](const QString&) {
        QTimer::singleShot(20ms, form1.get(), [this] { form1->close(); });
    };
    visibleButton(QStringLiteral("Hello"))->click();

    const QStringList heard = log.only(Heard);
    ASSERT_GE(heard.size(), 5);
    EXPECT_EQ(heard.mid(0, 2), (QStringList{"play:SysPu", "play:SysPingPong"}));
    EXPECT_TRUE(heard[2].startsWith(QStringLiteral("speak:"))) << heard[2].toStdString();
    EXPECT_TRUE(heard[3].startsWith(QStringLiteral("cancelled:"))) << heard[3].toStdString();
    EXPECT_EQ(heard.mid(4, 1), QStringList{"trace:release RSPu"});
    EXPECT_EQ(heard.filter(QStringLiteral("trace:release")).size(), 10);
    EXPECT_TRUE(application.stopRequested());
}

// The learner sees the new question before hearing it: the view was last painted with it when
// its speech starts.
TEST_F(LiveSpeech, NewQuestionIsOnScreenWhenItsSpeechStarts)
{
    start({"Hello", "Good night"}, {"こんにちは", "おやすみ"});
    visibleButton(QStringLiteral("Hello"))->click();
    PaintWitness witness(form1->scaledView()->viewport(), form1->lbJap);
    bool compared = false;
    speech->onSpeak = [&](const QString& text) {
        if (text != QStringLiteral("Good night"))
            return;
        compared = true;
        EXPECT_EQ(witness.lastPainted, QStringLiteral("おやすみ"));
    };
    form1->btnNext->click();
    EXPECT_TRUE(compared);
    EXPECT_EQ(form1->lbJap->text(), QStringLiteral("おやすみ"));
}

} // namespace
} // namespace lexamo::testing
