#include "form2.h"

#include "app/application.h"
#include "app/form1.h"
#include "app/scaled_view.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexamo {

TForm2::TForm2(Application& application, TForm1& form1)
    : QDialog(nullptr), m_application(application), m_form1(form1)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Change Course"));
    // A sizeable window with a close box, like any other, rather than a fixed dialog frame.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
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
    QWidget::setTabOrder(Button1, ListBox1);

    connect(Button1, &QPushButton::clicked, this,
            [this] { m_application.guard(this, [this] { Button1Click(); }); });
}

void TForm2::Button1Click()
{
    m_form1.chooseCourse(ListBox1->currentRow());
    close();
}

} // namespace lexamo
