// Time from a word click to the click sound's play call and to the judgement's feedback (the
// chime or buzzer play call), with speech replaced by a no-op, over 10,000 clicks on the real
// window (offscreen platform).

#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "silent_services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace lexamo;
using namespace lexamo::bench;
using Clock = std::chrono::steady_clock;

namespace {

class TimingPlayer : public SoundPlayer
{
public:
    void play(const WaveStream& sound) override
    {
        if (sound.name == QStringLiteral("SysPu"))
            clickPlayed = Clock::now();
        else
            feedbackPlayed = Clock::now();
    }
    Clock::time_point clickPlayed;
    Clock::time_point feedbackPlayed;
};

void printStats(const char* what, std::vector<double> micros)
{
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        return micros[static_cast<std::size_t>(q * (micros.size() - 1))];
    };
    std::printf("  %-28s median %7.1f us   p99 %7.1f us   (%zu samples)\n", what, at(0.5), at(0.99),
                micros.size());
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    QFile option(QStringLiteral("Option.txt"));
    option.open(QIODevice::WriteOnly);
    option.write("Bench\nLesson\n");
    option.close();
    QFile english(QStringLiteral("LessonE.txt"));
    english.open(QIODevice::WriteOnly);
    english.write("I would like a cup of tea please\nWhere is the station\nSee you tomorrow\n");
    english.close();
    QFile japanese(QStringLiteral("LessonJ.txt"));
    japanese.open(QIODevice::WriteOnly);
    japanese.write(
        "\xEF\xBB\xBF\xE7\xB4\x85\xE8\x8C\xB6\n\xE9\xA7\x85\n\xE3\x81\xBE\xE3\x81\x9F\n");
    japanese.close();

    ListeningBoxes boxes;
    Application application(boxes);
    TimingPlayer player;
    SilentWindows windows(application, player);
    TForm1& form = windows.form;
    form.SubDirectory = QStringLiteral("./");
    form.InitialGame();

    std::vector<double> toClickSound;
    std::vector<double> toFeedback;
    const int clicks = 10000;
    while (static_cast<int>(toClickSound.size()) < clicks) {
        // Click the words in sentence order: each question is judged correct, then Next.
        const QStringList words = form.drill().words();
        for (qsizetype w = 0; w < words.size(); ++w) {
            const QString& word = words[w];
            WordPushButton* target = nullptr;
            for (int i = 1; i <= WordButtonCount && !target; ++i)
                if (form.wordButtons[i]->isVisible() && form.wordButtons[i]->text() == word)
                    target = form.wordButtons[i];
            const auto start = Clock::now();
            target->click();
            toClickSound.push_back(
                std::chrono::duration<double, std::micro>(player.clickPlayed - start).count());
            if (w == words.size() - 1)
                toFeedback.push_back(
                    std::chrono::duration<double, std::micro>(player.feedbackPlayed - start)
                        .count());
        }
        if (form.drill().position() == form.drill().questionCount())
            form.btnReset->click();
        else
            form.btnNext->click();
    }
    std::printf("word click on the real window, speech silenced (goal: median under 1 ms)\n");
    printStats("click to click sound", toClickSound);
    printStats("judging click to feedback", toFeedback);
    return 0;
}
