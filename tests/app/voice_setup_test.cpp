#include "form_fixture.h"

#include <QComboBox>
#include <QScrollBar>
#include <QTest>

namespace lexamo::testing {
namespace {

const QString Zira = QStringLiteral("Microsoft Zira Desktop - English (United States)");

struct VoiceRow
{
    const char* name;
    QStringList descriptions;
    int shownIndex;
    QStringList engineCalls; // after the first GetVoices
};

std::vector<VoiceToken> tokens(const QStringList& descriptions)
{
    std::vector<VoiceToken> result;
    for (const QString& description : descriptions)
        result.emplace_back(QStringLiteral("id%1").arg(result.size()), description);
    return result;
}

class VoiceSetup : public FormFixture, public ::testing::WithParamInterface<VoiceRow>
{
    void TestBody() override {}
};

class VoiceSetupTest : public VoiceSetup
{
};

TEST_P(VoiceSetupTest, SelectsAndAssignsThePreferredVoice)
{
    const VoiceRow& row = GetParam();
    createForms(tokens(row.descriptions));
    EXPECT_EQ(form1->ComboBox1->count(), row.descriptions.size());
    EXPECT_EQ(form1->ComboBox1->currentIndex(), row.shownIndex);
    EXPECT_EQ(form1->KeyVoice, row.engineCalls.isEmpty() ? 999 : row.shownIndex);
    QStringList expected{"engine created", "GetVoices"};
    expected += row.engineCalls;
    EXPECT_EQ(log.events, expected);
}

const QString Assign = QStringLiteral("GetVoices(,)");

INSTANTIATE_TEST_SUITE_P(
    Voices, VoiceSetupTest,
    ::testing::Values(VoiceRow{"preferred_first", {Zira, "B", "C"}, 0, {Assign, "Voice:" + Zira}},
                      VoiceRow{"preferred_third",
                               {"A", "B", Zira},
                               2,
                               {Assign, "Voice:" + Zira, Assign, "Voice:" + Zira}},
                      VoiceRow{"absent", {"A", "B"}, 0, {}},
                      VoiceRow{"differs_in_case", {Zira.toLower(), "B"}, 0, {}},
                      VoiceRow{
                          "differs_by_one_space",
                          {QStringLiteral("Microsoft Zira Desktop -  English (United States)")},
                          0,
                          {}},
                      VoiceRow{"two_matches_the_later_wins",
                               {Zira, "X", Zira},
                               2,
                               {Assign, "Voice:" + Zira, Assign, "Voice:" + Zira}}),
    [](const ::testing::TestParamInfo<VoiceRow>& row) { return std::string(row.param.name); });

using VoiceChoice = FormFixture;

TEST_F(VoiceChoice, ChoosingAnEntryAssignsItOnlyWhenTheSelectionChanges)
{
    createForms(tokens({"A", "B"}));
    log.events.clear();
    form1->ComboBox1->setCurrentIndex(0); // already shown: nothing
    EXPECT_EQ(log.events, QStringList());
    form1->ComboBox1->setCurrentIndex(1);
    form1->ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(log.events, (QStringList{Assign, "Voice:B", Assign, "Voice:A"}));
}

TEST_F(VoiceChoice, NoVoiceShowsTheMessageAndStopsWithoutPresentingAQuestion)
{
    writeCourse(QString(), QStringLiteral("Course"), {"never spoken"}, {"ない"});
    createForms({});
    EXPECT_EQ(log.only({"message:"}),
              QStringList{QStringLiteral("message:Microsoft 音声合成 (TTS: text-to-speech) "
                                         "を利用できません。\r\nMicrosoft "
                                         "音声合成をインストールして下さい。")});
    EXPECT_TRUE(application.stopRequested());
    // The start-up still runs to its end: sounds, lists and seed come after the message.
    EXPECT_EQ(trace.last(), QStringLiteral("Randomize"));
    EXPECT_EQ(form1->KeyVoice, 999);
    form1->FormShow(); // the selection window's loop ends at its first turn
    application.runMainLoop();
    EXPECT_TRUE(application.Terminated());
    EXPECT_EQ(log.only({"speak:"}), QStringList());
    trace.clear();
    form2.reset();
    form1.reset();
    EXPECT_EQ(trace, QStringList{"release voice"}) << "closing never ran, destroying did";
}

using ReadingSpeed = FormFixture;

TEST_F(ReadingSpeed, SendsTheBarsValueUnroundedAtEveryChange)
{
    createForms();
    log.events.clear();
    form1->sbReadingSpeed->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    form1->sbReadingSpeed->setFocus();
    QTest::keyClick(form1->sbReadingSpeed, Qt::Key_Home);
    QTest::keyClick(form1->sbReadingSpeed, Qt::Key_End);
    QTest::keyClick(form1->sbReadingSpeed, Qt::Key_Left);
    QTest::keyClick(form1->sbReadingSpeed, Qt::Key_PageDown);
    QTest::keyClick(form1->sbReadingSpeed, Qt::Key_Right);
    form1->sbReadingSpeed->setValue(1234); // a drag lands anywhere
    EXPECT_EQ(log.events, (QStringList{"Rate:0.5", "Rate:-10", "Rate:10", "Rate:9.5", "Rate:9",
                                       "Rate:9.5", "Rate:1.234"}));
}

TEST_F(ReadingSpeed, AnUntouchedBarSendsNothing)
{
    writeCourse(QString(), QStringLiteral("Course"), {"hello"}, {"こんにちは"});
    createForms();
    form1->SubDirectory = QStringLiteral("./");
    form1->InitialGame();
    EXPECT_EQ(log.only({"Rate:"}), QStringList());
}

} // namespace
} // namespace lexamo::testing
