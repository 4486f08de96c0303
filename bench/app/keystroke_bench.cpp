// Keystrokes a learner needs to answer the sample courses in examples/ without the mouse, set
// against the mouse clicks for the same answers. The real main and selection windows run on the
// offscreen platform with speech and sounds silenced; every key is a real key event sent to a
// window, and every question must end correct on its first attempt. A chord (Shift+Tab, Ctrl+N,
// a capital letter) counts as one keystroke.
//
// Two keyboard strategies answer each question:
//  typing  each word as the shortest text the window accepts for it, then Space (Enter for an
//          empty word); then Ctrl+N for Next;
//  Tab     Tab or Shift+Tab, whichever is fewer, from where the focus is to a button showing the
//          word, then Space; then the same to Next.

#include "app/application.h"
#include "app/form1.h"
#include "app/form2.h"
#include "app/scaled_view.h"
#include "drill/typed_word_match.h"
#include "silent_services.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using namespace lexamo;
using namespace lexamo::bench;

namespace {

constexpr int Runs = 10;
const QString PerfectMessage = QStringLiteral("Congratulation!! You are PERFECT!!");

// The classic keystroke-level model operator times (Card, Moran and Newell, 1980).
constexpr double Keystroke = 0.28; // K: an average typist
constexpr double Point = 1.1;      // P: pointing with the mouse
constexpr double Button = 0.1;     // B: pressing or releasing a mouse button

class SilentPlayer : public SoundPlayer
{
public:
    void play(const WaveStream&) override {}
};

bool fail(const QString& what)
{
    std::fprintf(stderr, "FAILED: %s\n", qPrintable(what));
    return false;
}

/// Sends keys to the windows and counts them.
class Keyboard
{
public:
    int count() const { return m_count; }

    void press(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ++m_count;
        QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
        QApplication::processEvents();
    }

    /// One keystroke per character: a capital is Shift and its letter, one chord.
    bool type(QWidget* window, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() > 0x7E || c.unicode() < 0x21)
                return fail(QStringLiteral("no key types \"%1\"").arg(c));
            ++m_count;
            QTest::keyClick(window->windowHandle(), static_cast<char>(c.unicode()));
            QApplication::processEvents();
        }
        return true;
    }

    /// Tabs forward (positive) or back (negative) from where the focus is to `target`, along
    /// the controls of the view that take the focus now; 0 when it is there already.
    static int tabsTo(const ScaledView& view, QWidget* target)
    {
        std::vector<QWidget*> cycle;
        QWidget* first = view.nextFocusable(nullptr);
        for (QWidget* control = first; control;) {
            cycle.push_back(control);
            control = view.nextFocusable(control);
            if (control == first)
                break;
        }
        const auto n = static_cast<int>(cycle.size());
        const auto indexOf = [&](QWidget* control) {
            for (int i = 0; i < n; ++i)
                if (cycle[static_cast<std::size_t>(i)] == control)
                    return i;
            return -1;
        };
        const int to = indexOf(target);
        const int from = indexOf(focused(view));
        // With no focus, Tab goes to the first control and Shift+Tab to the last.
        const int forward = from < 0 ? to + 1 : (to - from + n) % n;
        const int back = from < 0 ? n - to : (from - to + n) % n;
        return forward <= back ? forward : -back;
    }

    bool tabTo(QWidget* window, const ScaledView& view, QWidget* target)
    {
        const int tabs = tabsTo(view, target);
        for (int i = 0; i < std::abs(tabs); ++i)
            press(window, Qt::Key_Tab, tabs > 0 ? Qt::NoModifier : Qt::ShiftModifier);
        if (focused(view) != target)
            return fail(QStringLiteral("the Tabs did not reach ") + target->objectName());
        return true;
    }

    static QWidget* focused(const ScaledView& view)
    {
        QWidget* control = view.surface()->focusWidget();
        return control && control->hasFocus() ? control : nullptr;
    }

private:
    int m_count = 0;
};

/// The texts of the word buttons still shown, in slot order, as the window matches typed text
/// against them.
QStringList unusedWords(const TForm1& form)
{
    QStringList words;
    for (int i = 1; i <= WordButtonCount; ++i)
        if (form.wordButtons[static_cast<std::size_t>(i)]->isVisible())
            words << form.wordButtons[static_cast<std::size_t>(i)]->text();
    return words;
}

int capitals(const QString& text)
{
    return static_cast<int>(std::ranges::count_if(text, [](QChar c) { return c.isUpper(); }));
}

/// The shortest text, fewest capitals first among equals, that names `word` among `unused`:
/// the word with any of its end punctuation left off, as written or in lower case.
QString shortestAccepted(const QString& word, const QStringList& unused)
{
    qsizetype leading = 0;
    while (leading < word.size() && word[leading].isPunct())
        ++leading;
    qsizetype trailing = 0;
    while (trailing < word.size() - leading && word[word.size() - 1 - trailing].isPunct())
        ++trailing;
    QString best;
    const auto consider = [&](const QString& text) {
        const int index = matchTypedWord(text, unused);
        if (index < 0 || unused[index] != word)
            return;
        if (best.isEmpty() || text.size() < best.size() ||
            (text.size() == best.size() && capitals(text) < capitals(best)))
            best = text;
    };
    for (qsizetype lead = 0; lead <= leading; ++lead)
        for (qsizetype trail = 0; trail <= trailing && lead + trail < word.size(); ++trail) {
            const QString core = word.mid(lead, word.size() - lead - trail);
            consider(core);
            consider(core.toLower());
        }
    return best;
}

bool answerByTyping(Keyboard& keys, TForm1& form)
{
    for (const QString& word : form.drill().words()) {
        if (word.isEmpty()) {
            keys.press(&form, Qt::Key_Return);
            continue;
        }
        const QString text = shortestAccepted(word, unusedWords(form));
        if (text.isEmpty())
            return fail(QStringLiteral("no typed text names \"%1\"").arg(word));
        if (!keys.type(&form, text))
            return false;
        keys.press(&form, Qt::Key_Space);
    }
    keys.press(&form, Qt::Key_N, Qt::ControlModifier);
    return true;
}

bool answerByTabbing(Keyboard& keys, TForm1& form)
{
    const ScaledView& view = *form.scaledView();
    for (const QString& word : form.drill().words()) {
        // Of equal words, the one fewest Tabs away.
        QWidget* nearest = nullptr;
        for (int i = 1; i <= WordButtonCount; ++i) {
            WordPushButton* button = form.wordButtons[static_cast<std::size_t>(i)];
            if (button->isVisible() && button->text() == word &&
                (!nearest || std::abs(Keyboard::tabsTo(view, button)) <
                                 std::abs(Keyboard::tabsTo(view, nearest))))
                nearest = button;
        }
        if (!nearest)
            return fail(QStringLiteral("no button shows \"%1\"").arg(word));
        if (!keys.tabTo(&form, view, nearest))
            return false;
        keys.press(&form, Qt::Key_Space);
    }
    if (!keys.tabTo(&form, view, form.btnNext))
        return false;
    keys.press(&form, Qt::Key_Space);
    return true;
}

/// As the window manager would, when a window opens or the one above it closes.
bool activate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; }) ||
           fail(window.objectName() + QStringLiteral(" never became active"));
}

/// Chooses the course in this row of the selection window by keys, once `open` has shown the
/// window: the list focused, the row reached with the arrow keys, and Enter.
bool chooseCourse(Keyboard& keys, TForm1& form, TForm2& selection, int row,
                  const std::function<void()>& open)
{
    bool chosen = false;
    QTimer choose;
    QObject::connect(&choose, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != &selection || !selection.isVisible())
            return;
        choose.stop();
        QListWidget& list = *selection.ListBox1;
        if (activate(selection) && keys.tabTo(&selection, *selection.scaledView(), &list)) {
            while (list.currentRow() < row)
                keys.press(&selection, Qt::Key_Down);
            while (list.currentRow() > row)
                keys.press(&selection, Qt::Key_Up);
            keys.press(&selection, Qt::Key_Return);
            chosen = !selection.isVisible();
        }
        if (selection.isVisible())
            selection.close();
    });
    choose.start(10);
    open();
    if (!activate(form) || !chosen)
        return fail(QStringLiteral("the course in row %1 was not chosen by keys").arg(row + 1));
    return true;
}

struct CourseFigures
{
    QString folder;
    int questions = 0;
    int words = 0;
    int chooseKeys = 0;
    int typingKeys = 0; // over all runs
    int tabKeys = 0;    // over all runs
};

/// Answers every question of the course on screen, then checks that each was right at once.
bool runCourse(Keyboard& keys, TForm1& form, ListeningBoxes& boxes,
               bool (*answer)(Keyboard&, TForm1&), int& words)
{
    const int questions = form.drill().questionCount();
    const qsizetype messages = boxes.messages.size();
    for (int position = 1; position <= questions; ++position) {
        words += static_cast<int>(form.drill().words().size());
        if (!answer(keys, form))
            return false;
    }
    if (boxes.messages.size() != messages + 1 || boxes.messages.back() != PerfectMessage)
        return fail(QStringLiteral("the run did not end with every answer correct"));
    if (form.lbCorrectNum->text() != QStringLiteral("正解数： %1").arg(questions))
        return fail(QStringLiteral("counted: ") + form.lbCorrectNum->text());
    return true;
}

bool measureCourse(Keyboard& keys, TForm1& form, ListeningBoxes& boxes, CourseFigures& figures)
{
    figures.folder = QStringLiteral("examples/") + form.SubDirectory.mid(2);
    figures.questions = form.drill().questionCount();
    int words = 0;
    for (int run = 0; run < Runs; ++run) {
        // Reset (not counted) starts the course again with new shuffles of its words.
        keys.press(&form, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        int before = keys.count();
        if (!runCourse(keys, form, boxes, answerByTyping, words))
            return false;
        figures.typingKeys += keys.count() - before;
        keys.press(&form, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        before = keys.count();
        if (!runCourse(keys, form, boxes, answerByTabbing, words))
            return false;
        figures.tabKeys += keys.count() - before;
    }
    figures.words = words / (2 * Runs);
    return true;
}

void printTable(const std::vector<CourseFigures>& courses)
{
    std::printf("Answering the sample courses without the mouse: real windows (offscreen), speech\n"
                "silenced, real key events, every question correct at once. Means per question\n"
                "over %d runs of each course, the words shuffled anew in every run.\n\n",
                Runs);
    std::printf("%-17s %9s %7s %8s %-13s %-20s %6s\n", "", "", "", "", "  keys/q",
                "    estimated s/q", "keys to");
    std::printf("%-17s %9s %7s %8s %6s %6s %6s %6s %6s %7s\n", "course", "questions", "words/q",
                "clicks/q", "typing", "Tab", "mouse", "typing", "Tab", "choose");
    for (const CourseFigures& c : courses) {
        const double perQuestion = 1.0 / (Runs * c.questions);
        const double clicks = double(c.words) / c.questions + 1;
        const double typing = c.typingKeys * perQuestion;
        const double tab = c.tabKeys * perQuestion;
        std::printf("%-17s %9d %7.2f %8.2f %6.2f %6.2f %6.2f %6.2f %6.2f %7d\n",
                    qPrintable(c.folder), c.questions, clicks - 1, clicks, typing, tab,
                    clicks * (Point + 2 * Button), typing * Keystroke, tab * Keystroke,
                    c.chooseKeys);
    }
    std::printf(
        "\nmouse clicks: one per word and one for Next. Keystrokes: a chord (Shift+Tab, Ctrl+N, a\n"
        "capital letter) counts as one. typing: each word as the shortest text accepted, then\n"
        "Space; Ctrl+N for Next. Tab: Tab or Shift+Tab, whichever is fewer, to a button showing\n"
        "the word, then Space; the same for Next. keys to choose: in the selection window, for\n"
        "the first course as it opens at start-up, for the others from the main window through\n"
        "ChangeCourse.\n"
        "Estimated seconds: the classic keystroke-level model operator times (Card, Moran and\n"
        "Newell 1980): K %.2f s a keystroke; a click is P %.1f s pointing + 2 B %.1f s, a mouse\n"
        "button pressed and released. Thinking (M) and moving the hand between mouse and\n"
        "keyboard (H) are left out of all three.\n",
        Keystroke, Point, Button);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QDir::setCurrent(QStringLiteral(LEXAMO_SOURCE_DIR "/examples"));

    ListeningBoxes boxes;
    Application application(boxes);
    SilentPlayer player;
    SilentWindows windows(application, player);
    TForm1& form = windows.form;
    TForm2& selection = windows.selection;
    if (!activate(form))
        return 1;

    Keyboard keys;
    std::vector<CourseFigures> courses;
    for (int row = 0; row < 3; ++row) {
        CourseFigures figures;
        const int before = keys.count();
        const bool chosen =
            row == 0 ? chooseCourse(keys, form, selection, row, [&] { form.FormShow(); })
                     : chooseCourse(keys, form, selection, row, [&] {
                           if (keys.tabTo(&form, *form.scaledView(), form.btnChangeCourse))
                               keys.press(&form, Qt::Key_Space);
                       });
        if (!chosen)
            return 1;
        figures.chooseKeys = keys.count() - before;
        if (!measureCourse(keys, form, boxes, figures))
            return 1;
        courses.push_back(figures);
    }
    if (selection.ListBox1->count() != 3)
        return fail(QStringLiteral("examples/ should hold three courses")) ? 0 : 1;
    if (!boxes.errors.isEmpty())
        return 1;
    printTable(courses);
    return 0;
}
