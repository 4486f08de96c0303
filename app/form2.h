#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

namespace lexamo {

class Application;
class ScaledView;
class TForm1;

/// The course selection window: the catalogue's titles and OK. It stays open when OK fails,
/// so the learner can choose another course.
class TForm2 : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DesignWidth = 450;
    static constexpr int DesignHeight = 262;

    TForm2(Application& application, TForm1& form1);

    void Button1Click();
    ScaledView* scaledView() const { return m_view; }

    QPushButton* Button1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    Application& m_application;
    TForm1& m_form1;
    ScaledView* m_view = nullptr;
};

} // namespace lexamo
