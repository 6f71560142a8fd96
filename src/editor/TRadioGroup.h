#pragma once
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A framed column of radio buttons, one item chosen by its index (-1: none).
class TRadioGroup : public QGroupBox
{
    Q_OBJECT
public:
    TRadioGroup(const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index); // out of range: none
    QStringList Items() const { return m_items; }

private:
    QStringList m_items;
    QButtonGroup* m_buttons = nullptr;
};
