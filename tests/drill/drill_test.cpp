#include "drill/drill.h"
#include "seeded_random.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace lexamo {
namespace {

/// One ordered log of everything the drill shows, plays and speaks.
using Log = QStringList;

class RecordingButton : public WordButton
{
public:
    QString text() const override { return m_text; }
    void setText(const QString& text) override { m_text = text; }
    void setVisible(bool visible) override { m_visible = visible; }
    bool visible() const { return m_visible; }

private:
    QString m_text;
    bool m_visible = true;
};

/// The window as the drill sees it: records every call, and holds the answer line, the two
/// switches and the 24 word buttons.
class RecordingDrillView : public DrillView
{
public:
    explicit RecordingDrillView(Log& log) : m_log(log) {}

    void setCaption(const QString& caption) override { add("caption", caption); }
    void setJapanese(const QString& text) override { add("jap", text); }
    QString answerLine() const override { return m_answer; }
    void setAnswerLine(const QString& text) override
    {
        m_answer = text;
        add("answer", text);
    }
    void setTypedText(const QString& text, bool refused) override
    {
        typed = text;
        typedRefused = refused;
    }
    void setQuestionLabel(const QString& text) override { add("label", text); }
    void setCorrectLabel(const QString& text) override { add("label", text); }
    void setWrongLabel(const QString& text) override { add("label", text); }
    void setCircleVisible(bool visible) override { add("circle", onOff(visible)); }
    void setNextEnabled(bool enabled) override { add("next", onOff(enabled)); }
    void setRetryEnabled(bool enabled) override { add("retry", onOff(enabled)); }
    void setListenEnabled(bool enabled) override { add("listen", onOff(enabled)); }
    bool randomOffChecked() const override { return !randomOn; }
    bool randomOnChecked() const override { return randomOn; }
    bool readVoiceOnChecked() const override { return false; }
    WordButton* findWordButton(const QString& name) override
    {
        const int slot = QString(name).remove(QStringLiteral("btnWord")).toInt();
        return slot >= 1 && slot <= WordButtonCount ? &buttons[static_cast<std::size_t>(slot)]
                                                    : nullptr;
    }
    void ShowMessage(const QString& text) override { add("message", text); }

    /// The visible button showing `word`.
    RecordingButton* button(const QString& word)
    {
        for (int i = 1; i <= WordButtonCount; ++i) {
            RecordingButton& candidate = buttons[static_cast<std::size_t>(i)];
            if (candidate.visible() && candidate.text() == word)
                return &candidate;
        }
        return nullptr;
    }

    bool randomOn = false;
    QString typed;
    bool typedRefused = false;
    std::array<RecordingButton, WordButtonCount + 1> buttons;

private:
    static QString onOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }
    void add(const char* what, const QString& value)
    {
        m_log.append(QString::fromLatin1(what) + u':' + value);
    }

    Log& m_log;
    QString m_answer;
};

class RecordingEngine : public SpeechEngine
{
public:
    explicit RecordingEngine(Log& log) : m_log(log) {}
    VoiceCollection GetVoices() override { return VoiceCollection(std::vector<VoiceToken>()); }
    VoiceCollection GetVoices(const QString&, const QString&) override
    {
        return VoiceCollection(std::vector<VoiceToken>());
    }
    void Voice(const VoiceToken&) override {}
    void Rate(float) override {}
    std::unique_ptr<Utterance> startSpeaking(const QString& text) override
    {
        m_log.append(QStringLiteral("speak:") + text);
        return std::make_unique<SilentUtterance>();
    }
    void prepare(const QString& text) override
    {
        if (logPrepare)
            m_log.append(QStringLiteral("prepare:") + text);
    }
    /// Off for the tests that are about what the learner gets, which a hint never changes.
    bool logPrepare = false;

private:
    Log& m_log;
};

class RecordingPlayer : public SoundPlayer
{
public:
    explicit RecordingPlayer(Log& log) : m_log(log) {}
    void play(const WaveStream& sound) override
    {
        m_log.append(QStringLiteral("play:") + sound.name);
    }

private:
    Log& m_log;
};

StringList listOf(const QStringList& lines)
{
    StringList list;
    list.assign(lines);
    return list;
}

class DrillTest : public ::testing::Test
{
protected:
    void SetUp() override { drill.setSounds({&click, &buzzer, &chime}); }

    void start(const QStringList& english, const QStringList& japanese, std::deque<int> draws)
    {
        random = std::make_unique<ScriptedRandom>(std::move(draws));
        drill.createLists([](const QString&) {});
        drill.InitialGame(QStringLiteral("Course"), listOf(english), listOf(japanese));
    }

    void clickWords(const QStringList& words)
    {
        for (const QString& word : words) {
            RecordingButton* button = view.button(word);
            ASSERT_NE(button, nullptr) << word.toStdString();
            drill.btnWord1Click(button);
        }
    }

    /// The log since the last call.
    Log take()
    {
        Log taken = log;
        log.clear();
        return taken;
    }

    Log log;
    RecordingDrillView view{log};
    std::unique_ptr<SpeechEngine> voice = std::make_unique<RecordingEngine>(log);
    RecordingPlayer player{log};
    std::unique_ptr<RandomGenerator> random;
    const unsigned char bytes[4] = {};
    WaveStream click{QStringLiteral("SysPu"), bytes, 4};
    WaveStream buzzer{QStringLiteral("Sysbubuu"), bytes, 4};
    WaveStream chime{QStringLiteral("SysPingPong"), bytes, 4};
    Drill drill{view, voice, player, random};
};

TEST_F(DrillTest, OnlyTheFirstJudgementOfAQuestionCounts)
{
    start({"a b", "c"}, {"エー ビー", "シー"}, {0, 0, 5, 0, 3});
    EXPECT_EQ(take(), (Log{"caption:Course", "label:問題番号： 1/2", "label:正解数： 0",
                           "label:誤答数： 0", "circle:off", "next:off", "jap:エー ビー",
                           "answer:", "speak:a b", "listen:on", "retry:on"}));
    clickWords({"b", "a"});
    EXPECT_EQ(take(), (Log{"play:SysPu", "answer:b", "play:SysPu", "answer:b a", "play:Sysbubuu",
                           "speak:No!", "label:誤答数： 1"}));
    drill.btnRetryClick();
    EXPECT_EQ(take(), Log{"answer:"});
    clickWords({"b", "a"});
    EXPECT_EQ(take(), (Log{"play:SysPu", "answer:b", "play:SysPu", "answer:b a", "play:Sysbubuu",
                           "speak:No!"}))
        << "a second wrong answer is not counted";
    drill.btnRetryClick();
    clickWords({"a", "b"});
    EXPECT_EQ(take(), (Log{"answer:", "play:SysPu", "answer:a", "play:SysPu", "answer:a b",
                           "circle:on", "play:SysPingPong", "speak:OK!", "next:on", "retry:off"}))
        << "nor a later right one";
    drill.btnNextClick();
    clickWords({"c"});
    drill.btnNextClick();
    const Log end = take();
    EXPECT_TRUE(end.contains(QStringLiteral("label:正解数： 1")));
    EXPECT_EQ(end.back(), QStringLiteral("speak:Good work! You have finished idiom exercise."));
    EXPECT_EQ(drill.position(), 2);
}

TEST_F(DrillTest, ResetAsksTheSameShuffledOrderAgainAndTheSwitchDrawsANewOne)
{
    view.randomOn = true;
    start({"q1", "q2", "q3"}, {"一", "二", "三"}, {2, 1, 2, 0});
    EXPECT_EQ(drill.questionOrder(), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(drill.sentence(), QStringLiteral("q3"));
    clickWords({"q3"});
    drill.btnNextClick();
    drill.btnResetClick();
    EXPECT_EQ(drill.questionOrder(), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(drill.position(), 1);
    EXPECT_EQ(drill.sentence(), QStringLiteral("q3"));
    view.randomOn = false;
    drill.rbOffChange();
    EXPECT_EQ(drill.questionOrder(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(drill.sentence(), QStringLiteral("q1"));
}

TEST_F(DrillTest, EachQuestionButTheLastHintsTheNextSentenceAfterSpeakingItsOwn)
{
    auto engine = std::make_unique<RecordingEngine>(log);
    engine->logPrepare = true;
    voice = std::move(engine);
    const auto sentences = [this] {
        Log taken;
        for (const QString& event : take())
            if (event.startsWith(QStringLiteral("prepare:")) ||
                event.startsWith(QStringLiteral("speak:q")))
                taken.append(event);
        return taken;
    };
    view.randomOn = true;
    start({"q1", "q2", "q3"}, {"一", "二", "三"}, {2, 1, 2, 0});
    ASSERT_EQ(drill.questionOrder(), (QStringList{"3", "2", "1"}));
    EXPECT_EQ(sentences(), (Log{"speak:q3", "prepare:q2"}));
    clickWords({"q3"});
    EXPECT_EQ(sentences(), Log());
    drill.btnNextClick();
    EXPECT_EQ(sentences(), (Log{"speak:q2", "prepare:q1"}));
    clickWords({"q2"});
    drill.btnNextClick();
    EXPECT_EQ(sentences(), Log{"speak:q1"}) << "nothing follows the last position";
    clickWords({"q1"});
    drill.btnNextClick();
    drill.bbtnListenAgainClick();
    EXPECT_EQ(sentences(), Log{"speak:q1"});
    drill.btnResetClick();
    EXPECT_EQ(sentences(), (Log{"speak:q3", "prepare:q2"}));
}

TEST_F(DrillTest, WithoutACourseOrAfterTheListsAreReleasedNothingHappens)
{
    random = std::make_unique<ScriptedRandom>();
    drill.btnNextClick();
    drill.btnWord1Click(&view.buttons[1]);
    drill.createLists([](const QString&) {});
    drill.btnResetClick();
    EXPECT_EQ(log, Log());

    drill.InitialGame(QStringLiteral("Course"), listOf({"x"}), listOf({"エックス"}));
    QStringList released;
    drill.releaseLists([&](const QString& list) { released << list; });
    EXPECT_EQ(released, (QStringList{"QuestionList", "AnswerList", "QNumList", "CQList"}));
    log.clear();
    drill.btnRetryClick();
    drill.bbtnListenAgainClick();
    drill.btnWord1Click(&view.buttons[1]);
    EXPECT_EQ(log, Log());
}

} // namespace
} // namespace lexamo
