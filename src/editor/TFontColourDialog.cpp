#include "TFontColourDialog.h"
#include "platform/TColorRef.h"
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

struct TNamedColour
{
    const char* Name;
    qint32 Colour;
};

constexpr TNamedColour kColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

QIcon Swatch(qint32 colour)
{
    QPixmap p(16, 12);
    p.fill(TColorRef::ToQColor(colour));
    return QIcon(p);
}

} // namespace

TFontColourDialog::TFontColourDialog(const TEditorDialogs::TFontChoice& initial, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Font"));
    m_font = new QFontDialog(initial.Font, this);
    m_font->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_font->setWindowFlags(Qt::Widget);
    m_face = initial.Font.family();
    m_shownFace = m_font->currentFont().family();

    m_colour = new QComboBox(this);
    for (const TNamedColour& c : kColours)
        m_colour->addItem(Swatch(c.Colour), QLatin1String(c.Name), c.Colour);
    int index = m_colour->findData(initial.Colour);
    if (index < 0) {
        m_colour->addItem(Swatch(initial.Colour), QStringLiteral("Custom"), initial.Colour);
        index = m_colour->count() - 1;
    }
    m_colour->setCurrentIndex(index);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colourRow = new QFormLayout;
    colourRow->addRow(QStringLiteral("Color:"), m_colour);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_font);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

TEditorDialogs::TFontChoice TFontColourDialog::Choice() const
{
    TEditorDialogs::TFontChoice choice;
    choice.Font = m_font->currentFont();
    // A face this system does not have is shown as the nearest one it has; unless the
    // user picks another face, the look keeps the face it names.
    if (choice.Font.family() == m_shownFace)
        choice.Font.setFamily(m_face);
    choice.Colour = m_colour->currentData().toInt();
    return choice;
}

std::optional<TEditorDialogs::TFontChoice>
TFontColourDialog::Choose(const TEditorDialogs::TFontChoice& initial, QWidget* parent)
{
    TFontColourDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}
