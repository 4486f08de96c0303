#include "form_fixture.h"

#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

namespace lexamo::testing {
namespace {

const QStringList Feedback = {"play:", "speak:", "message:", "error:"};

class DrillScenario : public FormFixture
{
protected:
    /// Loads the root course and starts a run, as OK in the selection window does.
    void start(const QStringList& english, const QStringList& japanese, std::deque<int> draws = {})
    {
        writeCourse(QString(), QStringLiteral("Test course"), english, japanese);
        createForms({VoiceToken("v0", "Test Voice")}, std::move(draws));
        form1->SubDirectory = QStringLiteral("./");
        form1->InitialGame();
    }

    void answer(const QString& sentence) { clickWords(sentence.split(u' ')); }

    QStringList labels() const
    {
        return {form1->lbQuestNum->text(), form1->lbCorrectNum->text(), form1->lbWrongNum->text()};
    }

    QStringList feedback() const { return log.only(Feedback); }
};

TEST_F(DrillScenario, AllRightAtFirstJudgementEndsWithThePerfectMessageSpokenThenShown)
{
    // Word draws first (one per word), then the praise draw at each correct judgement.
    start({"I am a boy.", "Good morning", "Thanks"}, {"私は少年です。", "おはよう", "ありがとう"},
          {0, 0, 0, 0, 2, 1, 1, 0, 0, 7});
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Test course"));
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/3", "正解数： 0", "誤答数： 0"}));
    EXPECT_FALSE(form1->btnNext->isEnabled());
    answer("I am a boy.");
    EXPECT_TRUE(form1->btnNext->isEnabled());
    EXPECT_FALSE(form1->btnRetry->isEnabled());
    form1->btnNext->click();
    EXPECT_EQ(labels(), (QStringList{"問題番号： 2/3", "正解数： 1", "誤答数： 0"}));
    answer("Good morning");
    form1->btnNext->click();
    answer("Thanks");
    form1->btnNext->click();

    EXPECT_EQ(
        feedback(),
        (QStringList{"speak:I am a boy. | jap=私は少年です。 answer= words=I,a,am,boy. circle=off",
                     "play:SysPu", "play:SysPu", "play:SysPu", "play:SysPu", "play:SysPingPong",
                     "speak:Great! | jap=私は少年です。 answer=I am a boy. words= circle=on",
                     "speak:Good morning | jap=おはよう answer= words=Good,morning circle=off",
                     "play:SysPu", "play:SysPu", "play:SysPingPong",
                     "speak:Excellent! | jap=おはよう answer=Good morning words= circle=on",
                     "speak:Thanks | jap=ありがとう answer= words=Thanks circle=off", "play:SysPu",
                     "play:SysPingPong",
                     "speak:Bingo! | jap=ありがとう answer=Thanks words= circle=on",
                     "speak:Congratulation!! You are PERFECT!! | jap=ありがとう answer=Thanks "
                     "words= circle=off",
                     "message:Congratulation!! You are PERFECT!!"}));
    EXPECT_EQ(labels(), (QStringList{"問題番号： 3/3", "正解数： 3", "誤答数： 0"}));
    EXPECT_FALSE(form1->btnNext->isEnabled());
    EXPECT_FALSE(form1->btnRetry->isEnabled());
    EXPECT_EQ(random->bounds, (std::vector<int>{4, 4, 4, 4, 8, 2, 2, 8, 1, 8}));

    // Listen after the end repeats the last sentence; Reset starts again at position 1.
    log.events.clear();
    form1->bbtnListenAgain->click();
    EXPECT_EQ(feedback(), QStringList{"speak:Thanks | jap=ありがとう answer=Thanks words= "
                                      "circle=off"});
    form1->btnReset->click();
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/3", "正解数： 0", "誤答数： 0"}));
    EXPECT_EQ(form1->lbJap->text(), QStringLiteral("私は少年です。"));
}

TEST_F(DrillScenario, TheEngineHearsOfTheNextSentenceOnceTheFirstHasBeenSpoken)
{
    start({"I am a boy.", "Good morning"}, {"私は少年です。", "おはよう"});
    const QStringList said = log.only({"speak:", "prepare:"});
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said[0].startsWith(QStringLiteral("speak:I am a boy. |")));
    EXPECT_EQ(said[1], QStringLiteral("prepare:Good morning"));
}

TEST_F(DrillScenario, ANewSpeedOrVoiceHasTheSentenceOnScreenAndTheNextMadeAnew)
{
    start({"I am a boy.", "Good morning"}, {"私は少年です。", "おはよう"});
    log.events.clear();
    form1->sbReadingSpeed->setValue(-5 * SpeedScale);
    EXPECT_EQ(log.only({"Rate:", "prepare:", "speak:"}),
              (QStringList{"Rate:-5", "prepare:I am a boy.", "prepare:Good morning"}));
}

TEST_F(DrillScenario, WrongThenRetryThenRightCountsOneWrongAndEndsWithGoodWorkShownThenSpoken)
{
    start({"a b", "c"}, {"エー ビー", "シー"}, {0, 0, 5, 0, 3});
    answer("b a");
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/2", "正解数： 0", "誤答数： 1"}));
    EXPECT_FALSE(form1->btnNext->isEnabled());
    EXPECT_TRUE(form1->btnRetry->isEnabled());
    form1->btnRetry->click();
    answer("a b");
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/2", "正解数： 0", "誤答数： 1"}));
    EXPECT_TRUE(form1->shpCircle->isVisible());
    form1->btnNext->click();
    EXPECT_FALSE(form1->shpCircle->isVisible());
    answer("c");
    form1->btnNext->click();

    EXPECT_EQ(feedback(),
              (QStringList{"speak:a b | jap=エー ビー answer= words=a,b circle=off", "play:SysPu",
                           "play:SysPu", "play:Sysbubuu",
                           "speak:No! | jap=エー ビー answer=b a words= circle=off", "play:SysPu",
                           "play:SysPu", "play:SysPingPong",
                           "speak:OK! | jap=エー ビー answer=a b words= circle=on",
                           "speak:c | jap=シー answer= words=c circle=off", "play:SysPu",
                           "play:SysPingPong", "speak:Right! | jap=シー answer=c words= circle=on",
                           "message:Good work! You have finished idiom exercise.",
                           "speak:Good work! You have finished idiom exercise. | jap=シー "
                           "answer=c words= circle=off"}));
    EXPECT_EQ(labels(), (QStringList{"問題番号： 2/2", "正解数： 1", "誤答数： 1"}));
}

TEST_F(DrillScenario, WrongTwiceCountsOnce)
{
    start({"x y"}, {"エックス ワイ"});
    answer("y x");
    form1->btnRetry->click();
    answer("y x");
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/1", "正解数： 0", "誤答数： 1"}));
    EXPECT_EQ(log.only({"speak:No!"}).size(), 2);
    EXPECT_FALSE(form1->btnNext->isEnabled());
}

TEST_F(DrillScenario, ReadVoiceOnSpeaksEachWordAfterItsClickSound)
{
    start({"I am"}, {"私は"});
    form1->rbVOn->click();
    log.events.clear();
    answer("I am");
    EXPECT_EQ(
        log.only({"play:", "speak:I", "speak:am"}),
        (QStringList{"play:SysPu", "speak:I | jap=私は answer= words=I,am circle=off", "play:SysPu",
                     "speak:am | jap=私は answer=I words=am circle=off", "play:SysPingPong"}));
}

TEST_F(DrillScenario, RetryMidAttemptShowsTheSameButtonsInTheSamePlaces)
{
    start({"one two three four"}, {"一 二 三 四"});
    const QStringList before = visibleWords();
    answer("one two");
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("one two"));
    form1->btnRetry->click();
    EXPECT_EQ(form1->lbEnglish->text(), QString());
    EXPECT_EQ(visibleWords(), before);
    answer("one two three four");
    EXPECT_EQ(labels()[1], QStringLiteral("正解数： 1"));
}

TEST_F(DrillScenario, ListenDuringAnAttemptSpeaksAndChangesNothing)
{
    start({"come here now"}, {"今ここに来て"});
    answer("come");
    const QStringList words = visibleWords();
    log.events.clear();
    form1->bbtnListenAgain->click();
    EXPECT_EQ(feedback(), QStringList{"speak:come here now | jap=今ここに来て answer=come "
                                      "words=here,now circle=off"});
    EXPECT_EQ(visibleWords(), words);
    answer("here now");
    EXPECT_EQ(labels()[1], QStringLiteral("正解数： 1"));
}

TEST_F(DrillScenario, ResetDuringAndAfterARunAsksTheSameShuffledOrder)
{
    writeCourse(QString(), QStringLiteral("Order"), {"q1", "q2", "q3"}, {"一", "二", "三"});
    createForms();
    form1->rbOn->click(); // before a course: only the switch moves
    EXPECT_TRUE(form1->rbOn->isChecked());
    EXPECT_EQ(feedback(), QStringList());
    form1->SubDirectory = QStringLiteral("./");
    form1->InitialGame();
    const QStringList order = form1->drill().questionOrder();
    QStringList asked{form1->drill().sentence()};
    answer(asked.back());
    form1->btnReset->click(); // during the run
    EXPECT_EQ(form1->drill().questionOrder(), order);
    EXPECT_EQ(form1->drill().sentence(), asked.front());
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/3", "正解数： 0", "誤答数： 0"}));
    for (int position = 1; position <= 3; ++position) {
        answer(form1->drill().sentence());
        form1->btnNext->click();
    }
    form1->btnReset->click(); // after the run
    EXPECT_EQ(form1->drill().questionOrder(), order);
    EXPECT_EQ(form1->drill().sentence(), asked.front());
}

TEST_F(DrillScenario, RandomSwitchDrawsANewOrderAtEachSwitchToOnOnly)
{
    // The first course start is in file order; each switch to ON draws three positions.
    start({"q1", "q2", "q3"}, {"一", "二", "三"},
          {/*q1*/ 0, 2, 1, 2, /*q3*/ 0, /*q1*/ 0, 1, 1, 2, /*q2*/ 0});
    EXPECT_EQ(form1->drill().questionOrder(), (QStringList{"1", "2", "3"}));
    form1->rbOn->click();
    EXPECT_EQ(form1->drill().questionOrder(), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(form1->drill().sentence(), QStringLiteral("q3"));
    const auto drawsBefore = random->bounds.size();
    form1->rbOn->click(); // already checked: nothing restarts
    EXPECT_EQ(random->bounds.size(), drawsBefore);
    form1->rbOff->click();
    EXPECT_EQ(form1->drill().questionOrder(), (QStringList{"1", "2", "3"}));
    form1->rbOn->click();
    EXPECT_EQ(form1->drill().questionOrder(), (QStringList{"2", "1", "3"}));
    EXPECT_EQ(log.only({"speak:"}).size(), 4) << "each change presented question 1 once";
}

TEST_F(DrillScenario, CourseThatRunsOutOfMemoryLeavesThePreviousOneAsItWas)
{
    start({"I am here.", "Good morning"}, {"私はここ", "おはよう"});
    form1->rbOn->click();
    writeCourse(QStringLiteral("Big"), QStringLiteral("Big course"), {"b1", "b2", "b3"},
                {"一", "二", "三"});
    const QString screenBefore = screen();
    const QStringList orderBefore = form1->drill().questionOrder();
    const QString sentence = form1->drill().sentence();

    // Drawing the new course's order is where memory runs out.
    random->outOfMemory = true;
    form1->SubDirectory = QStringLiteral("./Big/");
    application.guard(form1.get(), [this] { form1->InitialGame(); });
    random->outOfMemory = false;

    EXPECT_EQ(log.only({"error:"}),
              QStringList{QStringLiteral("error:メモリが足りないため、コースを読み込めません (%1)")
                              .arg(QDir::currentPath() + QStringLiteral("/Big"))});
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Test course"));
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/2", "正解数： 0", "誤答数： 0"}));
    EXPECT_EQ(screen(), screenBefore);
    EXPECT_EQ(form1->drill().questionOrder(), orderBefore);
    EXPECT_EQ(form1->OptionList->lines(), (QStringList{"Test course", "Lesson"}));

    // The question on screen still answers as before.
    log.events.clear();
    answer(sentence);
    EXPECT_EQ(log.only({"play:SysPingPong"}), QStringList{"play:SysPingPong"});
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/2", "正解数： 1", "誤答数： 0"}));
}

TEST_F(DrillScenario, OneQuestionCourseEndsAtTheFirstNext)
{
    start({"Hello."}, {"こんにちは。"});
    EXPECT_EQ(labels()[0], QStringLiteral("問題番号： 1/1"));
    answer("Hello.");
    form1->btnNext->click();
    EXPECT_EQ(log.only({"message:"}), QStringList{"message:Congratulation!! You are PERFECT!!"});
}

TEST_F(DrillScenario, NextIsNeverEnabledOnAnUnansweredQuestion)
{
    start({"a b c", "d"}, {"1", "2"});
    EXPECT_FALSE(form1->btnNext->isEnabled());
    answer("a b");
    EXPECT_FALSE(form1->btnNext->isEnabled());
    form1->btnRetry->click();
    answer("c b a");
    EXPECT_FALSE(form1->btnNext->isEnabled());
    form1->btnReset->click();
    EXPECT_FALSE(form1->btnNext->isEnabled());
}

TEST_F(DrillScenario, EmptyWordsAndAMissingJapaneseLine)
{
    // An empty line is one empty button that judges at once; "a  b" has an empty middle word;
    // the Japanese file has no line for the second question.
    start({"", "a  b"}, {"空の行"});
    EXPECT_EQ(visibleWords(), QStringList{""});
    answer("");
    EXPECT_EQ(labels()[1], QStringLiteral("正解数： 1"));
    form1->btnNext->click();
    EXPECT_EQ(form1->lbJap->text(), QString());
    EXPECT_EQ(visibleWords().size(), 3);
    answer("a  b");
    EXPECT_EQ(labels()[1], QStringLiteral("正解数： 2"));
}

TEST_F(DrillScenario, WordsAndSentencesShowAsWrittenEvenWithAmpersandsOrMarkup)
{
    start({"R&D uses <b>tags</b>"}, {"<i>研究</i> & 開発"});
    EXPECT_EQ(form1->lbJap->textFormat(), Qt::PlainText);
    EXPECT_EQ(form1->lbEnglish->textFormat(), Qt::PlainText);
    // A push button would read "&" as a shortcut mark and show "RD".
    QStringList shown;
    for (int i = 1; i <= 3; ++i)
        shown << static_cast<QPushButton*>(form1->wordButtons[static_cast<std::size_t>(i)])->text();
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"<b>tags</b>", "R&&D", "uses"}));
    answer("R&D uses <b>tags</b>");
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("R&D uses <b>tags</b>"));
    EXPECT_EQ(labels()[1], QStringLiteral("正解数： 1"));
}

TEST_F(DrillScenario, BeforeAnyCourseTheDrillControlsDoNothing)
{
    createForms();
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             form1->btnNext, form1->btnReset, form1->btnRetry, form1->bbtnListenAgain,
             form1->wordButtons[1], form1->wordButtons[24], form1->rbOn, form1->rbOff})
        button->click();
    EXPECT_EQ(feedback(), QStringList());
    EXPECT_TRUE(form1->rbOff->isChecked());
    EXPECT_EQ(labels(), (QStringList{"問題番号:", "正解数:", "誤答数:"}));
}

} // namespace
} // namespace lexamo::testing
