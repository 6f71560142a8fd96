#pragma once
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class TEditorContext;
class TGraphicSplitBar;

// "Splitters": size, shadow, colour and picture of the vertical and the horizontal
// splitter, in two columns.
class TSplitterStylePage : public QWidget
{
    Q_OBJECT
public:
    static const QString PictureErrorText; // followed by the file's name
    static const QString PictureErrorCaption;

    TSplitterStylePage(TEditorContext& context, QWidget* parent = nullptr);

    // Shows both splitters' sizes, shadow thicknesses and shadow styles; false when that
    // failed.
    bool Fill();

    void VSB_ButtonClick(); // "Set", vertical
    void HSB_ButtonClick(); // "Set", horizontal
    void SplitterComboChange();
    void HSplitterComboChange();
    void SplitterColourClick();  // "Colour", vertical
    void HSplitColorClick();     // "Colour", horizontal
    void SplitterPictureClick(); // "Picture", vertical
    void HSplitPictureClick();   // "Picture", horizontal

    // Vertical column.
    QLineEdit* SplitterWidth = nullptr;
    QLineEdit* SplitShadThickness = nullptr;
    QPushButton* VSB_Button = nullptr;
    QComboBox* SplitterCombo = nullptr;
    QPushButton* SplitterColour = nullptr;
    QPushButton* SplitterPicture = nullptr;
    // Horizontal column.
    QLineEdit* HSplitWidth = nullptr;
    QLineEdit* HSplitShThick = nullptr;
    QPushButton* HSB_Button = nullptr;
    QComboBox* HSplitterCombo = nullptr;
    QPushButton* HSplitColor = nullptr;
    QPushButton* HSplitPicture = nullptr;

private:
    QWidget* Column(bool vertical);
    void ComboChange(TGraphicSplitBar* bar, QComboBox* combo);
    void Colour(TGraphicSplitBar* bar, QComboBox* combo);
    void Picture(TGraphicSplitBar* bar, QComboBox* combo);

    TEditorContext& m_context;
};
