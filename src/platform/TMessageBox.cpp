#include "TMessageBox.h"
#include <QApplication>
#include <QMessageBox>

namespace {
TMessageBox::Hook g_hook;
}

TMsgResult TMessageBox::Show(const QString& text, const QString& caption, TMsgButtons buttons,
                             TMsgIcon icon)
{
    TMessage message{text, caption, buttons, icon};
    if (g_hook)
        return g_hook(message);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    box.setTextFormat(Qt::PlainText);
    switch (icon) {
    case TMsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case TMsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case TMsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case TMsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
    }
    if (buttons == TMsgButtons::OkCancel)
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    else
        box.setStandardButtons(QMessageBox::Ok);
    // An override cursor (the hourglass of a long operation) must not hide the arrow
    // while the reader answers.
    const bool cursorOverridden = QApplication::overrideCursor() != nullptr;
    if (cursorOverridden)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (cursorOverridden)
        QApplication::restoreOverrideCursor();
    return answer == QMessageBox::Cancel ? TMsgResult::Cancel : TMsgResult::Ok;
}

void TMessageBox::SetHook(Hook hook) { g_hook = std::move(hook); }
