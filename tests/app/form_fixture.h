#pragma once

#include "../drill/seeded_random.h"
#include "../qt_printers.h"
#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/scaled_view.h"
#include "fakes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <deque>
#include <gtest/gtest.h>
#include <memory>

namespace lexamo::testing {

/// A stop request leaves Qt's "quit now" flag set, which would end the next test's modal loops
/// at once; one turn of the application's own loop clears it. Each test starts clean.
inline void clearStopRequest()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QApplication::exec();
}

/// The two windows over recording fakes, started in a temporary working folder.
class FormFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_folder.path());
    }

    void TearDown() override
    {
        form2.reset();
        form1.reset();
        clearStopRequest();
        QDir::setCurrent(m_previousFolder);
    }

    /// Writes a UTF-8 file (with a byte-order mark) under the working folder.
    void writeFile(const QString& relativePath, const QString& text)
    {
        const QString path = m_folder.filePath(relativePath);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF");
        file.write(text.toUtf8());
    }

    /// A course folder ("" for the root) with these English and Japanese lines.
    void writeCourse(const QString& folder, const QString& title, const QStringList& english,
                     const QStringList& japanese)
    {
        const QString prefix = folder.isEmpty() ? QString() : folder + QStringLiteral("/");
        writeFile(prefix + QStringLiteral("Option.txt"), title + QStringLiteral("\r\nLesson\r\n"));
        writeFile(prefix + QStringLiteral("LessonE.txt"), english.join(QStringLiteral("\r\n")));
        writeFile(prefix + QStringLiteral("LessonJ.txt"), japanese.join(QStringLiteral("\r\n")));
    }

    /// Builds both windows, as the program does; `random` draws are scripted first, then seeded.
    void createForms(std::vector<VoiceToken> voices = {VoiceToken("v0", "Test Voice")},
                     std::deque<int> draws = {})
    {
        random = nullptr;
        Services services;
        services.application = &application;
        services.createSpeechEngine = [this, voices] {
            auto engine = std::make_unique<RecordingSpeech>(log, voices);
            speech = engine.get();
            log.add(QStringLiteral("engine created"));
            return engine;
        };
        services.openSound = [](const QString& name) {
            static const unsigned char bytes[4] = {};
            return WaveStream{name, bytes, 4};
        };
        services.soundPlayer = &player;
        services.randomize = [this, draws] {
            auto generator = std::make_unique<ScriptedRandom>(draws);
            random = generator.get();
            return generator;
        };
        services.trace = [this](const QString& event) {
            trace.append(event);
            if (traceIntoLog)
                log.add(QStringLiteral("trace:") + event);
        };
        form1 = std::make_unique<TForm1>(services);
        form2 = std::make_unique<TForm2>(application, *form1);
        form1->setForm2(form2.get());
        form1->resize(TForm1::DesignWidth, TForm1::DesignHeight);
        form1->show();
        speech->screen = [this] { return screen(); };
    }

    /// What the learner sees right now: the Japanese line, the answer line, the words on the
    /// visible buttons (sorted, since they are shuffled) and the circle.
    QString screen() const
    {
        QStringList words = visibleWords();
        words.sort();
        return QStringLiteral("jap=%1 answer=%2 words=%3 circle=%4")
            .arg(form1->lbJap->text(), form1->lbEnglish->text(), words.join(u','),
                 form1->shpCircle->isVisible() ? QStringLiteral("on") : QStringLiteral("off"));
    }

    /// The texts of the visible word buttons, in slot order.
    QStringList visibleWords() const
    {
        QStringList words;
        for (int i = 1; i <= WordButtonCount; ++i) {
            auto* button = form1->wordButtons[static_cast<std::size_t>(i)];
            if (button->isVisible())
                words << button->text();
        }
        return words;
    }

    /// Clicks the visible word buttons whose texts rebuild `sentence` in order.
    void clickWords(const QStringList& words)
    {
        for (const QString& word : words) {
            WordPushButton* target = nullptr;
            for (int i = 1; i <= WordButtonCount && !target; ++i) {
                auto* button = form1->wordButtons[static_cast<std::size_t>(i)];
                if (button->isVisible() && button->text() == word)
                    target = button;
            }
            ASSERT_NE(target, nullptr) << "no visible button " << word.toStdString();
            target->click();
        }
    }

    EventLog log;
    QStringList trace;
    /// Also puts the window's trace in the log, to see it in order with what was spoken.
    bool traceIntoLog = false;
    RecordingBoxes boxes{log};
    RecordingSoundPlayer player{log};
    Application application{boxes};
    RecordingSpeech* speech = nullptr;
    ScriptedRandom* random = nullptr;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
};

} // namespace lexamo::testing
