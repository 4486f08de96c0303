#include "courses/error.h"
#include "form_fixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPaintEvent>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace lexamo::testing {
namespace {

struct ControlRow
{
    const char* name;
    QRect rect; // design units, relative to the parent control
    QString text;
    int tabOrder;
    bool enabled = true;
};

// The window as the learner finds it before choosing a course.
const std::vector<ControlRow> ControlTable = {
    {"Panel1", {8, 208, 697, 260}, {}, 0},
    {"Panel2", {8, 67, 697, 41}, {}, 5},
    {"Panel3", {8, 120, 697, 41}, {}, 4},
    {"lbQuestNum", {18, 179, 120, 17}, QStringLiteral("問題番号:"), 3},
    {"lbCorrectNum", {139, 179, 87, 17}, QStringLiteral("正解数:"), 2},
    {"lbWrongNum", {229, 179, 90, 17}, QStringLiteral("誤答数:"), 1},
    {"btnClose", {620, 21, 80, 33}, QStringLiteral("Close"), 7},
    {"bbtnListenAgain", {524, 21, 80, 33}, QStringLiteral("Listen"), 6},
    {"rgRandom", {515, 163, 100, 41}, QStringLiteral("Random"), 11},
    {"Label1", {8, 5, 433, 17}, QStringLiteral("Lexamo Ver. 0.03"), 12},
    {"btnChangeCourse", {615, 170, 90, 33}, QStringLiteral("ChangeCourse"), 13, false},
    {"ComboBox1", {360, 218, 257, 22}, QStringLiteral("Test Voice"), 14},
    {"Label2", {330, 221, 33, 17}, QStringLiteral("Voice"), 15},
    {"rgReadVoice", {416, 164, 100, 41}, QStringLiteral("Read Voice"), 10},
    {"sbReadingSpeed", {323, 184, 93, 18}, {}, 16},
    {"Label3", {328, 168, 81, 17}, QStringLiteral("Reading Speed"), 17},
    {"lbJap", {10, 0, 679, 41}, {}, 1},
    {"lbEnglish", {10, 0, 679, 41}, {}, 1},
    {"btnNext", {13, 12, 80, 22}, QStringLiteral("Next"), 27},
    {"btnRetry", {113, 12, 80, 22}, QStringLiteral("Retry"), 26},
    {"btnReset", {618, 10, 67, 22}, QStringLiteral("Reset"), 28},
    {"btnWord1", {10, 50, 140, 22}, {}, 19},
    {"btnWord2", {188, 50, 140, 22}, {}, 24},
    {"btnWord7", {366, 85, 140, 22}, {}, 22},
    {"btnWord12", {544, 122, 140, 22}, {}, 12},
    {"btnWord13", {10, 157, 140, 22}, {}, 13},
    {"btnWord20", {544, 194, 140, 22}, {}, 4},
    {"btnWord24", {544, 229, 140, 22}, {}, 8},
};

QString textOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control))
        return group->title();
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->currentText();
    return {};
}

using ShellTest = FormFixture;

TEST_F(ShellTest, EveryControlStartsAtItsDesignPlaceWithItsText)
{
    createForms();
    for (const ControlRow& row : ControlTable) {
        SCOPED_TRACE(row.name);
        QWidget* control = form1->FindComponent(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), row.rect);
        EXPECT_EQ(textOf(control), row.text);
        EXPECT_EQ(control->property("tabOrder").toInt(), row.tabOrder);
        EXPECT_EQ(control->isEnabled(), row.enabled);
        EXPECT_TRUE(control->isVisible());
    }
    EXPECT_EQ(form1->windowTitle(), QStringLiteral("Form1"));
    EXPECT_FALSE(form1->shpCircle->isVisible());
    EXPECT_TRUE(form1->rbOff->isChecked());
    EXPECT_FALSE(form1->rbOn->isChecked());
    EXPECT_TRUE(form1->rbVOff->isChecked());
    EXPECT_FALSE(form1->rbVOn->isChecked());
    EXPECT_EQ(form1->sbReadingSpeed->value(), 0);
    for (int i = 1; i <= WordButtonCount; ++i)
        EXPECT_TRUE(form1->wordButtons[static_cast<std::size_t>(i)]->text().isEmpty());
    EXPECT_TRUE(form1->btnNext->font().bold());
    EXPECT_EQ(form1->btnNext->palette().color(QPalette::ButtonText), QColor(Qt::blue));
    EXPECT_EQ(form1->btnRetry->palette().color(QPalette::ButtonText), QColor(Qt::red));
    EXPECT_EQ(form1->bbtnListenAgain->palette().color(QPalette::ButtonText),
              QColor(0x99, 0x32, 0xCC));
    EXPECT_EQ(form1->lbJap->font().pixelSize(), 14);
}

TEST_F(ShellTest, TwentyEightControlsCarryADropShadow)
{
    createForms();
    QStringList shadowed;
    for (QWidget* control : form1->scaledView()->shadowedControls())
        shadowed << control->objectName();
    shadowed.sort();
    QStringList expected{"bbtnListenAgain", "btnClose", "btnNext", "btnRetry"};
    for (int i = 1; i <= WordButtonCount; ++i)
        expected << QStringLiteral("btnWord%1").arg(i);
    expected.sort();
    EXPECT_EQ(shadowed, expected);
}

/// Collects the regions the view's viewport repaints.
class RepaintRecorder : public QObject
{
public:
    explicit RepaintRecorder(QWidget* viewport) { viewport->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            repainted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion repainted;
};

TEST_F(ShellTest, HidingOrShowingAButtonRepaintsItsShadowToo)
{
    createForms();
    form1->resize(1426, 720);
    QApplication::processEvents();
    ScaledView* view = form1->scaledView();
    QWidget* button = form1->wordButtons[6];
    // Beyond the button's lower right corner, where only its shadow is drawn.
    const QRectF shadowOnly(QPointF(button->mapTo(view->surface(), QPoint(0, 0))) +
                                QPointF(button->width(), button->height()),
                            QSizeF(3, 3));
    const QRect drawnAt = view->mapFromScene(shadowOnly).boundingRect();
    for (const bool visible : {false, true}) {
        RepaintRecorder recorder(view->viewport());
        button->setVisible(visible);
        QApplication::processEvents();
        EXPECT_TRUE(recorder.repainted.contains(drawnAt)) << "visible " << visible;
    }
}

TEST_F(ShellTest, TheVoiceListOpensOnTheWindowScrollsAndShowsWholeNames)
{
    std::vector<VoiceToken> voices;
    for (int i = 0; i < 40; ++i)
        voices.emplace_back(QStringLiteral("v%1").arg(i), QStringLiteral("Voice %1").arg(i));
    const QString longName =
        QStringLiteral("eSpeak NG en-US-nyc - English (United States, New York City), male");
    voices.emplace_back(QStringLiteral("nyc"), longName);
    createForms(voices);
    QComboBox* list = form1->ComboBox1;
    list->showPopup();
    QApplication::processEvents();
    QAbstractItemView* popup = list->view();
    ASSERT_TRUE(popup->isVisible());
    // The open list lies within the window's design space and scrolls through the voices.
    QGraphicsProxyWidget* popupProxy = popup->window()->graphicsProxyWidget();
    ASSERT_NE(popupProxy, nullptr) << "the popup is drawn in the scaled scene";
    const QRectF inScene = popupProxy->sceneBoundingRect();
    ScaledView* view = form1->scaledView();
    EXPECT_TRUE(view->sceneRect().contains(inScene))
        << inScene.x() << "," << inScene.y() << " " << inScene.width() << "x" << inScene.height();
    EXPECT_TRUE(popup->verticalScrollBar()->isVisible());
    EXPECT_GT(popup->width(), list->width()) << "wider than the closed list";
    EXPECT_EQ(list->itemData(40, Qt::ToolTipRole).toString(), longName);

    // The last voice, scrolled to, is picked with the mouse.
    const QModelIndex last = list->model()->index(40, 0);
    popup->scrollTo(last);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(last).center());
    QApplication::processEvents();
    EXPECT_EQ(list->currentIndex(), 40);
    EXPECT_EQ(log.events.back(), QStringLiteral("Voice:") + longName);
    EXPECT_EQ(list->toolTip(), longName) << "the closed list cuts the name; its tip does not";
}

TEST_F(ShellTest, RestoredFromMaximizedTheWindowHasItsDesignSizeCentred)
{
    createForms();
    fillScreen(*form1);
    QApplication::processEvents();
    ASSERT_TRUE(form1->isMaximized());
    form1->setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    const QRect desktop = form1->screen()->availableGeometry();
    EXPECT_EQ(form1->geometry().size(), QSize(713, 480));
    EXPECT_EQ(form1->geometry().center(), desktop.center());
}

TEST_F(ShellTest, AClickWhereAScaledWordButtonIsDrawnReachesThatButton)
{
    createForms();
    form1->resize(1426, 720);
    QApplication::processEvents();
    ScaledView* view = form1->scaledView();
    ASSERT_EQ(view->viewport()->size(), QSize(1426, 720));
    EXPECT_EQ(view->transform(), QTransform::fromScale(2.0, 1.5));

    // btnWord7 is drawn at design (374, 293) to (514, 315), scene coordinates.
    const QPoint drawnAt = view->mapFromScene(QPointF(374 + 70, 293 + 11));
    EXPECT_EQ(drawnAt, QPoint(888, 456));
    QSignalSpy clicked7(form1->wordButtons[7], &QPushButton::clicked);
    QSignalSpy clicked8(form1->wordButtons[8], &QPushButton::clicked);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, drawnAt);
    EXPECT_EQ(clicked7.count(), 1);
    // The unscaled place now belongs to no word button.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(444, 304));
    EXPECT_EQ(clicked7.count(), 1);
    EXPECT_EQ(clicked8.count(), 0);
}

TEST_F(ShellTest, StartUpCreatesItsObjectsInOrder)
{
    createForms();
    EXPECT_EQ(trace, (QStringList{"create OptionList", "create SubDirectoryList", "create voice",
                                  "open RSPu", "open RSBubuu", "open RSPingPong", "open RSNoMatch",
                                  "create QuestionList", "create AnswerList", "create QNumList",
                                  "create CQList", "Randomize"}));
    // The voice list is asked once, after the engine exists; no change event while filling.
    EXPECT_EQ(log.events, (QStringList{"engine created", "GetVoices"}));
    EXPECT_FALSE(application.stopRequested());
}

TEST_F(ShellTest, CloseReleasesTheTenObjectsOnceAndStops)
{
    createForms();
    trace.clear();
    form1->btnClose->click();
    const QStringList released = {"release RSPu",         "release RSBubuu",
                                  "release RSPingPong",   "release RSNoMatch",
                                  "release QuestionList", "release AnswerList",
                                  "release QNumList",     "release CQList",
                                  "release OptionList",   "release SubDirectoryList"};
    EXPECT_EQ(trace, released);
    EXPECT_TRUE(application.stopRequested());
    EXPECT_TRUE(form1->isVisible()) << "the window goes only when it is destroyed";

    // The close box after that, and handlers that would use released objects, do nothing.
    form1->close();
    form1->btnNext->click();
    form1->btnReset->click();
    form1->wordButtons[1]->click();
    form1->rbOn->click();
    EXPECT_EQ(trace, released);
    EXPECT_EQ(log.only({"play:", "speak:", "message:", "error:"}), QStringList());

    form2.reset();
    form1.reset();
    EXPECT_EQ(trace.mid(released.size()), QStringList{"release voice"});
    EXPECT_EQ(log.events.back(), QStringLiteral("engine released"));
}

TEST_F(ShellTest, DestroyWithoutCloseReleasesOnlyTheEngine)
{
    createForms();
    trace.clear();
    form2.reset();
    form1.reset();
    EXPECT_EQ(trace, QStringList{"release voice"});
}

TEST(StopRequest, AModalLoopStartedAfterTheRequestEndsAtItsFirstTurn)
{
    EventLog log;
    RecordingBoxes boxes(log);
    Application application(boxes);
    QDialog dialog;
    bool ranPostedEvent = false;
    QTimer::singleShot(0, &dialog, [&] { ranPostedEvent = true; });
    application.Terminate();
    application.Terminate();
    EXPECT_EQ(application.showModal(dialog), 0);
    EXPECT_TRUE(ranPostedEvent) << "waiting events are still handled";
    EXPECT_FALSE(dialog.isVisible());
    application.runMainLoop();
    EXPECT_TRUE(application.Terminated());
    clearStopRequest();
}

TEST(StopRequest, ARequestInsideAModalLoopEndsItWithNoResult)
{
    EventLog log;
    RecordingBoxes boxes(log);
    Application application(boxes);
    QDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { application.Terminate(); });
    EXPECT_EQ(application.showModal(dialog), 0);
    EXPECT_TRUE(application.stopRequested());
    clearStopRequest();
}

TEST(ErrorHandler, AnEscapingErrorIsShownAndTheCallerGoesOn)
{
    EventLog log;
    RecordingBoxes boxes(log);
    Application application(boxes);
    bool after = false;
    application.guard(nullptr, [] { throw Error(QStringLiteral("壊れたファイル")); });
    application.guard(nullptr, [] { throw std::runtime_error("engine failed"); });
    after = true;
    EXPECT_TRUE(after);
    EXPECT_EQ(log.events,
              (QStringList{QStringLiteral("error:壊れたファイル."), "error:engine failed."}));
}

TEST(RealBoxes, ErrorAndMessageBoxesHaveTheirCaptionIconAndOneOkButton)
{
    struct Seen
    {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QList<QAbstractButton*> buttons;
    };
    auto inspectAndClose = [](Seen& seen) {
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), box->buttons()};
            ASSERT_EQ(seen.buttons.size(), 1);
            EXPECT_EQ(box->standardButton(seen.buttons.front()), QMessageBox::Ok);
            box->accept();
        });
    };
    QtMessageBoxes boxes;
    Seen error;
    inspectAndClose(error);
    boxes.showError(nullptr, QStringLiteral("コード ページに存在しません"));
    EXPECT_EQ(error.caption, QStringLiteral("エラー"));
    EXPECT_EQ(error.text, QStringLiteral("コード ページに存在しません."));
    EXPECT_EQ(error.icon, QMessageBox::Critical);

    Seen message;
    inspectAndClose(message);
    boxes.ShowMessage(nullptr, QStringLiteral("line one\r\nline two"));
    EXPECT_EQ(message.caption, applicationTitle(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(message.caption, QStringLiteral("app_tests"));
    EXPECT_EQ(message.icon, QMessageBox::NoIcon);
}

struct TextRuleRow
{
    QString input;
    QString expected;
};

class ErrorBoxText : public ::testing::TestWithParam<TextRuleRow>
{
};

TEST_P(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersAboveIt)
{
    EXPECT_EQ(errorBoxText(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ErrorBoxText,
    ::testing::Values(
        TextRuleRow{QStringLiteral("ファイル /a/b は開けません。 No such file or directory "),
                    QStringLiteral("ファイル /a/b は開けません。 No such file or directory ")},
        TextRuleRow{QStringLiteral("リストのインデックスが範囲を超えています (1)"),
                    QStringLiteral("リストのインデックスが範囲を超えています (1)")},
        TextRuleRow{QStringLiteral("コード ページに存在しません"),
                    QStringLiteral("コード ページに存在しません.")},
        TextRuleRow{"ends with a letter", "ends with a letter."},
        TextRuleRow{"ends with a full stop.", "ends with a full stop."},
        TextRuleRow{"ends with a slash/", "ends with a slash/."},
        TextRuleRow{"ends with a comma,", "ends with a comma,"},
        TextRuleRow{"ends with a dash-", "ends with a dash-"}, TextRuleRow{"", ""}),
    [](const ::testing::TestParamInfo<TextRuleRow>& row) { return std::to_string(row.index); });

class ApplicationTitle : public ::testing::TestWithParam<TextRuleRow>
{
};

TEST_P(ApplicationTitle, IsTheFileNameCutAtTheFirstDotWithLaterLettersLowered)
{
    EXPECT_EQ(applicationTitle(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rule, ApplicationTitle,
                         ::testing::Values(TextRuleRow{"/usr/bin/lexamo", "lexamo"},
                                           TextRuleRow{"/opt/LEXAMO.bin", "Lexamo"},
                                           TextRuleRow{"./Drill.Tool.exe", "Drill"},
                                           TextRuleRow{"/x/lexamo-Check", "lexamo-check"}),
                         [](const ::testing::TestParamInfo<TextRuleRow>& row) {
                             return std::to_string(row.index);
                         });

} // namespace
} // namespace lexamo::testing
