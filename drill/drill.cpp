#include "drill.h"

#include "drill/typed_word_match.h"
#include "drill/word_rule.h"

#include <algorithm>

namespace lexamo {

namespace {

QString questionLabel(int position, int count)
{
    return QStringLiteral("問題番号： %1/%2").arg(position).arg(count);
}

QString correctLabel(int count)
{
    return QStringLiteral("正解数： %1").arg(count);
}
QString wrongLabel(int count)
{
    return QStringLiteral("誤答数： %1").arg(count);
}

const QString PerfectMessage = QStringLiteral("Congratulation!! You are PERFECT!!");
const QString FinishedMessage = QStringLiteral("Good work! You have finished idiom exercise.");

} // namespace

const std::array<QString, 8> Drill::PraisePhrases = {
    QStringLiteral("Excellent!"), QStringLiteral("Correct!"),   QStringLiteral("Great!"),
    QStringLiteral("Right!"),     QStringLiteral("Well Done!"), QStringLiteral("OK!"),
    QStringLiteral("Amazing!"),   QStringLiteral("Bingo!"),
};

Drill::Drill(DrillView& view, const std::unique_ptr<SpeechEngine>& voice, SoundPlayer& player,
             const std::unique_ptr<RandomGenerator>& random)
    : m_view(view), m_voice(voice), m_player(player), m_random(random)
{
}

void Drill::createLists(const std::function<void(const QString&)>& step)
{
    QuestionList = std::make_unique<StringList>();
    step(QStringLiteral("QuestionList"));
    AnswerList = std::make_unique<StringList>();
    step(QStringLiteral("AnswerList"));
    QNumList = std::make_unique<StringList>();
    step(QStringLiteral("QNumList"));
    CQList = std::make_unique<StringList>();
    step(QStringLiteral("CQList"));
}

void Drill::releaseLists(const std::function<void(const QString&)>& step)
{
    QuestionList.reset();
    step(QStringLiteral("QuestionList"));
    AnswerList.reset();
    step(QStringLiteral("AnswerList"));
    QNumList.reset();
    step(QStringLiteral("QNumList"));
    CQList.reset();
    step(QStringLiteral("CQList"));
}

bool Drill::active() const
{
    return m_courseStarted && m_random && QuestionList && AnswerList && QNumList && CQList;
}

void Drill::speak(const QString& text)
{
    if (m_voice)
        m_voice->Speak(text, 0);
}

void Drill::play(const WaveStream* sound)
{
    if (sound)
        m_player.play(*sound);
}

void Drill::showCounts(int position)
{
    m_view.setQuestionLabel(questionLabel(position, AllQuestNum));
    m_view.setCorrectLabel(correctLabel(CorrectNum));
    m_view.setWrongLabel(wrongLabel(WrongNum));
}

StringList Drill::drawQuestionOrder(int count) const
{
    StringList order;
    if (m_view.randomOffChecked()) {
        fillQuestionOrder(order, count);
    } else if (m_view.randomOnChecked()) {
        fillQuestionOrder(order, count);
        shuffleQuestionOrder(order, *m_random);
    }
    return order;
}

void Drill::buildQuestionOrder()
{
    *QNumList = drawQuestionOrder(AllQuestNum);
}

void Drill::InitialGame(const QString& title, const StringList& questions,
                        const StringList& answers)
{
    if (!m_random || !QuestionList || !AnswerList || !QNumList || !CQList)
        return;
    // The order is the one part of a new course that can still run out of memory; it is built
    // first, so that a failure leaves the screen and the drill on the previous course.
    StringList order = drawQuestionOrder(static_cast<int>(questions.Count()));
    m_view.setCaption(title);
    // The lists share the course's buffers instead of copying every line.
    *QuestionList = questions;
    *AnswerList = answers;
    AllQuestNum = static_cast<int>(QuestionList->Count());
    CorrectNum = 0;
    WrongNum = 0;
    showCounts(1);
    for (int i = 1; i <= WordButtonCount; ++i)
        btnQArray[static_cast<std::size_t>(i)] =
            m_view.findWordButton(QStringLiteral("btnWord%1").arg(i));
    *QNumList = std::move(order);
    CurrentNum = 1;
    m_view.setCircleVisible(false);
    m_courseStarted = true;
    StartGame();
}

void Drill::StartGame()
{
    m_view.setNextEnabled(false);
    for (int i = 1; i <= WordButtonCount; ++i) {
        btnQArray[static_cast<std::size_t>(i)]->setVisible(false);
        QuestionPart[static_cast<std::size_t>(i)] = i;
    }
    const int q = (*QNumList)[CurrentNum - 1].toInt();
    // A Japanese file shorter than the English one leaves the learner an empty Japanese line
    // rather than an error in the middle of the run.
    m_view.setJapanese(q - 1 < AnswerList->Count() ? (*AnswerList)[q - 1] : QString());
    TempSentence = (*QuestionList)[q - 1];
    CQList->assign(splitWords(TempSentence));
    const auto n = static_cast<int>(CQList->Count());
    shuffleWordSlots(QuestionPart, n, *m_random);
    for (int i = 1; i <= n; ++i) {
        const int w = QuestionPart[static_cast<std::size_t>(i)];
        WordButton* button = btnQArray[static_cast<std::size_t>(i)];
        button->setText((*CQList)[w - 1]);
        button->setVisible(true);
    }
    m_view.setAnswerLine(QString());
    startAttempt();
    NewChk = 0;
    speak(TempSentence);
    prepareNextSentence();
    m_view.setListenEnabled(true);
    m_view.setRetryEnabled(true);
}

void Drill::prepareNextSentence()
{
    // The next question's sentence can be made while the learner works on this one.
    if (m_voice && CurrentNum < AllQuestNum)
        m_voice->prepare((*QuestionList)[(*QNumList)[CurrentNum].toInt() - 1]);
}

void Drill::voiceChanged()
{
    // What was made ahead belongs to the old voice or speed: Listen and Next would start cold.
    if (!active() || !m_voice)
        return;
    m_voice->prepare(TempSentence);
    prepareNextSentence();
}

void Drill::restartRun()
{
    CurrentNum = 1;
    CorrectNum = 0;
    WrongNum = 0;
    showCounts(1);
    m_view.setCircleVisible(false);
    StartGame();
}

void Drill::rbOffChange()
{
    if (!active())
        return;
    buildQuestionOrder();
    restartRun();
}

void Drill::btnResetClick()
{
    // The same order again: a shuffled run is asked in the same sequence.
    if (!active())
        return;
    restartRun();
}

void Drill::btnNextClick()
{
    if (!active())
        return;
    if (CurrentNum == AllQuestNum) {
        m_view.setCircleVisible(false);
        m_view.setNextEnabled(false);
        if (CorrectNum == AllQuestNum) {
            speak(PerfectMessage);
            m_view.ShowMessage(PerfectMessage);
        } else {
            m_view.ShowMessage(FinishedMessage);
            speak(FinishedMessage);
        }
        return;
    }
    ++CurrentNum;
    m_view.setQuestionLabel(questionLabel(CurrentNum, AllQuestNum));
    m_view.setCircleVisible(false);
    m_view.setNextEnabled(false);
    m_view.setRetryEnabled(true);
    StartGame();
}

void Drill::btnWord1Click(WordButton* sender)
{
    if (!active() || !sender)
        return;
    // A click that reached a button after it was used (queued while speech played) is not a
    // second use of its word.
    const int slot = slotOf(sender);
    if (slot == 0 || std::ranges::find(m_placed, slot) != m_placed.end())
        return;
    play(m_sounds.click);
    const QString word = sender->text();
    if (m_view.readVoiceOnChecked())
        speak(word);
    const QString line = m_view.answerLine();
    m_view.setAnswerLine(WCNum == 1 ? line + word : line + QChar(u' ') + word);
    sender->setVisible(false);
    m_placed.push_back(slot);
    if (WCNum == CQList->Count())
        judge();
    ++WCNum;
    if (!takesWords() && !m_typed.text().isEmpty()) {
        m_typed.clear();
        showTyped();
    }
}

int Drill::slotOf(const WordButton* button) const
{
    for (int i = 1; i <= CQList->Count(); ++i)
        if (btnQArray[static_cast<std::size_t>(i)] == button)
            return i;
    return 0;
}

void Drill::judge()
{
    const int q = (*QNumList)[CurrentNum - 1].toInt();
    if (m_view.answerLine() == (*QuestionList)[q - 1]) {
        m_view.setCircleVisible(true);
        const int praise = m_random->draw(static_cast<int>(PraisePhrases.size()));
        play(m_sounds.chime);
        speak(PraisePhrases[static_cast<std::size_t>(praise)]);
        if (NewChk == 0) {
            ++CorrectNum;
            m_view.setCorrectLabel(correctLabel(CorrectNum));
        }
        m_view.setNextEnabled(true);
        m_view.setRetryEnabled(false);
    } else {
        play(m_sounds.buzzer);
        speak(QStringLiteral("No!"));
        if (NewChk == 0) {
            ++WrongNum;
            m_view.setWrongLabel(wrongLabel(WrongNum));
        }
    }
    NewChk = 1;
}

void Drill::btnRetryClick()
{
    if (!active())
        return;
    m_view.setAnswerLine(QString());
    for (int i = 1; i <= CQList->Count(); ++i)
        btnQArray[static_cast<std::size_t>(i)]->setVisible(true);
    startAttempt();
}

void Drill::startAttempt()
{
    WCNum = 1;
    m_placed.clear();
    m_typed.clear();
    showTyped();
}

void Drill::showTyped()
{
    m_view.setTypedText(m_typed.text(), m_typed.refused());
}

void Drill::bbtnListenAgainClick()
{
    if (!active())
        return;
    speak(TempSentence);
}

bool Drill::takesWords() const
{
    return active() && WCNum >= 1 && WCNum <= CQList->Count();
}

TypedAnswer::Outcome Drill::typeKey(const TypingKey& key)
{
    if (!takesWords())
        return {};
    TypedAnswer::Outcome outcome = m_typed.press(key);
    if (outcome.used)
        showTyped();
    return outcome;
}

void Drill::answer(const TypedAnswer::Outcome& request)
{
    // The attempt may have been judged or started again since the key was pressed.
    if (!takesWords())
        return;
    switch (request.request) {
    case TypedAnswer::Request::PickTyped:
        if (!placeWord(
                [&](const QStringList& unused) { return matchTypedWord(request.word, unused); })) {
            play(m_sounds.noMatch);
            m_typed.refuse(request.word);
            showTyped();
        }
        break;
    case TypedAnswer::Request::PickEmpty:
        placeWord(
            [](const QStringList& unused) { return static_cast<int>(unused.indexOf(QString())); });
        break;
    case TypedAnswer::Request::TakeBack:
        takeBackWord();
        break;
    case TypedAnswer::Request::None:
        break;
    }
}

bool Drill::placeWord(const std::function<int(const QStringList& unused)>& choose)
{
    std::vector<int> unusedSlots;
    QStringList words;
    for (int i = 1; i <= CQList->Count(); ++i) {
        if (std::ranges::find(m_placed, i) != m_placed.end())
            continue;
        unusedSlots.push_back(i);
        words.append(btnQArray[static_cast<std::size_t>(i)]->text());
    }
    const int chosen = choose(words);
    if (chosen < 0)
        return false;
    btnWord1Click(
        btnQArray[static_cast<std::size_t>(unusedSlots[static_cast<std::size_t>(chosen)])]);
    return true;
}

void Drill::takeBackWord()
{
    if (!takesWords() || m_placed.empty())
        return;
    WordButton* button = btnQArray[static_cast<std::size_t>(m_placed.back())];
    m_placed.pop_back();
    // The word leaves with the blank that joined it to the one before; an empty word too.
    const QString line = m_view.answerLine();
    const qsizetype cut = button->text().size() + (m_placed.empty() ? 0 : 1);
    m_view.setAnswerLine(line.left(std::max<qsizetype>(0, line.size() - cut)));
    button->setVisible(true);
    --WCNum;
}

} // namespace lexamo
