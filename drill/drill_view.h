#pragma once

#include <QString>

namespace lexamo {

/// One of the 24 word buttons, as the drill sees it.
class WordButton
{
public:
    virtual ~WordButton() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual void setVisible(bool visible) = 0;
};

/// What the drill shows and reads in the main window. The window implements it; tests can
/// implement it without a screen.
class DrillView
{
public:
    virtual ~DrillView() = default;

    virtual void setCaption(const QString& caption) = 0;
    virtual void setJapanese(const QString& text) = 0; // lbJap
    virtual QString answerLine() const = 0;            // lbEnglish
    virtual void setAnswerLine(const QString& text) = 0;
    /// What the learner has typed towards the next word, shown after the answer line; `refused`
    /// when it named no word.
    virtual void setTypedText(const QString& text, bool refused) = 0;
    virtual void setQuestionLabel(const QString& text) = 0; // lbQuestNum
    virtual void setCorrectLabel(const QString& text) = 0;  // lbCorrectNum
    virtual void setWrongLabel(const QString& text) = 0;    // lbWrongNum
    virtual void setCircleVisible(bool visible) = 0;        // shpCircle
    virtual void setNextEnabled(bool enabled) = 0;          // btnNext
    virtual void setRetryEnabled(bool enabled) = 0;         // btnRetry
    virtual void setListenEnabled(bool enabled) = 0;        // bbtnListenAgain
    virtual bool randomOffChecked() const = 0;              // rbOff
    virtual bool randomOnChecked() const = 0;               // rbOn
    virtual bool readVoiceOnChecked() const = 0;            // rbVOn
    /// The word button with this object name, or nullptr.
    virtual WordButton* findWordButton(const QString& name) = 0;
    /// The program's modal message box; returns when the learner has closed it.
    virtual void ShowMessage(const QString& text) = 0;
};

} // namespace lexamo
