// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard_fixture.h"

#include <QRadioButton>

namespace lexamo::testing {
namespace {

/// The learner's keys as a string: "\b" Backspace, "\x1b" Esc, "\n" Enter, " " Space, any other
/// character typed as it stands.
struct TypingCase
{
    const char* name;
    const char* sentence;
    const char* keys;
    const char* answerLine;
    const char* typed;
    bool refused;
    QStringList sounds; // played and spoken, in order
    QStringList unused; // the words still shown, sorted
    QStringList counts; // correct, wrong
};

std::ostream& operator<<(std::ostream& out, const TypingCase& c)
{
    return out << c.name;
}

const QStringList NoCounts = {"正解数： 0", "誤答数： 0"};
const QStringList Click = {"play:SysPu"};

class Typing : public Keyboard, public ::testing::WithParamInterface<TypingCase>
{
protected:
    void typeKeys(const QString& keys)
    {
        for (const QChar c : keys) {
            switch (c.unicode()) {
            case u'\b':
                press(Qt::Key_Backspace);
                break;
            case u'\x1b':
                press(Qt::Key_Escape);
                break;
            case u'\n':
                press(Qt::Key_Return);
                break;
            default:
                QTest::keyClick(form1->windowHandle(), c.toLatin1());
                QApplication::processEvents();
            }
        }
    }

    /// What was played and spoken, in order, with any praise phrase as "speak:praise" (its draw is
    /// seeded).
    QStringList heard() const
    {
        QStringList events = log.only({"play:", "speak:"});
        for (QString& event : events) {
            event = event.section(QStringLiteral(" | "), 0, 0); // without the screen at the time
            for (const QString& phrase : Drill::PraisePhrases)
                if (event == QStringLiteral("speak:") + phrase)
                    event = QStringLiteral("speak:praise");
        }
        return events;
    }

    QStringList unusedWords() const
    {
        QStringList words = visibleWords();
        words.sort();
        return words;
    }
};

TEST_P(Typing, KeysPlaceAndTakeBackWordsAsClicksWould)
{
    const TypingCase& c = GetParam();
    startCourse({QString::fromUtf8(c.sentence), "next"}, {"日本語", "次"});
    log.events.clear();

    typeKeys(QString::fromUtf8(c.keys));

    EXPECT_EQ(form1->lbEnglish->text(), QString::fromUtf8(c.answerLine));
    EXPECT_EQ(form1->lbEnglish->typed(), QString::fromUtf8(c.typed));
    EXPECT_EQ(form1->lbEnglish->typedRefused(), c.refused);
    EXPECT_EQ(heard(), c.sounds);
    EXPECT_EQ(unusedWords(), c.unused);
    EXPECT_EQ(labels().mid(1), c.counts);
}

const QStringList Judged = {"正解数： 1", "誤答数： 0"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Sequences, Typing, ::testing::Values(
    //         name                         sentence       keys              answer line  typed  refused
    //         played and spoken                              words left                 counts
    TypingCase{"ExactWord",                 "I am a boy.", "am ",            "am",        "",    false,
               Click,                                         {"I", "a", "boy."},        NoCounts},
    TypingCase{"OtherCaseShown",            "I am a boy.", "AM",             "",          "AM",  false,
               {},                                            {"I", "a", "am", "boy."},  NoCounts},
    TypingCase{"OtherCasePicked",           "I am a boy.", "AM\n",           "am",        "",    false,
               Click,                                         {"I", "a", "boy."},        NoCounts},
    TypingCase{"PunctuationLeftOut",        "I am a boy.", "boy ",           "boy.",      "",    false,
               Click,                                         {"I", "a", "am"},          NoCounts},
    TypingCase{"IdenticalWords",            "that that is", "that that ",    "that that", "",    false,
               Click + Click,                                 {"is"},                    NoCounts},
    TypingCase{"FitsTwoDifferentWords",     "Yes, yes.",   "yes ",           "",          "yes", true,
               {"play:NoMatch"},                              {"Yes,", "yes."},          NoCounts},
    TypingCase{"NoMatchStays",              "I am a boy.", "xa ",            "",          "xa",  true,
               {"play:NoMatch"},                              {"I", "a", "am", "boy."},  NoCounts},
    TypingCase{"CorrectedAfterRefusal",     "I am a boy.", "xa \b\b\ba ",     "a",         "",    false,
               {"play:NoMatch", "play:SysPu"},                {"I", "am", "boy."},       NoCounts},
    TypingCase{"PartOfAWordIsNoWord",       "I am a boy.", "bo ",            "",          "bo",  true,
               {"play:NoMatch"},                              {"I", "a", "am", "boy."},  NoCounts},
    TypingCase{"EscClears",                 "I am a boy.", "bo\x1b ",        "",          "",    false,
               {},                                            {"I", "a", "am", "boy."},  NoCounts},
    TypingCase{"BackspaceErasesTypedFirst", "I am a boy.", "I am\b",         "I",         "a",   false,
               Click,                                         {"a", "am", "boy."},       NoCounts},
    TypingCase{"BackspaceTakesBack",        "I am a boy.", "I am \b",        "I",         "",    false,
               Click + Click,                                 {"a", "am", "boy."},       NoCounts},
    TypingCase{"TakeBackToTheStart",        "I am a boy.", "I am \b\b\b",    "",          "",    false,
               Click + Click,                                 {"I", "a", "am", "boy."},  NoCounts},
    TypingCase{"DoubledBlankAsWritten",     "a  b",        "a  b ",          "a  b",      "",    false,
               Click + Click + Click + QStringList{"play:SysPingPong", "speak:praise"}, {}, Judged},
    TypingCase{"BackspaceAcrossEmptyWord",  "a  b",        "a  \b",          "a",         "",    false,
               Click + Click,                                 {"", "b"},                 NoCounts},
    TypingCase{"EnterPicksTheEmptyWord",    "a  b",        "\n",             "",          "",    false,
               Click,                                         {"a", "b"},                NoCounts},
    TypingCase{"WholeQuestionTyped",        "I am a boy.", "i am a boy\n",   "I am a boy.", "",  false,
               Click + Click + Click + Click + QStringList{"play:SysPingPong", "speak:praise"}, {}, Judged},
    TypingCase{"BackspaceAfterJudging",     "Hi there",    "there hi \b\b",  "there Hi",  "",    false,
               Click + Click + QStringList{"play:Sysbubuu", "speak:No!"}, {}, {"正解数： 0", "誤答数： 1"}},
    TypingCase{"TypingAfterJudging",        "Hi",          "hi x",           "Hi",        "",    false,
               Click + QStringList{"play:SysPingPong", "speak:praise"}, {},            Judged}),
    [](const ::testing::TestParamInfo<TypingCase>& param) { return std::string(param.param.name); });
// clang-format on

using Shortcuts = Keyboard;

TEST_F(Shortcuts, ActAsAClickOnlyWhileTheirButtonIsEnabled)
{
    startCourse({"a b", "c"}, {"エー ビー", "シー"});
    log.events.clear();
    const auto chord = [this](int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        press(key, modifiers);
    };

    chord(Qt::Key_L);
    EXPECT_EQ(log.only({"speak:"}).size(), 1) << "Listen speaks the sentence again";

    chord(Qt::Key_N);
    EXPECT_EQ(labels()[0], QStringLiteral("問題番号： 1/2")) << "Next is disabled before an answer";

    clickWords({"a"});
    chord(Qt::Key_R);
    EXPECT_EQ(form1->lbEnglish->text(), QString()) << "Retry starts the attempt again";
    EXPECT_EQ(visibleWords().size(), 2);

    clickWords({"a", "b"});
    ASSERT_TRUE(form1->btnNext->isEnabled());
    chord(Qt::Key_R);
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("a b")) << "Retry is disabled when correct";

    chord(Qt::Key_N);
    EXPECT_EQ(labels()[0], QStringLiteral("問題番号： 2/2"));
    EXPECT_EQ(form1->lbJap->text(), QStringLiteral("シー"));

    chord(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(labels(), (QStringList{"問題番号： 1/2", "正解数： 0", "誤答数： 0"}))
        << "Reset starts the run again";

    for (QPushButton* button :
         {form1->bbtnListenAgain, form1->btnRetry, form1->btnNext, form1->btnReset})
        EXPECT_TRUE(button->toolTip().contains(QStringLiteral("Ctrl+")))
            << button->toolTip().toStdString();
}

TEST_F(Shortcuts, AClickOnTheAnswerLineTakesBackItsLastWord)
{
    startCourse({"I am a boy."}, {"私は少年です。"});
    clickWords({"I", "am"});
    log.events.clear();
    clickOn(form1->lbEnglish);
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("I"));
    EXPECT_TRUE(visibleWords().contains(QStringLiteral("am")));
    EXPECT_EQ(log.only({"play:", "speak:"}), QStringList()) << "nothing played or spoken";
    clickWords({"am", "a", "boy."});
    EXPECT_EQ(labels().mid(1), (QStringList{"正解数： 1", "誤答数： 0"}));
    clickOn(form1->lbEnglish);
    EXPECT_EQ(form1->lbEnglish->text(), QStringLiteral("I am a boy.")) << "not after judging";
}

TEST_F(Shortcuts, ATypedWordIsSpokenWithReadVoiceOnAsItsClickWouldBe)
{
    startCourse({"I am"}, {"私は"});
    form1->rbVOn->click();
    log.events.clear();
    for (const char key : {'a', 'm', ' '})
        QTest::keyClick(form1->windowHandle(), key);
    QApplication::processEvents();
    QStringList heard = log.only({"play:", "speak:"});
    for (QString& event : heard)
        event = event.section(QStringLiteral(" | "), 0, 0);
    EXPECT_EQ(heard, (QStringList{"play:SysPu", "speak:am"}));
}

} // namespace
} // namespace lexamo::testing
