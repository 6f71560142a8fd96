#include "components/listview/TListCaptionEditor.h"
#include "components/listview/TListItem.h"
#include <QAbstractScrollArea>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

TListCaptionEditor::TListCaptionEditor(QAbstractScrollArea* list) : m_list(list) {}

void TListCaptionEditor::Start(TListItem* item, const QRect& rect, const QFont& font)
{
    Finish(true);
    if (!item)
        return;
    m_item = item;
    m_editor = new QLineEdit(m_list->viewport());
    m_editor->setFont(font);
    m_editor->setText(item->Caption);
    m_editor->selectAll();
    m_editor->setGeometry(rect);
    m_editor->installEventFilter(this);
    m_editor->show();
    m_editor->setFocus();
}

void TListCaptionEditor::Finish(bool accept)
{
    if (!m_editor)
        return;
    // Cleared first: storing the text relays the list out, which ends edits again.
    QLineEdit* editor = m_editor;
    TListItem* item = m_item;
    m_editor = nullptr;
    m_item = nullptr;
    editor->removeEventFilter(this);
    if (accept && item && OnAccepted)
        OnAccepted(item, editor->text());
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        m_list->setFocus();
}

bool TListCaptionEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (m_editor && watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Finish(true);
                return true;
            }
            if (key == Qt::Key_Escape) {
                Finish(false);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            Finish(true);
        }
    }
    return QObject::eventFilter(watched, event);
}
