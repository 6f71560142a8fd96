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

QWidget* MakeFileChooser(const THtmlObjectSpec& spec, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QStringLiteral("fileName"));
    const int chars = spec.size > 0 ? spec.size : 20;
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

QString THtmlControlFactory::ButtonLabel(const THtmlObjectSpec& spec)
{
    if (!spec.value.isEmpty())
        return spec.value;
    switch (spec.kind) {
    case THtmlObjectSpec::Submit: return QStringLiteral("Submit Query");
    case THtmlObjectSpec::Reset: return QStringLiteral("Reset");
    default: return QStringLiteral(" ");
    }
}

QWidget* THtmlControlFactory::Create(const THtmlObjectSpec& spec, QWidget* parent)
{
    QWidget* w = nullptr;
    switch (spec.kind) {
    case THtmlObjectSpec::Image:
    case THtmlObjectSpec::ImageButton:
        return nullptr;
    case THtmlObjectSpec::TextInput:
    case THtmlObjectSpec::Password: {
        auto* edit = new QLineEdit(parent);
        if (spec.kind == THtmlObjectSpec::Password)
            edit->setEchoMode(QLineEdit::Password);
        if (spec.maxLength >= 0)
            edit->setMaxLength(std::max(spec.maxLength, 1));
        const int chars = spec.size > 0 ? spec.size : 20;
        edit->resize(chars * CharWidth(edit) + 12, edit->sizeHint().height());
        w = edit;
        break;
    }
    case THtmlObjectSpec::CheckBox: {
        auto* box = new QCheckBox(parent);
        box->resize(box->sizeHint());
        w = box;
        break;
    }
    case THtmlObjectSpec::Radio: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false); // grouped by form and name, not by parent
        radio->resize(radio->sizeHint());
        w = radio;
        break;
    }
    case THtmlObjectSpec::Submit:
    case THtmlObjectSpec::Reset:
    case THtmlObjectSpec::Button: {
        auto* button = new QPushButton(ButtonLabel(spec), parent);
        button->setAutoDefault(false);
        button->resize(button->sizeHint());
        w = button;
        break;
    }
    case THtmlObjectSpec::File:
        w = MakeFileChooser(spec, parent);
        break;
    case THtmlObjectSpec::Select: {
        if (spec.multiple || spec.size > 1) {
            auto* list = new QListWidget(parent);
            list->addItems(spec.options);
            list->setSelectionMode(spec.multiple ? QAbstractItemView::MultiSelection
                                                 : QAbstractItemView::SingleSelection);
            const int rows = spec.size > 1 ? spec.size : 4;
            const int rowHeight = std::max(list->fontMetrics().height() + 2, 1);
            int width = 40;
            for (const QString& o : spec.options)
                width = std::max(width, list->fontMetrics().horizontalAdvance(o) + 40);
            list->resize(std::min(width, 600), rows * rowHeight + 6);
            w = list;
        } else {
            auto* combo = new QComboBox(parent);
            combo->addItems(spec.options);
            combo->resize(combo->sizeHint());
            w = combo;
        }
        break;
    }
    case THtmlObjectSpec::TextArea: {
        auto* edit = new QPlainTextEdit(parent);
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        const QFontMetrics fm(edit->font());
        edit->resize(spec.cols * fm.averageCharWidth() + 24, spec.rows * fm.lineSpacing() + 12);
        w = edit;
        break;
    }
    }
    if (w)
        Reset(w, spec);
    return w;
}

void THtmlControlFactory::Reset(QWidget* w, const THtmlObjectSpec& spec)
{
    switch (spec.kind) {
    case THtmlObjectSpec::TextInput:
    case THtmlObjectSpec::Password:
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setText(spec.value);
        break;
    case THtmlObjectSpec::CheckBox:
    case THtmlObjectSpec::Radio:
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            b->setChecked(spec.checked);
        break;
    case THtmlObjectSpec::File:
        if (auto* e = w->findChild<QLineEdit*>())
            e->clear();
        break;
    case THtmlObjectSpec::Select:
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            const int selected = int(spec.optionSelected.lastIndexOf(true));
            combo->setCurrentIndex(selected >= 0 ? selected : (combo->count() > 0 ? 0 : -1));
        } else if (auto* list = qobject_cast<QListWidget*>(w)) {
            list->clearSelection();
            for (int i = 0; i < list->count() && i < spec.optionSelected.size(); ++i)
                list->item(i)->setSelected(spec.optionSelected[i]);
        }
        break;
    case THtmlObjectSpec::TextArea:
        if (auto* e = qobject_cast<QPlainTextEdit*>(w))
            e->setPlainText(spec.text);
        break;
    default:
        break;
    }
}
