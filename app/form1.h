#pragma once

#include "app/answer_line.h"
#include "app/services.h"
#include "courses/string_list.h"
#include "drill/drill.h"
#include "drill/drill_view.h"

#include <QPushButton>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace lexamo {

class ScaledView;
class TForm2;

/// A word button: a push button the drill can drive through its own small interface. It shows
/// its word as it stands: a button would take "&" for a shortcut mark and hide it ("R&D").
class WordPushButton : public QPushButton, public WordButton
{
public:
    using QPushButton::QPushButton;
    QString text() const override { return m_word; }
    void setText(const QString& word) override
    {
        m_word = word;
        QPushButton::setText(QString(word).replace(u'&', QStringLiteral("&&")));
    }
    void setVisible(bool visible) override { QPushButton::setVisible(visible); }

private:
    QString m_word;
};

/// The drill window. It builds the controls at their design places, binds their events to the
/// handlers below and forwards those to the drill; it owns the objects that live from start-up
/// to closing.
class TForm1 : public QWidget, public DrillView
{
    Q_OBJECT
public:
    static constexpr int DesignWidth = 713;
    static constexpr int DesignHeight = 480;

    /// Builds the window and its controls, then runs FormCreate.
    explicit TForm1(Services services);
    ~TForm1() override;

    void setForm2(TForm2* form2) { m_form2 = form2; }

    // Start-up, closing and the end.
    void FormCreate();
    void FormShow();
    void FormClose();
    void FormDestroy();
    void Close();
    /// A close asked for from outside (the close box, Alt+F4, a stop signal). While a handler
    /// runs, its speech and boxes end at once, and the close follows when it has returned.
    void requestClose();

    // Handlers bound to the controls.
    void btnWord1Click(WordButton* sender);
    void btnNextClick();
    void btnRetryClick();
    void btnResetClick();
    void bbtnListenAgainClick();
    void btnCloseClick();
    void btnChangeCourseClick();
    void rbOffChange();
    void ComboBox1Change();
    void sbReadingSpeedChange();

    /// Loads the course under SubDirectory and starts a run on it.
    void InitialGame();
    /// The selection window's OK: the course at this index of the catalogue.
    void chooseCourse(int index);

    /// The control with this object name (controls live in the scaled view, not as children).
    QWidget* FindComponent(const QString& name) const;
    ScaledView* scaledView() const { return m_view; }
    const Drill& drill() const { return m_drill; }

    // DrillView
    void setCaption(const QString& caption) override;
    void setJapanese(const QString& text) override;
    QString answerLine() const override;
    void setAnswerLine(const QString& text) override;
    void setTypedText(const QString& text, bool refused) override;
    void setQuestionLabel(const QString& text) override;
    void setCorrectLabel(const QString& text) override;
    void setWrongLabel(const QString& text) override;
    void setCircleVisible(bool visible) override;
    void setNextEnabled(bool enabled) override;
    void setRetryEnabled(bool enabled) override;
    void setListenEnabled(bool enabled) override;
    bool randomOffChecked() const override;
    bool randomOnChecked() const override;
    bool readVoiceOnChecked() const override;
    WordButton* findWordButton(const QString& name) override;
    void ShowMessage(const QString& text) override;

    // The objects that live from start-up to closing.
    std::unique_ptr<StringList> OptionList;
    std::unique_ptr<StringList> SubDirectoryList;
    std::unique_ptr<SpeechEngine> voice;
    int KeyVoice = 0;
    std::optional<WaveStream> RSPu;
    std::optional<WaveStream> RSBubuu;
    std::optional<WaveStream> RSPingPong;
    std::optional<WaveStream> RSNoMatch;
    QString SubDirectory;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    QWidget* focusAfter(QWidget* lost) const;
    void bindEvents();
    void bindShortcuts();
    /// A key for the typed answer; true when it was used.
    bool typingKey(const QKeyEvent& event);
    void setUpVoices();
    void guarded(const std::function<void()>& handler);
    void trace(const QString& event) const;

    Services m_services;
    std::unique_ptr<RandomGenerator> m_random;
    Drill m_drill;
    TForm2* m_form2 = nullptr;
    ScaledView* m_view = nullptr;
    bool m_closeUnderway = false;
    bool m_closed = false;

public:
    // Controls, named as the learner's window knows them.
    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Panel3 = nullptr;
    QLabel* lbQuestNum = nullptr;
    QLabel* lbCorrectNum = nullptr;
    QLabel* lbWrongNum = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* bbtnListenAgain = nullptr;
    QGroupBox* rgRandom = nullptr;
    QRadioButton* rbOff = nullptr;
    QRadioButton* rbOn = nullptr;
    QWidget* shpCircle = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* btnChangeCourse = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label2 = nullptr;
    QGroupBox* rgReadVoice = nullptr;
    QRadioButton* rbVOff = nullptr;
    QRadioButton* rbVOn = nullptr;
    QScrollBar* sbReadingSpeed = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lbJap = nullptr;
    AnswerLine* lbEnglish = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnRetry = nullptr;
    QPushButton* btnReset = nullptr;
    std::array<WordPushButton*, WordButtonCount + 1> wordButtons{};
};

/// The scroll bar counts in thousandths, so a small step of 500 is a rate step of 0.5.
inline constexpr int SpeedScale = 1000;

} // namespace lexamo
