#pragma once
// Fakes and helpers shared by the layout editor tests: a host that records what it is
// asked, dialogs answered from queues, and snapshots of every look property of a control.
#include "browse/THostServices.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TROutliner.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "editor/TEditorDialogs.h"
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QStringList>
#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace editortest {

class TFakeHost : public THostServices
{
public:
    TStartUpOptions Options;
    int Colours = 16777216;
    bool LoadLogoResult = true;
    bool TitlePanelEnabled = false;
    QStringList Calls;

    void ShowProgressText(const QString& text) override { Calls << "ShowProgressText:" + text; }
    void ShowAdvertPage() override { Calls << "ShowAdvertPage"; }
    void ShowNotice(const QString& text) override { Calls << "ShowNotice:" + text; }
    const TStartUpOptions& StartUpOptions() const override { return Options; }
    int NumColours() const override { return Colours; }
    void SetYourLogoHereBitmap(const QString& path) override { Options.YourLogoHereBitmap = path; }
    bool LoadLogo() override
    {
        Calls << "LoadLogo:" + Options.YourLogoHereBitmap;
        return LoadLogoResult;
    }
    void SetTitlePanelEnabled(bool enabled) override
    {
        TitlePanelEnabled = enabled;
        Calls << QStringLiteral("SetTitlePanelEnabled:%1").arg(enabled);
    }
};

// Answers each dialog from its queue (an empty optional is a cancel) and records how
// each dialog was opened. A dialog opened with nothing queued fails the test.
class TFakeDialogs : public TEditorDialogs
{
public:
    std::deque<std::optional<QString>> Files;
    std::deque<std::optional<qint32>> Colours;
    std::deque<std::optional<TFontChoice>> Fonts;
    std::vector<TOpenSetup> FileSetups;
    std::vector<qint32> ColourInitials;
    std::vector<TFontChoice> FontInitials;

protected:
    std::optional<QString> ChooseFile(const TOpenSetup& setup) override
    {
        FileSetups.push_back(setup);
        return Next(Files, "file");
    }
    std::optional<qint32> ChooseColour(qint32 initial) override
    {
        ColourInitials.push_back(initial);
        return Next(Colours, "colour");
    }
    std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) override
    {
        FontInitials.push_back(initial);
        return Next(Fonts, "font");
    }

private:
    template <class T>
    static std::optional<T> Next(std::deque<std::optional<T>>& queue, const char* what)
    {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what << " dialog";
            return std::nullopt;
        }
        std::optional<T> answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

inline QString ImageKey(const QImage& image)
{
    if (image.isNull())
        return QStringLiteral("null");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    return QStringLiteral("%1x%2:%3")
        .arg(rgb.width())
        .arg(rgb.height())
        .arg(qHashBits(rgb.constBits(), size_t(rgb.sizeInBytes())));
}

#define ZEL_LOOK(name) QStringLiteral(#name "=%1").arg(c.name())

// Every look property, as "Name=value" lines.
inline QStringList LookOf(const TROutliner& c)
{
    return {ZEL_LOOK(BackgroundCellCopyMode),
            ZEL_LOOK(BackgroundCopyMode),
            ZEL_LOOK(BackGroundStyle),
            "Bitmap=" + ImageKey(c.Bitmap()),
            ZEL_LOOK(BitmapFileName),
            ZEL_LOOK(CellPaint),
            ZEL_LOOK(Color),
            ZEL_LOOK(CellPaintColour),
            ZEL_LOOK(CellHiLightColour),
            ZEL_LOOK(CellOutlineWidth),
            ZEL_LOOK(ControlOutline),
            ZEL_LOOK(DrawCellOutline),
            ZEL_LOOK(DoCellOutline),
            ZEL_LOOK(GradientHiLight),
            ZEL_LOOK(GradientLoLight),
            ZEL_LOOK(HitGap),
            ZEL_LOOK(LeftGap),
            ZEL_LOOK(TextNormalCol),
            ZEL_LOOK(TextHiLight),
            ZEL_LOOK(TextAsThreeD),
            "Font=" + c.font().toString(),
            ZEL_LOOK(FontColour),
            ZEL_LOOK(ItemHeight)};
}

inline QStringList LookOf(const TClrListView& c)
{
    return {ZEL_LOOK(CellHiLightColour),
            ZEL_LOOK(CellOutlineWidth),
            ZEL_LOOK(CellPaint),
            ZEL_LOOK(CellPaintColour),
            ZEL_LOOK(Color),
            ZEL_LOOK(DoCellOutline),
            ZEL_LOOK(DrawCellOutline),
            "Font=" + c.font().toString(),
            ZEL_LOOK(FontColour),
            ZEL_LOOK(ViewStyle),
            ZEL_LOOK(HitGap),
            ZEL_LOOK(LeftGap),
            ZEL_LOOK(TextAsThreeD),
            ZEL_LOOK(TextHiLight),
            ZEL_LOOK(TextNormalCol)};
}

inline QStringList LookOf(const TKXPanelPage& c)
{
    return {ZEL_LOOK(AlignTopGap),
            ZEL_LOOK(AlignLeftGap),
            ZEL_LOOK(AlignRightGap),
            ZEL_LOOK(AlignBottomGap),
            ZEL_LOOK(BackGroundStyle),
            ZEL_LOOK(Color),
            ZEL_LOOK(ControlOutline),
            "Font=" + c.font().toString(),
            ZEL_LOOK(GradientHiLight),
            ZEL_LOOK(GradientLoLight),
            ZEL_LOOK(LeaveSpaceAtBottom),
            ZEL_LOOK(LeaveSpaceAtTitle),
            "TileBitmap=" + ImageKey(c.TileBitmap()),
            ZEL_LOOK(BitmapFileName)};
}

inline QStringList LookOf(const TGraphicSplitBar& c)
{
    return {ZEL_LOOK(BorderStyle),
            ZEL_LOOK(Color),
            ZEL_LOOK(DrawEdge),
            ZEL_LOOK(LimitLeftOffset),
            ZEL_LOOK(LimitRightOffset),
            ZEL_LOOK(ShadowStyle),
            ZEL_LOOK(ShThickness),
            "Picture=" + ImageKey(c.Picture()),
            ZEL_LOOK(Width),
            ZEL_LOOK(Height)};
}

#undef ZEL_LOOK

// Picks an item as the user does: select it and raise the combo's "activated" signal.
inline void ChooseItem(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline QStringList ItemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// Types into a field as the user does, replacing its text.
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    edit->insert(text);
}

} // namespace editortest
