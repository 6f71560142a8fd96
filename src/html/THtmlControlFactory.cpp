#include "html/THtmlControlFactory.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

int CharWidth(const QWidget* w) { return w->fontMetrics().averageCharWidth(); }

QWidget* MakeFileChooser(const THtmlObjectInfo& info, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QStringLiteral("fileName"));
    const int chars = info.size > 0 ? info.size : 20;
    edit->setFixedWidth(chars * CharWidth(edit) + 12);
    auto* browse = new QPushButton(QStringLiteral("Browse..."), box);
    QObject::connect(browse, &QPushButton::clicked, box, [edit, box] {
        const QString f = QFileDialog::getOpenFileName(box);
        if (!f.isEmpty())
            edit->setText(f);
    });
    layout->addWidget(edit);
    layout->addWidget(browse);
    box->resize(box->sizeHint());
    return box;
}

} // namespace

QString THtmlControlFactory::ButtonLabel(const THtmlObjectInfo& info)
{
    if (!info.value.isEmpty())
        return info.value;
    switch (info.kind) {
    case THtmlObjectInfo::Submit: return QStringLiteral("Submit Query");
    case THtmlObjectInfo::Reset: return QStringLiteral("Reset");
    default: return QStringLiteral(" ");
    }
}

QWidget* THtmlControlFactory::Create(const THtmlObjectInfo& info, QWidget* parent)
{
    QWidget* w = nullptr;
    switch (info.kind) {
    case THtmlObjectInfo::Image:
    case THtmlObjectInfo::ImageButton: return nullptr;
    case THtmlObjectInfo::TextInput:
    case THtmlObjectInfo::Password: {
        auto* edit = new QLineEdit(parent);
        if (info.kind == THtmlObjectInfo::Password)
            edit->setEchoMode(QLineEdit::Password);
        if (info.maxLength >= 0)
            edit->setMaxLength(std::max(info.maxLength, 1));
        const int chars = info.size > 0 ? info.size : 20;
        edit->resize(chars * CharWidth(edit) + 12, edit->sizeHint().height());
        w = edit;
        break;
    }
    case THtmlObjectInfo::CheckBox: {
        auto* box = new QCheckBox(parent);
        box->resize(box->sizeHint());
        w = box;
        break;
    }
    case THtmlObjectInfo::Radio: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false); // grouped by form and name, not by parent
        radio->resize(radio->sizeHint());
        w = radio;
        break;
    }
    case THtmlObjectInfo::Submit:
    case THtmlObjectInfo::Reset:
    case THtmlObjectInfo::Button: {
        auto* button = new QPushButton(ButtonLabel(info), parent);
        button->setAutoDefault(false);
        button->resize(button->sizeHint());
        w = button;
        break;
    }
    case THtmlObjectInfo::File: w = MakeFileChooser(info, parent); break;
    case THtmlObjectInfo::Select: {
        if (info.multiple || info.size > 1) {
            auto* list = new QListWidget(parent);
            list->addItems(info.options);
            list->setSelectionMode(info.multiple ? QAbstractItemView::MultiSelection
                                                 : QAbstractItemView::SingleSelection);
            const int rows = info.size > 1 ? info.size : 4;
            const int rowHeight = std::max(list->fontMetrics().height() + 2, 1);
            int width = 40;
            for (const QString& o : info.options)
                width = std::max(width, list->fontMetrics().horizontalAdvance(o) + 40);
            list->resize(std::min(width, 600), rows * rowHeight + 6);
            w = list;
        } else {
            auto* combo = new QComboBox(parent);
            combo->addItems(info.options);
            combo->resize(combo->sizeHint());
            w = combo;
        }
        break;
    }
    case THtmlObjectInfo::TextArea: {
        auto* edit = new QPlainTextEdit(parent);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        const QFontMetrics fm(edit->font());
        edit->resize(info.cols * fm.averageCharWidth() + 24, info.rows * fm.lineSpacing() + 12);
        w = edit;
        break;
    }
    }
    if (w)
        Reset(w, info);
    return w;
}

void THtmlControlFactory::Reset(QWidget* w, const THtmlObjectInfo& info)
{
    switch (info.kind) {
    case THtmlObjectInfo::TextInput:
    case THtmlObjectInfo::Password:
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(info.value);
        break;
    case THtmlObjectInfo::CheckBox:
    case THtmlObjectInfo::Radio:
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setChecked(info.checked);
        break;
    case THtmlObjectInfo::File:
        if (auto* e = w->findChild<QLineEdit*>())
            e->clear();
        break;
    case THtmlObjectInfo::Select:
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            const int selected = int(info.optionSelected.lastIndexOf(true));
            combo->setCurrentIndex(selected >= 0 ? selected : (combo->count() > 0 ? 0 : -1));
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            list->clearSelection();
            for (int i = 0; i < list->count() && i < info.optionSelected.size(); ++i)
                list->item(i)->setSelected(info.optionSelected[i]);
        }
        break;
    case THtmlObjectInfo::TextArea:
        if (auto* e = qobject_cast<QPlainTextEdit*>(w))
            e->setPlainText(info.text);
        break;
    default: break;
    }
}
