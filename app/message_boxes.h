#pragma once

#include <QString>

class QWidget;

namespace lexamo {

/// The program's two modal boxes. Tests replace them with recorders, because caption, text and
/// icon are part of what the learner gets.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    /// The plain message box: no icon, one OK button, captioned with the program's title.
    virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
    /// The error box: captioned "エラー", error icon, one OK button.
    virtual void showError(QWidget* owner, const QString& message) = 0;
};

class QtMessageBoxes : public MessageBoxes
{
public:
    void ShowMessage(QWidget* owner, const QString& text) override;
    void showError(QWidget* owner, const QString& message) override;
};

/// The program's title, as message boxes show it: the executable's file name without its
/// folder, cut at the first full stop, every letter after the first in lower case.
QString applicationTitle(const QString& executablePath);

/// The text the error box shows for an error message: a full stop is appended when the last
/// character comes after "." in character order.
QString errorBoxText(const QString& message);

inline const QString ErrorBoxCaption = QStringLiteral("エラー");

} // namespace lexamo
