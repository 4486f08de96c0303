#include "form2.h"

#include "app/application.h"
#include "app/form1.h"
#include "app/scaled_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace lexamo {

TForm2::TForm2(Application& application, TForm1& form1)
    : QDialog(nullptr), m_application(application), m_form1(form1)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Change Course"));
    // A sizeable window with a close box rather than a fixed dialog frame, and a dialog for the
    // window system: only a dialog is marked as the main window's child on X11.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    // The main window's child for the window system, so that the list stays above it whatever
    // is raised; as widgets the two stay apart, and each is destroyed on its own.
    winId();
    form1.winId();
    windowHandle()->setTransientParent(form1.windowHandle());
    resize(DesignWidth, DesignHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new ScaledView(QSize(DesignWidth, DesignHeight), palette().window().color(), this);
    layout->addWidget(m_view);

    Button1 = new QPushButton(QStringLiteral("OK"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setAutoDefault(false);
    Label1 = new QLabel(QStringLiteral("どれを練習しますか？"));
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont large = Label1->font();
    large.setPixelSize(14);
    Label1->setFont(large);
    ListBox1 = new QListWidget;
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);

    m_view->place(Button1, {336, 224, 105, 33});
    // Wide enough for the whole question at its size; the toolkit's default width cut it off.
    m_view->place(Label1, {16, 8, 200, 17});
    m_view->place(ListBox1, {8, 32, 433, 185});
    m_view->setTabChain({Button1, ListBox1});

    connect(Button1, &QPushButton::clicked, this,
            [this] { m_application.guard(this, [this] { Button1Click(); }); });
    // Enter chooses, as a dialog's default button would: the arrows and Enter are all a learner
    // on the keyboard needs here.
    m_view->setKeyFilter([this](const QKeyEvent& key) {
        if ((key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) ||
            (key.modifiers() & ~Qt::KeypadModifier))
            return false;
        Button1->click();
        return true;
    });
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The arrows move through the courses at once.
    ListBox1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm2::Button1Click()
{
    // The current row survives a Ctrl+click that clears the selection; only a selected item
    // counts.
    const QModelIndexList selected = ListBox1->selectionModel()->selectedIndexes();
    m_form1.chooseCourse(selected.isEmpty() ? -1 : selected.front().row());
    close();
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // A dialog closes on Esc; this window closes only by its close box or the system's close
    // command, so that a stray Esc cannot leave the learner without a course.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace lexamo
