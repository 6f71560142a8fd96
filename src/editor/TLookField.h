#pragma once
#include "components/listview/TClrListView.h"
#include "components/outline/TROutliner.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "editor/TNumberField.h"
#include "state/TLookSection.h"
#include "state/TLookTables.h"
#include <QLineEdit>

// A number field of a style page, bound to a look key of the control's look table: it
// shows the value in force and applies a typed number as a state file would (an unusable
// size raised to the smallest usable one), so the page, the file and the copies agree.
class TLookField
{
public:
    template <class C>
    static void Show(QLineEdit* field, const C& control, const QString& key)
    {
        field->setText(QString::number(TLookSection<C>::Number(control, Table(control), key)));
    }

    template <class C>
    static void Apply(const QLineEdit* field, C& control, const QString& key)
    {
        TLookSection<C>::SetNumber(control, Table(control), key,
                                   TNumberField::Value(field->text()));
    }

private:
    static const auto& Table(const TROutliner&) { return TLookTables::Outliner(); }
    static const auto& Table(const TClrListView&) { return TLookTables::ListView(); }
    static const auto& Table(const TKXPanelPage&) { return TLookTables::Panel(); }
    static const auto& Table(const TGraphicSplitBar& bar)
    {
        return TLookTables::Splitter(bar.Align() == alLeft || bar.Align() == alRight);
    }
};
