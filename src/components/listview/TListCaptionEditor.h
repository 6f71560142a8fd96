#pragma once
#include <QObject>
#include <functional>

class QAbstractScrollArea;
class QFont;
class QLineEdit;
class QRect;
class TListItem;

// The in-place editor of a list row's caption: a line edit over the row on the list's
// viewport. Return and leaving the edit keep the text, Escape drops it.
class TListCaptionEditor : public QObject
{
    Q_OBJECT

public:
    // list gets the focus back when an edit that had it ends.
    explicit TListCaptionEditor(QAbstractScrollArea* list);

    // The row being edited; nullptr when no edit runs.
    TListItem* Item() const { return m_item; }
    // Ends a running edit (keeping its text) and starts one for item over rect.
    void Start(TListItem* item, const QRect& rect, const QFont& font);
    // Ends a running edit; accept hands its text to OnAccepted.
    void Finish(bool accept);

    // The owner checks that the row still exists before storing the text.
    std::function<void(TListItem* item, const QString& text)> OnAccepted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractScrollArea* m_list;
    QLineEdit* m_editor = nullptr;
    TListItem* m_item = nullptr;
};
