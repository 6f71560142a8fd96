#pragma once
#include <QWidget>
#include <QtGlobal>
#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class TClrListView;
class TEditorContext;

// "List View": colours, text style, font, cell shapes and gaps of the document list.
class TListStylePage : public QWidget
{
    Q_OBJECT
public:
    TListStylePage(TEditorContext& context, QWidget* parent = nullptr);

    // Shows the list's cell shapes and gaps; false when that failed.
    bool Fill();

    void CLVColourClick();   // "Colour"
    void CLVCPColourClick(); // "Cell Paint "
    void CLVCHColourClick(); // "Cell HiLight "
    void CLVNTextClick();    // "Normal Text"
    void CLVHTextClick();    // "Hilight Text"
    void CVThDTextClick();   // "Three D Text"
    void CVFontClick();      // "Font"
    void CLVSDStyleChange();
    void CVNCStyleChange();
    void Button7Click(); // "Set Gaps"

    QPushButton* CLVColour = nullptr;
    QPushButton* CLVCPColour = nullptr;
    QPushButton* CLVCHColour = nullptr;
    QPushButton* CLVNText = nullptr;
    QPushButton* CLVHText = nullptr;
    QPushButton* CVThDText = nullptr;
    QPushButton* CVFont = nullptr;
    QComboBox* CLVSDStyle = nullptr;
    QComboBox* CVNCStyle = nullptr;
    QLineEdit* CVNLGap = nullptr;
    QLineEdit* CVNRGap = nullptr;
    QPushButton* Button7 = nullptr;

private:
    // Runs the colour dialog preset with the colour get reads, and hands the confirmed
    // colour to set.
    void Colour(const std::function<qint32(const TClrListView&)>& get,
                const std::function<void(TClrListView&, qint32)>& set);
    void Change(const std::function<void(TClrListView&)>& change);

    TEditorContext& m_context;
};
