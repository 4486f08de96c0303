#pragma once

#include "courses/string_list.h"
#include "drill/drill_view.h"
#include "drill/random_generator.h"
#include "drill/shuffles.h"
#include "drill/typed_answer.h"
#include "speech/speech_engine.h"
#include "speech/wave_stream.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace lexamo {

/// The three feedback sounds; they belong to the window, which releases them when it closes.
struct DrillSounds
{
    const WaveStream* click = nullptr;   // RSPu
    const WaveStream* buzzer = nullptr;  // RSBubuu
    const WaveStream* chime = nullptr;   // RSPingPong
    const WaveStream* noMatch = nullptr; // a typed word that names no button
};

/// The drill: which questions are asked in which order, the question on screen, the learner's
/// clicks, judging and the counts. See drill/DESIGN.md for who may change what.
class Drill
{
public:
    Drill(DrillView& view, const std::unique_ptr<SpeechEngine>& voice, SoundPlayer& player,
          const std::unique_ptr<RandomGenerator>& random);

    void setSounds(const DrillSounds& sounds) { m_sounds = sounds; }

    /// Starts a run on a freshly loaded course (the loading itself has already succeeded).
    void InitialGame(const QString& title, const StringList& questions, const StringList& answers);
    void StartGame();

    // Handlers of the window's controls. Until a course has been started, and after the lists
    // have been released at closing, they do nothing at all.
    void rbOffChange();
    void btnResetClick();
    void btnNextClick();
    void btnWord1Click(WordButton* sender);
    void btnRetryClick();
    void bbtnListenAgainClick();
    /// The voice or the reading speed has changed.
    void voiceChanged();

    // Answering from the keyboard. A key edits the typed text at once, even while a handler
    // speaks; the word it asks for is placed later, through answer(), in turn with the clicks.
    /// Whether the question on screen still takes words.
    bool takesWords() const;
    TypedAnswer::Outcome typeKey(const TypingKey& key);
    void answer(const TypedAnswer::Outcome& request);
    /// Takes the last word of the attempt off the answer line and shows its button again, until
    /// the attempt is judged. Nothing is counted, played or spoken.
    void takeBackWord();

    bool courseStarted() const { return m_courseStarted; }

    /// The four lists live from the window's creation to its closing; `step` hears the name of
    /// each list as it is created or released, in order.
    void createLists(const std::function<void(const QString&)>& step);
    void releaseLists(const std::function<void(const QString&)>& step);

    // What the learner can read off the screen, for tools that drive the window.
    int questionCount() const { return AllQuestNum; }
    int position() const { return CurrentNum; }
    const QString& sentence() const { return TempSentence; }
    QStringList words() const { return CQList ? CQList->lines() : QStringList(); }
    QStringList questionOrder() const { return QNumList ? QNumList->lines() : QStringList(); }

    static const std::array<QString, 8> PraisePhrases;

private:
    std::unique_ptr<StringList> QuestionList; // English lines; entry q-1 is question q
    std::unique_ptr<StringList> AnswerList;   // Japanese lines, paired with QuestionList
    std::unique_ptr<StringList> QNumList;     // question order: entry k holds the number at k+1
    std::unique_ptr<StringList> CQList;       // words of the sentence on screen, in order

    int AllQuestNum = 0;
    int CurrentNum = 0;
    int CorrectNum = 0;
    int WrongNum = 0;

    QString TempSentence;
    WordSlots QuestionPart{};
    int WCNum = 0;
    int NewChk = 0;
    std::array<WordButton*, WordButtonCount + 1> btnQArray{};
    std::vector<int> m_placed; // the slots of the attempt's words, in the order placed
    TypedAnswer m_typed;

    bool active() const;
    /// Positions 1..count in file order, or shuffled when Random is ON.
    StringList drawQuestionOrder(int count) const;
    void buildQuestionOrder();
    /// Position 1, both counts 0, the first question presented.
    void restartRun();
    void showCounts(int position);
    void judge();
    /// The slot of a word button showing a word of the question, or 0.
    int slotOf(const WordButton* button) const;
    /// Places the first unused word that `choose` picks from the unused words, in slot order.
    bool placeWord(const std::function<int(const QStringList& unused)>& choose);
    void startAttempt();
    void showTyped();
    void speak(const QString& text);
    void prepareNextSentence();
    void play(const WaveStream* sound);

    DrillView& m_view;
    const std::unique_ptr<SpeechEngine>& m_voice;
    SoundPlayer& m_player;
    const std::unique_ptr<RandomGenerator>& m_random;
    DrillSounds m_sounds;
    bool m_courseStarted = false;
};

} // namespace lexamo
