#include "form1.h"

#include "app/application.h"
#include "app/circle_shape.h"
#include "app/fitting_label.h"
#include "app/form2.h"
#include "app/message_boxes.h"
#include "app/responsive_speech.h"
#include "app/scaled_view.h"
#include "courses/catalogue.h"
#include "courses/course_loader.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace lexamo {

namespace {

const QColor SkyBlue(0x87, 0xCE, 0xEB);
const QColor DarkOrchid(0x99, 0x32, 0xCC);
const QString PreferredVoice = QStringLiteral("Microsoft Zira Desktop - English (United States)");
const QString NoVoiceMessage =
    QStringLiteral("Microsoft 音声合成 (TTS: text-to-speech) を利用できません。\r\n"
                   "Microsoft 音声合成をインストールして下さい。");

constexpr int LargeText = 14;
constexpr int VisibleVoices = 10;
/// The panels keep this distance from the window's right edge; so does the open voice list.
constexpr int WindowMargin = 8;

/// Six rows of four; the rows are not evenly spaced.
constexpr std::array<int, 6> WordRowY = {50, 85, 122, 157, 194, 229};
constexpr std::array<int, WordButtonCount> WordTabOrder = {
    19, 24, 18, 17, 20, 21, 22, 23, 9, 10, 11, 12, 13, 14, 15, 16, 1, 2, 3, 4, 5, 6, 7, 8};

QFont fontOf(int pixelSize, bool bold = false)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

template <typename T> T* named(T* control, const char* name, int tabOrder)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setProperty("tabOrder", tabOrder);
    return control;
}

template <typename Label = QLabel>
Label* makeLabel(const char* name, const QString& text, int pixelSize, int tabOrder)
{
    auto* label = named(new Label(text), name, tabOrder);
    label->setFont(fontOf(pixelSize));
    label->setWordWrap(true);
    // Sentences are shown as written, even when they look like markup ("a <b> tag").
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

/// A counter: its numbers may grow past what the box holds at the design size.
QLabel* makeCounter(const char* name, const QString& text, int tabOrder)
{
    auto* label = named(new FittingLabel(text), name, tabOrder);
    label->setFont(fontOf(LargeText));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QPushButton* makeButton(const char* name, const QString& text, int tabOrder, bool bold,
                        std::optional<QColor> colour = std::nullopt)
{
    auto* button = named(new QPushButton(text), name, tabOrder);
    button->setFont(fontOf(12, bold));
    if (colour) {
        // Only the enabled look: a disabled button keeps the style's grey text.
        QPalette palette = button->palette();
        palette.setColor(QPalette::Active, QPalette::ButtonText, *colour);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, *colour);
        button->setPalette(palette);
    }
    return button;
}

QFrame* makePanel(const char* name, int tabOrder)
{
    auto* panel = named(new QFrame, name, tabOrder);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setFocusPolicy(Qt::NoFocus);
    return panel;
}

QRadioButton* makeRadio(QGroupBox* group, const char* name, const QString& text, QRect rect,
                        bool checked, int tabOrder)
{
    auto* radio = named(new QRadioButton(text, group), name, tabOrder);
    radio->setGeometry(rect);
    radio->setChecked(checked);
    return radio;
}

QGroupBox* makeGroup(const char* name, const QString& title, int tabOrder)
{
    return named(new QGroupBox(title), name, tabOrder);
}

/// Appends the controls that take the focus by Tab, in tab order: ascending tab number within
/// each container, a container's own controls where the container stands.
void collectInTabOrder(QWidget* container, QList<QWidget*>& chain)
{
    QList<QWidget*> children = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
        return a->property("tabOrder").toInt() < b->property("tabOrder").toInt();
    });
    for (QWidget* child : children) {
        if (child->focusPolicy() & Qt::TabFocus)
            chain.append(child);
        else
            collectInTabOrder(child, chain);
    }
}

TypingKey typingKeyOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Space:
        return {TypingKey::Kind::Space, {}};
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return {TypingKey::Kind::Enter, {}};
    case Qt::Key_Backspace:
        return {TypingKey::Kind::Backspace, {}};
    case Qt::Key_Escape:
        return {TypingKey::Kind::Escape, {}};
    default:
        break;
    }
    const QString text = event.text();
    const bool printable = !text.isEmpty() && std::ranges::all_of(text, [](QChar c) {
        return c.isPrint() && !c.isSpace();
    });
    return {printable ? TypingKey::Kind::Text : TypingKey::Kind::Other, text};
}

} // namespace

TForm1::TForm1(Services services)
    : m_services(std::move(services)), m_drill(*this, voice, *m_services.soundPlayer, m_random)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    resize(DesignWidth, DesignHeight);
    buildControls();
    bindEvents();
    FormCreate();
}

TForm1::~TForm1()
{
    FormDestroy();
}

void TForm1::trace(const QString& event) const
{
    if (m_services.trace)
        m_services.trace(event);
}

void TForm1::guarded(const std::function<void()>& handler)
{
    m_services.application->guard(this, handler);
}

void TForm1::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new ScaledView(QSize(DesignWidth, DesignHeight), SkyBlue, this);
    layout->addWidget(m_view);
    ScaledView& view = *m_view;

    // Bottom of the drawing order first.
    Panel1 = makePanel("Panel1", 0);
    view.place(Panel1, {8, 208, 697, 260});
    Panel2 = makePanel("Panel2", 5);
    view.place(Panel2, {8, 67, 697, 41});
    Panel3 = makePanel("Panel3", 4);
    view.place(Panel3, {8, 120, 697, 41});
    lbQuestNum = makeCounter("lbQuestNum", QStringLiteral("問題番号:"), 3);
    view.place(lbQuestNum, {18, 179, 120, 17});
    lbCorrectNum = makeCounter("lbCorrectNum", QStringLiteral("正解数:"), 2);
    view.place(lbCorrectNum, {139, 179, 87, 17});
    lbWrongNum = makeCounter("lbWrongNum", QStringLiteral("誤答数:"), 1);
    view.place(lbWrongNum, {229, 179, 90, 17});
    btnClose = makeButton("btnClose", QStringLiteral("Close"), 7, true);
    view.place(btnClose, {620, 21, 80, 33});
    view.addShadow(btnClose);
    bbtnListenAgain = makeButton("bbtnListenAgain", QStringLiteral("Listen"), 6, true, DarkOrchid);
    view.place(bbtnListenAgain, {524, 21, 80, 33});
    view.addShadow(bbtnListenAgain);
    rgRandom = makeGroup("rgRandom", QStringLiteral("Random"), 11);
    rbOff = makeRadio(rgRandom, "rbOff", QStringLiteral("OFF"), {7, 16, 49, 19}, true, 0);
    rbOn = makeRadio(rgRandom, "rbOn", QStringLiteral("ON"), {52, 16, 41, 19}, false, 1);
    view.place(rgRandom, {515, 163, 100, 41});
    shpCircle = named(new CircleShape(Qt::red, 5), "shpCircle", -1);
    view.place(shpCircle, {96, 40, 169, 153});
    Label1 = makeLabel("Label1", QStringLiteral("Lexamo Ver. 0.03"), 12, 12);
    view.place(Label1, {8, 5, 433, 17});
    btnChangeCourse = makeButton("btnChangeCourse", QStringLiteral("ChangeCourse"), 13, true);
    btnChangeCourse->setEnabled(false);
    view.place(btnChangeCourse, {615, 170, 90, 33});
    ComboBox1 = named(new QComboBox, "ComboBox1", 14);
    // The style's own popup lists every voice at once and runs off the screen; a list popup
    // scrolls instead.
    ComboBox1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    ComboBox1->setMaxVisibleItems(VisibleVoices);
    // A long voice name does not fit the closed list.
    connect(ComboBox1, &QComboBox::currentTextChanged, ComboBox1, &QWidget::setToolTip);
    view.place(ComboBox1, {360, 218, 257, 22});
    Label2 = makeLabel("Label2", QStringLiteral("Voice"), 12, 15);
    view.place(Label2, {330, 221, 33, 17});
    rgReadVoice = makeGroup("rgReadVoice", QStringLiteral("Read Voice"), 10);
    rbVOff = makeRadio(rgReadVoice, "rbVOff", QStringLiteral("OFF"), {7, 16, 49, 19}, true, 0);
    rbVOn = makeRadio(rgReadVoice, "rbVOn", QStringLiteral("ON"), {52, 16, 41, 19}, false, 1);
    view.place(rgReadVoice, {416, 164, 100, 41});
    sbReadingSpeed = named(new QScrollBar(Qt::Horizontal), "sbReadingSpeed", 16);
    sbReadingSpeed->setRange(-10 * SpeedScale, 10 * SpeedScale);
    sbReadingSpeed->setSingleStep(SpeedScale / 2);
    sbReadingSpeed->setPageStep(SpeedScale / 2);
    // A scroll bar's keys are inverted by default (Right would slow down): make them natural.
    sbReadingSpeed->setInvertedControls(false);
    sbReadingSpeed->setValue(0);
    // Scroll bars take no focus by default, which would leave its keys unreachable.
    sbReadingSpeed->setFocusPolicy(Qt::StrongFocus);
    view.place(sbReadingSpeed, {323, 184, 93, 18});
    Label3 = makeLabel("Label3", QStringLiteral("Reading Speed"), 12, 17);
    // The Japanese font's Latin letters are wide: narrow them a little so the caption fits.
    QFont narrow = Label3->font();
    narrow.setStretch(QFont::SemiCondensed);
    Label3->setFont(narrow);
    view.place(Label3, {328, 168, 81, 17});

    lbJap = makeLabel("lbJap", QString(), LargeText, 1);
    view.place(lbJap, {10, 0, 679, 41}, Panel2);
    lbEnglish = makeLabel<AnswerLine>("lbEnglish", QString(), LargeText, 1);
    view.place(lbEnglish, {10, 0, 679, 41}, Panel3);

    btnNext = makeButton("btnNext", QStringLiteral("Next"), 27, true, Qt::blue);
    view.place(btnNext, {13, 12, 80, 22}, Panel1);
    view.addShadow(btnNext);
    btnRetry = makeButton("btnRetry", QStringLiteral("Retry"), 26, true, Qt::red);
    view.place(btnRetry, {113, 12, 80, 22}, Panel1);
    view.addShadow(btnRetry);
    btnReset = makeButton("btnReset", QStringLiteral("Reset"), 28, true);
    view.place(btnReset, {618, 10, 67, 22}, Panel1);
    for (int i = 1; i <= WordButtonCount; ++i) {
        const int row = (i - 1) / 4;
        const int column = (i - 1) % 4;
        auto* button = new WordPushButton;
        button->setObjectName(QStringLiteral("btnWord%1").arg(i));
        button->setProperty("tabOrder", WordTabOrder[static_cast<std::size_t>(i - 1)]);
        wordButtons[static_cast<std::size_t>(i)] = button;
        view.place(button,
                   QRect(10 + 178 * column, WordRowY[static_cast<std::size_t>(row)], 140, 22),
                   Panel1);
        view.addShadow(button);
    }

    QList<QWidget*> chain;
    collectInTabOrder(view.surface(), chain);
    view.setTabChain(chain);
    view.setFocusSuccessor([this](QWidget* lost) { return focusAfter(lost); });
    view.setKeyFilter([this](const QKeyEvent& key) { return typingKey(key); });
}

QWidget* TForm1::focusAfter(QWidget* lost) const
{
    // A learner on the keyboard goes on with the next word of the answer, then with Next.
    const auto isWord = [](QWidget* control) {
        return dynamic_cast<WordButton*>(control) != nullptr;
    };
    if (QWidget* word = m_view->nextFocusable(lost, isWord))
        return word;
    if (btnNext->isEnabled())
        return btnNext;
    return m_view->nextFocusable(lost);
}

void TForm1::bindEvents()
{
    // Every initial state is set above, so attaching the handlers now raises no change event.
    for (int i = 1; i <= WordButtonCount; ++i) {
        WordPushButton* button = wordButtons[static_cast<std::size_t>(i)];
        connect(button, &QPushButton::clicked, this,
                [this, button] { guarded([&] { btnWord1Click(button); }); });
    }
    auto bind = [this](QPushButton* button, void (TForm1::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { guarded([&] { (this->*handler)(); }); });
    };
    bind(btnNext, &TForm1::btnNextClick);
    bind(btnRetry, &TForm1::btnRetryClick);
    bind(btnReset, &TForm1::btnResetClick);
    bind(bbtnListenAgain, &TForm1::bbtnListenAgainClick);
    bind(btnClose, &TForm1::btnCloseClick);
    bind(btnChangeCourse, &TForm1::btnChangeCourseClick);
    connect(rbOff, &QRadioButton::toggled, this, [this] { guarded([&] { rbOffChange(); }); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { guarded([&] { ComboBox1Change(); }); });
    connect(sbReadingSpeed, &QScrollBar::valueChanged, this,
            [this] { guarded([&] { sbReadingSpeedChange(); }); });
    connect(lbEnglish, &AnswerLine::clicked, this,
            [this] { guarded([&] { m_drill.takeBackWord(); }); });
    bindShortcuts();
}

void TForm1::bindShortcuts()
{
    // Chords, so that no key the learner types towards a word is taken.
    const auto bind = [this](QPushButton* button, QKeySequence keys) {
        auto* shortcut = new QShortcut(keys, this);
        // As a mouse would: a hidden button takes no click, and click() skips a disabled one.
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isVisible())
                button->click();
        });
        button->setToolTip(
            QStringLiteral("%1 (%2)").arg(button->text(), keys.toString(QKeySequence::NativeText)));
    };
    bind(bbtnListenAgain, QKeySequence(Qt::CTRL | Qt::Key_L));
    bind(btnRetry, QKeySequence(Qt::CTRL | Qt::Key_R));
    bind(btnNext, QKeySequence(Qt::CTRL | Qt::Key_N));
    bind(btnReset, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
}

bool TForm1::typingKey(const QKeyEvent& event)
{
    // The voice list searches its voices by the letters typed in it; chords belong to shortcuts.
    if (m_view->surface()->focusWidget() == ComboBox1 ||
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const TypedAnswer::Outcome outcome = m_drill.typeKey(typingKeyOf(event));
    // The edit shows at once; the word it asks for is placed in turn with the clicks.
    if (outcome.request != TypedAnswer::Request::None)
        guarded([this, outcome] { m_drill.answer(outcome); });
    return outcome.used;
}

void TForm1::FormCreate()
{
    shpCircle->setVisible(false);
    OptionList = std::make_unique<StringList>();
    trace(QStringLiteral("create OptionList"));
    SubDirectoryList = std::make_unique<StringList>();
    trace(QStringLiteral("create SubDirectoryList"));
    // The window shows what changed before each utterance; a closing program speaks no more.
    voice = std::make_unique<ResponsiveSpeech>(
        m_services.createSpeechEngine(), [this] { m_view->repaintNow(); }, *m_services.application);
    trace(QStringLiteral("create voice"));
    setUpVoices();
    RSPu = m_services.openSound(QStringLiteral("SysPu"));
    trace(QStringLiteral("open RSPu"));
    RSBubuu = m_services.openSound(QStringLiteral("Sysbubuu"));
    trace(QStringLiteral("open RSBubuu"));
    RSPingPong = m_services.openSound(QStringLiteral("SysPingPong"));
    trace(QStringLiteral("open RSPingPong"));
    RSNoMatch = m_services.openSound(QStringLiteral("NoMatch"));
    trace(QStringLiteral("open RSNoMatch"));
    m_drill.setSounds({&*RSPu, &*RSBubuu, &*RSPingPong, &*RSNoMatch});
    m_drill.createLists([this](const QString& list) { trace(QStringLiteral("create ") + list); });
    m_random = m_services.randomize();
    trace(QStringLiteral("Randomize"));
}

void TForm1::setUpVoices()
{
    const VoiceCollection voices = voice->GetVoices();
    if (voices.Count() == 0) {
        m_services.application->boxes().ShowMessage(nullptr, NoVoiceMessage);
        m_services.application->Terminate();
    }
    KeyVoice = 999;
    {
        // Filling the list from empty selects its first entry; that is not a change of voice.
        const QSignalBlocker quiet(ComboBox1);
        for (int i = 0; i < voices.Count(); ++i) {
            const QString description = voices.Item(i).GetDescription();
            ComboBox1->addItem(description);
            ComboBox1->setItemData(i, description, Qt::ToolTipRole);
            if (description == PreferredVoice)
                KeyVoice = i;
        }
    }
    // The open list is as wide as its longest voice name, as far as the window reaches; a name
    // longer than that shows whole in its tip.
    QAbstractItemView* list = ComboBox1->view();
    const int wanted = list->sizeHintForColumn(0) + 2 * list->frameWidth() +
                       list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setMinimumWidth(std::min(wanted, DesignWidth - WindowMargin - ComboBox1->x()));
    if (KeyVoice != 999) {
        ComboBox1->setCurrentIndex(KeyVoice);
        const int selected = ComboBox1->currentIndex();
        voice->Voice(voice->GetVoices(QString(), QString()).Item(selected));
    }
}

void TForm1::FormShow()
{
    TForm2& selection = *m_form2;
    selection.ListBox1->clear();
    const Catalogue catalogue = buildCatalogue();
    for (const CatalogueEntry& entry : catalogue.entries) {
        selection.ListBox1->addItem(entry.title);
        SubDirectoryList->Add(entry.prefix);
    }
    if (!catalogue.lastOptionLines.isEmpty())
        OptionList->assign(catalogue.lastOptionLines);
    // With a single course, OK selects it rather than reporting an index error.
    if (selection.ListBox1->count() > 0)
        selection.ListBox1->setCurrentRow(0);
    if (selection.ListBox1->count() > 1)
        btnChangeCourse->setEnabled(true);
    m_services.application->showModal(selection);
}

void TForm1::chooseCourse(int index)
{
    SubDirectory = (*SubDirectoryList)[index];
    InitialGame();
}

void TForm1::InitialGame()
{
    if (m_closed)
        return;
    // Read everything first: a course that fails to load leaves the previous one untouched.
    const Course course = loadCourse(SubDirectory);
    const StringList previousOptions = *OptionList;
    *OptionList = course.optionLines;
    try {
        m_drill.InitialGame(course.title, course.questions, course.answers);
    } catch (const std::bad_alloc&) {
        // The drill builds everything before it changes anything, so the old course is intact.
        *OptionList = previousOptions;
        throw outOfMemoryError(SubDirectory);
    }
}

void TForm1::Close()
{
    if (m_closeUnderway || m_closed)
        return;
    m_closeUnderway = true;
    FormClose();
    m_closed = true;
    m_services.application->Terminate();
}

void TForm1::requestClose()
{
    Application& application = *m_services.application;
    if (!application.handlerRunning()) {
        Close();
        return;
    }
    // The handler must not find its objects released under it: stop its speech and boxes now,
    // release them once it has returned.
    application.Terminate();
    application.whenHandlersReturn([this] { Close(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The window stays until it is destroyed at the exit; the close only stops the program.
    event->ignore();
    requestClose();
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // The window opens filling the screen, which the window system would keep as its restored
    // place: restored, it has its design size, centred.
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMaximized) && windowState() == Qt::WindowNoState) {
        QRect place(QPoint(), QSize(DesignWidth, DesignHeight));
        if (QScreen* desktop = screen())
            place.moveCenter(desktop->availableGeometry().center());
        setGeometry(place);
    }
}

void TForm1::FormClose()
{
    RSPu.reset();
    trace(QStringLiteral("release RSPu"));
    RSBubuu.reset();
    trace(QStringLiteral("release RSBubuu"));
    RSPingPong.reset();
    trace(QStringLiteral("release RSPingPong"));
    RSNoMatch.reset();
    trace(QStringLiteral("release RSNoMatch"));
    m_drill.setSounds({});
    m_drill.releaseLists([this](const QString& list) { trace(QStringLiteral("release ") + list); });
    OptionList.reset();
    trace(QStringLiteral("release OptionList"));
    SubDirectoryList.reset();
    trace(QStringLiteral("release SubDirectoryList"));
}

void TForm1::FormDestroy()
{
    if (!voice)
        return;
    voice.reset();
    trace(QStringLiteral("release voice"));
}

void TForm1::btnWord1Click(WordButton* sender)
{
    m_drill.btnWord1Click(sender);
}
void TForm1::btnNextClick()
{
    m_drill.btnNextClick();
}
void TForm1::btnRetryClick()
{
    m_drill.btnRetryClick();
}
void TForm1::btnResetClick()
{
    m_drill.btnResetClick();
}
void TForm1::bbtnListenAgainClick()
{
    m_drill.bbtnListenAgainClick();
}
void TForm1::btnCloseClick()
{
    Close();
}
void TForm1::rbOffChange()
{
    m_drill.rbOffChange();
}

void TForm1::btnChangeCourseClick()
{
    if (m_closed)
        return;
    m_services.application->showModal(*m_form2);
}

void TForm1::ComboBox1Change()
{
    if (!voice)
        return;
    const int selected = ComboBox1->currentIndex();
    voice->Voice(voice->GetVoices(QString(), QString()).Item(selected));
    m_drill.voiceChanged();
}

void TForm1::sbReadingSpeedChange()
{
    if (!voice)
        return;
    voice->Rate(static_cast<float>(sbReadingSpeed->value()) / SpeedScale);
    m_drill.voiceChanged();
}

QWidget* TForm1::FindComponent(const QString& name) const
{
    return m_view->surface()->findChild<QWidget*>(name);
}

void TForm1::setCaption(const QString& caption)
{
    setWindowTitle(caption);
}
void TForm1::setJapanese(const QString& text)
{
    lbJap->setText(text);
}
QString TForm1::answerLine() const
{
    return lbEnglish->text();
}
void TForm1::setAnswerLine(const QString& text)
{
    lbEnglish->setText(text);
}
void TForm1::setTypedText(const QString& text, bool refused)
{
    lbEnglish->setTyped(text, refused);
}
void TForm1::setQuestionLabel(const QString& text)
{
    lbQuestNum->setText(text);
}
void TForm1::setCorrectLabel(const QString& text)
{
    lbCorrectNum->setText(text);
}
void TForm1::setWrongLabel(const QString& text)
{
    lbWrongNum->setText(text);
}
void TForm1::setCircleVisible(bool visible)
{
    shpCircle->setVisible(visible);
}
void TForm1::setNextEnabled(bool enabled)
{
    btnNext->setEnabled(enabled);
}
void TForm1::setRetryEnabled(bool enabled)
{
    btnRetry->setEnabled(enabled);
}
void TForm1::setListenEnabled(bool enabled)
{
    bbtnListenAgain->setEnabled(enabled);
}
bool TForm1::randomOffChecked() const
{
    return rbOff->isChecked();
}
bool TForm1::randomOnChecked() const
{
    return rbOn->isChecked();
}
bool TForm1::readVoiceOnChecked() const
{
    return rbVOn->isChecked();
}

WordButton* TForm1::findWordButton(const QString& name)
{
    return dynamic_cast<WordPushButton*>(FindComponent(name));
}

void TForm1::ShowMessage(const QString& text)
{
    // Once the program is stopping nobody is left to read it.
    if (m_services.application->stopRequested())
        return;
    m_services.application->boxes().ShowMessage(this, text);
}

} // namespace lexamo
